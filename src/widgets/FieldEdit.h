#pragma once
// A text field that selects its whole text however it gets the focus (tab, click, shortcut), so the
// user simply types over it, and reports losing the focus when the user edited its text since the
// program last set it: the moment at which the windows commit an entry. A field only passed through
// reports nothing, so the rounded text it shows never replaces the value behind it.

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
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The press that gave the focus placed the cursor; its release selects the whole text again.
    bool selectOnRelease_ = false;
};

} // namespace vp
