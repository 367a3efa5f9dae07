// Filizola generation against a plain write of the same bytes.
#include "ComumBench.hpp"
#include "cargabal/ZADeCargaBal.hpp"

#include <benchmark/benchmark.h>

namespace {

using namespace cargabal;

// Half of the products carry a recipe; a quarter of those repeat one.
void PreencheFilizola(TZADeCargaBal& g, int n) {
    g.Modelo = TZADeCargaBalModelo::modFilizola;
    for (int i = 0; i < n; ++i) {
        TZADeCargaBalItem& p = g.Produtos().New();
        p.Codigo = i + 1;
        p.Descricao =
            u"PRODUTO DE TESTE " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
        p.ValorVenda = Currency{12345 + i};
        p.Validade = static_cast<std::int16_t>(i % 365);
        p.Setor().Descricao = u"SETOR";
        if (i % 2 == 0) {
            // Repeated recipes come from products that share code and text
            // (some differing only in letter case), which gives one line.
            const bool repetida = i % 8 == 0;
            if (repetida) {
                p.Codigo = 1;
            }
            p.InformacaoExtra().Receita =
                std::u16string(i % 16 == 0 ? u"INGREDIENTES" : u"Ingredientes") +
                u": farinha de trigo, água, sal e fermento. Lote " +
                (repetida ? u"comum" : std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
        }
    }
}

void GerarArquivosFilizola(benchmark::State& estado) {
    TZADeCargaBal g;
    PreencheFilizola(g, static_cast<int>(estado.range(0)));
    bench::MedeGeracao(estado, g, "filizola");
}

void FwriteMesmosBytesFilizola(benchmark::State& estado) {
    TZADeCargaBal g;
    PreencheFilizola(g, static_cast<int>(estado.range(0)));
    bench::MedeFwrite(estado, g, "filizola", false);
}

void FwriteFsyncMesmosBytesFilizola(benchmark::State& estado) {
    TZADeCargaBal g;
    PreencheFilizola(g, static_cast<int>(estado.range(0)));
    bench::MedeFwrite(estado, g, "filizola", true);
}

void Tamanhos(benchmark::internal::Benchmark* b) {
    b->Arg(10000)->Arg(100000)->ArgName("produtos")->Unit(benchmark::kMillisecond);
}

BENCHMARK(GerarArquivosFilizola)->Apply(Tamanhos);
BENCHMARK(FwriteMesmosBytesFilizola)->Apply(Tamanhos);
BENCHMARK(FwriteFsyncMesmosBytesFilizola)->Apply(Tamanhos);

} // namespace
