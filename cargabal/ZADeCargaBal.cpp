#include "cargabal/ZADeCargaBal.hpp"

#include "cargabal/ArquivoCarga.hpp"
#include "cargabal/Formatacao.hpp"
#include "cargabal/ListaLinhas.hpp"
#include "cargabal/NomesArquivos.hpp"

#include <array>
#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <locale.h>
#include <memory>
#include <sys/stat.h>
#include <type_traits>
#include <unicode/ucnv.h>

namespace cargabal {

// ---- Records -------------------------------------------------------------

void TZADeCargaBalNutricional::Limpar() {
    Codigo = 0;
    Qtd = 0;
    PartInteira = 0;
    ValorEnergetico = 0;
    Carboidrato = Proteina = GorduraTotal = GorduraSaturada = GorduraTrans = Fibra = Sodio =
        Currency{};
    UndPorcao = TZADeCargaBalNutriUndPorcao::tpGramas;
    PartDecimal = TZADeCargaBalNutriPartdecimal::tpPara0;
    MedCaseira = TZADeCargaBalNutriMedCaseira::tpColherSopa;
}

TZADeCargaBalItem::TZADeCargaBalItem()
    : FSetor(std::make_unique<TZADeCargaBalSetor>()),
      FNutricional(std::make_unique<TZADeCargaBalNutricional>()),
      FTara(std::make_unique<TZADeCargaBalTaras>()),
      FFornecedor(std::make_unique<TZADeCargaBalFornecedor>()),
      FFracionador(std::make_unique<TZADeCargaBalFracionador>()),
      FConservacao(std::make_unique<TZADeCargaBalConservacao>()),
      FExtra1(std::make_unique<TZADeCargaBalExtra1>()),
      FExtra2(std::make_unique<TZADeCargaBalExtra2>()),
      FInformacaoExtra(std::make_unique<TZADeCargaBalInformacaoExtra>()),
      FTeclado(std::make_unique<TZadeCargaBalTeclado>()) {}

TZADeCargaBalItem::~TZADeCargaBalItem() = default;

namespace {
template <typename T> void Assume(std::unique_ptr<T>& destino, std::unique_ptr<T> v) {
    if (!v) {
        throw std::invalid_argument("sub-registro nulo");
    }
    destino = std::move(v);
}
} // namespace

void TZADeCargaBalItem::SetSetor(std::unique_ptr<TZADeCargaBalSetor> v) {
    Assume(FSetor, std::move(v));
}
void TZADeCargaBalItem::SetNutricional(std::unique_ptr<TZADeCargaBalNutricional> v) {
    Assume(FNutricional, std::move(v));
}
void TZADeCargaBalItem::SetTara(std::unique_ptr<TZADeCargaBalTaras> v) {
    Assume(FTara, std::move(v));
}
void TZADeCargaBalItem::SetFornecedor(std::unique_ptr<TZADeCargaBalFornecedor> v) {
    Assume(FFornecedor, std::move(v));
}
void TZADeCargaBalItem::SetFracionador(std::unique_ptr<TZADeCargaBalFracionador> v) {
    Assume(FFracionador, std::move(v));
}
void TZADeCargaBalItem::SetConservacao(std::unique_ptr<TZADeCargaBalConservacao> v) {
    Assume(FConservacao, std::move(v));
}
void TZADeCargaBalItem::SetExtra1(std::unique_ptr<TZADeCargaBalExtra1> v) {
    Assume(FExtra1, std::move(v));
}
void TZADeCargaBalItem::SetExtra2(std::unique_ptr<TZADeCargaBalExtra2> v) {
    Assume(FExtra2, std::move(v));
}
void TZADeCargaBalItem::SetInformacaoExtra(std::unique_ptr<TZADeCargaBalInformacaoExtra> v) {
    Assume(FInformacaoExtra, std::move(v));
}
void TZADeCargaBalItem::SetTeclado(std::unique_ptr<TZadeCargaBalTeclado> v) {
    Assume(FTeclado, std::move(v));
}

std::int32_t TZADeCargaBalItem::CodigoInformacaoExtra(TZADeCargaBalModelo Modelo) {
    using M = TZADeCargaBalModelo;
    switch (Modelo) {
    case M::modFilizola:
    case M::modToledo:
    case M::modToledoMGV5:
    case M::modToledoMGV6:
    case M::modToledoMGV7:
    case M::modTriunfoRdc429:
        if (FInformacaoExtra->Receita.size() < 3) {
            FInformacaoExtra->Codigo = 0;
        } else if (FInformacaoExtra->Codigo == 0) {
            FInformacaoExtra->Codigo = Codigo;
        }
        break;
    default:
        break;
    }
    return FInformacaoExtra->Codigo;
}

TZADeCargaBalItem& TZADeCargaBalItens::New() {
    FItens.push_back(std::make_unique<TZADeCargaBalItem>());
    return *FItens.back();
}

void TZADeCargaBalItens::ValidaIndice(int Index) const {
    if (Index < 0 || Index >= Count()) {
        throw std::out_of_range("Índice fora dos limites (" + std::to_string(Index) + ")");
    }
}

TZADeCargaBalItem& TZADeCargaBalItens::Items(int Index) {
    ValidaIndice(Index);
    return *FItens[static_cast<std::size_t>(Index)];
}

const TZADeCargaBalItem& TZADeCargaBalItens::Items(int Index) const {
    ValidaIndice(Index);
    return *FItens[static_cast<std::size_t>(Index)];
}

void TZADeCargaBalItens::SetItems(int Index, std::unique_ptr<TZADeCargaBalItem> Item) {
    ValidaIndice(Index);
    if (!Item) {
        throw std::invalid_argument("registro nulo");
    }
    FItens[static_cast<std::size_t>(Index)] = std::move(Item);
}

// ---- Regional number settings ---------------------------------------------

namespace {

struct FechaConversorLocale {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
struct LiberaLocale {
    void operator()(std::remove_pointer_t<locale_t>* l) const { ::freelocale(l); }
};

// localeconv() answers in the character set of the LC_NUMERIC locale, which
// need not be UTF-8: fr_FR.ISO-8859-1 groups with the single byte 0xA0.
std::string CodificacaoNumerica() {
    const char* nome = std::setlocale(LC_NUMERIC, nullptr); // a query: changes nothing
    if (nome == nullptr) {
        return "UTF-8";
    }
    const std::unique_ptr<std::remove_pointer_t<locale_t>, LiberaLocale> local(
        ::newlocale(LC_CTYPE_MASK, nome, locale_t{}));
    return local ? ::nl_langinfo_l(CODESET, local.get()) : "UTF-8";
}

// First character of a separator given in `codificacao`; u'\0' when empty.
char16_t PrimeiroCaractere(const char* bytes, const std::string& codificacao) {
    if (bytes == nullptr || *bytes == '\0') {
        return u'\0';
    }
    UErrorCode erro = U_ZERO_ERROR;
    std::unique_ptr<UConverter, FechaConversorLocale> conversor(
        ucnv_open(codificacao.c_str(), &erro));
    std::array<UChar, 8> texto{};
    if (U_SUCCESS(erro)) {
        const int32_t tamanho =
            ucnv_toUChars(conversor.get(), texto.data(), static_cast<int32_t>(texto.size()), bytes,
                          static_cast<int32_t>(std::strlen(bytes)), &erro);
        if (U_SUCCESS(erro) && tamanho > 0) {
            return texto[0];
        }
    }
    const std::u16string utf16 = Utf16(bytes);
    return utf16.empty() ? u'\0' : utf16.front();
}

} // namespace

ConfiguracaoNumerica ConfiguracaoNumerica::DoLocale() {
    ConfiguracaoNumerica c;
    c.SeparadorMilhar = u'\0';
    const std::lconv* lc = std::localeconv();
    if (lc == nullptr) {
        return c;
    }
    const std::string codificacao = CodificacaoNumerica();
    if (const char16_t d = PrimeiroCaractere(lc->decimal_point, codificacao); d != u'\0') {
        c.SeparadorDecimal = d;
    }
    c.SeparadorMilhar = PrimeiroCaractere(lc->thousands_sep, codificacao);
    return c;
}

// ---- Component ---------------------------------------------------------

namespace {

struct DescricaoModelo {
    const char* Enumerador;
    const char16_t* Texto;
};

constexpr std::array<DescricaoModelo, QuantidadeModelos> Modelos = {{
    {"modFilizola", u"Filizola"},
    {"modToledo", u"Toledo"},
    {"modUrano", u"Urano"},
    {"modUranoS", u"Urano (S)"},
    {"modToledoMGV5", u"Toledo MGV5"},
    {"modToledoMGV6", u"Toledo MGV6"},
    {"modToledoMGV7", u"Toledo MGV7"},
    {"modUranoURF32", u"Urano URF32"},
    {"modRamuza", u"Ramuza"},
    {"modToledoMGV5Ver1", u"Toledo MGV5 Ver1"},
    {"modTriunfoRdc429", u"Triunfo MGV5 Ver2 RDC429"},
}};

const DescricaoModelo& Descricao(TZADeCargaBalModelo m) {
    const auto i = static_cast<std::size_t>(m);
    if (i >= Modelos.size()) {
        throw std::out_of_range("modelo desconhecido");
    }
    return Modelos[i];
}

// Delphi-style Trim: everything up to and including the blank counts.
bool SoBrancos(const std::string& texto) {
    for (const char c : texto) {
        if (static_cast<unsigned char>(c) > ' ') {
            return false;
        }
    }
    return true;
}

bool DiretorioExiste(const std::string& caminho) {
    struct stat st {};
    return ::stat(caminho.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::u16string ModeloStr(TZADeCargaBalModelo Modelo) {
    return Descricao(Modelo).Texto;
}
std::string NomeEnumerador(TZADeCargaBalModelo Modelo) {
    return Descricao(Modelo).Enumerador;
}

TZADeCargaBal::TZADeCargaBal()
    : FProdutos(std::make_unique<TZADeCargaBalItens>()),
      FArquivosGerados(std::make_unique<std::vector<std::string>>()) {}

TZADeCargaBal::~TZADeCargaBal() = default;

std::u16string TZADeCargaBal::ModeloStr() const {
    return cargabal::ModeloStr(Modelo);
}

void TZADeCargaBal::Progresso(const std::u16string& Mensagem, int Atual, int Total) {
    if (OnProgresso) {
        OnProgresso(Mensagem, Atual, Total);
    }
}

void TZADeCargaBal::ProgressoProduto(const TZADeCargaBalItem& Item, int Atual, int Total) {
    if (OnProgresso) {
        OnProgresso(MensagemGerandoProduto(Item.Codigo, Item.Descricao), Atual, Total);
    }
}

void TZADeCargaBal::GerarArquivos(const std::string& ADiretorio) {
    if (SoBrancos(ADiretorio)) {
        throw EZADeCargaBal("Informe o diretório onde serão gerados os arquivos de carga!");
    }
    if (!DiretorioExiste(ADiretorio)) {
        throw EZADeCargaBal("Diretorio informado não existe!");
    }
    if (FProdutos->Count() == 0) {
        throw EZADeCargaBal("Não foram informados os produtos para a geração!");
    }
    FArquivosGerados->clear();

    std::array<ListaLinhas, QuantidadeListas> listas;
    auto lista = [&listas](TipoLista t) { return &listas[static_cast<std::size_t>(t)]; };
    const int total = FProdutos->Count();
    Progresso(u"Iniciando a geração dos arquivos", 0, total);

    using T = TipoLista;
    using M = TZADeCargaBalModelo;
    ListaLinhas* const itens = lista(T::Itens);
    ListaLinhas* const nutri = lista(T::Nutricional);
    ListaLinhas* const receita = lista(T::Receita);
    ListaLinhas* const tara = lista(T::Tara);
    ListaLinhas* const forn = lista(T::Fornecedor);
    ListaLinhas* const frac = lista(T::Fracionador);
    ListaLinhas* const cons = lista(T::Conservacao);
    ListaLinhas* const setor = lista(T::Setor);
    ListaLinhas* const tecla = lista(T::Teclado);
    ListaLinhas* const extra1 = lista(T::CampoExtra1);
    ListaLinhas* const extra2 = lista(T::CampoExtra2);
    switch (Modelo) {
    case M::modFilizola:
        GerarFilizola(itens, setor, nutri, receita);
        break;
    case M::modToledo:
        GerarToledo(itens, nutri, receita, tara, nullptr, nullptr, nullptr, nullptr, nullptr,
                    nullptr, nullptr, 0);
        break;
    case M::modUrano:
        GerarUrano(itens);
        break;
    case M::modUranoS:
        GerarUranoS(itens);
        break;
    case M::modToledoMGV5:
        GerarToledo(itens, nutri, receita, tara, forn, frac, cons, setor, tecla, extra1, extra2, 2);
        break;
    case M::modToledoMGV6:
        GerarToledo(itens, nutri, receita, tara, forn, frac, cons, setor, tecla, extra1, extra2, 3);
        break;
    case M::modToledoMGV7:
        GerarToledoMGV7(itens, nutri, receita, tara, forn, frac, cons, setor, tecla, extra1, extra2,
                        4);
        break;
    case M::modUranoURF32:
        GerarUranoURF32(itens, nutri, receita, lista(T::ProdutoNutricional),
                        lista(T::ProdutoReceita));
        break;
    case M::modRamuza:
        GerarRamuza(itens);
        break;
    case M::modToledoMGV5Ver1:
        GerarToledo(itens, nutri, receita, tara, forn, frac, cons, setor, nullptr, nullptr, nullptr,
                    1);
        break;
    case M::modTriunfoRdc429:
        GerarTriunfo(itens, nutri, receita, tara, forn, frac, cons, setor, tecla, extra1, extra2,
                     4);
        break;
    default:
        throw EZADeCargaBal("Modelo de balança desconhecido: " +
                            std::to_string(static_cast<int>(Modelo)));
    }

    const bool temDelimitador = ADiretorio.back() == '/';
    for (int i = 0; i < QuantidadeListas; ++i) {
        const ListaLinhas& l = listas[static_cast<std::size_t>(i)];
        if (l.Vazia()) {
            continue;
        }
        const std::string nome = NomeArquivo(Modelo, static_cast<TipoLista>(i));
        if (nome.empty()) {
            throw EZADeCargaBal("O modelo " + NomeEnumerador(Modelo) +
                                " não tem nome de arquivo para uma lista preenchida");
        }
        const std::string caminho = ADiretorio + (temDelimitador ? "" : "/") + nome;
        GravaAtomicamente(caminho, LinhasWindows1252(l.Linhas()));
        FArquivosGerados->push_back(caminho);
    }
    Progresso(u"Terminado", total, total);
}

} // namespace cargabal
