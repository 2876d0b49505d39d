// Stand-in for libFuzzer where clang is missing: feeds the entry point the seed
// files and a fixed-seed stream of mutations of them, so runs are repeatable.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    std::vector<std::vector<uint8_t>> seeds(1);
    for (int i = 1; i < argc; ++i) {
        if (!std::filesystem::is_directory(argv[i]))
            continue;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream in(entry.path(), std::ios::binary);
            seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
    }
    std::mt19937 rng(1);
    for (int run = 0; run < 200000; ++run) {
        std::vector<uint8_t> input = seeds[rng() % seeds.size()];
        for (int edits = 1 + rng() % 8; edits > 0; --edits) {
            const unsigned kind = rng() % 4;
            if (kind == 0 && !input.empty())
                input[rng() % input.size()] = static_cast<uint8_t>(rng());
            else if (kind == 1 && !input.empty())
                input.resize(rng() % input.size());
            else if (kind == 2)
                input.insert(input.begin() + (input.empty() ? 0 : rng() % input.size()), static_cast<uint8_t>(rng()));
            else if (input.size() >= 8)
                input[rng() % (input.size() - 3)] = 0xFF;
        }
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("200000 mutated inputs passed\n");
    return 0;
}
