#pragma once
// Object names of controls: the stable ids by which tests and automation find them.

#include <QString>
#include <QWidget>

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

} // namespace vp
