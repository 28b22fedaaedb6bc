#include "gui/window/MainWindow.h"

#include "core/image/ImageDecoder.h"
#include "core/image/ImageEncoder.h"
#include "gui/dialogs/AboutDialog.h"
#include "gui/style/Colours.h"
#include "gui/style/Fonts.h"
#include "gui/style/ToolbarIcons.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

namespace hx {
namespace {

// The toolbar's buttons: its picture and tool tip key, the menu item it presses. An
// empty key is a separator.
constexpr std::pair<const char*, const char*> kToolbar[] = {{"", ""},
                                                            {"FileNew", "newFileAction"},
                                                            {"", ""},
                                                            {"FileOpen", "openFileAction"},
                                                            {"FileSave", "saveFileAction"},
                                                            {"", ""},
                                                            {"Read", "readRadioAction"},
                                                            {"Write", "writeRadioAction"},
                                                            {"", ""},
                                                            {"Port", "communicationPortAction"},
                                                            {"", ""},
                                                            {"Help", "helpTopicAction"},
                                                            {"", ""},
                                                            {"Exit", "exitAction"}};

} // namespace

MainWindow::MainWindow(std::filesystem::path appFolder, UserDialogs& dialogs, PortOpener openPort)
    : dialogs_(dialogs) {
    InstallFontSubstitutes();
    setObjectName("MainWindow");
    state_.appFolder = std::move(appFolder);
    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    functions_ = new FunctionArea(state_, central);
    tableModel_ = new ChannelTableModel(state_, this);
    table_ = new ChannelTableView(state_, central);
    table_->setModel(tableModel_);
    editor_ = new ChannelEditor(state_, *tableModel_, document_, dialogs_, *functions_, central);
    model_ =
        new ModelArea(state_, dialogs_,
                      {[this](int subModel) { resetCodePlug(EditKind::SubModelSwitch, subModel); },
                       [this] { readOrStoreSettings(true); }, [this] { editor_->reformatBoxes(); }},
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
        DataFileCommands::Window{
            [this] { return encode(); }, [this](const MemoryImage& image) { showImage(image); },
            [this] {
                resetCodePlug(EditKind::NewDataSet, state_.selectedSubModel);
                editor_->focusReceiveFrequency();
            },
            [this] { document_.markClean(); }, [this] { readOrStoreSettings(true); },
            [this] { showFileName(); }, [this] { editor_->focusOk(); },
            [this](const auto& path) { recent_->remember(path); },
            [this](const auto& path) { recent_->forget(path); }});
    buildStatusBar();
    transfers_ = std::make_unique<TransferCommands>(
        state_, dialogs_,
        TransferCommands::Window{this,
                                 [this](const std::string& status) {
                                     statusPanel(1)->setText(Q(status));
                                     statusPanel(1)->repaint();
                                 },
                                 [this] { showPort(); }, [this] { return model_->selected() >= 0; },
                                 [this] { return encode(); },
                                 [this](const MemoryImage& image) {
                                     showImage(image, EditKind::ReadRadio, kChannelCount);
                                 },
                                 [this] { readOrStoreSettings(true); },
                                 [this](bool clearWhenNone) { showFileName(clearWhenNone); }},
        openPort);
    compares_ = std::make_unique<CompareCommands>(
        state_, dialogs_, *transfers_, CompareCommands::Window{this, [this] { return encode(); }});
    cards_ = std::make_unique<CardCommands>(
        state_, dialogs_,
        CardCommands::Window{[this] { return encode(); },
                             [this] {
                                 return DecoderState{model_->selected(), functions_->functions(),
                                                     state_.plug.channels};
                             }});
    plans_ = std::make_unique<PlanCommands>(
        state_, dialogs_,
        PlanCommands::Window{this, *table_,
                             [this] {
                                 return DecoderState{model_->selected(), functions_->functions(),
                                                     state_.plug.channels};
                             },
                             [this](const MemoryImage& image, EditKind kind, int count) {
                                 showImage(image, kind, count);
                             },
                             [this](int channel) { editor_->selectChannelFromTable(channel); }});
    clones_ = std::make_unique<CloneCommands>(state_, dialogs_, this, std::move(openPort));
    buildMenus();
    buildToolbar();
    setKeyboardOrder();

    connect(table_, &ChannelTableView::cellClicked, editor_,
            &ChannelEditor::selectChannelFromTable);
    connect(table_, &ChannelTableView::cellRightClicked, this, [this](int channel) {
        state_.readyForFocus = false;
        state_.selectedRow = state_.currentChannel = channel;
        editor_->selectChannel(channel);
        state_.currentChannel = channel;
        editor_->showChannel(channel);
        state_.readyForFocus = true;
    });
    connect(table_, &ChannelTableView::deleteChannelChosen, editor_,
            &ChannelEditor::deleteCurrentChannel);
    connect(table_, &ChannelTableView::deleteAllChannelsChosen, this, [this] {
        editor_->deleteAllChannels();
        editor_->focusReceiveFrequency();
    });
    connect(editor_, &ChannelEditor::channelSelected, table_, &ChannelTableView::follow);
    connect(table_, &ChannelTableView::copyChosen, this, [this] { plans_->copyChannels(); });
    connect(table_, &ChannelTableView::pasteChosen, this, [this] { plans_->pasteChannels(); });
    connect(table_, &ChannelTableView::moveChosen, this,
            [this](int step) { plans_->moveChannels(step); });
    connect(table_, &ChannelTableView::clearChosen, this, [this] { plans_->clearChannels(); });
    connect(functions_, &FunctionArea::functionsChanged, this, [this] {
        PlugSnapshot after = document_.current();
        after.functions = functions_->functions();
        document_.apply(EditKind::FunctionSetting, 0, after);
    });
    connect(&document_, &PlugDocument::plugChanged, this, &MainWindow::showPlug);
    connect(&document_, &PlugDocument::historyChanged, this, &MainWindow::showHistory);
}

void MainWindow::showPlug() {
    const int subModel = state_.selectedSubModel;
    if (subModel != model_->selected()) {
        model_->showQuietly(subModel);
        readOrStoreSettings(true);
    }
    functions_->showFunctions(state_.plug.functions);
    tableModel_->refresh();
}

void MainWindow::showHistory() {
    const PlugHistory& history = document_.history();
    QAction* undo = action("undoAction");
    QAction* redo = action("redoAction");
    undo->setText(Q(history.undoText(state_.language)));
    undo->setEnabled(history.canUndo());
    redo->setText(Q(history.redoText(state_.language)));
    redo->setEnabled(history.canRedo());
}

// The editor shows the channel as the step left it; typing not yet stored is gone.
void MainWindow::undoOrRedo(bool undo) {
    if (undo)
        document_.undo();
    else
        document_.redo();
    editor_->showSelectedChannel();
    if (state_.marksOutOfBand)
        editor_->judgeFrequencyRanges();
}

MemoryImage MainWindow::encode() const {
    const auto& m = state_.model;
    return EncodeImage({state_.plug.channels, functions_->functions(), model_->selected(),
                        state_.modelCode, m.profile, m.tones});
}

QAction* MainWindow::addMenuItem(QMenu* menu, const char* name, QKeySequence key) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(name);
    a->setShortcut(key);
    actions_[name] = a;
    return a;
}

