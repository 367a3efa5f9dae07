// Without libFuzzer, a target replays the files (or every file of the
// folders) named on its command line, so the corpora double as regression tests.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho);

namespace {

void Reproduz(const std::filesystem::path& arquivo) {
    std::ifstream in(arquivo, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    std::size_t total = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path p = argv[i];
        if (std::filesystem::is_directory(p)) {
            for (const auto& e : std::filesystem::recursive_directory_iterator(p)) {
                if (e.is_regular_file()) {
                    Reproduz(e.path());
                    ++total;
                }
            }
        } else {
            Reproduz(p);
            ++total;
        }
    }
    std::cout << total << " entradas reproduzidas\n";
    return 0;
}
