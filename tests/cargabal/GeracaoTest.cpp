// The generation driver: checks, paths, saving, progress, failures.
#include "cargabal/ArquivoCarga.hpp"
#include "cargabal/ZADeCargaBal.hpp"
#include "comum/PastaTemporaria.hpp"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace cargabal {
namespace {

namespace fs = std::filesystem;
using testes::LeArquivo;
using testes::PastaTemporaria;

void Produto(TZADeCargaBal& c, std::int32_t codigo, std::u16string descricao) {
    TZADeCargaBalItem& p = c.Produtos().New();
    p.Codigo = codigo;
    p.Descricao = std::move(descricao);
    p.ValorVenda = Currency{399000};
}

std::string MensagemDe(TZADeCargaBal& c, const std::string& pasta) {
    try {
        c.GerarArquivos(pasta);
    } catch (const EZADeCargaBal& e) {
        return e.what();
    }
    return "";
}

TEST(Geracao, VerificacoesNaOrdemCerta) {
    PastaTemporaria pasta;
    TZADeCargaBal c;
    std::vector<std::u16string> progresso;
    c.OnProgresso = [&](const std::u16string& m, int, int) { progresso.push_back(m); };
    const std::string informe = "Informe o diretório onde serão gerados os arquivos de carga!";
    const std::string naoExiste = "Diretorio informado não existe!";
    const std::string semProdutos = "Não foram informados os produtos para a geração!";
    // The folder checks come first, even with no products.
    EXPECT_EQ(MensagemDe(c, ""), informe);
    EXPECT_EQ(MensagemDe(c, "  \t "), informe);
    EXPECT_EQ(MensagemDe(c, pasta / "nao-existe"), naoExiste);
    EXPECT_EQ(MensagemDe(c, " " + pasta.Texto()), naoExiste) << "the folder is not trimmed";
    EXPECT_EQ(MensagemDe(c, pasta.Texto()), semProdutos);
    testes::EscreveArquivo(pasta / "arquivo", "x");
    EXPECT_EQ(MensagemDe(c, pasta / "arquivo"), naoExiste);

    Produto(c, 1, u"A");
    c.GerarArquivos(pasta.Texto());
    const auto anteriores = c.ArquivosGerados();
    progresso.clear();
    c.Produtos().Clear();
    EXPECT_EQ(MensagemDe(c, pasta.Texto()), semProdutos);
    EXPECT_EQ(c.ArquivosGerados(), anteriores) << "a failed check keeps the previous paths";
    EXPECT_TRUE(progresso.empty());
}

TEST(Geracao, LinkParaPastaServe) {
    PastaTemporaria pasta;
    fs::create_directory(pasta / "real");
    fs::create_directory_symlink(pasta / "real", pasta / "link");
    TZADeCargaBal c;
    Produto(c, 1, u"A");
    c.GerarArquivos(pasta / "link");
    EXPECT_TRUE(fs::exists(pasta / "real/CADTXT.TXT"));
}

TEST(Geracao, CaminhosComOuSemBarraFinal) {
    PastaTemporaria pasta;
    TZADeCargaBal c;
    Produto(c, 1, u"A");
    c.GerarArquivos(pasta.Texto());
    const auto semBarra = c.ArquivosGerados();
    c.GerarArquivos(pasta.Texto() + "/");
    EXPECT_EQ(c.ArquivosGerados(), semBarra);
    EXPECT_EQ(semBarra, std::vector<std::string>{pasta / "CADTXT.TXT"});
}

TEST(Geracao, SoListasComLinhasViramArquivosNaOrdemDaTabela) {
    PastaTemporaria pasta;
    testes::EscreveArquivo(pasta / "NUTRI.TXT", "antigo");
    testes::EscreveArquivo(pasta / "CADTXT.TXT", "antigo, bem mais longo que o novo arquivo");
    TZADeCargaBal c;
    Produto(c, 1, u"A");
    TZADeCargaBalItem& p = c.Produtos().New();
    p.Codigo = 2;
    p.Setor().Descricao = u"FRIOS";
    p.InformacaoExtra().Receita = u"Receita";
    c.GerarArquivos(pasta.Texto());
    EXPECT_EQ(c.ArquivosGerados(),
              (std::vector<std::string>{pasta / "CADTXT.TXT", pasta / "SETORTXT.TXT",
                                        pasta / "REC_ASS.TXT"}));
    EXPECT_EQ(LeArquivo(pasta / "NUTRI.TXT"), "antigo") << "an unrelated old file stays";
    EXPECT_EQ(LeArquivo(pasta / "CADTXT.TXT").size(), 2 * (169 + 2)) << "an old file is replaced";
    std::size_t arquivos = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(pasta.Caminho())) {
        ++arquivos;
    }
    EXPECT_EQ(arquivos, 4u) << "no temporary file is left behind";
}

