// The thirteen line lists of a generation and the file name that each model
// gives them; an empty name means the model never writes that list.
#pragma once

#include "cargabal/ZADeCargaBal.hpp"

#include <array>
#include <string>

namespace cargabal {

// In the order in which the driver saves them.
enum class TipoLista : int {
    Itens = 0,
    Setor,
    Receita,
    Nutricional,
    ProdutoNutricional,
    ProdutoReceita,
    Tara,
    Fornecedor,
    Fracionador,
    CampoExtra1,
    CampoExtra2,
    Conservacao,
    Teclado,
};
inline constexpr int QuantidadeListas = 13;

std::string NomeArquivoItens(TZADeCargaBalModelo m);
std::string NomeArquivoSetor(TZADeCargaBalModelo m);
std::string NomeArquivoReceita(TZADeCargaBalModelo m);
std::string NomeArquivoNutricional(TZADeCargaBalModelo m);
std::string NomeArquivoProdutoNutricional(TZADeCargaBalModelo m);
std::string NomeArquivoProdutoReceita(TZADeCargaBalModelo m);
std::string NomeArquivoTara(TZADeCargaBalModelo m);
std::string NomeArquivoFornecedor(TZADeCargaBalModelo m);
std::string NomeArquivoFracionador(TZADeCargaBalModelo m);
std::string NomeArquivoCampoExtra1(TZADeCargaBalModelo m);
std::string NomeArquivoCampoExtra2(TZADeCargaBalModelo m);
std::string NomeArquivoConservacao(TZADeCargaBalModelo m);
std::string NomeArquivoTeclado(TZADeCargaBalModelo m);

std::string NomeArquivo(TZADeCargaBalModelo m, TipoLista lista);

} // namespace cargabal
