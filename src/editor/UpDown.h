#pragma once
// The spinner beside a field: a whole-number position within Min..Max, moved by Increment per
// click of its arrows, without wrapping. It reports every positioning through Change, by a click
// or by the program, even to the position it already has, at once and on the caller's thread.

#include <QWidget>

class QToolButton;

namespace vp {

class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

    int Value() const { return value_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Increment() const { return increment_; }

    // Positions the spinner (fitted into Min..Max) and reports it.
    void setValue(int value);
    // A position outside the new range is moved to its nearer end, which is reported.
    void setRange(int min, int max);
    void setIncrement(int increment);
    // A new range and a position in it, reported once: no position in between is ever taken.
    void setRangeAndValue(int min, int max, int value);

    // One click of an arrow: a move by Increment, stopping at the end of the range. At the end
    // already, nothing moves and nothing is reported.
    void stepUp();
    void stepDown();

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    QSize sizeHint() const override;

signals:
    void Change();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void stepBy(int direction);

    QToolButton* up_;
    QToolButton* down_;
    int value_ = 0;
    int min_ = 0;
    int max_ = 0;
    int increment_ = 1;
};

} // namespace vp
