#pragma once
// Object names of controls, the stable ids by which tests and automation find them, and the
// members of control arrays.

#include <QString>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>

namespace vp {

// name_i, the object name of member i of a control array.
inline QString indexedName(const QString& name, int index)
{
    return name + QLatin1Char('_') + QString::number(index);
}

// The widget with its object name and tooltip set.
template <typename Widget>
Widget* named(Widget* widget, const QString& name, const QString& toolTip = {})
{
    widget->setObjectName(name);
    widget->setToolTip(toolTip);
    return widget;
}

// Member `index` of a control array. The windows ask only for members they have: another index is a
// fault of the caller, asserted, and held to the nearest member where assertions are off.
template <typename Control, std::size_t N>
Control* controlAt(const std::array<Control*, N>& controls, int index)
{
    assert(index >= 0 && index < static_cast<int>(N));
    return controls[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(N) - 1))];
}

} // namespace vp
