// Owning types for kernel objects: each closes what it holds when it goes
// out of scope, so no code path (an early return, an exception) leaks a
// handle and nothing is closed by hand.  Move-only; get() lends the
// handle, release() gives it up without closing it.
#pragma once

#include <windows.h>

#include <utility>

namespace fw {

// A handle type with its empty value and its close function.
template <typename Traits> class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Type get() const { return m_handle; }
    explicit operator bool() const { return Traits::IsValid(m_handle); }

    // Closes what is held; false when the close function failed (the
    // handle is given up either way).
    bool close() {
        if (!Traits::IsValid(m_handle))
            return true;
        return Traits::Close(std::exchange(m_handle, Traits::Empty()));
    }
    // Closes what is held and takes `handle` instead.
    void reset(Type handle = Traits::Empty()) {
        if (Traits::IsValid(m_handle))
            Traits::Close(m_handle);
        m_handle = handle;
    }
    Type release() { return std::exchange(m_handle, Traits::Empty()); }
    // For functions that return a handle through a pointer: closes what is
    // held and hands out the slot.
    Type* receive() {
        reset();
        return &m_handle;
    }

private:
    Type m_handle = Traits::Empty();
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return nullptr; }
    // Functions disagree on how they say "no handle": some return null,
    // CreateFile and its kin INVALID_HANDLE_VALUE.  Neither is closed.
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static bool Close(Type h) { return ::CloseHandle(h) != 0; }
};

struct LibraryTraits {
    using Type = HMODULE;
    static Type Empty() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static bool Close(Type h) { return ::FreeLibrary(h) != 0; }
};

struct FindTraits {
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static bool Close(Type h) { return ::FindClose(h) != 0; }
};

struct RegistryKeyTraits {
    using Type = HKEY;
    static Type Empty() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static bool Close(Type h) { return ::RegCloseKey(h) == ERROR_SUCCESS; }
};

struct SidTraits {
    using Type = PSID;
    static Type Empty() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static bool Close(Type h) { return ::FreeSid(h) == nullptr; }
};

// A process, thread, file, pipe, event, mutex, job or token handle.
using Handle = UniqueHandle<KernelHandleTraits>;
// A loaded library.
using Library = UniqueHandle<LibraryTraits>;
// A directory search of FindFirstFile.
using FindHandle = UniqueHandle<FindTraits>;
// An open registry key.
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
// A security identifier made by AllocateAndInitializeSid.
using Sid = UniqueHandle<SidTraits>;

} // namespace fw
