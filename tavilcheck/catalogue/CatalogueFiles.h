// The data files of the program directory: the test definition file and
// the interface text file.
#pragma once

#include <cstdint>
#include <string>

#include "InterfaceTexts.h"
#include "TestCatalogue.h"

namespace tavil {

extern const char kDefinitionFileName[]; // "initest.vhd"
extern const char kInterfaceFileName[];  // "uimot.vhd"

// Outcome of ParseTestDefinitions beside kCatalogueBuilt (0) and
// kCatalogueInvalid (-1).
constexpr int kDefinitionFileMissing = -2;

// Checks that initest.vhd exists in `programDirectory`, then detects the
// installation type (updating `modeFlags`) and builds the catalogue.
int ParseTestDefinitions(const std::string& programDirectory, uint32_t& modeFlags, TestCatalogue& catalogue);

// Reads uimot.vhd (scrambled, plain in a service installation) and fills
// the texts and the catalogue's module names and descriptions.  Reports
// nothing: an unreadable file leaves every text unset.
void LoadInterfaceTexts(const std::string& programDirectory, uint32_t modeFlags, TestCatalogue& catalogue,
                        InterfaceTexts& texts);

} // namespace tavil
