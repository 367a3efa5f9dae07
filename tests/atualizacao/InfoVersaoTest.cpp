// The PE version reader against real executables built by the mingw tools,
// and against corrupted copies of one of them.
#include "atualizacao/InfoVersao.hpp"

#include "FabricaPE.hpp"
#include "comum/PastaTemporaria.hpp"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>

using namespace atualizacao;

namespace {

std::vector<std::uint8_t> Bytes(const std::filesystem::path& p) {
    const std::string s = testes::LeArquivo(p);
    return {s.begin(), s.end()};
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t pos) {
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + pos, 4);
    return v;
}
void PoeU32(std::vector<std::uint8_t>& b, std::size_t pos, std::uint32_t v) {
    std::memcpy(b.data() + pos, &v, 4);
}
void PoeU16(std::vector<std::uint8_t>& b, std::size_t pos, std::uint16_t v) {
    std::memcpy(b.data() + pos, &v, 2);
}

// Where the structures of a PE32+ image built by the fixture lie.
struct Mapa {
    std::size_t Pe, Opcional, Secoes, NumSecoes, Recursos, RvaRecursos;
    std::size_t PosDeRva(const std::vector<std::uint8_t>& b, std::uint32_t rva) const {
        for (std::size_t i = 0; i < NumSecoes; ++i) {
            const std::size_t s = Secoes + i * 40;
            const std::uint32_t va = U32(b, s + 12), tam = U32(b, s + 16), pos = U32(b, s + 20);
            if (rva >= va && rva < va + tam) {
                return pos + (rva - va);
            }
        }
        throw std::runtime_error("rva fora das seções");
    }
};

Mapa MapaDe(const std::vector<std::uint8_t>& b) {
    Mapa m{};
    m.Pe = U32(b, 0x3C);
    m.Opcional = m.Pe + 24;
    m.NumSecoes = b[m.Pe + 6] | (b[m.Pe + 7] << 8);
    m.Secoes = m.Opcional + (b[m.Pe + 20] | (b[m.Pe + 21] << 8));
    m.RvaRecursos = U32(b, m.Opcional + 112 + 2 * 8);
    m.Recursos = m.PosDeRva(b, static_cast<std::uint32_t>(m.RvaRecursos));
    return m;
}

class InfoVersaoTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Pasta = new testes::PastaTemporaria();
        auto r = testes::Recurso("VANDREL Sistemas Ltda", "OrbitraAtualizacao", "4.1.0.12");
        r.Valores.push_back({"Comments", "Acentuação çã"});
        testes::CriaExecutavel(*Pasta / "a64.exe", r);
        r.Pe32 = true;
        testes::CriaExecutavel(*Pasta / "a32.exe", r);
    }
    static void TearDownTestSuite() { delete Pasta; }
    static testes::PastaTemporaria* Pasta;
};
testes::PastaTemporaria* InfoVersaoTest::Pasta = nullptr;

TEST_F(InfoVersaoTest, ReadsPe32AndPe32PlusAlike) {
    for (const char* nome : {"a64.exe", "a32.exe"}) {
        SCOPED_TRACE(nome);
        const auto bloco = LeInfoVersao(std::filesystem::path(*Pasta / nome));
        ASSERT_FALSE(bloco.empty());
        EXPECT_EQ(PrimeiraTraducao(bloco), 0x04E40416u);
        EXPECT_EQ(ConsultaTexto(bloco, "\\StringFileInfo\\041604E4\\CompanyName"),
                  "VANDREL Sistemas Ltda");
        // Windows compares the names of the path without regard to case.
        EXPECT_EQ(ConsultaTexto(bloco, "\\stringfileinfo\\041604e4\\fileVERSION"), "4.1.0.12");
        EXPECT_EQ(ConsultaTexto(bloco, "\\StringFileInfo\\041604E4\\Comments"), "Acentuação çã");
        EXPECT_EQ(ConsultaTexto(bloco, "\\StringFileInfo\\041604E4\\LegalCopyright"), std::nullopt);
        EXPECT_EQ(ConsultaTexto(bloco, "\\StringFileInfo\\04090000\\CompanyName"), std::nullopt);
        const auto fixo = ConsultaValor(bloco, "\\");
        ASSERT_TRUE(fixo);
        EXPECT_EQ(fixo->Dados.size(), 52u); // VS_FIXEDFILEINFO
        EXPECT_EQ(U32({fixo->Dados.begin(), fixo->Dados.end()}, 0), 0xFEEF04BDu);
    }
}

TEST_F(InfoVersaoTest, FilesWithoutVersionResource) {
    testes::TRecursoVersao semVersao;
    semVersao.ComRecurso = false;
    testes::CriaExecutavel(*Pasta / "sem.exe", semVersao);
    testes::EscreveArquivo(*Pasta / "texto.exe", "MZ nada de PE aqui");
    testes::EscreveArquivo(*Pasta / "vazio.exe", "");
    for (const char* nome : {"sem.exe", "texto.exe", "vazio.exe", "nao-existe.exe", "."}) {
        SCOPED_TRACE(nome);
        EXPECT_TRUE(LeInfoVersao(std::filesystem::path(*Pasta / nome)).empty());
    }
}

