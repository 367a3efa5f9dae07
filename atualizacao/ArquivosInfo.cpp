#include "atualizacao/ArquivosInfo.hpp"

#include "atualizacao/InfoVersao.hpp"

#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace atualizacao {

namespace {

std::string Maiusculas(const std::string& s) {
    std::string r;
    icu::UnicodeString::fromUTF8(s).toUpper(icu::Locale::getRoot()).toUTF8String(r);
    return r;
}

std::string SemBrancos(const std::string& s) {
    const auto inicio = s.find_first_not_of(" \t\r\n\v\f");
    if (inicio == std::string::npos) {
        return {};
    }
    return s.substr(inicio, s.find_last_not_of(" \t\r\n\v\f") - inicio + 1);
}

// From the last "." of the last path component, dot included.
std::string Extensao(const std::string& caminho) {
    const std::string nome = std::filesystem::path(caminho).filename().string();
    const auto ponto = nome.rfind('.');
    return ponto == std::string::npos ? std::string() : nome.substr(ponto);
}

bool ArquivoExiste(const std::string& caminho) {
    std::error_code ec;
    return std::filesystem::exists(caminho, ec) && !std::filesystem::is_directory(caminho, ec);
}

} // namespace

std::int32_t VersaoDeTexto(const std::string& fileVersion) {
    const std::string parte = fileVersion.substr(0, fileVersion.find('.'));
    std::int32_t n = 0;
    const char* inicio = parte.data();
    if (!parte.empty() && parte[0] == '+') {
        ++inicio;
    }
    const auto [fim, erro] = std::from_chars(inicio, parte.data() + parte.size(), n);
    if (erro != std::errc() || fim != parte.data() + parte.size() || inicio == fim) {
        return 0;
    }
    return n;
}

std::string NomeProdutoReportado(const std::string& original) {
    static const std::array<std::pair<const char*, const char*>, 2> tabela{{
        {"Orbitra Retaguarda", "OrbitraRetaguarda"},
        {"OrbitraNFCe", "OrbitraPDV"},
    }};
    for (const auto& [de, para] : tabela) {
        if (original == de) {
            return para;
        }
    }
    return original;
}

TArquivoInfo::TArquivoInfo(std::string Filename) : FFilename(std::move(Filename)) {}

std::string TArquivoInfo::GetValue(const std::string& KeyName) {
    if (FInfoSize == 0) {
        FInfo = LeInfoVersao(std::filesystem::path(FFilename));
        FInfoSize = static_cast<std::uint32_t>(FInfo.size());
    }
    if (FInfoSize == 0) {
        return {};
    }
    if (FKey.empty()) {
        if (const auto traducao = PrimeiraTraducao(FInfo)) {
            std::array<char, 32> chave{};
            std::snprintf(chave.data(), chave.size(), "\\StringFileInfo\\%4.4X%4.4X",
                          static_cast<unsigned>(*traducao & 0xFFFF),
                          static_cast<unsigned>(*traducao >> 16));
            FKey = chave.data();
        }
    }
    if (FKey.empty()) {
        return {};
    }
    return ConsultaTexto(FInfo, FKey + "\\" + KeyName).value_or(std::string());
}

std::string& TArquivoInfo::Kept(std::string& campo, const char* chave) {
    if (campo.empty()) {
        campo = GetValue(chave);
    }
    return campo;
}

std::string TArquivoInfo::GetOriginalProductName() {
    return Kept(FProductName, "ProductName");
}
std::string TArquivoInfo::CompanyName() {
    return Kept(FCompanyName, "CompanyName");
}
std::string TArquivoInfo::Description() {
    return Kept(FDescription, "FileDescription");
}
std::string TArquivoInfo::InternalName() {
    return Kept(FInternalName, "InternalName");
}
std::string TArquivoInfo::LegalCopyright() {
    return Kept(FLegalCopyright, "LegalCopyright");
}
std::string TArquivoInfo::LegalTrademarks() {
    return Kept(FLegalTrademarks, "LegalTrademarks");
}
std::string TArquivoInfo::OriginalFilename() {
    return Kept(FOriginalFilename, "OriginalFilename");
}
std::string TArquivoInfo::ProductVersion() {
    return Kept(FProductVersion, "ProductVersion");
}
std::string TArquivoInfo::Comments() {
    return Kept(FComments, "Comments");
}
std::string TArquivoInfo::ProductName() {
    return NomeProdutoReportado(GetOriginalProductName());
}
std::int32_t TArquivoInfo::Versao() {
    return VersaoDeTexto(Kept(FVersao, "FileVersion"));
}

bool TArquivoInfo::PossuiAtualizacao() {
    return FPrograma != nullptr && Versao() < FPrograma->Versao();
}

std::span<const TCampoJson> TArquivoInfo::CamposJson() const {
    using T = TArquivoInfo;
    static constexpr std::array campos{
        campos::Texto<&T::FFilename>("FFilename"),
        campos::Texto<&T::FCompanyName>("FCompanyName"),
        campos::Texto<&T::FDescription>("FDescription"),
        campos::Texto<&T::FInternalName>("FInternalName"),
        campos::Texto<&T::FLegalCopyright>("FLegalCopyright"),
        campos::Texto<&T::FLegalTrademarks>("FLegalTrademarks"),
        campos::Texto<&T::FOriginalFilename>("FOriginalFilename"),
        campos::Texto<&T::FProductName>("FProductName"),
        campos::Texto<&T::FProductVersion>("FProductVersion"),
        campos::Texto<&T::FVersao>("FVersao"),
        campos::Texto<&T::FComments>("FComments"),
        campos::Registro<&T::FPrograma>("FPrograma"),
        campos::Logico<&T::FAtualizado>("FAtualizado"),
    };
    return campos;
}

void TListaArquivos::AddArquivo(const std::string& caminho, bool TestaExiste) {
    if (SemBrancos(caminho).empty() || !ArquivoExiste(caminho) ||
        Maiusculas(Extensao(caminho)) != ".EXE") {
        return;
    }
    auto arquivo = std::make_unique<TArquivoInfo>(caminho);
    if (Maiusculas(arquivo->CompanyName()).find("VANDREL") == std::string::npos) {
        return;
    }
    if (TestaExiste) {
        const std::string produto = Maiusculas(arquivo->ProductName());
        for (const auto& e : Arquivos()) {
            if (Maiusculas(e->ProductName()) == produto) {
                return;
            }
        }
    }
    Arquivos().push_back(std::move(arquivo));
}

TListaArquivoInfo& TListaArquivos::Arquivos() {
    return ArrayParaLista(FArquivosArray, FArquivos);
}

std::span<const TCampoJson> TListaArquivos::CamposJson() const {
    using T = TListaArquivos;
    // The list is written through its property, as the array side is never written.
    static constexpr std::array campos{
        TCampoJson{"FArquivosArray", "Arquivos", false,
                   [](TObjetoJson& o, const Json& v) {
                       campos::LeObjetos(static_cast<T&>(o).FArquivosArray, v);
                   },
                   [](const TObjetoJson&) { return Json(); }},
        TCampoJson{"FArquivos", "", true,
                   [](TObjetoJson& o, const Json& v) {
                       campos::LeObjetos(static_cast<T&>(o).Arquivos(), v);
                   },
                   [](const TObjetoJson& o) {
                       const auto& lista = static_cast<const T&>(o).FArquivos;
                       return lista ? campos::EscreveObjetos(*lista) : Json::array();
                   }},
    };
    return campos;
}

} // namespace atualizacao
