// Feeds every file of the corpus folders named on the command line to one fuzz target's
// entry point, so the inputs kept in the corpus are checked by every build, not only by the
// fuzzing one. A target that finds a fault traps, which fails the test.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv)
{
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i)
        for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    for (const auto& input : inputs) {
        std::ifstream file(input, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        std::cout << input.filename().string() << ": " << bytes.size() << " bytes" << std::endl;
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    // An empty or missing corpus would pass without checking anything.
    if (inputs.empty())
        std::cerr << "no corpus inputs found\n";
    return inputs.empty() ? 1 : 0;
}
