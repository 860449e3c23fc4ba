#include "widgets/FieldEdit.h"

#include <QFocusEvent>

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
    if (LeavesField(*event))
        selectAll();
}

void FieldEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (LeavesField(*event))
        emit LostFocus();
}

} // namespace vp
