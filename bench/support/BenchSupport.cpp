#include "support/BenchSupport.h"

#include <iostream>
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

void RatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        const std::string& name = run.run_name.function_name;
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
            median_[name] = run.GetAdjustedRealTime();
        else if (run.run_type == Run::RT_Iteration)
            single_[name] = run.GetAdjustedRealTime();
    }
}

double RatioReporter::realTime(const std::string& name) const
{
    if (auto it = median_.find(name); it != median_.end())
        return it->second;
    if (auto it = single_.find(name); it != single_.end())
        return it->second;
    return 0;
}

void RatioReporter::printRatio(const std::string& what, const std::string& ours, const std::string& base) const
{
    const double a = realTime(ours);
    const double b = realTime(base);
    if (a > 0 && b > 0)
        std::cout << what << ": " << ours << " / " << base << " = " << a / b << '\n';
}

} // namespace vp::bench
