#include "widgets/PngImage.h"

#include <QImageReader>

namespace vp {

QImage readPngImage(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace vp
