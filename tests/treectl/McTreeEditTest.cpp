// In-place editing in the tree: accepting with Enter and cancelling with
// Escape through the validation event, the editors of the cell types,
// where column texts go, requests for cells without an editor, and the
// slow second click that opens the editor.
#include "TreeTesting.h"

#include "foundation/Codepage1252.h"

#include <QtCore/QLocale>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDateTimeEdit>
#include <QtWidgets/QLineEdit>

#include <gtest/gtest.h>

namespace {

// A tree with four columns (the first the tree's) and a log of validations.
struct EditWindow : TreeWindow {
    EditWindow() : TreeWindow(404) {
        for (const char* caption : {"Name", "One", "Two", "Three"}) {
            TMcHeaderSection* s = tree->HeaderSections().AddSection();
            s->SetText(caption);
            s->SetWidth(90);
            s->SetFieldType(TFieldTypes::sftText);
            s->SetEditable(true);
        }
        tree->SetShowColumns(true);
        Build({"alpha", "beta"});
        tree->OnValidateInplaceEdit = [this](TCustomMcTree&, TMcTreeItem* item, TMcHeaderSection*, std::string& text,
                                             bool& accept) {
            log.push_back((item ? item->Text() : std::string("-")) + " '" + text + "' " + (accept ? "yes" : "no"));
            if (acceptAll) accept = true;
        };
    }
    QLineEdit* Edit() { return qobject_cast<QLineEdit*>(View().Editor()); }
    void EditorKey(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(View().Editor(), &press);
    }
    bool acceptAll = false;
};

}  // namespace

TEST(McTreeEdit, EnterAcceptsAndEscapeCancels) {
    EditWindow w;
    w.tree->StartEdit(w.Find("alpha"), -1);
    ASSERT_NE(w.Edit(), nullptr);
    EXPECT_TRUE(w.View().EditorVisible());
    EXPECT_EQ(w.Edit()->text(), "alpha");
    EXPECT_EQ(w.Edit()->selectedText(), "alpha") << "all text selected";
    w.Edit()->setText("gamma");
    w.EditorKey(Qt::Key_Return);
    EXPECT_FALSE(w.View().EditorVisible());
    EXPECT_EQ(w.Take(), std::vector<std::string>{"alpha 'gamma' yes"});
    EXPECT_NE(w.Find("gamma"), nullptr);

    w.tree->StartEdit(w.Find("beta"), -1);
    w.Edit()->setText("delta");
    w.EditorKey(Qt::Key_Escape);
    EXPECT_EQ(w.Take(), std::vector<std::string>{"beta '' no"}) << "a cancel still asks, with an empty text";
    EXPECT_NE(w.Find("beta"), nullptr);

    w.acceptAll = true;
    w.tree->StartEdit(w.Find("beta"), -1);
    w.EditorKey(Qt::Key_Escape);
    EXPECT_EQ(w.Find("beta"), nullptr) << "accepted on cancel: the empty text is stored";
    EXPECT_EQ(w.tree->AllItems()[1]->Text(), "");
}

TEST(McTreeEdit, ColumnTextsGoToTheirEntries) {
    EditWindow w;
    TMcTreeItem* alpha = w.Find("alpha");
    alpha->SetColumnText({"one"});
    w.tree->StartEdit(alpha, 3);
    ASSERT_NE(w.Edit(), nullptr);
    EXPECT_EQ(w.Edit()->text(), "") << "no entry for column 3 yet";
    EXPECT_EQ(w.Edit()->geometry().left(), 270) << "over the column";
    w.Edit()->setText("three");
    w.EditorKey(Qt::Key_Enter);
    EXPECT_EQ(alpha->ColumnText(), (std::vector<std::string>{"one", "", "three"}));

    w.tree->HeaderSections().Item(2)->SetVisible(false);
    w.tree->StartEdit(alpha, 2);
    EXPECT_EQ(w.View().Editor(), nullptr) << "a hidden column is not edited";
}

