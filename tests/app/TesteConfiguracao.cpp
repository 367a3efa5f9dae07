// "arquivo.ini": defaults, reading without creating, and saving the two keys
// of "cargabalanca" without disturbing anything else.
#include "app/Configuracao.hpp"
#include "comum/PastaTemporaria.hpp"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using loja::GravaConfiguracaoCarga;
using loja::LeConfiguracao;
using testes::LeArquivo;
using testes::PastaTemporaria;

TEST(Configuracao, SemArquivoValemOsPadroesEOArquivoNaoECriado) {
    PastaTemporaria pasta;
    const auto c = LeConfiguracao(pasta / "arquivo.ini");
    EXPECT_EQ(c.Host, "127.0.0.1");
    EXPECT_EQ(c.Nome, "orbitra");
    EXPECT_EQ(c.Login, "postgres");
    EXPECT_EQ(c.Senha, "K82PUDWEXN47");
    EXPECT_EQ(c.Modelo, "Filizola");
    EXPECT_EQ(c.Caminho, "");
    EXPECT_FALSE(std::filesystem::exists(pasta / "arquivo.ini"));
}

TEST(Configuracao, LeSecoesEChavesSemDistinguirCaixaEmUtf8) {
    PastaTemporaria pasta;
    testes::EscreveArquivo(pasta / "arquivo.ini",
                           "; loja 12\r\n[BD]\r\nHost = 10.0.0.5\r\n[DadosBanco]\r\nLOGIN=caixa\r\n"
                           "[cargabalanca]\r\nmodelo=toledo\r\ncaminho=/srv/Balança Açougue\r\n");
    const auto c = LeConfiguracao(pasta / "arquivo.ini");
    EXPECT_EQ(c.Host, "10.0.0.5");
    EXPECT_EQ(c.Login, "caixa");
    EXPECT_EQ(c.Nome, "orbitra");       // missing key: default
    EXPECT_EQ(c.Senha, "K82PUDWEXN47"); // missing key: default
    EXPECT_EQ(c.Modelo, "toledo");
    EXPECT_EQ(c.Caminho, "/srv/Balança Açougue");
}

TEST(Configuracao, GravarMantemOutrasSecoesChavesEComentarios) {
    PastaTemporaria pasta;
    const std::string ini = pasta / "arquivo.ini";
    testes::EscreveArquivo(ini, "; configuração da loja\n[bd]\nhost=10.0.0.5\n"
                                "; senha trocada em 2024\n[dadosbanco]\nsenha=segredo\n"
                                "[cargabalanca]\nmodelo=Toledo\ncaminho=/antigo\nextra=1\n"
                                "[atualizacao]\nservidor=http://x:8084\n");
    GravaConfiguracaoCarga(ini, "Urano", "/novo/pasta ç");
    const std::string texto = LeArquivo(ini);
    EXPECT_THAT(texto, ::testing::HasSubstr("; configuração da loja"));
    EXPECT_THAT(texto, ::testing::HasSubstr("; senha trocada em 2024"));
    EXPECT_THAT(texto, ::testing::HasSubstr("servidor=http://x:8084"));
    EXPECT_THAT(texto, ::testing::HasSubstr("extra=1"));
    const auto c = LeConfiguracao(ini);
    EXPECT_EQ(c.Host, "10.0.0.5");
    EXPECT_EQ(c.Senha, "segredo");
    EXPECT_EQ(c.Modelo, "Urano");
    EXPECT_EQ(c.Caminho, "/novo/pasta ç");
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(pasta.Caminho()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(Configuracao, GravarCriaOArquivoComAsDuasChaves) {
    PastaTemporaria pasta;
    const std::string ini = pasta / "arquivo.ini";
    GravaConfiguracaoCarga(ini, "", "");
    EXPECT_EQ(LeArquivo(ini), "[cargabalanca]\nmodelo=\ncaminho=\n");
}

TEST(Configuracao, FalhaAoGravarNomeiaOArquivo) {
    PastaTemporaria pasta;
    const std::string ini = pasta / "nao-existe/arquivo.ini";
    EXPECT_THAT([&] { GravaConfiguracaoCarga(ini, "Filizola", "/x"); },
                ::testing::ThrowsMessage<std::runtime_error>(::testing::HasSubstr(ini)));
}

} // namespace
