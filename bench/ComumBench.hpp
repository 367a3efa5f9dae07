// What every generator benchmark compares against: the same bytes written
// with one plain fwrite per file, in the same run.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
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
                             const std::filesystem::path& pasta) {
    for (const auto& a : arquivos) {
        std::FILE* f = std::fopen((pasta / a.Nome).c_str(), "wb");
        if (f == nullptr) {
            continue;
        }
        std::fwrite(a.Bytes.data(), 1, a.Bytes.size(), f);
        std::fclose(f);
    }
}

inline std::filesystem::path PastaBench(const std::string& nome) {
    auto p = std::filesystem::temp_directory_path() / ("orbitra-bench-" + nome);
    std::filesystem::create_directories(p);
    return p;
}

} // namespace bench
