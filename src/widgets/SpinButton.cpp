#include "widgets/SpinButton.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace vp {

SpinButton::SpinButton(QWidget* parent)
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
    connect(up_, &QToolButton::clicked, this, &SpinButton::stepUp);
    connect(down_, &QToolButton::clicked, this, &SpinButton::stepDown);
}

QSize SpinButton::sizeHint() const
{
    return {16, 22};
}

void SpinButton::setValue(int value)
{
    value_ = std::clamp(value, minimum_, maximum_);
    emit positioned();
}

void SpinButton::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    if (value_ < minimum_ || value_ > maximum_)
        setValue(value_);
}

void SpinButton::setRangeAndValue(int minimum, int maximum, int value)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    setValue(value);
}

void SpinButton::setSingleStep(int step)
{
    singleStep_ = std::max(1, step);
}

void SpinButton::stepUp()
{
    stepBy(+1);
}

void SpinButton::stepDown()
{
    stepBy(-1);
}

void SpinButton::stepBy(int direction)
{
    const long long target = static_cast<long long>(value_) + static_cast<long long>(direction) * singleStep_;
    const int next = static_cast<int>(std::clamp<long long>(target, minimum_, maximum_));
    if (next != value_)
        setValue(next);
}

void SpinButton::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up)
        stepUp();
    else if (event->key() == Qt::Key_Down)
        stepDown();
    else
        QWidget::keyPressEvent(event);
}

} // namespace vp
