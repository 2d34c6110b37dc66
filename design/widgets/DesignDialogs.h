#pragma once
// Installs the dialogs that the design's commands open (see
// design/DesignDialogs.h): the pen-width, text-alignment and
// element-alignment dialogs, the font dialog and the three picture
// post-processing dialogs. The application calls it once at start-up; the
// colour and fill dialogs are installed where they are built.
void InstallDesignDialogs();

class QFont;
class TFont;

// The font dialog's font and the design's font description, both ways (the
// colour is the design's alone: the dialog has none).
QFont QFontOf(const TFont& font);
void AssignQFont(TFont& font, const QFont& chosen);
