// The maker's programs in a folder, known by their version resources:
// one file (TArquivoInfo) and the list that admits only the maker's
// executables (TListaArquivos).
#pragma once

#include "atualizacao/DTOPrograma.hpp"
#include "atualizacao/PkgJsonDTO.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace atualizacao {

class TArquivoInfo : public TObjetoJson {
public:
    TArquivoInfo() = default;
    explicit TArquivoInfo(std::string Filename);

    // One value of the file's version string table, read afresh (not kept).
    std::string GetValue(const std::string& KeyName);
    std::string Values(const std::string& KeyName) { return GetValue(KeyName); }
    // "ProductName" as the file has it, before the product-name table.
    std::string GetOriginalProductName();

    const std::string& Filename() const { return FFilename; }
    std::string CompanyName();
    std::string Description();
    std::int32_t Versao();
    std::string InternalName();
    std::string LegalCopyright();
    std::string LegalTrademarks();
    std::string OriginalFilename();
    // The name the version service knows the product by.
    std::string ProductName();
    std::string ProductVersion();
    std::string Comments();

    // True when the attached answer of the version service is newer.
    bool PossuiAtualizacao();

    // The entry keeps the answer attached to it; null when there is none.
    const TPrograma* Programa() const { return FPrograma.get(); }
    void Programa(std::unique_ptr<TPrograma> p) { FPrograma = std::move(p); }
    bool Atualizado() const { return FAtualizado; }
    void Atualizado(bool v) { FAtualizado = v; }

    std::span<const TCampoJson> CamposJson() const override;

private:
    std::string& Kept(std::string& campo, const char* chave);

    std::vector<std::uint8_t> FInfo;
    std::uint32_t FInfoSize = 0;
    std::string FFilename;
    std::string FKey;
    std::string FCompanyName;
    std::string FDescription;
    std::string FInternalName;
    std::string FLegalCopyright;
    std::string FLegalTrademarks;
    std::string FOriginalFilename;
    std::string FProductName;
    std::string FProductVersion;
    std::string FVersao;
    std::string FComments;
    std::unique_ptr<TPrograma> FPrograma;
    bool FAtualizado = false;
};

// The "Versao" number of a "FileVersion" text: the part before the first ".",
// as a decimal integer; 0 when that is not an integer.
std::int32_t VersaoDeTexto(const std::string& fileVersion);

// The product-name table: names reported under the name the service uses.
std::string NomeProdutoReportado(const std::string& original);

using TListaArquivoInfo = std::vector<std::unique_ptr<TArquivoInfo>>;

class TListaArquivos : public TJsonDTO {
public:
    // Appends the file when it is one of the maker's executables (and, with
    // TestaExiste, not a second copy of a listed product); otherwise nothing.
    void AddArquivo(const std::string& caminho, bool TestaExiste);

    // The entries, in the order added; created on first use from what was read.
    TListaArquivoInfo& Arquivos();

    std::span<const TCampoJson> CamposJson() const override;

private:
    // Read from "Arquivos" and never written; handed to the list on first use.
    TListaArquivoInfo FArquivosArray;
    std::unique_ptr<TListaArquivoInfo> FArquivos;
};

} // namespace atualizacao
