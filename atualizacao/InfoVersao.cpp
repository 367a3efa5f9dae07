// Every offset and size read from the file is checked against what is really
// there before it is used; the resource tree is walked level by level with a
// fixed depth, so a tree that points back at itself cannot make it loop.
#include "atualizacao/InfoVersao.hpp"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>

namespace atualizacao {

namespace {

constexpr std::uint32_t RtVersion = 16;
constexpr std::uint32_t IdVersionInfo = 1;
// wLength of VS_VERSIONINFO is 16 bits: a larger resource cannot be valid.
constexpr std::uint32_t TamanhoMaximoBloco = 0xFFFF;

// Random access to the bytes of an image, from memory or from a file.
class Fonte {
public:
    virtual ~Fonte() = default;
    virtual std::uint64_t Tamanho() const = 0;
    // False when the range is not entirely inside the image.
    virtual bool Le(std::uint64_t pos, void* destino, std::size_t n) = 0;

    std::optional<std::uint16_t> U16(std::uint64_t pos) {
        std::array<std::uint8_t, 2> b{};
        if (!Le(pos, b.data(), b.size())) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    }
    std::optional<std::uint32_t> U32(std::uint64_t pos) {
        std::array<std::uint8_t, 4> b{};
        if (!Le(pos, b.data(), b.size())) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
               (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    }
};

class FonteMemoria final : public Fonte {
public:
    explicit FonteMemoria(std::span<const std::uint8_t> dados) : FDados(dados) {}
    std::uint64_t Tamanho() const override { return FDados.size(); }
    bool Le(std::uint64_t pos, void* destino, std::size_t n) override {
        if (pos > FDados.size() || n > FDados.size() - pos) {
            return false;
        }
        std::memcpy(destino, FDados.data() + pos, n);
        return true;
    }

private:
    std::span<const std::uint8_t> FDados;
};

class FonteArquivo final : public Fonte {
public:
    explicit FonteArquivo(const std::filesystem::path& arquivo) : FIn(arquivo, std::ios::binary) {
        std::error_code ec;
        const auto tamanho = std::filesystem::file_size(arquivo, ec);
        FTamanho = ec ? 0 : tamanho;
    }
    bool Aberto() const { return static_cast<bool>(FIn); }
    std::uint64_t Tamanho() const override { return FTamanho; }
    bool Le(std::uint64_t pos, void* destino, std::size_t n) override {
        if (pos > FTamanho || n > FTamanho - pos) {
            return false;
        }
        FIn.clear();
        FIn.seekg(static_cast<std::streamoff>(pos));
        FIn.read(static_cast<char*>(destino), static_cast<std::streamsize>(n));
        return FIn.gcount() == static_cast<std::streamsize>(n);
    }

private:
    std::ifstream FIn;
    std::uint64_t FTamanho = 0;
};

struct Secao {
    std::uint32_t EnderecoVirtual = 0;
    std::uint32_t TamanhoVirtual = 0;
    std::uint32_t TamanhoBruto = 0;
    std::uint32_t PosicaoBruta = 0;
};

// Where the resource directory lies, and how to turn its addresses into
// file positions.
struct Imagem {
    std::vector<Secao> Secoes;
    std::uint32_t RvaRecursos = 0;

