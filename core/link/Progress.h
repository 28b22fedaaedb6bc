#pragma once

namespace hx {

// What the communication dialog shows when a frame begins. The status text is
// rewritten at every frame below ten per cent and then once per ten-per-cent step,
// so a transfer does not repaint the status bar 128 times.
struct ProgressReport {
    bool shown = false;       // false: beyond the transfer's frames, nothing changes
    int barValue = 0;         // frames begun before this one
    bool lastFrame = false;   // the success text, and the dialog closes
    bool rewriteText = false; // the running text goes into the status bar
    int lastStep = 0;         // the ten-per-cent step to remember for the next frame
};

ProgressReport ReportProgress(int framesBegun, int frameTotal, int lastStep);

} // namespace hx
