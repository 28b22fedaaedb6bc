#include "app/window/frmMain.h"

#include "app/about/frmAboutSoft.h"
#include "app/window/Colours.h"
#include "app/window/Fonts.h"
#include "image/Decoder.h"
#include "image/Encoder.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>

namespace hx {
namespace {

struct ToolbarButton {
    const char* key;
    QStyle::StandardPixmap icon;
};
// Positions 1 to 14; an empty key is a separator.
constexpr ToolbarButton kToolbar[] = {
    {"", {}},
    {"FileNew", QStyle::SP_FileIcon},
    {"", {}},
    {"FileOpen", QStyle::SP_DialogOpenButton},
    {"FileSave", QStyle::SP_DialogSaveButton},
    {"", {}},
    {"Read", QStyle::SP_ArrowDown},
    {"Write", QStyle::SP_ArrowUp},
    {"", {}},
    {"Com", QStyle::SP_ComputerIcon},
    {"", {}},
    {"Help", QStyle::SP_DialogHelpButton},
    {"", {}},
    {"Exit", QStyle::SP_DialogCloseButton},
};

} // namespace

frmMain::frmMain(std::filesystem::path appFolder, UserDialogs& dialogs, PortOpener openPort)
    : dialogs_(dialogs) {
    InstallFontSubstitutes();
    setObjectName("frmMain");
    state_.appFolder = std::move(appFolder);
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    functions_ = new FunctionArea(state_, central);
    table_ = new ChannelTableView(state_, central);
    editor_ = new ChannelEditor(state_, *table_, dialogs_, *functions_, central);
    model_ = new ModelArea(state_, dialogs_,
                           {[this] { resetCodePlug(); }, [this] { InitSoftDefault(true); },
                            [this] { editor_->reformatBoxes(); }},
                           central);
    grid->addWidget(model_, 0, 0);
    grid->addWidget(functions_, 1, 0);
    grid->addWidget(editor_, 2, 0);
    grid->addWidget(table_, 0, 1, 4, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1); // a larger window shows a larger table
    setCentralWidget(central);
    files_ = std::make_unique<DataFileCommands>(
        state_, dialogs_,
        DataFileCommands::Window{[this] { return encode(); },
                                 [this](const MemoryImage& image) { SoftDisplay(image); },
                                 [this] {
                                     resetCodePlug();
                                     editor_->txtReceFre->setFocus();
                                 },
                                 [this] { InitSoftDefault(true); }, [this] { showFileName(); },
                                 [this] { editor_->cmdConfirm->setFocus(); },
                                 [this](const auto& path) { recent_->remember(path); },
                                 [this](const auto& path) { recent_->forget(path); }});
    buildStatusBar();
    transfers_ = std::make_unique<TransferCommands>(
        state_, dialogs_,
        TransferCommands::Window{this, statusPanel(1), statusPanel(2),
                                 [this] { return model_->cboTypeSel->currentIndex() >= 0; },
                                 [this] { return encode(); },
                                 [this](const MemoryImage& image) { SoftDisplay(image); },
                                 [this] { InitSoftDefault(true); },
                                 [this](bool clearWhenNone) { showFileName(clearWhenNone); }},
        std::move(openPort));
    buildMenus();
    buildToolbar();
    setKeyboardOrder();

    connect(table_, &ChannelTableView::cellClicked, editor_,
            &ChannelEditor::selectChannelFromTable);
    connect(table_, &ChannelTableView::cellRightClicked, this, [this](int channel, QPoint at) {
        state_.readyForFocus = false;
        table_->cell(Field::RxFrequency, channel)->setFocus();
        state_.selectedRow = state_.currentChannel = channel;
        table_->mnuChannelData->setText(Q(state_.text(Text::DeleteChannelFirst) +
                                          std::to_string(channel + 1) +
                                          state_.text(Text::DeleteChannelSecond)));
        editor_->selectChannel(channel);
        state_.currentChannel = channel;
        editor_->ChAccord(channel);
        table_->mnuDelAllData->popup(at);
        state_.readyForFocus = true;
    });
    connect(table_->mnuChannelData, &QAction::triggered, editor_,
            &ChannelEditor::mnuChannelData_Click);
    connect(table_->mnuAllData, &QAction::triggered, this, [this] {
        editor_->DeleteAllChData();
        editor_->txtReceFre->setFocus();
    });
}

MemoryImage frmMain::encode() const {
    const auto& m = state_.model;
    return SetConvert({state_.plug.channels, functions_->functions(),
                       model_->cboTypeSel->currentIndex(), state_.modelCode, m.profile, m.tones});
}

QAction* frmMain::addMenuItem(QMenu* menu, const char* name, QKeySequence key) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(name);
    a->setShortcut(key);
    actions_[name] = a;
    return a;
}

