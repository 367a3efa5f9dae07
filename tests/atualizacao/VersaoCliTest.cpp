// `cargabal versao`: the real program on real executables.
#include "FabricaPE.hpp"
#include "comum/PastaTemporaria.hpp"

#include <cstdio>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

namespace {

struct Resultado {
    int Saida;
    std::string Texto;
    std::string Erros;
};

Resultado Roda(const testes::PastaTemporaria& pasta, const std::string& argumentos) {
    const std::string erros = pasta / "erros.txt";
    const std::string comando =
        std::string("'") + CARGABAL_CLI + "' versao " + argumentos + " 2>'" + erros + "'";
    std::FILE* p = ::popen(comando.c_str(), "r");
    std::string texto;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;) {
        texto.append(buffer, n);
    }
    const int estado = ::pclose(p);
    return {WEXITSTATUS(estado), texto, testes::LeArquivo(erros)};
}

TEST(VersaoCli, OneJsonObjectPerFileWithRawAndReportedValues) {
    testes::PastaTemporaria pasta;
    auto r = testes::Recurso("VANDREL Sistemas", "OrbitraNFCe", "1, 0, 0, 5");
    r.Valores.push_back({"Comments", "Caixa ç"});
    testes::CriaExecutavel(pasta / "pdv.exe", r);
    testes::EscreveArquivo(pasta / "texto.txt", "sem versão");
    const auto res = Roda(pasta, "'" + (pasta / "pdv.exe") + "' '" + (pasta / "texto.txt") + "'");
    EXPECT_EQ(res.Saida, 0) << res.Erros;
    const auto linha2 = res.Texto.find('\n') + 1;
    const auto pdv = nlohmann::ordered_json::parse(res.Texto.substr(0, linha2));
    EXPECT_EQ(pdv.dump(), nlohmann::ordered_json({{"arquivo", pasta / "pdv.exe"},
                                                  {"CompanyName", "VANDREL Sistemas"},
                                                  {"FileDescription", ""},
                                                  {"FileVersion", "1, 0, 0, 5"},
                                                  {"InternalName", ""},
                                                  {"LegalCopyright", ""},
                                                  {"LegalTrademarks", ""},
                                                  {"OriginalFilename", ""},
                                                  {"ProductName", "OrbitraNFCe"},
                                                  {"ProductVersion", ""},
                                                  {"Comments", "Caixa ç"},
                                                  {"ProductNameReportado", "OrbitraPDV"},
                                                  {"Versao", 0}})
                              .dump());
    const auto texto = nlohmann::json::parse(res.Texto.substr(linha2));
    EXPECT_EQ(texto["CompanyName"], "");
    EXPECT_EQ(texto["Versao"], 0);
}

TEST(VersaoCli, UsageAndMissingFiles) {
    testes::PastaTemporaria pasta;
    const auto ajuda = Roda(pasta, "--help");
    EXPECT_EQ(ajuda.Saida, 0);
    EXPECT_NE(ajuda.Texto.find("Exemplo: cargabal versao"), std::string::npos);
    EXPECT_EQ(Roda(pasta, "").Saida, 2);
    const auto falta = Roda(pasta, "'" + (pasta / "nao-existe.exe") + "'");
    EXPECT_EQ(falta.Saida, 2);
    EXPECT_EQ(falta.Texto, "");
    EXPECT_NE(falta.Erros.find("nao-existe.exe"), std::string::npos);
}

} // namespace
