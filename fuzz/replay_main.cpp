// A fuzz target without libFuzzer: runs it once on every input kept for it (the seeds and each reproducer
// of a past finding), in name order, and prints a GoogleTest-style summary. A finding crashes the program.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (const fs::path& folder :
         argc > 1 ? std::vector<fs::path>(argv + 1, argv + argc) : std::vector<fs::path>{ORV_FUZZ_INPUTS})
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    for (const fs::path& input : inputs) {
        std::printf("[ RUN      ] %s\n", input.filename().c_str());
        std::fflush(stdout);
        std::ifstream file(input, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    }
    std::printf("[==========] %zu inputs replayed\n[  PASSED  ] %zu tests.\n", inputs.size(), inputs.size());
    return inputs.empty() ? 1 : 0;
}
