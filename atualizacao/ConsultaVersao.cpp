#include "atualizacao/ConsultaVersao.hpp"

#include "atualizacao/Curl.hpp"

// Debian builds SimpleIni with its ICU converter.
#define SI_CONVERT_ICU
#include <SimpleIni.h>

namespace atualizacao {

namespace {

std::size_t AcrescentaCorpo(char* dados, std::size_t tamanho, std::size_t n, void* destino) {
    static_cast<std::string*>(destino)->append(dados, tamanho * n);
    return tamanho * n;
}

std::string UrlDaConsulta(CURL* c, std::string servidor, const std::string& projeto) {
    while (!servidor.empty() && servidor.back() == '/') {
        servidor.pop_back();
    }
    std::string url = servidor + "/getversao";
    // A name of blanks only is not sent as the parameter.
    if (projeto.find_first_not_of(" \t\r\n") != std::string::npos) {
        char* codificado = curl_easy_escape(c, projeto.data(), static_cast<int>(projeto.size()));
        if (codificado != nullptr) {
            url += "?projeto=";
            url += codificado;
            curl_free(codificado);
        }
    }
    return url;
}

} // namespace

std::string LeServidorAtualizacao(const std::filesystem::path& pastaPrograma) {
    CSimpleIniA ini(false, false, false);
    if (ini.LoadFile((pastaPrograma / "arquivo.ini").c_str()) < 0) {
        return ServidorAtualizacaoPadrao;
    }
    const char* valor = ini.GetValue("atualizacao", "servidor", nullptr);
    std::string servidor = valor != nullptr ? valor : "";
    const auto inicio = servidor.find_first_not_of(" \t");
    if (inicio == std::string::npos) {
        return ServidorAtualizacaoPadrao;
    }
    return servidor.substr(inicio, servidor.find_last_not_of(" \t") - inicio + 1);
}

std::unique_ptr<TPrograma> ConsultarVersao(const std::string& projeto,
                                           const std::string& servidor) {
    if (projeto.empty()) {
        return nullptr;
    }
    std::unique_ptr<TPrograma> programa;
    try {
        auto c = curl::NovoEasy("");
        const std::string url = UrlDaConsulta(c.get(), servidor, projeto);
        std::string corpo;
        curl_easy_setopt(c.get(), CURLOPT_URL, url.c_str());
        curl_easy_setopt(c.get(), CURLOPT_HTTPAUTH, CURLAUTH_BASIC);
        curl_easy_setopt(c.get(), CURLOPT_USERNAME, "vandrel");
        curl_easy_setopt(c.get(), CURLOPT_PASSWORD, "qetprun");
        curl_easy_setopt(c.get(), CURLOPT_WRITEFUNCTION, AcrescentaCorpo);
        curl_easy_setopt(c.get(), CURLOPT_WRITEDATA, &corpo);
        long status = 0;
        if (curl_easy_perform(c.get()) != CURLE_OK ||
            curl_easy_getinfo(c.get(), CURLINFO_RESPONSE_CODE, &status) != CURLE_OK ||
            status != 200 || corpo.empty()) {
            return nullptr;
        }
        programa = std::make_unique<TPrograma>();
        programa->SetAsJson(corpo);
    } catch (...) {
        // The caller only learns whether there is an answer.
    }
    return programa;
}

} // namespace atualizacao
