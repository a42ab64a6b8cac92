// Section and key lookup in the decoded test definition text.
//
// The lookups are plain substring searches over the whole text; they do not
// stop at the next section.  That is the file format: a key missing from its
// section is taken from a later one, and a key name is also found inside a
// longer name or a value.  Portable: no Windows header.
#pragma once

#include <string>

namespace tavil {

// Position of `header` (brackets included) at or after `start`, skipping
// occurrences directly preceded by ';'.  -1 when there is none.
long FindSection(const std::string& text, const std::string& header, long start);

// Trimmed value of the first occurrence of `key` at or after `from` that is
// not directly preceded by ';': the text between the first '=' and the
// first '\n' after it.  Empty when `from` is -1, when the key is not found,
// when no '\n' follows, or when that line has no '='.
std::string GetKeyValue(const std::string& text, const std::string& key, long from);

// Position of the first occurrence of `pattern` at or after `from` that is
// not directly preceded by ';', or std::string::npos.
size_t FindUncommented(const std::string& text, const std::string& pattern, size_t from);

} // namespace tavil
