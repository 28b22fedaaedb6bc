#pragma once

#include <QCoreApplication>

namespace hxtool {

// QSerialPort wants an application object even when it is only waited on.
struct QtRuntime {
    int argc = 1;
    char name[8] = "hxtool";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

} // namespace hxtool
