#include "app/Last4Files.h"

#include "app/MessageBoxes.h"
#include "foundation/Debug.h"
#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QFileInfo>
#include <QtCore/QObject>
#include <QtGui/QAction>

namespace {

std::string ValueName(int position) { return "File" + std::to_string(position); }

}  // namespace

TLast4Files::TLast4Files() { Load(); }

TLast4Files::~TLast4Files() {
    for (const QMetaObject::Connection& click : clicks_) QObject::disconnect(click);
    try {
        Save();
    } catch (const std::exception& e) {
        Debug().Log(QStringLiteral("Recent files not saved: ") + QString::fromUtf8(e.what()));
    }
}

void TLast4Files::SetMenu(const TMenuItems& items) {
    for (const QMetaObject::Connection& click : clicks_) QObject::disconnect(click);
    menu_ = items;
    for (int i = 0; i < kMaxFiles; ++i) {
        QAction* item = menu_.Items[i];
        if (item) clicks_[i] = QObject::connect(item, &QAction::triggered, item, [this, item] { MenuItemClick(item); });
    }
    Refresh();
}

void TLast4Files::Load() {
    files_.clear();
    for (int i = 0; i < kMaxFiles; ++i) files_ << Settings().ReadText(kSection, ValueName(i), {});
    files_.removeAll(QString());
}

void TLast4Files::Save() const {
    TZRRegIniFile& settings = Settings();
    for (int i = 0; i < files_.size(); ++i) settings.WriteText(kSection, ValueName(i), files_[i]);
    for (int i = static_cast<int>(files_.size()); i < kMaxFiles; ++i) settings.DeleteKey(kSection, ValueName(i));
}

void TLast4Files::Insert(const QString& path) {
    // Paths differ by letter case on this system's file systems.
    const qsizetype match = files_.lastIndexOf(path);
    if (match < 0) {
        files_.prepend(path);
        while (files_.size() > kMaxFiles) files_.removeLast();
    } else if (match > 0) {
        files_.move(match, 0);
    }
}

void TLast4Files::AddFile(const QString& path) {
    Insert(path);
    Refresh();
}

void TLast4Files::UpdateMenu() {
    if (!files_.isEmpty() && menu_.Separator) menu_.Separator->setVisible(true);
    for (int i = 0; i < files_.size() && i < kMaxFiles; ++i) {
        QAction* item = menu_.Items[i];
        if (!item) continue;
        QString shown = files_[i];
        shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        item->setText(QStringLiteral("&%1 ").arg(i + 1) + shown);
        item->setData(files_[i]);
        item->setVisible(true);
    }
}

void TLast4Files::MenuItemClick(QAction* item) {
    const QString path = item->data().toString();
    if (path.isEmpty()) return;
    if (QFileInfo(path).isFile()) {
        if (openDocument_) openDocument_(path);
    } else {
        ShowMessageBox(TMessageKind::Warning, LocalizedFormat("IDS_LAST4DAT1", {path}));
    }
}
