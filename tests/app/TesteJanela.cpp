// The main window under Qt's offscreen platform, driven with QTest. Message
// boxes and the folder chooser are observed through the dialog seam.
#include "BancoTeste.hpp"
#include "app/Configuracao.hpp"
#include "app/UPrincipal.hpp"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <deque>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using loja::TFCargaBalanca;
using testes::BancoTeste;
using testes::LeArquivo;
using testes::PastaTemporaria;
using ::testing::HasSubstr;

// One QApplication for the whole run, gone before the program exits: Qt's
// own globals must outlive it.
class AmbienteQt : public ::testing::Environment {
public:
    void SetUp() override {
        // Run by hand outside CTest, the tests still need no display.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        FApp = std::make_unique<QApplication>(FArgc, FArgv.data());
    }
    void TearDown() override { FApp.reset(); }

private:
    int FArgc = 1;
    char FNome[10] = "app_tests";
    std::array<char*, 2> FArgv = {FNome, nullptr};
    std::unique_ptr<QApplication> FApp;
};
// gtest owns the environments it is given.
[[maybe_unused]] ::testing::Environment* const Ambiente =
    ::testing::AddGlobalTestEnvironment(new AmbienteQt);

QApplication& Aplicacao() {
    return *qApp;
}

struct DialogosGravados : loja::IDialogos {
    std::vector<QString> Mensagens;
    std::vector<QString> Titulos;
    std::deque<std::optional<QString>> Respostas;

    void Mensagem(QWidget*, const QString& texto) override { Mensagens.push_back(texto); }
    std::optional<QString> EscolhePasta(QWidget*, const QString& titulo) override {
        Titulos.push_back(titulo);
        auto resposta = Respostas.empty() ? std::nullopt : Respostas.front();
        if (!Respostas.empty()) {
            Respostas.pop_front();
        }
        return resposta;
    }
};

class Janela : public ::testing::Test {
protected:
    void SetUp() override { Aplicacao(); }

    // Shows the window with `ini` (if any) as the content of "arquivo.ini".
    TFCargaBalanca& Abre(const std::optional<std::string>& ini) {
        if (ini) {
            testes::EscreveArquivo(FIni, *ini);
        }
        FJanela = std::make_unique<TFCargaBalanca>(FDm, FIni, FDialogos);
        FJanela->show();
        return *FJanela;
    }
    template <typename T> T* Controle(const char* nome) {
        T* c = FJanela->findChild<T*>(QString::fromLatin1(nome));
        EXPECT_NE(c, nullptr) << nome;
        return c;
    }
    QComboBox* Combo() { return Controle<QComboBox>("ComboBox1"); }
    QLineEdit* Pasta() { return Controle<QLineEdit>("edtDiretorio"); }
    void Exporta() { QTest::mouseClick(Controle<QToolButton>("BitBtn1"), Qt::LeftButton); }
    std::string Destino() const { return FPasta / "destino"; }

    PastaTemporaria FPasta;
    std::string FIni = FPasta / "arquivo.ini";
    loja::TDM1 FDm;
    DialogosGravados FDialogos;
    std::unique_ptr<TFCargaBalanca> FJanela;
};

// A window on a seeded test database, its folder ready.
class JanelaComBanco : public Janela {
protected:
    void SetUp() override {
        Janela::SetUp();
        EXIGE_POSTGRES();
        FBanco = std::make_unique<BancoTeste>();
        FBanco->Sql("INSERT INTO grupo VALUES (1, 'FRIOS');"
                    "INSERT INTO produto VALUES (1, 'QUEIJO PRATO', 39.9, 30, 1, 'KG', NULL, 0),"
                    "(2, 'PÃO', 0.5, 1, 1, 'KU', NULL, 0.6);");
        std::filesystem::create_directory(Destino());
    }
    std::string Ini(const std::string& modelo, const std::string& caminho) const {
        return FBanco->Ini("[cargabalanca]\r\nmodelo=" + modelo + "\r\ncaminho=" + caminho +
                           "\r\n");
    }
    bool Existe(const char* nome) const {
        return std::filesystem::exists(std::filesystem::path(Destino()) / nome);
    }
    std::unique_ptr<BancoTeste> FBanco;
};

