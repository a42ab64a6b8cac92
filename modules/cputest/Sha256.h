// SHA-256 (FIPS 180-4), for the processor test's hash computation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tavil::modules {

// The digest of `size` bytes at `data`, as 64 lower-case hex digits.
std::string Sha256Hex(const uint8_t* data, size_t size);

} // namespace tavil::modules
