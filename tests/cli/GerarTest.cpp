// `cargabal gerar` and `cargabal modelos` end to end, as an integrator runs them.
#include "comum/PastaTemporaria.hpp"
#include "comum/Processo.hpp"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using testes::Executa;
using testes::PastaTemporaria;

// The tool under test; ORBITRA_CARGABAL points elsewhere when the tests run
// from a copy as another user.
std::string Exe() {
    const char* outro = std::getenv("ORBITRA_CARGABAL");
    return outro != nullptr ? outro : CARGABAL_EXE;
}

testes::ResultadoProcesso Gerar(const std::string& json, const std::string& destino,
                                const std::string& modelo = "modFilizola",
                                std::vector<std::string> extras = {}) {
    std::vector<std::string> argv = {Exe(),        "gerar", "--modelo",  modelo,
                                     "--produtos", "-",     "--destino", destino};
    argv.insert(argv.end(), extras.begin(), extras.end());
    return Executa(argv, json);
}

std::size_t QuantosArquivos(const fs::path& pasta) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(pasta), fs::directory_iterator{}));
}

TEST(CliGerar, ArquivoBomComTodasAsFormasDeValor) {
    PastaTemporaria pasta;
    const std::string produtos = R"([
      {"Codigo": 123, "Descricao": "QUEIJO PRATO", "ValorVenda": "39.90", "Validade": 30,
       "Tara": {"Valor": "0.015"}, "Setor": {"Descricao": "FRIOS"}, "Teclado": {"Tecla": 5}},
      {"Codigo": 7, "Descricao": "PÃO", "ValorVenda": 4.99, "Tipo": "tpvUnidade",
       "Nutricional": {"Descricao": "PAO", "Carboidrato": "12.38", "MedCaseira": "tpLata",
                       "Lactose429": 0.09375, "QtdeAutomaticaPorcao429": true},
       "InformacaoExtra": {"Receita": "Farinha, água e sal"}, "Lote": "L1", "ModeloEtiqueta": -3}
    ])";
    const auto r = Gerar(produtos, pasta.Texto(), "MODFILIZOLA", {"--progresso"});
    ASSERT_EQ(r.Saida, 0) << r.Err;
    EXPECT_EQ(r.Out, pasta / "CADTXT.TXT" + "\n" + pasta / "SETORTXT.TXT" + "\n" +
                         pasta / "REC_ASS.TXT" + "\n" + pasta / "NUTRI.TXT" + "\n");
    const std::string cad = testes::LeArquivo(pasta / "CADTXT.TXT");
    EXPECT_EQ(cad.substr(0, 40), "000123PQUEIJO PRATO          0003990030 ");
    EXPECT_EQ(cad.substr(171, 40), "000007UP\xC3O                   0000499000 ");
    EXPECT_NE(r.Err.find("[0/2] Gerando produto 000123 QUEIJO PRATO"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("[2/2] Terminado"), std::string::npos);
}

TEST(CliGerar, EntradaRuimNaoGravaNada) {
    struct Caso {
        std::string json, mensagem;
    };
    const Caso casos[] = {
        {"isto não é json", "não é um JSON válido"},
        {R"({"Codigo": 1})", "deve conter uma lista"},
        {R"([{"Codigo": 1}, 5])", "Registro 2: esperado um objeto"},
        {R"([{"Codig": 1}])", "Registro 1, membro \"Codig\": membro desconhecido"},
        {R"([{}, {"Tara": {"Valorx": "1"}}])",
         "Registro 2, membro \"Tara.Valorx\": membro desconhecido"},
        {R"([{"Codigo": "12"}])", "Registro 1, membro \"Codigo\": esperado um número inteiro"},
        {R"([{"Codigo": 1.5}])", "membro \"Codigo\": esperado um número inteiro"},
        {R"([{"Validade": 40000}])",
         "membro \"Validade\": valor fora do intervalo de -32768 a 32767"},
        {R"([{"Codigo": 2147483648}])", "membro \"Codigo\": valor fora do intervalo"},
        {R"([{"ValorVenda": "39,90"}])", "membro \"ValorVenda\": valor monetário inválido"},
        {R"([{"ValorVenda": "1.00001"}])", "membro \"ValorVenda\": valor monetário inválido"},
        {R"([{"ValorVenda": 1e300}])", "membro \"ValorVenda\": valor monetário fora do intervalo"},
        {R"([{"ValorVenda": true}])", "membro \"ValorVenda\": esperado um valor monetário"},
        {R"([{"Nutricional": {"Lactose429": 1e300}}])",
         "membro \"Nutricional.Lactose429\": número fora"},
        {R"([{"Tipo": "tpvpeso"}])", "membro \"Tipo\": esperado um destes nomes"},
        {R"([{"Setor": 3}])", "membro \"Setor\": esperado um objeto"},
        {R"([{"Descricao": null}])", "membro \"Descricao\": esperado um texto"},
        {R"([{"Nutricional": {"QtdeAutomaticaPorcao429": 1}}])", "esperado true ou false"},
        {"[{\"Descricao\": \"\xFF\"}]", "não é um JSON válido"},
    };
    for (const Caso& c : casos) {
        PastaTemporaria pasta;
        const auto r = Gerar(c.json, pasta.Texto());
        EXPECT_EQ(r.Saida, 2) << c.json;
        EXPECT_NE(r.Err.find(c.mensagem), std::string::npos) << c.json << "\n" << r.Err;
        EXPECT_EQ(QuantosArquivos(pasta.Caminho()), 0u) << c.json;
        EXPECT_TRUE(r.Out.empty());
    }
}

