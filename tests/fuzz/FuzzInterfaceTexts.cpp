// Fuzz target: an interface text file of any bytes, under every
// installation type.
#include <cstdint>
#include <string>

#include "tavilcheck/catalogue/InterfaceTexts.h"
#include "tavilcheck/catalogue/ModeFlags.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (uint32_t flags : {0u, FLAG_FULLTEST, FLAG_RECOVERY, FLAG_RECOVERY | FLAG_FULLTEST}) {
        tavil::TestCatalogue catalogue;
        tavil::InterfaceTexts texts;
        tavil::ApplyInterfaceTexts(text, flags, catalogue, texts);
    }
    return 0;
}
