// Documents in and out: New through the label-type dialog, opening by every
// road (open dialog, recent files, dropped files), Save, Save As, templates,
// the INI export and Close.
#include "MasterFixture.h"

#include "app/Child.h"
#include "app/Last4Files.h"
#include "app/MMWindow.h"
#include "app/QDXTabSet.h"

#include "../support/DocumentBuilder.h"
#include "../support/Files.h"
#include "../support/Screenshot.h"
#include "../support/SheetGrid.h"
#include "controls/ControlsTesting.h"
#include "design/EinzelEtikett.h"
#include "design/TemplateIndex.h"
#include "design/widgets/ZROpenPictureDialog.h"
#include "document/Etikett.h"
#include "document/widgets/DlgSelEtikett.h"
#include "figures/Bild32.h"
#include "figures/Ellipse.h"
#include "figures/Rechteck.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/MyMemIniFile.h"

#include <QtCore/QDir>
#include <QtCore/QEventLoop>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QLocale>
#include <QtCore/QMimeData>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtGui/QAction>
#include <QtGui/QDropEvent>
#include <QtGui/QFileSystemModel>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMenu>

#include <cstdlib>
#include <functional>
#include <optional>

namespace {

// Two columns of 60 x 40 mm labels on A4: the tab strip with room for designs.
std::unique_ptr<TEtikett> TwoColumnSheet() {
    auto sheet = std::make_unique<TEtikett>();
    sheet->SetDefaults();
    sheet->SetName("Test 2x5");
    SetGrid(*sheet, 2, 5, 60, 40, 10, 10, 0, 0);
    return sheet;
}


// A text figure of the kind given, as the INI export sees it.
class StubTextFigure : public TRechteck {
public:
    StubTextFigure(TChildBase* owner, TFigureKind kind, const char* className) : TRechteck(owner), className_(className) {
        Kind = kind;
    }
    const char* ClassName() const override { return className_; }

private:
    const char* className_;
};

class FileCommandsTest : public MasterPrintTest {
protected:
    void SetUp() override {
        MasterPrintTest::SetUp();
        ASSERT_TRUE(files.isValid());
        Settings().WriteText("Allgemein", "SaveDir", files.path());
        TMaster::LabelTypeDialog = [this](bool offerOpen, QWidget*) {
            typeDialogs.push_back(offerOpen);
            TLabelTypeChoice choice;
            choice.Result = typeResult;
            if (typeResult == TLabelTypeResult::Chosen) choice.Sheet = TwoColumnSheet();
            return choice;
        };
        TMaster::OpenDialog = [this](const QString&, QWidget*) { return openAnswer; };
        TChild::SaveDialog = [this](const TChild::TSaveDialogRequest& request, QWidget*) {
            saveRequests.push_back(request);
            return saveAnswer;
        };
        TChild::Templates = [this]() -> TTemplateIndex& { return *templates; };
        TChild::TemplateQuery = [this](const QString&, const QString&, QString& text) {
            if (!templateAnswer) return false;
            text = *templateAnswer;
            return true;
        };
        SetQuestionHook([this](const QString& text, TQuestionButtons) {
            questions << text;
            return questionAnswer;
        });
        templates = std::make_unique<TTemplateIndex>(files.filePath(QStringLiteral("Vorlagen")));
    }

    void TearDown() override {
        SetQuestionHook({});
        MasterPrintTest::TearDown();
        TMaster::LabelTypeDialog = saved.labelType;
        TMaster::OpenDialog = saved.open;
        TChild::SaveDialog = saved.save;
        TChild::Templates = saved.templates;
        TChild::TemplateQuery = saved.templateQuery;
    }

    TMaster& ShownMaster() {
        TMaster& m = master ? *master : CreateMaster();
        m.resize(1000, 700);
        m.show();
        return m;
    }

