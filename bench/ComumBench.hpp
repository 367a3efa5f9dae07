// What every generator benchmark compares against: the same bytes written
// with one plain fwrite per file, in the same run; and the same followed by
// fsync, since a load file is only replaced once it is safely on disk.
#pragma once

#include "cargabal/ZADeCargaBal.hpp"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace bench {

struct ArquivoEmMemoria {
    std::string Nome;
    std::string Bytes;
};

inline std::vector<ArquivoEmMemoria> LeArquivos(const std::vector<std::string>& caminhos) {
    std::vector<ArquivoEmMemoria> r;
    for (const auto& c : caminhos) {
        std::ifstream in(c, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        r.push_back({std::filesystem::path(c).filename().string(), s.str()});
    }
    return r;
}

inline void EscreveComFwrite(const std::vector<ArquivoEmMemoria>& arquivos,
                             const std::filesystem::path& pasta, bool sincroniza) {
    for (const auto& a : arquivos) {
        std::FILE* f = std::fopen((pasta / a.Nome).c_str(), "wb");
        if (f == nullptr) {
            continue;
        }
        std::fwrite(a.Bytes.data(), 1, a.Bytes.size(), f);
        if (sincroniza) {
            std::fflush(f);
            ::fsync(::fileno(f));
        }
        std::fclose(f);
    }
}

inline std::filesystem::path PastaBench(const std::string& nome) {
    auto p = std::filesystem::temp_directory_path() / ("orbitra-bench-" + nome);
    std::filesystem::create_directories(p);
    return p;
}

// Times GerarArquivos of a filled generator.
inline void MedeGeracao(benchmark::State& estado, cargabal::TZADeCargaBal& gerador,
                        const std::string& nome) {
    const std::string pasta = PastaBench(nome + "-gera").string();
    for (auto _ : estado) {
        gerador.GerarArquivos(pasta);
    }
}

// Generates once, untimed, then times writing the same bytes with fwrite.
inline void MedeFwrite(benchmark::State& estado, cargabal::TZADeCargaBal& gerador,
                       const std::string& nome, bool sincroniza) {
    gerador.GerarArquivos(PastaBench(nome + "-origem").string());
    const auto arquivos = LeArquivos(gerador.ArquivosGerados());
    std::int64_t bytes = 0;
    for (const auto& a : arquivos) {
        bytes += static_cast<std::int64_t>(a.Bytes.size());
    }
    const auto pasta = PastaBench(nome + "-fwrite");
    for (auto _ : estado) {
        EscreveComFwrite(arquivos, pasta, sincroniza);
    }
    estado.SetBytesProcessed(bytes * estado.iterations());
}

} // namespace bench
