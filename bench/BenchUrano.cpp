// Urano and Urano URF32 loads of 10 000 and 100 000 products, each beside the
// time of writing the very same bytes with plain fwrite.
#include "ComumBench.hpp"
#include "cargabal/Formatacao.hpp"
#include "cargabal/ZADeCargaBal.hpp"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using cargabal::Currency;
using cargabal::TZADeCargaBal;
using cargabal::TZADeCargaBalModelo;

// A third of the products with a nutrition quantity, a third with a recipe
// (distinct texts, so the URF32 duplicate test finds no match).
void Preenche(TZADeCargaBal& gerador, int quantidade) {
    const std::u16string base(280, u'r');
    for (int i = 0; i < quantidade; ++i) {
        cargabal::TZADeCargaBalItem& p = gerador.Produtos().New();
        const std::u16string numero = cargabal::Utf16(std::to_string(i));
        p.Codigo = i + 1;
        p.Descricao = u"PRODUTO TESTE " + numero;
        p.ValorVenda = Currency{(static_cast<std::int64_t>(i) * 7919) % 20000000};
        p.Validade = static_cast<std::int16_t>(i % 365);
        p.Tipo = i % 2 == 0 ? cargabal::TZADeCargaBalTipoVenda::tpvPeso
                            : cargabal::TZADeCargaBalTipoVenda::tpvUnidade;
        if (i % 3 == 1) {
            p.Nutricional().Qtd = 100;
            p.Nutricional().ValorEnergetico = 250;
            p.Nutricional().Carboidrato = Currency{123500};
            p.Nutricional().Sodio = Currency{4500};
        } else if (i % 3 == 2) {
            p.InformacaoExtra().Receita = numero + base;
        }
    }
}

TZADeCargaBalModelo Modelo(const benchmark::State& estado) {
    return static_cast<TZADeCargaBalModelo>(estado.range(0));
}

void Configura(TZADeCargaBal& gerador, const benchmark::State& estado) {
    gerador.Modelo = Modelo(estado);
    gerador.Numeros = {u',', u'.'};
    Preenche(gerador, static_cast<int>(estado.range(1)));
}

void GerarArquivosUrano(benchmark::State& estado) {
    TZADeCargaBal gerador;
    Configura(gerador, estado);
    bench::MedeGeracao(estado, gerador, "urano");
}

void FwriteMesmosBytesUrano(benchmark::State& estado) {
    TZADeCargaBal gerador;
    Configura(gerador, estado);
    bench::MedeFwrite(estado, gerador, "urano", false);
}

void FwriteFsyncMesmosBytesUrano(benchmark::State& estado) {
    TZADeCargaBal gerador;
    Configura(gerador, estado);
    bench::MedeFwrite(estado, gerador, "urano", true);
}

void Tamanhos(benchmark::internal::Benchmark* b) {
    for (const auto m : {TZADeCargaBalModelo::modUrano, TZADeCargaBalModelo::modUranoURF32}) {
        for (const int n : {10000, 100000}) {
            b->Args({static_cast<int>(m), n});
        }
    }
    b->ArgNames({"modelo", "produtos"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(GerarArquivosUrano)->Apply(Tamanhos);
BENCHMARK(FwriteMesmosBytesUrano)->Apply(Tamanhos);
BENCHMARK(FwriteFsyncMesmosBytesUrano)->Apply(Tamanhos);
