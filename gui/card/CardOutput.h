#pragma once

#include "core/files/SafeFile.h"
#include "gui/card/ChannelCard.h"

#include <filesystem>
#include <optional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QRectF;

namespace hx {

enum class Paper { A4, Letter };

// The paper size of the user's locale (LC_PAPER): Letter where it is the custom, A4
// everywhere else.
Paper PaperOfLocale();

// Puts a card page of `paper` on a PDF writer or printer: its size and margins.
void SetUpCardPage(QPagedPaintDevice& device, Paper paper);

// Draws the card into `area` of the painter's device.
void PaintCard(QPainter& painter, const ChannelCard& card, const QRectF& area);

// Writes the card as a one-page PDF with its fonts embedded; the file is replaced
// whole or not at all.
std::optional<FileError> WriteCardPdf(const ChannelCard& card, const std::filesystem::path& path,
                                      Paper paper);

// Prints the card on a printer the user has chosen; false when the printer refused.
bool PrintCard(const ChannelCard& card, QPrinter& printer);

} // namespace hx
