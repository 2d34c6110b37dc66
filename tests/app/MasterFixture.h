#pragma once
// A main window on its own settings file, with message boxes recorded
// instead of shown, and a stand-in document window.

#include "app/Child.h"
#include "app/Master.h"
#include "app/MasterChild.h"
#include "app/MessageBoxes.h"

#include "design/EinzelEtikett.h"
#include "document/Etikett.h"
#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"
#include "printing/PrinterSupport.h"
#include "support/WithFakePrinter.h"

#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QWidget>

#include <memory>
#include <utility>
#include <vector>

class TStandInDocument : public QWidget, public TMasterChild {
public:
    uint8_t DrawMode() const override { return mode; }
    void SetDrawMode(uint8_t m) override { mode = m; }
    void UpdateFrameControls() override { ++frameUpdates; }
    bool CloseQuery() override {
        ++closeQueries;
        return mayClose;
    }
    void InvalidateDrawing() override { ++invalidations; }

    uint8_t mode = 0;
    int frameUpdates = 0;
    int closeQueries = 0;
    int invalidations = 0;
    bool mayClose = true;
};

struct RecordedMessage {
    TMessageKind kind;
    QString text;
};

// A figure of the given kind centred at (x, y) mm, filled; the figure as added
// (selected, and the design marked modified, when select is true).
template <class Figure>
Figure& AddFilledFigure(TEinzelEtikett& design, double x, double y, double w, double h, gdi::Color fill, bool select = false) {
    auto figure = std::make_unique<Figure>(&design.GetOwner());
    figure->SetCenterX(x);
    figure->SetCenterY(y);
    figure->SetWidth(w);
    figure->SetHeight(h);
    figure->SetFillColor(fill);
    figure->UpdateTransform();
    return static_cast<Figure&>(*design.AddFigure(std::move(figure), select));
}

class MasterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        UseSettingsFile(dir_.filePath(QStringLiteral("registry.dat")));
        SetMessageBoxHook([this](TMessageKind kind, const QString& text) { messages.push_back({kind, text}); });
        Localizer().SetLanguage(0);
    }

    void TearDown() override {
        master.reset();
        SetMessageBoxHook({});
        Localizer().SetLanguage(0);
    }

    TMaster& CreateMaster(size_t printers = 1) {
        master = std::make_unique<TMaster>([printers] { return printers; });
        return *master;
    }

    // Runs the posted events (the refresh requests among them).
    static void ReturnToLoop() { QCoreApplication::processEvents(); }

    TStandInDocument* AddDocument(uint8_t mode = 0) {
        auto* document = new TStandInDocument;
        document->mode = mode;
        master->AddDocumentWindow(document);
        return document;
    }

    // A shown main window with a new document, on the sheet when given,
    // showing the whole label.
    TChild& OpenShownDocument(const TEtikett* sheet = nullptr) {
        TMaster& m = master ? *master : CreateMaster();
        m.resize(1100, 800);
        m.show();
        TChild* child = m.NewDocumentWindow();
        if (sheet) child->ApplyEtikett(*sheet);
        child->mnuGanzClick();
        ReturnToLoop();
        return *child;
    }

    QString SettingsPath() const { return dir_.filePath(QStringLiteral("registry.dat")); }
    // A file in the test's own temporary folder.
    QString TempPath(const QString& name) const { return dir_.filePath(name); }
    QString TempFolder() const { return dir_.path(); }

    std::unique_ptr<TMaster> master;
    std::vector<RecordedMessage> messages;

private:
    QTemporaryDir dir_;
};

// A main window test that may print: a fake printer and a printer borders
// cache in the test's own folder, both put back afterwards.
class MasterPrintTest : public MasterTest {
protected:
    void SetUp() override {
        MasterTest::SetUp();
        PrinterSupport().SetBordersFile(TempPath(QStringLiteral("PrinterBorders.ini")));
        printer_ = std::make_unique<WithFakePrinter>();
    }
    void TearDown() override {
        MasterTest::TearDown();
        printer_.reset();
        PrinterSupport().SetBordersFile({});
    }

    gdi::test::FakePrinter& fake() { return printer_->printer(); }

private:
    std::unique_ptr<WithFakePrinter> printer_;
};
