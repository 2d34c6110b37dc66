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

// Questions: the answers are the modal results of the class library.
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
enum class TQuestionButtons { YesNo, YesNoCancel };

// Asks the question modally over parent (the active window when null) under
// the "IDS_mtConfimation" title; Escape or closing the box answers Cancel
// (YesNoCancel) or No (YesNo).
int AskQuestion(const QString& text, TQuestionButtons buttons, QWidget* parent = nullptr);

using QuestionHook = std::function<int(const QString& text, TQuestionButtons buttons)>;
// While a hook is set, it answers the questions instead of the user.
void SetQuestionHook(QuestionHook hook);