    // A new document on the two-column sheet with a rectangle and an ellipse
    // on its first design and a rectangle on a second one, each an undo step.
    TChild& NewDocumentWithFigures() {
        TMaster& m = ShownMaster();
        m.mnuNeuClick();
        TChild& c = *m.ActiveChild();
        AddFilledFigure<TRechteck>(*c.CurrentDesign(), 20, 14, 28, 16, gdi::Rgb(0xFF, 0xE0, 0x80), true);
        AddFilledFigure<TEllipse>(*c.CurrentDesign(), 42, 24, 24, 18, gdi::Rgb(0x80, 0xC0, 0xFF), true);
        c.NewDesignTab();
        AddFilledFigure<TRechteck>(*c.CurrentDesign(), 30, 20, 50, 30, gdi::Rgb(0xE0, 0xF0, 0xE0), true);
        c.SetModified(true);
        ReturnToLoop();
        return c;
    }

    static int UndoSteps(TChild& c) {
        int steps = 0;
        for (int32_t i = 0; i < c.DesignCount(); ++i) steps += c.Design(i).UndoCount();
        return steps;
    }

    QString FilePath(const QString& name) const { return QDir(files.path()).filePath(name); }

    struct Saved {
        decltype(TMaster::LabelTypeDialog) labelType = TMaster::LabelTypeDialog;
        decltype(TMaster::OpenDialog) open = TMaster::OpenDialog;
        decltype(TChild::SaveDialog) save = TChild::SaveDialog;
        decltype(TChild::Templates) templates = TChild::Templates;
        decltype(TChild::TemplateQuery) templateQuery = TChild::TemplateQuery;
    } saved;
    QTemporaryDir files;
    std::unique_ptr<TTemplateIndex> templates;
    TLabelTypeResult typeResult = TLabelTypeResult::Chosen;
    std::vector<bool> typeDialogs;
    QString openAnswer;
    QString saveAnswer;
    std::vector<TChild::TSaveDialogRequest> saveRequests;
    std::optional<QString> templateAnswer;
    QStringList questions;
    int questionAnswer = kAnswerCancel;
};

// Waits until a file dialog has read its folder (the list is read on a thread
// of its own), five seconds at most.
void AwaitFolderListed(QFileDialog& dialog) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!model || model->rowCount(model->index(dialog.directory().absolutePath())) > 0) return;
    QEventLoop loop;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

TEST_F(FileCommandsTest, NewNamesTheDocumentsInTheSaveFolderAndOnlyTheFirstDialogOffersOpen) {
    TMaster& m = ShownMaster();
    for (int i = 0; i < 3; ++i) m.mnuNeuClick();
    ASSERT_EQ(m.DocumentCount(), 3);
    QStringList names;
    for (TMasterChild* document : m.Documents()) {
        auto* c = dynamic_cast<TChild*>(document);
        names << c->FileName();
        EXPECT_FALSE(c->IsNamed());
        EXPECT_FALSE(c->IsModified());
        EXPECT_EQ(c->GetEtikett().Columns, 2);
    }
    EXPECT_EQ(names, QStringList({FilePath("Datei1.qem"), FilePath("Datei2.qem"), FilePath("Datei3.qem")}));
    EXPECT_EQ(typeDialogs, (std::vector<bool>{true, false, false}));
    // Nothing is written before the user saves.
    EXPECT_FALSE(QFileInfo::exists(FilePath("Datei1.qem")));

    // Cancel makes nothing; the dialog's Open runs the open dialog.
    typeResult = TLabelTypeResult::Cancelled;
    m.mnuNeuClick();
    EXPECT_EQ(m.DocumentCount(), 3);
    typeResult = TLabelTypeResult::OpenDocument;
    TChild& first = *dynamic_cast<TChild*>(m.Documents()[0]);
    saveAnswer = FilePath("Erste.qem");
    first.mnuSpeichernClick();
    openAnswer = saveAnswer;
    m.mnuNeuClick();
    EXPECT_EQ(m.DocumentCount(), 4);
    EXPECT_EQ(m.ActiveChild()->FileName(), saveAnswer);
    EXPECT_EQ(m.NewDocumentCounter, 4);
}