TEST(McTreeEdit, EditorsByCellType) {
    EditWindow w;
    TMcTreeItem* alpha = w.Find("alpha");
    std::vector<std::string> requests;
    w.tree->OnEditRequest = [&](TCustomMcTree&, TMcTreeItem* item, TMcHeaderSection* section) {
        requests.push_back(item->Text() + " " + (section ? section->Text() : "-"));
    };
    TFieldTypes asked = TFieldTypes::sftText;
    bool refuse = false;
    w.tree->OnTryEdit = [&](TCustomMcTree&, TMcTreeItem*, TMcHeaderSection*, TFieldTypes& type, bool& can) {
        type = asked;
        can = !refuse;
    };
    asked = TFieldTypes::sftBLOB;
    w.tree->StartEdit(alpha, 1);
    EXPECT_EQ(requests, std::vector<std::string>{"alpha One"}) << "a BLOB cell is the application's";
    EXPECT_EQ(w.View().Editor(), nullptr);

    asked = TFieldTypes::sftDate;
    alpha->SetColumnTextAt(0, "not a date");
    w.tree->StartEdit(alpha, 1);
    auto* picker = qobject_cast<QDateTimeEdit*>(w.View().Editor());
    ASSERT_NE(picker, nullptr) << "OnTryEdit made the text cell a date cell";
    EXPECT_EQ(picker->date(), QDate::currentDate()) << "a text that is no date opens on today";
    picker->setDate(QDate(2024, 2, 29));
    w.EditorKey(Qt::Key_Return);
    EXPECT_EQ(alpha->ColumnText()[0], UnicodeToAnsi(QLocale().toString(QDate(2024, 2, 29), QLocale::ShortFormat)));

    asked = TFieldTypes::sftBool;
    w.tree->StartEdit(alpha, 2);
    auto* box = qobject_cast<QCheckBox*>(w.View().Editor());
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isChecked());
    box->setChecked(true);
    w.EditorKey(Qt::Key_Return);
    EXPECT_EQ(alpha->ColumnText()[1], "1");

    asked = TFieldTypes::sftEnum;
    w.tree->OnComboEditShow = [](TCustomMcTree&, TMcTreeItem*, TMcHeaderSection*, QComboBox& combo) {
        combo.addItems({"red", "green"});
    };
    w.tree->OnValidateCombo = [&](TCustomMcTree&, TMcTreeItem* item, TMcHeaderSection*, QComboBox& combo, bool& accept) {
        if (accept) item->SetColumnTextAt(2, UnicodeToAnsi(combo.currentText()));
    };
    w.tree->StartEdit(alpha, 3);
    auto* combo = qobject_cast<QComboBox*>(w.View().Editor());
    ASSERT_NE(combo, nullptr);
    combo->setCurrentIndex(1);
    w.EditorKey(Qt::Key_Return);
    EXPECT_EQ(alpha->ColumnText()[2], "green") << "the combo's validation stores what it wants";

    refuse = true;
    w.tree->StartEdit(alpha, 1);
    EXPECT_FALSE(w.View().EditorVisible()) << "OnTryEdit refused";
}

TEST(McTreeEdit, SlowSecondClickOpensTheEditor) {
    EditWindow w;
    const QPoint text = w.RowPoint("alpha");
    Click(&w.View(), text);
    Press(&w.View(), text);
    ASSERT_TRUE(Running(w.View().EditDelayTimer()));
    EXPECT_EQ(Interval(w.View().EditDelayTimer()), 500);
    Release(&w.View(), text);
    EXPECT_FALSE(Running(w.View().EditDelayTimer())) << "a quick second click opens nothing";
    Press(&w.View(), text);
    Fire(w.View().EditDelayTimer());
    EXPECT_TRUE(w.View().EditorVisible()) << "held for 500 ms: the editor opens";
    EXPECT_EQ(w.View().EditedItem(), w.Find("alpha"));
    Release(&w.View(), text);
    EXPECT_TRUE(w.View().EditorVisible());

    w.View().EndEdit(true);
    DoubleClick(&w.View(), w.RowPoint("beta"));
    Press(&w.View(), w.RowPoint("beta"));
    EXPECT_FALSE(Running(w.View().EditDelayTimer())) << "a double click does not arm editing";
}

TEST(McTreeEdit, ScrollsAColumnIntoViewAndLeavingCommits) {
    EditWindow w;
    w.tree->resize(204, 174);
    w.Paint();
    w.tree->StartEdit(w.Find("alpha"), 3);
    EXPECT_EQ(w.tree->LeftPosition(), std::min(270, w.View().ContentWidth() - w.View().width()))
        << "the column right of the view is scrolled to";
    ASSERT_NE(w.Edit(), nullptr);
    w.Edit()->setText("left");
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(w.Edit(), &out);
    EXPECT_FALSE(w.View().EditorVisible()) << "losing the focus commits";
    EXPECT_EQ(w.Find("alpha")->ColumnText().back(), "left");
}

TEST(McTreeEdit, F2EditsTheFocusedItem) {
    EditWindow w;
    w.tree->SetFocusedItem(w.Find("beta"));
    w.Key(Qt::Key_F2);
    ASSERT_NE(w.Edit(), nullptr);
    EXPECT_EQ(w.View().EditedItem(), w.Find("beta"));
    EXPECT_EQ(w.View().EditedColumn(), 0) << "the main column";
    w.tree->SetDoInplaceEdit(false);
    w.EditorKey(Qt::Key_Escape);
    w.Key(Qt::Key_F2);
    EXPECT_FALSE(w.View().EditorVisible()) << "not without DoInplaceEdit";
}
