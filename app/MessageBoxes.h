#pragma once
// The program's message boxes with one OK button. Tests replace the box by a
// hook that records what would have been shown.

#include <QtCore/QString>

#include <functional>

class QWidget;

enum class TMessageKind {
    Plain,        // no icon, the application's title
    Information,  // "IDS_mtInformation"
    Warning,      // "IDS_mtWarning"
    Error,        // "IDS_mtError"
};

// Shows the text modally over parent (the active window when null).
void ShowMessageBox(TMessageKind kind, const QString& text, QWidget* parent = nullptr);

using MessageBoxHook = std::function<void(TMessageKind kind, const QString& text)>;
// While a hook is set, message boxes go to it instead of the screen; an
// empty hook restores the boxes.
void SetMessageBoxHook(MessageBoxHook hook);
