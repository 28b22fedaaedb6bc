#pragma once

#include "core/settings/RecentFiles.h"

#include <QAction>
#include <QMenu>
#include <array>
#include <filesystem>
#include <functional>

namespace hx {

// The File menu's items &1 to &10: the data files last opened or saved in the
// current model series, shown once there are any.
class RecentFileMenu : public QObject {
    Q_OBJECT
public:
    using Open = std::function<void(const std::filesystem::path&)>;
    using ProfilePath = std::function<std::filesystem::path()>;
    // Appends the items and their closing separator to `fileMenu`.
    RecentFileMenu(QMenu* fileMenu, ProfilePath profile, Open open);

    void load(); // the list of the model series now in use
    void remember(const std::filesystem::path& file);
    void forget(const std::filesystem::path& file);

    QAction* item(std::size_t i) const { return items_.at(i); }
    const RecentFiles& files() const { return files_; }

private:
    void storeAndShow();
    void show();

    ProfilePath profile_;
    RecentFiles files_;
    std::array<QAction*, RecentFiles::kCapacity> items_{};
    QAction* separator_;
};

} // namespace hx
