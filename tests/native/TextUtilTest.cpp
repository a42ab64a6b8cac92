// String helpers whose edge cases the parsers rely on.
#include <gtest/gtest.h>

#include "framework/TextUtil.h"

TEST(TextUtil, LeadingDecimal) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"", 0}, {"12", 12}, {"12abc", 12}, {"abc", 0}, {"-3", 0}, {" 5", 0}, {"99999999999999999999", 2147483647}};
    for (const Case& c : cases)
        EXPECT_EQ(c.value, fw::LeadingDecimal(c.text)) << "text '" << c.text << "'";
}

TEST(TextUtil, TrailingBackslashAndTrim) {
    EXPECT_EQ("D:\\logs\\", fw::WithOneTrailingBackslash("D:\\logs\\\\\\"));
    EXPECT_EQ("D:\\logs\\", fw::WithOneTrailingBackslash("D:\\logs"));
    EXPECT_EQ("\\", fw::WithOneTrailingBackslash(""));
    EXPECT_EQ("a b", fw::Trim(" \t\r\na b\r\n\t "));
    EXPECT_EQ("", fw::Trim(" \t "));
    EXPECT_EQ("memtest", fw::RemoveFirst(fw::RemoveFirst("memtest.dll", ".dll"), ".exe"));
}

// Formats from a resource library are outside input: a conversion with no
// value, or of another letter, must stay text instead of reading memory.
TEST(TextUtil, FormatTextTakesOnlyTheValuesGiven) {
    struct Case {
        const char* format;
        const char* expected;
    } cases[] = {
        {"Cannot open dynamic link library ''%s''.", "Cannot open dynamic link library ''PerfRes.dll''."},
        {"%s::/popups.txt", "PerfRes.dll::/popups.txt"},
        {"%s and %s", "PerfRes.dll and %s"},
        {"100%% %d %n %s", "100% %d %n PerfRes.dll"},
        {"ends in %", "ends in %"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, fw::FormatText(c.format, "PerfRes.dll")) << "format '" << c.format << "'";
}