void MainWindow::buildMenus() {
    const auto menu = [&](QMenu* parent, const char* name) {
        QMenu* m = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
        m->setObjectName(name);
        menus_[name] = m;
        return m;
    };
    QMenu* file = menu(nullptr, "fileMenu");
    connect(addMenuItem(file, "newFileAction", QKeySequence("Ctrl+N")), &QAction::triggered, this,
            [this] { files_->newFile(); });
    connect(addMenuItem(file, "openFileAction", QKeySequence("Ctrl+O")), &QAction::triggered, this,
            [this] { files_->openFile(); });
    connect(addMenuItem(file, "saveFileAction", QKeySequence("Ctrl+S")), &QAction::triggered, this,
            [this] { files_->saveFile(); });
    connect(addMenuItem(file, "saveFileAsAction"), &QAction::triggered, this,
            [this] { files_->saveFileAs(); });
    connect(addMenuItem(file, "compareFileAction"), &QAction::triggered, this,
            [this] { compares_->compareWithFile(); });
    connect(addMenuItem(file, "exportPlanAction"), &QAction::triggered, this,
            [this] { plans_->exportPlan(); });
    connect(addMenuItem(file, "importPlanAction"), &QAction::triggered, this,
            [this] { plans_->importPlan(); });
    file->addSeparator()->setObjectName("cardSeparator");
    connect(addMenuItem(file, "printAction", QKeySequence("Ctrl+P")), &QAction::triggered, this,
            [this] { cards_->print(); });
    connect(addMenuItem(file, "exportPdfAction"), &QAction::triggered, this,
            [this] { cards_->exportPdf(); });
    file->addSeparator()->setObjectName("fileCommandsSeparator");
    recent_ = new RecentFileMenu(
        file, [this] { return state_.profileFile(); },
        [this](const std::filesystem::path& path) { files_->openRecentFile(path); });
    connect(addMenuItem(file, "exitAction"), &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menu(nullptr, "editMenu");
    connect(addMenuItem(edit, "undoAction", QKeySequence::Undo), &QAction::triggered, this,
            [this] { undoOrRedo(true); });
    QAction* redo = addMenuItem(edit, "redoAction");
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, this, [this] { undoOrRedo(false); });

    QMenu* program = menu(nullptr, "programMenu");
    connect(addMenuItem(program, "readRadioAction", QKeySequence("Ctrl+R")), &QAction::triggered,
            transfers_.get(), &TransferCommands::readRadio);
    connect(addMenuItem(program, "writeRadioAction", QKeySequence("Ctrl+W")), &QAction::triggered,
            transfers_.get(), &TransferCommands::writeRadio);
    program->addSeparator();
    connect(addMenuItem(program, "compareRadioAction"), &QAction::triggered, this,
            [this] { compares_->compareWithRadio(); });
    program->addSeparator()->setObjectName("proofSeparator");
    transfers_->attachProofItems(*program, *addMenuItem(program, "verifyAfterWriteAction"),
                                 *addMenuItem(program, "backupBeforeWriteAction"));
    connect(addMenuItem(program, "cloneRadiosAction"), &QAction::triggered, this,
            [this] { clones_->showCloneDialog(); });

    QMenu* settings = menu(nullptr, "settingsMenu");
    connect(addMenuItem(settings, "communicationPortAction"), &QAction::triggered, transfers_.get(),
            &TransferCommands::showPortDialog);
    connect(addMenuItem(settings, "checkCableAction"), &QAction::triggered, transfers_.get(),
            &TransferCommands::showCableCheck);
    settings->addSeparator()->setObjectName("portSeparator");
    QMenu* language = menu(settings, "languageMenu");
    QAction* chinese = addMenuItem(language, "chineseAction");
    QAction* english = addMenuItem(language, "englishAction");
    chinese->setCheckable(true);
    english->setCheckable(true);
    connect(chinese, &QAction::triggered, this, [this] { selectLanguage(Language::Chinese); });
    connect(english, &QAction::triggered, this, [this] { selectLanguage(Language::English); });
    QAction* modelSeparator = settings->addSeparator();
    modelSeparator->setObjectName("modelSeriesSeparator");
    modelSeparator->setVisible(false);
    QMenu* modelMenu = menu(settings, "modelSeriesMenu");
    modelMenu->menuAction()->setVisible(false);
    const std::pair<const char*, int> models[] = {
        {"hx7100Action", 7100}, {"hx7200Action", 7200}, {"hx7400Action", 7400}};
    const QKeySequence modelKeys[] = {Qt::Key_F2, Qt::Key_F3, Qt::Key_F5};
    for (int i = 0; i < 3; ++i) {
        QAction* item = addMenuItem(modelMenu, models[i].first, modelKeys[i]);
        item->setCheckable(true);
        addAction(item); // its key works while the submenu is hidden
        const int code = models[i].second;
        connect(item, &QAction::triggered, this, [this, code] { switchModelSeries(code); });
    }

    QMenu* help = menu(nullptr, "helpMenu");
    connect(addMenuItem(help, "helpTopicAction", Qt::Key_F1), &QAction::triggered, this,
            &MainWindow::showHelp);
    help->addSeparator()->setObjectName("helpSeparator");
    connect(addMenuItem(help, "aboutAction"), &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::buildToolbar() {
    QToolBar* toolbar = addToolBar(QString());
    toolbar->setObjectName("toolbar");
    toolbar->setMovable(false);
    for (const auto& [key, item] : kToolbar) {
        if (!*key) {
            toolbar->addSeparator();
            continue;
        }
        QAction* a = action(item);
        a->setIcon(ToolbarIcon(key));
        a->setIconVisibleInMenu(false); // the menus keep their look
        toolbar->addAction(a);
        toolbar->widgetForAction(a)->setObjectName(QString(key) + "Button");
        toolTipKeys_[a] = key;
    }
}

void MainWindow::buildStatusBar() {
    const char* keys[] = {"statePanel", "portPanel", "fileNamePanel"};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new QLabel(this);
        panel->setObjectName(keys[i]);
        panels_[static_cast<std::size_t>(i)] = panel;
        statusBar()->addWidget(panel, i == 2 ? 1 : 0);
    }
    statusBar()->setObjectName("statusBar");
}

// Tab follows the reading order: model, functions, channel editor and its OK, then
// the table as a single stop, inside which the arrows move.
void MainWindow::setKeyboardOrder() {
    const QList<QWidget*> order = model_->keyboardOrder() + functions_->keyboardOrder() +
                                  editor_->keyboardOrder() + table_->cellsInReadingOrder();
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void MainWindow::showHelp() {
    const auto documents = HelpDocumentsFor(state_.appFolder, state_.modelCode, state_.language);
    for (const auto& document : documents)
        if (dialogs_.openDocument(document))
            return;
    dialogs_.tell(state_.text(Text::MessageTitle),
                  state_.text(Text::HelpNotOpened) + documents.back().string(),
                  MessageIcon::Exclamation);
}

void MainWindow::showAbout() {
    const auto& titles = state_.model.profile.titles;
    const bool chinese = state_.language == Language::Chinese;
    AboutDialog about({AboutLinesFor(state_.modelCode, state_.language),
                       chinese ? titles.versionChinese : titles.versionEnglish,
                       chinese ? titles.releaseChinese : titles.releaseEnglish, state_.language,
                       state_.colours.full},
                      this);
    dialogs_.showModal(about);
}

void MainWindow::startUp() {
    state_.readyForFocus = false;
    state_.origin = DataOrigin::New;
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
        tableModel_->refresh();
        state_.model = LoadModelData(state_.settingDir(), state_.modelCode);
        recent_->load();

        editor_->fillToneLists();
        model_->fillList();
        functions_->fillLists();
        functions_->applyDefaults();
        state_.plug.functions = state_.model.profile.functionDefaults;
        editor_->setIdle();

        state_.silentSubModelChange = true;
        readOrStoreSettings(false);
        state_.silentSubModelChange = false;
        document_.clearHistory();
        showInterfaceTexts();
        state_.image = BlankImage();
        statusPanel(1)->setText(Q(state_.text(Text::Ready)));
        state_.readyForFocus = true;
        editor_->focusReceiveFrequency(); // where a channel is typed
    } catch (const std::exception&) {
        state_.silentSubModelChange = false;
        showStartupError();
    }
    files_->markUnchanged();
    state_.startupInProgress = false;
}

void MainWindow::showStartupError() {
    dialogs_.tell(textsLoaded_ ? state_.text(Text::MessageTitle) : std::string(),
                  state_.text(Text::StartupFailed), MessageIcon::Exclamation);
}

void MainWindow::readOrStoreSettings(bool storing) {
    const SettingsStore store(ProfileFile(state_.profileFile()));
    const StoreSet set{state_.language, state_.portNumber, state_.currentDataFile,
                       model_->selected(), state_.bandCheckOn};
    const SettingsOutcome outcome =
        hx::ReadOrStoreSettings(store, storing, state_.startupInProgress, set,
                                [this] { return dialogs_.chooseLanguage(state_.colours.full); });
    if (outcome.colours)
        state_.colours = *outcome.colours;
    if (outcome.failed)
        throw std::runtime_error("settings");
    if (!outcome.settings)
        return;
    const StoredSettings& s = *outcome.settings;
    state_.bandCheckOn = s.bandCheckOn;
    state_.marksOutOfBand = s.outOfBandMarking;
    state_.notLimitedModel = s.notLimitedModel;
    state_.language = s.language;
    action("chineseAction")->setChecked(s.language == Language::Chinese);
    action("englishAction")->setChecked(s.language != Language::Chinese);
    state_.portNumber = s.portNumber;
    showPort();
    int p = s.subModel;
    if (p > state_.model.profile.subModelCount - 1)
        p = 0;
    if (p < 0)
        return; // addresses no band: the rest stays as it was
    model_->select(p);
    model_->showBand(p);
    state_.bandLabelText = model_->bandText();
    state_.currentDataFile = s.path;
    if (s.path.empty() || state_.startupInProgress)
        state_.currentDataFile = state_.scratchDataFile().string();
    editor_->setTxEqualsRx(s.txEqualsRx == 1);
}

void MainWindow::showInterfaceTexts() {
    const Language lang = state_.language;
    const auto& titles = state_.model.profile.titles;
    setWindowTitle(Q(lang == Language::Chinese ? titles.titleChinese : titles.titleEnglish));
    ApplyFont(this, lang);
    menuBar()->setFont(QApplication::font());
    qtTexts_.apply(lang);

    for (auto& [name, menu] : menus_)
        if (const Bilingual* caption = CaptionOf(name.toStdString()))
            menu->setTitle(Q(std::string(caption->in(lang))));
    for (auto& [name, item] : actions_)
        if (const Bilingual* caption = CaptionOf(name.toStdString()))
            item->setText(Q(std::string(caption->in(lang))));
    for (const auto& [a, key] : toolTipKeys_)
        a->setToolTip(Q(std::string(ToolbarToolTipOf(key)->in(lang))));
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
    functions_->fillLists();
    tableModel_->refresh();
    showHistory();
    textsLoaded_ = true;
}

void MainWindow::showFileName(bool clearWhenNone) {
    if (!state_.currentDataFile.empty())
        statusPanel(3)->setText(Q(state_.text(Text::FileNamePrefix) + state_.currentDataFile));
    else if (clearWhenNone)
        statusPanel(3)->clear();
}

void MainWindow::selectLanguage(Language language) {
    action("chineseAction")->setChecked(language == Language::Chinese);
    action("englishAction")->setChecked(language != Language::Chinese);
    state_.language = language;
    readOrStoreSettings(true);
    showInterfaceTexts();
}

void MainWindow::resetCodePlug(EditKind kind, int subModel) {
    editor_->clearBoxes();
    int inUse = 0;
    for (int c = 0; c < kChannelCount; ++c)
        inUse += state_.plug.channels.inUse(c) ? 1 : 0;
    document_.apply(kind, inUse, {ChannelTable(), state_.model.profile.functionDefaults, subModel});
    editor_->selectChannel(0);
}

bool MainWindow::prepareExit(bool closingWindow) {
    const bool yes =
        !closingWindow || dialogs_.ask(state_.text(Text::MessageTitle),
                                       state_.text(Text::ExitQuestion), MessageIcon::Question);
    if (!yes)
        return false;
    // A save that failed keeps the window, so that nothing is lost.
    if (files_->offerToSave() == DataFileCommands::SaveOutcome::Failed)
        return false;
    const SettingsStore store(ProfileFile(state_.profileFile()));
    store.storeTxEqualsRx(editor_->txEqualsRx());
    if (closingWindow)
        ending_ = true;
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (ending_ || prepareExit(true))
        event->accept();
    else
        event->ignore();
}

void MainWindow::checkModelMenu() {
    const int series = ModelSeries(state_.modelCode);
    action("hx7100Action")->setChecked(series == 7100);
    action("hx7200Action")->setChecked(series == 7200);
    action("hx7400Action")->setChecked(series == 7400);
}

void MainWindow::switchModelSeries(int mode) {
    checkModelMenu(); // a click toggled the item; the model in use stays checked
    if (mode == state_.modelCode)
        return;
    const std::string series = mode == 7100 ? "71" : mode == 7400 ? "74" : "72";
    const std::string question = FillText(state_.text(Text::SwitchSeriesQuestion), {series});
    if (!dialogs_.ask(state_.text(Text::MessageTitle), question, MessageIcon::Question))
        return;
    if (!prepareExit(false))
        return; // the changes could not be saved: they stay
    ProfileFile(state_.settingDir() / kSettingsFileName)
        .write("Config", "Type", std::to_string(mode));
    startUp();
}

void MainWindow::showImage(const MemoryImage& image, std::optional<EditKind> kind, int count) {
    const DecoderState before{state_.selectedSubModel, functions_->functions(),
                              state_.plug.channels};
    const DecodeResult d = hx::DecodeImage(
        image, {state_.modelCode, state_.model.profile, state_.model.tones}, before);
    if (d.subModelChanged)
        editor_->clearBoxes();
    const PlugSnapshot after{d.state.channels, d.state.functions, d.state.subModel};
    if (kind)
        document_.apply(*kind, count, after);
    else
        document_.load(after);
    if (d.subModelChanged)
        editor_->selectChannel(0);
    state_.image = d.convertedImage;
    editor_->showSelectedChannel();
    editor_->judgeFrequencyRanges();
}

} // namespace hx
