#pragma once
// A main window on its own settings file, with message boxes recorded
// instead of shown, and a stand-in document window.

#include "app/Master.h"
#include "app/MasterChild.h"
#include "app/MessageBoxes.h"

#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"

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

    QString SettingsPath() const { return dir_.filePath(QStringLiteral("registry.dat")); }

    std::unique_ptr<TMaster> master;
    std::vector<RecordedMessage> messages;

private:
    QTemporaryDir dir_;
};
