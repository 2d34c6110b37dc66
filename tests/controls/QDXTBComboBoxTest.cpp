#include "PopupTesting.h"

#include "controls/QDXTBComboBox.h"

#include <QtWidgets/QAbstractItemView>

namespace {

bool NotBitmap(const QString& family) { return !family.startsWith(QStringLiteral("Fixed")); }

class FontBox : public ::testing::Test {
protected:
    void SetUp() override {
        savedFamilies = TQDXTBFontComboBox::InstalledFamilies;
        savedOutline = TQDXTBFontComboBox::IsOutlineFont;
        TQDXTBFontComboBox::InstalledFamilies = [this] { return families; };
        TQDXTBFontComboBox::IsOutlineFont = NotBitmap;
    }
    void TearDown() override {
        TQDXTBFontComboBox::InstalledFamilies = savedFamilies;
        TQDXTBFontComboBox::IsOutlineFont = savedOutline;
    }

    QStringList families{"Liberation Serif", "Liberation Sans", "Fixed", "DejaVu Sans"};
    std::function<QStringList()> savedFamilies;
    std::function<bool(const QString&)> savedOutline;
};

}  // namespace

TEST(FontNames, OutlineFontsOnceEachSorted) {
    struct Case {
        QStringList families;
        QStringList names;
    };
    const Case cases[] = {
        {{"Arial", "Times"}, {"Arial", "Times"}},
        {{"Times", "Arial", "Arial"}, {"Arial", "Times"}},                  // one family from two sources
        {{"arial", "Arial [Monotype]", "Times", "Arial"}, {"Arial", "Times"}},  // case and foundry
        {{"Fixed", "Fixed [Misc]", "Courier"}, {"Courier"}},                  // bitmap fonts are left out
        {{"zapf", "Avant", "avant", "Zapf"}, {"Avant", "Zapf"}},
        {{}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TQDXTBFontComboBox::FontNames(c.families, NotBitmap), c.names) << c.families.join(u',').toStdString();
}

TEST_F(FontBox, SelectsByNameAndKeepsTheSelectionWhenFontsChange) {
    TQDXTBFontComboBox box;
    EXPECT_EQ(box.count(), 3);
    EXPECT_EQ(box.GetFontName(), QStringLiteral("DejaVu Sans"));  // the first item
    box.SetFontName(QStringLiteral("liberation sans"));
    EXPECT_EQ(box.GetFontName(), QStringLiteral("Liberation Sans"));

    families << QStringLiteral("Abyssinica") << QStringLiteral("Liberation Mono");
    emit qGuiApp->fontDatabaseChanged();
    EXPECT_EQ(box.count(), 5);
    EXPECT_EQ(box.itemText(0), QStringLiteral("Abyssinica"));
    EXPECT_EQ(box.GetFontName(), QStringLiteral("Liberation Sans"));
    families.removeAll(QStringLiteral("Liberation Sans"));
    emit qGuiApp->fontDatabaseChanged();
    EXPECT_EQ(box.GetFontName(), QStringLiteral("Abyssinica"));

    box.SetFontName(QStringLiteral("Wingdings"));
    EXPECT_EQ(box.currentIndex(), -1);
    EXPECT_EQ(box.GetFontName(), QString());
}

TEST_F(FontBox, PreviewFollowsTheOpenList) {
    int closed = 0;  // outlives the window, whose end closes the list once more
    PopupHostWindow window;
    auto* box = new TQDXTBFontComboBox(&window);
    box->setFixedWidth(152);
    window.layout->addWidget(box, 0, Qt::AlignTop);
    window.Show();
    box->OnCloseUp = [&] { ++closed; };
    box->SetPreviewText(QStringLiteral("AaBbYyZz 123"));
    box->SetFontName(QStringLiteral("Liberation Serif"));
    box->showPopup();
    TQDXTBFontWindow* preview = box->Preview();
    ASSERT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->pos(), box->mapToGlobal(QPoint(151, box->height())));
    EXPECT_EQ(preview->Text(), QStringLiteral("Liberation Serif - AaBbYyZz 123"));
    EXPECT_EQ(preview->font().family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(preview->font().pointSize(), 20);
    emit box->highlighted(0);
    EXPECT_EQ(preview->Text(), QStringLiteral("DejaVu Sans - AaBbYyZz 123"));
    EXPECT_GT(preview->width(), QFontMetrics(preview->font()).horizontalAdvance(preview->Text()));
    box->hidePopup();
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(closed, 1);
}

TEST(FlatComboBox, HeightFrameStatesAndCloseUp) {
    int closed = 0;  // outlives the window, whose end closes the list once more
    PopupHostWindow window;
    auto* box = new TQDXTBComboBox(&window);
    box->setEditable(true);
    box->addItems({"8", "10", "12"});
    window.layout->addWidget(box, 0, Qt::AlignTop);
    window.Show();
    EXPECT_EQ(box->height(), box->fontMetrics().height() + 6);
    QFont big = box->font();
    big.setPixelSize(20);
    box->setFont(big);
    EXPECT_EQ(box->height(), QFontMetrics(big).height() + 6);

    // Flat until it has the focus; the text field stays inside the frame, left of the button.
    EXPECT_EQ(box->State(), 0);
    const QImage flat = box->grab().toImage();
    box->setFocus();
    EXPECT_EQ(box->State(), TQDXTBComboBox::kFocused);
    const QImage focused = box->grab().toImage();
    EXPECT_NE(flat.pixelColor(0, 0), focused.pixelColor(0, 0));
    EXPECT_LT(box->lineEdit()->geometry().right(), box->ButtonRect().left());

    box->OnCloseUp = [&] { ++closed; };
    box->showPopup();
    box->hidePopup();
    EXPECT_EQ(closed, 1);
    window.document->setFocus();
    EXPECT_EQ(box->State(), 0);
}
