#pragma once

#include "app/window/ChannelEditor.h"
#include "app/window/ChannelTableView.h"
#include "app/window/DataFileCommands.h"
#include "app/window/FunctionArea.h"
#include "app/window/ModelArea.h"
#include "app/window/QtOwnTexts.h"
#include "app/window/RecentFileMenu.h"
#include "app/window/TransferCommands.h"
#include "app/window/UserDialogs.h"
#include "app/window/WindowState.h"

#include <QLabel>
#include <QMainWindow>
#include <QToolBar>
#include <map>
#include <memory>

namespace hx {

// The main window: wires the areas together, owns the menus, toolbar and status
// bar, and runs the program's life cycle.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(std::filesystem::path appFolder, UserDialogs& dialogs, PortOpener openPort);

    void InitialSoft();
    bool ExitSoft(bool unloadMe);
    void SaveModeType(int mode);
    void selectLanguage(Language language);
    void InitSoftDefault(bool saveRead);
    void InitInterFace();
    // Shows a memory image, as after opening a file or reading a radio.
    void SoftDisplay(const MemoryImage& image);
    void toolbarClicked(const QString& key);
    void Help();
    void mnuAboutSoft_Click();

    WindowState& state() { return state_; }
    const WindowState& state() const { return state_; }
    ModelArea* modelArea() const { return model_; }
    FunctionArea* functionArea() const { return functions_; }
    ChannelEditor* editor() const { return editor_; }
    ChannelTableView* table() const { return table_; }
    QAction* action(const QString& objectName) const { return actions_.at(objectName); }
    QLabel* statusPanel(int number) const {
        return panels_.at(static_cast<std::size_t>(number - 1));
    }
    QToolBar* toolbar() const { return tlbFrmMain_; }
    DataFileCommands& files() { return *files_; }
    TransferCommands& transfers() { return *transfers_; }
    RecentFileMenu& recentFiles() { return *recent_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void setKeyboardOrder();
    void resetCodePlug();
    void DeteChanData();
    void showStartupError();
    void showFileName(bool clearWhenNone = false);
    void checkModelMenu();
    MemoryImage encode() const;
    QAction* addMenuItem(QMenu* menu, const char* name, QKeySequence key = {});

    WindowState state_;
    UserDialogs& dialogs_;
    ModelArea* model_;
    FunctionArea* functions_;
    ChannelTableView* table_;
    ChannelEditor* editor_;
    QToolBar* tlbFrmMain_ = nullptr;
    std::array<QLabel*, 3> panels_{};
    std::map<QString, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
    std::unique_ptr<DataFileCommands> files_;
    std::unique_ptr<TransferCommands> transfers_;
    RecentFileMenu* recent_ = nullptr;
    QtOwnTexts qtTexts_;
    bool textsLoaded_ = false;
    bool ending_ = false;
};

} // namespace hx
