#include "widgets/LazyPage.h"

#include <QVBoxLayout>

#include <utility>

namespace vp {

LazyPage::LazyPage(std::function<QWidget*(QWidget& page)> make, QWidget* parent)
    : QWidget(parent)
    , make_(std::move(make))
{
}

QWidget& LazyPage::contents()
{
    if (contents_ == nullptr) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        contents_ = make_(*this);
        layout->addWidget(contents_);
        make_ = nullptr;
        keepTabOrder();
    }
    return *contents_;
}

void LazyPage::keepTabOrder()
{
    QList<QWidget*> controls;
    for (QWidget* w = contents_; isAncestorOf(w); w = w->nextInFocusChain()) {
        if (w->focusPolicy() != Qt::NoFocus)
            controls << w;
    }
    // Qt orders only widgets that take the focus; the page does so for the moment it takes.
    const Qt::FocusPolicy policy = focusPolicy();
    setFocusPolicy(Qt::TabFocus);
    QWidget* previous = this;
    for (QWidget* control : controls) {
        setTabOrder(previous, control);
        previous = control;
    }
    setFocusPolicy(policy);
}

void LazyPage::setVisible(bool visible)
{
    if (visible)
        contents();
    QWidget::setVisible(visible);
}

} // namespace vp
