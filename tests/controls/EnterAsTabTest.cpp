#include "ControlsTesting.h"

#include "controls/EnterAsTab.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTextEdit>
#include <QtWidgets/QVBoxLayout>

namespace {

// Stands for the program's flat button, which keeps Enter as a click.
class TZRFlatButton : public QWidget {
    Q_OBJECT
public:
    explicit TZRFlatButton(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }
    int enters = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return) ++enters;
    }
};

}  // namespace

TEST(EnterAsTab, EnterMovesToTheNextControlWhereItMeansNothingElse) {
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* check = new QCheckBox(QStringLiteral("Ränder"), &dialog);
    auto* memo = new QTextEdit(&dialog);
    auto* flat = new TZRFlatButton(&dialog);
    auto* button = new QPushButton(QStringLiteral("Übernehmen"), &dialog);
    auto* last = new QLineEdit(&dialog);
    auto* layout = new QVBoxLayout(&dialog);
    for (QWidget* w : std::initializer_list<QWidget*>{edit, check, memo, flat, button, last}) layout->addWidget(w);
    auto* enterAsTab = new TZREnterAsTab(&dialog);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    ShowActive(&dialog);

    struct Case {
        const char* name;
        QWidget* from;
        int key;
        Qt::KeyboardModifiers modifiers;
        QWidget* to;
    };
    const Case cases[] = {
        {"edit", edit, Qt::Key_Return, Qt::NoModifier, check},
        {"keypad Enter", edit, Qt::Key_Enter, Qt::KeypadModifier, check},
        {"check box", check, Qt::Key_Return, Qt::NoModifier, memo},
        {"Ctrl+Enter", edit, Qt::Key_Return, Qt::ControlModifier, edit},
        {"Shift+Enter", edit, Qt::Key_Return, Qt::ShiftModifier, edit},
        {"multi-line editor", memo, Qt::Key_Return, Qt::NoModifier, memo},
        {"flat button", flat, Qt::Key_Return, Qt::NoModifier, flat},
        {"push button", button, Qt::Key_Return, Qt::NoModifier, button},
    };
    for (const Case& c : cases) {
        c.from->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(c.from->hasFocus()) << c.name;
        Key(c.from, c.key, c.modifiers);
        EXPECT_EQ(QApplication::focusWidget(), c.to) << c.name;
    }
    EXPECT_EQ(clicks, 1);  // Enter on the push button pressed it
    EXPECT_EQ(flat->enters, 1);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("\n"));

    enterAsTab->SetEnterAsTab(false);
    edit->setFocus(Qt::OtherFocusReason);
    Key(edit, Qt::Key_Return);
    EXPECT_TRUE(edit->hasFocus());
}

#include "EnterAsTabTest.moc"
