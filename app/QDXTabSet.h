#pragma once
// The tab strip of the document window's bottom bar: tabs hanging from a
// line at the top, one per design. A left click selects a tab; tabs that do
// not fit are reached with a two-arrow scroller at the right.

#include "app/Scroller.h"
#include "app/TabList.h"
#include "foundation/Exceptions.h"
#include "platform/gdi/GdiTypes.h"

#include <QtWidgets/QWidget>

#include <functional>
#include <vector>

// A tab index out of range.
ZORBIT_DECLARE_EXCEPTION(ETabSetError, Exception);

class TQDXTabSet : public QWidget {
    Q_OBJECT
public:
    enum class TTabStyle { tsStandard, tsOwnerDraw };
    // The slanted side of a tab.
    static constexpr int kEdgeWidth = 9;

    explicit TQDXTabSet(QWidget* parent = nullptr);
    ~TQDXTabSet() override;

    TTabList& Tabs() { return tabs_; }
    const TTabList& Tabs() const { return tabs_; }
    // Copies the captions and objects and selects the first tab.
    void SetTabs(const TTabList& tabs);
    int TabIndex() const { return tabIndex_; }
    // -1 selects nothing; any other value outside the tabs raises ETabSetError.
    // OnChange may refuse the change; otherwise the tab is scrolled into view
    // and OnClick reports it.
    void SetTabIndex(int index);
    int FirstIndex() const { return firstIndex_; }
    void SetFirstIndex(int index);
    // How many tabs are shown from FirstIndex.
    int VisibleTabs() const { return static_cast<int>(visible_.size()); }
    // The tab under a point of the strip (left clicks), -1 beside every tab.
    int ItemAtPos(QPoint p) const;
    // The face of a shown tab; empty for other tabs.
    QRect ItemRect(int index) const;
    TScroller& Scroller() { return *scroller_; }

    int StartMargin() const { return startMargin_; }
    int EndMargin() const { return endMargin_; }
    void SetStartMargin(int value);
    void SetEndMargin(int value);
    gdi::Color SelectedColor() const { return selectedColor_; }
    gdi::Color UnselectedColor() const { return unselectedColor_; }
    gdi::Color BackgroundColor() const { return backgroundColor_; }
    void SetSelectedColor(gdi::Color c);
    void SetUnselectedColor(gdi::Color c);
    void SetBackgroundColor(gdi::Color c);
    bool DitherBackground() const { return ditherBackground_; }
    void SetDitherBackground(bool on);
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool on);
    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle style);
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int height);
    // The height of the tabs: TabHeight for owner-drawn tabs, else the text height + 4.
    int EdgeHeight() const;

    std::function<void(int newIndex, bool& allow)> OnChange;
    std::function<void()> OnClick;
    std::function<void(QPainter& painter, const QRect& rect, int index, bool selected)> OnDrawTab;
    std::function<void(int index, int& width)> OnMeasureTab;
    // Every press, after a left press has selected its tab.
    std::function<void(Qt::MouseButton button, uint32_t shift, int x, int y)> OnMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TTabList;
    struct TabPos {
        int start;
        int width;
    };
    void TabsChanged();
    void Relayout();
    std::vector<TabPos> LayoutFrom(int first, int limit) const;
    int TabWidth(int index) const;
    int Limit(bool withScroller) const;
    // How many tabs fit when the last of them is index.
    int FitsEndingAt(int index, int limit) const;
    void ScrollIntoView(int index);
    void PaintBackground(QPainter& p);
    void PaintTab(QPainter& p, int visibleIndex, bool selected);
    // Selects the tab whose caption has the accelerator; false when none has.
    bool SelectByAccelerator(QChar key);

    TTabList tabs_{this};
    TScroller* scroller_;
    int tabIndex_ = -1;
    int firstIndex_ = 0;
    std::vector<TabPos> visible_;
    int startMargin_ = 5;
    int endMargin_ = 5;
    gdi::Color selectedColor_;
    gdi::Color unselectedColor_;
    gdi::Color backgroundColor_;
    bool ditherBackground_ = true;
    bool autoScroll_ = true;
    TTabStyle style_ = TTabStyle::tsStandard;
    int tabHeight_ = 20;
    bool bringSelectedIntoView_ = false;
    bool settingScroller_ = false;  // the strip sets the scroller: no click back
};
