#include "cargabal/NomesArquivos.hpp"

namespace cargabal {

namespace {

using M = TZADeCargaBalModelo;

bool TipoMGV(M m) {
    return m == M::modToledoMGV5 || m == M::modToledoMGV6 || m == M::modToledoMGV7 ||
           m == M::modTriunfoRdc429;
}

// MGV5 version 1 uses the MGV names for the lists its writer fills.
bool TipoMGVOuVer1(M m) {
    return TipoMGV(m) || m == M::modToledoMGV5Ver1;
}

} // namespace

std::string NomeArquivoItens(M m) {
    switch (m) {
    case M::modFilizola:
        return "CADTXT.TXT";
    case M::modToledo:
        return "TXITENS.TXT";
    case M::modUrano:
    case M::modUranoS:
    case M::modUranoURF32:
        return "PRODUTOS.TXT";
    case M::modRamuza:
        return "RAMUZA_ORIGINAL.TXT";
    default:
        return TipoMGVOuVer1(m) ? "ITENSMGV.TXT" : "";
    }
}

std::string NomeArquivoSetor(M m) {
    if (m == M::modFilizola) {
        return "SETORTXT.TXT";
    }
    return TipoMGVOuVer1(m) ? "DEPTO.TXT" : "";
}

std::string NomeArquivoReceita(M m) {
    if (m == M::modFilizola) {
        return "REC_ASS.TXT";
    }
    if (m == M::modUranoURF32) {
        return "RECEITAS.TXT";
    }
    return TipoMGVOuVer1(m) ? "TXINFO.TXT" : "";
}

std::string NomeArquivoNutricional(M m) {
    if (m == M::modFilizola) {
        return "NUTRI.TXT";
    }
    if (m == M::modUranoURF32) {
        return "INFORMACOESNUTRICIONAIS.TXT";
    }
    return TipoMGVOuVer1(m) ? "INFNUTRI.TXT" : "";
}

std::string NomeArquivoProdutoNutricional(M m) {
    return m == M::modUranoURF32 ? "PRODUTOSINFORMACOESNUTRICIONAIS.TXT" : "";
}

std::string NomeArquivoProdutoReceita(M m) {
    return m == M::modUranoURF32 ? "PRODUTOSRECEITAS.TXT" : "";
}

std::string NomeArquivoTara(M m) {
    return m == M::modToledo || TipoMGVOuVer1(m) ? "TARA.TXT" : "";
}

std::string NomeArquivoFornecedor(M m) {
    return TipoMGVOuVer1(m) ? "TXFORN.TXT" : "";
}
std::string NomeArquivoFracionador(M m) {
    return TipoMGVOuVer1(m) ? "FRACIONA.TXT" : "";
}
std::string NomeArquivoConservacao(M m) {
    return TipoMGVOuVer1(m) ? "CONSERVA.TXT" : "";
}
std::string NomeArquivoCampoExtra1(M m) {
    return TipoMGV(m) ? "CAMPEXT1.TXT" : "";
}
std::string NomeArquivoCampoExtra2(M m) {
    return TipoMGV(m) ? "CAMPEXT2.TXT" : "";
}
std::string NomeArquivoTeclado(M m) {
    return TipoMGV(m) ? "TXTECLAS.TXT" : "";
}

std::string NomeArquivo(M m, TipoLista lista) {
    using Funcao = std::string (*)(M);
    static constexpr std::array<Funcao, QuantidadeListas> funcoes = {
        NomeArquivoItens,
        NomeArquivoSetor,
        NomeArquivoReceita,
        NomeArquivoNutricional,
        NomeArquivoProdutoNutricional,
        NomeArquivoProdutoReceita,
        NomeArquivoTara,
        NomeArquivoFornecedor,
        NomeArquivoFracionador,
        NomeArquivoCampoExtra1,
        NomeArquivoCampoExtra2,
        NomeArquivoConservacao,
        NomeArquivoTeclado,
    };
    return funcoes[static_cast<std::size_t>(lista)](m);
}

} // namespace cargabal
