#include "printing/widgets/DlgSelPrinter.h"

#include "controls/StatusFont.h"
#include "platform/printer/Printer.h"
#include "printing/PrinterSupport.h"

#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace {

// The wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

TDlgSelPrinter::TDlgSelPrinter(QWidget* parent) : TLocalizerDialog(parent) {
    AssignStatusFont(this);
    setWindowTitle(QStringLiteral("Drucker auswählen"));
    lbDrucker_ = new QListWidget(this);
    lbDrucker_->setObjectName(QStringLiteral("lbDrucker"));
    lbDrucker_->setMinimumSize(280, 160);
    const std::string current = gdi::CurrentPrinter().Name();
    for (const gdi::PrinterInfo& info : gdi::AvailablePrinters()) {
        auto* item = new QListWidgetItem(QString::fromStdString(info.name), lbDrucker_);
        if (info.name == current) lbDrucker_->setCurrentItem(item);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName(QStringLiteral("cmdAbbrechen"));
    auto* settings = new QPushButton(QStringLiteral("&Einstellungen..."), this);
    settings->setObjectName(QStringLiteral("cmdEinstellung"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addSpacing(12);
    buttons->addWidget(settings);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lbDrucker_, 1);
    layout->addLayout(buttons);

    connect(lbDrucker_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { lbDruckerClick(item); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(settings, &QPushButton::clicked, this, [this] { cmdEinstellungClick(); });
    Localize();
}

void TDlgSelPrinter::lbDruckerClick(QListWidgetItem* item) {
    if (!item || !gdi::SelectPrinter(item->text().toStdString())) return;
    PrinterSupport().ResetDeviceMode();
}

void TDlgSelPrinter::cmdEinstellungClick() {
    WaitCursor wait;
    PrinterSupport().ShowPrinterProperties(this);
}

int ExecuteSelPrinter(QWidget* parent) {
    TDlgSelPrinter dialog(parent);
    return dialog.exec();
}
