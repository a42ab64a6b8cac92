// The storage test's file on a real drive: written through to the drive
// and read back past the system's cache, and deleted by the system when
// its handle closes, also when the program is ended from outside.
#pragma once

#include <windows.h>

#include <memory>
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

// The system's text for an error code, without the trailing line end.
std::string SystemErrorText(DWORD error);

struct AlignedFree {
    void operator()(uint8_t* block) const;
};
// A block aligned to the page size, as unbuffered I/O needs.
using AlignedBlock = std::unique_ptr<uint8_t, AlignedFree>;
// `size` bytes, or none when there is not enough memory.
AlignedBlock AllocateAligned(size_t size);

} // namespace tavil::modules
