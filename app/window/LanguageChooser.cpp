#include "app/window/LanguageChooser.h"

#include "app/window/Colours.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace hx {

LanguageChooser::LanguageChooser(BgrColour background, QWidget* parent) : QDialog(parent) {
    setObjectName("frmSelLang");
    setWindowTitle("Language / 语言");
    auto* frame = new QGroupBox(this);
    frame->setObjectName("fraSelLang");
    auto* chinese = new QRadioButton(QString::fromUtf8("中文简体"), frame);
    chinese->setObjectName("optSelCh0");
    auto* english = new QRadioButton("English", frame);
    english->setObjectName("optSelCh1");
    chinese->setChecked(true);
    auto* options = new QVBoxLayout(frame);
    options->addWidget(chinese);
    options->addWidget(english);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
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
