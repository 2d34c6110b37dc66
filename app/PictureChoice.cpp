#include "app/PictureChoice.h"

#include "design/widgets/OpenDocumentDialog.h"
#include "design/widgets/ZROpenPictureDialog.h"
#include "foundation/Debug.h"
#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"
#include "pictures/PictureHelpers.h"
#include "platform/gdi/Bitmap.h"
#include "platform/imaging/Dib.h"

#include <QtCore/QFileInfo>

namespace {

constexpr const char* kPictureSection = "Raruvir";
constexpr const char* kPictureFolder = "LastDir";
constexpr const char* kClipartSection = "Clipart";
constexpr const char* kClipartFolder = "Dir";

TPictureChooser chooserOverride = nullptr;

QString ReadFolder(const char* section, const char* value, const QString& fallback) {
    try {
        return Settings().ReadText(section, value, fallback);
    } catch (const std::exception& e) {
        Debug().Log(QStringLiteral("Picture choice: no start folder: ") + QString::fromUtf8(e.what()));
        return fallback;
    }
}

// The highlighted picture, fitted into the pane and centred on white.
bool PreviewPicture(gdi::Bitmap& target, const QString& fileName) {
    return PreviewCentred(target, [&](int width, int height) -> std::optional<gdi::Bitmap> {
        const imaging::DibHandle dib = MakeThumbnailDIB(fileName, width, height);
        if (!dib) return std::nullopt;
        return imaging::BitmapFromDIB(*dib, false);
    });
}

bool ChoosePicture(const QString& title, const QString& folder, QString& fileName, QWidget* parent) {
    if (chooserOverride) return chooserOverride(fileName, parent);
    TZROpenPictureDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setWindowTitle(title);
    dialog.setNameFilters(PictureNameFilters());
    dialog.SetPreviewEnabled(true);
    dialog.SetOnPreview([](TZROpenPictureDialog&, gdi::Bitmap& bitmap, bool& success, const QString& file) {
        success = PreviewPicture(bitmap, file);
    });
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return false;
    fileName = chosen.first();
    return true;
}

}  // namespace

QStringList PictureNameFilters() { return FileDialogNameFilters(LocalizedText("IDS_PICTUREFILTER")); }

bool SelectPicture(QString& fileName, QWidget* parent) {
    const QString folder = ReadFolder(kPictureSection, kPictureFolder, GetPersonalFolder());
    if (!ChoosePicture(LocalizedText("IDS_SELECTPICTURE"), folder, fileName, parent)) return false;
    try {
        Settings().WriteText(kPictureSection, kPictureFolder, QFileInfo(fileName).absolutePath());
    } catch (const std::exception& e) {
        Debug().Log(QStringLiteral("Picture choice: folder not remembered: ") + QString::fromUtf8(e.what()));
    }
    return true;
}

bool SelectClipart(QString& fileName, QWidget* parent) {
    const QString folder = ReadFolder(kClipartSection, kClipartFolder, GetProgramFolder());
    return ChoosePicture(LocalizedText("IDS_SELECTCLIPART"), folder, fileName, parent);
}

void SetPictureChooser(TPictureChooser chooser) { chooserOverride = chooser; }
