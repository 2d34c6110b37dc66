#include "platform/shell/SpecialFolders.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QStandardPaths>

namespace shell {

namespace {

QStandardPaths::StandardLocation LocationOf(SpecialFolder folder) {
    switch (folder) {
    case SpecialFolder::AppData: return QStandardPaths::GenericDataLocation;
    case SpecialFolder::Config: return QStandardPaths::GenericConfigLocation;
    case SpecialFolder::Cache: return QStandardPaths::GenericCacheLocation;
    case SpecialFolder::Personal: return QStandardPaths::DocumentsLocation;
    case SpecialFolder::Desktop: return QStandardPaths::DesktopLocation;
    case SpecialFolder::Pictures: return QStandardPaths::PicturesLocation;
    case SpecialFolder::Music: return QStandardPaths::MusicLocation;
    case SpecialFolder::Temp: return QStandardPaths::TempLocation;
    }
    return QStandardPaths::TempLocation;
}

QString WithoutTrailingSeparator(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
    return path;
}

}  // namespace

QString GetSpecialFolder(SpecialFolder folder) {
    return WithoutTrailingSeparator(QStandardPaths::writableLocation(LocationOf(folder)));
}

QString GetProgramFolderPath() {
    if (QCoreApplication::instance()) return WithoutTrailingSeparator(QCoreApplication::applicationDirPath());
    return WithoutTrailingSeparator(QDir::currentPath());
}

}  // namespace shell
