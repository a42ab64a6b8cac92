// The test catalogue: the modules of the test definition file and the
// Quick Test (or recovery check) list.  Portable: no Windows header.
#pragma once

#include <array>
#include <string>

namespace tavil {

constexpr int kMaxModules = 40;
constexpr int kMaxQuickEntries = 40;
constexpr int kDefaultMaxRepeatTimes = 1000;

enum WindowType { WINDOW_DEFAULT = 0, WINDOW_PROMPT = 1, WINDOW_DIALOG = 2 };

struct TestModule {
    int windowType = WINDOW_DEFAULT;
    std::string logOption;  // not empty: the module gets a log directory even with logging off
    std::string testFile;   // file name as written: a .dll library or an .exe program
    std::string testSubdir; // folder below the program directory, no leading/trailing backslash
    std::string testName;   // shown to the user; the interface texts may replace it
    std::string repeatEnableText;
    int repeatEnable = 0;    // > 0: the module may be repeated
    std::string description; // rich text from the interface text file
};

struct TestCatalogue {
    std::array<TestModule, kMaxModules> modules;
    int moduleCount = 0;
    std::array<std::string, kMaxQuickEntries> quickList;     // lower-cased file names
    std::array<std::string, kMaxQuickEntries> quickListBase; // same without ".dll"/".exe"
    int quickCount = 0;
    int maxRepeatTimes = kDefaultMaxRepeatTimes;
    std::string quickRepeatEnableText;
};

} // namespace tavil
