// Progress scaling, progress line texts and run titles.
#include <gtest/gtest.h>

#include "tavilcheck/catalogue/ModeFlags.h"
#include "tavilcheck/runner/RunProgress.h"

using namespace tavil;

namespace {
const char kPercent[] = "%d%%Finished";
const char kMinutes[] = "%d Minutes Remaining";
} // namespace

TEST(RunProgress, BatchScalesOverModulesAndLoops) {
    // 4 modules, loop count 2: each module reports 0, 50, 100.
    BatchProgress progress;
    progress.Start(2);
    progress.SetModuleCount(4);
    std::vector<int> shown;
    for (int module = 0; module < 8; ++module)
        for (int value : {0, 50, 100})
            shown.push_back(progress.Report(value));
    EXPECT_EQ(12, shown[2]) << "first module's final 100";
    EXPECT_EQ(50, shown[3 * 3 + 2]) << "fourth module's final 100";
    EXPECT_EQ(100, shown.back());
    EXPECT_EQ(6, shown[1]) << "first module at 50";

    progress.Start(1);
    EXPECT_EQ(25, progress.Report(100)) << "a new run starts at base 0";
}

TEST(RunProgress, BatchWithoutModulesOrOutOfRangeValues) {
    BatchProgress progress;
    progress.Start(1);
    progress.SetModuleCount(0);
    EXPECT_EQ(0, progress.Report(100)) << "no modules: nothing to divide by";
    progress.SetModuleCount(1);
    EXPECT_EQ(100, progress.Report(5000));
    EXPECT_EQ(0, progress.Report(-2000000000));
}

TEST(RunProgress, ProgramModuleRepetitions) {
    int base = 0;
    EXPECT_EQ(33, ProgramModuleProgress(base, 3));
    EXPECT_EQ(0, base) << "99 never grows the base";
    EXPECT_EQ(99, ProgramModuleProgress(base, 1));
    EXPECT_EQ(0, ProgramModuleProgress(base, 0));
}

TEST(RunProgress, ProgressLineTexts) {
    struct Case {
        int percent, minutes;
        const char* text;
    } cases[] = {
        {45, -1, "45%Finished"},
        {45, 0, "45%Finished   1 Minutes Remaining"}, // 0 counts as 1 mid-run
        {0, 0, "0%Finished"},
        {100, 0, "100%Finished"},
        {45, 7, "45%Finished   7 Minutes Remaining"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, ProgressText(c.percent, c.minutes, kPercent, kMinutes));
    EXPECT_EQ("20%Finished   3 Minutes Remaining", MinutesLeftText(20, 3, kPercent, kMinutes));
    EXPECT_EQ("", MinutesLeftText(20, 0, kPercent, kMinutes));
    EXPECT_EQ("", MinutesLeftText(20, -1, kPercent, kMinutes));
    // A translated format with other conversions stays harmless.
    EXPECT_EQ("%s 5 %d", FormatNumber("%s %d %d", 5));
}

TEST(RunProgress, RunTitles) {
    struct Case {
        int runKind;
        uint32_t flags;
        const char* title;
    } cases[] = {
        {0, 0, "QuickTest"},
        {0, FLAG_FULLTEST, " Full Test "},
        {0, FLAG_SERVICE | FLAG_FULLTEST, "FinalInspection"},
        {1, FLAG_SERVICE, "Memory Test"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.title, RunTitle(c.runKind, c.flags, "Memory Test", "FinalInspection", " Full Test ", "QuickTest"));
}
