// Line builders of the Toledo MGV file set (item line and auxiliary records)
// and the per-product loop that the MGV5, MGV6, MGV7 and Triunfo writers share.
#pragma once

#include "cargabal/ZADeCargaBal.hpp"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace cargabal {

class ListaLinhas;

// ---- Item line ("ITENSMGV.TXT") ---------------------------------------------

// 150 characters; the extra-field codes go to columns 127 to 134 only when
// `comExtras` (MGV6 and later), MGV5 keeps zeros there.
std::u16string LinhaItemMGV(const TZADeCargaBalItem& p, std::int32_t codigoInformacao,
                            bool comExtras);
// 113 characters: the older MGV5 version 1 layout.
std::u16string LinhaItemMGV5Ver1(const TZADeCargaBalItem& p);

// ---- Auxiliary records --------------------------------------------------

// "TXINFO.TXT", 946 characters.
std::u16string LinhaInformacao(const TZADeCargaBalInformacaoExtra& info, std::int32_t codigo);
// "INFNUTRI.TXT", 45 characters: the form that MGV7 and Triunfo extend.
std::u16string LinhaNutricional(const TZADeCargaBalNutricional& n);
// The RDC 429 block that MGV7 and Triunfo share (60 characters): from the
// automatic-portion flag to galactose.
std::u16string BlocoRdc429(const TZADeCargaBalNutricional& n);
// MGV7: 45 + "0000|" + RDC 429 block + print flag and the four extended values.
std::u16string LinhaNutricionalMGV7(const TZADeCargaBalNutricional& n);
// Triunfo: 45 + "|" + RDC 429 block.
std::u16string LinhaNutricionalTriunfo(const TZADeCargaBalNutricional& n);
// "TARA.TXT": short form (30 characters) and long form (38 characters).
std::u16string LinhaTaraCurta(const TZADeCargaBalTaras& t);
std::u16string LinhaTaraLonga(const TZADeCargaBalTaras& t);
// "TXFORN.TXT", 384 characters.
std::u16string LinhaFornecedor(const TZADeCargaBalFornecedor& f);
// "FRACIONA.TXT" and "CONSERVA.TXT", 272 characters each.
std::u16string LinhaFracionador(const TZADeCargaBalFracionador& f);
std::u16string LinhaConservacao(const TZADeCargaBalConservacao& c);
// "CAMPEXT1.TXT" and "CAMPEXT2.TXT", 384 characters each.
std::u16string LinhaExtra1(const TZADeCargaBalExtra1& e);
std::u16string LinhaExtra2(const TZADeCargaBalExtra2& e);
// "DEPTO.TXT", 42 characters.
std::u16string LinhaDepartamento(const TZADeCargaBalSetor& s);
// "TXTECLAS.TXT": one key line per product (291 characters) and one keyboard
// line per keyboard code (105 characters).
std::u16string LinhaTecla(const TZADeCargaBalItem& p);
std::u16string LinhaTeclado(const TZadeCargaBalTeclado& t);

// After the last product the key file starts with the keyboard lines, then
// every key line in product order. Nothing happens when either is missing.
void MesclaTeclados(ListaLinhas* teclas, const ListaLinhas& teclados);

// ---- What each model writes -----------------------------------------------

enum class ItemMGV { MGV5Ver1, MGV5, MGV6 };
enum class NutricionalMGV { Curto, MGV7, Triunfo };
enum class TaraMGV { Curta, Longa };

struct FormaMGV {
    ItemMGV Item;
    // The model whose rules settle InformacaoExtra.Codigo; empty: the item
    // and information records carry the product's own code and the record is
    // left as it is (MGV5 version 1).
    std::optional<TZADeCargaBalModelo> ModeloInformacao;
    NutricionalMGV Nutricional;
    TaraMGV Tara;
    bool Teclas;       // key lines
    bool Teclados;     // keyboard lines, merged in front of the key lines
    bool CamposExtras; // extra field 1 and 2 records
};

