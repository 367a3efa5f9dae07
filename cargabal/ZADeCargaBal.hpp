// The scale-load generator: load records, their owning list, and the
// component that writes them as the load files of one scale model.
#pragma once

#include "cargabal/Currency.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace cargabal {

class ListaLinhas;

enum class TZADeCargaBalModelo : int {
    modFilizola = 0,
    modToledo = 1,
    modUrano = 2,
    modUranoS = 3,
    modToledoMGV5 = 4,
    modToledoMGV6 = 5,
    modToledoMGV7 = 6,
    modUranoURF32 = 7,
    modRamuza = 8,
    modToledoMGV5Ver1 = 9,
    modTriunfoRdc429 = 10,
};
inline constexpr int QuantidadeModelos = 11;

enum class TZADeCargaBalTipoVenda : int { tpvPeso = 0, tpvUnidade, tpvEAN13, tpvEAN13Und };
enum class TZADeCargaBalTipoValidade : int { tpvDias = 0, tpvMeses };
enum class TZADeCargaBalNutriUndPorcao : int { tpGramas = 0, tpMililitros, tpUnidades };
enum class TZADECargaBalNutriUndPorcao429 : int { tpGramas429 = 0, tpMililitros429 };
enum class TZADeCargaBalNutriPartdecimal : int {
    tpPara0 = 0,
    tpPara14,
    tpPara13,
    tpPara12,
    tpPara23,
    tpPara34
};
enum class TZADeCargaBalNutriPartdecimal429 : int {
    tpPara0_429 = 0,
    tpPara14_429,
    tpPara13_429,
    tpPara12_429,
    tpPara23_429,
    tpPara34_429
};
enum class TZADeCargaBalNutriMedCaseira : int {
    tpColherSopa = 0,
    tpColherCafe,
    tpColherCha,
    tpXicara,
    tpDeXicara,
    tpUnidade,
    tpPacote,
    tpFatia,
    tpFatiaFina,
    tpPedaco,
    tpFolha,
    tpPao,
    tpBiscoito,
    tpBisnaguinha,
    tpDisco,
    tpCopo,
    tpPorcao,
    tpTablete,
    tpSache,
    tpAlmodega,
    tpBife,
    tpFile,
    tpConcha,
    tpBala,
    tpPratoFundo,
    tpPitada,
    tpLata
};
enum class TZADeCargaBalNutriMedCaseira429 : int {
    tpColherSopa429 = 0,
    tpColherCafe429,
    tpColherCha429,
    tpXicara429,
    tpDeXicara429,
    tpUnidade429,
    tpPacote429,
    tpFatia429,
    tpFatiaFina429,
    tpPedaco429,
    tpFolha429,
    tpPao429,
    tpBiscoito429,
    tpBisnaguinha429,
    tpDisco429,
    tpCopo429,
    tpPorcao429,
    tpTablete429,
    tpSache429,
    tpAlmodega429,
    tpBife429,
    tpFile429,
    tpConcha429,
    tpBala429,
    tpPratoFundo429,
    tpPitada429,
    tpLata429,
    tpXicaraCha429,
    tpPratoRaso429
};
enum class TZADeAboutInfo : int { ZADeAbout = 0 };

// Progress callback: message, current position, total.
using TZADeCargaBalProgresso =
    std::function<void(const std::u16string& Mensagem, int ProgressoAtual, int ProgressoTotal)>;

// The generator's own errors; the message is meant for the user as it stands.
class EZADeCargaBal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TZADeCargaBalSetor {
    std::int32_t Codigo = 0;
    std::u16string Descricao;
};

struct TZADeCargaBalInformacaoExtra {
    std::int32_t Codigo = 0;
    std::u16string Observacao;
    std::u16string Receita;
};

struct TZADeCargaBalTaras {
    std::int32_t Codigo = 0;
    std::u16string Descricao;
    Currency Valor;
    std::int32_t TipoTara = 0;
    Currency ValorMaximoTara;
};

struct TZADeCargaBalFornecedor {
    std::int16_t Codigo = 0;
    std::u16string Observacao;
    std::u16string Descricao1, Descricao2, Descricao3, Descricao4, Descricao5;
};

struct TZADeCargaBalFracionador {
    std::int16_t Codigo = 0;
    std::u16string Observacao;
    std::u16string Descricao1, Descricao2, Descricao3;
};

struct TZADeCargaBalConservacao {
    std::int16_t Codigo = 0;
    std::u16string Observacao;
    std::u16string Descricao1, Descricao2, Descricao3;
};

