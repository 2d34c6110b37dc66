#include "figures/widgets/ElementMessageBox.h"

#include "figures/FigureFactory.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

void InstallElementMessageBox() {
    SetInvalidElementHandler([](const QString& message) {
        QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    });
}
