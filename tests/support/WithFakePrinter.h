#pragma once
// A fake printer installed for the lifetime of the object.

#include "platform/printer/Printer.h"
#include "support/FakePrinter.h"

#include <memory>
#include <string>

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