struct TZADeCargaBalExtra1 {
    std::int16_t Codigo = 0;
    std::u16string Observacao;
    std::u16string Linha2, Linha3, Linha1, Linha4, Linha5;
};

struct TZADeCargaBalExtra2 {
    std::u16string Observacao;
    std::int16_t Codigo = 0;
    std::u16string Linha2, Linha3, Linha1, Linha4, Linha5;
};

struct TZadeCargaBalTeclado {
    std::int32_t Tecla = 0;
    std::int32_t Pagina_Teclado = 1;
    std::int32_t Codigo_Teclado = 1;
};

// Nutrition facts: the older layouts' values, then the RDC 429 group.
class TZADeCargaBalNutricional {
public:
    TZADeCargaBalNutricional() { Limpar(); }

    // Resets the older group; Descricao and the RDC 429 group stay.
    void Limpar();

    std::int32_t Codigo = 0;
    std::u16string Descricao;
    std::int32_t Qtd = 0;
    TZADeCargaBalNutriUndPorcao UndPorcao = TZADeCargaBalNutriUndPorcao::tpGramas;
    std::int32_t PartInteira = 0;
    TZADeCargaBalNutriPartdecimal PartDecimal = TZADeCargaBalNutriPartdecimal::tpPara0;
    TZADeCargaBalNutriMedCaseira MedCaseira = TZADeCargaBalNutriMedCaseira::tpColherSopa;
    std::int32_t ValorEnergetico = 0;
    Currency Carboidrato, Proteina, GorduraTotal, GorduraSaturada, GorduraTrans, Fibra, Sodio;

    bool QtdeAutomaticaPorcao429 = false;
    std::int32_t QtdePorcEmb429 = 0;
    std::int32_t PartIntMedidaCaseira429 = 0;
    std::int32_t QtdePorcao429 = 0;
    TZADeCargaBalNutriMedCaseira429 MedCaseira429 =
        TZADeCargaBalNutriMedCaseira429::tpColherSopa429;
    double FibraAlimentar429 = 0;
    double AcucaresAdicionados429 = 0;
    double Lactose429 = 0;
    std::int32_t AltoSodio429 = 0;
    std::int32_t ValorEnergetico429 = 0;
    double AcucaresTotais429 = 0;
    std::int32_t AltoGordura429 = 0;
    double GordurasTrans429 = 0;
    Currency Carboidrato429;
    double Proteinas429 = 0;
    std::int32_t AltoAcucar429 = 0;
    double GordurasTotais429 = 0;
    double Sodio429 = 0;
    double Galactose429 = 0;
    double GordurasSaturadas429 = 0;
    TZADECargaBalNutriUndPorcao429 UndPorcao429 = TZADECargaBalNutriUndPorcao429::tpGramas429;
    TZADeCargaBalNutriPartdecimal429 PartDecMedidaCaseira429 =
        TZADeCargaBalNutriPartdecimal429::tpPara0_429;
    std::int32_t ImprimeLactoseGalactose = 0;
    double ProteinasEstendido429 = 0;
    double GordurasTotaisEstendido429 = 0;
    double AcucaresAdicionadosEstendido429 = 0;
    double AcucaresTotaisEstendido429 = 0;
};

// One product of a load. Plain values are public members; the ten sub-records
// are owned by the item and reached through accessors, so that an item never
// lacks one.
class TZADeCargaBalItem {
public:
    TZADeCargaBalItem();
    ~TZADeCargaBalItem();
    TZADeCargaBalItem(const TZADeCargaBalItem&) = delete;
    TZADeCargaBalItem& operator=(const TZADeCargaBalItem&) = delete;

    Currency ValorVenda;
    std::int16_t ModeloEtiqueta = 0;
    std::u16string Descricao;
    std::int32_t Codigo = 0;
    TZADeCargaBalTipoVenda Tipo = TZADeCargaBalTipoVenda::tpvPeso;
    std::int16_t Validade = 0;
    std::u16string Lote = u"0";
    TZADeCargaBalTipoValidade TipoValidade = TZADeCargaBalTipoValidade::tpvDias;
    std::int32_t CodigoTexto1 = 0;
    std::int32_t CodigoTexto2 = 0;
    std::int32_t CodigoTexto3 = 0;
    std::int32_t CodigoInfoNutr = 0;
    std::int32_t CodigoTara = 0;
    std::int16_t CodigoFornecedor = 0;
    std::int16_t CodigoFracionador = 0;
    std::int16_t CodigoConservacao = 0;
    std::int16_t ImpValidade = 1;
    std::int16_t ImpEmbalagem = 1;
    std::u16string EAN13Fornecedor;
    std::int16_t CodigoExtra1 = 0;
    std::int16_t CodigoExtra2 = 0;

