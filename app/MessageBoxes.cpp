#include "app/MessageBoxes.h"

#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QMessageBox>

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

QuestionHook& AnswerHook() {
    static QuestionHook hook;
    return hook;
}

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

void ShowMessageBox(TMessageKind kind, const QString& text, QWidget* parent) {
    if (Hook()) {
        Hook()(kind, text);
        return;
    }
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title = ApplicationTitle();
    switch (kind) {
    case TMessageKind::Plain: break;
    case TMessageKind::Information:
        icon = QMessageBox::Information;
        title = LocalizedText("IDS_mtInformation");
        break;
    case TMessageKind::Warning:
        icon = QMessageBox::Warning;
        title = LocalizedText("IDS_mtWarning");
        break;
    case TMessageKind::Error:
        icon = QMessageBox::Critical;
        title = LocalizedText("IDS_mtError");
        break;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent ? parent : QApplication::activeWindow());
    box.exec();
}

void SetQuestionHook(QuestionHook hook) { AnswerHook() = std::move(hook); }

int AskQuestion(const QString& text, TQuestionButtons buttons, QWidget* parent) {
    if (AnswerHook()) return AnswerHook()(text, buttons);
    const bool withCancel = buttons == TQuestionButtons::YesNoCancel;
    QMessageBox box(QMessageBox::Question, LocalizedText("IDS_mtConfimation"), text,
                    withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel : QMessageBox::Yes | QMessageBox::No,
                    parent ? parent : QApplication::activeWindow());
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes: return kAnswerYes;
    case QMessageBox::No: return kAnswerNo;
    default: return withCancel ? kAnswerCancel : kAnswerNo;
    }
}
