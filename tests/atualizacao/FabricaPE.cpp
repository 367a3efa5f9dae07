#include "FabricaPE.hpp"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testes {

namespace {

void Executa(const std::string& comando) {
    if (std::system((comando + " 2>&1").c_str()) != 0) {
        throw std::runtime_error("falhou: " + comando);
    }
}

std::string Script(const TRecursoVersao& r) {
    std::ostringstream rc;
    if (!r.ComRecurso) {
        rc << "1 RCDATA { \"sem versao\" }\n";
        return rc.str();
    }
    char bloco[16];
    std::snprintf(bloco, sizeof bloco, "%04X%04X", r.Traducao ? r.Traducao->first : 0x0416,
                  r.Traducao ? r.Traducao->second : 0x04E4);
    rc << "1 VERSIONINFO\nFILEVERSION 1,0,0,0\nPRODUCTVERSION 1,0,0,0\nBEGIN\n"
       << "  BLOCK \"StringFileInfo\"\n  BEGIN\n    BLOCK \"" << bloco << "\"\n    BEGIN\n";
    for (const auto& [chave, valor] : r.Valores) {
        rc << "      VALUE \"" << chave << "\", \"" << valor << "\\0\"\n";
    }
    rc << "    END\n  END\n";
    if (r.Traducao) {
        rc << "  BLOCK \"VarFileInfo\"\n  BEGIN\n    VALUE \"Translation\", " << r.Traducao->first
           << ", " << r.Traducao->second << "\n  END\n";
    }
    rc << "END\n";
    return rc.str();
}

} // namespace

TRecursoVersao Recurso(const std::string& empresa, const std::string& produto,
                       const std::string& versao) {
    TRecursoVersao r;
    r.Valores = {{"CompanyName", empresa}, {"ProductName", produto}, {"FileVersion", versao}};
    return r;
}

void CriaExecutavel(const std::filesystem::path& destino, const TRecursoVersao& recurso) {
    const std::string base = destino.string() + ".fabrica";
    { std::ofstream(base + ".rc", std::ios::binary) << Script(recurso); }
    const std::string q = "'";
    // Without a C preprocessor in the package, the script is fed as it is.
    Executa(q + MINGW_WINDRES + q + " --preprocessor=cat -c 65001 -i " + q + base + ".rc" + q +
            " -o " + q + base + ".o" + q);
    Executa(q + MINGW_LD + q + " -e 0 --subsystem windows -o " + q + base + ".exe" + q + " " + q +
            base + ".o" + q);
    if (recurso.Pe32) {
        Executa(q + MINGW_OBJCOPY + q + " -O pei-i386 " + q + base + ".exe" + q + " " + q + base +
                ".32" + q);
        std::filesystem::rename(base + ".32", base + ".exe");
    }
    std::filesystem::rename(base + ".exe", destino);
    std::filesystem::remove(base + ".rc");
    std::filesystem::remove(base + ".o");
}

} // namespace testes
