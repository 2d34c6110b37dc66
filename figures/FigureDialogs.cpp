#include "figures/FigureDialogs.h"

#include "foundation/Debug.h"

#include <utility>

namespace {
TPositionDialogFunc& PositionDialog() {
    static TPositionDialogFunc dialog;
    return dialog;
}
TFigureWarningFunc& FigureWarning() {
    static TFigureWarningFunc warning;
    return warning;
}
}  // namespace

void SetPositionDialog(TPositionDialogFunc dialog) {
    PositionDialog() = std::move(dialog);
}

bool RunPositionDialog(TPositionValues& values) {
    const TPositionDialogFunc& dialog = PositionDialog();
    return dialog && dialog(values);
}

void SetFigureWarning(TFigureWarningFunc warning) {
    FigureWarning() = std::move(warning);
}

void ShowFigureWarning(const QString& text) {
    if (const TFigureWarningFunc& warning = FigureWarning())
        warning(text);
    else
        Debug().Log(text);
}
