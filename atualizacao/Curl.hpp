// Small RAII holders for libcurl handles, shared by the version client and
// the download component.
#pragma once

#include <curl/curl.h>
#include <memory>
#include <string>

namespace atualizacao::curl {

struct LiberaEasy {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct LiberaLista {
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using Easy = std::unique_ptr<CURL, LiberaEasy>;
using Lista = std::unique_ptr<curl_slist, LiberaLista>;

// A handle limited to HTTP and HTTPS (an address from the network must not
// reach local files or other protocols), following redirects.
Easy NovoEasy(const std::string& url);

// The text of a failed call.
std::string Erro(CURLcode codigo);

} // namespace atualizacao::curl
