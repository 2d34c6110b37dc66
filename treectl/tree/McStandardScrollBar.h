#pragma once
// The tree's standard scroll bars, which show where the custom bars are not
// used: the desktop's own bar, or one drawn flat while the tree draws its
// frame flat. The tree sets range, page and position as scroll information
// and learns of the user's scrolling through actionTriggered.

#include "treectl/support/McGuiUtils.h"
#include "treectl/support/McPaintBuffer.h"

#include <QtWidgets/QScrollBar>

class TMcStandardScrollBar : public QScrollBar {
public:
    TMcStandardScrollBar(Qt::Orientation orientation, QWidget* parent);

    // Range 0..max with a page of page items; the position is clamped by the bar.
    void SetScrollInfo(int32_t max, int32_t page, int32_t position);
    const TMcScrollInfo& Info() const { return info_; }
    // Whether the bar can scroll (more than a page); a bar that cannot shows disabled.
    bool CanScroll() const { return info_.max - info_.min + 1 > info_.page; }

    // Drawn flat (raised while the tree is active without FlatFocusedScrollbars).
    void SetFlatLook(bool flat, bool raised);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TMcScrollInfo info_;
    bool flat_ = false;
    bool raised_ = false;
    TMcPaintBuffer buffer_;
};
