#include "document/widgets/FilerMessageBox.h"

#include "document/EtikettFiler.h"
#include "foundation/GeneralHelpers.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

void InstallFilerMessageBox() {
    SetWrongTagHandler([](const char* message) {
        QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), QString::fromLatin1(message),
                        QMessageBox::Ok, QApplication::activeWindow());
        box.exec();
    });
}
