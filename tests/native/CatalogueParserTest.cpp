// Section and key lookup, type detection and the catalogue build.
#include <gtest/gtest.h>

#include "TempFile.h"
#include "tavilcheck/catalogue/CatalogueParser.h"
#include "tavilcheck/catalogue/DataFile.h"
#include "tavilcheck/catalogue/DefinitionText.h"
#include "tavilcheck/catalogue/ModeFlags.h"

using namespace tavil;

namespace {

const char kHeader[] = "[MAX_REPEAT_TIMES]\nREPEATTIMES=100\n"
                       "[FASTCHECK]\nNUM=1\nTEST_0=memory.dll\nREPEAT_ENABLE=1\n";

std::string Module(int n, const std::string& file, const std::string& extra = "") {
    return "[MODULE_" + std::to_string(n) + "]\nTESTNAME=Test " + std::to_string(n) + "\nTESTFILE=" + file + "\n" +
           extra + "WINDOW_TYPE=DEFAULT\nREPEAT_ENABLE=1\n";
}

TestCatalogue Build(const std::string& text, uint32_t flags = 0, int expected = kCatalogueBuilt) {
    TestCatalogue catalogue;
    EXPECT_EQ(expected, BuildCatalogue(text, flags, catalogue)) << text;
    return catalogue;
}

} // namespace

TEST(DefinitionText, FindSectionSkipsCommentedHeaders) {
    struct Case {
        const char* text;
        long expected;
    } cases[] = {
        {"[A]\n", 0},                        // at the very start of the text
        {"x\n[A]\n", 2}, {";[A]\n[A]\n", 5}, // a commented occurrence is skipped
        {";[A]\n", -1},  {"", -1},           {"[AB]\n", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, FindSection(c.text, "[A]", 0)) << "text '" << c.text << "'";
    EXPECT_EQ(-1, FindSection("[A]", "[A]", -1));
}

TEST(DefinitionText, GetKeyValueKeepsTheFormatsQuirks) {
    struct Case {
        const char* text;
        const char* key;
        const char* expected;
    } cases[] = {
        {"[S]\nKEY=  value \t\r\n", "KEY", "value"},
        {"[S]\nKEY=value", "KEY", ""},                       // no line end after the key
        {"[S]\nKEY\nX=1\n", "KEY", ""},                      // no '=' on the key's line
        {"[S]\n;KEY=a\nKEY=b\n", "KEY", "b"},                // commented key skipped
        {"[S]\n[T]\nKEY=later\n", "KEY", "later"},           // found in a later section
        {"[S]\nTESTFILE_SUBDIR=x\n", "TESTFILE", "x"},       // found inside a longer name
        {"[S]\nA=the KEY=inside\nKEY=b\n", "KEY", "inside"}, // found inside a value
        {"[S]\nA=has KEY\nKEY=b\n", "KEY", ""},              // ... and then no "=" after it on that line
        {"[S]\nKEY==x=\n", "KEY", "=x="},
    };
    int row = 0;
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, GetKeyValue(c.text, c.key, 0)) << "row " << row++;
    EXPECT_EQ("", GetKeyValue("KEY=a\n", "KEY", -1)) << "section not found";
}

TEST(CatalogueParser, DetectsInstallationType) {
    auto scrambled = [](std::string text) {
        Scramble(text);
        return text;
    };
    struct Case {
        std::string fileBytes;
        uint32_t startFlags;
        uint32_t flags;
        bool plainWorking; // the working text is the plain reading
    } cases[] = {
        {scrambled("TYPE=BUNDLE\n"), FLAG_SERVICE, 0, false},
        {scrambled("type=bundle\nSUBTYPE=FULLTEST\n"), 0, FLAG_FULLTEST, false},
        {scrambled("TYPE=RECOVERY\nSUBTYPE=FULLTEST\n"), 0, FLAG_RECOVERY | FLAG_FULLTEST, false},
        {"TYPE=SERVICE\n", 0, FLAG_SERVICE, true},
        {"TYPE=SERVICE\nSUBTYPE=HYPER\n", 0, FLAG_SERVICE | FLAG_HYPER, true},
        // A service file never is a Full Test.
        {"TYPE=SERVICE\nSUBTYPE=FULLTEST\n", 0, FLAG_SERVICE, true},
        // Scrambled TYPE=SERVICE: the plain bytes do not hold the tag.
        {scrambled("TYPE=SERVICE\n"), FLAG_SERVICE, 0, false},
        // Untyped plain file: FULLTEST is read from the plain reading.
        {"SUBTYPE=FULLTEST\n", 0, FLAG_FULLTEST, false},
        {"", FLAG_SERVICE, 0, false},
    };
    int row = 0;
    for (const Case& c : cases) {
        TempFile file(c.fileBytes);
        uint32_t flags = c.startFlags;
        std::string working = DetectInstallationType(
            ReadDataFile(file.path(), kReadScrambled), [&] { return ReadDataFile(file.path(), kReadPlain); }, flags);
        EXPECT_EQ(c.flags, flags) << "row " << row;
        EXPECT_EQ(c.plainWorking ? c.fileBytes : ReadDataFile(file.path(), kReadScrambled), working) << "row " << row;
        ++row;
    }
}