TEST(CliGerar, ErrosDoGeradorEDeUso) {
    PastaTemporaria pasta;
    auto r = Gerar(R"([{"Codigo": 1}])", pasta / "nao-existe");
    EXPECT_EQ(r.Saida, 1);
    EXPECT_EQ(r.Err, "Diretorio informado não existe!\n");
    r = Gerar("[]", pasta.Texto());
    EXPECT_EQ(r.Saida, 1);
    EXPECT_EQ(r.Err, "Não foram informados os produtos para a geração!\n");
    r = Gerar("[]", pasta.Texto(), "modNenhum");
    EXPECT_EQ(r.Saida, 2);
    EXPECT_NE(r.Err.find("Modelo desconhecido: \"modNenhum\""), std::string::npos);
    r = Executa({Exe(), "gerar", "--modelo", "modFilizola", "--produtos", pasta / "falta.json",
                 "--destino", pasta.Texto()});
    EXPECT_EQ(r.Saida, 2);
    EXPECT_NE(r.Err.find("Não foi possível ler o arquivo de produtos"), std::string::npos);
    for (const std::vector<std::string>& argv : std::vector<std::vector<std::string>>{
             {Exe(), "gerar", "--modelo"},
             {Exe(), "gerar", "--destino", "/tmp"},
             {Exe(), "gerar", "--xyz", "1"},
             {Exe(), "gerar", "--modelo", "modUrano", "--produtos", "-", "--destino", "/tmp",
              "--decimal", "ab"},
             {Exe(), "nada"},
             {Exe()}}) {
        EXPECT_EQ(Executa(argv).Saida, 2) << argv.back();
    }
}

TEST(CliGerar, ModelosEAjuda) {
    const auto r = Executa({Exe(), "modelos"});
    ASSERT_EQ(r.Saida, 0);
    EXPECT_EQ(std::count(r.Out.begin(), r.Out.end(), '\n'), 11);
    EXPECT_NE(r.Out.find("modToledoMGV5Ver1\tToledo MGV5 Ver1\n"), std::string::npos);
    EXPECT_NE(r.Out.find("modUranoS\tUrano (S)\n"), std::string::npos);
    const auto ajuda = Executa({Exe(), "gerar", "--help"});
    EXPECT_EQ(ajuda.Saida, 0);
    EXPECT_NE(ajuda.Out.find("Exemplo:"), std::string::npos);
}

// Faults while writing: the user gets a message naming the file and the cause,
// and the load file of the previous run stays as it was.
TEST(CliGerar, LimiteDeTamanhoDeArquivoNaoEstragaACargaAnterior) {
    PastaTemporaria pasta;
    testes::EscreveArquivo(pasta / "CADTXT.TXT", "carga anterior");
    std::string produtos = "[";
    for (int i = 1; i <= 50; ++i) {
        produtos += (i > 1 ? "," : "") + std::string(R"({"Codigo": )") + std::to_string(i) + "}";
    }
    produtos += "]";
    // ulimit -f counts blocks of 1024 bytes; 50 lines need more than one.
    const auto r = Executa({"/bin/sh", "-c",
                            "ulimit -f 1; exec \"$0\" gerar --modelo modFilizola --produtos - "
                            "--destino \"$1\"",
                            Exe(), pasta.Texto()},
                           produtos);
    EXPECT_EQ(r.Saida, 1) << r.Err;
    EXPECT_EQ(r.Err, "Não foi possível gravar o arquivo \"" + pasta / "CADTXT.TXT" +
                         "\": o arquivo excede o tamanho máximo permitido.\n");
    EXPECT_EQ(testes::LeArquivo(pasta / "CADTXT.TXT"), "carga anterior");
    EXPECT_EQ(QuantosArquivos(pasta.Caminho()), 1u);
}

TEST(CliGerar, PastaSomenteLeitura) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes anywhere; run again as an unprivileged user";
    }
    PastaTemporaria pasta;
    testes::EscreveArquivo(pasta / "CADTXT.TXT", "carga anterior");
    fs::permissions(pasta.Caminho(), fs::perms::owner_read | fs::perms::owner_exec);
    const auto r = Gerar(R"([{"Codigo": 1}])", pasta.Texto());
    fs::permissions(pasta.Caminho(), fs::perms::owner_all);
    EXPECT_EQ(r.Saida, 1);
    EXPECT_EQ(r.Err, "Não foi possível gravar o arquivo \"" + pasta / "CADTXT.TXT" +
                         "\": permissão negada.\n");
    EXPECT_EQ(testes::LeArquivo(pasta / "CADTXT.TXT"), "carga anterior");
    EXPECT_EQ(QuantosArquivos(pasta.Caminho()), 1u);
}

} // namespace
