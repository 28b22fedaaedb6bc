#include "gui/dialogs/ImportPreviewDialog.h"

#include "core/codeplug/FunctionChoices.h"
#include "core/texts/Texts.h"
#include "gui/style/Colours.h"
#include "gui/style/DialogStyle.h"
#include "gui/style/Fonts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

namespace hx {
namespace {

QTreeWidget* MakeList(const char* name, const QStringList& headings, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setAlternatingRowColors(true);
    list->setHeaderLabels(headings);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setStretchLastSection(true);
    return list;
}

QGroupBox* Framed(Text caption, QTreeWidget* list, Language language, QWidget* parent) {
    auto* frame = new QGroupBox(Q(std::string(TextOf(caption).in(language))), parent);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(list);
    frame->setVisible(list->topLevelItemCount() > 0);
    return frame;
}

// One row per changed value: a channel's six cells and its comment are compared
// one by one, so only what really changes is listed, each with what is unusual about
// its new value (kept off the raster or out of band).
void ListChanges(QTreeWidget* list, const PlanImport& preview, Language language) {
    const auto shown = [language](const std::string& value) {
        return Q(value.empty() ? std::string(TextOf(Text::EmptyValueWord).in(language)) : value);
    };
    const auto add = [&](int line, const std::string& item, const std::string& now,
                         const std::string& after, const std::string& note = {}) {
        list->addTopLevelItem(new QTreeWidgetItem(
            {QString::number(line), Q(item), shown(now), shown(after), Q(note)}));
    };
    for (const SettingChange& s : preview.settingChanges)
        add(s.line, s.name, s.before, s.after);
    const std::string channelField(TextOf(Text::ChannelField).in(language));
    for (const ChannelChange& c : preview.channelChanges) {
        const std::string number = std::to_string(c.channel + 1);
        for (int f = 0; f < kRowFieldCount; ++f) {
            const auto i = static_cast<std::size_t>(f);
            if (c.before.cells[i] != c.after.cells[i])
                add(c.line,
                    FillText(channelField,
                             {number, ChannelFieldName(static_cast<Field>(f), language)}),
                    c.before.cells[i], c.after.cells[i], c.notes[i]);
        }
        if (c.before.comment != c.after.comment)
            add(c.line,
                FillText(channelField, {number, TextOf(Text::PlanCommentColumn).in(language)}),
                c.before.comment, c.after.comment);
    }
}

} // namespace

ImportPreviewDialog::ImportPreviewDialog(const Setup& setup, QWidget* parent) : QDialog(parent) {
    setObjectName("ImportPreviewDialog");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    const Language lang = setup.language;
    const auto text = [lang](Text t) { return TextIn(t, lang); };
    const PlanImport& preview = setup.preview;

    changeList = MakeList("changeList",
                          {text(Text::ImportLineColumn), text(Text::ComparedItem),
                           text(Text::ImportNowColumn), text(Text::ImportAfterColumn),
                           text(Text::ImportNoteColumn)},
                          this);
    ListChanges(changeList, preview, lang);
    rejectedList = MakeList("rejectedList",
                            {text(Text::ImportLineColumn), text(Text::ImportReasonColumn)}, this);
    for (const RejectedRow& row : preview.rejected)
        rejectedList->addTopLevelItem(
            new QTreeWidgetItem({QString::number(row.line), Q(row.reason)}));

    summaryLabel = new QLabel(this);
    summaryLabel->setObjectName("summaryLabel");
    summaryLabel->setTextFormat(Qt::PlainText); // the path comes from outside
    summaryLabel->setWordWrap(true);
    summaryLabel->setText(Q(FillText(TextOf(Text::ImportSummary).in(lang),
                                     {setup.source, std::to_string(changeList->topLevelItemCount()),
                                      std::to_string(preview.rejected.size())})));

    QStringList notes;
    for (const std::string& note : preview.notes)
        notes << Q(note);
    notesLabel = new QLabel(notes.join('\n'), this);
    notesLabel->setObjectName("notesLabel");
    notesLabel->setTextFormat(Qt::PlainText); // column headings come from the file
    notesLabel->setWordWrap(true);
    notesLabel->setVisible(!notes.isEmpty());

    applyButton = new QPushButton(text(Text::ApplyButton), this);
    applyButton->setObjectName("applyButton");
    applyButton->setEnabled(preview.changesAnything());
    applyButton->setDefault(preview.changesAnything());
    cancelButton = new QPushButton(text(Text::CancelButton), this);
    cancelButton->setObjectName("cancelButton");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(applyButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summaryLabel);
    layout->addWidget(notesLabel);
    layout->addWidget(Framed(Text::ImportChanges, changeList, lang, this), 2);
    layout->addWidget(Framed(Text::ImportRejected, rejectedList, lang, this), 1);
    layout->addLayout(buttons);
    setMinimumSize(620, 420);

    PaintBackground(this, setup.background);
    ApplyFont(this, lang);
    setWindowTitle(text(setup.kind == Kind::Import ? Text::ImportTitle : Text::PasteTitle));
    connect(applyButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace hx
