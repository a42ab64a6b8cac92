// The text rules of Check Hard Disk and the Tools page: volume names, the
// rewriting of the disk checker's output, the boot-time check entry and
// its merge into the Session Manager's BootExecute list, and the Tools
// page's scroll steps.  Portable: no Windows header.
#pragma once

#include <string>
#include <vector>

namespace tavil {

constexpr size_t kMaxVolumes = 10; // the volume table's room

// The list name of a drive root: trailing white space, backslashes, colons
// and again white space removed, then ":\" ("C:\" gives "C:\").
std::string VolumeName(const std::string& root);

// A drive root as the system lists it, and whether it is a fixed drive.
struct DriveRoot {
    std::string root; // "C:\"
    bool fixed = false;
};
// The volume table: the names of the fixed drives in the system's order,
// at most kMaxVolumes; with `windowsElsewhere` a root containing "X" (any
// case) is left out.
std::vector<std::string> ListedVolumes(const std::vector<DriveRoot>& drives, bool windowsElsewhere);

// The words the checker's output is rewritten with.
struct CheckerWords {
    std::string caption;       // "Check Hard Disk"
    std::string fixOption;     // "Fixes errors on the disk."
    std::string recoverOption; // "Locates bad sectors and recovers readable information."
    std::string volumeFrom;    // string 158
    std::string volumeTo;      // string 157
};

// A line of checker output as the dialog shows it: leading white space
// removed, then every "CHKDSK", "/F" and "/R" replaced by the quoted
// caption and option texts, and every `volumeFrom` by `volumeTo`.
std::string RewriteCheckerText(const std::string& text, const CheckerWords& words);

// The entry that checks `volumePath` ("\\.\C:\") at the next start:
// "autocheck autochk /r \??\C:" when `recover`, else with "/p".
std::string BootExecuteEntry(const std::string& volumePath, bool recover);

// The system's own boot-time check, on every Windows installation.
extern const char kDefaultBootExecute[]; // "autocheck autochk *"

// BootExecute with `entry` scheduled: the other entries kept in their
// order, an earlier check of the same volume replaced by it (in its
// place), otherwise added at the end.  A missing value (`existing` empty
// and `present` false) gives the default entry and `entry`.
std::vector<std::string> ScheduleBootExecute(const std::vector<std::string>& existing, bool present,
                                             const std::string& entry);

// REG_MULTI_SZ data: strings each with its NUL, then an empty string.
std::vector<std::string> SplitMultiString(const std::string& data);
std::string JoinMultiString(const std::vector<std::string>& strings);

// The Tools page's scroll rules.  `range` is content height minus client
// height, `position` the present scroll position; the request is a line
// or a page up or down, or a thumb moved to `thumb`.  The result is the
// step to take (negative: up), keeping the position within 0..range.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Thumb, Other };
int ToolsScrollStep(ScrollRequest request, int range, int position, int thumb);

} // namespace tavil
