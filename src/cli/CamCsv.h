#pragma once
// A camera document as CSV that a spreadsheet opens, and back into a document.
//
//   vantapoint-cam,header,4D 41 43 54 00 00 00 00 AC 00 00 00,TV1 count,01 00 00 00,TV2 count,01 00 00 00
//   set,camera,#1 distance [m],#2 offset [m],...,#14 unknown [deg],raw
//   TV1,1,1200.5,-12,...,0,0x44961000 0x... (14 patterns)
//   TV2,1,...
//   set,camera,#1 x [m],...,#13 unknown,,raw
//   pit lane,,12.5,...,0,,0x... (13 patterns)
//
// Cells are separated by ',', numbers use '.', and the values are in the units the editor shows:
// metres, degrees and plain factors, the mode as "fixed" or "moving". Each number is the shortest
// text that the editor's field turns back into the same 32 bits, where one exists (a few radian
// values are the image of no single-precision degree value); it reads back as the same float in
// any case. The last column, raw, holds the 32 bits themselves, as "0x" words that a spreadsheet
// keeps as text. The first line carries the file's header and the count bytes.
//
// Reading back:
// - the first line's bytes become the header and bytes 1 to 3 of each count; byte 0 is the number
//   of rows of the set. When that differs from the count on the first line, the header's length is
//   computed anew, as after inserting or removing cameras in the editor;
// - rows whose first cell is "set" (headings) and empty rows are skipped; the rows of a set are its
//   cameras in the order of the rows (the camera column is for people and is not read); exactly
//   one "pit lane" row; cells after the raw column are not read, so notes may follow it;
// - a value cell that reads as the same single-precision number as the text written for the row's
//   raw bits (or the same word: NaN, Infinity, the mode) keeps those bits exactly, whatever the
//   spreadsheet did to the text. Any other cell is an edit: it is stored as the editor's field stores
//   a typed number (range checks, degrees to radians, the pit lane's rounding to its spinner's step;
//   an edited distance does not move the change-over point). The mode takes "fixed" or "moving" (or
//   1 or 0) and is stored as the integer 1 or 0. Values that no field edits (the unknown ones, the
//   pit lane's #8 and #9) refuse edits. A row without raw bits starts from all bits zero.

#include "camdata/CameraDocument.h"

#include <optional>
#include <string>
#include <string_view>

namespace vp::cli {

std::string csvText(const CameraDocument& doc);

struct CsvError {
    int line = 0;         // 0: about the whole file
    int column = 0;       // 0: about the whole line
    std::string heading;  // the column's heading, when it has one
    std::string reason;
};

// Reads text into doc, all or nothing.
std::optional<CsvError> readCsv(std::string_view text, CameraDocument& doc);

} // namespace vp::cli
