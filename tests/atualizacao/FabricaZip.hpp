// Zip archives for the tests, written with libzip.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <vector>
#include <zip.h>

namespace testes {

struct TEntradaZip {
    std::string Nome;
    std::string Conteudo;
    bool Link = false; // a Unix symbolic link whose target is Conteudo
};

inline void CriaZip(const std::filesystem::path& destino,
                    const std::vector<TEntradaZip>& entradas) {
    int erro = 0;
    zip_t* z = zip_open(destino.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
    if (z == nullptr) {
        throw std::runtime_error("zip_open falhou");
    }
    for (const TEntradaZip& e : entradas) {
        zip_source_t* fonte = zip_source_buffer(z, e.Conteudo.data(), e.Conteudo.size(), 0);
        const zip_int64_t i = zip_file_add(z, e.Nome.c_str(), fonte, ZIP_FL_ENC_UTF_8);
        if (i < 0) {
            zip_source_free(fonte);
            zip_discard(z);
            throw std::runtime_error("zip_file_add falhou: " + e.Nome);
        }
        // Stored, so that the tests can damage the bytes of an entry.
        zip_set_file_compression(z, static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0);
        if (e.Link) {
            zip_file_set_external_attributes(z, static_cast<zip_uint64_t>(i), 0, ZIP_OPSYS_UNIX,
                                             static_cast<zip_uint32_t>(S_IFLNK | 0777) << 16);
        }
    }
    if (zip_close(z) != 0) {
        zip_discard(z);
        throw std::runtime_error("zip_close falhou");
    }
}

} // namespace testes
