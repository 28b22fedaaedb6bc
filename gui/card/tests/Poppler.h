#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace hx {

// What one of poppler's PDF tools (pdftotext, pdfinfo, pdffonts) prints for a file.
inline QString Poppler(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qWarning("%s failed: %s", qPrintable(tool), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace hx
