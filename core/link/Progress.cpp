#include "core/link/Progress.h"

#include <cmath>

namespace hx {

ProgressReport ReportProgress(int framesBegun, int frameTotal, int lastStep) {
    ProgressReport report;
    if (framesBegun > frameTotal || frameTotal <= 0) {
        report.lastStep = lastStep;
        return report;
    }
    report.shown = true;
    report.barValue = framesBegun;
    const double ratio = static_cast<double>(framesBegun + 1) / frameTotal;
    if (ratio >= 1.0) {
        report.lastFrame = true;
        return report;
    }
    const int step = static_cast<int>(std::lround(100.0 * ratio)) / 10 * 10;
    report.rewriteText = step == 0 || step != lastStep;
    report.lastStep = step;
    return report;
}

} // namespace hx
