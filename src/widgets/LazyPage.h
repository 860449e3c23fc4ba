#pragma once
// A page whose contents are made only when it is first shown or first asked for, so that a window
// builds at start-up only what its first picture needs. The contents fill the page.

#include <QWidget>

#include <functional>

namespace vp {

class LazyPage : public QWidget {
public:
    // make builds the contents as a child of the page it is given.
    explicit LazyPage(std::function<QWidget*(QWidget& page)> make, QWidget* parent = nullptr);

    // The contents, made now if they were not yet.
    QWidget& contents();
    bool built() const { return contents_ != nullptr; }

    // Made before the page becomes visible, so they appear with it.
    void setVisible(bool visible) override;

private:
    // Made late, the controls would come last in the window's tab order: they belong where the page is.
    void keepTabOrder();

    std::function<QWidget*(QWidget& page)> make_;
    QWidget* contents_ = nullptr;
};

} // namespace vp