inline constexpr FormaMGV FormaMGV5Ver1{.Item = ItemMGV::MGV5Ver1,
                                        .ModeloInformacao = std::nullopt,
                                        .Nutricional = NutricionalMGV::Curto,
                                        .Tara = TaraMGV::Curta,
                                        .Teclas = false,
                                        .Teclados = false,
                                        .CamposExtras = false};
inline constexpr FormaMGV FormaMGV5{.Item = ItemMGV::MGV5,
                                    .ModeloInformacao = TZADeCargaBalModelo::modToledoMGV5,
                                    .Nutricional = NutricionalMGV::Curto,
                                    .Tara = TaraMGV::Curta,
                                    .Teclas = true,
                                    .Teclados = false,
                                    .CamposExtras = false};
inline constexpr FormaMGV FormaMGV6{.Item = ItemMGV::MGV6,
                                    .ModeloInformacao = TZADeCargaBalModelo::modToledoMGV6,
                                    .Nutricional = NutricionalMGV::Curto,
                                    .Tara = TaraMGV::Longa,
                                    .Teclas = true,
                                    .Teclados = true,
                                    .CamposExtras = true};
// MGV7 is MGV6 with the longer nutrition record.
inline constexpr FormaMGV FormaMGV7 = [] {
    FormaMGV f = FormaMGV6;
    f.Nutricional = NutricionalMGV::MGV7;
    return f;
}();
// Triunfo is MGV6 with its own nutrition record and the short tare.
inline constexpr FormaMGV FormaTriunfo = [] {
    FormaMGV f = FormaMGV6;
    f.Nutricional = NutricionalMGV::Triunfo;
    f.Tara = TaraMGV::Curta;
    return f;
}();

// The writers that share these records; each takes a variant number.
enum class FamiliaMGV { Toledo, ToledoMGV7, Triunfo };

// What a writer of `familia` writes for `variante`: Toledo 1 (MGV5 version
// 1), 2 (MGV5) and 3 (MGV6); MGV7 and Triunfo 4. Null for any other number
// (the classic Toledo variant 0 included): no line at all.
const FormaMGV* FormaDaVariante(FamiliaMGV familia, int variante);

// The driver's lists in the writers' parameter order; an absent list is null
// and is never touched.
struct ListasMGV {
    ListaLinhas* Itens;
    ListaLinhas* Nutricional;
    ListaLinhas* Receita;
    ListaLinhas* Tara;
    ListaLinhas* Fornecedor;
    ListaLinhas* Fracionador;
    ListaLinhas* Conservacao;
    ListaLinhas* Setor;
    ListaLinhas* Teclado;
    ListaLinhas* CampoExtra1;
    ListaLinhas* CampoExtra2;
};

// Appends the lines of one product in the order the scales expect: item,
// keyboard and key, information, nutrition, tare, supplier, fractioner,
// conservation, extra fields, department.
void GeraRegistrosMGV(TZADeCargaBalItem& p, const FormaMGV& forma, const ListasMGV& listas,
                      ListaLinhas& teclados);

using GeraProduto = std::function<void(TZADeCargaBalItem&, ListaLinhas& teclados)>;
using ProgressoDoProduto = std::function<void(const TZADeCargaBalItem&, int, int)>;

// The loop of every Toledo-family writer: `gera` (may be empty) for each
// product in list order, then its progress report; after the last product the
// keyboard lines go in front of `teclas`. The private keyboard list lives only
// inside this call.
void PercorreProdutos(TZADeCargaBalItens& produtos, ListaLinhas* teclas, const GeraProduto& gera,
                      const ProgressoDoProduto& progresso);

// The loop with the records of `forma`; a null `forma` writes nothing and
// still reports every product.
void GeraCargaMGV(TZADeCargaBalItens& produtos, const FormaMGV* forma, const ListasMGV& listas,
                  const ProgressoDoProduto& progresso);

} // namespace cargabal
