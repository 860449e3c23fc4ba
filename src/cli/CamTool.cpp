#include "cli/CamTool.h"

#include "camdata/CamFile.h"
#include "camdata/CameraChecks.h"
#include "camdata/FileSystem.h"
#include "cli/CamCsv.h"
#include "cli/CamText.h"

#include <ostream>

namespace vp::cli {

namespace {

constexpr const char* kUsage =
    "usage: vantapoint-cam show [--raw] FILE.cam\n"
    "       vantapoint-cam diff A.cam B.cam\n"
    "       vantapoint-cam check FILE.cam\n"
    "       vantapoint-cam export FILE.cam > CAMS.csv\n"
    "       vantapoint-cam import CAMS.csv OUT.cam\n"
    "       vantapoint-cam --help\n";

constexpr const char* kHelp =
    "vantapoint-cam: the track camera files (*.cam) of Grand Prix Legends as text.\n"
    "\n"
    "  show [--raw] FILE.cam     the header, one line per camera of TV1 and TV2 with its values in\n"
    "                            metres and degrees as the editor shows them, and the pit-lane camera;\n"
    "                            --raw adds each value's 32 bits in hex\n"
    "  diff A.cam B.cam          every difference: values, cameras in one file only, header and count\n"
    "                            bytes; exit status 0 when the files are equal, 1 when they differ\n"
    "  check FILE.cam            cameras out of order or never on screen, values no field accepts,\n"
    "                            moving cameras with zoom 0, pit-lane values other than asked for;\n"
    "                            exit status 1 when there are findings\n"
    "  export FILE.cam           the file as CSV on standard output: one row per camera, values in\n"
    "                            metres and degrees, and their 32 bits in the raw column\n"
    "  import CAMS.csv OUT.cam   an export, edited or not, back into a CAM file: unedited values keep\n"
    "                            their bits, edited ones are checked and stored as the editor's fields\n"
    "                            do; nothing is written when a cell is refused\n"
    "\n"
    "Errors go to standard error, with exit status 2.\n";

// An export of 255 + 255 cameras is about 200 kB; anything far larger is not one.
constexpr std::size_t kMaxCsvSize = 16 * 1024 * 1024;

int usageError(std::ostream& err, const std::string& what)
{
    err << "vantapoint-cam: " << what << '\n' << kUsage;
    return kExitError;
}

int fileError(std::ostream& err, const std::string& path, const std::string& reason)
{
    err << "vantapoint-cam: " << path << ": " << reason << '\n';
    return kExitError;
}

std::string systemText(const SystemError& error)
{
    return error.description + " - " + std::to_string(error.number);
}

// A failure told as the editor tells it: its own sentence, or the system's description and number.
std::string camFileErrorText(const CamFileError& error)
{
    const std::string_view reason = camFileFailureReason(error.kind);
    return reason.empty() ? systemText({error.number, error.description}) : std::string(reason);
}

// The file read as the editor's Load reads it.
bool load(const std::string& path, CameraDocument& doc, std::ostream& err)
{
    const CamFileResult result = readCamFile(path, doc);
    if (result)
        fileError(err, path, camFileErrorText(*result));
    return !result;
}

int show(const std::vector<std::string>& files, bool raw, std::ostream& out, std::ostream& err)
{
    CameraDocument doc;
    if (!load(files[0], doc, err))
        return kExitError;
    out << showText(doc, raw);
    return kExitOk;
}

int diff(const std::vector<std::string>& files, std::ostream& out, std::ostream& err)
{
    CameraDocument a;
    CameraDocument b;
    if (!load(files[0], a, err) || !load(files[1], b, err))
        return kExitError;
    const std::vector<std::string> lines = differences(a, b, files[0], files[1]);
    for (const std::string& line : lines)
        out << line << '\n';
    return lines.empty() ? kExitOk : kExitFound;
}

int check(const std::vector<std::string>& files, std::ostream& out, std::ostream& err)
{
    CameraDocument doc;
    if (!load(files[0], doc, err))
        return kExitError;
    const std::vector<Finding> findings = checkDocument(doc);
    if (findings.empty())
        out << "No problems found.\n";
    for (const Finding& finding : findings)
        out << finding.text << '\n';
    return findings.empty() ? kExitOk : kExitFound;
}

int exportCsv(const std::vector<std::string>& files, std::ostream& out, std::ostream& err)
{
    CameraDocument doc;
    if (!load(files[0], doc, err))
        return kExitError;
    out << csvText(doc);
    return kExitOk;
}

int importCsv(const std::vector<std::string>& files, std::ostream& err)
{
    const std::string& csvPath = files[0];
    const ReadResult csv = readFilePrefix(csvPath, kMaxCsvSize + 1);
    if (csv.error)
        return fileError(err, csvPath, systemText(*csv.error));
    if (csv.bytes.size() > kMaxCsvSize)
        return fileError(err, csvPath, "larger than 16 MB, so no export of vantapoint-cam");
    CameraDocument doc;
    const std::string_view text(reinterpret_cast<const char*>(csv.bytes.data()), csv.bytes.size());
    if (const std::optional<CsvError> error = readCsv(text, doc)) {
        std::string where;
        if (error->line > 0)
            where = "line " + std::to_string(error->line);
        if (error->column > 0)
            where += ", column " + std::to_string(error->column);
        if (!error->heading.empty())
            where += " (" + error->heading + ")";
        return fileError(err, csvPath, where.empty() ? error->reason : where + ": " + error->reason);
    }
    if (const CamFileResult result = writeCamFile(files[1], doc))
        return fileError(err, files[1], camFileErrorText(*result));
    return kExitOk;
}

} // namespace

int runCamTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return usageError(err, "no command");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage << '\n' << kHelp;
        return kExitOk;
    }
    bool raw = false;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--raw" && command == "show")
            raw = true;
        else if (args[i].starts_with("--"))
            return usageError(err, "unknown option " + args[i]);
        else
            files.push_back(args[i]);
    }
    const auto wants = [&](std::size_t n) { return files.size() == n; };
    if (command == "show" && wants(1))
        return show(files, raw, out, err);
    if (command == "diff" && wants(2))
        return diff(files, out, err);
    if (command == "check" && wants(1))
        return check(files, out, err);
    if (command == "export" && wants(1))
        return exportCsv(files, out, err);
    if (command == "import" && wants(2))
        return importCsv(files, err);
    for (const char* known : {"show", "diff", "check", "export", "import"}) {
        if (command == known)
            return usageError(err, "wrong number of files for " + command);
    }
    return usageError(err, "unknown command " + command);
}

} // namespace vp::cli
