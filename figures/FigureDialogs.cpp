#include "figures/FigureDialogs.h"

#include <utility>

namespace {
TPositionDialogFunc& PositionDialog() {
    static TPositionDialogFunc dialog;
    return dialog;
}
}  // namespace

void SetPositionDialog(TPositionDialogFunc dialog) {
    PositionDialog() = std::move(dialog);
}

bool RunPositionDialog(TPositionValues& values) {
    const TPositionDialogFunc& dialog = PositionDialog();
    return dialog && dialog(values);
}
