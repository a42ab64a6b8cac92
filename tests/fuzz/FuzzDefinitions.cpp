// Fuzz target: a test definition file of any bytes through the reader,
// the type detection, the catalogue build and the installer's warnings.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "tavilcheck/catalogue/CatalogueParser.h"
#include "tavilcheck/catalogue/ModeFlags.h"
#include "tools/DefinitionLint.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/tavil_fuzz_definitions_" + std::to_string(getpid());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    for (uint32_t flags : {0u, FLAG_SERVICE | FLAG_WINDIR_OTHER}) {
        tavil::TestCatalogue catalogue;
        tavil::ParseTestDefinitionFile(path, flags, catalogue);
        tavil::LintDefinitionText(std::string(reinterpret_cast<const char*>(data), size), flags & FLAG_RECOVERY);
    }
    return 0;
}
