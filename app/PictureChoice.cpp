#include "app/PictureChoice.h"

#include "document/design/widgets/OpenDocumentDialog.h"
#include "document/design/widgets/ZROpenPictureDialog.h"
#include "foundation/Debug.h"
#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"
#include "pictures/PictureHelpers.h"
#include "platform/gdi/Bitmap.h"
#include "platform/imaging/Dib.h"

#include <QtCore/QFileInfo>
#include <QtGui/QPainter>

namespace {

constexpr const char* kPictureSection = "Raruvir";
constexpr const char* kPictureFolder = "LastDir";
constexpr const char* kClipartSection = "Clipart";
constexpr const char* kClipartFolder = "Dir";
constexpr int kPreviewMargin = 10;

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
void PreviewPicture(gdi::Bitmap& target, bool& success, const QString& fileName) {
    const int width = target.Width() - 2 * kPreviewMargin;
    const int height = target.Height() - 2 * kPreviewMargin;
    imaging::DibHandle dib;
    if (width > 1 && height > 1) dib = MakeThumbnailDIB(fileName, width, height);
    if (!dib) {
        success = false;
        return;
    }
    const gdi::Bitmap picture = imaging::BitmapFromDIB(*dib, false);
    target.Fill(gdi::Rgb(255, 255, 255));
    QPainter painter(&target.image());
    painter.drawImage((target.Width() - picture.Width()) / 2, (target.Height() - picture.Height()) / 2, picture.image());
    success = true;
}

bool ChoosePicture(const QString& title, const QString& folder, QString& fileName, QWidget* parent) {
    if (chooserOverride) return chooserOverride(fileName, parent);
    TZROpenPictureDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setWindowTitle(title);
    dialog.setNameFilters(PictureNameFilters());
    dialog.SetPreviewEnabled(true);
    dialog.SetOnPreview([](TZROpenPictureDialog&, gdi::Bitmap& bitmap, bool& success, const QString& file) {
        PreviewPicture(bitmap, success, file);
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
