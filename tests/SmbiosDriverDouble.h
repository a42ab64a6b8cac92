// A DMI access driver made of an SMBIOS structure table given as bytes
// (the structures one after another, as the firmware lays them out and as
// Linux shows them in /sys/firmware/dmi/tables/DMI).  It answers the
// table-information request and the structure requests the way the
// driver does, and can be told to answer busy, fail a call or lie about
// the table.  Portable: native tests, the fuzzer and the Wine tests use it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tavilcheck/history/SmbiosWalk.h"

namespace tavil::test {

class SmbiosDriverDouble {
public:
    explicit SmbiosDriverDouble(std::vector<uint8_t> table) : m_table(std::move(table)) { Split(); }

    // Every structure request is first answered busy this many times.
    int busyAnswers = 0;
    // The call (counted from 0, the information request included) that fails.
    int failingCall = -1;
    // The call whose reply carries this status instead of success.
    int statusCall = -1;
    uint8_t status = 0;
    // Set: reported in place of the real count or largest structure size.
    int reportedCount = -1;
    int reportedLargest = -1;
    // Set: every structure reply names this next handle.
    int nextHandleOverride = -1;

    // The handles the structure requests asked for, in order.
    std::vector<uint16_t> askedHandles;
    int calls = 0;

    size_t structureCount() const { return m_starts.size(); }

    bool Answer(const uint8_t* request, size_t requestSize, uint8_t* reply, size_t replySize) {
        const int call = calls++;
        if (call == failingCall || requestSize < 4)
            return false;
        const uint16_t function = Word(request);
        if (function == kDmiTableInformation) {
            if (replySize < kDmiInformationSize)
                return false;
            size_t largest = 0;
            for (size_t i = 0; i < m_starts.size(); ++i)
                largest = std::max(largest, Size(i));
            reply[0] = call == statusCall ? status : kDmiStatusSuccess;
            reply[1] = 0x27;
            PutWord(reply + 2, reportedCount >= 0 ? reportedCount : static_cast<int>(m_starts.size()));
            PutWord(reply + 4, reportedLargest >= 0 ? reportedLargest : static_cast<int>(largest));
            PutWord(reply + 6, 0x0000);
            PutWord(reply + 8, 0x000F); // base 0x000F0000
            PutWord(reply + 10, static_cast<int>(m_table.size()));
            return true;
        }
        if (function != kDmiGetStructure || requestSize < 8 || replySize < 3)
            return false;
        const uint16_t handle = Word(request + 2);
        askedHandles.push_back(handle);
        if (m_busyLeft-- > 0) {
            reply[0] = kDmiStatusBusy;
            return true;
        }
        m_busyLeft = busyAnswers;
        size_t index = 0;
        while (index < m_starts.size() && handle != 0 && Word(&m_table[m_starts[index] + 2]) != handle)
            ++index;
        if (index == m_starts.size()) {
            reply[0] = 0x82; // no such structure
            return true;
        }
        reply[0] = call == statusCall ? status : kDmiStatusSuccess;
        const int next = nextHandleOverride >= 0       ? nextHandleOverride
                         : index + 1 < m_starts.size() ? Word(&m_table[m_starts[index + 1] + 2])
                                                       : kDmiLastHandle;
        PutWord(reply + 1, next);
        std::memcpy(reply + 3, &m_table[m_starts[index]], std::min(Size(index), replySize - 3));
        return true;
    }

    DmiExchange exchange() {
        m_busyLeft = busyAnswers;
        return [this](const uint8_t* request, size_t requestSize, uint8_t* reply, size_t replySize) {
            return Answer(request, requestSize, reply, replySize);
        };
    }

private:
    static uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
    static void PutWord(uint8_t* p, int value) {
        p[0] = static_cast<uint8_t>(value);
        p[1] = static_cast<uint8_t>(value >> 8);
    }
    size_t Size(size_t index) const {
        return (index + 1 < m_starts.size() ? m_starts[index + 1] : m_end) - m_starts[index];
    }
    // The structures: a formatted area of its stated length, then the
    // string set up to its double NUL.  Reading stops at the first one
    // that does not fit.
    void Split() {
        size_t at = 0;
        while (at + 4 <= m_table.size() && m_table[at + 1] >= 4 && at + m_table[at + 1] <= m_table.size()) {
            size_t end = at + m_table[at + 1];
            while (end + 1 < m_table.size() && !(m_table[end] == 0 && m_table[end + 1] == 0))
                ++end;
            if (end + 1 >= m_table.size())
                break;
            m_starts.push_back(at);
            at = end + 2;
            m_end = at;
        }
    }

    std::vector<uint8_t> m_table;
    std::vector<size_t> m_starts;
    size_t m_end = 0;
    int m_busyLeft = 0;
};

} // namespace tavil::test
