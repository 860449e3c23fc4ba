#pragma once
// What the benchmarks share: a desktop that asks nobody and a folder of their own; QtBenchMain.cpp
// is the main() of those that build windows.

#include "seams/Desktop.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace vp::bench {

// Answers every box with OK and every file dialog with `file` (a cancel while it is empty).
class ScriptedDesktop final : public Desktop {
public:
    std::string file;
    BoxAnswer messageBox(const MessageBoxSpec&) override { return BoxAnswer::Ok; }
    std::optional<std::string> fileDialog(const FileDialogSpec&) override
    {
        return file.empty() ? std::nullopt : std::optional<std::string>(file);
    }
    void beep() override {}
    void openDocument(const std::string&) override {}
    ScreenSize screenSize() override { return {1920, 1080}; }
};

// A fresh folder under the temporary folder, removed with its contents at the end.
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& prefix = "vantapoint-bench-");
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The console output, and the real time of each benchmark kept for the ratios (the median when
// the run is repeated).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;

    // The real time of the named benchmark; 0 when it did not run or failed.
    double realTime(const std::string& name) const;
    // "what: ours / base = ratio", when both ran.
    void printRatio(const std::string& what, const std::string& ours, const std::string& base) const;

private:
    std::map<std::string, double> median_;
    std::map<std::string, double> single_;
};

} // namespace vp::bench
