// The colour and fill dialog: its page set, what OK, "ohne Füllfarbe" and
// Cancel give through the entry functions, and its texts in both languages.
#include "controls/ControlsTesting.h"

#include "../support/FormTexts.h"
#include "controls/ColorList.h"
#include "controls/TabFrameColor.h"
#include "figures/widgets/PropertyPageContainer.h"
#include "foundation/Exceptions.h"
#include "foundation/FillData.h"
#include "support/Colors.h"

#include <QtWidgets/QPushButton>
#include <QtWidgets/QTabBar>

#include <gtest/gtest.h>

namespace {

constexpr gdi::Color kGreen = gdi::Rgb(0, 0x80, 0);

TEST(PropertyPageContainer, AnEmptyPageSetIsRefused) {
    TPropertyPageContainer dialog;
    try {
        dialog.SetPages(0);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(QString::fromUtf8(e.Message()), QStringLiteral("Eine Fülloption muß mindestens angegeben werden"));
    }
    dialog.SetPages(pgColor);
    EXPECT_EQ(dialog.PageCount(), 1);
    EXPECT_TRUE(dialog.BtnOhneFarbe->isHidden());
    dialog.SetPages(pgNoColor | pgColor);
    EXPECT_EQ(dialog.PageCount(), 1);
    EXPECT_FALSE(dialog.BtnOhneFarbe->isHidden());
    // The tabs are captioned from the message texts.
    const auto computed = [](const QString& key) { return key.startsWith(QLatin1String("tab.")); };
    EXPECT_GT(ExpectFormTextsInBothLanguages({static_cast<TLocalizerForm*>(&dialog)}, computed), 2);
}

TEST(PropertyPageContainer, TheEntryFunctionsGiveWhatTheUserChose) {
    // OK on the colour page: the page's colour.
    gdi::Color color = kRed;
    WhenShown<TPropertyPageContainer>([](TPropertyPageContainer& d) {
        EXPECT_EQ(d.ColorPage()->GetColor(), static_cast<int32_t>(kRed));
        d.ColorPage()->SetColor(static_cast<int32_t>(kGreen));
        ClickButton(&d, "BtnOK");
    });
    EXPECT_TRUE(PickColor(color));
    EXPECT_EQ(color, kGreen);

    // Cancel keeps the colour.
    WhenShown<TPropertyPageContainer>([](TPropertyPageContainer& d) {
        d.ColorPage()->SetColor(static_cast<int32_t>(kRed));
        ClickButton(&d, "BtnAbbrechen");
    });
    EXPECT_FALSE(PickColor(color));
    EXPECT_EQ(color, kGreen);

    // The no-colour button gives 1.
    WhenShown<TPropertyPageContainer>([](TPropertyPageContainer& d) {
        EXPECT_FALSE(d.BtnOhneFarbe->isHidden());
        ClickButton(&d, "BtnOhneFarbe");
    });
    EXPECT_TRUE(PickColorOrNone(color));
    EXPECT_EQ(color, 1u);

    // A fill: OK on the colour page makes it that colour; no colour, no fill.
    TFillData fill;
    fill.SetKind(fkNone);
    WhenShown<TPropertyPageContainer>([](TPropertyPageContainer& d) {
        d.ColorPage()->SetColor(static_cast<int32_t>(kRed));
        ClickButton(&d, "BtnOK");
    });
    EXPECT_TRUE(EditFillData(fill, kColorPage));
    EXPECT_EQ(fill.Kind(), fkColor);
    EXPECT_EQ(fill.Color(), kRed);
    WhenShown<TPropertyPageContainer>([](TPropertyPageContainer& d) { ClickButton(&d, "BtnOhneFarbe"); });
    EXPECT_TRUE(EditFillData(fill, kColorPage));
    EXPECT_EQ(fill.Kind(), fkNone);
}

}  // namespace
