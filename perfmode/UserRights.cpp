#include "UserRights.h"

#include <vector>

#include "framework/Handles.h"

namespace perfmode {
namespace {

// The operating system's version, read once.
struct SystemVersion {
    DWORD major = 0, minor = 0, build = 0, platform = 0;
    char servicePack[128] = "";
};

const SystemVersion& Version() {
    static const SystemVersion version = [] {
        SystemVersion v;
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (::GetVersionExA(&info)) {
#pragma GCC diagnostic pop
            v.major = info.dwMajorVersion;
            v.minor = info.dwMinorVersion;
            v.build = info.dwBuildNumber;
            v.platform = info.dwPlatformId;
            lstrcpynA(v.servicePack, info.szCSDVersion, sizeof v.servicePack);
        }
        return v;
    }();
    return version;
}

} // namespace

fw::Sid AdministratorsSid() {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    fw::Sid sid;
    ::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                               sid.receive());
    return sid;
}

bool GroupsHaveEnabledAdministrators(const TOKEN_GROUPS& groups) {
    fw::Sid administrators = AdministratorsSid();
    if (!administrators)
        return false;
    for (DWORD i = 0; i < groups.GroupCount; ++i) {
        const SID_AND_ATTRIBUTES& group = groups.Groups[i];
        if (group.Sid && ::EqualSid(group.Sid, administrators.get()) && (group.Attributes & SE_GROUP_ENABLED))
            return true;
    }
    return false;
}

bool TokenHasEnabledAdministrators(HANDLE token, bool& unreadable) {
    unreadable = false;
    DWORD size = 0;
    ::GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
    if (size == 0) {
        unreadable = true;
        return false;
    }
    std::vector<BYTE> buffer(size, 0);
    if (!::GetTokenInformation(token, TokenGroups, buffer.data(), size, &size)) {
        unreadable = true;
        return false;
    }
    return GroupsHaveEnabledAdministrators(*reinterpret_cast<const TOKEN_GROUPS*>(buffer.data()));
}

bool IsUserAdministrator() {
    if (Version().platform != VER_PLATFORM_WIN32_NT)
        return true;
    fw::Handle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.receive()))
        return true;
    bool unreadable = false;
    bool administrator = TokenHasEnabledAdministrators(token.get(), unreadable);
    return unreadable || administrator;
}

} // namespace perfmode
