#pragma once
// A text field that reports getting and losing the focus, the moments at which the editor selects
// and commits its text. Selecting the whole text on arrival lets the user simply type over it.

#include <QLineEdit>

namespace vp {

class FieldEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit FieldEdit(QWidget* parent = nullptr);

signals:
    void GotFocus();
    void LostFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace vp
