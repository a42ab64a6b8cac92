#include "ProgramCommandLine.h"

namespace tavil {

std::string QuoteIfBlank(const std::string& argument) {
    if (argument.find_first_of(" \t") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count double only in front of a quote.
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string ProgramModuleDirectory(const std::string& programDirectory, const std::string& testSubdir) {
    return programDirectory + testSubdir + "\\";
}

std::string ProgramCommandLine(const std::string& moduleDirectory, const std::string& testFile,
                               const std::string& logDirectory) {
    std::string line = QuoteIfBlank(moduleDirectory + testFile) + " " + QuoteIfBlank(moduleDirectory);
    if (!logDirectory.empty())
        line += " " + QuoteIfBlank(logDirectory);
    return line;
}

} // namespace tavil
