#pragma once
// The decimal separator of the user's regional settings, as the number texts take it.

#include <QLocale>
#include <QString>

namespace vp {

// A separator outside ASCII cannot appear in the texts the number rules write; those use '.'.
inline char DecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.front().unicode() < 0x80 ? static_cast<char>(point.front().unicode()) : '.';
}

inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace vp
