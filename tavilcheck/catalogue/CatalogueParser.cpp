#include "CatalogueParser.h"

#include "framework/TextUtil.h"
#include "DataFile.h"
#include "DefinitionText.h"
#include "ModeFlags.h"

namespace tavil {
namespace {

using fw::Contains;

// The list rule of [FASTCHECK] and [RECOVERYCHECK].  `withBase` also fills
// quickListBase (only [FASTCHECK] has it).
void ReadTestList(const std::string& text, long section, uint32_t modeFlags, bool withBase, TestCatalogue& catalogue) {
    const int wanted = fw::LeadingDecimal(GetKeyValue(text, "NUM", section));
    const bool dropVideo = (modeFlags & FLAG_SERVICE) && (modeFlags & FLAG_WINDIR_OTHER);
    int stored = 0;
    for (int j = 0; j < kMaxQuickEntries && stored < wanted; ++j) {
        std::string entry = GetKeyValue(text, "TEST_" + std::to_string(j), section);
        if (entry.empty())
            continue;
        std::string lower = fw::ToLower(fw::TrimRight(entry));
        if (dropVideo && Contains(lower, "video"))
            continue;
        catalogue.quickList[stored] = lower;
        if (withBase)
            catalogue.quickListBase[stored] = fw::RemoveFirst(fw::RemoveFirst(lower, ".dll"), ".exe");
        ++stored;
    }
    catalogue.quickCount = stored;
}

int WindowTypeOf(const std::string& value) {
    std::string upper = fw::ToUpper(value);
    if (Contains(upper, "DEFAULT"))
        return WINDOW_DEFAULT;
    if (Contains(upper, "PROMPT"))
        return WINDOW_PROMPT;
    if (Contains(upper, "DIALOG"))
        return WINDOW_DIALOG;
    return WINDOW_DEFAULT;
}

std::string StripBackslashes(const std::string& folder) {
    size_t first = folder.find_first_not_of('\\');
    if (first == std::string::npos)
        return std::string();
    size_t last = folder.find_last_not_of('\\');
    return folder.substr(first, last - first + 1);
}

// Fills `module` from the section at `section`; false when a required key
// is empty.
bool ReadModule(const std::string& text, long section, TestModule& module) {
    module.testName = GetKeyValue(text, "TESTNAME", section);
    module.testFile = GetKeyValue(text, "TESTFILE", section);
    module.testSubdir = StripBackslashes(GetKeyValue(text, "TESTFILE_SUBDIR", section));
    module.logOption = GetKeyValue(text, "LOG_OPTION", section);
    std::string windowType = GetKeyValue(text, "WINDOW_TYPE", section);
    module.repeatEnableText = GetKeyValue(text, "REPEAT_ENABLE", section);
    if (module.testName.empty() || module.testFile.empty() || windowType.empty() || module.repeatEnableText.empty())
        return false;
    module.windowType = WindowTypeOf(windowType);
    module.repeatEnable = fw::LeadingDecimal(module.repeatEnableText);
    module.description.clear();
    return true;
}

} // namespace

std::string ModuleSectionHeader(int n) { return "[MODULE_" + std::to_string(n) + "]"; }

std::string DetectInstallationType(const std::string& scrambledReading, const std::function<std::string()>& readPlain,
                                   uint32_t& modeFlags) {
    // The texts are searched as C strings: a NUL byte ends what is seen.
    std::string working = fw::UpToFirstNul(scrambledReading);
    std::string upper = fw::ToUpper(working);
    if (Contains(upper, "TYPE=BUNDLE")) {
        modeFlags &= ~FLAG_SERVICE;
    } else if (Contains(upper, "TYPE=RECOVERY")) {
        modeFlags |= FLAG_RECOVERY;
    } else {
        std::string plain = fw::UpToFirstNul(readPlain());
        upper = fw::ToUpper(plain);
        if (Contains(upper, "TYPE=SERVICE")) {
            modeFlags |= FLAG_SERVICE;
            working = plain; // a service file is stored unscrambled
            if (Contains(upper, "SUBTYPE=HYPER"))
                modeFlags |= FLAG_HYPER;
        } else {
            modeFlags &= ~FLAG_SERVICE;
        }
    }
    if (!(modeFlags & FLAG_SERVICE) && Contains(upper, "SUBTYPE=FULLTEST"))
        modeFlags |= FLAG_FULLTEST;
    return working;
}

int BuildCatalogue(const std::string& text, uint32_t modeFlags, TestCatalogue& catalogue) {
    long section = FindSection(text, "[MAX_REPEAT_TIMES]", 0);
    if (section < 0)
        return kCatalogueInvalid;
    std::string repeatTimes = GetKeyValue(text, "REPEATTIMES", section);
    catalogue.maxRepeatTimes = repeatTimes.empty() ? kDefaultMaxRepeatTimes : fw::LeadingDecimal(repeatTimes);

    if (modeFlags & FLAG_RECOVERY) {
        ReadTestList(text, FindSection(text, "[RECOVERYCHECK]", 0), modeFlags, false, catalogue);
    } else {
        long fastCheck = FindSection(text, "[FASTCHECK]", 0);
        ReadTestList(text, fastCheck, modeFlags, true, catalogue);
        std::string repeatEnable = GetKeyValue(text, "REPEAT_ENABLE", fastCheck);
        if (repeatEnable.empty())
            return kCatalogueInvalid;
        if (fw::LeadingDecimal(repeatEnable) > 0)
            catalogue.quickRepeatEnableText = repeatEnable;
    }

    int filled = 0;
    for (int n = 0; n < kMaxModules; ++n) {
        long moduleSection = FindSection(text, ModuleSectionHeader(n), 0);
        if (moduleSection < 0)
            continue;
        if (!ReadModule(text, moduleSection, catalogue.modules[filled]))
            return kCatalogueInvalid;
        ++filled;
    }
    catalogue.moduleCount = filled;
    return kCatalogueBuilt;
}

int ParseTestDefinitionFile(const std::string& path, uint32_t& modeFlags, TestCatalogue& catalogue) {
    std::string text = DetectInstallationType(
        ReadDataFile(path, kReadScrambled), [&] { return ReadDataFile(path, kReadPlain); }, modeFlags);
    return BuildCatalogue(text, modeFlags, catalogue);
}

} // namespace tavil
