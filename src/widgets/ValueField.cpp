#include "widgets/ValueField.h"

#include <QFocusEvent>
#include <QMouseEvent>

#include <utility>

namespace vp {

namespace {

// Switching to another program or opening a menu is not leaving the field: the focus comes back
// to it, and the entry is committed when the user really moves on.
bool leavesField(const QFocusEvent& event)
{
    return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

} // namespace

ValueField::ValueField(QWidget* parent)
    : QLineEdit(parent)
{
}

void ValueField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!leavesField(*event))
        return;
    selectAll();
    selectOnRelease_ = event->reason() == Qt::MouseFocusReason;
}

void ValueField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!leavesField(*event))
        return;
    selectOnRelease_ = false;
    commitIfEdited();
}

void ValueField::commitIfEdited()
{
    // Setting the text clears the flag, so it tells whether the user typed since the program wrote.
    if (!isModified())
        return;
    setModified(false);
    emit commitRequested();
}

void ValueField::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    // A part the user selected by dragging is kept.
    if (std::exchange(selectOnRelease_, false) && !hasSelectedText())
        selectAll();
}

} // namespace vp
