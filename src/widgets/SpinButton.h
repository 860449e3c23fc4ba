#pragma once
// The spinner beside a field: a whole-number position within minimum()..maximum(), moved by
// singleStep() per click of its arrows, without wrapping. It reports every positioning through
// positioned(), by a click or by the program, even to the position it already has, at once and on
// the caller's thread.

#include <QWidget>

class QToolButton;

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

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    QSize sizeHint() const override;

signals:
    void positioned();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void stepBy(int direction);

    QToolButton* up_;
    QToolButton* down_;
    int value_ = 0;
    int minimum_ = 0;
    int maximum_ = 0;
    int singleStep_ = 1;
};

} // namespace vp
