#include "widgets/FieldEdit.h"

#include <QFocusEvent>
#include <QMouseEvent>

#include <utility>

namespace vp {

namespace {

// Switching to another program or opening a menu is not leaving the field: the focus comes back
// to it, and the entry is committed when the user really moves on.
bool LeavesField(const QFocusEvent& event)
{
    return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

} // namespace

FieldEdit::FieldEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

void FieldEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!LeavesField(*event))
        return;
    selectAll();
    selectOnRelease_ = event->reason() == Qt::MouseFocusReason;
}

void FieldEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!LeavesField(*event))
        return;
    selectOnRelease_ = false;
    // Setting the text clears the flag, so it tells whether the user typed since the program wrote.
    if (!isModified())
        return;
    setModified(false);
    emit LostFocus();
}

void FieldEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    // A part the user selected by dragging is kept.
    if (std::exchange(selectOnRelease_, false) && !hasSelectedText())
        selectAll();
}

} // namespace vp
