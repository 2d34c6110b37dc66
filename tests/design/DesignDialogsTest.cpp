// The font dialog's font and the design's font description, both ways.
#include "design/widgets/DesignDialogs.h"

#include "design/DesignDialogs.h"
#include "foundation/Font.h"

#include <QtGui/QFont>
#include <gtest/gtest.h>

TEST(DesignDialogs, FontsGoBothWaysWithoutTheColour) {
    TFont font;
    font.SetName("Times New Roman");
    font.SetSize(14);
    font.SetStyle(fsBold | fsUnderline);
    font.SetColor(0x0000FF);
    const QFont q = QFontOf(font);
    EXPECT_EQ(q.family(), "Times New Roman");
    EXPECT_EQ(q.pointSize(), 14);
    EXPECT_TRUE(q.bold() && q.underline() && !q.italic());

    QFont chosen(QStringLiteral("Liberation Sans"));
    chosen.setPointSize(9);
    chosen.setItalic(true);
    AssignQFont(font, chosen);
    EXPECT_EQ(font.Name(), "Liberation Sans");
    EXPECT_EQ(font.Size(), 9);
    EXPECT_EQ(font.Style(), fsItalic);
    EXPECT_EQ(font.Color(), 0x0000FFu);
}

TEST(DesignDialogs, InstallingGivesTheDialogsThatExist) {
    const TDesignDialogs saved = DesignDialogs();
    DesignDialogs() = {};
    InstallDesignDialogs();
    EXPECT_TRUE(DesignDialogs().PenWidth && DesignDialogs().TextAlignment && DesignDialogs().Font &&
                DesignDialogs().AlignElements);
    EXPECT_TRUE(DesignDialogs().FilterBrightness && DesignDialogs().FilterHueSaturation &&
                DesignDialogs().FilterBlackWhite);
    EXPECT_FALSE(DesignDialogs().PickColor || DesignDialogs().EditFill);
    DesignDialogs() = saved;
}
