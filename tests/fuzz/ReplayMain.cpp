// Runs a fuzz target over files and folders of inputs without libFuzzer, so that the corpus
// and every regression input are replayed by the ordinary test suite.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

bool Replay(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    // A copy of exactly the input's size, so reads past its end are caught by the sanitizers.
    std::vector<uint8_t> input(bytes.begin(), bytes.end());
    std::printf("replay %s (%zu bytes)\n", file.c_str(), input.size());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(input.data(), input.size());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path argument(argv[i]);
        std::error_code error;
        if (fs::is_directory(argument, error)) {
            std::vector<fs::path> files;
            for (const auto& entry : fs::directory_iterator(argument, error)) {
                // Dot files keep empty folders in version control.
                if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
                    files.push_back(entry.path());
            }
            std::sort(files.begin(), files.end());
            for (const auto& file : files)
                replayed += Replay(file) ? 1 : 0;
        } else if (Replay(argument)) {
            ++replayed;
        } else {
            std::fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
