// hxprog: the radio programming window.
#include "app/AppFolder.h"
#include "app/window/QtUserDialogs.h"
#include "app/window/frmMain.h"
#include "link/qt/QtSerialPort.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("hxprog");
    const auto programDir =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
    hx::QtUserDialogs dialogs;
    hx::frmMain window(hx::ChooseAppFolder(programDir, hx::UserDataFolder()), dialogs,
                       hx::OpenQtSerialPort);
    dialogs.setOwner(&window);
    window.InitialSoft();
    window.show();
    return QApplication::exec();
}
