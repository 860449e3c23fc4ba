#pragma once
// Reading the program's own pictures.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vp {

// The PNG picture at `path`, a null image when it cannot be read.
QImage readPngImage(const QString& path);

// The PNG picture in `png`, a null image when it is not one. The program's pictures (8 bits per
// channel, RGB or RGBA, not interlaced, no colour profile) are decoded here directly: Qt's image
// reader first reads the description of every installed image-format plugin, a fraction of a
// millisecond at start-up with a few plugins and more with many. Any other PNG goes to Qt's reader.
QImage pngImageFromData(const QByteArray& png);

} // namespace vp
