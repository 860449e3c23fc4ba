#pragma once
// The spinner beside a field: a whole-number position within minimum()..maximum(), moved by
// singleStep() per click of its arrows, without wrapping. It reports every positioning through
// positioned(), by a click or by the program, even to the position it already has, at once and on
// the caller's thread.
//
// One widget that draws its two arrow buttons itself (upper half up, lower half down) as the style
// draws tool buttons: a window shows a few dozen spinners, and two child buttons and a layout each
// made up a good part of the time the window takes to appear.

#include <QBasicTimer>
#include <QWidget>

namespace vp {

class SpinButton : public QWidget {
    Q_OBJECT

public:
    explicit SpinButton(QWidget* parent = nullptr);

    int value() const { return value_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int singleStep() const { return singleStep_; }

    // Positions the spinner (fitted into the range) and reports it.
    void setValue(int value);
    // A position outside the new range is moved to its nearer end, which is reported.
    void setRange(int minimum, int maximum);
    void setSingleStep(int step);
    // A new range and a position in it, reported once: no position in between is ever taken.
    void setRangeAndValue(int minimum, int maximum, int value);

    // One click of an arrow: a move by singleStep(), stopping at the end of the range. At the end
    // already, nothing moves and nothing is reported.
    void stepUp();
    void stepDown();

    QSize sizeHint() const override;

signals:
    void positioned();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The values are the directions of the arrows' steps.
    enum class Arrow { Down = -1, None = 0, Up = 1 };

    QRect arrowRect(Arrow arrow) const;
    Arrow arrowAt(QPoint position) const;
    void setHovered(Arrow arrow);
    void stepBy(int direction);
    void release();

    Arrow pressed_ = Arrow::None;
    bool pressedInside_ = false; // the pointer is still over the pressed arrow, which looks down
    Arrow hovered_ = Arrow::None;
    QBasicTimer repeat_;
    int value_ = 0;
    int minimum_ = 0;
    int maximum_ = 0;
    int singleStep_ = 1;
};

} // namespace vp
