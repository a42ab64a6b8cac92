// A temporary copy of the built installation folder, removed afterwards.
// Tests change its files to set up the case they check.
#pragma once

#include <string>

// perfmode's registry value naming its machine-utility library, as the
// installer writes it (`type` REG_SZ; other types for the failure cases);
// RemoveMachineUtilityPath deletes it.
void SetMachineUtilityPath(const std::string& path, unsigned long type = 1 /* REG_SZ */);
void RemoveMachineUtilityPath();

class Installation {
public:
    // Copies `source` (a folder path ending in a backslash) with its
    // sub-folders, leaving out the run logs and history of earlier runs.
    explicit Installation(const std::string& source);
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    // The folder, with one trailing backslash.
    const std::string& directory() const { return m_directory; }
    std::string Path(const std::string& name) const { return m_directory + name; }
    std::string Program() const { return Path("tavilcheck.exe"); }

    void Remove(const std::string& name) const;
    // Writes `text` as file `name`, scrambled when `scrambled`.
    void Write(const std::string& name, const std::string& text, bool scrambled) const;
    // Copies a file from outside into the folder.
    void CopyIn(const std::string& source, const std::string& name) const;

private:
    std::string m_directory;
};
