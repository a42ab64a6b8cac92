// Command-line splitting, option matching and what start-up makes of them.
#include <gtest/gtest.h>

#include "tavilcheck/app/CommandLine.h"

using tavil::CommandLineOptions;
using tavil::ParseCommandLine;
using tavil::ResolveStartupOptions;
using tavil::SplitTokens;

namespace {
const char kExe[] = "C:\\tavil\\tavilcheck.exe";
const char kProgramDir[] = "C:\\tavil\\";
} // namespace

TEST(CommandLine, SplitsTokensAtSlashesThenMinus) {
    struct Case {
        const char* text;
        std::vector<std::string> tokens;
    } cases[] = {
        {"", {}},
        {"C:\\tavil\\tavilcheck.exe", {}},
        {"x.exe /diag:memory /n:3", {"/diag:memory", "/n:3"}},
        {"x.exe   /diag:memory   ", {"/diag:memory"}},
        // A minus inside a value ends the token only when no '/' follows.
        {"x.exe /diag:mem-test /n:2", {"/diag:mem-test", "/n:2"}},
        {"x.exe /diag:mem-test", {"/diag:mem", "-test"}},
        {"x.exe /dir:C:\\my-logs", {"/dir:C:\\my", "-logs"}},
        // No '/' at all: tokens start at minus signs.
        {"x.exe -a -b", {"-a", "-b"}},
        {"x.exe /a/b//c", {"/a", "/b", "/", "/c"}},
        {"x.exe /dir:C:\\My Logs\\ /log:1", {"/dir:C:\\My Logs\\", "/log:1"}},
    };
    int row = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(c.tokens, SplitTokens(c.text)) << "row " << row;
        ++row;
    }
}

TEST(CommandLine, JoinsArgumentsWithBlanksAndTrims) {
    EXPECT_EQ("a b c", tavil::JoinArguments({" a", "b", "c "}));
    EXPECT_EQ("", tavil::JoinArguments({}));
}

TEST(CommandLine, MatchesOptionsCaseSensitively) {
    CommandLineOptions o = ParseCommandLine({kExe, "/diag:::Memory", "/n:3", "/dir:D:\\logs", "/log:0", "/deflog:E:\\x",
                                             "/ini:a", "/stop:1", "/DIAG:cpu", "/unknown:1"});
    EXPECT_EQ("Memory", o.diag.value_or("<unset>"));
    EXPECT_EQ("3", o.count.value_or("<unset>"));
    EXPECT_EQ("D:\\logs", o.dir.value_or("<unset>"));
    EXPECT_EQ("0", o.log.value_or("<unset>"));
    EXPECT_EQ("E:\\x", o.deflog.value_or("<unset>"));
    EXPECT_EQ("a", o.ini.value_or("<unset>"));
    EXPECT_EQ("1", o.stop.value_or("<unset>"));

    CommandLineOptions upper = ParseCommandLine({kExe, "/DIAG:memory"});
    EXPECT_FALSE(upper.diag.has_value()) << "upper-case option must be ignored";

    CommandLineOptions later = ParseCommandLine({kExe, "/n:2", "/n:5"});
    EXPECT_EQ("5", later.count.value_or("<unset>")) << "a later token overwrites";
}

TEST(CommandLine, ResolvesStartupOptions) {
    struct Case {
        std::vector<std::string> args;
        bool diagMode;
        const char* diagModule;
        int runCount;
        bool logEnabled;
        const char* logDirectory;
    } cases[] = {
        {{kExe}, false, "", 1, false, kProgramDir},
        {{kExe, "/diag:memory"}, true, "memory.dll", 1, false, kProgramDir},
        {{kExe, "/diag:Memory"}, true, "memory.dll", 1, false, kProgramDir},
        {{kExe, "/diag:memory.dll"}, true, "memory.dll", 1, false, kProgramDir},
        {{kExe, "/diag:"}, false, "", 1, false, kProgramDir},
        {{kExe, "/diag:fastcheck", "/n:3"}, true, "fastcheck.dll", 3, false, kProgramDir},
        {{kExe, "/diag:cpu", "/n:x"}, true, "cpu.dll", 0, false, kProgramDir},
        // /n:, /dir: and /log: count only with /diag:.
        {{kExe, "/n:3", "/dir:D:\\logs", "/log:1"}, false, "", 1, false, kProgramDir},
        {{kExe, "/diag:cpu", "/log:1"}, true, "cpu.dll", 1, true, kProgramDir},
        // A log directory turns logging on, also after /log:0.
        {{kExe, "/diag:cpu", "/log:0", "/dir:D:\\logs"}, true, "cpu.dll", 1, true, "D:\\logs\\"},
        {{kExe, "/diag:cpu", "/dir:D:\\logs\\\\"}, true, "cpu.dll", 1, true, "D:\\logs\\"},
        // The part after a minus sign is a token of its own, ignored.
        {{kExe, "/diag:mem-test"}, true, "mem.dll", 1, false, kProgramDir},
    };
    int row = 0;
    for (const Case& c : cases) {
        auto r = ResolveStartupOptions(ParseCommandLine(c.args), "a:\\", kProgramDir);
        EXPECT_EQ(c.diagMode, r.diagMode) << "row " << row;
        EXPECT_EQ(c.diagModule, r.diagModule) << "row " << row;
        EXPECT_EQ(c.runCount, r.runCount) << "row " << row;
        EXPECT_EQ(c.logEnabled, r.logEnabled) << "row " << row;
        EXPECT_EQ(c.logDirectory, r.logDirectory) << "row " << row;
        ++row;
    }
}

TEST(CommandLine, DefaultLogDirectoryGetsOneBackslash) {
    struct Case {
        const char* settingsPath;
        std::vector<std::string> args;
        const char* expected;
    } cases[] = {
        {"a:\\", {kExe}, "a:\\"},
        {"D:\\logs\\\\\\", {kExe}, "D:\\logs\\"},
        {"a:\\", {kExe, "/deflog:E:\\logs"}, "E:\\logs\\"},
        {"a:\\", {kExe, "/deflog:E:\\logs\\\\"}, "E:\\logs\\"},
        {"D:\\x", {kExe, "/deflog:"}, "D:\\x\\"},
    };
    int row = 0;
    for (const Case& c : cases) {
        auto r = ResolveStartupOptions(ParseCommandLine(c.args), c.settingsPath, kProgramDir);
        EXPECT_EQ(c.expected, r.defaultLogDirectory) << "row " << row++;
    }
}
