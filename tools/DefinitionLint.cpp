#include "DefinitionLint.h"

#include <cstdlib>

#include "framework/TextUtil.h"
#include "tavilcheck/catalogue/CatalogueParser.h"
#include "tavilcheck/catalogue/DefinitionText.h"
#include "tavilcheck/catalogue/TestCatalogue.h"

namespace tavil {
namespace {

int LineOf(const std::string& text, size_t position) {
    int line = 1;
    for (size_t i = 0; i < position && i < text.size(); ++i)
        line += text[i] == '\n';
    return line;
}

// End of the section whose header is at `section`: the start of the next
// line that begins with '[' (or the end of the text).
size_t SectionEnd(const std::string& text, size_t section) {
    size_t at = text.find("\n[", section + 1);
    return at == std::string::npos ? text.size() : at + 1;
}

// Whether the occurrence of `key` at `at` is a key line of its own: at the
// start of a line (after optional blanks), followed by optional blanks and
// '='.
bool IsOwnKeyLine(const std::string& text, size_t at, const std::string& key) {
    size_t before = at;
    while (before > 0 && (text[before - 1] == ' ' || text[before - 1] == '\t'))
        --before;
    if (before > 0 && text[before - 1] != '\n')
        return false;
    size_t after = text.find_first_not_of(" \t", at + key.size());
    return after != std::string::npos && text[after] == '=';
}

// Checks where the parser's lookup of `key` from `section` lands.
void CheckKey(const std::string& text, long section, const std::string& sectionName, const std::string& key,
              std::vector<std::string>& warnings) {
    size_t at = FindUncommented(text, key, static_cast<size_t>(section));
    if (at == std::string::npos)
        return;
    std::string where = sectionName + " " + key + " (line " + std::to_string(LineOf(text, at)) + ")";
    if (at >= SectionEnd(text, static_cast<size_t>(section)))
        warnings.push_back(where + ": taken from a later section");
    else if (!IsOwnKeyLine(text, at, key))
        warnings.push_back(where + ": the key name is found inside a longer key name or a value");
}

void CheckList(const std::string& text, long section, const std::string& name, std::vector<std::string>& warnings) {
    CheckKey(text, section, name, "NUM", warnings);
    int stored = 0;
    int lastNumber = -1;
    size_t end = SectionEnd(text, static_cast<size_t>(section));
    // TEST_n key lines of the section in the order they are written.
    for (size_t at = text.find("TEST_", section); at != std::string::npos && at < end;
         at = text.find("TEST_", at + 1)) {
        if (at > 0 && text[at - 1] != '\n')
            continue;
        int number = fw::LeadingDecimal(text.substr(at + 5, 4));
        if (number < lastNumber)
            warnings.push_back(name + " TEST_" + std::to_string(number) + " (line " + std::to_string(LineOf(text, at)) +
                               "): TEST_n entries out of ascending order");
        lastNumber = number;
    }
    for (int j = 0; j < kMaxQuickEntries; ++j) {
        std::string key = "TEST_" + std::to_string(j);
        if (GetKeyValue(text, key, section).empty())
            continue;
        CheckKey(text, section, name, key, warnings);
        ++stored;
    }
    int wanted = fw::LeadingDecimal(GetKeyValue(text, "NUM", section));
    if (wanted > stored)
        warnings.push_back(name + ": NUM=" + std::to_string(wanted) + " but only " + std::to_string(stored) +
                           " entries are listed");
}

} // namespace

std::vector<std::string> LintDefinitionText(const std::string& text, bool recovery) {
    std::vector<std::string> warnings;
    long section = FindSection(text, "[MAX_REPEAT_TIMES]", 0);
    if (section >= 0)
        CheckKey(text, section, "[MAX_REPEAT_TIMES]", "REPEATTIMES", warnings);

    const char* listName = recovery ? "[RECOVERYCHECK]" : "[FASTCHECK]";
    section = FindSection(text, listName, 0);
    if (section >= 0) {
        CheckList(text, section, listName, warnings);
        if (!recovery)
            CheckKey(text, section, listName, "REPEAT_ENABLE", warnings);
    }

    const char* keys[] = {"TESTNAME", "TESTFILE", "TESTFILE_SUBDIR", "LOG_OPTION", "WINDOW_TYPE", "REPEAT_ENABLE"};
    for (int n = 0; n < kMaxModules; ++n) {
        std::string name = ModuleSectionHeader(n);
        section = FindSection(text, name, 0);
        if (section < 0)
            continue;
        for (const char* key : keys)
            CheckKey(text, section, name, key, warnings);
        std::string windowType = fw::ToUpper(GetKeyValue(text, "WINDOW_TYPE", section));
        if (!windowType.empty() && !fw::Contains(windowType, "DEFAULT") && !fw::Contains(windowType, "PROMPT") &&
            !fw::Contains(windowType, "DIALOG"))
            warnings.push_back(name + " WINDOW_TYPE=" + GetKeyValue(text, "WINDOW_TYPE", section) +
                               ": unknown window type, read as DEFAULT");
    }

    // Module sections the program never reads.
    for (size_t at = text.find("[MODULE_"); at != std::string::npos; at = text.find("[MODULE_", at + 1)) {
        std::string digits = text.substr(at + 8, 6);
        if (digits.empty() || digits[0] < '0' || digits[0] > '9')
            continue;
        int number = fw::LeadingDecimal(digits);
        if (number >= kMaxModules)
            warnings.push_back("[MODULE_" + std::to_string(number) + "] (line " + std::to_string(LineOf(text, at)) +
                               "): module sections from [MODULE_40] on are never read");
    }
    return warnings;
}

} // namespace tavil
