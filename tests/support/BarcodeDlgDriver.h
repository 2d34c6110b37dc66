#pragma once
// Drives the modal barcode dialog in tests: works its controls once it is
// shown, then closes it with OK or Cancel.

#include "content/widgets/BarcodeDlg.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>

#include <gtest/gtest.h>

#include <functional>

inline void WhenBarcodeDlgShown(const std::function<void(TBarcodeDlg&)>& work, bool ok) {
    QTimer::singleShot(0, [work, ok] {
        auto* dialog = qobject_cast<TBarcodeDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        work(*dialog);
        (ok ? dialog->BtnOK : dialog->BtnAbbrechen)->click();
    });
}
