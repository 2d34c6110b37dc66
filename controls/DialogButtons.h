#pragma once
// The OK and "Abbrechen" buttons of the dialogs: OK is the default button and
// accepts the dialog, or calls onOk when one is given; "Abbrechen" rejects it.
// The small dialogs take them as a button box (object names OKBtn and
// CancelBtn); the figure dialogs as a right-aligned row at the end of their
// layout (BtnOK and BtnAbbrechen). The names are the keys of their texts.

#include <functional>

class QBoxLayout;
class QDialog;
class QDialogButtonBox;
class QPushButton;

QDialogButtonBox* CreateOkCancelButtons(QDialog* dialog, std::function<void()> onOk = {});
void AddOkCancel(QDialog* dialog, QBoxLayout* layout, QPushButton*& ok, QPushButton*& cancel);
