// Runs a fuzz target's entry function once on every file named on the command line (a
// folder stands for the files in it), so that the seeds are an ordinary test on compilers
// without libFuzzer. A crash, a sanitizer report or a hang fails the test.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) __attribute__((weak));

namespace {

bool Voer(const std::filesystem::path& pad) {
    std::ifstream in(pad, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "kan %s niet lezen\n", pad.c_str());
        return false;
    }
    const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(data.data(), data.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) {
        LLVMFuzzerInitialize(&argc, &argv);
    }
    int aantal = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path pad(argv[i]);
        if (std::filesystem::is_directory(pad)) {
            for (const auto& bestand : std::filesystem::directory_iterator(pad)) {
                ok = Voer(bestand.path()) && ok;
                ++aantal;
            }
        } else {
            ok = Voer(pad) && ok;
            ++aantal;
        }
    }
    std::printf("%d invoer(en) verwerkt\n", aantal);
    return ok && aantal > 0 ? 0 : 1;
}
