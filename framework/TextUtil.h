// String helpers shared by both programs.  Portable: no Windows header.
// Texts are 8-bit strings in the system code page; case mapping touches
// only the ASCII letters, as the C library does in the "C" locale.
#pragma once

#include <string>

namespace fw {

std::string ToLower(std::string text);
std::string ToUpper(std::string text);

// Trims blanks, tabs, CR, LF, vertical tabs and form feeds.
std::string Trim(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);

bool Contains(const std::string& text, const std::string& part);
bool StartsWith(const std::string& text, const std::string& prefix);

// Removes the first occurrence of `part`, if any.
std::string RemoveFirst(std::string text, const std::string& part);

// The value of the leading decimal digits; 0 when the text does not start
// with a digit.  Saturates at INT_MAX instead of overflowing.
int LeadingDecimal(const std::string& text);

// Strips every trailing backslash and appends exactly one.
std::string WithOneTrailingBackslash(std::string directory);

// The text up to (not including) its first NUL byte: the part of a text
// that C-string searches can see.
std::string UpToFirstNul(const std::string& text);

// printf-like formatting for formats from resource libraries, which are
// outside input: each "%" `conversion` ('s' or 'd') takes the next of
// `values` (already text), "%%" gives "%", and a conversion with no value
// left, or of another letter, is kept as it stands instead of reading a
// missing argument.
std::string FormatText(const std::string& format, char conversion, const std::string* values, size_t count);
// The format's "%s" replaced by `value`.
inline std::string FormatText(const std::string& format, const std::string& value) {
    return FormatText(format, 's', &value, 1);
}

} // namespace fw
