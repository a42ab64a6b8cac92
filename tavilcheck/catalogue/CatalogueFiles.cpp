#include "CatalogueFiles.h"

#include "CatalogueParser.h"
#include "DataFile.h"
#include "ModeFlags.h"
#include "tavilcheck/app/Startup.h"

namespace tavil {

const char kDefinitionFileName[] = "initest.vhd";
const char kInterfaceFileName[] = "uimot.vhd";

int ParseTestDefinitions(const std::string& programDirectory, uint32_t& modeFlags, TestCatalogue& catalogue) {
    std::string path = programDirectory + kDefinitionFileName;
    if (!FileExists(path))
        return kDefinitionFileMissing;
    return ParseTestDefinitionFile(path, modeFlags, catalogue);
}

void LoadInterfaceTexts(const std::string& programDirectory, uint32_t modeFlags, TestCatalogue& catalogue,
                        InterfaceTexts& texts) {
    int mode = (modeFlags & FLAG_SERVICE) ? kReadPlain : kReadScrambled;
    ApplyInterfaceTexts(ReadDataFile(programDirectory + kInterfaceFileName, mode), modeFlags, catalogue, texts);
}

} // namespace tavil
