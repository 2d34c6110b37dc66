#include "design/widgets/CanvasPanel.h"
#include "design/widgets/OpenDocumentDialog.h"
#include "design/widgets/ZROpenPictureDialog.h"

#include "controls/ControlsTesting.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/ViewTimer.h"
#include "foundation/ZRRegIniFile.h"
#include "support/Screenshot.h"
#include "support/Colors.h"
#include "tests/design/PreviewTesting.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

using namespace preview_testing;

namespace {

class ManualTimer : public TViewTimer {
public:
    void Start(int milliseconds) override {
        active = true;
        interval = milliseconds;
    }
    void Stop() override { active = false; }
    bool IsActive() const override { return active; }
    void Fire() {
        if (active) OnTimeout();
    }
    bool active = false;
    int interval = 0;
};

bool AllWhite(const gdi::Bitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) != kWhite) return false;
    return true;
}

class OpenDialogTest : public ::testing::Test {
protected:
    OpenDialogTest() {
        UseSettingsFile(dir.filePath(QStringLiteral("registry.dat")));
        DefaultExt = QStringLiteral("qem");
        TDocumentBuilder doc;
        doc.Sheet(100, 60).Designs(1).BeginDesign();
        doc.Box(ecRechteck, BoxAt(50, 30, 40, 30, kRed));
        doc.EndDesign();
        document = dir.filePath(QStringLiteral("Etikett.qem"));
        second = dir.filePath(QStringLiteral("Zweites.qem"));
        EXPECT_TRUE(doc.SaveTo(document));
        EXPECT_TRUE(doc.SaveTo(second));
        text = dir.filePath(QStringLiteral("Notiz.qem"));
        QFile file(text);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Kein Dokument, nur ein paar Zeilen Text.\n");
    }

    // A dialog whose preview timer the test fires and whose handler is recorded.
    std::unique_ptr<TZROpenPictureDialog> Dialog() {
        auto dialog = std::make_unique<TZROpenPictureDialog>();
        auto owned = std::make_unique<ManualTimer>();
        timer = owned.get();
        dialog->SetPreviewTimer(std::move(owned));
        dialog->resize(800, 450);
        dialog->SetOnPreview([this](TZROpenPictureDialog&, gdi::Bitmap& bitmap, bool& success, const QString& file) {
            previewed << file;
            if (failWith) throw std::runtime_error("kaputt");
            bitmap.Fill(kRed);
            success = succeed;
        });
        return dialog;
    }

    QTemporaryDir dir;
    QString document, second, text;
    ManualTimer* timer = nullptr;
    QStringList previewed;
    bool succeed = true;
    bool failWith = false;
};

}  // namespace

TEST_F(OpenDialogTest, PreviewWaitsForTheSelectionToRest) {
    auto dialog = Dialog();
    dialog->SelectionChanged(document);
    EXPECT_TRUE(timer->active);
    EXPECT_EQ(timer->interval, 250);
    dialog->SelectionChanged(second);
    EXPECT_TRUE(previewed.isEmpty());
    timer->Fire();
    EXPECT_EQ(previewed, QStringList({second}));
    EXPECT_FALSE(timer->active);
    EXPECT_EQ(dialog->PreviewBitmap().Pixel(0, 0), kRed);

    // A folder or a name that does not exist clears the pane at once.
    for (const QString& path : {dir.path(), dir.filePath(QStringLiteral("fehlt.qem")), QString()}) {
        dialog->SelectionChanged(path);
        EXPECT_FALSE(timer->active) << path.toStdString();
        EXPECT_TRUE(AllWhite(dialog->PreviewBitmap())) << path.toStdString();
    }
    EXPECT_EQ(previewed.size(), 1);
}

TEST_F(OpenDialogTest, FailingOrThrowingHandlerLeavesAWhitePane) {
    auto dialog = Dialog();
    succeed = false;
    dialog->SelectionChanged(document);
    timer->Fire();
    EXPECT_TRUE(AllWhite(dialog->PreviewBitmap()));
    succeed = true;
    failWith = true;
    dialog->SelectionChanged(second);
    EXPECT_NO_THROW(timer->Fire());
    EXPECT_TRUE(AllWhite(dialog->PreviewBitmap()));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // Still usable afterwards.
    failWith = false;
    dialog->SelectionChanged(document);
    timer->Fire();
    EXPECT_EQ(dialog->PreviewBitmap().Pixel(0, 0), kRed);
}

TEST_F(OpenDialogTest, PreviewSwitch) {
    auto dialog = Dialog();
    dialog->SelectionChanged(document);
    timer->Fire();
    dialog->PreviewCheck()->click();
    EXPECT_FALSE(dialog->GetPreviewEnabled());
    EXPECT_TRUE(AllWhite(dialog->PreviewBitmap()));
    dialog->SelectionChanged(second);
    timer->Fire();
    EXPECT_EQ(previewed, QStringList({document}));
    // Checked again: the current file is previewed after the delay.
    dialog->SetPreviewEnabled(true);
    EXPECT_TRUE(timer->active);
    timer->Fire();
    EXPECT_EQ(previewed, QStringList({document, second}));
}