    std::optional<std::uint64_t> PosicaoDe(std::uint32_t rva, std::uint32_t n) const {
        for (const Secao& s : Secoes) {
            const std::uint64_t inicio = s.EnderecoVirtual;
            const std::uint64_t fim = inicio + s.TamanhoBruto; // only what the file holds
            if (rva >= inicio && static_cast<std::uint64_t>(rva) + n <= fim) {
                return static_cast<std::uint64_t>(s.PosicaoBruta) + (rva - inicio);
            }
        }
        return std::nullopt;
    }
};

std::optional<Imagem> LeCabecalhos(Fonte& f) {
    const auto mz = f.U16(0);
    const auto lfanew = f.U32(0x3C);
    if (!mz || *mz != 0x5A4D || !lfanew) {
        return std::nullopt;
    }
    const std::uint64_t pe = *lfanew;
    const auto assinatura = f.U32(pe);
    if (!assinatura || *assinatura != 0x00004550) {
        return std::nullopt;
    }
    const auto nSecoes = f.U16(pe + 6);
    const auto tamOpcional = f.U16(pe + 20);
    const std::uint64_t opcional = pe + 24;
    const auto magic = f.U16(opcional);
    if (!nSecoes || !tamOpcional || !magic) {
        return std::nullopt;
    }
    std::uint64_t posQuantDir = 0;
    if (*magic == 0x10B) {
        posQuantDir = 92;
    } else if (*magic == 0x20B) {
        posQuantDir = 108;
    } else {
        return std::nullopt;
    }
    const auto quantDir = f.U32(opcional + posQuantDir);
    // The directories must lie inside the optional header that declares them.
    if (!quantDir || *quantDir < 3 || posQuantDir + 4 + 3 * 8 > *tamOpcional) {
        return std::nullopt;
    }
    const auto rvaRecursos = f.U32(opcional + posQuantDir + 4 + 2 * 8);
    if (!rvaRecursos || *rvaRecursos == 0) {
        return std::nullopt;
    }
    Imagem img;
    img.RvaRecursos = *rvaRecursos;
    const std::uint64_t tabela = opcional + *tamOpcional;
    for (std::uint32_t i = 0; i < *nSecoes; ++i) {
        const std::uint64_t s = tabela + static_cast<std::uint64_t>(i) * 40;
        const auto vs = f.U32(s + 8), va = f.U32(s + 12), rs = f.U32(s + 16), rp = f.U32(s + 20);
        if (!vs || !va || !rs || !rp) {
            return std::nullopt;
        }
        img.Secoes.push_back({*va, *vs, *rs, *rp});
    }
    return img;
}

// One entry of a resource directory: its id (named entries are skipped) and
// the offset it points at, relative to the start of the resource directory.
struct EntradaRecurso {
    std::uint32_t Id = 0;
    std::uint32_t Destino = 0;
    bool Subdiretorio = false;
};

std::vector<EntradaRecurso> LeDiretorio(Fonte& f, const Imagem& img, std::uint32_t deslocamento) {
    std::vector<EntradaRecurso> entradas;
    if (deslocamento > 0xFFFFFFFFu - img.RvaRecursos) {
        return entradas;
    }
    const auto pos = img.PosicaoDe(img.RvaRecursos + deslocamento, 16);
    if (!pos) {
        return entradas;
    }
    const auto nomeados = f.U16(*pos + 12);
    const auto ids = f.U16(*pos + 14);
    if (!nomeados || !ids) {
        return entradas;
    }
    const std::uint32_t total = std::uint32_t{*nomeados} + *ids;
    for (std::uint32_t i = 0; i < total; ++i) {
        const std::uint64_t e = *pos + 16 + static_cast<std::uint64_t>(i) * 8;
        const auto nome = f.U32(e);
        const auto destino = f.U32(e + 4);
        if (!nome || !destino) {
            break;
        }
        if ((*nome & 0x80000000u) != 0) {
            continue;
        }
        entradas.push_back({*nome, *destino & 0x7FFFFFFFu, (*destino & 0x80000000u) != 0});
    }
    return entradas;
}

std::optional<EntradaRecurso> Procura(const std::vector<EntradaRecurso>& entradas,
                                      std::optional<std::uint32_t> id, bool subdiretorio) {
    for (const EntradaRecurso& e : entradas) {
        if ((!id || e.Id == *id) && e.Subdiretorio == subdiretorio) {
            return e;
        }
    }
    return std::nullopt;
}

// Only the key of the root tells a version block from other data.
bool PareceInfoVersao(std::span<const std::uint8_t> bloco);

std::vector<std::uint8_t> LeInfoVersao(Fonte& f) {
    const auto img = LeCabecalhos(f);
    if (!img) {
        return {};
    }
    // type RT_VERSION → name 1 → first language → data entry
    const auto tipo = Procura(LeDiretorio(f, *img, 0), RtVersion, true);
    const auto nome =
        tipo ? Procura(LeDiretorio(f, *img, tipo->Destino), IdVersionInfo, true) : std::nullopt;
    const auto idioma =
        nome ? Procura(LeDiretorio(f, *img, nome->Destino), std::nullopt, false) : std::nullopt;
    if (!idioma || idioma->Destino > 0xFFFFFFFFu - img->RvaRecursos) {
        return {};
    }
    const auto posEntrada = img->PosicaoDe(img->RvaRecursos + idioma->Destino, 16);
    const auto rvaDados = posEntrada ? f.U32(*posEntrada) : std::nullopt;
    const auto tamanho = posEntrada ? f.U32(*posEntrada + 4) : std::nullopt;
    if (!rvaDados || !tamanho || *tamanho < 6 || *tamanho > TamanhoMaximoBloco) {
        return {};
    }
    const auto posDados = img->PosicaoDe(*rvaDados, *tamanho);
    std::vector<std::uint8_t> bloco(*tamanho);
    if (!posDados || !f.Le(*posDados, bloco.data(), bloco.size()) || !PareceInfoVersao(bloco)) {
        return {};
    }
    return bloco;
}

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t pos) {
    return static_cast<std::uint16_t>(b[pos] | (b[pos + 1] << 8));
}

constexpr std::size_t Alinha4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

// One node of the version tree: a header, a key, a value and children.
struct No {
    std::size_t Inicio = 0;
    std::size_t Fim = 0; // one past the node's last byte
    std::u16string Chave;
    std::size_t InicioValor = 0;
    std::size_t FimValor = 0;
    bool Texto = false;
    std::size_t InicioFilhos = 0;
};

std::optional<No> LeNo(std::span<const std::uint8_t> b, std::size_t pos, std::size_t limite) {
    if (pos + 6 > limite) {
        return std::nullopt;
    }
    const std::size_t tamanho = U16(b, pos);
    if (tamanho < 6 || tamanho > limite - pos) {
        return std::nullopt;
    }
    No no;
    no.Inicio = pos;
    no.Fim = pos + tamanho;
    const std::size_t tamValor = U16(b, pos + 2);
    no.Texto = U16(b, pos + 4) == 1;
    std::size_t p = pos + 6;
    while (true) {
        if (p + 2 > no.Fim) {
            return std::nullopt; // key without its terminator
        }
        const char16_t c = U16(b, p);
        p += 2;
        if (c == 0) {
            break;
        }
        no.Chave.push_back(c);
    }
    no.InicioValor = std::min(Alinha4(p), no.Fim);
    const std::size_t bytesValor = no.Texto ? tamValor * 2 : tamValor;
    no.FimValor = std::min(no.InicioValor + bytesValor, no.Fim);
    no.InicioFilhos = std::min(Alinha4(no.InicioValor + bytesValor), no.Fim);
    return no;
}

bool PareceInfoVersao(std::span<const std::uint8_t> bloco) {
    const auto raiz = LeNo(bloco, 0, bloco.size());
    return raiz && raiz->Chave == u"VS_VERSION_INFO";
}

char16_t Minuscula(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c + (u'a' - u'A') : c;
}

bool ChaveIgual(const std::u16string& chave, std::string_view nome) {
    if (chave.size() != nome.size()) {
        return false;
    }
    for (std::size_t i = 0; i < nome.size(); ++i) {
        if (Minuscula(chave[i]) != Minuscula(static_cast<unsigned char>(nome[i]))) {
            return false;
        }
    }
    return true;
}

std::optional<No> ProcuraFilho(std::span<const std::uint8_t> b, const No& pai,
                               std::string_view nome) {
    std::size_t pos = pai.InicioFilhos;
    while (pos < pai.Fim) {
        const auto filho = LeNo(b, pos, pai.Fim);
        if (!filho) {
            return std::nullopt;
        }
        if (ChaveIgual(filho->Chave, nome)) {
            return filho;
        }
        pos = Alinha4(filho->Fim); // always moves forward: a node has at least 6 bytes
    }
    return std::nullopt;
}

void AcrescentaUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        s.push_back(static_cast<char>(0xC0 | (c >> 6)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        s.push_back(static_cast<char>(0xE0 | (c >> 12)));
        s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        s.push_back(static_cast<char>(0xF0 | (c >> 18)));
        s.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

std::vector<std::uint8_t> LeInfoVersao(std::span<const std::uint8_t> imagem) {
    FonteMemoria f(imagem);
    return LeInfoVersao(f);
}

std::vector<std::uint8_t> LeInfoVersao(const std::filesystem::path& arquivo) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(arquivo, ec)) {
        return {};
    }
    FonteArquivo f(arquivo);
    if (!f.Aberto()) {
        return {};
    }
    return LeInfoVersao(f);
}

std::optional<TValorVersao> ConsultaValor(std::span<const std::uint8_t> bloco,
                                          std::string_view caminho) {
    auto no = LeNo(bloco, 0, bloco.size());
    while (no && !caminho.empty()) {
        const auto barra = caminho.find('\\');
        const std::string_view parte = caminho.substr(0, barra);
        caminho = barra == std::string_view::npos ? std::string_view{} : caminho.substr(barra + 1);
        if (!parte.empty()) {
            no = ProcuraFilho(bloco, *no, parte);
        }
    }
    if (!no) {
        return std::nullopt;
    }
    return TValorVersao{bloco.subspan(no->InicioValor, no->FimValor - no->InicioValor), no->Texto};
}

std::optional<std::string> ConsultaTexto(std::span<const std::uint8_t> bloco,
                                         std::string_view caminho) {
    const auto valor = ConsultaValor(bloco, caminho);
    if (!valor) {
        return std::nullopt;
    }
    // Tools disagree on whether the value length counts characters or bytes;
    // the text ends at its terminator or at the end of the node, as Windows reads it.
    const auto d = valor->Dados;
    std::u16string u;
    for (std::size_t i = 0; i + 1 < d.size(); i += 2) {
        const char16_t c = U16(d, i);
        if (c == 0) {
            break;
        }
        u.push_back(c);
    }
    std::string s;
    for (std::size_t i = 0; i < u.size(); ++i) {
        char32_t c = u[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < u.size() && u[i + 1] >= 0xDC00 &&
            u[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (u[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AcrescentaUtf8(s, c);
    }
    return s;
}

std::optional<std::uint32_t> PrimeiraTraducao(std::span<const std::uint8_t> bloco) {
    const auto valor = ConsultaValor(bloco, "\\VarFileInfo\\Translation");
    if (!valor || valor->Dados.size() < 4) {
        return std::nullopt;
    }
    const auto d = valor->Dados;
    return static_cast<std::uint32_t>(d[0]) | (static_cast<std::uint32_t>(d[1]) << 8) |
           (static_cast<std::uint32_t>(d[2]) << 16) | (static_cast<std::uint32_t>(d[3]) << 24);
}

} // namespace atualizacao