    TZADeCargaBalSetor& Setor() { return *FSetor; }
    const TZADeCargaBalSetor& Setor() const { return *FSetor; }
    TZADeCargaBalNutricional& Nutricional() { return *FNutricional; }
    const TZADeCargaBalNutricional& Nutricional() const { return *FNutricional; }
    TZADeCargaBalTaras& Tara() { return *FTara; }
    const TZADeCargaBalTaras& Tara() const { return *FTara; }
    TZADeCargaBalFornecedor& Fornecedor() { return *FFornecedor; }
    const TZADeCargaBalFornecedor& Fornecedor() const { return *FFornecedor; }
    TZADeCargaBalFracionador& Fracionador() { return *FFracionador; }
    const TZADeCargaBalFracionador& Fracionador() const { return *FFracionador; }
    TZADeCargaBalConservacao& Conservacao() { return *FConservacao; }
    const TZADeCargaBalConservacao& Conservacao() const { return *FConservacao; }
    TZADeCargaBalExtra1& Extra1() { return *FExtra1; }
    const TZADeCargaBalExtra1& Extra1() const { return *FExtra1; }
    TZADeCargaBalExtra2& Extra2() { return *FExtra2; }
    const TZADeCargaBalExtra2& Extra2() const { return *FExtra2; }
    TZADeCargaBalInformacaoExtra& InformacaoExtra() { return *FInformacaoExtra; }
    const TZADeCargaBalInformacaoExtra& InformacaoExtra() const { return *FInformacaoExtra; }
    TZadeCargaBalTeclado& Teclado() { return *FTeclado; }
    const TZadeCargaBalTeclado& Teclado() const { return *FTeclado; }

    // Assigning a sub-record hands it to the item; a null record is refused.
    void SetSetor(std::unique_ptr<TZADeCargaBalSetor> v);
    void SetNutricional(std::unique_ptr<TZADeCargaBalNutricional> v);
    void SetTara(std::unique_ptr<TZADeCargaBalTaras> v);
    void SetFornecedor(std::unique_ptr<TZADeCargaBalFornecedor> v);
    void SetFracionador(std::unique_ptr<TZADeCargaBalFracionador> v);
    void SetConservacao(std::unique_ptr<TZADeCargaBalConservacao> v);
    void SetExtra1(std::unique_ptr<TZADeCargaBalExtra1> v);
    void SetExtra2(std::unique_ptr<TZADeCargaBalExtra2> v);
    void SetInformacaoExtra(std::unique_ptr<TZADeCargaBalInformacaoExtra> v);
    void SetTeclado(std::unique_ptr<TZadeCargaBalTeclado> v);

    // Settles InformacaoExtra().Codigo for the models that link a product to
    // its recipe by code, and returns it.
    std::int32_t CodigoInformacaoExtra(TZADeCargaBalModelo Modelo);

private:
    std::unique_ptr<TZADeCargaBalSetor> FSetor;
    std::unique_ptr<TZADeCargaBalNutricional> FNutricional;
    std::unique_ptr<TZADeCargaBalTaras> FTara;
    std::unique_ptr<TZADeCargaBalFornecedor> FFornecedor;
    std::unique_ptr<TZADeCargaBalFracionador> FFracionador;
    std::unique_ptr<TZADeCargaBalConservacao> FConservacao;
    std::unique_ptr<TZADeCargaBalExtra1> FExtra1;
    std::unique_ptr<TZADeCargaBalExtra2> FExtra2;
    std::unique_ptr<TZADeCargaBalInformacaoExtra> FInformacaoExtra;
    std::unique_ptr<TZadeCargaBalTeclado> FTeclado;
};

// Ordered list that owns its load records.
class TZADeCargaBalItens {
public:
    TZADeCargaBalItem& New();
    // std::out_of_range outside 0..Count-1.
    TZADeCargaBalItem& Items(int Index);
    const TZADeCargaBalItem& Items(int Index) const;
    // Puts Item at Index and destroys the record that was there.
    void SetItems(int Index, std::unique_ptr<TZADeCargaBalItem> Item);
    int Count() const { return static_cast<int>(FItens.size()); }
    void Clear() { FItens.clear(); }

private:
    void ValidaIndice(int Index) const;
    std::vector<std::unique_ptr<TZADeCargaBalItem>> FItens;
};

