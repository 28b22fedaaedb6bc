#pragma once

#include "core/production/CloneRun.h"

namespace hx {

// Clone stations on QThreads: a QtSerialPort opened on a thread without Qt's event
// dispatcher cannot set up its notifiers.
ThreadStarter QtStationThreads();

} // namespace hx