TEST(Geracao, SequenciaDeProgresso) {
    PastaTemporaria pasta;
    TZADeCargaBal c;
    Produto(c, 1, u"UM");
    Produto(c, 22, u"DOIS");
    Produto(c, 333, u"TRÊS");
    std::vector<std::tuple<std::u16string, int, int>> visto;
    c.OnProgresso = [&](const std::u16string& m, int a, int t) { visto.emplace_back(m, a, t); };
    c.GerarArquivos(pasta.Texto());
    const std::vector<std::tuple<std::u16string, int, int>> esperado = {
        {u"Iniciando a geração dos arquivos", 0, 3},
        {u"Gerando produto 000001 UM", 0, 3},
        {u"Gerando produto 000022 DOIS", 1, 3},
        {u"Gerando produto 000333 TRÊS", 2, 3},
        {u"Terminado", 3, 3},
    };
    EXPECT_EQ(visto, esperado);
}

TEST(Geracao, BytesWindows1252ComCrLfSemBom) {
    PastaTemporaria pasta;
    TZADeCargaBal c;
    Produto(c, 1, u"PÃO \u4E2D");
    Produto(c, 2, u"B");
    c.GerarArquivos(pasta.Texto());
    const std::string bytes = LeArquivo(pasta / "CADTXT.TXT");
    ASSERT_EQ(bytes.size(), 2u * 171);
    EXPECT_EQ(bytes.substr(0, 13), "000001PP\xC3O ? ");
    EXPECT_EQ(bytes.substr(169, 2), "\r\n");
    EXPECT_EQ(bytes.substr(340, 2), "\r\n");
}

TEST(Geracao, FalhaNoSegundoArquivoMantemOPrimeiro) {
    PastaTemporaria pasta;
    // A folder where the department file should go makes its save fail.
    fs::create_directories(pasta / "SETORTXT.TXT/dentro");
    TZADeCargaBal c;
    Produto(c, 1, u"A");
    c.Produtos().Items(0).Setor().Descricao = u"FRIOS";
    c.Produtos().Items(0).InformacaoExtra().Receita = u"Receita";
    std::vector<std::u16string> progresso;
    c.OnProgresso = [&](const std::u16string& m, int, int) { progresso.push_back(m); };
    EXPECT_THROW(c.GerarArquivos(pasta.Texto()), EArquivo);
    EXPECT_EQ(c.ArquivosGerados(), std::vector<std::string>{pasta / "CADTXT.TXT"});
    EXPECT_TRUE(fs::exists(pasta / "CADTXT.TXT"));
    EXPECT_FALSE(fs::exists(pasta / "REC_ASS.TXT")) << "later lists are not saved";
    EXPECT_NE(progresso.back(), u"Terminado");
}

TEST(Geracao, PastaSomenteLeituraNaoPerdeOArquivoAnterior) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders; the size-limit test covers this";
    }
    PastaTemporaria pasta;
    testes::EscreveArquivo(pasta / "CADTXT.TXT", "anterior");
    fs::permissions(pasta.Caminho(), fs::perms::owner_read | fs::perms::owner_exec);
    TZADeCargaBal c;
    Produto(c, 1, u"A");
    try {
        c.GerarArquivos(pasta.Texto());
        ADD_FAILURE() << "expected a write error";
    } catch (const EArquivo& e) {
        EXPECT_NE(std::string(e.what()).find("CADTXT.TXT"), std::string::npos) << e.what();
    }
    fs::permissions(pasta.Caminho(), fs::perms::owner_all);
    EXPECT_EQ(LeArquivo(pasta / "CADTXT.TXT"), "anterior");
}

// A write that stops halfway (here: the file-size limit) must leave the
// previous load file as it was and say which file failed.
TEST(Geracao, LimiteDeTamanhoDeixaOArquivoAnteriorIntacto) {
    PastaTemporaria pasta;
    testes::EscreveArquivo(pasta / "CADTXT.TXT", "anterior");
    int canal[2];
    ASSERT_EQ(::pipe(canal), 0);
    const pid_t filho = ::fork();
    ASSERT_GE(filho, 0);
    if (filho == 0) {
        ::close(canal[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limite{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limite);
        TZADeCargaBal c;
        for (int i = 0; i < 50; ++i) {
            Produto(c, i, u"PRODUTO");
        }
        std::string mensagem = "sem erro";
        try {
            c.GerarArquivos(pasta.Texto());
        } catch (const EArquivo& e) {
            mensagem = e.what();
        }
        [[maybe_unused]] auto n = ::write(canal[1], mensagem.data(), mensagem.size());
        ::_exit(0);
    }
    ::close(canal[1]);
    std::string mensagem;
    char buffer[512];
    for (ssize_t n; (n = ::read(canal[0], buffer, sizeof buffer)) > 0;) {
        mensagem.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(canal[0]);
    int estado = 0;
    ::waitpid(filho, &estado, 0);
    EXPECT_EQ(mensagem, "Não foi possível gravar o arquivo \"" + (pasta / "CADTXT.TXT") +
                            "\": o arquivo excede o tamanho máximo permitido.");
    EXPECT_EQ(LeArquivo(pasta / "CADTXT.TXT"), "anterior");
    std::size_t arquivos = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(pasta.Caminho())) {
        ++arquivos;
    }
    EXPECT_EQ(arquivos, 1u) << "the temporary file is removed";
}

} // namespace
} // namespace cargabal
