#pragma once
// Helpers of the printing tests: a fake printer installed for a test, a German
// locale for the decimal comma and a borders cache file of the test's own
// (acting on modal dialogs comes from the control tests' helpers).

#include "controls/ControlsTesting.h"
#include "platform/printer/Printer.h"
#include "printing/PrinterSupport.h"
#include "support/FakePrinter.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

#include <cstdlib>
#include <memory>

// With ZORBIT_SCREENSHOTS set to a folder, the window is saved there as
// name.png, at the size its contents ask for unless asIs.
inline void SaveScreenshot(QWidget& window, const char* name, bool asIs = false) {
    const char* folder = std::getenv("ZORBIT_SCREENSHOTS");
    if (!folder) return;
    if (!asIs) window.adjustSize();
    window.grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

// Installs a fake printer and puts the PDF printer back afterwards.
class WithFakePrinter {
public:
    explicit WithFakePrinter(const gdi::DeviceCaps& caps = gdi::test::FakePrinter::A4Caps(),
                             const std::string& name = "Fake") {
        auto printer = std::make_unique<gdi::test::FakePrinter>(caps, name);
        fake_ = printer.get();
        gdi::SetCurrentPrinter(std::move(printer));
    }
    ~WithFakePrinter() { gdi::SelectPrinter(gdi::PdfPrinterName()); }
    WithFakePrinter(const WithFakePrinter&) = delete;
    WithFakePrinter& operator=(const WithFakePrinter&) = delete;
    gdi::test::FakePrinter& printer() { return *fake_; }

private:
    gdi::test::FakePrinter* fake_;
};

class PrintingTest : public GermanLocale {
protected:
    void SetUp() override {
        GermanLocale::SetUp();
        ASSERT_TRUE(dir_.isValid());
        PrinterSupport().SetBordersFile(BordersFile());
        printer_ = std::make_unique<WithFakePrinter>();
    }
    void TearDown() override {
        printer_.reset();
        PrinterSupport().SetBordersFile({});
        GermanLocale::TearDown();
    }

    gdi::test::FakePrinter& fake() { return printer_->printer(); }
    QString BordersFile() const { return dir_.filePath(QStringLiteral("PrinterBorders.ini")); }
    QString TempPath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<WithFakePrinter> printer_;
};
