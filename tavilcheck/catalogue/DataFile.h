// Reader of the scrambled data files (test definitions, interface texts).
// Portable: no Windows header.
#pragma once

#include <string>

namespace tavil {

// The repeating XOR key of the data files.
extern const char kScrambleKey[];
constexpr size_t kScrambleKeyLength = 8;

// Mode argument of ReadDataFile.
constexpr int kReadScrambled = 1;
constexpr int kReadPlain = 0;

// Returned when the file cannot be opened: one byte 0xFF, which holds no
// section header, so callers read it as a file without sections.
extern const std::string kDataFileFailure;

// XORs `data` with the key in place; `offset` is the file position of
// data[0], so a file can be processed in pieces.  Its own inverse.
void Scramble(std::string& data, size_t offset = 0);

// Reads the whole file.  mode kReadScrambled unscrambles every byte; any
// other mode copies the bytes unchanged.  The file is opened shared for
// reading only.  A read error in the middle ends the text there.
std::string ReadDataFile(const std::string& path, int mode);

} // namespace tavil
