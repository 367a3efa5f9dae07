// Toledo MGV6 loads of 10 000 and 100 000 products with every auxiliary
// record, each beside the time of writing the very same bytes with fwrite.
#include "ComumBench.hpp"
#include "cargabal/Formatacao.hpp"
#include "cargabal/ListaLinhas.hpp"
#include "cargabal/RegistrosMGV.hpp"
#include "cargabal/ZADeCargaBal.hpp"

#include <array>
#include <benchmark/benchmark.h>
#include <string>

namespace {

using cargabal::Currency;
using cargabal::TZADeCargaBal;
using cargabal::TZADeCargaBalItem;

std::u16string Maiusculas(std::u16string texto) {
    for (char16_t& c : texto) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return texto;
}

// Products come in pairs that share every auxiliary record, so half of the
// records are repeats; every other pair repeats them in capitals, which the
// case-insensitive search must still find. Keys spread over four keyboards.
void Preenche(TZADeCargaBal& gerador, int quantidade) {
    const std::u16string receita(300, u'r');
    for (int i = 0; i < quantidade; ++i) {
        TZADeCargaBalItem& p = gerador.Produtos().New();
        const int k = i / 2;
        const bool capitais = i % 4 == 3;
        auto texto = [&](const char16_t* prefixo) {
            std::u16string t = prefixo + cargabal::Utf16(std::to_string(k));
            return capitais ? Maiusculas(std::move(t)) : t;
        };
        const auto codigo16 = static_cast<std::int16_t>(k % 32000 + 1);
        p.Codigo = i + 1;
        p.Descricao = u"PRODUTO TESTE " + cargabal::Utf16(std::to_string(i));
        p.ValorVenda = Currency{(static_cast<std::int64_t>(i) * 7919) % 20000000};
        p.Validade = static_cast<std::int16_t>(i % 365);
        p.Setor().Codigo = k % 99 + 1;
        p.Setor().Descricao = texto(u"setor ");
        // Shared code, so that the pair's information records are equal too.
        p.InformacaoExtra().Codigo = k + 1;
        p.InformacaoExtra().Observacao = texto(u"observacao ");
        p.InformacaoExtra().Receita = texto(u"receita ") + receita;
        auto& n = p.Nutricional();
        n.Codigo = k + 1;
        n.Qtd = 100;
        n.ValorEnergetico = k % 1000;
        n.Carboidrato = Currency{123500};
        n.Sodio = Currency{4500};
        p.Tara().Codigo = k % 9999 + 1;
        p.Tara().TipoTara = k % 2;
        p.Tara().Valor = Currency{150};
        p.Tara().ValorMaximoTara = Currency{25000};
        p.Tara().Descricao = texto(u"tara ");
        p.Fornecedor().Codigo = codigo16;
        p.Fornecedor().Observacao = texto(u"fornecedor ");
        p.Fornecedor().Descricao1 = texto(u"rua das flores ");
        p.Fracionador().Codigo = codigo16;
        p.Fracionador().Observacao = texto(u"fracionador ");
        p.Conservacao().Codigo = codigo16;
        p.Conservacao().Observacao = texto(u"conservar refrigerado ");
        p.Extra1().Codigo = codigo16;
        p.Extra1().Linha1 = texto(u"extra um ");
        p.Extra2().Codigo = codigo16;
        p.Extra2().Linha1 = texto(u"extra dois ");
        p.Teclado().Codigo_Teclado = i % 4 + 1;
        p.Teclado().Tecla = i % 99 + 1;
    }
}

void Configura(TZADeCargaBal& gerador, const benchmark::State& estado) {
    gerador.Modelo = cargabal::TZADeCargaBalModelo::modToledoMGV6;
    Preenche(gerador, static_cast<int>(estado.range(0)));
}

void GerarArquivosToledoMGV6(benchmark::State& estado) {
    TZADeCargaBal gerador;
    Configura(gerador, estado);
    bench::MedeGeracao(estado, gerador, "toledo");
}

// The writer alone: the lines built in memory, nothing converted or saved.
void EscritorToledoMGV6(benchmark::State& estado) {
    TZADeCargaBal gerador;
    Configura(gerador, estado);
    for (auto _ : estado) {
        std::array<cargabal::ListaLinhas, 11> l;
        const cargabal::ListasMGV listas{&l[0], &l[1], &l[2], &l[3], &l[4], &l[5],
                                         &l[6], &l[7], &l[8], &l[9], &l[10]};
        cargabal::GeraCargaMGV(gerador.Produtos(), &cargabal::FormaMGV6, listas, nullptr);
        benchmark::DoNotOptimize(l);
    }
}

void FwriteMesmosBytesToledoMGV6(benchmark::State& estado) {
    TZADeCargaBal gerador;
    Configura(gerador, estado);
    bench::MedeFwrite(estado, gerador, "toledo", false);
}

void FwriteFsyncMesmosBytesToledoMGV6(benchmark::State& estado) {
    TZADeCargaBal gerador;
    Configura(gerador, estado);
    bench::MedeFwrite(estado, gerador, "toledo", true);
}

void Tamanhos(benchmark::internal::Benchmark* b) {
    b->Arg(10000)->Arg(100000)->ArgName("produtos")->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(GerarArquivosToledoMGV6)->Apply(Tamanhos);
BENCHMARK(EscritorToledoMGV6)->Apply(Tamanhos);
BENCHMARK(FwriteMesmosBytesToledoMGV6)->Apply(Tamanhos);
BENCHMARK(FwriteFsyncMesmosBytesToledoMGV6)->Apply(Tamanhos);
