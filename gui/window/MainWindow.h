#pragma once

#include "gui/dialogs/QtOwnTexts.h"
#include "gui/dialogs/UserDialogs.h"
#include "gui/window/CardCommands.h"
#include "gui/window/ChannelEditor.h"
#include "gui/window/ChannelTableModel.h"
#include "gui/window/ChannelTableView.h"
#include "gui/window/CloneCommands.h"
#include "gui/window/CompareCommands.h"
#include "gui/window/DataFileCommands.h"
#include "gui/window/FunctionArea.h"
#include "gui/window/ModelArea.h"
#include "gui/window/PlanCommands.h"
#include "gui/window/PlugDocument.h"
#include "gui/window/RecentFileMenu.h"
#include "gui/window/TransferCommands.h"
#include "gui/window/WindowState.h"

#include <QLabel>
#include <QMainWindow>
#include <QToolBar>
#include <map>
#include <memory>

namespace hx {

// The main window: wires the areas together, owns the menus, toolbar and status
// bar, and runs the program's life cycle.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(std::filesystem::path appFolder, UserDialogs& dialogs, PortOpener openPort);

    void startUp();
    bool prepareExit(bool closingWindow);
    void switchModelSeries(int mode);
    void selectLanguage(Language language);
    void readOrStoreSettings(bool storing);
    void showInterfaceTexts();
    // Shows a memory image: as one undo step of `kind`, or without one as a data set
    // opened, which starts the undo history afresh.
    void showImage(const MemoryImage& image, std::optional<EditKind> kind = std::nullopt,
                   int count = 0);
    void showHelp();
    void showAbout();

    WindowState& state() { return state_; }
    const WindowState& state() const { return state_; }
    QAction* action(const QString& objectName) const { return actions_.at(objectName); }
    DataFileCommands& files() { return *files_; }
    TransferCommands& transfers() { return *transfers_; }
    CardCommands& cards() { return *cards_; }
    RecentFileMenu& recentFiles() { return *recent_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    // 1 the state, 2 the port, 3 the file.
    QLabel* statusPanel(int number) const {
        return panels_.at(static_cast<std::size_t>(number - 1));
    }
    void setKeyboardOrder();
    // An empty table and the default functions for `subModel`, as one step.
    void resetCodePlug(EditKind kind, int subModel);
    void showPlug();    // the areas show what the document holds
    void showHistory(); // the Edit menu names the steps
    void undoOrRedo(bool undo);
    void showStartupError();
    void showFileName(bool clearWhenNone = false);
    void showPort() { statusPanel(2)->setText(QString("COM%1").arg(state_.portNumber)); }
    void checkModelMenu();
    MemoryImage encode() const;
    QAction* addMenuItem(QMenu* menu, const char* name, QKeySequence key = {});

    WindowState state_;
    PlugDocument document_{state_};
    UserDialogs& dialogs_;
    ChannelTableModel* tableModel_;
    ModelArea* model_;
    FunctionArea* functions_;
    ChannelTableView* table_;
    ChannelEditor* editor_;
    std::array<QLabel*, 3> panels_{};
    std::map<QString, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
    std::map<QAction*, const char*> toolTipKeys_; // the toolbar's
    std::unique_ptr<DataFileCommands> files_;
    std::unique_ptr<TransferCommands> transfers_;
    std::unique_ptr<CompareCommands> compares_;
    std::unique_ptr<CardCommands> cards_;
    std::unique_ptr<PlanCommands> plans_;
    std::unique_ptr<CloneCommands> clones_;
    RecentFileMenu* recent_ = nullptr;
    QtOwnTexts qtTexts_;
    bool textsLoaded_ = false;
    bool ending_ = false;
};

} // namespace hx
