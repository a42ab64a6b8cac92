#include "modules/disktest/UnbufferedFile.h"

#include "modules/common/ConsoleProgram.h"

namespace tavil::modules {

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

} // namespace tavil::modules
