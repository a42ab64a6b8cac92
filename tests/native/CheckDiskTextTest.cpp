// Check Hard Disk's text rules: volume names, the checker's output as
// shown, the boot-time entry and its merge into BootExecute, and the Tools
// page's scroll steps.
#include <gtest/gtest.h>

#include "tavilcheck/tools/CheckDiskText.h"

using namespace tavil;

namespace {
const CheckerWords kWords{"Check Hard Disk", "Fixes errors on the disk.",
                          "Locates bad sectors and recovers readable information.", "volume", "volume"};
using List = std::vector<std::string>;
} // namespace

TEST(CheckDiskText, VolumeNames) {
    const std::pair<const char*, const char*> cases[] = {{"C:\\", "C:\\"},    {"D:\\ \t", "D:\\"}, {"E:", "E:\\"},
                                                         {"F::\\\\", "F:\\"}, {" G :\\", " G:\\"}, {"", ":\\"}};
    for (const auto& [root, name] : cases)
        EXPECT_EQ(name, VolumeName(root)) << '"' << root << '"';
}

TEST(CheckDiskText, ListedVolumesFixedOnlyDriveXRuleAndTenAtMost) {
    const std::vector<DriveRoot> drives = {{"A:\\", false}, {"C:\\", true}, {"D:\\", false},
                                           {"X:\\", true},  {"x:\\", true}, {"Z:\\", true}};
    EXPECT_EQ((List{"C:\\", "X:\\", "x:\\", "Z:\\"}), ListedVolumes(drives, false));
    EXPECT_EQ((List{"C:\\", "Z:\\"}), ListedVolumes(drives, true)) << "X left out when Windows is elsewhere";
    std::vector<DriveRoot> many;
    for (char letter = 'C'; letter <= 'P'; ++letter)
        many.push_back({std::string(1, letter) + ":\\", true});
    const List listed = ListedVolumes(many, false);
    ASSERT_EQ(10u, listed.size()) << "the table's room";
    EXPECT_EQ("L:\\", listed.back());
    EXPECT_TRUE(ListedVolumes({}, false).empty());
}

TEST(CheckDiskText, CheckerOutputIsRewritten) {
    const std::pair<const char*, const char*> cases[] = {
        {"   CHKDSK is verifying files (stage 1 of 3)...\n",
         "\"Check Hard Disk\" is verifying files (stage 1 of 3)...\n"},
        {"Run CHKDSK with the /F option. CHKDSK /R too.",
         "Run \"Check Hard Disk\" with the \"Fixes errors on the disk.\" option. \"Check Hard Disk\" "
         "\"Locates bad sectors and recovers readable information.\" too."},
        {"\t \r\n", ""},
        {"", ""},
        {"/f and chkdsk stay", "/f and chkdsk stay"}, // case-sensitive
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(shown, RewriteCheckerText(text, kWords)) << text;

    CheckerWords translated = kWords;
    translated.volumeFrom = "volume";
    translated.volumeTo = "Laufwerk";
    EXPECT_EQ("The Laufwerk is clean. Laufwerk.", RewriteCheckerText("The volume is clean. volume.", translated));
    translated.volumeFrom = "";
    EXPECT_EQ("The volume", RewriteCheckerText("The volume", translated)) << "an empty word replaces nothing";
    translated.volumeFrom = "e";
    translated.volumeTo = "ee";
    EXPECT_EQ("Theeee", RewriteCheckerText("Thee", translated)) << "a replacement is not replaced again";
}

TEST(CheckDiskText, BootExecuteEntries) {
    EXPECT_EQ("autocheck autochk /r \\??\\C:", BootExecuteEntry("\\\\.\\C:\\", true));
    EXPECT_EQ("autocheck autochk /p \\??\\C:", BootExecuteEntry("\\\\.\\C:\\", false));
    EXPECT_EQ("autocheck autochk /p \\??\\D:", BootExecuteEntry("\\\\.\\D:\\\\", false));
}

TEST(CheckDiskText, SchedulingKeepsTheOtherEntries) {
    const std::string checkC = "autocheck autochk /r \\??\\C:";
    struct Case {
        List existing;
        bool present;
        List expected;
        const char* why;
    } cases[] = {
        {{}, false, {"autocheck autochk *", checkC}, "no value: the system's check and the new one"},
        {{}, true, {checkC}, "an empty value stays without the default"},
        {{"autocheck autochk *"}, true, {"autocheck autochk *", checkC}, "the system's check is kept"},
        {{"autocheck autochk *", "other.exe /x", "autocheck autochk /p \\??\\C:", "last"},
         true,
         {"autocheck autochk *", "other.exe /x", checkC, "last"},
         "an earlier check of C: is replaced in its place"},
        {{"autocheck autochk /p \\??\\c:", "autocheck autochk /p \\??\\C:"},
         true,
         {checkC},
         "two earlier checks of C: become one"},
        {{"autocheck autochk /p \\??\\D:"}, true, {"autocheck autochk /p \\??\\D:", checkC}, "another volume stays"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ScheduleBootExecute(c.existing, c.present, checkC)) << c.why;
}

TEST(CheckDiskText, MultiStrings) {
    EXPECT_EQ(std::string("a\0bc\0\0", 6), JoinMultiString({"a", "bc"}));
    EXPECT_EQ(std::string("\0", 1), JoinMultiString({}));
    EXPECT_EQ((List{"a", "bc"}), SplitMultiString(std::string("a\0bc\0\0", 6)));
    EXPECT_EQ((List{"a", "bc"}), SplitMultiString(std::string("a\0bc", 4))) << "no terminator";
    EXPECT_EQ((List{"a"}), SplitMultiString(std::string("a\0\0b\0\0", 7))) << "the list ends at the empty string";
    EXPECT_TRUE(SplitMultiString("").empty());
}

TEST(CheckDiskText, ToolsScrollSteps) {
    struct Case {
        ScrollRequest request;
        int range, position, thumb, step;
    } cases[] = {
        {ScrollRequest::LineDown, 200, 0, 0, 10},  // range / 20
        {ScrollRequest::LineDown, 40, 0, 0, 5},    // at least 5
        {ScrollRequest::PageDown, 200, 0, 0, 20},  // range / 10
        {ScrollRequest::PageDown, 200, 195, 0, 5}, // limited at the end
        {ScrollRequest::LineDown, 200, 200, 0, 0}, // at the end: nothing
        {ScrollRequest::LineUp, 200, 0, 0, 0},     // at the top: nothing
        {ScrollRequest::PageUp, 200, 50, 0, -20},
        {ScrollRequest::Thumb, 200, 50, 120, 70},
        {ScrollRequest::Thumb, 200, 50, 900, 150}, // a thumb past the end
        {ScrollRequest::Other, 200, 50, 0, 0},
        {ScrollRequest::LineDown, -30, 0, 0, 0}, // content smaller than the page
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.step, ToolsScrollStep(c.request, c.range, c.position, c.thumb))
            << int(c.request) << " range " << c.range << " at " << c.position;
}
