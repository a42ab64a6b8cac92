// The storage test's file on a real drive: written through to the drive
// and read back past the system's cache, and deleted by the system when
// its handle closes, also when the program is ended from outside.
#pragma once

#include <windows.h>

#include <string>

#include "modules/disktest/StorageCheck.h"

namespace tavil::modules {

class UnbufferedFile : public BlockFile {
public:
    // Creates (or replaces) `path`.  `cached` opens it as an ordinary file,
    // for comparisons in the benchmark.
    explicit UnbufferedFile(const std::string& path, bool cached = false);
    ~UnbufferedFile() override;
    UnbufferedFile(const UnbufferedFile&) = delete;
    UnbufferedFile& operator=(const UnbufferedFile&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Write(const uint8_t* data, size_t size) override;
    bool Rewind() override;
    bool Read(uint8_t* data, size_t size) override;
    std::string LastError() const override { return error_; }

private:
    void Fail();
    HANDLE handle_;
    std::string error_;
};

// The system's text for an error code, without the trailing line end.
std::string SystemErrorText(DWORD error);

// A block of `size` bytes aligned to the page size, as unbuffered I/O
// needs; freed with FreeAligned.
uint8_t* AllocateAligned(size_t size);
void FreeAligned(uint8_t* block);

} // namespace tavil::modules
