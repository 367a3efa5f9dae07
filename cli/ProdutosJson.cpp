#include "cli/ProdutosJson.hpp"

#include "cargabal/Formatacao.hpp"

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <nlohmann/json.hpp>
#include <span>
#include <vector>

namespace cli {

using cargabal::Currency;
using nlohmann::json;

namespace {

// Where a value stands, for the messages: record number and member path.
struct Local {
    std::size_t Registro;
    std::string Membro;

    [[noreturn]] void Erro(const std::string& problema) const {
        throw EEntradaInvalida("Registro " + std::to_string(Registro) + ", membro \"" + Membro +
                               "\": " + problema);
    }
};

template <typename Inteiro> Inteiro LeInteiro(const json& v, const Local& onde) {
    if (!v.is_number_integer()) {
        onde.Erro("esperado um número inteiro");
    }
    constexpr auto minimo = std::numeric_limits<Inteiro>::min();
    constexpr auto maximo = std::numeric_limits<Inteiro>::max();
    const bool cabe = v.is_number_unsigned()
                          ? v.get<std::uint64_t>() <= static_cast<std::uint64_t>(maximo)
                          : v.get<std::int64_t>() >= minimo && v.get<std::int64_t>() <= maximo;
    if (!cabe) {
        onde.Erro("valor fora do intervalo de " + std::to_string(minimo) + " a " +
                  std::to_string(maximo));
    }
    return static_cast<Inteiro>(v.get<std::int64_t>());
}

Currency LeMoeda(const json& v, const Local& onde) {
    if (v.is_string()) {
        if (auto m = Currency::DeTexto(v.get<std::string>())) {
            return *m;
        }
        onde.Erro("valor monetário inválido \"" + v.get<std::string>() +
                  "\" (use ponto decimal e no máximo quatro casas, como \"39.90\")");
    }
    if (v.is_number()) {
        if (auto m = Currency::DeDouble(v.get<double>())) {
            return *m;
        }
        onde.Erro("valor monetário fora do intervalo");
    }
    onde.Erro("esperado um valor monetário (texto como \"39.90\" ou número)");
}

double LeReal(const json& v, const Local& onde) {
    if (!v.is_number()) {
        onde.Erro("esperado um número");
    }
    // Real values become money in the files; reject what money cannot hold.
    if (!Currency::DeDouble(v.get<double>())) {
        onde.Erro("número fora do intervalo");
    }
    return v.get<double>();
}

bool LeBooleano(const json& v, const Local& onde) {
    if (!v.is_boolean()) {
        onde.Erro("esperado true ou false");
    }
    return v.get<bool>();
}

std::u16string LeTexto(const json& v, const Local& onde) {
    if (!v.is_string()) {
        onde.Erro("esperado um texto");
    }
    return cargabal::Utf16(v.get<std::string>());
}

int LeEnumerador(const json& v, std::span<const char* const> nomes, const Local& onde) {
    if (v.is_string()) {
        const std::string nome = v.get<std::string>();
        for (std::size_t i = 0; i < nomes.size(); ++i) {
            if (nome == nomes[i]) {
                return static_cast<int>(i);
            }
        }
    }
    std::string validos;
    for (const char* n : nomes) {
        validos += validos.empty() ? "" : ", ";
        validos += n;
    }
    onde.Erro("esperado um destes nomes: " + validos);
}

// One member of a record: its JSON name and how it is stored.
template <typename R> struct Campo {
    const char* Nome;
    std::function<void(R&, const json&, const Local&)> Aplica;
};

template <typename R> using Tabela = std::vector<Campo<R>>;

template <typename R>
void AplicaObjeto(R& destino, const Tabela<R>& tabela, const json& objeto, const Local& onde) {
    if (!objeto.is_object()) {
        onde.Erro("esperado um objeto");
    }
    for (const auto& [nome, valor] : objeto.items()) {
        const Local membro{onde.Registro, onde.Membro.empty() ? nome : onde.Membro + "." + nome};
        const Campo<R>* campo = nullptr;
        for (const Campo<R>& c : tabela) {
            if (nome == c.Nome) {
                campo = &c;
                break;
            }
        }
        if (campo == nullptr) {
            membro.Erro("membro desconhecido");
        }
        campo->Aplica(destino, valor, membro);
    }
}

// Makers of table rows, one per property type.
template <typename R, typename I> Campo<R> Inteiro(const char* nome, I R::*m) {
    return {nome, [m](R& r, const json& v, const Local& o) { r.*m = LeInteiro<I>(v, o); }};
}
template <typename R> Campo<R> Moeda(const char* nome, Currency R::*m) {
    return {nome, [m](R& r, const json& v, const Local& o) { r.*m = LeMoeda(v, o); }};
}
template <typename R> Campo<R> Real(const char* nome, double R::*m) {
    return {nome, [m](R& r, const json& v, const Local& o) { r.*m = LeReal(v, o); }};
}
template <typename R> Campo<R> Booleano(const char* nome, bool R::*m) {
    return {nome, [m](R& r, const json& v, const Local& o) { r.*m = LeBooleano(v, o); }};
}
template <typename R> Campo<R> Texto(const char* nome, std::u16string R::*m) {
    return {nome, [m](R& r, const json& v, const Local& o) { r.*m = LeTexto(v, o); }};
}
template <typename R, typename E, std::size_t N>
Campo<R> Enumerador(const char* nome, E R::*m, const std::array<const char*, N>& nomes) {
    return {nome, [m, &nomes](R& r, const json& v, const Local& o) {
                r.*m = static_cast<E>(LeEnumerador(v, nomes, o));
            }};
}
// A sub-record reached through the item's accessor.
template <typename S>
Campo<cargabal::TZADeCargaBalItem> SubRegistro(const char* nome,
                                               S& (cargabal::TZADeCargaBalItem::*acesso)(),
                                               const Tabela<S>& tabela) {
    return {nome, [acesso, &tabela](cargabal::TZADeCargaBalItem& r, const json& v, const Local& o) {
                AplicaObjeto((r.*acesso)(), tabela, v, o);
            }};
}

constexpr std::array<const char*, 4> NomesTipoVenda = {"tpvPeso", "tpvUnidade", "tpvEAN13",
                                                       "tpvEAN13Und"};
constexpr std::array<const char*, 2> NomesTipoValidade = {"tpvDias", "tpvMeses"};
constexpr std::array<const char*, 3> NomesUndPorcao = {"tpGramas", "tpMililitros", "tpUnidades"};
constexpr std::array<const char*, 2> NomesUndPorcao429 = {"tpGramas429", "tpMililitros429"};
constexpr std::array<const char*, 6> NomesPartDecimal = {"tpPara0",  "tpPara14", "tpPara13",
                                                         "tpPara12", "tpPara23", "tpPara34"};
constexpr std::array<const char*, 6> NomesPartDecimal429 = {
    "tpPara0_429", "tpPara14_429", "tpPara13_429", "tpPara12_429", "tpPara23_429", "tpPara34_429"};
constexpr std::array<const char*, 27> NomesMedCaseira = {
    "tpColherSopa", "tpColherCafe",  "tpColherCha", "tpXicara", "tpDeXicara", "tpUnidade",
    "tpPacote",     "tpFatia",       "tpFatiaFina", "tpPedaco", "tpFolha",    "tpPao",
    "tpBiscoito",   "tpBisnaguinha", "tpDisco",     "tpCopo",   "tpPorcao",   "tpTablete",
    "tpSache",      "tpAlmodega",    "tpBife",      "tpFile",   "tpConcha",   "tpBala",
    "tpPratoFundo", "tpPitada",      "tpLata"};
constexpr std::array<const char*, 29> NomesMedCaseira429 = {
    "tpColherSopa429", "tpColherCafe429", "tpColherCha429", "tpXicara429",      "tpDeXicara429",
    "tpUnidade429",    "tpPacote429",     "tpFatia429",     "tpFatiaFina429",   "tpPedaco429",
    "tpFolha429",      "tpPao429",        "tpBiscoito429",  "tpBisnaguinha429", "tpDisco429",
    "tpCopo429",       "tpPorcao429",     "tpTablete429",   "tpSache429",       "tpAlmodega429",
    "tpBife429",       "tpFile429",       "tpConcha429",    "tpBala429",        "tpPratoFundo429",
    "tpPitada429",     "tpLata429",       "tpXicaraCha429", "tpPratoRaso429"};

using namespace cargabal;

const Tabela<TZADeCargaBalSetor> TabelaSetor = {
    Inteiro("Codigo", &TZADeCargaBalSetor::Codigo),
    Texto("Descricao", &TZADeCargaBalSetor::Descricao),
};

const Tabela<TZADeCargaBalInformacaoExtra> TabelaInformacaoExtra = {
    Inteiro("Codigo", &TZADeCargaBalInformacaoExtra::Codigo),
    Texto("Observacao", &TZADeCargaBalInformacaoExtra::Observacao),
    Texto("Receita", &TZADeCargaBalInformacaoExtra::Receita),
};

const Tabela<TZADeCargaBalTaras> TabelaTara = {
    Inteiro("Codigo", &TZADeCargaBalTaras::Codigo),
    Texto("Descricao", &TZADeCargaBalTaras::Descricao),
    Moeda("Valor", &TZADeCargaBalTaras::Valor),
    Inteiro("TipoTara", &TZADeCargaBalTaras::TipoTara),
    Moeda("ValorMaximoTara", &TZADeCargaBalTaras::ValorMaximoTara),
};

const Tabela<TZADeCargaBalFornecedor> TabelaFornecedor = {
    Inteiro("Codigo", &TZADeCargaBalFornecedor::Codigo),
    Texto("Observacao", &TZADeCargaBalFornecedor::Observacao),
    Texto("Descricao1", &TZADeCargaBalFornecedor::Descricao1),
    Texto("Descricao2", &TZADeCargaBalFornecedor::Descricao2),
    Texto("Descricao3", &TZADeCargaBalFornecedor::Descricao3),
    Texto("Descricao4", &TZADeCargaBalFornecedor::Descricao4),
    Texto("Descricao5", &TZADeCargaBalFornecedor::Descricao5),
};

// Fractioner and conservation texts share one layout.
template <typename R> Tabela<R> TabelaTextos3() {
    return {
        Inteiro("Codigo", &R::Codigo),       Texto("Observacao", &R::Observacao),
        Texto("Descricao1", &R::Descricao1), Texto("Descricao2", &R::Descricao2),
        Texto("Descricao3", &R::Descricao3),
    };
}
const Tabela<TZADeCargaBalFracionador> TabelaFracionador =
    TabelaTextos3<TZADeCargaBalFracionador>();
const Tabela<TZADeCargaBalConservacao> TabelaConservacao =
    TabelaTextos3<TZADeCargaBalConservacao>();

// Both extra fields share one layout.
template <typename R> Tabela<R> TabelaExtra() {
    return {
        Inteiro("Codigo", &R::Codigo), Texto("Observacao", &R::Observacao),
        Texto("Linha1", &R::Linha1),   Texto("Linha2", &R::Linha2),
        Texto("Linha3", &R::Linha3),   Texto("Linha4", &R::Linha4),
        Texto("Linha5", &R::Linha5),
    };
}
const Tabela<TZADeCargaBalExtra1> TabelaExtra1 = TabelaExtra<TZADeCargaBalExtra1>();
const Tabela<TZADeCargaBalExtra2> TabelaExtra2 = TabelaExtra<TZADeCargaBalExtra2>();

const Tabela<TZadeCargaBalTeclado> TabelaTeclado = {
    Inteiro("Tecla", &TZadeCargaBalTeclado::Tecla),
    Inteiro("Pagina_Teclado", &TZadeCargaBalTeclado::Pagina_Teclado),
    Inteiro("Codigo_Teclado", &TZadeCargaBalTeclado::Codigo_Teclado),
};

using N = TZADeCargaBalNutricional;
const Tabela<N> TabelaNutricional = {
    Inteiro("Codigo", &N::Codigo),
    Texto("Descricao", &N::Descricao),
    Inteiro("Qtd", &N::Qtd),
    Enumerador("UndPorcao", &N::UndPorcao, NomesUndPorcao),
    Inteiro("PartInteira", &N::PartInteira),
    Enumerador("PartDecimal", &N::PartDecimal, NomesPartDecimal),
    Enumerador("MedCaseira", &N::MedCaseira, NomesMedCaseira),
    Inteiro("ValorEnergetico", &N::ValorEnergetico),
    Moeda("Carboidrato", &N::Carboidrato),
    Moeda("Proteina", &N::Proteina),
    Moeda("GorduraTotal", &N::GorduraTotal),
    Moeda("GorduraSaturada", &N::GorduraSaturada),
    Moeda("GorduraTrans", &N::GorduraTrans),
    Moeda("Fibra", &N::Fibra),
    Moeda("Sodio", &N::Sodio),
    Booleano("QtdeAutomaticaPorcao429", &N::QtdeAutomaticaPorcao429),
    Inteiro("QtdePorcEmb429", &N::QtdePorcEmb429),
    Inteiro("PartIntMedidaCaseira429", &N::PartIntMedidaCaseira429),
    Inteiro("QtdePorcao429", &N::QtdePorcao429),
    Enumerador("MedCaseira429", &N::MedCaseira429, NomesMedCaseira429),
    Real("FibraAlimentar429", &N::FibraAlimentar429),
    Real("AcucaresAdicionados429", &N::AcucaresAdicionados429),
    Real("Lactose429", &N::Lactose429),
    Inteiro("AltoSodio429", &N::AltoSodio429),
    Inteiro("ValorEnergetico429", &N::ValorEnergetico429),
    Real("AcucaresTotais429", &N::AcucaresTotais429),
    Inteiro("AltoGordura429", &N::AltoGordura429),
    Real("GordurasTrans429", &N::GordurasTrans429),
    Moeda("Carboidrato429", &N::Carboidrato429),
    Real("Proteinas429", &N::Proteinas429),
    Inteiro("AltoAcucar429", &N::AltoAcucar429),
    Real("GordurasTotais429", &N::GordurasTotais429),
    Real("Sodio429", &N::Sodio429),
    Real("Galactose429", &N::Galactose429),
    Real("GordurasSaturadas429", &N::GordurasSaturadas429),
    Enumerador("UndPorcao429", &N::UndPorcao429, NomesUndPorcao429),
    Enumerador("PartDecMedidaCaseira429", &N::PartDecMedidaCaseira429, NomesPartDecimal429),
    Inteiro("ImprimeLactoseGalactose", &N::ImprimeLactoseGalactose),
    Real("ProteinasEstendido429", &N::ProteinasEstendido429),
    Real("GordurasTotaisEstendido429", &N::GordurasTotaisEstendido429),
    Real("AcucaresAdicionadosEstendido429", &N::AcucaresAdicionadosEstendido429),
    Real("AcucaresTotaisEstendido429", &N::AcucaresTotaisEstendido429),
};

using I = TZADeCargaBalItem;
const Tabela<I> TabelaItem = {
    Moeda("ValorVenda", &I::ValorVenda),
    Inteiro("ModeloEtiqueta", &I::ModeloEtiqueta),
    Texto("Descricao", &I::Descricao),
    Inteiro("Codigo", &I::Codigo),
    Enumerador("Tipo", &I::Tipo, NomesTipoVenda),
    Inteiro("Validade", &I::Validade),
    Texto("Lote", &I::Lote),
    Enumerador("TipoValidade", &I::TipoValidade, NomesTipoValidade),
    SubRegistro("Setor", &I::Setor, TabelaSetor),
    SubRegistro("Nutricional", &I::Nutricional, TabelaNutricional),
    SubRegistro("Tara", &I::Tara, TabelaTara),
    SubRegistro("Fornecedor", &I::Fornecedor, TabelaFornecedor),
    SubRegistro("Fracionador", &I::Fracionador, TabelaFracionador),
    SubRegistro("Conservacao", &I::Conservacao, TabelaConservacao),
    SubRegistro("Extra1", &I::Extra1, TabelaExtra1),
    SubRegistro("Extra2", &I::Extra2, TabelaExtra2),
    Inteiro("CodigoTexto1", &I::CodigoTexto1),
    Inteiro("CodigoTexto2", &I::CodigoTexto2),
    Inteiro("CodigoTexto3", &I::CodigoTexto3),
    Inteiro("CodigoInfoNutr", &I::CodigoInfoNutr),
    Inteiro("CodigoTara", &I::CodigoTara),
    Inteiro("CodigoFornecedor", &I::CodigoFornecedor),
    Inteiro("CodigoFracionador", &I::CodigoFracionador),
    Inteiro("CodigoConservacao", &I::CodigoConservacao),
    Inteiro("ImpValidade", &I::ImpValidade),
    Inteiro("ImpEmbalagem", &I::ImpEmbalagem),
    Texto("EAN13Fornecedor", &I::EAN13Fornecedor),
    SubRegistro("InformacaoExtra", &I::InformacaoExtra, TabelaInformacaoExtra),
    SubRegistro("Teclado", &I::Teclado, TabelaTeclado),
    Inteiro("CodigoExtra1", &I::CodigoExtra1),
    Inteiro("CodigoExtra2", &I::CodigoExtra2),
};

} // namespace

void LeProdutosJson(std::string_view texto, TZADeCargaBalItens& destino) {
    json documento;
    try {
        documento = json::parse(texto.begin(), texto.end());
    } catch (const json::parse_error& e) {
        throw EEntradaInvalida("O arquivo de produtos não é um JSON válido (posição " +
                               std::to_string(e.byte) + ").");
    }
    if (!documento.is_array()) {
        throw EEntradaInvalida("O arquivo de produtos deve conter uma lista (array) de produtos.");
    }
    std::size_t numero = 0;
    for (const json& registro : documento) {
        ++numero;
        if (!registro.is_object()) {
            throw EEntradaInvalida("Registro " + std::to_string(numero) +
                                   ": esperado um objeto com as propriedades do produto.");
        }
        AplicaObjeto(destino.New(), TabelaItem, registro, Local{numero, ""});
    }
}

std::optional<TZADeCargaBalModelo> ModeloPorNome(std::string_view nome) {
    auto minusculo = [](std::string_view s) {
        std::string r(s);
        for (char& c : r) {
            if (c >= 'A' && c <= 'Z') {
                c = static_cast<char>(c - 'A' + 'a');
            }
        }
        return r;
    };
    for (int i = 0; i < QuantidadeModelos; ++i) {
        const auto m = static_cast<TZADeCargaBalModelo>(i);
        if (minusculo(NomeEnumerador(m)) == minusculo(nome)) {
            return m;
        }
    }
    return std::nullopt;
}

} // namespace cli
