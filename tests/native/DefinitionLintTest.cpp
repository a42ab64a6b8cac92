// The installer's warnings about the traps of the definition format.
#include <gtest/gtest.h>

#include "tools/DefinitionLint.h"

namespace {

const char kHead[] = "[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n[FASTCHECK]\nNUM=1\nTEST_0=a.dll\nREPEAT_ENABLE=1\n";

std::string Module(int n, const std::string& body) { return "[MODULE_" + std::to_string(n) + "]\n" + body; }

const char kFullModule[] = "TESTNAME=A\nTESTFILE=a.dll\nTESTFILE_SUBDIR=\nLOG_OPTION=\n"
                           "WINDOW_TYPE=DEFAULT\nREPEAT_ENABLE=1\n";

bool HasWarning(const std::vector<std::string>& warnings, const std::string& part) {
    for (const std::string& w : warnings)
        if (w.find(part) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(DefinitionLint, CleanFileHasNoWarnings) {
    EXPECT_TRUE(tavil::LintDefinitionText(kHead + Module(0, kFullModule), false).empty());
}

TEST(DefinitionLint, WarnsAboutEachTrap) {
    struct Case {
        std::string text;
        const char* expected;
    } cases[] = {
        // LOG_OPTION missing in [MODULE_0]: read from [MODULE_1].
        {kHead + Module(0, "TESTNAME=A\nTESTFILE=a.dll\nWINDOW_TYPE=DEFAULT\nREPEAT_ENABLE=1\n") +
             Module(1, kFullModule),
         "[MODULE_0] LOG_OPTION (line 16): taken from a later section"},
        // TESTFILE_SUBDIR before TESTFILE: TESTFILE is found inside it.
        {kHead + Module(0, "TESTNAME=A\nTESTFILE_SUBDIR=x\nTESTFILE=a.dll\nLOG_OPTION=\n"
                           "WINDOW_TYPE=DEFAULT\nREPEAT_ENABLE=1\n"),
         "[MODULE_0] TESTFILE (line 9): the key name is found inside a longer key name or a value"},
        // A value holding a later key's name.
        {kHead + Module(0, "TESTNAME=WINDOW_TYPE test\nTESTFILE=a.dll\nTESTFILE_SUBDIR=\n"
                           "LOG_OPTION=\nWINDOW_TYPE=DEFAULT\nREPEAT_ENABLE=1\n"),
         "WINDOW_TYPE (line 8): the key name is found inside"},
        {"[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n[FASTCHECK]\nNUM=2\nTEST_10=b.dll\nTEST_1=a.dll\nREPEAT_ENABLE=1\n",
         "TEST_1 (line 6): TEST_n entries out of ascending order"},
        {"[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n[FASTCHECK]\nNUM=5\nTEST_0=a.dll\nREPEAT_ENABLE=1\n",
         "NUM=5 but only 1 entries are listed"},
        {kHead + Module(0, "TESTNAME=A\nTESTFILE=a.dll\nTESTFILE_SUBDIR=\nLOG_OPTION=\n"
                           "WINDOW_TYPE=popup\nREPEAT_ENABLE=1\n"),
         "WINDOW_TYPE=popup: unknown window type, read as DEFAULT"},
        {kHead + Module(40, kFullModule), "[MODULE_40] (line 7): module sections from [MODULE_40] on are never read"},
    };
    int row = 0;
    for (const Case& c : cases) {
        auto warnings = tavil::LintDefinitionText(c.text, false);
        EXPECT_TRUE(HasWarning(warnings, c.expected)) << "row " << row << ": expected \"" << c.expected << "\", got "
                                                      << (warnings.empty() ? "none" : warnings.front());
        ++row;
    }
}
