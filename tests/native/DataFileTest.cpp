// The scrambled data file reader.
#include <gtest/gtest.h>

#include "TempFile.h"
#include "tavilcheck/catalogue/DataFile.h"

using tavil::kReadPlain;
using tavil::kReadScrambled;
using tavil::ReadDataFile;

namespace {
std::string Scrambled(std::string text) {
    tavil::Scramble(text);
    return text;
}
} // namespace

TEST(DataFile, ReadsScrambledAndPlain) {
    const std::string plain = "[MAX_REPEAT_TIMES]\r\nREPEATTIMES=5\n\x80\xFF end";
    struct Case {
        std::string fileBytes;
        int mode;
        std::string expected;
    } cases[] = {
        {"", kReadScrambled, ""},
        {"", kReadPlain, ""},
        {plain, kReadPlain, plain},
        {plain, 7, plain}, // any mode but 1 is plain
        {Scrambled(plain), kReadScrambled, plain},
        // Nine bytes: the ninth uses key byte 0 again.
        {std::string(9, '\0'), kReadScrambled, "qzrkwmpeq"},
        // A plain letter equal to its key byte scrambles to NUL and must
        // still decode: the reader does not stop at zero bytes.
        {Scrambled("qzrk"), kReadScrambled, "qzrk"},
        {std::string("a\0b", 3), kReadPlain, std::string("a\0b", 3)},
    };
    int row = 0;
    for (const Case& c : cases) {
        TempFile file(c.fileBytes);
        EXPECT_EQ(c.expected, ReadDataFile(file.path(), c.mode)) << "row " << row++;
    }
}

TEST(DataFile, KeyCyclesAcrossChunkBoundaries) {
    // Longer than the reader's buffer, and not a multiple of the key length.
    std::string plain;
    for (int i = 0; i < 40001; ++i)
        plain += static_cast<char>('A' + i % 26);
    TempFile file(Scrambled(plain));
    EXPECT_EQ(plain, ReadDataFile(file.path(), kReadScrambled));
}

TEST(DataFile, MissingFileGivesFailureMarker) {
    std::string result = ReadDataFile("/nonexistent/dir/initest.vhd", kReadScrambled);
    EXPECT_EQ(std::string(1, '\xFF'), result);
    EXPECT_EQ(tavil::kDataFileFailure, result);
}
