#pragma once
// The Open command's dialog: documents of the program (DefaultExt) with the
// preview of their first label, starting in the folder the last Open left
// ("Allgemein"/"SaveDir"). Confirming a file remembers its folder there and
// the state of the preview switch in "Allgemein"/"Preview"; cancelling
// changes neither.

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <functional>
#include <optional>

class QWidget;
namespace gdi {
class Bitmap;
}

// The chosen document's path; empty when the user cancelled. lastFolder is
// the start folder when the settings name none.
QString ExecuteOpenDocumentDialog(const QString& lastFolder, QWidget* parent = nullptr);

// A file dialog's preview: the picture that render makes for the given size
// (the target less 10 pixels at each edge, or smaller) centred on white.
// False, with the target unchanged, when the target is too small or render
// makes none.
bool PreviewCentred(gdi::Bitmap& target, const std::function<std::optional<gdi::Bitmap>(int width, int height)>& render);

// The open dialog's preview of a document: its first label drawn 10 pixels
// inside each edge of the target and centred on white. False, with the
// target unchanged, for a file that has no preview.
bool PreviewDocumentFile(gdi::Bitmap& target, const QString& fileName);

// A "description|pattern|..." filter as the file dialog's name filters;
// "*.*" (every file) becomes "*".
QStringList FileDialogNameFilters(const QString& filter);
