#include "editor/ChecksList.h"

#include "widgets/TextConversions.h"

namespace vp {

ChecksList::ChecksList(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Long findings wrap rather than end in an ellipsis.
    setWordWrap(true);
    setAlternatingRowColors(true);
    connect(this, &QListWidget::itemClicked, this, &ChecksList::choose);
    connect(this, &QListWidget::itemActivated, this, &ChecksList::choose);
    showFindings({});
}

void ChecksList::showFindings(const std::vector<Finding>& findings)
{
    if (findings == findings_ && count() > 0)
        return;
    findings_ = findings;
    clear();
    if (findings_.empty()) {
        auto* none = new QListWidgetItem(QStringLiteral("No problems found."), this);
        // Nothing to go to: not selectable, but not greyed out either.
        none->setFlags(Qt::ItemIsEnabled);
        return;
    }
    for (const Finding& finding : findings_)
        addItem(toQString(finding.text));
}

void ChecksList::choose(QListWidgetItem* item)
{
    const int index = row(item);
    if (index >= 0 && index < static_cast<int>(findings_.size()))
        emit findingChosen(findings_[static_cast<std::size_t>(index)]);
}

} // namespace vp
