#include "cargabal/ArquivoCarga.hpp"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/utf16.h>
#include <unistd.h>

namespace cargabal {

namespace {

struct FechaConversor {
    void operator()(UConverter* c) const { ucnv_close(c); }
};

// Code points that Windows-1252 leaves without a glyph but keeps as bytes.
bool C1SemGlifo(UChar32 c) {
    return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

// Every character the code page cannot take becomes one "?". ICU's own
// substitute callback would silently skip default-ignorable characters
// (zero-width joiner, U+FEFF, ...); we want them counted and visible.
void Substitui(const void*, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
               UChar32 codePoint, UConverterCallbackReason motivo, UErrorCode* erro) {
    if (motivo > UCNV_IRREGULAR) {
        return; // reset, close, clone: nothing to write
    }
    *erro = U_ZERO_ERROR;
    if (motivo == UCNV_UNASSIGNED && C1SemGlifo(codePoint)) {
        const char byte = static_cast<char>(codePoint);
        ucnv_cbFromUWriteBytes(args, &byte, 1, 0, erro);
        return;
    }
    ucnv_cbFromUWriteBytes(args, "?", 1, 0, erro);
}

std::string DescricaoErro(int erro) {
    switch (erro) {
    case EACCES:
    case EPERM:
        return "permissão negada";
    case EROFS:
        return "o sistema de arquivos é somente leitura";
    case ENOSPC:
        return "não há espaço livre no disco";
    case EDQUOT:
        return "a cota de disco foi excedida";
    case EFBIG:
        return "o arquivo excede o tamanho máximo permitido";
    case ENOENT:
        return "a pasta não existe";
    case ENOTDIR:
        return "o caminho não é uma pasta";
    case EISDIR:
        return "existe uma pasta com esse nome";
    case EIO:
        return "erro de entrada e saída no disco";
    default:
        return std::strerror(erro);
    }
}

[[noreturn]] void Falha(const std::string& caminho, int erro) {
    throw EArquivo("Não foi possível gravar o arquivo \"" + caminho + "\": " + DescricaoErro(erro) +
                   ".");
}

// Closes and removes the temporary file unless it was renamed into place.
class ArquivoTemporario {
public:
    explicit ArquivoTemporario(std::string caminho, int fd)
        : FCaminho(std::move(caminho)), FFd(fd) {}
    ~ArquivoTemporario() {
        if (FFd >= 0) {
            ::close(FFd);
        }
        if (!FCaminho.empty()) {
            ::unlink(FCaminho.c_str());
        }
    }
    ArquivoTemporario(const ArquivoTemporario&) = delete;
    ArquivoTemporario& operator=(const ArquivoTemporario&) = delete;

    int Fd() const { return FFd; }
    const std::string& Caminho() const { return FCaminho; }
    int Fecha() {
        const int r = ::close(FFd);
        FFd = -1;
        return r;
    }
    void Entregue() { FCaminho.clear(); }

private:
    std::string FCaminho;
    int FFd;
};

std::string PastaDe(const std::string& caminho) {
    const auto barra = caminho.find_last_of('/');
    if (barra == std::string::npos) {
        return ".";
    }
    return barra == 0 ? "/" : caminho.substr(0, barra);
}

ArquivoTemporario CriaTemporario(const std::string& caminho) {
    static std::atomic<unsigned> contador{0};
    const auto barra = caminho.find_last_of('/');
    const std::string pasta = barra == std::string::npos ? "" : caminho.substr(0, barra + 1);
    const std::string nome = barra == std::string::npos ? caminho : caminho.substr(barra + 1);
    for (int tentativa = 0; tentativa < 100; ++tentativa) {
        const std::string temporario = pasta + "." + nome + ".tmp-" + std::to_string(::getpid()) +
                                       "-" + std::to_string(contador++);
        const int fd = ::open(temporario.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            return ArquivoTemporario(temporario, fd);
        }
        if (errno != EEXIST) {
            Falha(caminho, errno);
        }
    }
    Falha(caminho, EEXIST);
}

} // namespace

namespace {

std::string ConverteComIcu(std::u16string_view texto) {
    UErrorCode erro = U_ZERO_ERROR;
    std::unique_ptr<UConverter, FechaConversor> conversor(ucnv_open("windows-1252", &erro));
    if (U_FAILURE(erro)) {
        throw std::runtime_error(std::string("conversor windows-1252 indisponível: ") +
                                 u_errorName(erro));
    }
    ucnv_setFallback(conversor.get(), false);
    ucnv_setFromUCallBack(conversor.get(), Substitui, nullptr, nullptr, nullptr, &erro);
    // A single-byte code page never yields more bytes than UTF-16 units.
    std::string bytes(texto.size() + 1, '\0');
    const int32_t tamanho =
        ucnv_fromUChars(conversor.get(), bytes.data(), static_cast<int32_t>(bytes.size()),
                        texto.data(), static_cast<int32_t>(texto.size()), &erro);
    if (U_FAILURE(erro)) {
        throw std::runtime_error(std::string("falha na conversão para windows-1252: ") +
                                 u_errorName(erro));
    }
    bytes.resize(static_cast<std::size_t>(tamanho));
    return bytes;
}

// ICU's answer for every code point of the basic plane, asked once: converting
// a large load through ICU character by character is many times slower.
class Tabela1252 {
public:
    Tabela1252() {
        std::u16string todos;
        todos.reserve(0x10000);
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (!U16_IS_SURROGATE(c)) {
                todos.push_back(static_cast<char16_t>(c));
            }
        }
        const std::string bytes = ConverteComIcu(todos);
        if (bytes.size() != todos.size()) {
            throw std::runtime_error("conversor windows-1252 inesperado");
        }
        for (std::size_t i = 0; i < todos.size(); ++i) {
            FBytes[todos[i]] = bytes[i];
        }
    }
    char operator[](char16_t c) const { return FBytes[c]; }

private:
    std::array<char, 0x10000> FBytes{};
};

} // namespace

namespace {

const Tabela1252& Tabela() {
    static const Tabela1252 tabela;
    return tabela;
}

// Writes the bytes of `texto` at `destino` and returns the end.
char* Escreve1252(char* destino, std::u16string_view texto, const Tabela1252& tabela) {
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char16_t c = texto[i];
        if (U16_IS_SURROGATE(c)) {
            // No character beyond the basic plane is in the code page; a pair
            // is one character and so one "?".
            if (U16_IS_LEAD(c) && i + 1 < texto.size() && U16_IS_TRAIL(texto[i + 1])) {
                ++i;
            }
            *destino++ = '?';
        } else {
            *destino++ = tabela[c];
        }
    }
    return destino;
}

} // namespace

