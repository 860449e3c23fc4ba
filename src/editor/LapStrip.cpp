#include "editor/LapStrip.h"

#include "camdata/NumberText.h"
#include "widgets/TextConversions.h"

#include <QFocusEvent>
#include <QPixmap>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

namespace vp {

namespace {

// Rows from the top: TV1's markers above its band, the two bands, TV2's markers below its band,
// the ruler. The sets' names stand in a gutter on the left.
constexpr int kTop = 2;
constexpr int kMarkerRow = 11;
constexpr int kBarHeight = 17;
constexpr int kBandGap = 4;
constexpr int kRulerHeight = 15;
constexpr int kHeight = kTop + 2 * (kMarkerRow + kBarHeight) + kBandGap + kRulerHeight + 2;
constexpr int kGutter = 38;
constexpr int kRightMargin = 12;
constexpr int kTickReach = 3;        // how far a change-over tick reaches out of its band
constexpr double kMarkerSize = 7.0;
constexpr double kCurrentMarkerSize = 9.0;
constexpr double kPickDistance = 5.0;  // pixels: a click this close to a marker chooses its camera
constexpr int kRulerLabelWidth = 48;   // pixels per ruler label at least
constexpr int kFontPixels = 10;

// Two alternating fills per set, so that neighbouring stretches stand apart: blues for TV1, greens for TV2.
const QColor kStretchFill[2][2] = {{QColor(0xd3, 0xe2, 0xf4), QColor(0xa9, 0xc6, 0xea)},
                                   {QColor(0xd6, 0xec, 0xd2), QColor(0xad, 0xd8, 0xa6)}};
const QColor kEmptyBand(0xee, 0xee, 0xee);
const QColor kInk(0x2e, 0x3b, 0x4a);
const QColor kTick(0x2e, 0x3b, 0x4a, 0xb0);
const QColor kFlagged(0xd9, 0x48, 0x0f);

std::size_t setIndex(CamSet set)
{
    return set == CamSet::TV1 ? 0 : 1;
}

QString setName(CamSet set)
{
    return QLatin1String(camSetName(set));
}

QString metresText(double metres)
{
    return toQString(formatGeneral(roundHalfEven(metres, 3), 7, decimalSeparator())) + QStringLiteral(" m");
}

// The step between the ruler's labels: the smallest of the usual ones that leaves each label its room.
int rulerStep(double length, int width)
{
    static constexpr int kSteps[] = {100, 200, 250, 500, 1000, 2000, 2500, 5000, 10000, 20000};
    const double labels = std::max(1, width / kRulerLabelWidth);
    for (int step : kSteps) {
        if (length / step <= labels)
            return step;
    }
    return kSteps[std::size(kSteps) - 1];
}

QFont smallFont(QFont font)
{
    font.setPixelSize(kFontPixels);
    return font;
}

} // namespace

// Where one set is drawn.
struct LapStrip::Band {
    QRect bar;         // the stretches
    double markerY;    // the markers' centre line
    int tickTop;
    int tickBottom;
    QRect name;        // the set's name in the gutter
    int hitTop;        // clicks between these rows belong to the set
    int hitBottom;
    bool markersAbove;
};

LapStrip::LapStrip(const CameraDocument& document, QWidget* parent)
    : QWidget(parent)
    , document_(document)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(kHeight);
    // Every pixel is painted: nothing to erase first, nothing to flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Lap"));
    refresh();
}

QSize LapStrip::sizeHint() const
{
    return {600, kHeight};
}

QSize LapStrip::minimumSizeHint() const
{
    return {kGutter + kRightMargin + 100, kHeight};
}

void LapStrip::refresh()
{
    lap_ = lapGeometry(document_);
    updateDescription();
    update();
}

void LapStrip::setCurrentCamera(CamSet set, int camera)
{
    int& current = current_[setIndex(set)];
    if (current == camera)
        return;
    current = camera;
    updateDescription();
    update();
}

void LapStrip::setActiveSet(CamSet set)
{
    if (activeSet_ == set)
        return;
    activeSet_ = set;
    updateDescription();
    update();
}

void LapStrip::setFindings(const std::vector<Finding>& findings)
{
    FindingCounts counts{};
    for (const Finding& finding : findings) {
        if (finding.place == CheckedPlace::PitLane || finding.camera < 1 || finding.camera > kCameraStorage)
            continue;
        ++counts[finding.place == CheckedPlace::TV1 ? 0 : 1][static_cast<std::size_t>(finding.camera)];
    }
    if (counts == findingCounts_)
        return;
    findingCounts_ = counts;
    updateDescription();
    update();
}

