#include "cli/CamCsv.h"

#include "camdata/NumberText.h"
#include "camdata/ValueEditing.h"
#include "camdata/ValueNames.h"
#include "cli/ValueColumns.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace vp::cli {

namespace {

constexpr std::string_view kMarker = "vantapoint-cam";
constexpr std::string_view kHeadingMarker = "set";
constexpr std::string_view kPitName = "pit lane";
// Cells before the values (set, camera), and the raw column after the 14 values.
constexpr std::size_t kFirstValueCell = 2;
constexpr std::size_t kRawCell = kFirstValueCell + kTvValueCount;

// The degrees that the editor's field turns back into exactly these radians, when there are such.
// They lie within two single-precision steps of the nearest degrees.
std::string degreesText(float radians)
{
    const double exact = radians * 180.0 / kPi;
    if (!std::isfinite(exact))
        return formatShortest(radians);
    // Beyond the float range in degrees no field could ever have stored it.
    if (std::fabs(exact) > std::numeric_limits<float>::max())
        return formatDouble(exact, '.');
    const float nearest = static_cast<float>(exact);
    for (int step : {0, 1, -1, 2, -2}) {
        float degrees = nearest;
        for (int i = 0; i < std::abs(step); ++i)
            degrees = std::nextafter(degrees, step > 0 ? HUGE_VALF : -HUGE_VALF);
        if (ValueSlot::fromFloat(degreesToRadians(degrees)) == ValueSlot::fromFloat(radians))
            return formatShortest(degrees);
    }
    return formatShortest(nearest);
}

std::string cellText(const ValueColumn& column, ValueSlot slot)
{
    if (column.row->kind == ValueKind::Mode)
        return shownText(column, slot);
    if (shownInDegrees(*column.row))
        return degreesText(slot.asFloat());
    return formatShortest(slot.asFloat());
}

template <std::size_t N>
void appendRow(std::string& out, std::string_view set, const std::string& camera,
               const std::vector<ValueColumn>& columns, const std::array<ValueSlot, N>& values)
{
    out.append(set).append(",").append(camera);
    for (const ValueColumn& column : columns)
        out.append(",").append(cellText(column, values[static_cast<std::size_t>(column.value - 1)]));
    out.append(N < kTvValueCount ? ",," : ",");
    for (std::size_t i = 0; i < N; ++i)
        out.append(i == 0 ? "" : " ").append(formatHex32(values[i].bits()));
    out += '\n';
}

void appendHeadings(std::string& out, const std::vector<ValueColumn>& columns)
{
    out.append(kHeadingMarker).append(",camera");
    for (const ValueColumn& column : columns)
        out.append(",").append(column.heading);
    out.append(columns.size() < kTvValueCount ? ",,raw\n" : ",raw\n");
}

// --- reading ---

struct CsvRow {
    int line = 0;
    std::vector<std::string> cells;
};

// A cell's text as messages quote it.
std::string quoted(std::string_view text)
{
    std::string out(1, '"');
    out.append(text).append(1, '"');
    return out;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameWord(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// Rows of cells as RFC 4180 has them: quoted cells may hold ',', line breaks and doubled quotes.
// Lines end in "\n", "\r\n" or "\r"; a UTF-8 byte order mark at the start is skipped.
std::optional<CsvError> splitRows(std::string_view text, std::vector<CsvRow>& rows)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    int line = 1;
    CsvRow row{line, {std::string()}};
    bool quoted = false;
    int quoteLine = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                row.cells.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
                    ++line;
                row.cells.back() += c;
            }
        } else if (c == '"' && trimmed(row.cells.back()).empty()) {
            row.cells.back().clear();
            quoted = true;
            quoteLine = line;
        } else if (c == ',') {
            row.cells.emplace_back();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            rows.push_back(std::move(row));
            row = CsvRow{++line, {std::string()}};
        } else {
            row.cells.back() += c;
        }
    }
    if (quoted)
        return CsvError{quoteLine, 0, {}, "a quoted cell is not closed"};
    if (row.cells.size() > 1 || !row.cells.front().empty())
        rows.push_back(std::move(row));
    return std::nullopt;
}

std::optional<std::uint8_t> hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<std::uint8_t>(c - 'a' + 10);
    return std::nullopt;
}

// Blank-separated words of hex digits, each with an optional "0x" and exactly `digits` digits.
template <typename Word>
bool parseWords(std::string_view text, std::size_t digits, std::vector<Word>& words)
{
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i == text.size())
            return true;
        if (text.substr(i, 2) == "0x" || text.substr(i, 2) == "0X")
            i += 2;
        Word word = 0;
        for (std::size_t d = 0; d < digits; ++d, ++i) {
            const std::optional<std::uint8_t> digit = i < text.size() ? hexDigit(text[i]) : std::nullopt;
            if (!digit)
                return false;
            word = static_cast<Word>((word << 4) | *digit);
        }
        if (i < text.size() && !isBlank(text[i]))
            return false;
        words.push_back(word);
    }
}

