#include "gui/dialogs/LanguageChooser.h"

#include "core/texts/Texts.h"
#include "gui/style/Colours.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace hx {

LanguageChooser::LanguageChooser(BgrColour background, QWidget* parent) : QDialog(parent) {
    setObjectName("LanguageChooser");
    const auto text = [](Text t, Language in = Language::English) {
        return Q(std::string(TextOf(t).in(in)));
    };
    setWindowTitle(text(Text::LanguageTitle));
    auto* frame = new QGroupBox(this);
    frame->setObjectName("languageFrame");
    auto* chinese = new QRadioButton(text(Text::LanguageOwnNames, Language::Chinese), frame);
    chinese->setObjectName("chineseOption");
    auto* english = new QRadioButton(text(Text::LanguageOwnNames), frame);
    english->setObjectName("englishOption");
    chinese->setChecked(true);
    auto* options = new QVBoxLayout(frame);
    options->addWidget(chinese);
    options->addWidget(english);
    auto* ok = new QPushButton(text(Text::LanguageOk), this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(ok, 0, Qt::AlignRight);
    for (QWidget* w : std::initializer_list<QWidget*>{this, frame, chinese, english, ok})
        PaintBackground(w, background);
    connect(chinese, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            language_ = Language::Chinese;
    });
    connect(english, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            language_ = Language::English;
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace hx
