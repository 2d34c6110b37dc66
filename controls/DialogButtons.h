#pragma once
// The OK and "Abbrechen" buttons of the small dialogs (object names OKBtn
// and CancelBtn): OK is the default button and accepts the dialog, or calls
// onOk when one is given; "Abbrechen" rejects it.

#include <functional>

class QDialog;
class QDialogButtonBox;

QDialogButtonBox* CreateOkCancelButtons(QDialog* dialog, std::function<void()> onOk = {});
