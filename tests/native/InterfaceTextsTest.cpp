// Sections of the interface text file and their fill order.
#include <gtest/gtest.h>

#include "tavilcheck/catalogue/InterfaceTexts.h"
#include "tavilcheck/catalogue/ModeFlags.h"

using namespace tavil;

namespace {

std::string Section(const std::string& id, const std::string& text, const std::string& name = "x") {
    return "[START]=[" + id + "][TESTNAME]=[" + name + "]=[TESTNAME]" + text + "[END]=[" + id + "]\n";
}

InterfaceTexts Apply(const std::string& file, uint32_t flags, TestCatalogue* catalogue = nullptr) {
    TestCatalogue local;
    InterfaceTexts texts;
    ApplyInterfaceTexts(file, flags, catalogue ? *catalogue : local, texts);
    return texts;
}

} // namespace

TEST(InterfaceTexts, SectionBodies) {
    EXPECT_EQ("abc", SectionBody("[START]=[0-0]abc[END]=[0-0]", "0-0").value_or("<absent>"));
    EXPECT_EQ("", SectionBody("[END]=[0-0][START]=[0-0]abc", "0-0").value_or("<absent>"))
        << "end marker first gives an empty body";
    EXPECT_FALSE(SectionBody("[START]=[0-0]abc", "0-0"));
    EXPECT_FALSE(SectionBody("abc[END]=[0-0]", "0-0"));
    // The closing bracket is part of the marker: slot 1 never matches slot 10.
    EXPECT_FALSE(SectionBody("[START]=[1-10]a[END]=[1-10]", "1-1"));
    EXPECT_EQ("whole", SectionText("whole")) << "a body without name marker is all text";
    EXPECT_EQ("{\\rtf1 x}", SectionText("[TESTNAME]=[Memory]=[TESTNAME]{\\rtf1 x}"));
}

TEST(InterfaceTexts, PageAndHelpTextsByInstallationType) {
    struct Case {
        std::vector<const char*> sections;
        uint32_t flags;
        const char* pageText;
        const char* helpText;
    } cases[] = {
        {{"0-0", "0-1", "3-0", "3-1"}, 0, "0-0", "3-0"},
        {{"0-0", "0-1", "3-0", "3-1"}, FLAG_FULLTEST, "0-1", "3-1"},
        // A missing specific page text falls back; a help text does not.
        {{"0-0", "3-0"}, FLAG_FULLTEST, "0-0", ""},
        {{"0-0", "0-2", "3-0", "3-2"}, FLAG_RECOVERY, "0-2", "3-2"},
        {{"0-0", "0-1", "0-2", "0-3", "3-0", "3-3"}, FLAG_RECOVERY | FLAG_FULLTEST, "0-3", "3-3"},
        {{"0-0", "0-1", "3-2"}, FLAG_RECOVERY | FLAG_FULLTEST, "0-1", ""},
        {{}, 0, "", ""},
    };
    int row = 0;
    for (const Case& c : cases) {
        std::string file;
        for (const char* id : c.sections)
            file += Section(id, id);
        InterfaceTexts t = Apply(file, c.flags);
        EXPECT_EQ(c.pageText, t.pageText) << "row " << row;
        EXPECT_EQ(c.helpText, t.helpText) << "row " << row;
        ++row;
    }
}

TEST(InterfaceTexts, FixedSectionsReachTheirDestinations) {
    std::string file;
    for (const char* id : {"-1-0", "-1-1", "2-0", "2-1", "10-0", "10-1"})
        file += Section(id, std::string("text ") + id);
    InterfaceTexts t = Apply(file, 0);
    EXPECT_EQ("text -1-0", t.welcomeIntro);
    EXPECT_EQ("text -1-1", t.welcomeAgreement);
    EXPECT_EQ("text 2-0", t.deviceManagerText);
    EXPECT_EQ("text 2-1", t.checkDiskText);
    EXPECT_EQ("text 10-0", t.individualTestText);
    EXPECT_EQ("text 10-1", t.historyText);
}

TEST(InterfaceTexts, ModuleNamesAndDescriptionsStopAtFirstGap) {
    TestCatalogue c;
    for (int i = 0; i < 4; ++i) {
        c.modules[i].testName = "def" + std::to_string(i);
        c.modules[i].description = "old";
    }
    std::string file = "[START]=[1-0][TESTNAME]=[Memory]=[TESTNAME]{\\rtf1 mem}\r\n[END]=[1-0]" +
                       Section("1-1", "cpu", "") + Section("1-3", "never");
    Apply(file, 0, &c);
    EXPECT_EQ("Memory", c.modules[0].testName);
    EXPECT_EQ("{\\rtf1 mem}\r\n", c.modules[0].description) << "nothing is trimmed";
    EXPECT_EQ("", c.modules[1].testName) << "an empty name replaces the definition name";
    EXPECT_EQ("cpu", c.modules[1].description);
    EXPECT_EQ("def3", c.modules[3].testName) << "slot 3 lies after the gap at slot 2";
    EXPECT_EQ("old", c.modules[3].description);
}

TEST(InterfaceTexts, UnreadableOrForeignFileLeavesEverythingUnset) {
    TestCatalogue c;
    c.modules[0].testName = "Memory";
    InterfaceTexts t = Apply("\xFF", 0, &c);
    EXPECT_EQ("", t.pageText);
    EXPECT_EQ("Memory", c.modules[0].testName);
    // Text after a NUL byte is not seen.
    std::string withNul = std::string("abc\0", 4) + Section("0-0", "hidden");
    EXPECT_EQ("", Apply(withNul, 0).pageText);
}
