// Warnings about the traps of the test definition format: places where the
// program's lookups will read something other than what the author of the
// file probably meant.  Portable: no Windows header.
#pragma once

#include <string>
#include <vector>

namespace tavil {

// Warnings for the decoded definition text, one line each, in text order
// of the sections they concern.
std::vector<std::string> LintDefinitionText(const std::string& text, bool recovery);

} // namespace tavil
