// hxprog: the radio programming window.
#include "app/AppFolder.h"
#include "app/window/QtUserDialogs.h"
#include "app/window/frmMain.h"
#include "link/qt/QtSerialPort.h"

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
    hx::frmMain window(hx::ChooseAppFolder(programDir, userDir), dialogs, hx::OpenQtSerialPort);
    dialogs.setOwner(&window);
    window.InitialSoft();
    window.show();
    return QApplication::exec();
}
