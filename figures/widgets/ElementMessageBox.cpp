#include "figures/widgets/ElementMessageBox.h"

#include "figures/FigureFactory.h"
#include "foundation/GeneralHelpers.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

void InstallElementMessageBox() {
    SetInvalidElementHandler([](const QString& message) {
        QMessageBox box(QMessageBox::Critical, ApplicationTitle(), message, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    });
}