template <std::size_t N>
bool parseBytes(std::string_view text, std::array<std::uint8_t, N>& bytes)
{
    std::vector<std::uint8_t> words;
    if (!parseWords(text, 2, words) || words.size() != N)
        return false;
    std::copy(words.begin(), words.end(), bytes.begin());
    return true;
}

// The same entry as the text written for the bits: the same word, or the same single-precision number.
bool sameEntry(std::string_view cell, const std::string& written)
{
    if (sameWord(cell, written))
        return true;
    const std::optional<double> a = parseNumber(cell, '.');
    const std::optional<double> b = parseNumber(written, '.');
    const std::optional<float> fa = a ? toSingle(*a) : std::nullopt;
    const std::optional<float> fb = b ? toSingle(*b) : std::nullopt;
    return fa && fb && *fa == *fb;
}

std::optional<bool> modeEntry(std::string_view cell)
{
    if (sameWord(cell, "fixed") || cell == "1")
        return true;
    if (sameWord(cell, "moving") || cell == "0")
        return false;
    return std::nullopt;
}

class RowReader {
public:
    explicit RowReader(const CsvRow& row) : row_(row) {}

    CsvError error(std::size_t cell, std::string heading, std::string reason) const
    {
        return {row_.line, static_cast<int>(cell + 1), std::move(heading), std::move(reason)};
    }

    // The raw bits of the row, or all zero without them.
    template <std::size_t N>
    std::optional<CsvError> readBase(std::array<ValueSlot, N>& values) const
    {
        values = {};
        const std::string_view raw = kRawCell < row_.cells.size() ? trimmed(row_.cells[kRawCell]) : std::string_view();
        if (raw.empty())
            return std::nullopt;
        std::vector<std::uint32_t> words;
        if (!parseWords(raw, 8, words) || words.size() != N)
            return error(kRawCell, "raw", quoted(raw) + " is not " + std::to_string(N) +
                                              " 32-bit patterns (0x3F800000)");
        for (std::size_t i = 0; i < N; ++i)
            values[i].setBits(words[i]);
        return std::nullopt;
    }

    // The value cells over the base bits; `commit` stores an edited number as the field would.
    template <typename Commit>
    std::optional<CsvError> readValues(const std::vector<ValueColumn>& columns, std::span<ValueSlot> values,
                                       const Commit& commit) const
    {
        const std::size_t needed = kFirstValueCell + columns.size();
        if (row_.cells.size() < needed)
            return error(row_.cells.size(), {}, "the row ends here; it needs " + std::to_string(columns.size()) + " values");
        for (const ValueColumn& column : columns) {
            const std::size_t cell = kFirstValueCell + static_cast<std::size_t>(column.value - 1);
            const std::string_view text = trimmed(row_.cells[cell]);
            ValueSlot& slot = values[static_cast<std::size_t>(column.value - 1)];
            if (column.row->kind == ValueKind::Mode) {
                const std::optional<bool> fixed = modeEntry(text);
                if (!fixed)
                    return error(cell, column.heading, quoted(text) + " is refused: write fixed or moving");
                if (*fixed != (slot.asFloat() != 0.0F))
                    slot.setInt(*fixed ? 1 : 0);
                continue;
            }
            if (sameEntry(text, cellText(column, slot)))
                continue;
            if (!column.row->editable)
                return error(cell, column.heading, quoted(text) + " is refused: this value is carried unchanged and cannot be edited");
            if (!commit(column.value - 1, parseNumber(text, '.')))
                return error(cell, column.heading, quoted(text) + " is refused: " + std::string(column.row->fieldHint));
        }
        return std::nullopt;
    }

private:
    const CsvRow& row_;
};

struct FirstLine {
    CameraDocument::Header header{};
    std::array<CameraSet::CountField, 2> counts{};
};

std::optional<CsvError> readFirstLine(const CsvRow& row, FirstLine& first)
{
    const RowReader reader(row);
    const auto cell = [&row](std::size_t i) { return i < row.cells.size() ? trimmed(row.cells[i]) : std::string_view(); };
    if (!parseBytes(cell(2), first.header))
        return reader.error(2, "header", quoted(cell(2)) + " is not 12 bytes in hex (4D 41 43 54 ...)");
    for (std::size_t s = 0; s < 2; ++s) {
        const std::size_t i = 4 + 2 * s;
        if (!parseBytes(cell(i), first.counts[s]))
            return reader.error(i, s == 0 ? "TV1 count" : "TV2 count",
                                quoted(cell(i)) + " is not 4 bytes in hex (01 00 00 00)");
    }
    return std::nullopt;
}

} // namespace

