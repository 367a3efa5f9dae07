// Base of the JSON records: reads a JSON text into the fields of a record and
// writes them back, matching members to fields through a table of descriptors.
#pragma once

#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace atualizacao {

// Objects keep their members in the order written: members apply in that
// order, and fields are written in the order of their table.
using Json = nlohmann::ordered_json;

class TObjetoJson;

// How one field of a record meets JSON. `NomeJson` is the JSON name the field
// carries (empty when none); `Escrito` false keeps it out of the written text.
struct TCampoJson {
    const char* Nome;
    const char* NomeJson;
    bool Escrito;
    void (*Le)(TObjetoJson& objeto, const Json& valor);
    Json (*Escreve)(const TObjetoJson& objeto);
};

// A member value that does not fit its field (a text where a number belongs).
class EConversaoJson : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Anything whose fields can be read from and written to a JSON object.
class TObjetoJson {
public:
    virtual ~TObjetoJson() = default;
    virtual std::span<const TCampoJson> CamposJson() const = 0;

    // Applies the members in the order they stand in the object.
    void PreencheDeJson(const Json& objeto);
    Json ParaJson() const;

protected:
    // Runs just before the fields are written (lists refresh their arrays).
    virtual void AntesDeEscrever() const {}
};

enum class TOpcaoJson { DateTimeIsUTC, ISODate };

// The two list conversions of list records: the array side is what was read,
// the list side owns the entries. Entries move from the array into the list,
// so nothing is owned twice.
class TArrayMapper : public TObjetoJson {
protected:
    template <class T>
    static std::vector<std::unique_ptr<T>>&
    ArrayParaLista(std::vector<std::unique_ptr<T>>& array,
                   std::unique_ptr<std::vector<std::unique_ptr<T>>>& lista) {
        if (!lista) {
            lista = std::make_unique<std::vector<std::unique_ptr<T>>>();
            for (auto& e : array) {
                lista->push_back(std::move(e));
            }
            array.clear();
        }
        return *lista;
    }
};

class TJsonDTO : public TArrayMapper {
public:
    TJsonDTO();

    virtual std::string GetAsJson() const;
    virtual void SetAsJson(const std::string& Value);

    std::string AsJson() const { return GetAsJson(); }
    void AsJson(const std::string& Value) { SetAsJson(Value); }
    std::string ToString() const { return GetAsJson(); }
    const std::vector<TOpcaoJson>& Options() const { return FOptions; }

    // The text laid out again with line breaks and indentation; empty when it
    // is not valid JSON.
    static std::string PrettyPrintJSON(const std::string& aJson);

private:
    std::vector<TOpcaoJson> FOptions;
};

// Descriptor builders for the usual field types.
namespace campos {

template <class M> struct Membro;
template <class C, class V> struct Membro<V C::*> {
    using Classe = C;
    using Valor = V;
};
template <auto M> using ClasseDe = typename Membro<decltype(M)>::Classe;

[[noreturn]] void ErroConversao(const char* esperado, const Json& valor);
std::string LeTexto(const Json& v);
std::int32_t LeInteiro(const Json& v);
bool LeLogico(const Json& v);

template <auto M>
constexpr TCampoJson Texto(const char* nome, const char* json = "", bool escrito = true) {
    return {nome, json, escrito,
            [](TObjetoJson& o, const Json& v) { static_cast<ClasseDe<M>&>(o).*M = LeTexto(v); },
            [](const TObjetoJson& o) { return Json(static_cast<const ClasseDe<M>&>(o).*M); }};
}

template <auto M>
constexpr TCampoJson Inteiro(const char* nome, const char* json = "", bool escrito = true) {
    return {nome, json, escrito,
            [](TObjetoJson& o, const Json& v) { static_cast<ClasseDe<M>&>(o).*M = LeInteiro(v); },
            [](const TObjetoJson& o) { return Json(static_cast<const ClasseDe<M>&>(o).*M); }};
}

template <auto M>
constexpr TCampoJson Logico(const char* nome, const char* json = "", bool escrito = true) {
    return {nome, json, escrito,
            [](TObjetoJson& o, const Json& v) { static_cast<ClasseDe<M>&>(o).*M = LeLogico(v); },
            [](const TObjetoJson& o) { return Json(static_cast<const ClasseDe<M>&>(o).*M); }};
}

// A field holding a record (std::unique_ptr<R>): an object fills it, null empties it.
template <auto M>
constexpr TCampoJson Registro(const char* nome, const char* json = "", bool escrito = true) {
    using R = typename Membro<decltype(M)>::Valor::element_type;
    return {nome, json, escrito,
            [](TObjetoJson& o, const Json& v) {
                auto& campo = static_cast<ClasseDe<M>&>(o).*M;
                if (v.is_null()) {
                    campo.reset();
                } else if (v.is_object()) {
                    if (!campo) {
                        campo = std::make_unique<R>();
                    }
                    campo->PreencheDeJson(v);
                } else {
                    ErroConversao("objeto", v);
                }
            },
            [](const TObjetoJson& o) {
                const auto& campo = static_cast<const ClasseDe<M>&>(o).*M;
                return campo ? campo->ParaJson() : Json(nullptr);
            }};
}

// Fills a vector of owned records from a JSON array (null empties it).
template <class R> void LeObjetos(std::vector<std::unique_ptr<R>>& destino, const Json& v) {
    if (!v.is_null() && !v.is_array()) {
        ErroConversao("array", v);
    }
    destino.clear();
    for (const auto& e : v.is_array() ? v : Json::array()) {
        if (!e.is_object()) {
            ErroConversao("objeto em cada item", e);
        }
        auto item = std::make_unique<R>();
        item->PreencheDeJson(e);
        destino.push_back(std::move(item));
    }
}

template <class R> Json EscreveObjetos(const std::vector<std::unique_ptr<R>>& lista) {
    auto a = Json::array();
    for (const auto& e : lista) {
        a.push_back(e->ParaJson());
    }
    return a;
}

} // namespace campos

} // namespace atualizacao
