// perfmode's parts under Wine: the administrator rule on real and crafted
// tokens, the registry read, and the restart request's failure path.
#include <gtest/gtest.h>

#include <vector>

#include "MessageBoxAnswerer.h"
#include "framework/Handles.h"
#include "perfmode/Exceptions.h"
#include "perfmode/RegistryValue.h"
#include "perfmode/UserRights.h"
#include "perfmode/WindowsRestart.h"

namespace {

// A group list with the Administrators group (attributes `attributes`)
// and the Users group, as a token would give it.
struct CraftedGroups {
    explicit CraftedGroups(DWORD administratorsAttributes, bool withAdministrators = true) {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        administratorsSid = perfmode::AdministratorsSid();
        ::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0, 0, 0, 0, 0, 0,
                                   usersSid.receive());
        administrators = administratorsSid.get();
        users = usersSid.get();
        buffer.resize(sizeof(TOKEN_GROUPS) + 2 * sizeof(SID_AND_ATTRIBUTES));
        TOKEN_GROUPS* list = groups();
        list->GroupCount = 0;
        list->Groups[list->GroupCount++] = {users, SE_GROUP_ENABLED | SE_GROUP_MANDATORY};
        if (withAdministrators)
            list->Groups[list->GroupCount++] = {administrators, administratorsAttributes};
    }
    TOKEN_GROUPS* groups() { return reinterpret_cast<TOKEN_GROUPS*>(buffer.data()); }

    fw::Sid administratorsSid, usersSid;
    PSID administrators = nullptr, users = nullptr;
    std::vector<BYTE> buffer;
};

class RecordingRestartDouble : public perfmode::WindowsRestart {
public:
    explicit RecordingRestartDouble(bool accept) : m_accept(accept) {}
    bool RequestRestart() override {
        ++requests;
        return m_accept;
    }
    int requests = 0;

private:
    bool m_accept;
};

const char kTestKey[] = "Software\\TAVIL tests\\RegistryValue";

} // namespace

TEST(PerfModeRights, OnlyAnEnabledAdministratorsMembershipPasses) {
    const struct {
        const char* name;
        DWORD attributes;
        bool withAdministrators;
        bool passes;
    } cases[] = {
        {"enabled member", SE_GROUP_ENABLED | SE_GROUP_ENABLED_BY_DEFAULT | SE_GROUP_MANDATORY, true, true},
        {"deny-only member", SE_GROUP_USE_FOR_DENY_ONLY, true, false},
        {"member, not enabled", SE_GROUP_MANDATORY, true, false},
        {"not a member", 0, false, false},
    };
    for (const auto& c : cases) {
        CraftedGroups crafted(c.attributes, c.withAdministrators);
        EXPECT_EQ(c.passes, perfmode::GroupsHaveEnabledAdministrators(*crafted.groups())) << c.name;
    }
}

TEST(PerfModeRights, ARestrictedTokenWithoutAdministratorsIsRefused) {
    fw::Handle process;
    ASSERT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_ALL_ACCESS, process.receive()));
    bool unreadable = true;
    EXPECT_TRUE(perfmode::TokenHasEnabledAdministrators(process.get(), unreadable))
        << "Wine's user is an administrator";
    EXPECT_FALSE(unreadable);
    EXPECT_TRUE(perfmode::IsUserAdministrator());

    CraftedGroups crafted(0);
    SID_AND_ATTRIBUTES disable{crafted.administrators, 0};
    fw::Handle restricted;
    ASSERT_TRUE(::CreateRestrictedToken(process.get(), 0, 1, &disable, 0, nullptr, 0, nullptr, restricted.receive()));
    EXPECT_FALSE(perfmode::TokenHasEnabledAdministrators(restricted.get(), unreadable))
        << "Administrators is deny-only in a restricted token";
    EXPECT_FALSE(unreadable);
}

TEST(PerfModeRegistry, ValuesAreReadByTypeAndMissingOnesRaiseBadEnvironment) {
    fw::RegistryKey opened;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                               opened.receive(), nullptr));
    HKEY key = opened.get();
    const char path[] = "C:\\TAVIL\\MrcUtils.dll";
    const char expandable[] = "%ProgramFiles%\\MrcUtils.dll";
    const DWORD number = 0x1234;
    const BYTE bytes[] = {1, 2, 3};
    ::RegSetValueExA(key, "string", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path);
    ::RegSetValueExA(key, "expandable", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expandable), sizeof expandable);
    ::RegSetValueExA(key, "number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    ::RegSetValueExA(key, "bytes", 0, REG_BINARY, bytes, sizeof bytes);
    opened.reset();

    auto read = [](const char* subKey, const char* name) {
        perfmode::RegistryValue value;
        value.root = HKEY_CURRENT_USER;
        value.subKey = subKey;
        value.valueName = name;
        value.Read();
        return value;
    };
    perfmode::RegistryValue text = read(kTestKey, "string");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), text.type);
    EXPECT_EQ(path, text.text);
    perfmode::RegistryValue kept = read(kTestKey, "expandable");
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), kept.type) << "not expanded into a usable string";
    EXPECT_TRUE(kept.text.empty());
    EXPECT_EQ(number, read(kTestKey, "number").number);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 3), read(kTestKey, "bytes").bytes);

    for (const char* missing : {"no such value", ""}) {
        try {
            read(missing[0] ? kTestKey : "Software\\TAVIL tests\\no such key", missing[0] ? missing : "string");
            ADD_FAILURE() << "no exception for '" << missing << "'";
        } catch (const mns_co_BadEnvironment& e) {
            EXPECT_EQ(5, e.kind);
            EXPECT_EQ(ERROR_FILE_NOT_FOUND, e.code);
        }
    }
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TAVIL tests");
}

TEST(PerfModeRestart, ARefusedRestartIsToldAndAnAcceptedOneIsSilent) {
    {
        MessageBoxAnswerer answerer;
        RecordingRestartDouble accepted(true);
        perfmode::RestartWindows(accepted);
        EXPECT_EQ(1, accepted.requests);
        ::Sleep(100);
        EXPECT_TRUE(answerer.boxes().empty());
    }
    MessageBoxAnswerer answerer;
    RecordingRestartDouble refused(false);
    perfmode::RestartWindows(refused);
    EXPECT_EQ(1, refused.requests);
    std::vector<MessageBoxAnswerer::Box> boxes = answerer.boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].text.find("could not be restarted"));
    EXPECT_TRUE(boxes[0].exclamation);
}
