#pragma once
// A text field that selects its whole text when it gets the focus, so the user simply types over
// it, and reports losing the focus, the moment at which the editor commits its text.

#include <QLineEdit>

namespace vp {

class FieldEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit FieldEdit(QWidget* parent = nullptr);

signals:
    void LostFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace vp