std::string csvText(const CameraDocument& doc)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(doc.tv1.count() + doc.tv2.count() + 4) * 320);
    out.append(kMarker).append(",header,").append(hexBytes(doc.header));
    out.append(",TV1 count,").append(hexBytes(doc.tv1.countField()));
    out.append(",TV2 count,").append(hexBytes(doc.tv2.countField())).append("\n");
    appendHeadings(out, tvColumns());
    for (CamSet s : {CamSet::TV1, CamSet::TV2}) {
        const CameraSet& set = doc.set(s);
        for (int k = 1; k <= set.count(); ++k)
            appendRow(out, setName(s), std::to_string(k), tvColumns(), set.camera(k).values);
    }
    appendHeadings(out, pitColumns());
    appendRow(out, kPitName, {}, pitColumns(), doc.pit.values);
    return out;
}

std::optional<CsvError> readCsv(std::string_view text, CameraDocument& doc)
{
    std::vector<CsvRow> rows;
    if (std::optional<CsvError> error = splitRows(text, rows))
        return error;

    CameraDocument read;
    std::optional<FirstLine> first;
    bool pitRead = false;
    for (const CsvRow& row : rows) {
        const RowReader reader(row);
        const std::string_view set = trimmed(row.cells.front());
        if (sameWord(set, kMarker)) {
            if (first)
                return reader.error(0, {}, "a second vantapoint-cam line");
            first.emplace();
            if (std::optional<CsvError> error = readFirstLine(row, *first))
                return error;
        } else if (sameWord(set, kHeadingMarker) ||
                   std::all_of(row.cells.begin(), row.cells.end(), [](const std::string& c) { return trimmed(c).empty(); })) {
            continue;
        } else if (sameWord(set, "TV1") || sameWord(set, "TV2")) {
            const CamSet which = sameWord(set, "TV1") ? CamSet::TV1 : CamSet::TV2;
            CameraSet& cameras = read.set(which);
            if (cameras.count() == kMaxCamerasPerSet)
                return reader.error(0, "set", std::string("more than 255 ") + setName(which) + " cameras");
            const int k = cameras.count() + 1;
            cameras.setCount(k);
            std::array<ValueSlot, kTvValueCount>& values = cameras.camera(k).values;
            std::optional<CsvError> error = reader.readBase(values);
            if (!error)
                error = reader.readValues(tvColumns(), values, [&](int field, std::optional<double> typed) {
                    return commitTvValue(cameras, k, field, typed, false);
                });
            if (error)
                return error;
        } else if (sameWord(set, kPitName)) {
            if (pitRead)
                return reader.error(0, "set", "a second pit lane row");
            pitRead = true;
            std::optional<CsvError> error = reader.readBase(read.pit.values);
            if (!error && row.cells.size() > kRawCell - 1 && !trimmed(row.cells[kRawCell - 1]).empty())
                error = reader.error(kRawCell - 1, {}, "the pit-lane camera has 13 values; this cell stays empty");
            if (!error)
                error = reader.readValues(pitColumns(), read.pit.values, [&](int field, std::optional<double> typed) {
                    // The editor puts the field's spinner to the committed value, and that step stores
                    // the spinner's value: metres on 0.001 m, angles on whole degrees.
                    const PitCommit commit = commitPitValue(read.pit, field, typed);
                    if (commit.echo)
                        stepPitValue(read.pit, field, *commit.echo);
                    return commit.accepted;
                });
            if (error)
                return error;
        } else {
            return reader.error(0, "set", quoted(set) + " is not TV1, TV2 or pit lane");
        }
    }
    if (!first)
        return CsvError{0, 0, {}, "no vantapoint-cam line with the header bytes; is this an export of vantapoint-cam?"};
    if (!pitRead)
        return CsvError{0, 0, {}, "no pit lane row"};

    read.header = first->header;
    bool countsChanged = false;
    for (CamSet s : {CamSet::TV1, CamSet::TV2}) {
        CameraSet& set = read.set(s);
        const int count = set.count();
        const CameraSet::CountField& given = first->counts[s == CamSet::TV1 ? 0 : 1];
        countsChanged = countsChanged || given[0] != count;
        set.countField() = given;
        set.setCount(count);
    }
    if (countsChanged)
        updateHeaderLength(read);
    doc = read;
    return std::nullopt;
}

} // namespace vp::cli