TEST_F(FileCommandsTest, SaveWritesOnlyWhenItCanAndKeepsTheStateOfAFailure) {
    struct Case {
        const char* what;
        bool named;              // the document has a name of the user's
        QString dialogAnswer;    // Save As: the chosen path, empty for Cancel
        bool writable;           // the target folder exists
        bool written;            // expected: the file was written
        bool dialogShown;
    };
    const Case cases[] = {
        {"a new document asks for its name first", false, "Neu.qem", true, true, true},
        {"cancelling that question writes nothing", false, "", true, false, true},
        {"a named document is written at once", true, "", true, true, false},
        {"a named document whose folder went fails", true, "", false, false, false},
        {"Save As into a missing folder fails", false, "Neu.qem", false, false, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        master.reset();
        saveRequests.clear();
        messages.clear();
        Settings().WriteText("Allgemein", "SaveDir", files.path());
        TChild& c = NewDocumentWithFigures();
        const QString folder = FilePath(k.writable ? QStringLiteral("ok") : QStringLiteral("weg"));
        QDir(folder).removeRecursively();
        if (k.writable) QDir().mkpath(folder);
        const QString generated = c.FileName();
        const QString userPath = QDir(folder).filePath(QStringLiteral("Mein.qem"));
        if (k.named) {
            c.SetFileName(userPath);
            c.SetNamed(true);
        }
        saveAnswer = k.dialogAnswer.isEmpty() ? QString() : QDir(folder).filePath(k.dialogAnswer);
        const QString target = k.named ? userPath : saveAnswer;
        const int steps = UndoSteps(c);
        ASSERT_EQ(steps, 3);

        bool raised = false;
        try {
            c.mnuSpeichernClick();
        } catch (const Exception& e) {
            raised = true;
            // The folder is gone, and the message says so.
            EXPECT_EQ(QString::fromUtf8(e.Message()),
                      LocalizedFormat("IDS_CANNOTSAVEFILE", {target}) + u' ' + LocalizedText("IDS_FILEERROR_NOFOLDER"));
        }
        EXPECT_EQ(saveRequests.size(), k.dialogShown ? 1u : 0u);
        if (k.dialogShown) {
            const TChild::TSaveDialogRequest& r = saveRequests[0];
            EXPECT_EQ(r.Title, LocalizedText("IDS_CHILDSAVE1"));
            EXPECT_EQ(r.DefaultExt, QStringLiteral("qem"));
            EXPECT_EQ(r.Filter, DocumentFileFilter());
            EXPECT_EQ(r.InitialPath, generated);
        }
        EXPECT_EQ(QFileInfo::exists(target), k.written);
        EXPECT_EQ(raised, !k.written && !target.isEmpty());
        EXPECT_EQ(c.SaveAsCancelled(), k.dialogShown && k.dialogAnswer.isEmpty());
        if (k.written) {
            EXPECT_EQ(c.FileName(), target);
            EXPECT_TRUE(c.IsNamed());
            EXPECT_FALSE(c.IsModified());
            EXPECT_EQ(UndoSteps(c), 0);
            EXPECT_EQ(master->RecentFiles().Files().value(0), target);
            EXPECT_EQ(c.windowTitle(), QFileInfo(target).fileName());
        } else {
            // Nothing of the document's state goes: a later save can still succeed.
            EXPECT_EQ(c.FileName(), k.named ? userPath : generated);
            EXPECT_EQ(c.IsNamed(), k.named);
            EXPECT_TRUE(c.IsModified());
            EXPECT_EQ(UndoSteps(c), steps);
            EXPECT_FALSE(master->RecentFiles().Files().contains(target));
        }
        if (k.dialogShown && k.written) {
            EXPECT_EQ(Settings().ReadText("Allgemein", "SaveDir", {}), folder + QLatin1Char('/'));
        }
        c.SetModified(false);
    }
}

TEST_F(FileCommandsTest, TheCloseQuestionSavesAndACancelledSaveAsKeepsTheWindow) {
    TChild& c = NewDocumentWithFigures();
    questionAnswer = kAnswerYes;
    saveAnswer.clear();
    c.mnuSchliessenClick();
    ReturnToLoop();
    EXPECT_EQ(master->DocumentCount(), 1);
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(UndoSteps(c), 3);

    saveAnswer = FilePath("Zu.qem");
    c.mnuSchliessenClick();
    ReturnToLoop();
    EXPECT_EQ(master->DocumentCount(), 0);
    EXPECT_TRUE(QFileInfo::exists(saveAnswer));
}

TEST_F(FileCommandsTest, ADocumentSavedClosedAndReopenedIsWrittenAgainByteForByte) {
    TChild& c = NewDocumentWithFigures();
    c.RenameCurrentDesign(QStringLiteral("Rückseite"));
    saveAnswer = FilePath("Rund.qem");
    c.mnuSpeichernClick();
    const QByteArray first = ReadFile(saveAnswer);
    ASSERT_FALSE(first.isEmpty());
    c.mnuSchliessenClick();
    ReturnToLoop();
    ASSERT_EQ(master->DocumentCount(), 0);

    // Through the recent files, then through the open dialog.
    master->MenuItem("mnuLD1")->trigger();
    openAnswer = saveAnswer;
    master->mnuOeffnenClick();
    ReturnToLoop();
    ASSERT_EQ(master->DocumentCount(), 2);
    EXPECT_TRUE(messages.empty());
    for (TMasterChild* document : master->Documents()) {
        auto& again = *dynamic_cast<TChild*>(document);
        EXPECT_EQ(again.FileName(), saveAnswer);
        EXPECT_TRUE(again.IsNamed());
        EXPECT_FALSE(again.IsModified());
        EXPECT_TRUE(again.MMWin().isVisible());
        EXPECT_EQ(again.DesignCount(), 2);
        EXPECT_EQ(again.DesignCaption(1), QStringLiteral("Rückseite"));
        EXPECT_EQ(again.Design(0).FigureCount(), 2);
        EXPECT_EQ(again.GetEtikett().Columns, 2);
        QFile::remove(saveAnswer);
        again.mnuSpeichernClick();
        EXPECT_EQ(ReadFile(saveAnswer), first);
    }
    EXPECT_EQ(master->LastFolder, files.path() + QLatin1Char('/'));
}

TEST_F(FileCommandsTest, AFileThatIsNoDocumentOpensNoWindowOnAnyRoad) {
    TMaster& m = ShownMaster();
    const QString path = FilePath("Notiz.qem");
    WriteFile(path, "Das ist kein Etikett.");
    m.RecentFiles().AddFile(path);
    openAnswer = path;
    const std::pair<const char*, std::function<void()>> roads[] = {
        {"open dialog", [&] { m.mnuOeffnenClick(); }},
        {"recent files", [&] { m.MenuItem("mnuLD1")->trigger(); }},
        {"dropped", [&] { m.DropFiles({path}); }},
        {"command line", [&] { m.OpenDocument(path); }},
    };
    for (const auto& [what, open] : roads) {
        messages.clear();
        open();
        ReturnToLoop();
        EXPECT_EQ(m.DocumentCount(), 0) << what;
        ASSERT_EQ(messages.size(), 1u) << what;
        EXPECT_EQ(messages[0].text, LocalizedText("IDS_INVALIDFILE")) << what;
    }
    EXPECT_EQ(m.RecentFiles().Files(), QStringList({path}));
}

// A document with a picture that does not read opens, with one warning that
// names the file and the picture; the picture is a marked box and a save
// keeps its bytes.
TEST_F(FileCommandsTest, ADocumentWithAPictureThatDoesNotReadOpensWithOneWarning) {
    TMaster& m = ShownMaster();
    const std::vector<uint8_t> damaged = {4, 0, 0, 0, '.', 'j', 'p', 'g', 0xFF, 0xD8, 0xFF, 0xE0, 7, 7, 7};
    TDocumentBuilder doc;
    doc.Sheet(100, 100).Designs(1).BeginDesign();
    TBoxValues box;
    box.CenterX = 40;
    box.CenterY = 30;
    box.Width = 30;
    box.Height = 20;
    doc.Box(ecBild32, box);
    TMemoryStream picture(damaged);
    WritePictureRecord(doc.filer, TBild32::kPictureRaster, picture);
    doc.EndDesign();
    const QString path = FilePath("Foto.qem");
    ASSERT_TRUE(doc.SaveTo(path));

    messages.clear();
    m.OpenDocument(path);
    ReturnToLoop();
    ASSERT_EQ(m.DocumentCount(), 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, TMessageKind::Warning);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("Foto.qem")));
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("Etikett 1")));
    auto& child = *dynamic_cast<TChild*>(m.Documents().front());
    ASSERT_EQ(child.Design(0).FigureCount(), 1);
    EXPECT_TRUE(static_cast<TBild32*>(child.Design(0).GetFigure(0))->IsUnreadable());

    QFile::remove(path);
    child.mnuSpeichernClick();
    const QByteArray saved = ReadFile(path);
    EXPECT_TRUE(saved.contains(QByteArray(reinterpret_cast<const char*>(damaged.data()), qsizetype(damaged.size()))));
}

