#include "modules/hddscan/SurfaceScan.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "modules/common/ModuleResults.h"

namespace tavil::modules {

namespace {

// `text` as a whole decimal number with an optional sign.
bool ParseNumber(const std::string& text, int64_t& value) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])))
        return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size())
        return false;
    value = parsed;
    return true;
}

// True when `argument` starts with `option` in any case; `value` is the rest.
bool IsOption(const std::string& argument, const char* option, std::string& value) {
    const size_t length = std::char_traits<char>::length(option);
    if (argument.size() < length)
        return false;
    for (size_t i = 0; i < length; ++i)
        if (std::toupper(static_cast<unsigned char>(argument[i])) != option[i])
            return false;
    value = argument.substr(length);
    return true;
}

double Megabytes(int64_t sectors, uint32_t sectorSize) {
    return static_cast<double>(sectors) * sectorSize / (1024.0 * 1024.0);
}

std::string RangeText(const SectorRange& range) {
    return range.end - range.first == 1 ? std::to_string(range.first)
                                        : std::to_string(range.first) + "-" + std::to_string(range.end - 1);
}

// Adds an unreadable sector, joining it to the run it follows.
void AddUnreadable(ScanOutcome& outcome, int64_t sector) {
    ++outcome.unreadableCount;
    if (!outcome.unreadable.empty() && outcome.unreadable.back().end == sector)
        ++outcome.unreadable.back().end;
    else
        outcome.unreadable.push_back({sector, sector + 1});
}

uint64_t BytesRead(const ScanOutcome& outcome) {
    return static_cast<uint64_t>(outcome.sectorsRead) * outcome.sectorSize;
}

// Reads one block; a block that fails is read again sector by sector, so
// that the unreadable ones are named.  When the device refuses,
// `refusedAt` is the sector it refused.
ReadResult ReadBlock(SectorDevice& device, int64_t first, uint32_t count, uint8_t* buffer, ScanOutcome& outcome,
                     int64_t& refusedAt) {
    const ReadResult block = device.Read(first, count, buffer);
    if (block == ReadResult::Read)
        outcome.sectorsRead += count;
    if (block != ReadResult::Unreadable)
        return block;
    for (int64_t single = first; single < first + count; ++single) {
        const ReadResult one = device.Read(single, 1, buffer);
        if (one == ReadResult::Refused) {
            refusedAt = single;
            return one;
        }
        if (one == ReadResult::Read) {
            ++outcome.sectorsRead;
            continue;
        }
        AddUnreadable(outcome, single);
        if (outcome.unreadableCount >= kMaxUnreadableSectors) {
            outcome.gaveUp = true;
            break;
        }
    }
    return ReadResult::Unreadable;
}

} // namespace

ScanArguments ParseScanArguments(const std::vector<std::string>& arguments) {
    ScanArguments parsed;
    bool rangeOpen = false;
    auto fail = [&](const std::string& why) {
        parsed.error = why;
        return parsed;
    };
    for (const std::string& argument : arguments) {
        std::string value;
        int64_t number = 0;
        if (IsOption(argument, "-D", value)) {
            if (!ParseNumber(value, number) || number < 0 || number > 99)
                return fail("the drive option " + argument + " does not name a drive number");
            if (parsed.drive >= 0 && parsed.drive != number)
                return fail("two different drives are named (-D" + std::to_string(parsed.drive) + " and " + argument +
                            ")");
            parsed.drive = static_cast<int>(number);
        } else if (IsOption(argument, "-RL", value)) {
            if (rangeOpen)
                return fail("the range starting at -RL" + std::to_string(parsed.ranges.back().first) +
                            " has no end (-RH)");
            if (!ParseNumber(value, number))
                return fail("the range start " + argument + " is not a number");
            parsed.ranges.push_back({number, 0});
            rangeOpen = true;
        } else if (IsOption(argument, "-RH", value)) {
            if (!rangeOpen)
                return fail("the range end " + argument + " has no start (-RL) before it");
            if (!ParseNumber(value, number))
                return fail("the range end " + argument + " is not a number");
            parsed.ranges.back().end = number;
            rangeOpen = false;
        } else if (!argument.empty() && argument[0] == '-') {
            return fail("the option " + argument + " is unknown");
        } else {
            if (!parsed.logDirectory.empty())
                return fail("more than one log directory is given (" + parsed.logDirectory + " and " + argument + ")");
            parsed.logDirectory = argument;
        }
    }
    if (rangeOpen)
        return fail("the range starting at -RL" + std::to_string(parsed.ranges.back().first) + " has no end (-RH)");
    if (parsed.drive < 0)
        return fail("no drive is named (-D<number>)");
    if (parsed.ranges.empty())
        return fail("no sector range is given (-RL<first> -RH<end>)");
    return parsed;
}

