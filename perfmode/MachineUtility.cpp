#include "MachineUtility.h"

#include <windows.h>

#include "Exceptions.h"
#include "RegistryValue.h"
#include "ShowMessage.h"
#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"
#include "perfmode_resource_ids.h"

namespace perfmode {
namespace {

const char kLibraryValueName[] = "MrcUtils.dll";
const char kHiddenWindowClass[] = "mns temp window class";
const char kHiddenWindowTitle[] = "mns temp window";

template <typename Function> bool Bind(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
    return function != nullptr;
}

} // namespace

MachineUtility::~MachineUtility() {
    try {
        Shutdown();
    } catch (const mns_co_Exception&) {
        // A library that will not unload at exit leaves nothing to do.
    }
}

void MachineUtility::Open(const std::string& subKey) {
    if (m_library)
        return;
    try {
        RegistryValue value;
        value.root = HKEY_LOCAL_MACHINE;
        value.subKey = subKey;
        value.valueName = kLibraryValueName;
        value.Read();
        if (value.type != RegistryValue::kString || value.text.empty())
            throw mns_co_BadEnvironment();
        m_library.reset(::LoadLibraryA(value.text.c_str()));
        if (!m_library)
            throw mns_co_BadEnvironment();
        HMODULE library = m_library.get();
        // Every export is looked up, in this order, before any is missed.
        bool bound = Bind(library, "MuOpen", m_open);
        bound &= Bind(library, "MuClose", m_close);
        bound &= Bind(library, "MuGetLastErrorCode", m_getLastErrorCode);
        bound &= Bind(library, "MuCallDriverDWORD", callDriverDWORD);
        bound &= Bind(library, "MuGetMachineID", getMachineID);
        bound &= Bind(library, "MuGetMachineInfo", m_getMachineInfo);
        bound &= Bind(library, "MuMXBIOS_Call", m_mxbiosCall);
        if (!bound) {
            std::string format = fw::ResourceSource::LoadString(IDS_EXPORT_MISSING);
            std::string text = fw::FormatText(format, kLibraryValueName);
            text += fw::ResourceSource::LoadString(IDS_MRCUTILS_FAILED);
            ShowMessage(text, MB_ICONSTOP);
            throw mns_co_BadEnvironment();
        }
    } catch (const mns_co_Exception&) {
        Close();
        throw;
    }
}

void MachineUtility::Close() {
    if (m_handle && m_close) {
        m_close(m_handle);
        m_handle = 0;
    }
    m_open = nullptr;
    m_close = nullptr;
    m_getLastErrorCode = nullptr;
    callDriverDWORD = nullptr;
    getMachineID = nullptr;
    m_getMachineInfo = nullptr;
    m_mxbiosCall = nullptr;
    if (m_library && !m_library.close())
        throw mns_co_InternalException();
}

void MachineUtility::CreateHiddenWindow() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_PARENTDC; // 0x83
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kHiddenWindowClass;
    // A class left registered by an earlier start in this process serves.
    if (!::RegisterClassA(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw mns_co_MemoryException();
    m_hiddenWindow.reset(::CreateWindowExA(0, kHiddenWindowClass, kHiddenWindowTitle, 0, 0, 0, 0, 0, nullptr, nullptr,
                                           windowClass.hInstance, nullptr));
    if (!m_hiddenWindow)
        throw mns_co_InternalException();
}

void MachineUtility::Start(const std::string& subKey) {
    try {
        Open(subKey);
        CreateHiddenWindow();
        if (!m_handle)
            m_handle = m_open(0, 2); // 0: none opened
        m_machineId = 0;
        if (!getMachineID(m_handle, &m_machineId))
            throw mns_co_InternalException();
    } catch (const mns_co_Exception&) {
        try {
            Shutdown();
        } catch (const mns_co_Exception&) {
            // The first failure is the one passed on.
        }
        ShowMessage(IDS_MRCUTILS_FAILED, MB_ICONSTOP);
        throw;
    }
}

void MachineUtility::Shutdown() {
    if (m_hiddenWindow) {
        if (m_handle && m_close)
            m_close(m_handle);
        m_handle = 0;
        m_hiddenWindow.close(); // a failure is of no consequence here
    }
    Close();
}

} // namespace perfmode
