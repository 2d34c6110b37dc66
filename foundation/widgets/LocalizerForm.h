#pragma once
// The base of every window and dialog of the program. A localized window
// takes its texts from the section of the language texts named after its
// class (the class named in Q_OBJECT, e.g. "TDlgSelEtikett"): for every
// object of the window with an object name, the keys
//   name.Caption  window title, button/label/action text, group-box and menu
//                 title, tab text of a tab page
//   name.Hint     tool tip
//   name.Text     text of a line edit or editable combo box
//   name.Title    (only objects with such a Q_PROPERTY)
//   name.Items0, name.Items1, ...   items of a combo box or list widget
//   name.Tabs0, ...                 tab texts of a tab widget or tab bar
// The window itself is found under its own object name (set to the class name
// without the leading "T" when empty): "DlgInfo.Caption". Custom controls
// join in with Q_PROPERTYs named Caption, Hint, Text or Title (QString) or
// any capitalised QStringList property.
//
// The German texts are built into the window as its design-time texts. A key
// the language lacks leaves the text as it is; a text replaced earlier goes
// back to its design-time value, so switching languages back and forth always
// gives the same texts.
//
// Windows localize themselves when they are first shown (or when Localize()
// is called, typically at the end of the derived constructor) and again on
// every language switch. A localized window nested in another localizes
// itself; the outer window's walk leaves it alone. So does it leave a widget
// marked with MarkAsData (and everything in it): its texts are the
// document's, not the program's.
//
// Derived windows override BeforeLocalize to register their own default texts
// (RegisterText) and AfterLocalize to set texts derived from localized ones;
// AfterLocalize runs after every localization and must give the same result
// when repeated.

#include <QtCore/QMetaObject>
#include <QtCore/QString>
#include <QtWidgets/QDialog>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QWidget>

class QEvent;
class TLocalizer;

// The widget and its children show data (a document's names and values), no
// texts of a language.
void MarkAsData(QWidget* widget);

class TLocalizerForm {
public:
    explicit TLocalizerForm(QWidget* form);
    virtual ~TLocalizerForm();
    TLocalizerForm(const TLocalizerForm&) = delete;
    TLocalizerForm& operator=(const TLocalizerForm&) = delete;

    virtual void BeforeLocalize() {}
    virtual void AfterLocalize() {}

    // BeforeLocalize, the texts of the current language (in export mode:
    // collects the texts instead), AfterLocalize.
    void Localize();
    bool IsLocalized() const { return localized_; }

    // The section of this window: its class name.
    QString SectionName() const;
    QWidget* FormWidget() const { return form_; }

    // Registers a default text in this window's section.
    void RegisterText(const QString& key, const QString& defaultText);
    void RegisterTextAsKey(const QString& text) { RegisterText(text, text); }
    QString GetText(const QString& key) const;

protected:
    // Called by the window's event(): localizes when first shown, unless
    // Localize() ran already.
    void HandleFormEvent(QEvent* event);

private:
    void Relocalize();

    QWidget* form_;
    bool localized_ = false;
    QMetaObject::Connection languageConnection_;
};

// A localized window on a Qt window class.
template <class Base>
class TLocalizedWindow : public Base, public TLocalizerForm {
public:
    explicit TLocalizedWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {})
        : Base(parent, flags), TLocalizerForm(this) {}

protected:
    bool event(QEvent* event) override {
        HandleFormEvent(event);
        return Base::event(event);
    }
};

using TLocalizerWidget = TLocalizedWindow<QWidget>;
using TLocalizerDialog = TLocalizedWindow<QDialog>;
using TLocalizerMainWindow = TLocalizedWindow<QMainWindow>;

// Gives the widget the object name its texts are found under.
template <class T>
T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Localizes or exports one window with the walk described above (what
// TLocalizerForm::Localize does between BeforeLocalize and AfterLocalize).
void LocalizeFormTexts(QWidget* form, const QString& section);
void LocalizeFormTexts(QWidget* form, const QString& section, TLocalizer& localizer);

// Shows the localizer's informational messages (language not available,
// export mode) in a message box.
void InstallLocalizerMessageBox();
