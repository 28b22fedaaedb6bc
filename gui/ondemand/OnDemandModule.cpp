// The module of what only some of the window's commands need (gui/ondemand/OnDemand.h).
#include "core/production/Digest.h"
#include "gui/card/CardOutput.h"
#include "gui/ondemand/OnDemand.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QtGlobal>

namespace hx {
namespace {

class Module final : public OnDemand {
public:
    PrintOutcome printCard(const ChannelCard& card, Paper paper,
                           const std::function<bool(QPrinter&)>& choose) const override {
        QPrinter printer(QPrinter::HighResolution);
        SetUpCardPage(printer, paper);
        printer.setDocName(QString::fromStdString(card.title));
        if (!choose(printer))
            return PrintOutcome::Cancelled;
        QPainter painter;
        if (!painter.begin(&printer))
            return PrintOutcome::Failed;
        PaintCard(painter, card, CardPaintArea(printer));
        return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
    }

    bool choosePrinter(QPrinter& printer, QWidget* owner) const override {
        QPrintDialog dialog(&printer, owner);
        return dialog.exec() == QDialog::Accepted;
    }

    std::string radioBytesDigest(const MemoryImage& image) const override {
        return RadioBytesDigest(image);
    }
};

} // namespace
} // namespace hx

// Exported as kOnDemandEntry names it.
extern "C" Q_DECL_EXPORT const hx::OnDemand* hxOnDemand() {
    static const hx::Module module;
    return &module;
}
