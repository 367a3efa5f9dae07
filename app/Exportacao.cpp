#include "app/Exportacao.hpp"

#include "app/Texto.hpp"
#include "cargabal/Formatacao.hpp"

#include <cstdint>
#include <limits>
#include <sstream>

namespace loja {

using cargabal::TZADeCargaBalModelo;
using cargabal::TZADeCargaBalTipoVenda;

std::optional<TZADeCargaBalModelo> ModeloDaMarca(std::string_view texto) {
    constexpr std::array<TZADeCargaBalModelo, Marcas.size()> modelos = {
        TZADeCargaBalModelo::modFilizola, TZADeCargaBalModelo::modToledo,
        TZADeCargaBalModelo::modUrano};
    for (std::size_t i = 0; i < Marcas.size(); ++i) {
        if (texto == Marcas[i]) {
            return modelos[i];
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> MarcaSemCaixa(std::string_view texto) {
    for (std::string_view marca : Marcas) {
        if (IgualSemCaixa(marca, texto)) {
            return marca;
        }
    }
    return std::nullopt;
}

namespace {

std::int16_t Validade(const TConsulta& q, std::int32_t codigo) {
    const std::int64_t validade = q.FieldByName("validade").AsLargeInt();
    if (validade < std::numeric_limits<std::int16_t>::min() ||
        validade > std::numeric_limits<std::int16_t>::max()) {
        throw EExportacao("O produto " + std::to_string(codigo) + " tem validade " +
                          std::to_string(validade) +
                          ", fora do intervalo aceito pelas balanças (-32768 a 32767). "
                          "Nenhum arquivo foi gerado.");
    }
    return static_cast<std::int16_t>(validade);
}

cargabal::Currency Preco(const TConsulta& q, std::int32_t codigo, bool precoFuturo) {
    const char* coluna = precoFuturo ? "precofuturo" : "preco";
    const double valor = q.FieldByName(coluna).AsFloat();
    if (auto dinheiro = cargabal::Currency::DeDouble(valor)) {
        return *dinheiro;
    }
    std::ostringstream texto;
    texto << valor;
    throw EExportacao("O produto " + std::to_string(codigo) + " tem " + coluna + " " + texto.str() +
                      ", que não é um valor monetário válido. "
                      "Nenhum arquivo foi gerado.");
}

void PreencheItem(const TConsulta& q, bool precoFuturo, cargabal::TZADeCargaBalItem& item) {
    item.ModeloEtiqueta = 1;
    item.Tipo = q.FieldByName("unidademedida").AsString() == "KG"
                    ? TZADeCargaBalTipoVenda::tpvPeso
                    : TZADeCargaBalTipoVenda::tpvUnidade;
    item.Codigo = q.FieldByName("codproduto").AsInteger();
    item.Descricao = cargabal::Utf16(q.FieldByName("descricao").AsString());
    item.ValorVenda = Preco(q, item.Codigo, precoFuturo);
    item.Validade = Validade(q, item.Codigo);
    item.Setor().Codigo = 1;
}

} // namespace

void CarregaProdutos(TDM1& dm, bool precoFuturo, cargabal::TZADeCargaBalItens& produtos) {
    produtos.Clear();
    TConsulta& q = dm.QueryProduto;
    q.Close();
    q.ParamByName("precofuturo").SetAsBoolean(precoFuturo);
    q.Open();
    try {
        for (q.First(); !q.Eof(); q.Next()) {
            PreencheItem(q, precoFuturo, produtos.New());
        }
    } catch (...) {
        // A refused row leaves no half-filled list behind for the generator,
        // and no statement running on the server.
        produtos.Clear();
        q.Close();
        throw;
    }
}

void ExportaProdutos(TDM1& dm, cargabal::TZADeCargaBal& gerador, bool precoFuturo,
                     const std::string& pasta) {
    CarregaProdutos(dm, precoFuturo, gerador.Produtos());
    gerador.GerarArquivos(pasta);
}

} // namespace loja
