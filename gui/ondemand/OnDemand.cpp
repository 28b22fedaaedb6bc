#include "gui/ondemand/OnDemand.h"

#include <QCoreApplication>
#include <QLibrary>

namespace hx {

std::string OnDemandFileName() {
    return HX_ONDEMAND_FILE_NAME;
}

const OnDemand* LoadOnDemand() {
    static const OnDemand* const loaded = [] {
        const QString program = QCoreApplication::applicationDirPath();
        for (const QString& folder : {program, program + "/" HX_ONDEMAND_FROM_PROGRAM}) {
            // Never unloaded: what it made lives as long as the program.
            QLibrary module(folder + "/" + QString::fromStdString(OnDemandFileName()));
            using Entry = const OnDemand* (*)();
            if (const auto entry = reinterpret_cast<Entry>(module.resolve(kOnDemandEntry)))
                return entry();
        }
        return static_cast<const OnDemand*>(nullptr);
    }();
    return loaded;
}

} // namespace hx
