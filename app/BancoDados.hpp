// A small RAII layer over libpq: a connection with the settings the store
// keeps in "arquivo.ini", and a forward-only query with named parameters and
// fields read by column name. Rows are streamed one at a time, so a large
// catalogue never sits in memory twice.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct pg_conn;
struct pg_result;

namespace loja {

// A database error; the message is the server's (or libpq's) own text.
class EBancoDados : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TConexao {
public:
    TConexao();
    ~TConexao();
    TConexao(const TConexao&) = delete;
    TConexao& operator=(const TConexao&) = delete;

    std::string Server;
    int Port = 5432;
    std::string Username = "postgres";
    std::string Password;
    std::string Database;
    // Seconds to wait for the server before giving up, so that a wrong host
    // does not freeze the window for minutes.
    int TempoLimiteConexao = 10;

    bool Connected() const { return FConexao != nullptr; }
    // true connects with the settings above (EBancoDados on failure); false
    // closes the connection. Setting the current state again does nothing.
    void SetConnected(bool valor);

    pg_conn* Handle() const { return FConexao.get(); }

private:
    struct LiberaConexao {
        void operator()(pg_conn* c) const;
    };
    std::unique_ptr<pg_conn, LiberaConexao> FConexao;
};

// A parameter of a query: no value (SQL null) until one is set.
class TParametro {
public:
    explicit TParametro(std::string nome) : FNome(std::move(nome)) {}
    const std::string& Nome() const { return FNome; }
    void SetAsBoolean(bool valor) { FValor = valor ? "true" : "false"; }
    void Clear() { FValor.reset(); }
    const std::optional<std::string>& Valor() const { return FValor; }

private:
    std::string FNome;
    std::optional<std::string> FValor;
};

struct LiberaResultado {
    void operator()(pg_result* r) const;
};
using Resultado = std::unique_ptr<pg_result, LiberaResultado>;

// One column of the current row. A null reads as 0 or as the empty text.
class TCampo {
public:
    TCampo(const pg_result* linha, int coluna, std::string_view nome)
        : FLinha(linha), FColuna(coluna), FNome(nome) {}
    bool IsNull() const;
    // EBancoDados when the text is not an integer or does not fit 32 bits.
    std::int32_t AsInteger() const;
    std::int64_t AsLargeInt() const;
    std::string AsString() const;
    double AsFloat() const;

private:
    std::string_view Texto() const;
    const pg_result* FLinha;
    int FColuna;
    std::string_view FNome;
};

class TConsulta {
public:
    explicit TConsulta(TConexao& conexao);
    ~TConsulta();
    TConsulta(const TConsulta&) = delete;
    TConsulta& operator=(const TConsulta&) = delete;

    // The text, one entry per line; ":nome" marks a parameter.
    std::vector<std::string> SQL;

    TParametro& ParamByName(std::string_view nome);

    bool Active() const { return FAtiva; }
    void Open();
    void Close();
    // Back to the first row; re-runs the query when the cursor has moved.
    void First();
    void Next();
    bool Eof() const { return FEof; }
    // EBancoDados when the query has no column of that name.
    TCampo FieldByName(std::string_view nome) const;

    // The text sent to the server: lines joined, parameters as $1, $2...
    std::string TextoServidor() const;

private:
    void AtualizaParametros();
    void Executa();
    void LeProximaLinha();
    void Descarta();

    TConexao& FConexao;
    // The connection the open query runs on; the settings may have made a
    // new one since.
    pg_conn* FConexaoDaConsulta = nullptr;
    std::vector<std::unique_ptr<TParametro>> FParametros;
    Resultado FLinha;
    bool FAtiva = false;
    bool FEof = true;
    bool FNoInicio = false;
};

} // namespace loja
