#pragma once
// Paths between Qt and the program, which holds them as UTF-8 (camdata/FileSystem.h). On Windows
// Qt's 8-bit file names (QFile::encodeName) are the ANSI code page, so the text goes as UTF-8
// there; elsewhere it is Qt's file name encoding, which keeps names the locale cannot decode.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>

namespace vp {

// A path as the program holds it, for Qt and for the eye.
inline QString PathText(const std::string& path)
{
    const QByteArray bytes = QByteArray::fromStdString(path);
#ifdef Q_OS_WIN
    // Bytes that are not UTF-8 come from older configuration files, written in the ANSI code page.
    return bytes.isValidUtf8() ? QString::fromUtf8(bytes) : QString::fromLocal8Bit(bytes);
#else
    return QFile::decodeName(bytes);
#endif
}

// A path from Qt as the program holds it.
inline std::string PathBytes(const QString& text)
{
#ifdef Q_OS_WIN
    return text.toUtf8().toStdString();
#else
    return QFile::encodeName(text).toStdString();
#endif
}

} // namespace vp
