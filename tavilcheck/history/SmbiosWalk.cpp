#include "SmbiosWalk.h"

#include <algorithm>
#include <vector>

namespace tavil {

namespace {

constexpr uint8_t kSystemInformationType = 1;
constexpr size_t kProductNameOffset = 5; // string number of the product name
constexpr size_t kReplyHeaderSize = 3;   // status, next handle

uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t DoubleWord(const uint8_t* p) { return uint32_t(Word(p)) | uint32_t(Word(p + 2)) << 16; }
void PutWord(uint8_t* p, uint16_t value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

// The product name of a type-1 structure of `size` readable bytes.
bool ProductName(const uint8_t* structure, size_t size, std::string& name) {
    if (size < 2 || structure[0] != kSystemInformationType || structure[1] <= kProductNameOffset || structure[1] > size)
        return false;
    if (!SmbiosStructureString(structure, size, structure[kProductNameOffset], name))
        return false;
    if (name.size() > kMaxModelNameLength)
        name.resize(kMaxModelNameLength);
    return true;
}

} // namespace

bool SmbiosStructureString(const uint8_t* structure, size_t size, uint8_t number, std::string& text) {
    if (size < 2 || structure[1] < 2 || structure[1] > size || number == 0)
        return false;
    const uint8_t* p = structure + structure[1];
    const uint8_t* end = structure + size;
    // The set is NUL-terminated strings ending with an empty one.
    for (uint8_t n = 1; p < end && *p != 0; ++n) {
        const uint8_t* start = p;
        p = std::find(p, end, uint8_t{0});
        if (p == end)
            return false; // cut off: not a string
        if (n == number) {
            text.assign(reinterpret_cast<const char*>(start), p - start);
            return true;
        }
        ++p;
    }
    return false;
}

std::string WalkForProductName(const DmiExchange& exchange) {
    uint8_t request[8] = {};
    PutWord(request, kDmiTableInformation);
    uint8_t information[kDmiInformationSize] = {};
    if (!exchange(request, 4, information, sizeof information) || information[0] != kDmiStatusSuccess)
        return {};
    const uint16_t structureCount = Word(information + 2);
    const uint16_t largestStructure = Word(information + 4);
    const uint32_t baseAddress = DoubleWord(information + 6);

    std::vector<uint8_t> reply(size_t{largestStructure} + kReplyHeaderSize);
    uint16_t handle = 0;
    std::string name;
    for (unsigned asked = 0; asked < structureCount; ++asked) {
        PutWord(request, kDmiGetStructure);
        PutWord(request + 2, handle);
        PutWord(request + 4, static_cast<uint16_t>(baseAddress / 16));
        PutWord(request + 6, 0);
        std::fill(reply.begin(), reply.end(), uint8_t{0});
        if (!exchange(request, sizeof request, reply.data(), reply.size()))
            return {};
        if (reply[0] == kDmiStatusBusy)
            continue; // the same handle once more
        if (reply[0] != kDmiStatusSuccess)
            return {};
        handle = Word(reply.data() + 1);
        std::string product;
        if (ProductName(reply.data() + kReplyHeaderSize, reply.size() - kReplyHeaderSize, product))
            name = product;
        if (handle == kDmiLastHandle)
            break;
    }
    return name;
}

} // namespace tavil
