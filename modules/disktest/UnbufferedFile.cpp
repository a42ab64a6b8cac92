#include "modules/disktest/UnbufferedFile.h"

namespace tavil::modules {

std::string SystemErrorText(DWORD error) {
    char text[512] = "";
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                    sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        text[--length] = '\0';
    return length ? std::string(text, length) + " (" + std::to_string(error) + ")"
                  : "system error " + std::to_string(error);
}

UnbufferedFile::UnbufferedFile(const std::string& path, bool cached) {
    DWORD flags = cached ? FILE_FLAG_DELETE_ON_CLOSE
                         : FILE_FLAG_WRITE_THROUGH | FILE_FLAG_NO_BUFFERING | FILE_FLAG_DELETE_ON_CLOSE;
    handle_.reset(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, flags, nullptr));
    if (!handle_)
        Fail();
}

void UnbufferedFile::Fail() { error_ = SystemErrorText(::GetLastError()); }

bool UnbufferedFile::Write(const uint8_t* data, size_t size) {
    DWORD written = 0;
    if (::WriteFile(handle_.get(), data, static_cast<DWORD>(size), &written, nullptr) && written == size)
        return true;
    Fail();
    return false;
}

bool UnbufferedFile::Rewind() {
    LARGE_INTEGER zero{};
    if (::SetFilePointerEx(handle_.get(), zero, nullptr, FILE_BEGIN))
        return true;
    Fail();
    return false;
}

bool UnbufferedFile::Read(uint8_t* data, size_t size) {
    DWORD read = 0;
    if (!::ReadFile(handle_.get(), data, static_cast<DWORD>(size), &read, nullptr))
        Fail();
    else if (read == size)
        return true;
    else
        error_ = "the file ended early";
    return false;
}

AlignedBlock AllocateAligned(size_t size) {
    return AlignedBlock(static_cast<uint8_t*>(::VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)));
}

void AlignedFree::operator()(uint8_t* block) const { ::VirtualFree(block, 0, MEM_RELEASE); }

} // namespace tavil::modules
