#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

namespace vp::test {

fs::path nativePath(const std::string& path) { return fs::path(std::u8string(path.begin(), path.end())); }

std::string utf8Path(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

TempDir::TempDir()
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt)
        if (const fs::path candidate = fs::temp_directory_path() / ("vantapoint-test-" + std::to_string(rd())); fs::create_directory(candidate))
            path_ = utf8Path(candidate);
    if (path_.empty())
        throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Tests make files and folders read-only; give write access back so everything can go.
    for (auto it = fs::recursive_directory_iterator(nativePath(path_), ec); !ec && it != fs::recursive_directory_iterator(); ++it)
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(nativePath(path_), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(nativePath(path_), ec);
}

std::string TempDir::file(const std::string& name) const { return utf8Path(nativePath(path_) / nativePath(name)); }

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    std::ifstream in(nativePath(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(nativePath(path), std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace vp::test
