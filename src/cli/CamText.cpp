#include "cli/CamText.h"

#include "camdata/NumberText.h"
#include "cli/ValueColumns.h"

#include <algorithm>

namespace vp::cli {

namespace {

// Cells right-aligned in columns as wide as their widest cell, two blanks apart.
class Table {
public:
    explicit Table(std::size_t columns, std::size_t rows) : widths_(columns, 0) { cells_.reserve(columns * rows); }

    void add(std::string cell)
    {
        std::size_t& width = widths_[cells_.size() % widths_.size()];
        width = std::max(width, cell.size());
        cells_.push_back(std::move(cell));
    }

    void writeTo(std::string& out) const
    {
        std::size_t lineLength = 2 * widths_.size() - 1;
        for (std::size_t width : widths_)
            lineLength += width;
        out.reserve(out.size() + lineLength * (cells_.size() / widths_.size()));
        for (std::size_t i = 0; i < cells_.size(); ++i) {
            const std::size_t column = i % widths_.size();
            out.append(column == 0 ? 0 : 2, ' ');
            out.append(widths_[column] - cells_[i].size(), ' ');
            out += cells_[i];
            if (column + 1 == widths_.size())
                out += '\n';
        }
    }

private:
    std::vector<std::size_t> widths_;
    std::vector<std::string> cells_;  // row by row
};

template <std::size_t N>
void addValues(Table& table, const std::vector<ValueColumn>& columns, const std::array<ValueSlot, N>& values,
               std::string first, bool raw)
{
    table.add(std::move(first));
    for (const ValueColumn& column : columns)
        table.add(shownText(column, values[static_cast<std::size_t>(column.value - 1)]));
    if (!raw)
        return;
    table.add({});
    for (ValueSlot slot : values)
        table.add(formatHex32(slot.bits()));
}

void addHeadings(Table& table, const std::vector<ValueColumn>& columns, std::string first)
{
    table.add(std::move(first));
    for (const ValueColumn& column : columns)
        table.add(column.heading);
}

std::string cameraCount(int count)
{
    return std::to_string(count) + (count == 1 ? " camera" : " cameras");
}

std::string change(const std::string& a, const std::string& b)
{
    return a + " -> " + b;
}

// The line for one value that differs: the shown texts, and the bits when those are the same.
std::string valueChange(const std::string& where, const ValueColumn& column, ValueSlot a, ValueSlot b)
{
    const std::string shownA = shownText(column, a);
    const std::string shownB = shownText(column, b);
    std::string line = where + ' ' + column.heading + ": " + change(shownA, shownB);
    if (shownA == shownB)
        line += " (" + change(formatHex32(a.bits()), formatHex32(b.bits())) + ')';
    return line;
}

} // namespace

std::string showText(const CameraDocument& doc, bool raw)
{
    std::string out = "header " + hexBytes(doc.header) + " (length " + std::to_string(doc.headerLength()) + ")\n";
    for (CamSet s : {CamSet::TV1, CamSet::TV2}) {
        const CameraSet& set = doc.set(s);
        out += '\n';
        out += std::string(setName(s)) + ": " + cameraCount(set.count()) + " (count bytes " + hexBytes(set.countField()) + ")\n";
        if (set.count() == 0)
            continue;
        Table table(1 + kTvValueCount, (raw ? 2 : 1) * static_cast<std::size_t>(set.count()) + 1);
        addHeadings(table, tvColumns(), "cam");
        for (int k = 1; k <= set.count(); ++k)
            addValues(table, tvColumns(), set.camera(k).values, std::to_string(k), raw);
        table.writeTo(out);
    }
    out += "\npit lane\n";
    Table table(1 + kPitValueCount, 3);
    addHeadings(table, pitColumns(), {});
    addValues(table, pitColumns(), doc.pit.values, {}, raw);
    table.writeTo(out);
    return out;
}

std::vector<std::string> differences(const CameraDocument& a, const CameraDocument& b, std::string_view nameA,
                                     std::string_view nameB)
{
    std::vector<std::string> lines;
    if (a.header != b.header)
        lines.push_back("header: " + change(hexBytes(a.header), hexBytes(b.header)));
    for (CamSet s : {CamSet::TV1, CamSet::TV2}) {
        const CameraSet& setA = a.set(s);
        const CameraSet& setB = b.set(s);
        const std::string name = setName(s);
        if (setA.countField() != setB.countField())
            lines.push_back(name + " count bytes: " + change(hexBytes(setA.countField()), hexBytes(setB.countField())));
        const int common = std::min(setA.count(), setB.count());
        for (int k = 1; k <= common; ++k) {
            const TvCameraRecord& cameraA = setA.camera(k);
            const TvCameraRecord& cameraB = setB.camera(k);
            if (cameraA == cameraB)
                continue;
            const std::string where = name + " camera " + std::to_string(k);
            for (const ValueColumn& column : tvColumns()) {
                if (cameraA.value(column.value) != cameraB.value(column.value))
                    lines.push_back(valueChange(where, column, cameraA.value(column.value), cameraB.value(column.value)));
            }
        }
        for (int k = common + 1; k <= std::max(setA.count(), setB.count()); ++k)
            lines.push_back(name + " camera " + std::to_string(k) + ": only in " +
                            std::string(setA.count() > common ? nameA : nameB));
    }
    for (const ValueColumn& column : pitColumns()) {
        if (a.pit.value(column.value) != b.pit.value(column.value))
            lines.push_back(valueChange("pit lane", column, a.pit.value(column.value), b.pit.value(column.value)));
    }
    return lines;
}

} // namespace vp::cli
