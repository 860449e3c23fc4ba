#include "widgets/FrameStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>

namespace vp {

namespace {

// The corners copied from a sample; the sample is one pixel more than two corners wide and high,
// its middle row and column being the frame's edges and inside.
constexpr int kCorner = 4;
constexpr int kSampleSize = 2 * kCorner + 1;
// Enough for the few palettes and states the framed widgets go through.
constexpr std::size_t kMostSamples = 16;

// Fusion's group frame: a rounded line of 20 % grey with a faint shade inside.
void drawGroupOutline(const QRect& rect, QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x75, 0x75, 0x75, 0x32));
    painter.setBrush(QColor(0, 0, 0, 0x03));
    painter.drawRoundedRect(QRectF(rect).adjusted(1.5, 1.5, -0.5, -0.5), 2, 2);
    painter.restore();
}

// The sample's corners, one fill per line of its edges, one for its inside.
void paintStretched(QPainter& painter, const QRect& target, const QImage& sample)
{
    constexpr int c = kCorner;
    constexpr int last = kSampleSize - 1;
    painter.drawImage(target.topLeft(), sample, QRect(0, 0, c, c));
    painter.drawImage(QPoint(target.right() - c + 1, target.top()), sample, QRect(kSampleSize - c, 0, c, c));
    painter.drawImage(QPoint(target.left(), target.bottom() - c + 1), sample, QRect(0, kSampleSize - c, c, c));
    painter.drawImage(QPoint(target.right() - c + 1, target.bottom() - c + 1), sample,
                      QRect(kSampleSize - c, kSampleSize - c, c, c));
    const int insideWidth = target.width() - 2 * c;
    const int insideHeight = target.height() - 2 * c;
    for (int i = 0; i < c; ++i) {
        painter.fillRect(QRect(target.left() + c, target.top() + i, insideWidth, 1), sample.pixelColor(c, i));
        painter.fillRect(QRect(target.left() + c, target.bottom() - i, insideWidth, 1), sample.pixelColor(c, last - i));
        painter.fillRect(QRect(target.left() + i, target.top() + c, 1, insideHeight), sample.pixelColor(i, c));
        painter.fillRect(QRect(target.right() - i, target.top() + c, 1, insideHeight), sample.pixelColor(last - i, c));
    }
    painter.fillRect(target.adjusted(c, c, -c, -c), sample.pixelColor(c, c));
}

} // namespace

FrameStyle* FrameStyle::shared()
{
    static QPointer<FrameStyle> style;
    if (style == nullptr) {
        style = new FrameStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

FrameStyle::FrameStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
    , isFusion_(baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
{
}

void FrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    if (isFusion_ && option != nullptr && painter != nullptr) {
        if (element == PE_FrameGroupBox) {
            drawGroupFrame(*option, *painter, widget);
            return;
        }
        const auto* tabFrame = qstyleoption_cast<const QStyleOptionTabWidgetFrame*>(option);
        const auto drawTabFrame = [&](const QRect& rect, QPainter& samplePainter) {
            QStyleOptionTabWidgetFrame sampleOption(*tabFrame);
            sampleOption.rect = rect;
            QProxyStyle::drawPrimitive(element, &sampleOption, &samplePainter, widget);
        };
        if (element == PE_FrameTabWidget && tabFrame != nullptr &&
            paintFromSample(element, *tabFrame, tabFrame->shape, *painter, drawTabFrame))
            return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FrameStyle::drawGroupFrame(const QStyleOption& option, QPainter& painter, const QWidget* widget) const
{
    // The frame starts below the title, 3 pixels of it below a title line.
    QStyleOption frame(option);
    frame.rect.setTop(frame.rect.top() + std::max(pixelMetric(PM_ExclusiveIndicatorHeight, &option, widget),
                                                  option.fontMetrics.height()) + 3);
    if (!paintFromSample(PE_FrameGroupBox, frame, 0, painter, drawGroupOutline))
        drawGroupOutline(frame.rect, painter);
}

template <typename Draw>
bool FrameStyle::paintFromSample(PrimitiveElement element, const QStyleOption& option, int shape,
                                 QPainter& painter, Draw draw) const
{
    // A sample stands for the frame only where its pixels are the frame's: unscaled, opaque, on the
    // window's own colour (what the framed widgets stand on), and larger than the sample.
    const QRect& target = option.rect;
    if (painter.deviceTransform().type() > QTransform::TxTranslate || painter.opacity() < 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver || target.width() < kSampleSize ||
        target.height() < kSampleSize)
        return false;

    const qint64 palette = option.palette.cacheKey();
    const int state = static_cast<int>(option.state);
    auto found = std::find_if(samples_.begin(), samples_.end(), [&](const Sample& sample) {
        return sample.element == element && sample.palette == palette && sample.state == state && sample.shape == shape;
    });
    if (found == samples_.end()) {
        if (samples_.size() >= kMostSamples)
            samples_.clear();
        QImage image(kSampleSize, kSampleSize, QImage::Format_RGB32);
        image.fill(option.palette.color(QPalette::Window));
        QPainter samplePainter(&image);
        draw(QRect(0, 0, kSampleSize, kSampleSize), samplePainter);
        samplePainter.end();
        found = samples_.insert(samples_.end(), Sample{element, palette, state, shape, image});
    }
    paintStretched(painter, target, found->image);
    return true;
}

} // namespace vp
