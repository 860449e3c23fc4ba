#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vp::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // UTF-8, as the program holds paths.
    const std::string& path() const { return path_; }
    // path() + separator + name
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

// Between the program's UTF-8 paths and the system's (std::filesystem's own narrow strings are the
// ANSI code page on Windows).
std::filesystem::path nativePath(const std::string& path);
std::string utf8Path(const std::filesystem::path& path);

std::vector<std::uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace vp::test
