// vantapoint-cam: the track camera files of Grand Prix Legends as text (see --help).

#include "cli/CamTool.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

// The arguments after the program name, paths as the program holds them (UTF-8).
std::vector<std::string> programArguments([[maybe_unused]] int argc, [[maybe_unused]] char* argv[])
{
    std::vector<std::string> args;
#ifdef _WIN32
    // argv is in the ANSI code page there, which cannot name every file: read the wide command line.
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) {
            const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
            std::string arg(size > 0 ? static_cast<std::size_t>(size - 1) : 0, '\0');
            if (size > 1)
                WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
            args.push_back(std::move(arg));
        }
        LocalFree(wide);
        return args;
    }
#endif
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return args;
}

} // namespace

int main(int argc, char* argv[])
{
    const int status = vp::cli::runCamTool(programArguments(argc, argv), std::cout, std::cerr);
    std::cout.flush();
    // Output that could not be written (a full disk, a closed pipe) is an error too.
    if (!std::cout)
        return vp::cli::kExitError;
    return status;
}
