#pragma once

#include "core/image/MemoryImage.h"
#include "core/settings/LocalePaper.h"
#include "gui/card/ChannelCard.h"

#include <functional>
#include <string>

class QPrinter;
class QWidget;

namespace hx {

// What only some commands of the window need, with the libraries it takes: printing
// (Qt Print Support) and the SHA-256 that names a cloning master (the crypto library).
// It lives in a module of its own, loaded on first use, so that starting the window
// loads neither library.
class OnDemand {
public:
    enum class PrintOutcome { Printed, Cancelled, Failed };

    virtual ~OnDemand() = default;

    // Sets a printer up for a card on `paper`, lets `choose` show it to the user (false:
    // cancelled) and prints `card` on it.
    virtual PrintOutcome printCard(const ChannelCard& card, Paper paper,
                                   const std::function<bool(QPrinter&)>& choose) const = 0;
    // The system's print dialog for `printer`, owned by `owner`; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer, QWidget* owner) const = 0;
    // RadioBytesDigest of `image`.
    virtual std::string radioBytesDigest(const MemoryImage& image) const = 0;
};

// The module, loaded by the first call: beside the program (the build tree, a portable
// copy) or in the library folder of an installation. Nothing, and every later call
// nothing again, when it cannot be loaded.
const OnDemand* LoadOnDemand();

// The module's file name, for a message that it could not be loaded.
std::string OnDemandFileName();

// The name the module's one entry point is exported under: a function without
// arguments that returns the module's OnDemand.
inline constexpr const char* kOnDemandEntry = "hxOnDemand";

} // namespace hx
