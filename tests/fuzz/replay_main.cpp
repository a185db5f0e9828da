// Replays fuzz inputs without libFuzzer: every file named, or every file inside a folder
// named, goes once through the target's LLVMFuzzerTestOneInput. The ordinary builds run
// the seed corpora and the regression inputs this way, so a fixed fault stays fixed.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

int Replay(const std::filesystem::path &file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 0;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return 1;
}

}  // namespace

int main(int argc, char **argv) {
    int replayed = 0, named = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path = argv[i];
        if (!std::filesystem::exists(path)) continue;  // a target with no regression inputs yet
        if (!std::filesystem::is_directory(path)) {
            ++named;
            replayed += Replay(path);
            continue;
        }
        std::vector<std::filesystem::path> files;
        for (const auto &entry : std::filesystem::recursive_directory_iterator(path))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        named += static_cast<int>(files.size());
        for (const auto &file : files) replayed += Replay(file);
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed == named && replayed > 0 ? 0 : 1;
}
