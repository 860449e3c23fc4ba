#include "widgets/GroupFrameStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace vp {

GroupFrameStyle* GroupFrameStyle::shared()
{
    static QPointer<GroupFrameStyle> style;
    if (style == nullptr) {
        style = new GroupFrameStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

GroupFrameStyle::GroupFrameStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    , paintsFrames_(baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
{
}

void GroupFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const
{
    if (element != PE_FrameGroupBox || !paintsFrames_) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Fusion's frame starts below the title (3 pixels of it below a title line) and is a rounded
    // line of 20 % grey with a faint shade inside.
    const int top = std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height()) + 3;
    const QRectF frame = QRectF(option->rect.adjusted(0, top, 0, 0)).adjusted(1.5, 1.5, -0.5, -0.5);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QColor(0x75, 0x75, 0x75, 0x32));
    painter->setBrush(QColor(0, 0, 0, 0x03));
    painter->drawRoundedRect(frame, 2, 2);
    painter->restore();
}

} // namespace vp
