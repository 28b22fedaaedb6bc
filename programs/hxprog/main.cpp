// hxprog: the radio programming window.
#include "adapters/serial/QtSerialPort.h"
#include "core/settings/AppFolder.h"
#include "gui/dialogs/QtUserDialogs.h"
#include "gui/window/MainWindow.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("hxprog");
    const auto programDir =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
    const auto userDir = std::filesystem::path(
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString());
    hx::QtUserDialogs dialogs;
    hx::MainWindow window(hx::ChooseAppFolder(programDir, userDir), dialogs, hx::OpenQtSerialPort);
    dialogs.setOwner(&window);
    window.startUp();
    window.show();
    return QApplication::exec();
}
