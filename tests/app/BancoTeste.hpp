// A fresh database per test on the throwaway cluster that scripts/test
// starts (ORBITRA_TEST_PGHOST: its socket folder). Without it the tests skip
// locally and fail in CI, so a missing server never passes for a green run.
#pragma once

#include "comum/PastaTemporaria.hpp"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <memory>
#include <string>
#include <unistd.h>

namespace testes {

inline const char* HostPostgres() {
    return std::getenv("ORBITRA_TEST_PGHOST");
}

inline bool EmIntegracaoContinua() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::string(ci) == "true";
}

// Use at the start of a test body or SetUp.
#define EXIGE_POSTGRES()                                                                           \
    do {                                                                                           \
        if (testes::HostPostgres() == nullptr) {                                                   \
            if (testes::EmIntegracaoContinua()) {                                                  \
                FAIL() << "ORBITRA_TEST_PGHOST não definido: o PostgreSQL de teste não "         \
                          "foi iniciado (scripts/lib/servicos-teste.d/postgres.sh).";              \
            }                                                                                      \
            GTEST_SKIP() << "sem PostgreSQL de teste (ORBITRA_TEST_PGHOST); use scripts/test";     \
        }                                                                                          \
    } while (0)

class BancoTeste {
public:
    BancoTeste() {
        static std::atomic<int> contador{0};
        FNome = "orbitra_t" + std::to_string(::getpid()) + "_" + std::to_string(++contador);
        Executa("postgres", "CREATE DATABASE " + FNome);
        Executa(FNome,
                LeArquivo(std::string(ORBITRA_SOURCE_DIR) + "/scripts/lib/postgres-tabelas.sql"));
    }
    ~BancoTeste() {
        try {
            Executa("postgres", "DROP DATABASE IF EXISTS " + FNome + " WITH (FORCE)");
        } catch (...) {
        }
    }
    BancoTeste(const BancoTeste&) = delete;
    BancoTeste& operator=(const BancoTeste&) = delete;

    const std::string& Nome() const { return FNome; }
    static std::string Host() { return HostPostgres(); }
    static std::string Usuario() {
        const char* u = std::getenv("ORBITRA_TEST_PGUSER");
        return u ? u : "postgres";
    }

    void Sql(const std::string& comandos) const { Executa(FNome, comandos); }

    // Statements of other sessions still running on this database: a query
    // left half-read keeps its locks and snapshot on the server.
    int ConsultasEmAndamento() const {
        return std::stoi(
            Executa(FNome, "SELECT count(*) FROM pg_stat_activity WHERE datname = '" + FNome +
                               "' AND state = 'active' AND pid <> "
                               "pg_backend_pid() AND backend_type = 'client backend'"));
    }

    // An "arquivo.ini" that points at this database.
    std::string Ini(const std::string& cargabalanca = "") const {
        return "[bd]\r\nhost=" + Host() + "\r\nnome=" + FNome +
               "\r\n[dadosbanco]\r\nlogin=" + Usuario() + "\r\nsenha=x\r\n" + cargabalanca;
    }

    // The first value of the last result, or empty.
    static std::string Executa(const std::string& banco, const std::string& comandos) {
        const std::string conexao =
            "host='" + Host() + "' port=5432 user='" + Usuario() + "' dbname='" + banco + "'";
        std::unique_ptr<PGconn, decltype(&PQfinish)> c(PQconnectdb(conexao.c_str()), PQfinish);
        if (PQstatus(c.get()) != CONNECTION_OK) {
            throw std::runtime_error(PQerrorMessage(c.get()));
        }
        std::unique_ptr<PGresult, decltype(&PQclear)> r(PQexec(c.get(), comandos.c_str()), PQclear);
        const auto estado = PQresultStatus(r.get());
        if (estado != PGRES_COMMAND_OK && estado != PGRES_TUPLES_OK) {
            throw std::runtime_error(PQresultErrorMessage(r.get()));
        }
        return PQntuples(r.get()) > 0 ? PQgetvalue(r.get(), 0, 0) : "";
    }

private:
    std::string FNome;
};

} // namespace testes
