#pragma once
// Text between Qt and the plain program: the user's decimal separator as the number texts take it,
// UTF-8 texts, and paths, which the program holds as UTF-8 (camdata/FileSystem.h). On Windows Qt's
// 8-bit file names (QFile::encodeName) are the ANSI code page, so paths go as UTF-8 there; elsewhere
// they take Qt's file name encoding, which keeps names the locale cannot decode.

#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>

#include <string>
#include <string_view>

namespace vp {

// A separator outside ASCII cannot appear in the texts the number rules write; those use '.'.
inline char decimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.front().unicode() < 0x80 ? static_cast<char>(point.front().unicode()) : '.';
}

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A path as the program holds it, for Qt and for the eye.
inline QString pathText(const std::string& path)
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
inline std::string pathBytes(const QString& text)
{
#ifdef Q_OS_WIN
    return text.toUtf8().toStdString();
#else
    return QFile::encodeName(text).toStdString();
#endif
}

} // namespace vp
