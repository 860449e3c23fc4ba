#pragma once
// The list of findings of the document's checks, one line each naming set and camera. A click or
// Enter on a finding asks to go there; with nothing found it says so.

#include "camdata/CameraChecks.h"

#include <QListWidget>

#include <vector>

namespace vp {

class ChecksList : public QListWidget {
    Q_OBJECT

public:
    explicit ChecksList(QWidget* parent = nullptr);

    // Shows the findings in their order, or "No problems found." when there are none. The same
    // findings again leave the list as it is, with its selection and scroll position.
    void showFindings(const std::vector<Finding>& findings);
    const std::vector<Finding>& findings() const { return findings_; }

signals:
    void findingChosen(const Finding& finding);

private:
    void choose(QListWidgetItem* item);

    std::vector<Finding> findings_;
};

} // namespace vp
