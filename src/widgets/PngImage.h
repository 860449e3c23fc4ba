#pragma once
// Reading the program's own pictures.

#include <QImage>
#include <QString>

namespace vp {

// The PNG picture at `path` (a null image when it cannot be read), read as PNG by name: a reader
// left to find the format itself first loads every image-format plugin, a millisecond of the
// start-up, to ask which one reads it.
QImage readPngImage(const QString& path);

} // namespace vp
