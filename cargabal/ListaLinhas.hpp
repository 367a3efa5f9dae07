// The lines of one future load file, in order, with a case-insensitive
// search that answers in constant time on average.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace cargabal {

class ListaLinhas {
public:
    // Appends always; returns the new line's index.
    int Add(std::u16string linha);
    // Appends only when no equal line is held (see IndexOf); true if appended.
    bool AddSeAusente(std::u16string linha);
    // Index of the first line of the same length that is equal under simple
    // case folding, or -1. The same answer as a linear search from line 0.
    int IndexOf(std::u16string_view linha) const;
    // Puts `frente` in front of the current lines, each group in its order.
    void InsereNaFrente(const ListaLinhas& frente);

    int Count() const { return static_cast<int>(FLinhas.size()); }
    bool Vazia() const { return FLinhas.empty(); }
    const std::u16string& operator[](int i) const { return FLinhas[static_cast<std::size_t>(i)]; }
    const std::vector<std::u16string>& Linhas() const { return FLinhas; }

private:
    // Index of the first line equal to `linha` (whose hash is `hash`), or
    // Nenhum; `ultimo` receives the end of that hash's chain.
    std::uint32_t Procura(std::u16string_view linha, std::uint64_t hash,
                          std::uint32_t* ultimo) const;
    void Indexa(std::uint32_t indice) const;
    void ConstroiIndice() const;

    std::vector<std::u16string> FLinhas;
    // Built on the first search, so that lists that are only appended to pay
    // nothing. Each distinct line (the first of a set of equal lines) is
    // reachable from its hash: FPrimeiro holds the first such line of a hash,
    // FProximo chains the later ones with the same hash, in ascending order.
    static constexpr std::uint32_t Nenhum = UINT32_MAX;
    mutable std::unordered_map<std::uint64_t, std::uint32_t> FPrimeiro;
    mutable std::vector<std::uint32_t> FProximo;
    mutable bool FIndiceValido = false;
};

// Equal length and equal under simple case folding, code point by code point.
bool IguaisSemCaixa(std::u16string_view a, std::u16string_view b);

} // namespace cargabal
