#include "widgets/SpinButton.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionToolButton>

#include <algorithm>

namespace vp {

namespace {

// The delays of a held button of the toolkit's own: the first repeat after 300 ms, then every 100.
constexpr int kRepeatDelayMs = 300;
constexpr int kRepeatIntervalMs = 100;
constexpr int kWidth = 16;

// What a screen reader sees: one spin box with its position and range, stepped by its actions.
class AccessibleSpinButton : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleSpinButton(SpinButton* spinner) : QAccessibleWidget(spinner, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return spinner()->value(); }
    void setCurrentValue(const QVariant& value) override { spinner()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return spinner()->maximum(); }
    QVariant minimumValue() const override { return spinner()->minimum(); }
    QVariant minimumStepSize() const override { return spinner()->singleStep(); }

    QStringList actionNames() const override
    {
        return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (!spinner()->isEnabled())
            return;
        if (action == increaseAction())
            spinner()->stepUp();
        else if (action == decreaseAction())
            spinner()->stepDown();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    SpinButton* spinner() const { return static_cast<SpinButton*>(object()); }
};

QAccessibleInterface* accessibleSpinButton(const QString& className, QObject* object)
{
    if (className == QLatin1String(SpinButton::staticMetaObject.className()))
        return new AccessibleSpinButton(static_cast<SpinButton*>(object));
    return nullptr;
}

} // namespace

SpinButton::SpinButton(QWidget* parent) : QWidget(parent)
{
    [[maybe_unused]] static const bool accessible = (QAccessible::installFactory(accessibleSpinButton), true);
    // Taking the focus on a click lets the field the user typed into commit before the step.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    setFixedWidth(kWidth);
}

QSize SpinButton::sizeHint() const
{
    return {kWidth, 22};
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

QRect SpinButton::arrowRect(Arrow arrow) const
{
    const int upHeight = (height() + 1) / 2;
    return arrow == Arrow::Up ? QRect(0, 0, width(), upHeight)
                              : QRect(0, upHeight, width(), height() - upHeight);
}

SpinButton::Arrow SpinButton::arrowAt(QPoint position) const
{
    for (Arrow arrow : {Arrow::Up, Arrow::Down})
        if (arrowRect(arrow).contains(position))
            return arrow;
    return Arrow::None;
}

void SpinButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (Arrow arrow : {Arrow::Up, Arrow::Down}) {
        const bool down = pressed_ == arrow && pressedInside_;
        // As a tool button with an arrow draws itself; the focus is the spinner's, not an arrow's.
        QStyleOptionToolButton option;
        option.initFrom(this);
        option.rect = arrowRect(arrow);
        option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        option.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
        if (hovered_ == arrow)
            option.state |= QStyle::State_MouseOver;
        option.subControls = QStyle::SC_ToolButton;
        option.activeSubControls = down ? QStyle::SC_ToolButton : QStyle::SC_None;
        option.features = QStyleOptionToolButton::Arrow;
        option.arrowType = arrow == Arrow::Up ? Qt::UpArrow : Qt::DownArrow;
        option.toolButtonStyle = Qt::ToolButtonIconOnly;
        style()->drawComplexControl(QStyle::CC_ToolButton, &option, &painter, this);
    }
}

bool SpinButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        setHovered(arrowAt(static_cast<QHoverEvent*>(event)->position().toPoint()));
        break;
    case QEvent::HoverLeave:
        setHovered(Arrow::None);
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void SpinButton::setHovered(Arrow arrow)
{
    if (arrow == hovered_)
        return;
    hovered_ = arrow;
    update();
}

// A click steps when the button is released over the arrow it was pressed on; held down, the arrow
// steps again after kRepeatDelayMs and then every kRepeatIntervalMs while the pointer stays on it.
void SpinButton::mousePressEvent(QMouseEvent* event)
{
    const Arrow arrow = arrowAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || arrow == Arrow::None || pressed_ != Arrow::None) {
        event->ignore();
        return;
    }
    pressed_ = arrow;
    pressedInside_ = true;
    repeat_.start(kRepeatDelayMs, this);
    update();
}

void SpinButton::mouseMoveEvent(QMouseEvent* event)
{
    if (pressed_ == Arrow::None) {
        event->ignore();
        return;
    }
    const bool inside = arrowAt(event->position().toPoint()) == pressed_;
    if (inside != pressedInside_) {
        pressedInside_ = inside;
        update();
    }
}

void SpinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || pressed_ == Arrow::None) {
        event->ignore();
        return;
    }
    const Arrow arrow = pressed_;
    const bool click = pressedInside_ && arrowAt(event->position().toPoint()) == arrow;
    release();
    if (click)
        stepBy(static_cast<int>(arrow));
}

void SpinButton::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != repeat_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    repeat_.start(kRepeatIntervalMs, this);
    if (pressedInside_)
        stepBy(static_cast<int>(pressed_));
}

// A spinner disabled while held (a step may disable it) forgets the press without a last step, and
// so does one that loses the focus, to a message box for one, which then gets the release.
void SpinButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        release();
    QWidget::changeEvent(event);
}

void SpinButton::focusOutEvent(QFocusEvent* event)
{
    release();
    QWidget::focusOutEvent(event);
}

void SpinButton::release()
{
    repeat_.stop();
    if (pressed_ == Arrow::None)
        return;
    pressed_ = Arrow::None;
    pressedInside_ = false;
    update();
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
