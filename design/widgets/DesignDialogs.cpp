#include "design/widgets/DesignDialogs.h"

#include "controls/DlgAusrichtung.h"
#include "controls/DlgStift.h"
#include "controls/ElementAusrichtenDlg.h"
#include "design/DesignDialogs.h"
#include "foundation/Codepage1252.h"
#include "foundation/Font.h"
#include "pictures/widgets/DlgFilterHKIG.h"
#include "pictures/widgets/DlgFilterHSL.h"
#include "pictures/widgets/DlgFilterSWCol.h"

#include <QtGui/QFont>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFontDialog>

namespace {

bool RunFontDialog(TFont& font) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, QFontOf(font), QApplication::activeWindow(), QString(),
                                              QFontDialog::ScalableFonts);
    if (ok) AssignQFont(font, chosen);
    return ok;
}

}  // namespace

QFont QFontOf(const TFont& font) {
    QFont q(AnsiToUnicode(font.Name()));
    if (font.Size() > 0) q.setPointSize(font.Size());
    q.setBold(font.Style() & fsBold);
    q.setItalic(font.Style() & fsItalic);
    q.setUnderline(font.Style() & fsUnderline);
    q.setStrikeOut(font.Style() & fsStrikeOut);
    return q;
}

void AssignQFont(TFont& font, const QFont& chosen) {
    font.SetName(UnicodeToAnsi(chosen.family()));
    if (chosen.pointSize() > 0) font.SetSize(chosen.pointSize());
    TFontStyles style = 0;
    if (chosen.bold()) style |= fsBold;
    if (chosen.italic()) style |= fsItalic;
    if (chosen.underline()) style |= fsUnderline;
    if (chosen.strikeOut()) style |= fsStrikeOut;
    font.SetStyle(style);
}

void InstallDesignDialogs() {
    TDesignDialogs& dialogs = DesignDialogs();
    dialogs.PenWidth = [](float& width) { return EditPenWidthDialog(width, QApplication::activeWindow()); };
    dialogs.TextAlignment = [](uint8_t& h, uint8_t& v) {
        return EditTextAlignmentDialog(h, v, QApplication::activeWindow());
    };
    dialogs.Font = RunFontDialog;
    dialogs.AlignElements = [](int32_t& code, int32_t selectedCount) {
        return ShowElementAlignDialog(code, selectedCount, QApplication::activeWindow());
    };
    // The main window owns the post-processing dialogs while they run.
    dialogs.FilterBrightness = [](const imaging::Dib& picture) {
        return ShowFilterHKIGDialog(picture, QApplication::activeWindow());
    };
    dialogs.FilterHueSaturation = [](const imaging::Dib& picture) {
        return ShowFilterHSLDialog(picture, QApplication::activeWindow());
    };
    dialogs.FilterBlackWhite = [](const imaging::Dib& picture) {
        return ShowFilterSWColDialog(picture, QApplication::activeWindow());
    };
}