std::vector<SectorRange> PlanScan(const std::vector<SectorRange>& ranges, int64_t sectorCount) {
    std::vector<SectorRange> clipped;
    for (SectorRange range : ranges) {
        range.first = std::max<int64_t>(range.first, 0);
        range.end = std::min(range.end, sectorCount);
        if (range.first < range.end)
            clipped.push_back(range);
    }
    std::sort(clipped.begin(), clipped.end(),
              [](const SectorRange& a, const SectorRange& b) { return a.first < b.first; });
    std::vector<SectorRange> plan;
    for (const SectorRange& range : clipped) {
        if (!plan.empty() && range.first <= plan.back().end)
            plan.back().end = std::max(plan.back().end, range.end);
        else
            plan.push_back(range);
    }
    return plan;
}

ScanOutcome ScanSectors(SectorDevice& device, const std::vector<SectorRange>& plan, uint8_t* buffer,
                        const ProgressHooks& hooks) {
    ScanOutcome outcome;
    outcome.plan = plan;
    outcome.sectorSize = device.SectorSize();
    for (const SectorRange& range : plan)
        outcome.sectorsPlanned += range.end - range.first;
    if (outcome.sectorSize == 0 || outcome.sectorSize > kScanBlockBytes)
        return outcome; // nothing can be read in whole sectors
    const auto blockSectors = static_cast<int64_t>(kScanBlockBytes / outcome.sectorSize);
    const double start = hooks.clock();
    int64_t done = 0;  // sectors read or found unreadable
    int nextTenth = 1; // of the way, for the next progress line
    auto progress = [&] {
        outcome.seconds = hooks.clock() - start;
        while (nextTenth <= 10 && done * 10 >= outcome.sectorsPlanned * nextTenth) {
            char line[160];
            std::snprintf(line, sizeof line, "Read %.0f of %.0f MB (%d%%), %.1f MB/s\r\n",
                          Megabytes(done, outcome.sectorSize), Megabytes(outcome.sectorsPlanned, outcome.sectorSize),
                          nextTenth * 10, RateMBps(BytesRead(outcome), outcome.seconds));
            hooks.line(line);
            ++nextTenth;
        }
    };
    // Every block of the plan, until the end, Stop, the limit of unreadable
    // sectors or a device that refuses.
    auto readPlan = [&] {
        for (const SectorRange& range : plan) {
            for (int64_t sector = range.first; sector < range.end; sector += blockSectors) {
                if (hooks.stopRequested && hooks.stopRequested()) {
                    outcome.stopped = true;
                    return;
                }
                const auto count = static_cast<uint32_t>(std::min(blockSectors, range.end - sector));
                int64_t refusedAt = sector;
                if (ReadBlock(device, sector, count, buffer, outcome, refusedAt) == ReadResult::Refused) {
                    outcome.refusal = "sector " + std::to_string(refusedAt) + ": " + device.LastError();
                    return;
                }
                if (outcome.gaveUp)
                    return;
                done += count;
                progress();
            }
        }
    };
    readPlan();
    outcome.seconds = hooks.clock() - start;
    return outcome;
}

int ScanExitCode(const ScanOutcome& outcome) {
    if (outcome.unreadableCount > 0)
        return kResultIoError;
    if (outcome.stopped || outcome.sectorsPlanned == 0 || outcome.sectorsRead < outcome.sectorsPlanned)
        return kResultCouldNotTest;
    return kResultPassed;
}

std::string ScanSummary(const std::string& what, const ScanOutcome& outcome) {
    std::string summary = "Surface scan of " + what + "\r\n";
    std::string ranges;
    for (const SectorRange& range : outcome.plan)
        ranges += (ranges.empty() ? "" : ", ") + RangeText(range);
    summary += "Sectors to read: " + std::to_string(outcome.sectorsPlanned) + " of " +
               std::to_string(outcome.sectorSize) + " bytes (" + (ranges.empty() ? "none" : ranges) + ")\r\n";
    char line[160];
    std::snprintf(line, sizeof line, "Sectors read: %lld (%.0f MB in %.1f s, %.1f MB/s)\r\n",
                  static_cast<long long>(outcome.sectorsRead), Megabytes(outcome.sectorsRead, outcome.sectorSize),
                  outcome.seconds, RateMBps(BytesRead(outcome), outcome.seconds));
    summary += line;
    if (outcome.unreadableCount == 0) {
        summary += "Unreadable sectors: none\r\n";
    } else {
        summary += "Unreadable sectors: " + std::to_string(outcome.unreadableCount) + "\r\n";
        for (const SectorRange& run : outcome.unreadable)
            summary += "  " + RangeText(run) + "\r\n";
    }
    if (outcome.gaveUp)
        summary += "The scan stopped after " + std::to_string(kMaxUnreadableSectors) + " unreadable sectors.\r\n";
    if (outcome.stopped)
        summary += "The scan was stopped before its end.\r\n";
    if (!outcome.refusal.empty())
        summary += "The disk refused to be read at " + outcome.refusal + ".\r\n";
    switch (ScanExitCode(outcome)) {
    case kResultPassed:
        summary += "Result: every sector was read.\r\n";
        break;
    case kResultIoError:
        summary += "Result: the disk has unreadable sectors.\r\n";
        break;
    default:
        summary += "Result: the disk was not tested to its end.\r\n";
        break;
    }
    return summary;
}

} // namespace tavil::modules
