#include "DefinitionText.h"

#include "framework/TextUtil.h"

namespace tavil {

size_t FindUncommented(const std::string& text, const std::string& pattern, size_t from) {
    size_t at = text.find(pattern, from);
    while (at != std::string::npos && at > 0 && text[at - 1] == ';')
        at = text.find(pattern, at + 1);
    return at;
}

long FindSection(const std::string& text, const std::string& header, long start) {
    if (start < 0)
        return -1;
    size_t at = FindUncommented(text, header, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<long>(at);
}

std::string GetKeyValue(const std::string& text, const std::string& key, long from) {
    if (from < 0)
        return std::string();
    size_t at = FindUncommented(text, key, static_cast<size_t>(from));
    if (at == std::string::npos)
        return std::string();
    size_t lineEnd = text.find('\n', at);
    size_t equals = text.find('=', at);
    if (lineEnd == std::string::npos || equals == std::string::npos || equals > lineEnd)
        return std::string();
    return fw::Trim(text.substr(equals + 1, lineEnd - equals - 1));
}

} // namespace tavil