TEST_F(FileCommandsTest, TemplatesAreNumberedOnFromTheIndexAndLeaveTheDocumentAsItWas) {
    TChild& c = NewDocumentWithFigures();
    TMyMemIniFile index;
    index.WriteInteger(QStringLiteral("Allgemein"), QStringLiteral("Max"), 6);
    QDir().mkpath(templates->Folder());
    index.SaveToFile(QFile::encodeName(templates->IndexPath()).toStdString());

    templateAnswer = QStringLiteral("Adressen");
    c.mnuSpeichernVorlageClick();
    templateAnswer = QStringLiteral("Geschenke");
    c.mnuSpeichernVorlageClick();
    templateAnswer = QString();  // no description: refused
    c.mnuSpeichernVorlageClick();
    templateAnswer.reset();  // cancelled: nothing at all
    c.mnuSpeichernVorlageClick();

    const std::vector<TTemplateEntry> list = templates->Templates();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].FileName, QStringLiteral("STIL7.sty"));
    EXPECT_EQ(list[0].Description, QStringLiteral("Adressen"));
    EXPECT_EQ(list[1].FileName, QStringLiteral("STIL8.sty"));
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].text, LocalizedText("IDS_TEMPLATESAVED"));
    EXPECT_EQ(messages[2].kind, TMessageKind::Error);
    EXPECT_EQ(messages[2].text, LocalizedText("IDS_TEMPLATENONAME"));
    EXPECT_TRUE(c.IsModified());
    EXPECT_FALSE(c.IsNamed());
    EXPECT_EQ(UndoSteps(c), 3);

    // A template is a document: opened, it shows what was saved.
    master->OpenDocument(templates->Folder() + QStringLiteral("STIL7.sty"));
    ASSERT_EQ(master->DocumentCount(), 2);
    EXPECT_EQ(master->ActiveChild()->Design(0).FigureCount(), 2);
    c.SetModified(false);
}