// Decimal and thousands separators of the regional number settings, which
// the Urano price texts follow.
struct ConfiguracaoNumerica {
    char16_t SeparadorDecimal = u'.';
    char16_t SeparadorMilhar = u','; // u'\0': the locale groups with nothing

    // Read from the process locale (LC_NUMERIC) without changing it.
    static ConfiguracaoNumerica DoLocale();
};

// The generator component: holds the products and writes the load files of
// the model chosen in Modelo.
class TZADeCargaBal {
public:
    TZADeCargaBal();
    ~TZADeCargaBal();
    TZADeCargaBal(const TZADeCargaBal&) = delete;
    TZADeCargaBal& operator=(const TZADeCargaBal&) = delete;

    TZADeCargaBalModelo Modelo = TZADeCargaBalModelo::modFilizola;
    TZADeAboutInfo AboutZADe = TZADeAboutInfo::ZADeAbout;
    TZADeCargaBalProgresso OnProgresso;
    // Separators used by the Urano writers; start from the process locale.
    ConfiguracaoNumerica Numeros = ConfiguracaoNumerica::DoLocale();

    std::u16string ModeloStr() const;
    TZADeCargaBalItens& Produtos() { return *FProdutos; }
    const TZADeCargaBalItens& Produtos() const { return *FProdutos; }
    // Full paths (UTF-8) of the files written by the latest generation.
    const std::vector<std::string>& ArquivosGerados() const { return *FArquivosGerados; }

    // Writes the load files of Modelo into ADiretorio (a UTF-8 path).
    void GerarArquivos(const std::string& ADiretorio);

private:
    void Progresso(const std::u16string& Mensagem, int Atual, int Total);
    void ProgressoProduto(const TZADeCargaBalItem& Item, int Atual, int Total);

    // One writer per model family; each lives in its own source file.
    void GerarFilizola(ListaLinhas* Itens, ListaLinhas* Setor, ListaLinhas* Nutricional,
                       ListaLinhas* Receita);
    void GerarToledo(ListaLinhas* Itens, ListaLinhas* Nutricional, ListaLinhas* Receita,
                     ListaLinhas* Tara, ListaLinhas* Fornecedor, ListaLinhas* Fracionador,
                     ListaLinhas* Conservacao, ListaLinhas* Setor, ListaLinhas* Teclado,
                     ListaLinhas* CampoExtra1, ListaLinhas* CampoExtra2, int Variante);
    void GerarToledoMGV7(ListaLinhas* Itens, ListaLinhas* Nutricional, ListaLinhas* Receita,
                         ListaLinhas* Tara, ListaLinhas* Fornecedor, ListaLinhas* Fracionador,
                         ListaLinhas* Conservacao, ListaLinhas* Setor, ListaLinhas* Teclado,
                         ListaLinhas* CampoExtra1, ListaLinhas* CampoExtra2, int Variante);
    void GerarTriunfo(ListaLinhas* Itens, ListaLinhas* Nutricional, ListaLinhas* Receita,
                      ListaLinhas* Tara, ListaLinhas* Fornecedor, ListaLinhas* Fracionador,
                      ListaLinhas* Conservacao, ListaLinhas* Setor, ListaLinhas* Teclado,
                      ListaLinhas* CampoExtra1, ListaLinhas* CampoExtra2, int Variante);
    void GerarUrano(ListaLinhas* Itens);
    void GerarUranoS(ListaLinhas* Itens);
    void GerarUranoURF32(ListaLinhas* Itens, ListaLinhas* Nutricional, ListaLinhas* Receita,
                         ListaLinhas* ProdutoNutricional, ListaLinhas* ProdutoReceita);
    void GerarRamuza(ListaLinhas* Itens);

    std::unique_ptr<TZADeCargaBalItens> FProdutos;
    std::unique_ptr<std::vector<std::string>> FArquivosGerados;
};

// Display name of a model ("Toledo MGV5 Ver1" for modToledoMGV5Ver1).
std::u16string ModeloStr(TZADeCargaBalModelo Modelo);
// Enumerator name ("modFilizola"), for the command-line tool and messages.
std::string NomeEnumerador(TZADeCargaBalModelo Modelo);

} // namespace cargabal