int LapStrip::findingsOf(CamSet set, int camera) const
{
    if (camera < 1 || camera > kCameraStorage)
        return 0;
    return findingCounts_[setIndex(set)][static_cast<std::size_t>(camera)];
}

LapStrip::Band LapStrip::band(CamSet set) const
{
    const int width = this->width() - kGutter - kRightMargin;
    if (set == CamSet::TV1) {
        const int barTop = kTop + kMarkerRow;
        return {QRect(kGutter, barTop, width, kBarHeight), kTop + kMarkerRow / 2.0, barTop - kTickReach,
                barTop + kBarHeight, QRect(0, barTop, kGutter - 8, kBarHeight), 0, barTop + kBarHeight + kBandGap / 2,
                true};
    }
    const int barTop = kTop + kMarkerRow + kBarHeight + kBandGap;
    return {QRect(kGutter, barTop, width, kBarHeight), barTop + kBarHeight + kMarkerRow / 2.0, barTop,
            barTop + kBarHeight + kTickReach, QRect(0, barTop, kGutter - 8, kBarHeight), barTop - kBandGap / 2,
            barTop + kBarHeight + kMarkerRow, false};
}

double LapStrip::xOf(double metres) const
{
    const int width = this->width() - kGutter - kRightMargin;
    return kGutter + metres / lap_.length * width;
}

double LapStrip::metresAt(double x) const
{
    const int width = std::max(1, this->width() - kGutter - kRightMargin);
    return (x - kGutter) / width * lap_.length;
}

void LapStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setFont(smallFont(font()));
    paintBand(painter, CamSet::TV1);
    paintBand(painter, CamSet::TV2);
    paintRuler(painter);
}

