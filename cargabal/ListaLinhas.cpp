#include "cargabal/ListaLinhas.hpp"

#include <stdexcept>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace cargabal {

namespace {

// Next code point of `s` from `i`, case-folded; a lone surrogate stays as is.
UChar32 ProximoDobrado(std::u16string_view s, std::size_t& i) {
    UChar32 c = 0;
    const auto n = static_cast<int32_t>(s.size());
    auto pos = static_cast<int32_t>(i);
    U16_NEXT(s.data(), pos, n, c);
    i = static_cast<std::size_t>(pos);
    return u_foldCase(c, U_FOLD_CASE_DEFAULT);
}

std::uint64_t HashDobrado(std::u16string_view s) {
    std::uint64_t h = 1469598103934665603ULL ^ s.size();
    for (std::size_t i = 0; i < s.size();) {
        h ^= static_cast<std::uint32_t>(ProximoDobrado(s, i));
        h *= 1099511628211ULL;
    }
    return h;
}

} // namespace

bool IguaisSemCaixa(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (ProximoDobrado(a, i) != ProximoDobrado(b, j)) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

int ListaLinhas::Add(std::u16string linha) {
    if (FLinhas.size() >= UINT32_MAX) {
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
    if (IndexOf(linha) >= 0) {
        return false;
    }
    Add(std::move(linha));
    return true;
}

int ListaLinhas::IndexOf(std::u16string_view linha) const {
    if (!FIndiceValido) {
        ConstroiIndice();
    }
    const auto it = FIndice.find(HashDobrado(linha));
    if (it == FIndice.end()) {
        return -1;
    }
    for (const std::uint32_t indice : it->second) {
        if (IguaisSemCaixa(FLinhas[indice], linha)) {
            return static_cast<int>(indice);
        }
    }
    return -1;
}

void ListaLinhas::InsereNaFrente(const ListaLinhas& frente) {
    std::vector<std::u16string> novas;
    novas.reserve(frente.FLinhas.size() + FLinhas.size());
    novas.insert(novas.end(), frente.FLinhas.begin(), frente.FLinhas.end());
    for (auto& l : FLinhas) {
        novas.push_back(std::move(l));
    }
    FLinhas = std::move(novas);
    FIndice.clear();
    FIndiceValido = false;
}

std::u16string ListaLinhas::Texto() const {
    std::size_t total = 0;
    for (const auto& l : FLinhas) {
        total += l.size() + 2;
    }
    std::u16string texto;
    texto.reserve(total);
    for (const auto& l : FLinhas) {
        texto += l;
        texto += u"\r\n";
    }
    return texto;
}

void ListaLinhas::Indexa(std::uint32_t indice) const {
    auto& candidatos = FIndice[HashDobrado(FLinhas[indice])];
    for (const std::uint32_t anterior : candidatos) {
        if (IguaisSemCaixa(FLinhas[anterior], FLinhas[indice])) {
            return; // an earlier equal line already answers for it
        }
    }
    candidatos.push_back(indice);
}

void ListaLinhas::ConstroiIndice() const {
    FIndice.clear();
    FIndice.reserve(FLinhas.size());
    for (std::size_t i = 0; i < FLinhas.size(); ++i) {
        Indexa(static_cast<std::uint32_t>(i));
    }
    FIndiceValido = true;
}

} // namespace cargabal