std::string LinhasWindows1252(const std::vector<std::u16string>& linhas) {
    std::size_t total = 0;
    for (const auto& l : linhas) {
        total += l.size() + 2;
    }
    std::string bytes(total, '\0');
    const Tabela1252& tabela = Tabela();
    char* fim = bytes.data();
    for (const auto& l : linhas) {
        fim = Escreve1252(fim, l, tabela);
        *fim++ = '\r';
        *fim++ = '\n';
    }
    bytes.resize(static_cast<std::size_t>(fim - bytes.data()));
    return bytes;
}

void GravaAtomicamente(const std::string& caminho, std::string_view conteudo) {
    ArquivoTemporario temporario = CriaTemporario(caminho);
    const char* p = conteudo.data();
    std::size_t restante = conteudo.size();
    while (restante > 0) {
        const ssize_t escritos = ::write(temporario.Fd(), p, restante);
        if (escritos < 0) {
            if (errno == EINTR) {
                continue;
            }
            Falha(caminho, errno);
        }
        p += escritos;
        restante -= static_cast<std::size_t>(escritos);
    }
    if (::fsync(temporario.Fd()) != 0 || temporario.Fecha() != 0) {
        Falha(caminho, errno);
    }
    if (::rename(temporario.Caminho().c_str(), caminho.c_str()) != 0) {
        Falha(caminho, errno);
    }
    temporario.Entregue();
    const int pasta = ::open(PastaDe(caminho).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (pasta >= 0) {
        ::fsync(pasta);
        ::close(pasta);
    }
}

} // namespace cargabal
