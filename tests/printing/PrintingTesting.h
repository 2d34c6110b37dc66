#pragma once
// Helpers of the printing tests: a fake printer installed for a test, a German
// locale for the decimal comma and a borders cache file of the test's own
// (acting on modal dialogs comes from the control tests' helpers).

#include "controls/ControlsTesting.h"
#include "platform/printer/Printer.h"
#include "printing/PrinterSupport.h"
#include "support/Screenshot.h"
#include "support/WithFakePrinter.h"

#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

#include <cstdlib>
#include <memory>

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