TEST_F(Janela, ControlesComNomesTextosLugaresEOrdemDeTabulacao) {
    TFCargaBalanca& janela = Abre(std::nullopt);
    EXPECT_EQ(janela.windowTitle(), QStringLiteral("Orbitra Exporta Balança Versão 12"));
    EXPECT_EQ(janela.centralWidget()->size(), QSize(321, 166));
    EXPECT_TRUE(janela.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(janela.font().pixelSize(), 11);

    struct Caso {
        const char* Nome;
        const char* Pai;
        QString Texto;
        QRect Lugar; // width/height 0: not fixed
    };
    const Caso casos[] = {
        {"pnFundo", "cliente", "", QRect(0, 0, 321, 166)},
        {"pnPrincipal", "pnFundo", "", QRect(3, 3, 315, 101)},
        {"Panel3", "pnFundo", "", QRect(3, 107, 315, 56)},
        {"Label1", "pnPrincipal", "Marca da Balança", QRect(12, 11, 0, 0)},
        {"ComboBox1", "pnPrincipal", "Filizola", QRect(12, 28, 201, 0)},
        {"Label2", "pnPrincipal", "Destino", QRect(12, 56, 0, 0)},
        {"cbPrecoFuturo", "pnPrincipal", "Enviar Preço Futuro", QRect(65, 54, 147, 0)},
        {"edtDiretorio", "pnPrincipal", "", QRect(12, 72, 261, 0)},
        {"Button1", "pnPrincipal", "...", QRect(280, 70, 25, 25)},
        {"BitBtn1", "Panel3", "Exportar", QRect(4, 3, 57, 49)},
        {"BitBtn2", "Panel3", "Sair", QRect(63, 3, 57, 49)},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Nome);
        QWidget* w = Controle<QWidget>(c.Nome);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(c.Pai));
        EXPECT_EQ(w->pos(), c.Lugar.topLeft());
        if (c.Lugar.width() > 0) {
            EXPECT_EQ(w->width(), c.Lugar.width());
        }
        if (c.Lugar.height() > 0) {
            EXPECT_EQ(w->height(), c.Lugar.height());
        }
        QString texto;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            texto = l->text();
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            texto = b->text();
        } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
            texto = cb->currentText();
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            texto = e->text();
        }
        EXPECT_EQ(texto, c.Texto);
    }
    EXPECT_FALSE(Combo()->isEditable());
    EXPECT_EQ(Combo()->count(), 3);
    EXPECT_EQ(Combo()->itemText(1), QStringLiteral("Toledo"));
    EXPECT_EQ(Combo()->itemText(2), QStringLiteral("Urano"));
    EXPECT_TRUE(Pasta()->isReadOnly());
    EXPECT_FALSE(Controle<QCheckBox>("cbPrecoFuturo")->isChecked());
    EXPECT_FALSE(Controle<QToolButton>("BitBtn1")->icon().isNull());
    EXPECT_EQ(Controle<QToolButton>("BitBtn1")->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);

    auto* menu = Controle<QMenuBar>("MainMenu1");
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Atualizar"));
    auto* item = Controle<QAction>("DownloadAtualizador1");
    EXPECT_EQ(item->text(), QStringLiteral("Download Atualizador"));
    EXPECT_TRUE(item->isEnabled());

    QStringList ordem;
    QWidget* w = Controle<QWidget>("BitBtn1");
    for (int i = 0; i < 6; ++i, w = w->nextInFocusChain()) {
        while (w->objectName().isEmpty() || w->focusPolicy() == Qt::NoFocus) {
            w = w->nextInFocusChain();
        }
        ordem << w->objectName();
    }
    EXPECT_EQ(ordem, QStringList({"BitBtn1", "BitBtn2", "ComboBox1", "Button1", "edtDiretorio",
                                  "cbPrecoFuturo"}));
}

TEST_F(Janela, PrimeiroInicioSemArquivoIni) {
    Abre(std::nullopt);
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("Filizola"));
    EXPECT_EQ(Pasta()->text(), QString());
    EXPECT_EQ(FDm.ZConnection1.Server, "127.0.0.1");
    EXPECT_EQ(FDm.ZConnection1.Port, 5432);
    EXPECT_EQ(FDm.ZConnection1.Database, "orbitra");
    EXPECT_EQ(FDm.ZConnection1.Username, "postgres");
    EXPECT_EQ(FDm.ZConnection1.Password, "K82PUDWEXN47");
    EXPECT_FALSE(std::filesystem::exists(FIni));
}