// Each row damages one structure of a good image; the reader must neither
// crash nor read outside the image, and must answer "no version information"
// (or, for damage beyond the entries it needs, still the right text).
TEST_F(InfoVersaoTest, CorruptedCopiesHaveNoVersionInformation) {
    const auto original = Bytes(*Pasta / "a64.exe");
    const Mapa m = MapaDe(original);
    const std::size_t tipoEntrada = m.Recursos + 16; // first entry of the root directory
    const std::uint32_t dirNome = U32(original, tipoEntrada + 4) & 0x7FFFFFFF;
    const std::size_t nomeEntrada = m.Recursos + dirNome + 16;
    const std::uint32_t dirIdioma = U32(original, nomeEntrada + 4) & 0x7FFFFFFF;
    const std::size_t idiomaEntrada = m.Recursos + dirIdioma + 16;
    const std::size_t dadosEntrada = m.Recursos + U32(original, idiomaEntrada + 4);
    const std::size_t bloco = m.PosDeRva(original, U32(original, dadosEntrada));

    struct Caso {
        const char* Nome;
        std::function<void(std::vector<std::uint8_t>&)> Estraga;
        bool AindaLe = false; // the damage lies beyond what the reader needs
    };
    const Caso casos[] = {
        {"truncado no cabeçalho DOS", [](auto& b) { b.resize(0x30); }},
        {"truncado no cabeçalho PE", [&](auto& b) { b.resize(m.Pe + 30); }},
        {"truncado na tabela de seções", [&](auto& b) { b.resize(m.Secoes + 20); }},
        {"truncado no diretório de recursos", [&](auto& b) { b.resize(m.Recursos + 20); }},
        {"truncado no meio do bloco", [&](auto& b) { b.resize(bloco + 40); }},
        {"e_lfanew fora do arquivo", [](auto& b) { PoeU32(b, 0x3C, 0xFFFFFFF0u); }},
        {"assinatura PE errada", [&](auto& b) { b[m.Pe] = 'X'; }},
        {"magic desconhecido", [&](auto& b) { PoeU16(b, m.Opcional, 0x1234); }},
        {"65535 seções", [&](auto& b) { PoeU16(b, m.Pe + 6, 0xFFFF); }},
        {"cabeçalho opcional minúsculo", [&](auto& b) { PoeU16(b, m.Pe + 20, 8); }},
        {"seção com dados além do arquivo",
         [&](auto& b) {
             for (std::size_t i = 0; i < m.NumSecoes; ++i) {
                 PoeU32(b, m.Secoes + i * 40 + 20, 0x7FFFFF00u);
             }
         }},
        {"RVA dos recursos fora de toda seção",
         [&](auto& b) { PoeU32(b, m.Opcional + 112 + 16, 0x7FFF0000u); }},
        {"diretório com 65535 entradas", [&](auto& b) { PoeU16(b, m.Recursos + 14, 0xFFFF); },
         true},
        {"subdiretório fora do arquivo",
         [&](auto& b) { PoeU32(b, tipoEntrada + 4, 0x80000000u | 0x7FFFFFF0u); }},
        {"diretório que aponta para si mesmo",
         [&](auto& b) { PoeU32(b, nomeEntrada + 4, 0x80000000u | dirNome); }},
        {"diretório que volta à raiz", [&](auto& b) { PoeU32(b, idiomaEntrada + 4, 0x80000000u); }},
        {"entrada de dados fora do arquivo",
         [&](auto& b) { PoeU32(b, idiomaEntrada + 4, 0x7FFFFFF0u); }},
        {"dados com RVA fora", [&](auto& b) { PoeU32(b, dadosEntrada, 0xFFFFFFF0u); }},
        {"tamanho dos dados mentiroso", [&](auto& b) { PoeU32(b, dadosEntrada + 4, 0xFFFFFFF0u); }},
        {"tamanho dos dados além da seção", [&](auto& b) { PoeU32(b, dadosEntrada + 4, 0x8000u); }},
        {"wLength da raiz maior que o bloco", [&](auto& b) { PoeU16(b, bloco, 0xFFFF); }},
        {"wLength da raiz menor que o cabeçalho", [&](auto& b) { PoeU16(b, bloco, 2); }},
        {"chave da raiz sem terminador",
         [&](auto& b) {
             for (std::size_t i = bloco + 6; i < bloco + 40; ++i) {
                 b[i] = 'A';
             }
         }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Nome);
        auto copia = original;
        c.Estraga(copia);
        const auto arquivo = *Pasta / "estragado.exe";
        testes::EscreveArquivo(arquivo, std::string(copia.begin(), copia.end()));
        const auto daMemoria = LeInfoVersao(copia);
        EXPECT_EQ(LeInfoVersao(std::filesystem::path(arquivo)), daMemoria);
        if (c.AindaLe) {
            EXPECT_EQ(ConsultaTexto(daMemoria, "\\StringFileInfo\\041604E4\\FileVersion"),
                      "4.1.0.12");
        } else {
            EXPECT_TRUE(daMemoria.empty());
        }
    }
}

// Damage inside the tree: the walk stops at the bad node and finds nothing
// behind it, without leaving the block.
TEST_F(InfoVersaoTest, LyingNodeSizesInsideTheBlock) {
    const auto bloco = LeInfoVersao(std::filesystem::path(*Pasta / "a64.exe"));
    ASSERT_FALSE(bloco.empty());
    for (std::size_t pos = 6; pos + 1 < bloco.size(); pos += 2) {
        for (const std::uint16_t valor :
             {std::uint16_t{0}, std::uint16_t{3}, std::uint16_t{0xFFFF}}) {
            auto copia = bloco;
            PoeU16(copia, pos, valor);
            // Sizes of every view stay inside the copy: ASan guards the reads.
            const auto v = ConsultaValor(copia, "\\StringFileInfo\\041604E4\\CompanyName");
            if (v) {
                EXPECT_GE(v->Dados.data(), copia.data());
                EXPECT_LE(v->Dados.data() + v->Dados.size(), copia.data() + copia.size());
            }
            (void)ConsultaTexto(copia, "\\StringFileInfo\\041604E4\\Comments");
            (void)PrimeiraTraducao(copia);
        }
    }
    EXPECT_EQ(ConsultaTexto({}, "\\StringFileInfo"), std::nullopt);
}

} // namespace