void LapStrip::paintBand(QPainter& painter, CamSet set) const
{
    const Band b = band(set);
    const LapSet& lapSet = lap_.set(set);
    const std::size_t which = setIndex(set);
    const int current = current_[which];
    const bool active = set == activeSet_;

    // The other set's name is dimmed rather than the shown one's bold: a bold face would be the
    // window's only one, loaded and rasterised for two words at start-up.
    painter.setPen(palette().color(active ? QPalette::WindowText : QPalette::PlaceholderText));
    painter.drawText(b.name, Qt::AlignRight | Qt::AlignVCenter, setName(set));
    if (active && hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(b.name, Qt::AlignRight | Qt::AlignVCenter, setName(set)).adjusted(-3, -1, 3, 1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }

    painter.fillRect(b.bar, kEmptyBand);
    if (lapSet.cameras.empty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(b.bar, Qt::AlignCenter, QStringLiteral("no cameras"));
    }

    // The stretches, each with its camera's number where the number fits.
    const QFontMetrics metrics(painter.font());
    const int digitWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const QColor highlight = palette().color(QPalette::Highlight);
    for (std::size_t i = 0; i < lapSet.stretches.size(); ++i) {
        const LapStretch& stretch = lapSet.stretches[i];
        const int left = static_cast<int>(std::lround(xOf(stretch.from)));
        const int right = static_cast<int>(std::lround(xOf(stretch.to)));
        const bool isCurrent = stretch.camera == current;
        const QRect area(left, b.bar.top(), right - left, b.bar.height());
        painter.fillRect(area, isCurrent ? highlight : kStretchFill[which][i % 2]);
        const int digits = stretch.camera < 10 ? 1 : stretch.camera < 100 ? 2 : 3;
        if (area.width() < digits * digitWidth + 4)
            continue;
        const bool flagged = findingsOf(set, stretch.camera) > 0;
        painter.setPen(isCurrent ? palette().color(QPalette::HighlightedText) : flagged ? kFlagged : kInk);
        painter.drawText(area, Qt::AlignCenter, QString::number(stretch.camera));
    }

    // Change-over ticks.
    QVarLengthArray<QLineF, kCameraStorage> ticks;
    for (const LapCamera& camera : lapSet.cameras) {
        if (camera.changeOver) {
            const double x = std::floor(xOf(*camera.changeOver)) + 0.5;
            ticks.append(QLineF(x, b.tickTop, x, b.tickBottom));
        }
    }
    painter.setPen(QPen(kTick, 1));
    painter.drawLines(ticks.data(), static_cast<int>(ticks.size()));
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(b.bar.adjusted(0, 0, -1, -1));

    // Markers: squares for fixed cameras, rings for moving ones, cameras with findings in the
    // warning colour; the current camera larger, in the highlight colour unless it has findings,
    // drawn last so that it is on top.
    const auto paintMarker = [&](const LapCamera& camera, const QColor& ink, double size) {
        const QPointF corner(std::round(xOf(*camera.distance) - size / 2), std::round(b.markerY - size / 2));
        painter.drawPixmap(corner, markerSprite(camera.fixed, ink, size));
    };
    const LapCamera* currentCamera = nullptr;
    for (const LapCamera& camera : lapSet.cameras) {
        if (!camera.distance)
            continue;
        if (camera.number == current)
            currentCamera = &camera;
        else
            paintMarker(camera, findingsOf(set, camera.number) > 0 ? kFlagged : kInk, kMarkerSize);
    }
    if (currentCamera != nullptr)
        paintMarker(*currentCamera, findingsOf(set, current) > 0 ? kFlagged : highlight, kCurrentMarkerSize);
}

const QPixmap& LapStrip::markerSprite(bool fixed, const QColor& ink, double size) const
{
    // Hundreds of markers are drawn as copies of a few pictures, which is many times faster than
    // drawing each shape smoothed.
    const quint64 key = (static_cast<quint64>(ink.rgba()) << 8) | (fixed ? 1U : 0U) | (size > kMarkerSize ? 2U : 0U);
    auto found = sprites_.find(key);
    if (found != sprites_.end())
        return *found;
    const qreal ratio = devicePixelRatioF();
    const int pixels = static_cast<int>(std::ceil(size * ratio));
    QPixmap sprite(pixels, pixels);
    sprite.setDevicePixelRatio(ratio);
    sprite.fill(Qt::transparent);
    QPainter painter(&sprite);
    painter.setRenderHint(QPainter::Antialiasing);
    if (fixed) {
        painter.fillRect(QRectF(0, 0, size, size), ink);
    } else {
        painter.setPen(QPen(ink, 1.5));
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawEllipse(QRectF(0.75, 0.75, size - 1.5, size - 1.5));
    }
    painter.end();
    return *sprites_.insert(key, sprite);
}

void LapStrip::paintRuler(QPainter& painter) const
{
    const Band tv2 = band(CamSet::TV2);
    const int top = tv2.bar.bottom() + 1 + kMarkerRow;
    const QColor ink = palette().color(QPalette::WindowText);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(kGutter, top, tv2.bar.right(), top);
    painter.setPen(ink);
    painter.drawText(QRect(0, top, kGutter - 8, kRulerHeight), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("[m]"));

    const int step = rulerStep(lap_.length, tv2.bar.width());
    const QFontMetrics metrics(painter.font());
    for (int k = 0; k * static_cast<double>(step) <= lap_.length; ++k) {
        const int metres = k * step;
        const int x = static_cast<int>(std::lround(xOf(metres)));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(x, top, x, top + kTickReach);
        const QString label = QString::number(metres);
        const int width = metrics.horizontalAdvance(label);
        // Centred under its tick, but never beyond the strip's right edge.
        const int left = std::min(x - width / 2, this->width() - 2 - width);
        painter.setPen(ink);
        painter.drawText(QRect(left, top + kTickReach, width, kRulerHeight - kTickReach), Qt::AlignCenter, label);
    }
}

std::pair<CamSet, int> LapStrip::cameraAtPoint(QPoint point) const
{
    for (CamSet set : {CamSet::TV1, CamSet::TV2}) {
        const Band b = band(set);
        if (point.y() < b.hitTop || point.y() >= b.hitBottom)
            continue;
        if (point.x() < kGutter - kPickDistance || point.x() > b.bar.right() + kPickDistance)
            return {set, 0};
        const LapSet& lapSet = lap_.set(set);
        const bool inMarkers = b.markersAbove ? point.y() < b.bar.top() : point.y() > b.bar.bottom();
        if (inMarkers) {
            // The nearest marker within reach; the current camera wins a tie.
            int nearest = 0;
            double nearestDistance = kPickDistance;
            for (const LapCamera& camera : lapSet.cameras) {
                if (!camera.distance)
                    continue;
                const double away = std::abs(xOf(*camera.distance) - point.x());
                if (away < nearestDistance || (away == nearestDistance && camera.number == current_[setIndex(set)])) {
                    nearest = camera.number;
                    nearestDistance = away;
                }
            }
            if (nearest != 0)
                return {set, nearest};
        }
        return {set, cameraAt(lapSet, metresAt(point.x()))};
    }
    return {activeSet_, 0};
}

QString LapStrip::cameraText(CamSet set, int camera, const QString& separator) const
{
    const CameraSet& cameras = document_.set(set);
    const LapSet& lapSet = lap_.set(set);
    if (camera < 1 || camera > cameras.count() || camera > static_cast<int>(lapSet.cameras.size()))
        return QStringLiteral("%1 has no cameras").arg(setName(set));
    const TvCameraRecord& record = cameras.camera(camera);
    const LapCamera& shown = lapSet.cameras[static_cast<std::size_t>(camera - 1)];

    QStringList parts;
    parts << QStringLiteral("%1 camera %2 of %3, %4")
                 .arg(setName(set))
                 .arg(camera)
                 .arg(cameras.count())
                 .arg(shown.fixed ? QStringLiteral("fixed") : QStringLiteral("moving"));
    const double distance = record.value(1).asFloat();
    const double changeOver = distance + record.value(4).asFloat();
    parts << (std::isfinite(distance) ? QStringLiteral("Distance %1").arg(metresText(distance))
                                      : QStringLiteral("Distance is not a number"));
    parts << (std::isfinite(changeOver) ? QStringLiteral("Change-over position %1").arg(metresText(changeOver))
                                        : QStringLiteral("Change-over position is not a number"));
    QStringList covered;
    for (const LapStretch& stretch : lapSet.stretches) {
        if (stretch.camera != camera)
            continue;
        // The lap's end is where the file's cameras end, not a place on the track: the picture runs
        // on to the s/f-line.
        const QString to = stretch.to >= lap_.length ? QStringLiteral("the s/f-line") : metresText(stretch.to);
        covered << QStringLiteral("%1 to %2").arg(metresText(stretch.from), to);
    }
    parts << (covered.isEmpty() ? QStringLiteral("Never gets the picture")
                                : QStringLiteral("Covers %1").arg(covered.join(QStringLiteral(" and "))));
    if (const int findings = findingsOf(set, camera); findings > 0)
        parts << (findings == 1 ? QStringLiteral("1 finding on the Checks tab")
                                : QStringLiteral("%1 findings on the Checks tab").arg(findings));
    return parts.join(separator);
}

void LapStrip::updateDescription()
{
    const int current = current_[setIndex(activeSet_)];
    // Setting the description notifies assistive tools of the change.
    setAccessibleDescription(cameraText(activeSet_, current, QStringLiteral(". ")) + QLatin1Char('.'));
}

void LapStrip::choose(CamSet set, int camera)
{
    setActiveSet(set);
    if (camera >= 1 && camera <= document_.set(set).count())
        emit cameraChosen(set, camera);
}

bool LapStrip::event(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        sprites_.clear();
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const auto [set, camera] = cameraAtPoint(help->pos());
        if (camera == 0)
            return QWidget::event(event);  // the strip's own tooltip
        QToolTip::showText(help->globalPos(), cameraText(set, camera, QStringLiteral("\n")), this);
        return true;
    }
    return QWidget::event(event);
}

void LapStrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const auto [set, camera] = cameraAtPoint(event->position().toPoint());
    choose(set, camera);
}

void LapStrip::keyPressEvent(QKeyEvent* event)
{
    const int count = document_.set(activeSet_).count();
    const int current = current_[setIndex(activeSet_)];
    switch (event->key()) {
    case Qt::Key_Left:
        choose(activeSet_, std::max(1, current - 1));
        break;
    case Qt::Key_Right:
        choose(activeSet_, std::min(count, current + 1));
        break;
    case Qt::Key_Home:
        choose(activeSet_, 1);
        break;
    case Qt::Key_End:
        choose(activeSet_, count);
        break;
    case Qt::Key_Up:
        choose(CamSet::TV1, current_[setIndex(CamSet::TV1)]);
        break;
    case Qt::Key_Down:
        choose(CamSet::TV2, current_[setIndex(CamSet::TV2)]);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void LapStrip::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void LapStrip::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace vp
