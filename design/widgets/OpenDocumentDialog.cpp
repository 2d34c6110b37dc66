#include "design/widgets/OpenDocumentDialog.h"

#include "design/DocumentPreview.h"
#include "design/widgets/ZROpenPictureDialog.h"
#include "foundation/Debug.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"
#include "platform/gdi/Bitmap.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QPainter>

namespace {

constexpr const char* kGeneralSection = "Allgemein";
constexpr const char* kFolderValue = "SaveDir";
constexpr const char* kPreviewValue = "Preview";
constexpr int kPreviewMargin = 10;

QString StartFolder(const QString& lastFolder) {
    try {
        return Settings().ReadText(kGeneralSection, kFolderValue, lastFolder);
    } catch (const std::exception& e) {
        Debug().Log(QStringLiteral("Open: no start folder: ") + QString::fromUtf8(e.what()));
        return QCoreApplication::applicationDirPath();
    }
}

void SaveDialogState(const QString& fileName, bool preview) {
    try {
        Settings().WriteText(kGeneralSection, kFolderValue, QFileInfo(fileName).absolutePath() + QLatin1Char('/'));
        Settings().WriteBool(kGeneralSection, kPreviewValue, preview);
    } catch (const std::exception& e) {
        Debug().Log(QStringLiteral("Open: folder not remembered: ") + QString::fromUtf8(e.what()));
    }
}

}  // namespace

QStringList FileDialogNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (patterns == QLatin1String("*.*")) patterns = QStringLiteral("*");
        // The patterns in brackets are the ones the dialog applies.
        const qsizetype bracket = description.lastIndexOf(QLatin1Char('('));
        if (bracket > 0 && description.endsWith(QLatin1Char(')'))) description = description.left(bracket).trimmed();
        filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

bool PreviewCentred(gdi::Bitmap& target, const std::function<std::optional<gdi::Bitmap>(int width, int height)>& render) {
    const int width = target.Width() - 2 * kPreviewMargin;
    const int height = target.Height() - 2 * kPreviewMargin;
    if (width < 2 || height < 2) return false;
    const std::optional<gdi::Bitmap> picture = render(width, height);
    if (!picture) return false;
    target.Fill(gdi::Rgb(255, 255, 255));
    QPainter painter(&target.image());
    painter.drawImage((target.Width() - picture->Width()) / 2, (target.Height() - picture->Height()) / 2, picture->image());
    return true;
}

bool PreviewDocumentFile(gdi::Bitmap& target, const QString& fileName) {
    return PreviewCentred(target, [&](int width, int height) -> std::optional<gdi::Bitmap> {
        gdi::Bitmap work(width, height);
        if (!RenderDocumentPreview(work, fileName)) return std::nullopt;
        return work;
    });
}

QString ExecuteOpenDocumentDialog(const QString& lastFolder, QWidget* parent) {
    TZROpenPictureDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setWindowTitle(LocalizedText("IDS_MASTERMSG1"));
    dialog.setDefaultSuffix(DefaultExt);
    dialog.setNameFilters(FileDialogNameFilters(DocumentFileFilter()));
    dialog.SetPreviewEnabled(Settings().ReadBool(kGeneralSection, kPreviewValue, true));
    dialog.SetOnPreview([](TZROpenPictureDialog&, gdi::Bitmap& bitmap, bool& success, const QString& fileName) {
        success = PreviewDocumentFile(bitmap, fileName);
    });
    const QString folder = StartFolder(lastFolder);
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return {};
    SaveDialogState(chosen.first(), dialog.GetPreviewEnabled());
    return chosen.first();
}
