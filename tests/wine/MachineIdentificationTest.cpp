// The model name through the registry and the DMI device: the real
// registry of the test prefix, the real current-directory handling, and a
// device double answering from SMBIOS tables (no machine here has the
// driver); the real device where the driver is missing.
#include <gtest/gtest.h>

#include <windows.h>

#include "tavilcheck/history/MachineIdentification.h"
#include "tests/SmbiosTables.h"
#include "tests/TestFiles.h"

using namespace tavil;
using namespace tavil::test;

namespace {

// The DMI driver's registry values, removed again at the end.
class DriverRegistry {
public:
    DriverRegistry() { Clear(); }
    ~DriverRegistry() { Clear(); }
    void Set(const char* key, const char* value, const std::string& path) {
        fw::RegistryKey opened;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                                   opened.receive(), nullptr));
        ::RegSetValueExA(opened.get(), value, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                         static_cast<DWORD>(path.size() + 1));
    }

private:
    static void Clear() {
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDmiServicesKey);
        ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDmiVxdsKey);
    }
};

std::string CurrentDirectory() {
    char directory[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, directory);
    return directory;
}

// Answers from a table; records where and how it was opened.
class TableDevice : public DmiDevice {
public:
    explicit TableDevice(std::vector<uint8_t> table) : driver(std::move(table)) {}
    SmbiosDriverDouble driver;
    bool opens = true;
    std::vector<std::string> openedPaths;
    std::string directoryAtOpen;
    std::vector<DWORD> codes;
    bool open = false;

    bool Open(const std::string& devicePath) override {
        openedPaths.push_back(devicePath);
        directoryAtOpen = CurrentDirectory();
        open = opens;
        return opens;
    }
    bool Control(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize) override {
        codes.push_back(code);
        if (!open)
            return false;
        if (!m_exchange)
            m_exchange = driver.exchange();
        return m_exchange(static_cast<const uint8_t*>(in), inSize, static_cast<uint8_t*>(out), outSize);
    }
    void Close() override { open = false; }

private:
    DmiExchange m_exchange;
};

} // namespace

TEST(ReadModelName, DriverFoundThroughEitherValueIsOpenedInItsOwnDirectory) {
    const std::string driverDirectory = TempDirectory("tavil-dmi");
    struct Case {
        bool services, vxds;
        const char* expectedOpen;
    } cases[] = {
        {true, false, "\\\\.\\dmicall.sys"},
        {false, true, "\\\\.\\dmicall.vxd"},
        {true, true, "\\\\.\\dmicall.sys"}, // the services value comes first
    };
    for (const Case& c : cases) {
        DriverRegistry registry;
        if (c.services)
            registry.Set(kDmiServicesKey, "dmicall", driverDirectory + "dmicall.sys");
        if (c.vxds)
            registry.Set(kDmiVxdsKey, "dmicall.vxd", driverDirectory + "dmicall.vxd");
        const std::string before = CurrentDirectory();
        TableDevice device(NotebookTable());
        EXPECT_EQ("TAVIL N14 Pro", ReadModelName(device)) << c.expectedOpen;
        EXPECT_EQ(std::vector<std::string>{c.expectedOpen}, device.openedPaths);
        EXPECT_EQ(driverDirectory.substr(0, driverDirectory.size() - 1), device.directoryAtOpen);
        EXPECT_EQ(before, CurrentDirectory()) << "the current directory is put back";
        EXPECT_FALSE(device.open) << "the device is closed";
        EXPECT_EQ(std::vector<DWORD>(device.codes.size(), 0x220000), device.codes);
    }
}

TEST(ReadModelName, NoDriverOrAFailingOneGivesAnEmptyName) {
    const std::string driverDirectory = TempDirectory("tavil-dmi");
    {
        DriverRegistry registry; // no value at all: the device is not opened
        TableDevice device(NotebookTable());
        EXPECT_EQ("", ReadModelName(device));
        EXPECT_TRUE(device.openedPaths.empty());
    }
    {
        DriverRegistry registry; // a directory that does not exist
        registry.Set(kDmiServicesKey, "dmicall", "Z:\\no\\such\\directory\\dmicall.sys");
        const std::string before = CurrentDirectory();
        TableDevice device(NotebookTable());
        EXPECT_EQ("", ReadModelName(device));
        EXPECT_TRUE(device.openedPaths.empty());
        EXPECT_EQ(before, CurrentDirectory());
    }
    {
        DriverRegistry registry; // a device that cannot be opened
        registry.Set(kDmiServicesKey, "dmicall", driverDirectory + "dmicall.sys");
        TableDevice device(NotebookTable());
        device.opens = false;
        EXPECT_EQ("", ReadModelName(device));
        EXPECT_TRUE(device.codes.empty());
    }
    {
        // The real device: Wine has no such driver.
        DriverRegistry registry;
        registry.Set(kDmiServicesKey, "dmicall", driverDirectory + "dmicall.sys");
        SystemDmiDevice device;
        EXPECT_EQ("", ReadModelName(device));
    }
}

TEST(ReadModelName, DriverAnswersDecideTheName) {
    const std::string driverDirectory = TempDirectory("tavil-dmi");
    DriverRegistry registry;
    registry.Set(kDmiServicesKey, "dmicall", driverDirectory + "dmicall.sys");
    struct Case {
        std::vector<uint8_t> table;
        int busyAnswers, failingCall;
        const char* expected;
        const char* why;
    } cases[] = {
        {NotebookTable(), 1, -1, "TAVIL N14 Pro", "each structure answered 0x83 once, then asked again"},
        {NotebookTable(), 0, 2, "", "a failing structure request"},
        {NotebookTable(), 0, 0, "", "a failing information request"},
        {Joined({SystemInformation(0, {"M", "P"}, 0), SmbiosStructure(127, 1, {}, {})}), 0, -1, "",
         "product name at string 0"},
        {Joined({SystemInformation(0, {"M", "P"}, 3), SmbiosStructure(127, 1, {}, {})}), 0, -1, "",
         "product name past the string set"},
    };
    for (const Case& c : cases) {
        TableDevice device(c.table);
        device.driver.busyAnswers = c.busyAnswers;
        device.driver.failingCall = c.failingCall;
        EXPECT_EQ(c.expected, ReadModelName(device)) << c.why;
    }
}

TEST(ReadModelName, ThisMachinesOwnTableWhenLinuxShowsIt) {
    std::vector<uint8_t> table;
    std::string product;
    if (!ReadThisMachinesTable("Z:\\sys\\firmware\\dmi\\tables\\DMI", "Z:\\sys\\class\\dmi\\id\\product_name", table,
                               product))
        GTEST_SKIP() << "this machine's SMBIOS table cannot be read";
    DriverRegistry registry;
    registry.Set(kDmiServicesKey, "dmicall", TempDirectory("tavil-dmi") + "dmicall.sys");
    TableDevice device(table);
    EXPECT_EQ(product.substr(0, 127), ReadModelName(device));
}
