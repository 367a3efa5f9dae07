#include "atualizacao/PkgJsonDTO.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <string_view>

namespace atualizacao {

namespace {

bool IguaisSemCaixa(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

const TCampoJson* CampoDoMembro(std::span<const TCampoJson> campos, const std::string& membro) {
    for (const TCampoJson& c : campos) {
        if (*c.NomeJson != '\0' && membro == c.NomeJson) {
            return &c;
        }
    }
    // Without a JSON name of its own, a field answers to "F" + member in any case.
    for (const TCampoJson& c : campos) {
        const std::string_view nome = c.Nome;
        if (*c.NomeJson == '\0' && c.Escrito && nome.size() == membro.size() + 1 &&
            (nome[0] == 'F' || nome[0] == 'f') && IguaisSemCaixa(nome.substr(1), membro)) {
            return &c;
        }
    }
    return nullptr;
}

std::string NomeEscrito(const TCampoJson& c) {
    if (*c.NomeJson != '\0') {
        return c.NomeJson;
    }
    std::string nome = c.Nome;
    if (!nome.empty() && (nome[0] == 'F' || nome[0] == 'f')) {
        nome.erase(0, 1);
    }
    if (!nome.empty()) {
        nome[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(nome[0])));
    }
    return nome;
}

bool SoBrancos(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](unsigned char c) { return c <= ' '; });
}

} // namespace

void TObjetoJson::PreencheDeJson(const Json& objeto) {
    const auto campos = CamposJson();
    for (const auto& [membro, valor] : objeto.items()) {
        if (const TCampoJson* c = CampoDoMembro(campos, membro)) {
            try {
                c->Le(*this, valor);
            } catch (const EConversaoJson& e) {
                throw EConversaoJson("membro \"" + membro + "\": " + e.what());
            }
        }
    }
}

Json TObjetoJson::ParaJson() const {
    AntesDeEscrever();
    auto objeto = Json::object();
    for (const TCampoJson& c : CamposJson()) {
        if (c.Escrito) {
            objeto[NomeEscrito(c)] = c.Escreve(*this);
        }
    }
    return objeto;
}

TJsonDTO::TJsonDTO() : FOptions{TOpcaoJson::DateTimeIsUTC, TOpcaoJson::ISODate} {}

std::string TJsonDTO::GetAsJson() const {
    // ensure_ascii escapes everything above 127; control characters always are.
    return ParaJson().dump(-1, ' ', true);
}

void TJsonDTO::SetAsJson(const std::string& Value) {
    const auto valor = Json::parse(Value, nullptr, false);
    if (valor.is_discarded()) {
        return;
    }
    if (valor.is_array()) {
        for (const TCampoJson& c : CamposJson()) {
            if (std::string_view(c.Nome) == "FItems") {
                c.Le(*this, valor);
            }
        }
        return;
    }
    if (valor.is_object()) {
        PreencheDeJson(valor);
        return;
    }
    if (valor.is_null() || SoBrancos(Value)) {
        return;
    }
    throw EConversaoJson("The input value is not a valid Object");
}

std::string TJsonDTO::PrettyPrintJSON(const std::string& aJson) {
    const auto valor = Json::parse(aJson, nullptr, false);
    return valor.is_discarded() ? std::string() : valor.dump(2);
}

namespace campos {

void ErroConversao(const char* esperado, const Json& valor) {
    throw EConversaoJson(std::string(esperado) + " esperado, recebido " + valor.type_name());
}

std::string LeTexto(const Json& v) {
    if (v.is_null()) {
        return {};
    }
    if (!v.is_string()) {
        ErroConversao("texto", v);
    }
    return v.get<std::string>();
}

std::int32_t LeInteiro(const Json& v) {
    using Lim = std::numeric_limits<std::int32_t>;
    if (v.is_null()) {
        return 0;
    }
    if (v.is_number_integer() && !v.is_number_unsigned()) {
        const auto n = v.get<std::int64_t>();
        if (n >= Lim::min() && n <= Lim::max()) {
            return static_cast<std::int32_t>(n);
        }
    } else if (v.is_number_unsigned()) {
        const auto n = v.get<std::uint64_t>();
        if (n <= static_cast<std::uint64_t>(Lim::max())) {
            return static_cast<std::int32_t>(n);
        }
    } else if (v.is_number_float()) {
        const double d = v.get<double>();
        if (std::trunc(d) == d && d >= Lim::min() && d <= Lim::max()) {
            return static_cast<std::int32_t>(d);
        }
    }
    ErroConversao("inteiro de 32 bits", v);
}

bool LeLogico(const Json& v) {
    if (v.is_null()) {
        return false;
    }
    if (!v.is_boolean()) {
        ErroConversao("true ou false", v);
    }
    return v.get<bool>();
}

} // namespace campos

} // namespace atualizacao
