#include "editor/UpDown.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace vp {

UpDown::UpDown(QWidget* parent)
    : QWidget(parent)
    , up_(new QToolButton(this))
    , down_(new QToolButton(this))
{
    // Taking the focus on a click lets the field the user typed into commit before the step.
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (auto [button, arrow, name] : {std::tuple{up_, Qt::UpArrow, "up"}, std::tuple{down_, Qt::DownArrow, "down"}}) {
        button->setObjectName(QString::fromLatin1(name));
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setFixedWidth(16);
        layout->addWidget(button);
        connect(button, &QToolButton::pressed, this, [this] { setFocus(Qt::MouseFocusReason); });
    }
    up_->setAccessibleName(QStringLiteral("Up"));
    down_->setAccessibleName(QStringLiteral("Down"));
    connect(up_, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(down_, &QToolButton::clicked, this, &UpDown::stepDown);
}

QSize UpDown::sizeHint() const
{
    return {16, 22};
}

void UpDown::setValue(int value)
{
    value_ = std::clamp(value, min_, max_);
    emit Change();
}

void UpDown::setRange(int min, int max)
{
    min_ = min;
    max_ = std::max(min, max);
    if (value_ < min_ || value_ > max_)
        setValue(value_);
}

void UpDown::setRangeAndValue(int min, int max, int value)
{
    min_ = min;
    max_ = std::max(min, max);
    setValue(value);
}

void UpDown::setIncrement(int increment)
{
    increment_ = std::max(1, increment);
}

void UpDown::stepUp()
{
    stepBy(+1);
}

void UpDown::stepDown()
{
    stepBy(-1);
}

void UpDown::stepBy(int direction)
{
    const long long target = static_cast<long long>(value_) + static_cast<long long>(direction) * increment_;
    const int next = static_cast<int>(std::clamp<long long>(target, min_, max_));
    if (next != value_)
        setValue(next);
}

void UpDown::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up)
        stepUp();
    else if (event->key() == Qt::Key_Down)
        stepDown();
    else
        QWidget::keyPressEvent(event);
}

} // namespace vp
