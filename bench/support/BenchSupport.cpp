#include "support/BenchSupport.h"

#include <random>

namespace vp::bench {

ProgramFolder::ProgramFolder(const std::string& prefix)
    : path_(std::filesystem::temp_directory_path() / (prefix + std::to_string(std::random_device{}())))
{
    std::filesystem::create_directories(path_);
}

ProgramFolder::~ProgramFolder()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

} // namespace vp::bench
