#include "CommandLine.h"

#include "framework/TextUtil.h"

namespace tavil {
namespace {

struct OptionSpec {
    const char* name;
    std::optional<std::string> CommandLineOptions::*value;
    bool stripColons; // further leading colons are removed from the value
};

const OptionSpec kOptions[] = {
    {"/diag:", &CommandLineOptions::diag, true},      {"/ini:", &CommandLineOptions::ini, true},
    {"/n:", &CommandLineOptions::count, false},       {"/dir:", &CommandLineOptions::dir, false},
    {"/log:", &CommandLineOptions::log, false},       {"/stop:", &CommandLineOptions::stop, false},
    {"/deflog:", &CommandLineOptions::deflog, false},
};

} // namespace

std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string joined;
    for (const std::string& argument : arguments)
        joined += argument + ' ';
    return fw::Trim(joined);
}

std::vector<std::string> SplitTokens(std::string text) {
    std::vector<std::string> tokens;
    for (;;) {
        size_t start = text.find('/');
        if (start == std::string::npos)
            start = text.find('-');
        if (start == std::string::npos)
            break;
        text.erase(0, start);
        size_t end = text.find('/', 1);
        if (end == std::string::npos)
            end = text.find('-', 1);
        if (end == std::string::npos)
            end = text.size();
        tokens.push_back(fw::Trim(text.substr(0, end)));
        text.erase(0, end);
    }
    return tokens;
}

CommandLineOptions MatchOptions(const std::vector<std::string>& tokens) {
    CommandLineOptions options;
    for (const std::string& token : tokens) {
        for (const OptionSpec& spec : kOptions) {
            if (!fw::StartsWith(token, spec.name))
                continue;
            std::string value = token.substr(std::char_traits<char>::length(spec.name));
            if (spec.stripColons)
                value.erase(0, value.find_first_not_of(':'));
            options.*spec.value = value;
            break;
        }
    }
    return options;
}

StartupOptions ResolveStartupOptions(const CommandLineOptions& options, const std::string& settingsLogPath,
                                     const std::string& programDirectory) {
    StartupOptions result;
    result.logDirectory = programDirectory;
    result.defaultLogDirectory = fw::WithOneTrailingBackslash(settingsLogPath);
    if (options.deflog && !options.deflog->empty())
        result.defaultLogDirectory = fw::WithOneTrailingBackslash(*options.deflog);

    // "/n:", "/dir:" and "/log:" count only in direct-run mode.
    if (!options.diag || options.diag->empty())
        return result;
    std::string module = fw::ToLower(*options.diag);
    if (!fw::Contains(module, ".dll"))
        module += ".dll";
    result.diagMode = true;
    result.diagModule = module;
    if (options.count)
        result.runCount = fw::LeadingDecimal(*options.count);
    if (options.log)
        result.logEnabled = fw::LeadingDecimal(*options.log) != 0;
    if (options.dir && !options.dir->empty()) {
        result.logDirectory = fw::WithOneTrailingBackslash(*options.dir);
        result.logEnabled = true;
    }
    return result;
}

} // namespace tavil