TEST_F(OpenDialogTest, DocumentPreviewKeepsATenPixelMargin) {
    gdi::Bitmap target(200, 200);
    target.Fill(gdi::Rgb(1, 2, 3));
    ASSERT_TRUE(PreviewDocumentFile(target, document));
    EXPECT_EQ(target.Pixel(100, 100), kRed);
    // 100 x 60 mm in 180 x 180 pixels: 180 x 108, centred.
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(target.Pixel(i, 9), kWhite);
        EXPECT_EQ(target.Pixel(9, i), kWhite);
        EXPECT_EQ(target.Pixel(190, i), kWhite);
        EXPECT_EQ(target.Pixel(i, 200 - 46), kWhite);
    }
    EXPECT_NE(target.Pixel(10, 100), kWhite);  // the label's outline

    // A file that is no document, and a missing one, have no preview.
    target.Fill(gdi::Rgb(1, 2, 3));
    EXPECT_FALSE(PreviewDocumentFile(target, text));
    EXPECT_FALSE(PreviewDocumentFile(target, dir.filePath(QStringLiteral("fehlt.qem"))));
    EXPECT_EQ(target.Pixel(100, 100), gdi::Rgb(1, 2, 3));
    gdi::Bitmap tiny(15, 15);
    EXPECT_FALSE(PreviewDocumentFile(tiny, document));
}

TEST_F(OpenDialogTest, NonDocumentInTheDialogDrawsNothing) {
    auto dialog = Dialog();
    dialog->SetOnPreview([](TZROpenPictureDialog&, gdi::Bitmap& bitmap, bool& success, const QString& file) {
        success = PreviewDocumentFile(bitmap, file);
    });
    dialog->show();
    dialog->SelectionChanged(document);
    timer->Fire();
    EXPECT_FALSE(AllWhite(dialog->PreviewBitmap()));
    dialog->SelectionChanged(text);
    timer->Fire();
    EXPECT_TRUE(AllWhite(dialog->PreviewBitmap()));
    dialog->PreviewPanel()->repaint();
}

TEST_F(OpenDialogTest, NameFiltersFromTheDocumentFilter) {
    Localizer().SetLanguage(0);
    EXPECT_EQ(FileDialogNameFilters(DocumentFileFilter()),
              QStringList({QStringLiteral("qem-Datei (*.qem)"), QStringLiteral("alle Dateien (*)")}));
    EXPECT_EQ(FileDialogNameFilters(QStringLiteral("Bilder|*.png;*.jpg|Text (alt)|*.txt|ohne Muster")),
              QStringList({QStringLiteral("Bilder (*.png *.jpg)"), QStringLiteral("Text (*.txt)")}));
}

TEST_F(OpenDialogTest, EntryFunctionRemembersFolderAndSwitchOnlyOnOpen) {
    Settings().WriteBool("Allgemein", "Preview", true);
    WhenShown<TZROpenPictureDialog>([](TZROpenPictureDialog& dialog) { dialog.close(); });
    EXPECT_TRUE(ExecuteOpenDocumentDialog(dir.path()).isEmpty());
    EXPECT_FALSE(Settings().ValueExists("Allgemein", "SaveDir"));

    WhenShown<TZROpenPictureDialog>([this](TZROpenPictureDialog& dialog) {
        EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
        EXPECT_TRUE(dialog.GetPreviewEnabled());
        dialog.SetPreviewEnabled(false);
        dialog.selectFile(document);
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    const QString chosen = ExecuteOpenDocumentDialog(dir.path());
    EXPECT_EQ(QFileInfo(chosen).canonicalFilePath(), QFileInfo(document).canonicalFilePath());
    EXPECT_EQ(Settings().ReadText("Allgemein", "SaveDir", {}), QFileInfo(chosen).absolutePath() + QLatin1Char('/'));
    EXPECT_FALSE(Settings().ReadBool("Allgemein", "Preview", true));
}

// Shows the dialog with a document's preview; with ZORBIT_SCREENSHOTS set to
// a folder, the picture is kept there.
TEST_F(OpenDialogTest, ShowsTheDocumentPreviewBesideTheFiles) {
    TDocumentBuilder doc;
    WriteEveryKind(doc);
    doc.EndDesign();
    const QString everyKind = dir.filePath(QStringLiteral("Alle Figuren.qem"));
    ASSERT_TRUE(doc.SaveTo(everyKind));
    auto dialog = Dialog();
    dialog->SetOnPreview([](TZROpenPictureDialog&, gdi::Bitmap& bitmap, bool& success, const QString& file) {
        success = PreviewDocumentFile(bitmap, file);
    });
    dialog->setNameFilters(FileDialogNameFilters(DocumentFileFilter()));
    dialog->setDirectory(dir.path());
    dialog->show();
    dialog->selectFile(everyKind);
    dialog->SelectionChanged(everyKind);
    timer->Fire();
    QApplication::processEvents();
    EXPECT_FALSE(AllWhite(dialog->PreviewBitmap()));
    EXPECT_EQ(dialog->PreviewCheck()->text(), QStringLiteral("Vorschau"));
    SaveScreenshot(*dialog, "open-dialog", true);
}
