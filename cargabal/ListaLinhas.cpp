#include "cargabal/ListaLinhas.hpp"

#include <stdexcept>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace cargabal {

namespace {

// Simple case folding of every code point of the basic plane, looked up once:
// ICU's per-call folding costs more than everything else in a large load.
class TabelaDobra {
public:
    TabelaDobra() : FTabela(0x10000) {
        for (UChar32 c = 0; c < 0x10000; ++c) {
            FTabela[static_cast<std::size_t>(c)] = u_foldCase(c, U_FOLD_CASE_DEFAULT);
        }
    }
    UChar32 operator()(UChar32 c) const {
        return c < 0x10000 ? FTabela[static_cast<std::size_t>(c)]
                           : u_foldCase(c, U_FOLD_CASE_DEFAULT);
    }

private:
    std::vector<UChar32> FTabela;
};

const TabelaDobra& Dobra() {
    static const TabelaDobra tabela;
    return tabela;
}

// Next code point of `s` from `i`, case-folded; a lone surrogate stays as is.
UChar32 ProximoDobrado(std::u16string_view s, std::size_t& i, const TabelaDobra& dobra) {
    const char16_t u = s[i++];
    if (!U16_IS_LEAD(u) || i == s.size() || !U16_IS_TRAIL(s[i])) {
        return dobra(u);
    }
    return dobra(U16_GET_SUPPLEMENTARY(u, s[i++]));
}

std::uint64_t HashDobrado(std::u16string_view s) {
    const TabelaDobra& dobra = Dobra();
    std::uint64_t h = 1469598103934665603ULL ^ s.size();
    for (std::size_t i = 0; i < s.size();) {
        h ^= static_cast<std::uint32_t>(ProximoDobrado(s, i, dobra));
        h *= 1099511628211ULL;
    }
    return h;
}

} // namespace

bool IguaisSemCaixa(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const TabelaDobra& dobra = Dobra();
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i] == b[j] && !U16_IS_SURROGATE(a[i])) {
            ++i;
            ++j;
            continue;
        }
        if (ProximoDobrado(a, i, dobra) != ProximoDobrado(b, j, dobra)) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

int ListaLinhas::Add(std::u16string linha) {
    if (FLinhas.size() >= Nenhum) {
        throw std::length_error("lista de linhas cheia");
    }
    FLinhas.push_back(std::move(linha));
    const auto indice = static_cast<std::uint32_t>(FLinhas.size() - 1);
    if (FIndiceValido) {
        Indexa(indice);
    }
    return static_cast<int>(indice);
}

bool ListaLinhas::AddSeAusente(std::u16string linha) {
    if (!FIndiceValido) {
        ConstroiIndice();
    }
    const std::uint64_t hash = HashDobrado(linha);
    std::uint32_t ultimo = Nenhum;
    if (Procura(linha, hash, &ultimo) != Nenhum) {
        return false;
    }
    if (FLinhas.size() >= Nenhum) {
        throw std::length_error("lista de linhas cheia");
    }
    FLinhas.push_back(std::move(linha));
    const auto indice = static_cast<std::uint32_t>(FLinhas.size() - 1);
    FProximo.push_back(Nenhum);
    if (ultimo == Nenhum) {
        FPrimeiro.emplace(hash, indice);
    } else {
        FProximo[ultimo] = indice;
    }
    return true;
}

int ListaLinhas::IndexOf(std::u16string_view linha) const {
    if (!FIndiceValido) {
        ConstroiIndice();
    }
    const std::uint32_t indice = Procura(linha, HashDobrado(linha), nullptr);
    return indice == Nenhum ? -1 : static_cast<int>(indice);
}

std::uint32_t ListaLinhas::Procura(std::u16string_view linha, std::uint64_t hash,
                                   std::uint32_t* ultimo) const {
    const auto it = FPrimeiro.find(hash);
    if (it == FPrimeiro.end()) {
        return Nenhum;
    }
    for (std::uint32_t i = it->second; i != Nenhum; i = FProximo[i]) {
        if (IguaisSemCaixa(FLinhas[i], linha)) {
            return i;
        }
        if (ultimo != nullptr) {
            *ultimo = i;
        }
    }
    return Nenhum;
}

void ListaLinhas::InsereNaFrente(const ListaLinhas& frente) {
    std::vector<std::u16string> novas;
    novas.reserve(frente.FLinhas.size() + FLinhas.size());
    novas.insert(novas.end(), frente.FLinhas.begin(), frente.FLinhas.end());
    for (auto& l : FLinhas) {
        novas.push_back(std::move(l));
    }
    FLinhas = std::move(novas);
    FPrimeiro.clear();
    FProximo.clear();
    FIndiceValido = false;
}

void ListaLinhas::Indexa(std::uint32_t indice) const {
    FProximo.resize(FLinhas.size(), Nenhum);
    const std::uint64_t hash = HashDobrado(FLinhas[indice]);
    std::uint32_t ultimo = Nenhum;
    if (Procura(FLinhas[indice], hash, &ultimo) != Nenhum) {
        return; // an earlier equal line already answers for it
    }
    if (ultimo == Nenhum) {
        FPrimeiro.emplace(hash, indice);
    } else {
        FProximo[ultimo] = indice;
    }
}

void ListaLinhas::ConstroiIndice() const {
    FPrimeiro.clear();
    FProximo.assign(FLinhas.size(), Nenhum);
    FPrimeiro.reserve(FLinhas.size());
    for (std::size_t i = 0; i < FLinhas.size(); ++i) {
        Indexa(static_cast<std::uint32_t>(i));
    }
    FIndiceValido = true;
}

} // namespace cargabal
