#include "gui/dialogs/ComparisonDialog.h"

#include "core/texts/Texts.h"
#include "gui/style/Colours.h"
#include "gui/style/DialogStyle.h"
#include "gui/style/Fonts.h"

#include <QHeaderView>
#include <QVBoxLayout>

namespace hx {

ComparisonDialog::ComparisonDialog(const Setup& setup, QWidget* parent) : QDialog(parent) {
    setObjectName("ComparisonDialog");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    const Language lang = setup.language;
    const auto text = [lang](Text t) { return TextIn(t, lang); };
    const bool radio = setup.other == Other::Radio;

    const auto count = QString::number(setup.differences.size());
    summaryLabel = new QLabel(this);
    summaryLabel->setObjectName("summaryLabel");
    summaryLabel->setTextFormat(Qt::PlainText); // the path comes from outside
    summaryLabel->setWordWrap(true);
    summaryLabel->setText(setup.differences.empty()
                              ? Q(FillText(TextOf(Text::NoDifferences).in(lang), {setup.otherName}))
                              : Q(FillText(TextOf(Text::DifferenceCount).in(lang),
                                           {count.toStdString(), setup.otherName})));

    differenceList = new QTreeWidget(this);
    differenceList->setObjectName("differenceList");
    differenceList->setRootIsDecorated(false);
    differenceList->setAlternatingRowColors(true);
    differenceList->setHeaderLabels({text(Text::ComparedItem), text(Text::WindowSide),
                                     text(radio ? Text::RadioSide : Text::FileSide)});
    for (const auto& d : setup.differences)
        differenceList->addTopLevelItem(
            new QTreeWidgetItem({Q(d.subject), Q(d.first), Q(d.second)}));
    differenceList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    differenceList->setVisible(!setup.differences.empty());
    differenceList->setMinimumSize(560, 320);

    closeButton = new QPushButton(text(Text::CloseButton), this);
    closeButton->setObjectName("closeButton");
    closeButton->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel);
    layout->addWidget(differenceList, 1);
    layout->addWidget(closeButton, 0, Qt::AlignRight);

    PaintBackground(this, setup.background);
    ApplyFont(this, lang);
    setWindowTitle(text(radio ? Text::CompareRadioTitle : Text::CompareFileTitle));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace hx
