#include "ResourceSource.h"

namespace fw {
namespace {
HMODULE g_library = nullptr;
bool g_programFallback = true;

// Reads string `id` from `module` without a length limit: string tables
// hold counted UTF-16 strings in blocks of 16.
bool ReadString(HMODULE module, UINT id, std::string& text) {
    HRSRC block = ::FindResourceA(module, MAKEINTRESOURCEA(id / 16 + 1), MAKEINTRESOURCEA(6));
    if (!block)
        return false;
    HGLOBAL data = ::LoadResource(module, block);
    const WCHAR* p = data ? static_cast<const WCHAR*>(::LockResource(data)) : nullptr;
    if (!p)
        return false;
    const WCHAR* end = p + ::SizeofResource(module, block) / sizeof(WCHAR);
    for (UINT i = 0; i < id % 16 && p < end; ++i)
        p += 1 + *p;
    if (p >= end || *p == 0)
        return false;
    int length = *p++;
    if (p + length > end)
        return false;
    int bytes = ::WideCharToMultiByte(CP_ACP, 0, p, length, nullptr, 0, nullptr, nullptr);
    text.assign(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, p, length, &text[0], bytes, nullptr, nullptr);
    return true;
}

HMODULE ModuleWith(UINT id, LPCSTR type) {
    if (g_library && (::FindResourceA(g_library, MAKEINTRESOURCEA(id), type) || !g_programFallback))
        return g_library;
    return ResourceSource::Program();
}
} // namespace

namespace ResourceSource {

void SetLibrary(HMODULE library, bool programFallback) {
    g_library = library;
    g_programFallback = library ? programFallback : true;
}
HMODULE Library() { return g_library; }
HMODULE Program() { return ::GetModuleHandleA(nullptr); }

std::string LoadString(UINT id) {
    std::string text;
    if (g_library && (ReadString(g_library, id, text) || !g_programFallback))
        return text;
    ReadString(Program(), id, text);
    return text;
}

HMODULE DialogModule(UINT id) { return ModuleWith(id, MAKEINTRESOURCEA(5)); }
HMODULE MenuModule(UINT id) { return ModuleWith(id, MAKEINTRESOURCEA(4)); }
HMODULE IconModule(UINT id) { return ModuleWith(id, MAKEINTRESOURCEA(14)); } // RT_GROUP_ICON

} // namespace ResourceSource

} // namespace fw
