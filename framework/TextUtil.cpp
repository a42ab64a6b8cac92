#include "TextUtil.h"

#include <climits>
#include <cstring>

namespace fw {
namespace {
const char kWhiteSpace[] = " \t\r\n\v\f";
}

std::string ToLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string ToUpper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string TrimLeft(const std::string& text) {
    size_t first = text.find_first_not_of(kWhiteSpace);
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string TrimRight(const std::string& text) {
    size_t last = text.find_last_not_of(kWhiteSpace);
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string RemoveFirst(std::string text, const std::string& part) {
    size_t at = text.find(part);
    if (at != std::string::npos && !part.empty())
        text.erase(at, part.size());
    return text;
}

std::string FormatText(const std::string& format, char conversion, const std::string* values, size_t count) {
    std::string text;
    size_t used = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '%' && next == '%') {
            text += '%';
            ++i;
        } else if (format[i] == '%' && next == conversion && used < count) {
            text += values[used++];
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

int LeadingDecimal(const std::string& text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(value);
}

std::string WithOneTrailingBackslash(std::string directory) {
    while (!directory.empty() && directory.back() == '\\')
        directory.pop_back();
    return directory + '\\';
}

std::string UpToFirstNul(const std::string& text) { return std::string(text.c_str(), std::strlen(text.c_str())); }

} // namespace fw
