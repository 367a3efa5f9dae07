#include "atualizacao/Curl.hpp"

#include <stdexcept>

namespace atualizacao::curl {

Easy NovoEasy(const std::string& url) {
    Easy e(curl_easy_init());
    if (!e) {
        throw std::runtime_error("Não foi possível iniciar o cliente HTTP.");
    }
    curl_easy_setopt(e.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(e.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e.get(), CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(e.get(), CURLOPT_NOSIGNAL, 1L);
    // A minute to connect, and a minute without a byte ends the request, so
    // a server that stops answering cannot hold the window forever.
    curl_easy_setopt(e.get(), CURLOPT_CONNECTTIMEOUT, 60L);
    curl_easy_setopt(e.get(), CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(e.get(), CURLOPT_LOW_SPEED_TIME, 60L);
    return e;
}

std::string Erro(CURLcode codigo) {
    return curl_easy_strerror(codigo);
}

} // namespace atualizacao::curl