void frmMain::buildMenus() {
    const auto menu = [&](QMenu* parent, const char* name) {
        QMenu* m = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
        m->setObjectName(name);
        menus_[name] = m;
        return m;
    };
    QMenu* file = menu(nullptr, "mnuFile");
    connect(addMenuItem(file, "mnuFileNew", QKeySequence("Ctrl+N")), &QAction::triggered, this,
            [this] { files_->NewFile(); });
    connect(addMenuItem(file, "mnuFileOpen", QKeySequence("Ctrl+O")), &QAction::triggered, this,
            [this] { files_->OpenFile(); });
    connect(addMenuItem(file, "mnuFileSave", QKeySequence("Ctrl+S")), &QAction::triggered, this,
            [this] { files_->SaveFile(); });
    connect(addMenuItem(file, "mnuFileSaveAs"), &QAction::triggered, this,
            [this] { files_->SaveAsFile(); });
    file->addSeparator()->setObjectName("ListSeparator01");
    recent_ = new RecentFileMenu(
        file, [this] { return state_.profileFile(); },
        [this](const std::filesystem::path& path) { files_->OpenRecentFile(path); });
    connect(addMenuItem(file, "mnuExit"), &QAction::triggered, this, &QWidget::close);

    QMenu* program = menu(nullptr, "mnuProgram");
    connect(addMenuItem(program, "mnuReadFre", QKeySequence("Ctrl+R")), &QAction::triggered,
            transfers_.get(), &TransferCommands::mnuReadFre_Click);
    connect(addMenuItem(program, "mnuWriteFre", QKeySequence("Ctrl+W")), &QAction::triggered,
            transfers_.get(), &TransferCommands::mnuWriteFre_Click);

    QMenu* settings = menu(nullptr, "mnuSet");
    connect(addMenuItem(settings, "mnuCommunicate"), &QAction::triggered, transfers_.get(),
            &TransferCommands::mnuCommunicate_Click);
    settings->addSeparator()->setObjectName("ListSeparator5");
    QMenu* language = menu(settings, "mnuLangSetting");
    QAction* chinese = addMenuItem(language, "mnuLangSel0");
    QAction* english = addMenuItem(language, "mnuLangSel1");
    chinese->setCheckable(true);
    english->setCheckable(true);
    connect(chinese, &QAction::triggered, this, [this] { selectLanguage(Language::Chinese); });
    connect(english, &QAction::triggered, this, [this] { selectLanguage(Language::English); });
    QAction* modelSeparator = settings->addSeparator();
    modelSeparator->setObjectName("ListSeparator6");
    modelSeparator->setVisible(false);
    QMenu* modelMenu = menu(settings, "mnuModeType");
    modelMenu->menuAction()->setVisible(false);
    const std::pair<const char*, int> models[] = {
        {"mnuModeHx7100", 7100}, {"mnuModeHx7200", 7200}, {"mnuModeHx7400", 7400}};
    const QKeySequence modelKeys[] = {Qt::Key_F2, Qt::Key_F3, Qt::Key_F5};
    for (int i = 0; i < 3; ++i) {
        QAction* item = addMenuItem(modelMenu, models[i].first, modelKeys[i]);
        item->setCheckable(true);
        addAction(item); // its key works while the submenu is hidden
        const int code = models[i].second;
        connect(item, &QAction::triggered, this, [this, code] { SaveModeType(code); });
    }

    QMenu* help = menu(nullptr, "mnuHelp");
    connect(addMenuItem(help, "mnuHelpTopic", Qt::Key_F1), &QAction::triggered, this,
            &frmMain::Help);
    help->addSeparator()->setObjectName("ListSeparator02");
    connect(addMenuItem(help, "mnuAboutSoft"), &QAction::triggered, this,
            &frmMain::mnuAboutSoft_Click);
}

