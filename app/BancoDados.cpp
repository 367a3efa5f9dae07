#include "app/BancoDados.hpp"

#include "app/Texto.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <libpq-fe.h>
#include <limits>

namespace loja {

namespace {

std::string SemEspacosNoFim(std::string texto) {
    while (!texto.empty() && std::isspace(static_cast<unsigned char>(texto.back()))) {
        texto.pop_back();
    }
    return texto;
}

std::string MensagemConexao(const pg_conn* conexao) {
    const char* msg = conexao ? PQerrorMessage(conexao) : nullptr;
    std::string texto = SemEspacosNoFim(msg ? msg : "");
    return texto.empty() ? "Falha na comunicação com o banco de dados." : texto;
}

// The server's primary message ("relation \"produto\" does not exist"), which
// is what a user can act on; libpq's full text when the server sent none.
std::string MensagemResultado(const pg_result* resultado, const pg_conn* conexao) {
    if (const char* primaria = PQresultErrorField(resultado, PG_DIAG_MESSAGE_PRIMARY)) {
        return primaria;
    }
    std::string texto = SemEspacosNoFim(PQresultErrorMessage(resultado));
    return texto.empty() ? MensagemConexao(conexao) : texto;
}

bool CaractereDeNome(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Walks the text and calls `parametro(nome)` for every ":nome" outside quoted
// literals and identifiers; "::" casts are left alone. Returns the text with
// each parameter replaced by what `parametro` returns.
template <typename F> std::string PercorreParametros(const std::string& texto, F&& parametro) {
    std::string saida;
    saida.reserve(texto.size());
    char aspas = 0;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (aspas != 0) {
            aspas = c == aspas ? 0 : aspas;
            saida += c;
        } else if (c == '\'' || c == '"') {
            aspas = c;
            saida += c;
        } else if (c == ':' && i + 1 < texto.size() && texto[i + 1] == ':') {
            saida += "::";
            ++i;
        } else if (c == ':' && i + 1 < texto.size() && CaractereDeNome(texto[i + 1])) {
            std::size_t fim = i + 1;
            while (fim < texto.size() && CaractereDeNome(texto[fim])) {
                ++fim;
            }
            saida += parametro(texto.substr(i + 1, fim - i - 1));
            i = fim - 1;
        } else {
            saida += c;
        }
    }
    return saida;
}

} // namespace

// ---- Connection ------------------------------------------------------------

void TConexao::LiberaConexao::operator()(pg_conn* c) const {
    PQfinish(c);
}

TConexao::TConexao() = default;
TConexao::~TConexao() = default;

void TConexao::SetConnected(bool valor) {
    if (valor == Connected()) {
        return;
    }
    FConexao.reset();
    if (!valor) {
        return;
    }
    const std::string porta = std::to_string(Port);
    const std::string tempo = std::to_string(TempoLimiteConexao);
    const std::array<const char*, 9> chaves = {"host",
                                               "port",
                                               "user",
                                               "password",
                                               "dbname",
                                               "connect_timeout",
                                               "client_encoding",
                                               "application_name",
                                               nullptr};
    const std::array<const char*, 9> valores = {
        Server.c_str(), porta.c_str(), Username.c_str(),  Password.c_str(), Database.c_str(),
        tempo.c_str(),  "UTF8",        "OrbitraCargaBal", nullptr};
    std::unique_ptr<pg_conn, LiberaConexao> conexao(
        PQconnectdbParams(chaves.data(), valores.data(), 0));
    if (!conexao || PQstatus(conexao.get()) != CONNECTION_OK) {
        throw EBancoDados(MensagemConexao(conexao.get()));
    }
    FConexao = std::move(conexao);
}

// ---- Fields ----------------------------------------------------------------

void LiberaResultado::operator()(pg_result* r) const {
    PQclear(r);
}

bool TCampo::IsNull() const {
    return PQntuples(FLinha) == 0 || PQgetisnull(FLinha, 0, FColuna);
}

std::string_view TCampo::Texto() const {
    if (IsNull()) {
        return {};
    }
    return {PQgetvalue(FLinha, 0, FColuna),
            static_cast<std::size_t>(PQgetlength(FLinha, 0, FColuna))};
}

std::int64_t TCampo::AsLargeInt() const {
    const std::string_view texto = Texto();
    if (texto.empty()) {
        return 0;
    }
    std::int64_t valor = 0;
    auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (erro == std::errc{} && fim == texto.data() + texto.size()) {
        return valor;
    }
    // A numeric column holding a whole number ("30.00") still reads as one.
    const double real = AsFloat();
    if (std::isfinite(real) && real == std::trunc(real) && std::fabs(real) < 9.2e18) {
        return static_cast<std::int64_t>(real);
    }
    throw EBancoDados("O campo \"" + std::string(FNome) + "\" não contém um número inteiro: \"" +
                      std::string(texto) + "\".");
}

std::int32_t TCampo::AsInteger() const {
    const std::int64_t valor = AsLargeInt();
    if (valor < std::numeric_limits<std::int32_t>::min() ||
        valor > std::numeric_limits<std::int32_t>::max()) {
        throw EBancoDados("O valor " + std::to_string(valor) + " do campo \"" + std::string(FNome) +
                          "\" não cabe em um número inteiro de 32 bits.");
    }
    return static_cast<std::int32_t>(valor);
}

std::string TCampo::AsString() const {
    return std::string(Texto());
}

double TCampo::AsFloat() const {
    const std::string_view texto = Texto();
    if (texto.empty()) {
        return 0.0;
    }
    double valor = 0.0;
    auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (erro != std::errc{} || fim != texto.data() + texto.size()) {
        throw EBancoDados("O campo \"" + std::string(FNome) + "\" não contém um número: \"" +
                          std::string(texto) + "\".");
    }
    return valor;
}

// ---- Query -----------------------------------------------------------------

TConsulta::TConsulta(TConexao& conexao) : FConexao(conexao) {}

TConsulta::~TConsulta() {
    Descarta();
}

void TConsulta::AtualizaParametros() {
    std::string texto;
    for (const std::string& linha : SQL) {
        texto += linha + '\n';
    }
    PercorreParametros(texto, [&](const std::string& nome) {
        auto achado = std::ranges::find_if(
            FParametros, [&](const auto& p) { return IgualSemCaixa(p->Nome(), nome); });
        if (achado == FParametros.end()) {
            FParametros.push_back(std::make_unique<TParametro>(nome));
        }
        return std::string();
    });
}

TParametro& TConsulta::ParamByName(std::string_view nome) {
    AtualizaParametros();
    for (const auto& p : FParametros) {
        if (IgualSemCaixa(p->Nome(), nome)) {
            return *p;
        }
    }
    throw EBancoDados("Parâmetro \"" + std::string(nome) + "\" não encontrado.");
}

std::string TConsulta::TextoServidor() const {
    std::string texto;
    for (std::size_t i = 0; i < SQL.size(); ++i) {
        texto += SQL[i];
        if (i + 1 < SQL.size()) {
            texto += '\n';
        }
    }
    return PercorreParametros(texto, [&](const std::string& nome) {
        for (std::size_t i = 0; i < FParametros.size(); ++i) {
            if (IgualSemCaixa(FParametros[i]->Nome(), nome)) {
                return "$" + std::to_string(i + 1);
            }
        }
        return std::string("NULL"); // unreachable: AtualizaParametros saw every name
    });
}

void TConsulta::Open() {
    Close();
    AtualizaParametros();
    // The window stays open for days: a connection that the server dropped
    // in the meantime (a restart) is made anew once, and the query runs again.
    for (int tentativa = 0;; ++tentativa) {
        try {
            Executa();
            return;
        } catch (const EBancoDados&) {
            const bool caiu = FConexao.Connected() && PQstatus(FConexao.Handle()) == CONNECTION_BAD;
            if (!caiu || tentativa > 0) {
                throw;
            }
            FConexao.SetConnected(false);
        }
    }
}

void TConsulta::Executa() {
    // Like a connection that closes itself while idle: the query connects
    // when it has to.
    FConexao.SetConnected(true);
    std::vector<const char*> valores;
    for (const auto& p : FParametros) {
        valores.push_back(p->Valor() ? p->Valor()->c_str() : nullptr);
    }
    const std::string texto = TextoServidor();
    pg_conn* conexao = FConexao.Handle();
    if (!PQsendQueryParams(conexao, texto.c_str(), static_cast<int>(valores.size()), nullptr,
                           valores.data(), nullptr, nullptr, 0)) {
        throw EBancoDados(MensagemConexao(conexao));
    }
    PQsetSingleRowMode(conexao);
    FConexaoDaConsulta = conexao;
    FAtiva = true;
    LeProximaLinha();
    FNoInicio = true;
}

void TConsulta::LeProximaLinha() {
    pg_conn* conexao = FConexao.Handle();
    Resultado resultado(PQgetResult(conexao));
    if (!resultado) {
        FEof = true;
        return;
    }
    switch (PQresultStatus(resultado.get())) {
    case PGRES_SINGLE_TUPLE:
        FLinha = std::move(resultado);
        FEof = false;
        return;
    case PGRES_TUPLES_OK:
    case PGRES_COMMAND_OK:
        // The end: keep this result for its column names, then let the
        // connection become idle.
        FLinha = std::move(resultado);
        FEof = true;
        while (Resultado resto{PQgetResult(conexao)}) {
        }
        return;
    default: {
        const std::string mensagem = MensagemResultado(resultado.get(), conexao);
        resultado.reset();
        while (Resultado resto{PQgetResult(conexao)}) {
        }
        FLinha.reset();
        FAtiva = false;
        FEof = true;
        throw EBancoDados(mensagem);
    }
    }
}

void TConsulta::Descarta() {
    pg_conn* conexao = FConexao.Handle();
    if (FAtiva && !FEof && conexao != nullptr && conexao == FConexaoDaConsulta) {
        // Rows still on the way: ask the server to stop instead of reading
        // the rest of the catalogue only to throw it away.
        if (PGcancel* cancela = PQgetCancel(conexao)) {
            std::array<char, 256> erro{};
            PQcancel(cancela, erro.data(), static_cast<int>(erro.size()));
            PQfreeCancel(cancela);
        }
        while (Resultado resto{PQgetResult(conexao)}) {
        }
    }
    FLinha.reset();
    FConexaoDaConsulta = nullptr;
    FAtiva = false;
    FEof = true;
    FNoInicio = false;
}

void TConsulta::Close() {
    Descarta();
}

void TConsulta::First() {
    if (!FAtiva) {
        throw EBancoDados("A consulta não está aberta.");
    }
    if (!FNoInicio) {
        Open();
    }
}

void TConsulta::Next() {
    if (!FAtiva || FEof) {
        return;
    }
    FNoInicio = false;
    LeProximaLinha();
}

TCampo TConsulta::FieldByName(std::string_view nome) const {
    if (!FAtiva || !FLinha) {
        throw EBancoDados("A consulta não está aberta.");
    }
    const std::string chave(nome);
    const int coluna = PQfnumber(FLinha.get(), chave.c_str());
    if (coluna < 0) {
        throw EBancoDados("Campo \"" + chave + "\" não encontrado.");
    }
    return TCampo(FLinha.get(), coluna, nome);
}

} // namespace loja
