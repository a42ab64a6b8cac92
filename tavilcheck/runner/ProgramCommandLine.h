// The command line of a program test module.  Portable: no Windows header.
#pragma once

#include <string>

namespace tavil {

// `argument` as one argument of a Windows command line: unchanged when it
// holds no blank or tab, else in double quotes, with the backslashes in
// front of the closing quote (and of any quote inside) doubled so that the
// C runtime's argument splitting reads them as plain backslashes.  A
// directory such as "C:\Program Files\X\" thus stays one argument and keeps
// its trailing backslash.
std::string QuoteIfBlank(const std::string& argument);

// The module directory: the program's directory (ending in "\") + the
// module's sub-directory + "\".
std::string ProgramModuleDirectory(const std::string& programDirectory, const std::string& testSubdir);

// The program's path and the module directory, and when `logDirectory` is
// not empty that directory too, each quoted when it holds a blank.
std::string ProgramCommandLine(const std::string& moduleDirectory, const std::string& testFile,
                               const std::string& logDirectory);

} // namespace tavil