void frmMain::buildToolbar() {
    tlbFrmMain_ = addToolBar(QString());
    tlbFrmMain_->setObjectName("tlbFrmMain");
    tlbFrmMain_->setMovable(false);
    for (const ToolbarButton& button : kToolbar) {
        const QString key = button.key;
        if (key.isEmpty()) {
            tlbFrmMain_->addSeparator();
            continue;
        }
        QAction* a = tlbFrmMain_->addAction(style()->standardIcon(button.icon), key);
        a->setObjectName("tlb" + key);
        a->setData(key);
        connect(a, &QAction::triggered, this, [this, key] { toolbarClicked(key); });
    }
}

void frmMain::buildStatusBar() {
    const char* keys[] = {"statusNotice", "statusCom", "statusAddress"};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(keys[i]);
        panels_[static_cast<std::size_t>(i)] = panel;
        statusBar()->addWidget(panel, i == 2 ? 1 : 0);
    }
    statusBar()->setObjectName("sbrStatus");
}

// Tab follows the reading order: model, functions, channel editor and its OK, then
// the table as a single stop, inside which the arrows move.
void frmMain::setKeyboardOrder() {
    QList<QWidget*> order{model_->cboTypeSel};
    for (const FunctionSetting s :
         {FunctionSetting::MoniKey, FunctionSetting::TimeOut, FunctionSetting::Sql,
          FunctionSetting::BatSave, FunctionSetting::ToneHint})
        order << functions_->list(s);
    const ChannelEditor& e = *editor_;
    order << e.cboChSel << e.txtReceFre << e.cboReceQTSel << e.txtTransFre << e.cboTransQTSel
          << e.chkForbidTrans << e.chkShift << functions_->cboWideNarrow << e.chkFreReceEquTrans
          << e.chkDeteChanData << e.cmdConfirm << table_->cellsInReadingOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmMain::toolbarClicked(const QString& key) {
    if (key == "FileNew")
        files_->NewFile();
    else if (key == "FileOpen")
        files_->OpenFile();
    else if (key == "FileSave")
        files_->SaveFile();
    else if (key == "Write")
        transfers_->mnuWriteFre_Click();
    else if (key == "Read")
        transfers_->mnuReadFre_Click();
    else if (key == "Com")
        transfers_->mnuCommunicate_Click();
    else if (key == "Help")
        Help();
    else if (key == "Exit")
        close();
}

void frmMain::Help() {
    const auto documents = HelpDocumentsFor(state_.appFolder, state_.modelCode, state_.language);
    for (const auto& document : documents)
        if (dialogs_.openDocument(document))
            return;
    dialogs_.tell(state_.text(Text::MessageTitle),
                  state_.text(Text::HelpNotOpened) + documents.back().string(),
                  MessageIcon::Exclamation);
}

void frmMain::mnuAboutSoft_Click() {
    const auto& titles = state_.model.profile.titles;
    const bool chinese = state_.language == Language::Chinese;
    frmAboutSoft about(
        {AboutLinesFor(state_.modelCode, state_.language), chinese ? titles.chsVer : titles.engVer,
         chinese ? titles.chsRelease : titles.engRelease, state_.language, state_.colours.full},
        this);
    dialogs_.showModal(about);
}

void frmMain::InitialSoft() {
    state_.readyForFocus = false;
    state_.newFileFlag = true;
    state_.openedFileFlag = false;
    state_.plug.modified = false;
    state_.startupInProgress = true;
    try {
        const ProfileFile settingsFile(state_.settingDir() / kSettingsFileName);
        const auto code = ReadModelCode(settingsFile);
        if (!code)
            throw std::runtime_error("model code");
        state_.modelCode = *code;
        checkModelMenu();
        std::filesystem::create_directories(state_.appFolder / "Data");
        std::filesystem::create_directories(state_.appFolder / "Setting");
        state_.plug.channels.clear();
        state_.model = LoadModelData(state_.settingDir(), state_.modelCode);
        recent_->load();

        editor_->fillToneLists();
        model_->fillList();
        functions_->fillLists();
        functions_->applyDefaults();
        editor_->setIdle();

        state_.silentSubModelChange = true;
        InitSoftDefault(false);
        state_.silentSubModelChange = false;
        InitInterFace();
        state_.image = InitMatrixCode();
        statusPanel(1)->setText(Q(state_.text(Text::Ready)));
        state_.readyForFocus = true;
        editor_->txtReceFre->setFocus(); // where a channel is typed
    } catch (const std::exception&) {
        state_.silentSubModelChange = false;
        showStartupError();
    }
    files_->markUnchanged();
    state_.startupInProgress = false;
}

void frmMain::showStartupError() {
    dialogs_.tell(textsLoaded_ ? state_.text(Text::MessageTitle) : std::string(),
                  "Initial Soft Occur Error!", MessageIcon::Exclamation);
}

void frmMain::InitSoftDefault(bool saveRead) {
    const SettingsStore store(ProfileFile(state_.profileFile()));
    const StoreSet set{state_.language, state_.comPort, state_.currentDataFile,
                       model_->cboTypeSel->currentIndex(), state_.valLegal};
    const SettingsOutcome outcome =
        hx::InitSoftDefault(store, saveRead, state_.startupInProgress, set,
                            [this] { return dialogs_.chooseLanguage(state_.colours.full); });
    if (outcome.colours)
        state_.colours = *outcome.colours;
    if (outcome.failed)
        throw std::runtime_error("settings");
    if (!outcome.settings)
        return;
    const StoredSettings& s = *outcome.settings;
    state_.valLegal = s.valLegal;
    state_.overFreFont = s.overFreFont;
    state_.notLimitedModel = s.notLimitedModel;
    state_.language = s.language;
    action("mnuLangSel0")->setChecked(s.language == Language::Chinese);
    action("mnuLangSel1")->setChecked(s.language != Language::Chinese);
    state_.comPort = s.comPort;
    statusPanel(2)->setText(QString("COM%1").arg(s.comPort));
    int p = s.subModel;
    if (p > state_.model.profile.subModelCount - 1)
        p = 0;
    if (p < 0)
        return; // addresses no band: the rest stays as it was
    model_->select(p);
    model_->showBand(p);
    state_.bandLabelText = model_->lblFreVal->text().toStdString();
    state_.currentDataFile = s.path;
    if (s.path.empty() || state_.startupInProgress)
        state_.currentDataFile = state_.scratchDataFile().string();
    editor_->chkFreReceEquTrans->setChecked(s.freEqual == 1);
}

void frmMain::InitInterFace() {
    const Language lang = state_.language;
    table_->InitSignalBG();
    const auto& titles = state_.model.profile.titles;
    setWindowTitle(Q(lang == Language::Chinese ? titles.chsTitle : titles.engTitle));
    ApplyFont(this, lang);
    menuBar()->setFont(QApplication::font());
    qtTexts_.apply(lang);

    for (auto& [name, menu] : menus_)
        if (const Bilingual* caption = CaptionOf(name.toStdString()))
            menu->setTitle(Q(std::string(caption->in(lang))));
    for (auto& [name, item] : actions_)
        if (const Bilingual* caption = CaptionOf(name.toStdString()))
            item->setText(Q(std::string(caption->in(lang))));
    for (QAction* a : tlbFrmMain_->actions())
        if (const Bilingual* tip = ToolbarToolTipOf(a->data().toString().toStdString()))
            a->setToolTip(Q(std::string(tip->in(lang))));
    for (QLabel* panel : panels_)
        panel->setToolTip(
            Q(std::string(StatusPanelToolTipOf(panel->objectName().toStdString())->in(lang))));

    model_->applyTexts();
    functions_->applyTexts();
    editor_->applyTexts();
    table_->applyTexts();
    showFileName();
    // A transfer writes its texts while it holds the event loop, when the status bar
    // cannot grow: the first panel is wide enough for the longest of them from the start.
    int widest = 0;
    for (const Text t : {Text::Ready, Text::Communicating, Text::CommunicationSucceeded,
                         Text::CommunicationFailed})
        widest = std::max(
            widest, statusPanel(1)->fontMetrics().horizontalAdvance(Q(state_.text(t) + "    ")));
    statusPanel(1)->setMinimumWidth(widest);
    statusPanel(1)->setText(Q(state_.text(Text::Ready)));
    functions_->relabel();
    table_->relabel();
    textsLoaded_ = true;
}

void frmMain::showFileName(bool clearWhenNone) {
    if (!state_.currentDataFile.empty())
        statusPanel(3)->setText(Q(state_.text(Text::FileNamePrefix) + state_.currentDataFile));
    else if (clearWhenNone)
        statusPanel(3)->clear();
}

void frmMain::selectLanguage(Language language) {
    action("mnuLangSel0")->setChecked(language == Language::Chinese);
    action("mnuLangSel1")->setChecked(language != Language::Chinese);
    state_.language = language;
    InitSoftDefault(true);
    InitInterFace();
}

void frmMain::DeteChanData() {
    table_->clearAllCells();
    state_.plug.channels.clear();
}

void frmMain::resetCodePlug() {
    editor_->clearBoxes();
    functions_->applyDefaults();
    DeteChanData();
    table_->InitSignalBG();
    editor_->selectChannel(0);
}

bool frmMain::ExitSoft(bool unloadMe) {
    const bool yes =
        !unloadMe || dialogs_.ask(state_.text(Text::MessageTitle), state_.text(Text::ExitQuestion),
                                  MessageIcon::Question);
    if (!yes)
        return false;
    // A save that failed keeps the window, so that nothing is lost.
    if (files_->offerToSave() == DataFileCommands::SaveOutcome::Failed)
        return false;
    const SettingsStore store(ProfileFile(state_.profileFile()));
    store.storeFreEqual(editor_->chkFreReceEquTrans->isChecked());
    if (unloadMe)
        ending_ = true;
    return true;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (ending_ || ExitSoft(true))
        event->accept();
    else
        event->ignore();
}

void frmMain::checkModelMenu() {
    const int series = ModelSeries(state_.modelCode);
    action("mnuModeHx7100")->setChecked(series == 7100);
    action("mnuModeHx7200")->setChecked(series == 7200);
    action("mnuModeHx7400")->setChecked(series == 7400);
}

void frmMain::SaveModeType(int mode) {
    checkModelMenu(); // a click toggled the item; the model in use stays checked
    if (mode == state_.modelCode)
        return;
    const bool chinese = state_.language == Language::Chinese;
    std::string question;
    if (mode == 7100)
        question = chinese ? "是否切换到QRW71写频软件?" : "Do you want to switch to QRW71 soft?";
    else if (mode == 7400)
        question = chinese ? "是否切换到QRW74写频软件?" : "Do you want to switch to QRW74 soft?";
    else
        question = chinese ? "是否切换到QRW72写频软件?" : "Do you want to switch to QRW72 soft?";
    if (!dialogs_.ask(state_.text(Text::MessageTitle), question, MessageIcon::Question))
        return;
    if (!ExitSoft(false))
        return; // the changes could not be saved: they stay
    ProfileFile(state_.settingDir() / kSettingsFileName)
        .write("Config", "Type", std::to_string(mode));
    DeteChanData();
    InitialSoft();
}

void frmMain::SoftDisplay(const MemoryImage& image) {
    const DecoderState before{state_.selectedSubModel, functions_->functions(),
                              state_.plug.channels};
    const DecodeResult d = hx::SoftDisplay(
        image, {state_.modelCode, state_.model.profile, state_.model.tones}, before);
    if (d.subModelChanged) {
        {
            const QSignalBlocker quiet(model_->cboTypeSel);
            model_->select(d.state.subModel);
        }
        state_.selectedSubModel = d.state.subModel;
        model_->showBand(d.state.subModel);
        state_.bandLabelText = model_->lblFreVal->text().toStdString();
        resetCodePlug();
        InitSoftDefault(true);
    }
    functions_->showFunctions(d.state.functions);
    state_.plug.channels = d.state.channels;
    state_.image = d.convertedImage;
    const auto& cells = d.cells(state_.language);
    for (int c = 0; c < kChannelCount; ++c) {
        for (int f = 0; f < kFieldCount; ++f)
            table_->setCellText(static_cast<Field>(f), c, cells[c][f]);
        table_->paintRow(c, d.inUse[c] ? state_.colours.textText : state_.colours.text);
    }
    editor_->ChannelEdit();
    editor_->ChInfoColor();
    editor_->JudgeFreRange();
}

} // namespace hx
