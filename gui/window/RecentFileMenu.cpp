#include "gui/window/RecentFileMenu.h"

namespace hx {

RecentFileMenu::RecentFileMenu(QMenu* fileMenu, ProfilePath profile, Open open)
    : QObject(fileMenu), profile_(std::move(profile)) {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        QAction* item = fileMenu->addAction(QString("&%1").arg(i + 1));
        item->setObjectName(QString("recentFileAction%1").arg(i));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, i, open] {
            if (i >= files_.paths().size())
                return;
            const std::filesystem::path chosen = files_.paths()[i]; // opening changes the list
            open(chosen);
        });
        items_[i] = item;
    }
    separator_ = fileMenu->addSeparator();
    separator_->setObjectName("recentFilesSeparator");
    separator_->setVisible(false);
}

void RecentFileMenu::load() {
    files_ = RecentFiles::Load(ProfileFile(profile_()));
    show();
}

void RecentFileMenu::remember(const std::filesystem::path& file) {
    files_.remember(file.string());
    storeAndShow();
}

void RecentFileMenu::forget(const std::filesystem::path& file) {
    files_.forget(file.string());
    storeAndShow();
}

void RecentFileMenu::storeAndShow() {
    files_.store(ProfileFile(profile_())); // a profile that cannot be written keeps the menu
    show();
}

void RecentFileMenu::show() {
    const auto& paths = files_.paths();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        items_[i]->setVisible(i < paths.size());
        if (i < paths.size()) {
            // Item ten's key is its 0; an ampersand in a path is shown, not a key.
            const QString number = i == 9 ? QString("1&0") : QString("&%1").arg(i + 1);
            items_[i]->setText(number + "  " + QString::fromStdString(paths[i]).replace('&', "&&"));
        }
    }
    separator_->setVisible(!paths.empty());
}

} // namespace hx
