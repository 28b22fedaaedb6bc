#pragma once

#include "core/compare/ImageComparison.h"
#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <vector>

namespace hx {

// The differences between what the window holds and a file or a radio, one row each:
// what differs, the window's value, the other side's value. It only shows.
class ComparisonDialog : public QDialog {
    Q_OBJECT
public:
    enum class Other { File, Radio };
    struct Setup {
        Other other;
        std::string otherName; // the file's path, or the port
        std::vector<Difference> differences;
        Language language;
        BgrColour background;
    };
    ComparisonDialog(const Setup& setup, QWidget* parent);

    QLabel* summaryLabel;
    QTreeWidget* differenceList;
    QPushButton* closeButton;
};

} // namespace hx
