#pragma once
// "Farbe und Füllung": the one dialog in which the user picks a colour or a
// fill. Its pages sit on the tabs of a tab control: the colour page
// (TTabFrameColor) under "Farbe". The button "ohne Füllfarbe" (shown when
// asked for) chooses no colour at all. The dialog edits its own copy of a
// fill; OK on the colour page makes the fill that colour and takes the
// page's user colours into the shared list.

#include "foundation/widgets/LocalizerForm.h"
#include "platform/gdi/GdiTypes.h"

#include <cstdint>
#include <memory>

class QPushButton;
class QTabBar;
class TFillData;
class TTabFrameColor;

// Bits of the page set.
inline constexpr uint8_t pgNoColor = 1;
inline constexpr uint8_t pgColor = 2;
inline constexpr uint8_t pgGradient = 4;
// The tabs EditFillData opens.
inline constexpr int kColorPage = 0;
inline constexpr int kGradientPage = 1;

class TPropertyPageContainer : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TPropertyPageContainer(QWidget* parent = nullptr);
    ~TPropertyPageContainer() override;

    // The pages and the no-colour button; an empty set raises an Exception
    // ("Eine Fülloption muß mindestens angegeben werden"). The first tab is
    // opened.
    void SetPages(uint8_t pages);
    int PageCount() const;
    // Opens the tab of the index (nothing for an index no tab has).
    void OpenPage(int index);
    int CurrentPage() const;

    // The fill being edited (the dialog's own copy).
    TFillData& Fill() { return *fill_; }
    TTabFrameColor* ColorPage() const { return colorPage_; }

    // Hands the pages the fill and the shared user colours; then runs modally.
    int exec() override;
    void BtnOKClick();
    void BtnOhneFarbeClick();

    QTabBar* tab = nullptr;
    QWidget* panContainer = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnAbbrechen = nullptr;
    QPushButton* BtnOhneFarbe = nullptr;

private:
    void TabChange();

    std::unique_ptr<TFillData> fill_;
    TTabFrameColor* colorPage_ = nullptr;
};

// A colour; true and the colour on OK.
bool PickColor(gdi::Color& color, QWidget* parent = nullptr);
// A colour or none (the button reads "Ohne Stift"); true on OK with the
// colour, or 1 (no colour) when the no-colour button was chosen.
bool PickColorOrNone(gdi::Color& color, QWidget* parent = nullptr);
// Edits the fill on the page of the index; true on OK with the fill taken over.
bool EditFillData(TFillData& fill, int page, QWidget* parent = nullptr);
