#pragma once

#include "core/link/SerialDevices.h"
#include "core/texts/Language.h"
#include "gui/dialogs/UserDialogs.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace hx {

using DeviceLister = std::function<std::vector<SerialDevice>()>;

// Finds the port number of the programming cable by the one serial device that
// appears when the user plugs it in again. When no number names that device, it
// offers a line for Setting/Ports.ini and writes it only on Yes. Asks and tells
// through `dialogs`; never opens a port.
std::optional<int> FindCable(UserDialogs& dialogs, Language language,
                             const std::filesystem::path& settingDir,
                             const DeviceLister& listDevices);

} // namespace hx
