#pragma once

#include "core/exchange/PlanImport.h"
#include "core/settings/UserSettings.h"
#include "core/texts/Language.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace hx {

// What an import or a paste would do, before it is done: every value that would
// change, from the sub-model and the function settings to each channel's fields,
// and every rejected row with its line and reason. Accepted with Apply; Apply is
// offered only when something would change.
class ImportPreviewDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Import, Paste };
    struct Setup {
        Kind kind;
        std::string source; // the file's path, or the clipboard's name
        const PlanImport& preview;
        Language language;
        BgrColour background;
    };
    ImportPreviewDialog(const Setup& setup, QWidget* parent);

    QLabel* summaryLabel;
    QLabel* notesLabel;        // about the whole file, one line each; hidden without any
    QTreeWidget* changeList;   // line, item, now, after, note
    QTreeWidget* rejectedList; // line, reason
    QPushButton* applyButton;
    QPushButton* cancelButton;
};

} // namespace hx