TEST_F(FileCommandsTest, TheIniExportWritesTheLabelAndItsTextFiguresWithADecimalComma) {
    struct Case {
        const char* what;
        float width, height;
        uint8_t orientation;
        std::vector<TFigureKind> kinds;
        QStringList expected;  // the file's lines
    };
    const Case cases[] = {
        {"a rich text and a plain text: one section", 52.5f, 30, 0, {TFigureKind::RTFText, TFigureKind::Text},
         {"[Template]", "Width=52,5", "Height=30", "Landscape=0", "FigCount=1", "", "[Fig0]", "ClassName=TRTFText",
          "CenterX=10,12", "CenterY=20", "Width=12,5", "Height=8", "Angle=0", "", ""}},
        {"landscape keeps the stored size; no text, no section", 52.3f, 99.9f, 1, {TFigureKind::Figure},
         {"[Template]", "Width=52,3", "Height=99,9", "Landscape=1", "FigCount=0", "", ""}},
    };
    TChild& c = NewDocumentWithFigures();
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English));
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        TEtikett sheet;
        sheet.SetDefaults();
        sheet.SetLabelWidth(k.width);
        sheet.SetLabelHeight(k.height);
        sheet.SetOrientation(k.orientation);
        c.ApplyEtikett(sheet);
        TEinzelEtikett& design = *c.CurrentDesign();
        design.SelectAll();
        design.DeleteSelection();
        for (TFigureKind kind : k.kinds) {
            auto figure = std::make_unique<StubTextFigure>(&c, kind, kind == TFigureKind::RTFText ? "TRTFText" : "TText");
            figure->SetCenterX(10.125);
            figure->SetCenterY(20);
            figure->SetWidth(12.5);
            figure->SetHeight(8);
            design.AddFigure(std::move(figure), false);
        }
        const QString path = FilePath("vorlage.ini");
        WriteFile(path, "[Alt]\nWert=1\n");
        c.ExportToIni(path);
        EXPECT_EQ(QString::fromLatin1(ReadFile(path)).remove(QLatin1Char('\r')).split(QLatin1Char('\n')), k.expected);
    }
    // The user's number format stays as it was.
    EXPECT_EQ(QLocale().language(), QLocale::English);
    QLocale::setDefault(before);
    c.SetModified(false);
}

