#pragma once
// A camera document as text for people: the whole file as tables, and the differences between two.

#include "camdata/CameraDocument.h"

#include <string>
#include <string_view>
#include <vector>

namespace vp::cli {

// The header bytes, then for each set a line with its count and one line per camera with the values
// as the editor shows them ('.' as the separator) in aligned columns under a heading line, then the
// pit-lane camera. With `raw`, every camera line is followed by a line with each value's 32 bits.
std::string showText(const CameraDocument& doc, bool raw);

// One line per difference, in file order: the header bytes, a set's count bytes, a value of a camera
// both hold ("TV1 camera 2 #1 distance [m]: 100 -> 150", with the bits when the shown texts are
// equal), each camera only one holds, a value of the pit-lane camera. Empty when the documents hold
// the same bytes.
std::vector<std::string> differences(const CameraDocument& a, const CameraDocument& b, std::string_view nameA,
                                     std::string_view nameB);

} // namespace vp::cli
