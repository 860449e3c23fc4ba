#pragma once
// A text field that selects its whole text however it gets the focus (tab, click, shortcut), so the
// user simply types over it, and asks for a commit when it loses the focus after the user edited its
// text since the program last set it. A field only passed through asks nothing, so the rounded text
// it shows never replaces the value behind it. Both windows commit their entries through it.

#include <QLineEdit>

namespace vp {

class ValueField : public QLineEdit {
    Q_OBJECT

public:
    explicit ValueField(QWidget* parent = nullptr);

    // Asks for the commit that leaving the field would ask for, if the user edited it: a keyboard
    // command run from the field takes the typed entry first.
    void commitIfEdited();

signals:
    void commitRequested();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The press that gave the focus placed the cursor; its release selects the whole text again.
    bool selectOnRelease_ = false;
};

} // namespace vp
