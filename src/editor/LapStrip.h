#pragma once
// The lap strip: both TV sets on two bands along the track, so that the whole lap is seen while one
// camera is edited. Each camera is a marker at its distance (a square for a fixed camera, a ring for
// a moving one), its change-over position a tick, and the stretch on which it has the picture a
// band segment with its number where the number fits. The current camera of each set is
// highlighted, cameras with findings are marked. A click or the arrow keys choose a camera; the
// main window makes it current. The geometry comes from camdata's lapGeometry; this widget only
// maps metres to pixels and paints.

#include "camdata/CameraChecks.h"
#include "camdata/CameraDocument.h"
#include "camdata/LapGeometry.h"

#include <QHash>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>
#include <utility>
#include <vector>

namespace vp {

class LapStrip : public QWidget {
    Q_OBJECT

public:
    explicit LapStrip(const CameraDocument& document, QWidget* parent = nullptr);

    // After any change of the document: works out the lap again and repaints.
    void refresh();
    // The camera each set shows; 0 while the set is empty.
    void setCurrentCamera(CamSet set, int camera);
    // The set the arrow keys move in and the accessible description tells of.
    void setActiveSet(CamSet set);
    CamSet activeSet() const { return activeSet_; }
    // Marks the cameras the findings name.
    void setFindings(const std::vector<Finding>& findings);

    const LapGeometry& lap() const { return lap_; }
    // The set and camera at a point of the widget; camera 0 where there is none.
    std::pair<CamSet, int> cameraAtPoint(QPoint point) const;
    // One line on a camera in the user's number format: "TV1 camera 3 of 20, fixed, at 21.8 m, ...".
    QString cameraText(CamSet set, int camera, const QString& separator = QStringLiteral(", ")) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user chose a camera by a click or a key.
    void cameraChosen(CamSet set, int camera);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Band;
    Band band(CamSet set) const;
    double xOf(double metres) const;
    double metresAt(double x) const;
    void paintBand(QPainter& painter, CamSet set) const;
    void paintRuler(QPainter& painter) const;
    // The picture of one marker, made once.
    const QPixmap& markerSprite(bool fixed, const QColor& ink, double size) const;
    void choose(CamSet set, int camera);
    void updateDescription();

    const CameraDocument& document_;
    LapGeometry lap_;
    std::array<int, 2> current_{};
    // How many findings name each camera, by set and camera number.
    using FindingCounts = std::array<std::array<int, kCameraStorage + 1>, 2>;
    int findingsOf(CamSet set, int camera) const;
    FindingCounts findingCounts_{};
    mutable QHash<quint64, QPixmap> sprites_;
    CamSet activeSet_ = CamSet::TV1;
};

} // namespace vp
