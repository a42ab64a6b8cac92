#include "DataFile.h"

#include <cstdio>
#ifdef _WIN32
#include <share.h>
#endif

namespace tavil {

const char kScrambleKey[] = "qzrkwmpe";
const std::string kDataFileFailure(1, '\xFF');

void Scramble(std::string& data, size_t offset) {
    size_t k = offset % kScrambleKeyLength;
    for (char& c : data) {
        c = static_cast<char>(c ^ kScrambleKey[k]);
        if (++k == kScrambleKeyLength)
            k = 0;
    }
}

std::string ReadDataFile(const std::string& path, int mode) {
#ifdef _WIN32
    // Other readers may share the file; writers are kept out while we read.
    std::FILE* file = _fsopen(path.c_str(), "rb", _SH_DENYWR);
#else
    std::FILE* file = std::fopen(path.c_str(), "rb");
#endif
    if (!file)
        return kDataFileFailure;

    std::string text;
    char buffer[16384];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        std::string piece(buffer, got);
        if (mode == kReadScrambled)
            Scramble(piece, text.size());
        text += piece;
    }
    std::fclose(file);
    return text;
}

} // namespace tavil