TEST(CatalogueParser, RejectsInvalidFiles) {
    const char* invalid[] = {
        "",
        "\xFF",                                                    // the failure marker of an unreadable file
        "[FASTCHECK]\nNUM=0\nREPEAT_ENABLE=1\n",                   // no [MAX_REPEAT_TIMES]
        "[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n[FASTCHECK]\nNUM=0\n", // empty REPEAT_ENABLE
        "[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n",                     // no [FASTCHECK]
    };
    for (const char* text : invalid)
        Build(text, 0, kCatalogueInvalid);

    // An empty required key in a present module section.
    const char* required[] = {"TESTNAME", "TESTFILE", "WINDOW_TYPE", "REPEAT_ENABLE"};
    for (const char* key : required) {
        std::string module = Module(0, "a.dll");
        size_t at = module.find(std::string(key) + "=");
        size_t end = module.find('\n', at);
        module.replace(at, end - at, std::string(key) + "=");
        Build(std::string(kHeader) + module, 0, kCatalogueInvalid);
    }
    // A recovery build does not need [FASTCHECK].
    Build("[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n", FLAG_RECOVERY);
}

TEST(CatalogueParser, FillsModuleSlotsWithoutGaps) {
    TestCatalogue c = Build(std::string(kHeader) + Module(0, "a.dll") + Module(2, "c.exe") + Module(40, "ignored.dll") +
                            ";" + Module(3, "hidden.dll"));
    ASSERT_EQ(2, c.moduleCount);
    EXPECT_EQ("a.dll", c.modules[0].testFile);
    EXPECT_EQ("c.exe", c.modules[1].testFile) << "slot 1 holds [MODULE_2]";
    EXPECT_EQ("Test 2", c.modules[1].testName);
    EXPECT_EQ(100, c.maxRepeatTimes);
}

TEST(CatalogueParser, ReadsModuleFields) {
    struct Case {
        std::string extra; // key lines before WINDOW_TYPE
        std::string windowType;
        int expectedWindowType;
        std::string expectedSubdir;
        std::string expectedLogOption;
    } cases[] = {
        {"", "DEFAULT", WINDOW_DEFAULT, "", ""},
        {"", "prompt", WINDOW_PROMPT, "", ""},
        {"", "Dialog", WINDOW_DIALOG, "", ""},
        {"", "popup", WINDOW_DEFAULT, "", ""},
        {"TESTFILE_SUBDIR=\\\\tests\\disk\\\\\n", "DEFAULT", WINDOW_DEFAULT, "tests\\disk", ""},
        {"LOG_OPTION=1\n", "DEFAULT", WINDOW_DEFAULT, "", "1"},
    };
    int row = 0;
    for (const Case& c : cases) {
        std::string text = std::string(kHeader) + "[MODULE_0]\nTESTNAME= Memory \nTESTFILE=m.dll\n" + c.extra +
                           "WINDOW_TYPE=" + c.windowType + "\nREPEAT_ENABLE=3x\n";
        TestCatalogue cat = Build(text);
        const TestModule& m = cat.modules[0];
        EXPECT_EQ("Memory", m.testName) << "row " << row;
        EXPECT_EQ(c.expectedWindowType, m.windowType) << "row " << row;
        EXPECT_EQ(c.expectedSubdir, m.testSubdir) << "row " << row;
        EXPECT_EQ(c.expectedLogOption, m.logOption) << "row " << row;
        EXPECT_EQ("3x", m.repeatEnableText) << "row " << row;
        EXPECT_EQ(3, m.repeatEnable) << "row " << row;
        ++row;
    }
}

