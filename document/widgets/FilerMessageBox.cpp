#include "document/widgets/FilerMessageBox.h"

#include "document/EtikettFiler.h"
#include "foundation/GeneralHelpers.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

void InstallFilerMessageBox() {
    SetSkippedPlacesHandler([](const QString& message) {
        QMessageBox box(QMessageBox::Warning, ApplicationTitle(), message, QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    });
}
