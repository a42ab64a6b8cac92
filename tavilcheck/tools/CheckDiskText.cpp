#include "CheckDiskText.h"

#include <algorithm>

#include "framework/TextUtil.h"

namespace tavil {

const char kDefaultBootExecute[] = "autocheck autochk *";

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty())
        return text;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The "\??\C:" part of a scheduled entry, upper-cased, or empty when the
// entry is not a scheduled volume check of this program's form.
std::string ScheduledVolume(const std::string& entry) {
    const std::string prefix = "autocheck autochk ";
    if (fw::ToLower(entry.substr(0, prefix.size())) != prefix)
        return {};
    const size_t at = entry.find("\\??\\");
    return at == std::string::npos ? std::string() : fw::ToUpper(fw::TrimRight(entry.substr(at)));
}

} // namespace

std::string VolumeName(const std::string& root) {
    std::string name = root;
    while (!name.empty() && IsBlank(name.back()))
        name.pop_back();
    while (!name.empty() && (name.back() == '\\' || name.back() == ':'))
        name.pop_back();
    while (!name.empty() && IsBlank(name.back()))
        name.pop_back();
    return name + ":\\";
}

std::vector<std::string> ListedVolumes(const std::vector<DriveRoot>& drives, bool windowsElsewhere) {
    std::vector<std::string> names;
    for (const DriveRoot& drive : drives) {
        if (names.size() == kMaxVolumes)
            break;
        if ((windowsElsewhere && fw::Contains(fw::ToUpper(drive.root), "X")) || !drive.fixed)
            continue;
        names.push_back(VolumeName(drive.root));
    }
    return names;
}

std::string RewriteCheckerText(const std::string& text, const CheckerWords& words) {
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first]))
        ++first;
    std::string line = text.substr(first);
    line = ReplaceAll(line, "CHKDSK", "\"" + words.caption + "\"");
    line = ReplaceAll(line, "/F", "\"" + words.fixOption + "\"");
    line = ReplaceAll(line, "/R", "\"" + words.recoverOption + "\"");
    return ReplaceAll(line, words.volumeFrom, words.volumeTo);
}

std::string BootExecuteEntry(const std::string& volumePath, bool recover) {
    size_t first = 0;
    while (first < volumePath.size() && (volumePath[first] == '\\' || volumePath[first] == '.'))
        ++first;
    std::string volume = volumePath.substr(first);
    while (!volume.empty() && volume.back() == '\\')
        volume.pop_back();
    return std::string("autocheck autochk ") + (recover ? "/r" : "/p") + " \\??\\" + volume;
}

std::vector<std::string> ScheduleBootExecute(const std::vector<std::string>& existing, bool present,
                                             const std::string& entry) {
    std::vector<std::string> entries = existing;
    if (!present && entries.empty())
        entries.push_back(kDefaultBootExecute);
    const std::string volume = ScheduledVolume(entry);
    bool placed = false;
    std::vector<std::string> result;
    for (const std::string& e : entries) {
        if (!volume.empty() && ScheduledVolume(e) == volume) {
            if (!placed)
                result.push_back(entry); // an earlier check of this volume: replaced in its place
            placed = true;
        } else if (!e.empty()) {
            result.push_back(e);
        }
    }
    if (!placed)
        result.push_back(entry);
    return result;
}

std::vector<std::string> SplitMultiString(const std::string& data) {
    std::vector<std::string> strings;
    size_t at = 0;
    while (at < data.size()) {
        size_t end = data.find('\0', at);
        if (end == std::string::npos)
            end = data.size();
        if (end == at)
            break; // the empty string that ends the list
        strings.push_back(data.substr(at, end - at));
        at = end + 1;
    }
    return strings;
}

std::string JoinMultiString(const std::vector<std::string>& strings) {
    std::string data;
    for (const std::string& s : strings)
        data += s + '\0';
    return data + '\0';
}

int ToolsScrollStep(ScrollRequest request, int range, int position, int thumb) {
    if (range <= 0)
        return -position; // nothing to scroll: back to the top
    const int line = std::max(range / 20, 5), page = std::max(range / 10, 5);
    int step = 0;
    switch (request) {
    case ScrollRequest::LineUp:
        step = -line;
        break;
    case ScrollRequest::LineDown:
        step = line;
        break;
    case ScrollRequest::PageUp:
        step = -page;
        break;
    case ScrollRequest::PageDown:
        step = page;
        break;
    case ScrollRequest::Thumb:
        step = thumb - position;
        break;
    case ScrollRequest::Other:
        return 0;
    }
    return std::clamp(position + step, 0, range) - position;
}

} // namespace tavil
