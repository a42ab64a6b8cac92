// A file in the system's temporary directory, removed when it goes out of
// scope.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

class TempFile {
public:
    explicit TempFile(const std::string& bytes) {
        char name[] = "/tmp/tavil_test_XXXXXX";
        int fd = mkstemp(name);
        path_ = name;
        if (fd >= 0) {
            ssize_t written = write(fd, bytes.data(), bytes.size());
            (void)written;
            close(fd);
        }
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