// The whole road as a user takes it, through the program's real dialogs:
// New on a built-in type, a figure, Save (asking for the name), Close, the
// document again from the recent files and from Open, Save as template and a
// new document from the template (the two template commands are hidden in
// the File menu; the road takes their actions). With ZORBIT_SCREENSHOTS set
// to a folder, every step is saved there as a picture.
TEST_F(FileCommandsTest, UserRoadThroughTheRealDialogs) {
    TMaster::LabelTypeDialog = saved.labelType;
    TMaster::OpenDialog = saved.open;
    TChild::SaveDialog = saved.save;
    TChild::TemplateQuery = saved.templateQuery;
    Settings().WriteText("StyleDir", "StyleDir", FilePath("Vorlagen"));
    TChild::Templates = [this]() -> TTemplateIndex& { return *templates; };
    SetMessageBoxHook({});
    SetQuestionHook({});
    // The windows lay out and paint what the last step changed.
    auto settle = [] {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    };

    // A file picked in the open dialog as by a click, once the dialog lists its
    // folder: its name in the field, its preview without the delay.
    auto choose = [&](TZROpenPictureDialog* dialog, const QString& file) {
        AwaitFolderListed(*dialog);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file);
        dialog->SelectionChanged(file);
        dialog->PreviewTimerFired();
        settle();
    };

    TMaster& m = ShownMaster();
    WhenShown<TDlgSelEtikett>([&](TDlgSelEtikett& dialog) {
        for (int i = 0; i < dialog.EntryCount(); ++i)
            if (dialog.EntrySheet(i).Name.starts_with("C32015")) dialog.SelectEntry(i);  // business cards
        SaveScreenshot(dialog, "files-1-labeltype", true);
        dialog.BtnOKClick();
    });
    m.mnuNeuClick();
    TChild& c = *m.ActiveChild();
    AddFilledFigure<TEllipse>(*c.CurrentDesign(), 42, 27, 60, 36, gdi::Rgb(0x80, 0xC0, 0xFF), true);
    AddFilledFigure<TRechteck>(*c.CurrentDesign(), 20, 14, 28, 16, gdi::Rgb(0xFF, 0xE0, 0x80), true);
    c.SetModified(true);
    settle();
    SaveScreenshot(m, "files-2-new", true);

    const QString path = FilePath("Visitenkarte.qem");
    WhenShown<QFileDialog>([&](QFileDialog& dialog) {
        AwaitFolderListed(dialog);
        SaveScreenshot(dialog, "files-3-saveas", true);
        dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QFileInfo(path).fileName());
        static_cast<QDialog&>(dialog).accept();
    });
    m.MenuItem("mnuSpeichern")->trigger();
    ASSERT_TRUE(QFileInfo::exists(path));
    const QByteArray savedBytes = ReadFile(path);
    m.MenuItem("mnuSchliessen")->trigger();
    settle();
    ASSERT_EQ(m.DocumentCount(), 0);
    QMenu* fileMenu = m.findChild<QMenu*>(QStringLiteral("mnuDatei"));
    fileMenu->popup(m.mapToGlobal(QPoint(0, 20)));
    settle();
    SaveScreenshot(*fileMenu, "files-4-recent", true);
    fileMenu->hide();

    m.MenuItem("mnuLD1")->trigger();
    settle();
    SaveScreenshot(m, "files-5-from-recent", true);
    WhenShown<TZROpenPictureDialog>([&](TZROpenPictureDialog& dialog) {
        choose(&dialog, path);
        SaveScreenshot(dialog, "files-6-open", true);
        static_cast<QDialog&>(dialog).accept();
    });
    m.mnuOeffnenClick();
    settle();
    ASSERT_EQ(m.DocumentCount(), 2);
    SaveScreenshot(m, "files-7-from-open", true);

    TChild& reopened = *m.ActiveChild();
    EXPECT_EQ(reopened.Design(0).FigureCount(), 2);
    WhenShown<QDialog>([&](QDialog& dialog) {
        auto* field = dialog.findChild<QLineEdit*>();
        ASSERT_TRUE(field);
        field->setText(QStringLiteral("Meine Visitenkarte"));
        SaveScreenshot(dialog, "files-8-template-name", true);
        dialog.accept();
        WhenShown<QDialog>([&](QDialog& box) {
            SaveScreenshot(box, "files-9-template-saved", true);
            box.close();
        });
    });
    m.MenuItem("mnuSpeichernVorlage")->trigger();
    WhenShown<QDialog>([&](QDialog& dialog) {
        SaveScreenshot(dialog, "files-10-template-manager", true);
        dialog.accept();
    });
    m.MenuItem("mnuVorlagenVerwalten")->trigger();

    const QString stylePath = templates->Folder() + templates->Templates().at(0).FileName;
    WhenShown<TZROpenPictureDialog>([&](TZROpenPictureDialog& dialog) {
        dialog.setDirectory(templates->Folder());
        dialog.selectNameFilter(dialog.nameFilters().last());
        choose(&dialog, stylePath);
        SaveScreenshot(dialog, "files-11-open-template", true);
        static_cast<QDialog&>(dialog).accept();
    });
    m.mnuOeffnenClick();
    settle();
    ASSERT_EQ(m.DocumentCount(), 3);
    EXPECT_EQ(m.ActiveChild()->Design(0).FigureCount(), 2);
    SaveScreenshot(m, "files-12-from-template", true);
    // Nothing changed the saved document.
    EXPECT_EQ(ReadFile(path), savedBytes);
}

TEST_F(FileCommandsTest, TheMetafileExportGoesToTheUsersDataFolder) {
    TChild& c = NewDocumentWithFigures();
    const QString path = TChild::MetafileExportPath();
    EXPECT_TRUE(path.startsWith(GetDataFolder())) << path.toStdString();
    EXPECT_FALSE(path.startsWith(GetProgramFolder())) << path.toStdString();
    QFile::remove(path);
    c.CurrentDesign()->SelectAll();
    c.mnuExportClick();
    const QByteArray bytes = ReadFile(path);
    EXPECT_GT(bytes.size(), 18);  // more than a metafile header
    QFile::remove(path);
    c.SetModified(false);
}