TEST(CatalogueParser, KeysComeFromLaterSections) {
    // [MODULE_0] has no LOG_OPTION: it takes the one of [MODULE_1]; its
    // commented TESTNAME is skipped and the next one is used.
    std::string text = std::string(kHeader) +
                       "[MODULE_0]\n;TESTNAME=Hidden\nTESTFILE=a.dll\nWINDOW_TYPE=DEFAULT\n"
                       "REPEAT_ENABLE=1\n" +
                       Module(1, "b.dll", "LOG_OPTION=yes\n");
    TestCatalogue c = Build(text);
    EXPECT_EQ("Test 1", c.modules[0].testName);
    EXPECT_EQ("yes", c.modules[0].logOption);
    EXPECT_EQ("yes", c.modules[1].logOption);
}

TEST(CatalogueParser, QuickListRule) {
    struct Case {
        std::string list; // [FASTCHECK] key lines
        uint32_t flags;
        std::vector<std::string> quick;
        std::vector<std::string> base;
    } cases[] = {
        {"NUM=5\nTEST_0=a.dll\nTEST_7=b.exe\n", 0, {"a.dll", "b.exe"}, {"a", "b"}},
        {"NUM=1\nTEST_0=a.dll\nTEST_1=b.dll\n", 0, {"a.dll"}, {"a"}},
        {"NUM=\nTEST_0=a.dll\n", 0, {}, {}},
        {"NUM=2\nTEST_0=  MemTest.DLL  \n", 0, {"memtest.dll"}, {"memtest"}},
        {"NUM=2\nTEST_0=x.dll.dll\n", 0, {"x.dll.dll"}, {"x.dll"}},
        // Video tests are dropped only in a service file on a non-"windows" directory.
        {"NUM=2\nTEST_0=Video.dll\nTEST_1=a.dll\n", FLAG_SERVICE | FLAG_WINDIR_OTHER, {"a.dll"}, {"a"}},
        {"NUM=2\nTEST_0=Video.dll\n", FLAG_SERVICE, {"video.dll"}, {"video"}},
        {"NUM=2\nTEST_0=Video.dll\n", FLAG_WINDIR_OTHER, {"video.dll"}, {"video"}},
    };
    int row = 0;
    for (const Case& c : cases) {
        std::string text = "[MAX_REPEAT_TIMES]\nREPEATTIMES=\n[FASTCHECK]\n" + c.list + "REPEAT_ENABLE=0\n";
        TestCatalogue cat = Build(text, c.flags);
        ASSERT_EQ(static_cast<int>(c.quick.size()), cat.quickCount) << "row " << row;
        for (size_t i = 0; i < c.quick.size(); ++i) {
            EXPECT_EQ(c.quick[i], cat.quickList[i]) << "row " << row;
            EXPECT_EQ(c.base[i], cat.quickListBase[i]) << "row " << row;
        }
        EXPECT_EQ(1000, cat.maxRepeatTimes) << "empty REPEATTIMES";
        EXPECT_EQ("", cat.quickRepeatEnableText) << "REPEAT_ENABLE 0 is not kept";
        ++row;
    }
}

TEST(CatalogueParser, ListHoldsAtMostFortyEntries) {
    std::string text = "[MAX_REPEAT_TIMES]\nREPEATTIMES=0\n[FASTCHECK]\nNUM=100\n";
    for (int j = 0; j < 45; ++j)
        text += "TEST_" + std::to_string(j) + "=t" + std::to_string(j) + ".dll\n";
    text += "REPEAT_ENABLE=7\n";
    TestCatalogue c = Build(text);
    EXPECT_EQ(40, c.quickCount);
    EXPECT_EQ("t39.dll", c.quickList[39]);
    EXPECT_EQ(0, c.maxRepeatTimes);
    EXPECT_EQ("7", c.quickRepeatEnableText);
}

TEST(CatalogueParser, RecoveryBuildReadsRecoveryList) {
    std::string text = "[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n[FASTCHECK]\nNUM=1\nTEST_0=f.dll\n"
                       "REPEAT_ENABLE=1\n[RECOVERYCHECK]\nNUM=1\nTEST_0=R.DLL\n";
    // The recovery list is looked up from its own header; TEST_0 of
    // [FASTCHECK] lies before it and is not seen.
    TestCatalogue c = Build(text, FLAG_RECOVERY);
    ASSERT_EQ(1, c.quickCount);
    EXPECT_EQ("r.dll", c.quickList[0]);
    EXPECT_EQ("", c.quickListBase[0]);
}