TEST_F(Janela, EscolhaDaPastaPeloBotaoEPeloCampo) {
    Abre(std::nullopt);
    FDialogos.Respostas = {QStringLiteral("/srv/balança"), std::nullopt, QStringLiteral("/b")};
    QTest::mouseClick(Controle<QPushButton>("Button1"), Qt::LeftButton);
    EXPECT_EQ(Pasta()->text(), QStringLiteral("/srv/balança"));
    QTest::mouseClick(Pasta(), Qt::LeftButton); // cancelled: nothing changes
    EXPECT_EQ(Pasta()->text(), QStringLiteral("/srv/balança"));
    QTest::mouseClick(Pasta(), Qt::LeftButton);
    EXPECT_EQ(Pasta()->text(), QStringLiteral("/b"));
    ASSERT_EQ(FDialogos.Titulos.size(), 3u);
    EXPECT_EQ(FDialogos.Titulos[0],
              QStringLiteral("Selecione o diretório onde serão gerados os arquivos:"));
}

TEST_F(Janela, SairFechaAJanelaSemGravarNada) {
    TFCargaBalanca& janela = Abre(std::nullopt);
    // Sair inside a running event loop: the loop ends, as the program does.
    QTimer::singleShot(
        0, &janela, [&] { QTest::mouseClick(Controle<QToolButton>("BitBtn2"), Qt::LeftButton); });
    QTimer seguranca; // ends the loop if the window does not
    seguranca.setSingleShot(true);
    QObject::connect(&seguranca, &QTimer::timeout, [] { QCoreApplication::exit(3); });
    seguranca.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(janela.isVisible());
    EXPECT_FALSE(std::filesystem::exists(FIni));
}

TEST_F(JanelaComBanco, ModeloEmMinusculasSelecionaToledoEExportaTXITENS) {
    Abre(Ini("toledo", Destino()));
    EXPECT_EQ(FDialogos.Mensagens, std::vector<QString>{});
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("Toledo"));
    EXPECT_EQ(Pasta()->text(), QString::fromStdString(Destino()));
    Exporta();
    EXPECT_EQ(FDialogos.Mensagens,
              std::vector<QString>{QStringLiteral("Arquivo gerado com sucesso!")});
    EXPECT_TRUE(Existe("TXITENS.TXT"));
    EXPECT_EQ(FJanela->ZADeCargaBal1().Modelo, cargabal::TZADeCargaBalModelo::modToledo);
    const auto c = loja::LeConfiguracao(FIni);
    EXPECT_EQ(c.Modelo, "Toledo");
    EXPECT_EQ(c.Caminho, Destino());
    EXPECT_EQ(c.Nome, FBanco->Nome()); // the database keys stay
}

TEST_F(JanelaComBanco, MarcaDesconhecidaMantemOModeloAnteriorEGravaModeloVazio) {
    Abre(Ini("Ramuza", Destino()));
    EXPECT_EQ(Combo()->currentIndex(), -1);
    EXPECT_EQ(Combo()->currentText(), QString());
    Exporta();
    EXPECT_EQ(FDialogos.Mensagens.back(), QStringLiteral("Arquivo gerado com sucesso!"));
    EXPECT_TRUE(Existe("CADTXT.TXT"));
    EXPECT_FALSE(Existe("RAMUZA_ORIGINAL.TXT"));
    EXPECT_THAT(LeArquivo(FIni), HasSubstr("modelo=\n"));
}

TEST_F(JanelaComBanco, MostrarNaoDeixaAConsultaRodandoNoServidor) {
    FBanco->Sql("INSERT INTO produto (codproduto, descricao, preco, codgrupo, unidademedida) "
                "SELECT i, 'PRODUTO ' || i, i, 1, 'KG' FROM generate_series(10, 30000) i;");
    Abre(Ini("Filizola", Destino()));
    EXPECT_EQ(FDialogos.Mensagens, std::vector<QString>{});
    EXPECT_EQ(FBanco->ConsultasEmAndamento(), 0);
}

TEST_F(JanelaComBanco, PastaVaziaMostraOErroEGravaAsEscolhas) {
    Abre(FBanco->Ini());
    Exporta();
    EXPECT_EQ(FDialogos.Mensagens,
              std::vector<QString>{QStringLiteral(
                  "Ocorreu o seguinte erro:\r\nInforme o diretório onde serão gerados os "
                  "arquivos de carga!")});
    const std::string ini = LeArquivo(FIni);
    EXPECT_THAT(ini, HasSubstr("[cargabalanca]\nmodelo=Filizola\ncaminho=\n"));
}

