// JSON records: how members meet fields when reading, how fields are named
// when writing, and what is raised for values that do not fit.
#include "atualizacao/ArquivosInfo.hpp"
#include "atualizacao/DTOPrograma.hpp"

#include <gtest/gtest.h>

using namespace atualizacao;

namespace {

void EsperaVazio(const TPrograma& p) {
    EXPECT_EQ(p.Projeto(), "");
    EXPECT_EQ(p.Versao(), 0);
    EXPECT_EQ(p.Url(), "");
    EXPECT_EQ(p.NomeEXE(), "");
}

TEST(JsonDTO, ReadsTheMembersByTheirExactJsonNames) {
    TPrograma p;
    p.AsJson(R"({"projeto":"OrbitraAtualizacao","versao":7,"url":"http://h/a.zip",)"
             R"("nomeexe":"Atualizador.exe","outro":[1,2]})");
    EXPECT_EQ(p.Projeto(), "OrbitraAtualizacao");
    EXPECT_EQ(p.Versao(), 7);
    EXPECT_EQ(p.Url(), "http://h/a.zip");
    EXPECT_EQ(p.NomeEXE(), "Atualizador.exe");

    // A field that carries a JSON name answers to nothing else.
    TPrograma q;
    q.AsJson(R"({"Versao":7,"VERSAO":8,"Projeto":"x","FUrl":"y","nomeEXE":"z"})");
    EsperaVazio(q);
}

TEST(JsonDTO, WithoutJsonNameAFieldAnswersToItsNameInAnyCase) {
    TArquivoInfo a;
    a.PreencheDeJson(Json::parse(R"({"FILENAME":"a.exe","companyname":"V","atualizado":true})"));
    EXPECT_EQ(a.Filename(), "a.exe");
    EXPECT_EQ(a.CompanyName(), "V");
    EXPECT_TRUE(a.Atualizado());
    a.PreencheDeJson(Json::parse(R"({"programa":{"versao":3}})"));
    ASSERT_NE(a.Programa(), nullptr);
    EXPECT_EQ(a.Programa()->Versao(), 3);
    a.PreencheDeJson(Json::parse(R"({"programa":null,"filename":null})"));
    EXPECT_EQ(a.Programa(), nullptr);
    EXPECT_EQ(a.Filename(), "");

    // The array side of the list has a JSON name and is never written: only
    // "Arquivos" reaches it.
    TListaArquivos l;
    l.AsJson(R"({"arquivosArray":[{"filename":"x"}]})");
    EXPECT_TRUE(l.Arquivos().empty());
}

TEST(JsonDTO, TextsThatAreNotObjects) {
    struct Caso {
        const char* Texto;
        bool Erro;
    };
    const Caso casos[] = {
        {"", false},         {"   ", false},   {"isto não é json", false},  {"{\"versao\":", false},
        {"null", false},     {"[1,2]", false}, {"[{\"versao\":3}]", false}, {"42", true},
        {"\"texto\"", true}, {"true", true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.Texto);
        TPrograma p;
        if (c.Erro) {
            try {
                p.AsJson(c.Texto);
                ADD_FAILURE() << "esperava erro";
            } catch (const EConversaoJson& e) {
                EXPECT_STREQ(e.what(), "The input value is not a valid Object");
            }
        } else {
            p.AsJson(c.Texto);
        }
        EsperaVazio(p);
    }
}

TEST(JsonDTO, ValuesOfTheWrongTypeRaiseAfterTheMembersBefore) {
    const char* casos[] = {
        R"({"projeto":"p","versao":"7"})",
        R"({"projeto":"p","versao":7.5})",
        R"({"projeto":"p","versao":4294967296})",
        R"({"projeto":"p","versao":true})",
        R"({"projeto":"p","url":12})",
        R"({"projeto":"p","url":{"a":1}})",
    };
    for (const char* texto : casos) {
        SCOPED_TRACE(texto);
        TPrograma p;
        EXPECT_THROW(p.AsJson(texto), EConversaoJson);
        EXPECT_EQ(p.Projeto(), "p"); // applied in order, up to the bad member
    }
    TArquivoInfo a;
    try {
        a.PreencheDeJson(Json::parse(R"({"programa":{"versao":"sete"}})"));
        ADD_FAILURE() << "esperava erro";
    } catch (const EConversaoJson& e) {
        EXPECT_STREQ(e.what(), "membro \"programa\": membro \"versao\": inteiro de 32 bits "
                               "esperado, recebido string");
    }
    TPrograma p;
    p.AsJson(R"({"versao":-2147483648,"url":"u"})");
    EXPECT_EQ(p.Versao(), -2147483648);
    p.AsJson(R"({"versao":null,"url":null})");
    EXPECT_EQ(p.Versao(), 0);
    EXPECT_EQ(p.Url(), "");
}

TEST(JsonDTO, WritesJsonNamesOrFieldNamesWithoutTheF) {
    TPrograma p;
    p.Projeto("Ação\x01");
    p.Versao(7);
    p.Url("http://h/a.zip");
    EXPECT_EQ(p.AsJson(), R"({"projeto":"A\u00e7\u00e3o\u0001","versao":7,"url":"http://h/a.zip",)"
                          R"("nomeexe":""})");
    EXPECT_EQ(p.ToString(), p.AsJson());
    TPrograma volta;
    volta.AsJson(p.AsJson());
    EXPECT_EQ(volta.AsJson(), p.AsJson());

    const auto a = Json::parse(TArquivoInfo("x.exe").ParaJson().dump());
    EXPECT_EQ(a["filename"], "x.exe");
    EXPECT_TRUE(a.contains("companyName"));
    EXPECT_TRUE(a["programa"].is_null());
}

TEST(JsonDTO, PrettyPrintJSON) {
    EXPECT_EQ(TJsonDTO::PrettyPrintJSON(R"({"a":[1,{"b":2}]})"),
              "{\n  \"a\": [\n    1,\n    {\n      \"b\": 2\n    }\n  ]\n}");
    EXPECT_EQ(TJsonDTO::PrettyPrintJSON("{nada"), "");
}

} // namespace
