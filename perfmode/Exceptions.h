// The failures of perfmode.  Each level that catches one shows its own
// message, releases what it holds and throws it on; the outermost handler
// ends the program without another message.
#pragma once

#include <cstdint>

// Where an error came from: `kind`, and the system or registry error
// number in `code` (0 when the call gives none).
class mns_co_Exception {
public:
    enum Kind : int32_t { kGeneral = 0, kMemory = 1, kSystem = 2, kRegistry = 5 };

    mns_co_Exception(int32_t kind, int32_t code) : kind(kind), code(code) {}
    virtual ~mns_co_Exception() = default;

    int32_t kind;
    int32_t code;
};

// A library cannot be loaded, its registered path is empty, an export is
// missing (0, 0), or a registry value that must exist is missing (5, the
// registry error).
class mns_co_BadEnvironment : public mns_co_Exception {
public:
    mns_co_BadEnvironment(int32_t kind = kGeneral, int32_t code = 0) : mns_co_Exception(kind, code) {}
};

// A system call failed: (2, its error number) where it gives one, else (0, 0).
class mns_co_InternalException : public mns_co_Exception {
public:
    mns_co_InternalException(int32_t kind = kGeneral, int32_t code = 0) : mns_co_Exception(kind, code) {}
};

// An allocation failed.
class mns_co_MemoryException : public mns_co_Exception {
public:
    mns_co_MemoryException() : mns_co_Exception(kMemory, 0) {}
};
