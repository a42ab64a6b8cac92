// Fuzz target: command-line arguments of any bytes (NUL separates them).
#include <cstdint>
#include <string>
#include <vector>

#include "tavilcheck/app/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> arguments(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    tavil::ResolveStartupOptions(tavil::ParseCommandLine(arguments), "a:\\", "C:\\tavil\\");
    return 0;
}
