// hxprog: the radio programming window.
#include "adapters/serial/QtSerialPort.h"
#include "core/settings/AppFolder.h"
#include "gui/dialogs/QtUserDialogs.h"
#include "gui/window/MainWindow.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("hxprog");
    const auto programDir =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
    hx::QtUserDialogs dialogs;
    hx::MainWindow window(hx::ChooseAppFolder(programDir, hx::UserDataFolder()), dialogs,
                          hx::OpenQtSerialPort);
    dialogs.setOwner(&window);
    window.startUp();
    window.show();
    // A data file named on the command line (a double-click in the file manager).
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        window.files().openDataFile(QFileInfo(arguments[1]).absoluteFilePath().toStdString());
    return QApplication::exec();
}