TEST_F(JanelaComBanco, DuasExportacoesComMarcasDiferentesMantemOsDoisConjuntos) {
    Abre(Ini("Filizola", Destino()));
    Controle<QCheckBox>("cbPrecoFuturo")->setChecked(true);
    Exporta();
    Combo()->setCurrentIndex(2); // Urano
    Exporta();
    EXPECT_EQ(FDialogos.Mensagens,
              std::vector<QString>(2, QStringLiteral("Arquivo gerado com sucesso!")));
    EXPECT_TRUE(Existe("CADTXT.TXT"));
    EXPECT_TRUE(Existe("PRODUTOS.TXT"));
    // With the future price only the product that has one goes out.
    const std::string produtos = LeArquivo(std::filesystem::path(Destino()) / "PRODUTOS.TXT");
    EXPECT_THAT(produtos, HasSubstr("P\xC3O"));
    EXPECT_THAT(produtos, ::testing::Not(HasSubstr("QUEIJO")));
    EXPECT_EQ(loja::LeConfiguracao(FIni).Modelo, "Urano");
}

TEST_F(JanelaComBanco, FalhaDeConexaoAoMostrarEDepoisErroNaExportacao) {
    testes::EscreveArquivo(FIni, "[bd]\nhost=" + BancoTeste::Host() +
                                     "\nnome=nao_existe_db\n[cargabalanca]\nmodelo=Toledo\n"
                                     "caminho=" +
                                     Destino() + "\n");
    Abre(std::nullopt);
    ASSERT_EQ(FDialogos.Mensagens.size(), 1u);
    EXPECT_THAT(FDialogos.Mensagens[0].toStdString(),
                HasSubstr("database \"nao_existe_db\" does not exist"));
    // The choices of the file are not restored, and the window stays usable.
    EXPECT_EQ(Combo()->currentText(), QStringLiteral("Filizola"));
    EXPECT_EQ(Pasta()->text(), QString());
    FDialogos.Respostas = {QString::fromStdString(Destino())};
    QTest::mouseClick(Controle<QPushButton>("Button1"), Qt::LeftButton);
    Exporta();
    ASSERT_EQ(FDialogos.Mensagens.size(), 2u);
    EXPECT_TRUE(FDialogos.Mensagens[1].startsWith(QStringLiteral("Ocorreu o seguinte erro:\r\n")));
    EXPECT_THAT(FDialogos.Mensagens[1].toStdString(), HasSubstr("nao_existe_db"));
    EXPECT_TRUE(std::filesystem::is_empty(Destino()));
    EXPECT_EQ(loja::LeConfiguracao(FIni).Caminho, Destino());
}

// The database stopped between two exports and started again: the failed
// export says why and leaves the earlier files; the next one works without
// restarting the program.
TEST_F(JanelaComBanco, BancoParadoEntreExportacoesEReiniciado) {
    const char* pasta = std::getenv("ORBITRA_TEST_PGPASTA");
    if (pasta == nullptr) {
        GTEST_SKIP() << "ORBITRA_TEST_PGPASTA não definido: o cluster não é deste teste";
    }
    const std::string controle = std::string(ORBITRA_SOURCE_DIR) + "/scripts/lib/pg-controle.sh ";
    auto servidor = [&](const char* acao) {
        ASSERT_EQ(std::system((controle + acao + " '" + pasta + "'").c_str()), 0) << acao;
    };
    Abre(Ini("Filizola", Destino()));
    Exporta();
    ASSERT_EQ(FDialogos.Mensagens.back(), QStringLiteral("Arquivo gerado com sucesso!"));
    const auto cadtxt = std::filesystem::path(Destino()) / "CADTXT.TXT";
    const std::string carga = LeArquivo(cadtxt);

    servidor("para");
    Exporta();
    servidor("inicia");
    ASSERT_EQ(FDialogos.Mensagens.size(), 2u);
    EXPECT_TRUE(FDialogos.Mensagens[1].startsWith(QStringLiteral("Ocorreu o seguinte erro:\r\n")))
        << FDialogos.Mensagens[1].toStdString();
    EXPECT_GT(FDialogos.Mensagens[1].size(), QStringLiteral("Ocorreu o seguinte erro:\r\n").size());
    EXPECT_EQ(LeArquivo(cadtxt), carga) << "the load of the first export stays";

    Exporta();
    EXPECT_EQ(FDialogos.Mensagens.back(), QStringLiteral("Arquivo gerado com sucesso!"));
    EXPECT_EQ(LeArquivo(cadtxt), carga);
}

} // namespace
