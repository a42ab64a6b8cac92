// Turns the decoded test definition text into the test catalogue.
// Portable: no Windows header.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "TestCatalogue.h"

namespace tavil {

constexpr int kCatalogueBuilt = 0;
constexpr int kCatalogueInvalid = -1;

// Type detection: sets or clears FLAG_SERVICE, FLAG_RECOVERY, FLAG_HYPER
// and FLAG_FULLTEST in `modeFlags` from the type tags, and chooses the
// working text.  `scrambledReading` is the file read scrambled;
// `readPlain` is called only when the plain reading is needed.  Returns the
// working text.
std::string DetectInstallationType(const std::string& scrambledReading, const std::function<std::string()>& readPlain,
                                   uint32_t& modeFlags);

// Builds the catalogue from the working text under `modeFlags` (read for
// FLAG_RECOVERY, FLAG_SERVICE and FLAG_WINDIR_OTHER).  Returns
// kCatalogueBuilt or kCatalogueInvalid; after kCatalogueInvalid the
// catalogue must not be used.
int BuildCatalogue(const std::string& text, uint32_t modeFlags, TestCatalogue& catalogue);

// Reads `path` (scrambled, and plain when the type detection needs it),
// detects the installation type and builds the catalogue.  The caller has
// checked that the file exists; one that cannot be opened reads as the
// failure marker and is reported invalid.
int ParseTestDefinitionFile(const std::string& path, uint32_t& modeFlags, TestCatalogue& catalogue);

// The section header of module section n: "[MODULE_n]".
std::string ModuleSectionHeader(int n);

} // namespace tavil
