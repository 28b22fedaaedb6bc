#pragma once

#include "core/files/SafeFile.h"
#include "core/settings/LocalePaper.h"
#include "gui/card/ChannelCard.h"

#include <filesystem>
#include <optional>

class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace hx {

// Puts a card page of `paper` on a PDF writer or printer: its size and margins.
void SetUpCardPage(QPagedPaintDevice& device, Paper paper);

// The part of a card page inside its margins, where the painter's origin lies.
QRectF CardPaintArea(const QPagedPaintDevice& device);

// Draws the card into `area` of the painter's device.
void PaintCard(QPainter& painter, const ChannelCard& card, const QRectF& area);

// Writes the card as a one-page PDF with its fonts embedded; the file is replaced
// whole or not at all.
std::optional<FileError> WriteCardPdf(const ChannelCard& card, const std::filesystem::path& path,
                                      Paper paper);

} // namespace hx
