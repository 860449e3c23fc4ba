// The frames painted from samples: the tab frame exactly as the style paints it at full size, the
// group frame with the pixels of the style's rounded frame.

#include "support/QtTestApp.h"
#include "widgets/FrameStyle.h"

#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include <gtest/gtest.h>

namespace vp {
namespace {

QImage paintTabFrame(const QStyle& style, QSize size, QTabBar::Shape shape)
{
    QStyleOptionTabWidgetFrame option;
    option.rect = QRect(QPoint(0, 0), size);
    option.palette = QApplication::palette();
    option.state = QStyle::State_Enabled;
    option.shape = shape;
    QImage image(size + QSize(4, 4), QImage::Format_RGB32);
    image.fill(option.palette.color(QPalette::Window));
    QPainter painter(&image);
    painter.translate(2, 2);
    style.drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter);
    return image;
}

TEST(FrameStyleTest, TabFramesAreTheStylesOwnAtEverySize)
{
    test::testApp();
    ASSERT_EQ(QApplication::style()->name(), QStringLiteral("fusion"));
    for (QSize size : {QSize(9, 9), QSize(10, 31), QSize(300, 120)})
        for (QTabBar::Shape shape : {QTabBar::RoundedNorth, QTabBar::RoundedSouth})
            EXPECT_EQ(paintTabFrame(*FrameStyle::shared(), size, shape), paintTabFrame(*QApplication::style(), size, shape))
                << size.width() << "x" << size.height() << " shape " << shape;
}

TEST(FrameStyleTest, GroupFramesHaveRoundedCornersAFaintLineAndAFaintShade)
{
    test::testApp();
    QGroupBox box(QStringLiteral("Lap"));
    box.setStyle(FrameStyle::shared());
    box.resize(120, 60);
    const QImage image = box.grab().toImage();
    const auto grey = [&](int x, int y) { return qRed(image.pixel(x, y)); };
    const int window = grey(0, image.height() - 1);
    ASSERT_EQ(window, 0xef);

    // The frame's lines, found in a column right of the title and in the row midway.
    int top = 0;
    while (top < image.height() && grey(100, top) == window)
        ++top;
    int bottom = image.height() - 1;
    while (bottom > top && grey(100, bottom) == window)
        --bottom;
    const int middle = (top + bottom) / 2;
    int left = 0;
    while (left < image.width() && grey(left, middle) == window)
        ++left;
    int right = image.width() - 1;
    while (right > left && grey(right, middle) == window)
        --right;
    ASSERT_GT(bottom - top, 20);
    ASSERT_GT(right - left, 100);

    const struct {
        int x, y, grey;
    } pixels[] = {
        // the lines and the shade inside
        {60, top, 0xd6}, {60, bottom, 0xd6}, {left, middle, 0xd6}, {right, middle, 0xd6}, {60, middle, 0xec},
        // the corners, clockwise from the top left
        {left, top, 0xef}, {left + 1, top, 0xe2}, {left + 2, top, 0xd7}, {left, top + 1, 0xe2}, {left + 1, top + 1, 0xdb},
        {left, top + 2, 0xd7}, {right, top, 0xef}, {right - 1, top, 0xe2}, {right - 2, top, 0xd7},
        {right, top + 1, 0xe1}, {right - 1, top + 1, 0xdb}, {right, top + 2, 0xd7}, {right, bottom, 0xef},
        {right - 1, bottom, 0xe2}, {right - 2, bottom, 0xd7}, {right, bottom - 1, 0xe2}, {right - 1, bottom - 1, 0xdb},
        {right, bottom - 2, 0xd7}, {left, bottom, 0xef}, {left + 1, bottom, 0xe1}, {left + 2, bottom, 0xd7},
        {left, bottom - 1, 0xe2}, {left + 1, bottom - 1, 0xdb}, {left, bottom - 2, 0xd7},
    };
    for (const auto& pixel : pixels)
        EXPECT_EQ(grey(pixel.x, pixel.y), pixel.grey) << pixel.x - left << "," << pixel.y - top;
}

} // namespace
} // namespace vp
