// An owned C stream: closed when it goes out of scope.
#pragma once

#include <cstdio>
#include <memory>

namespace fw {

struct StdFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using StdFile = std::unique_ptr<std::FILE, StdFileCloser>;

} // namespace fw
