#pragma once
// The OK and "Abbrechen" buttons of the small dialogs (object names OKBtn
// and CancelBtn): OK is the default button; the box's accepted() and
// rejected() signals follow them.

class QDialogButtonBox;
class QWidget;

QDialogButtonBox* CreateOkCancelButtons(QWidget* dialog);
