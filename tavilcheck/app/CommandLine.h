// The command line of tavilcheck: splitting into option tokens and
// matching the options.  Portable: no Windows header.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavil {

// Raw option values as given; an option that was not given is nullopt.  A
// later token of the same option overwrites an earlier one.
struct CommandLineOptions {
    std::optional<std::string> diag;   // "/diag:" with leading colons removed
    std::optional<std::string> count;  // "/n:"
    std::optional<std::string> dir;    // "/dir:"
    std::optional<std::string> log;    // "/log:"
    std::optional<std::string> deflog; // "/deflog:"
    std::optional<std::string> ini;    // "/ini:", accepted and ignored
    std::optional<std::string> stop;   // "/stop:", accepted and ignored
};

// Every argument (the program's own path first), each followed by one
// blank, trimmed at both ends.
std::string JoinArguments(const std::vector<std::string>& arguments);

// Cuts the joined text into tokens: each starts at a '/' (or, when there is
// none left, a '-') and runs to the next '/' (or, failing that, '-') after
// its first character.  Tokens are trimmed.
std::vector<std::string> SplitTokens(std::string text);

// Matches the tokens against the options (case-sensitive, at the start of
// the token); unknown tokens are ignored.
CommandLineOptions MatchOptions(const std::vector<std::string>& tokens);

inline CommandLineOptions ParseCommandLine(const std::vector<std::string>& arguments) {
    return MatchOptions(SplitTokens(JoinArguments(arguments)));
}

// What start-up makes of the options, given the [log] path of the settings
// file and the program directory.
struct StartupOptions {
    bool diagMode = false;
    std::string diagModule; // lower-cased, ".dll" appended when missing
    int runCount = 1;
    bool logEnabled = false;
    std::string logDirectory;        // program directory unless "/dir:" gave one
    std::string defaultLogDirectory; // one trailing backslash
};

StartupOptions ResolveStartupOptions(const CommandLineOptions& options, const std::string& settingsLogPath,
                                     const std::string& programDirectory);

} // namespace tavil
