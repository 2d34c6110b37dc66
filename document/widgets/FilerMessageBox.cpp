#include "document/widgets/FilerMessageBox.h"

#include "document/EtikettFiler.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

void InstallFilerMessageBox() {
    SetSkippedPlacesHandler([](const QString& message) {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), message, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    });
}
