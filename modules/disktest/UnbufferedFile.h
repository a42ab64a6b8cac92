// The storage test's file on a real drive: written through to the drive
// and read back past the system's cache, and deleted by the system when
// its handle closes, also when the program is ended from outside.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Handles.h"
#include "modules/disktest/StorageCheck.h"

namespace tavil::modules {

class UnbufferedFile : public BlockFile {
public:
    // Creates (or replaces) `path`.  `cached` opens it as an ordinary file,
    // for comparisons in the benchmark.
    explicit UnbufferedFile(const std::string& path, bool cached = false);
    UnbufferedFile(const UnbufferedFile&) = delete;
    UnbufferedFile& operator=(const UnbufferedFile&) = delete;

    bool IsOpen() const { return static_cast<bool>(handle_); }
    bool Write(const uint8_t* data, size_t size) override;
    bool Rewind() override;
    bool Read(uint8_t* data, size_t size) override;
    std::string LastError() const override { return error_; }

private:
    void Fail();
    fw::Handle handle_;
    std::string error_;
};

} // namespace tavil::modules
