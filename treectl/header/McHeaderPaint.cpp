// Header control: painting the sections and measuring them, and the
// header's five small pictures.
#include "treectl/header/McHeader.h"

#include "treectl/support/McGuiUtils.h"

#include "foundation/Codepage1252.h"
#include "platform/gdi/BitmapCanvas.h"
#include "platform/gdi/DrawText.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/ImageList.h"

#include <QtGui/QPaintEvent>

#include <algorithm>

using gdi::Rect;

namespace {

constexpr gdi::Color kMagenta = gdi::Rgb(255, 0, 255);
constexpr gdi::Color kCyan = gdi::Rgb(0, 255, 255);
constexpr gdi::Color kShadow = gdi::Rgb(128, 128, 128);
constexpr gdi::Color kWhite = gdi::Rgb(255, 255, 255);
constexpr gdi::Color kBlack = gdi::Rgb(0, 0, 0);

// A picture from rows of characters: '.' background, 'G' shadow grey,
// 'W' white, '#' black.
gdi::Bitmap Drawn(std::initializer_list<const char*> rows, gdi::Color background) {
    const int32_t width = static_cast<int32_t>(std::string_view(*rows.begin()).size());
    gdi::Bitmap b(width, static_cast<int32_t>(rows.size()));
    int32_t y = 0;
    for (const char* row : rows) {
        for (int32_t x = 0; x < width; ++x) {
            const char c = row[x];
            b.SetPixel(x, y, c == 'G' ? kShadow : c == 'W' ? kWhite : c == '#' ? kBlack : background);
        }
        ++y;
    }
    return b;
}

}  // namespace

const gdi::Bitmap& TCustomMcHeader::PictureOf(Picture picture) {
    static const gdi::Bitmap ascending = Drawn({"GGGGGGGGW", ".G.....W.", "..G...W..", "...G.W...", "....W....", "........."},
                                               kMagenta);
    static const gdi::Bitmap descending = Drawn({"....G....", "...G.W...", "..G...W..", ".G.....W.", "GWWWWWWWW", "........."},
                                                kMagenta);
    static const gdi::Bitmap left = Drawn({"...#.", "..##.", ".###.", "####.", ".###.", "..##.", "...#."}, kCyan);
    static const gdi::Bitmap right = Drawn({".#...", ".##..", ".###.", ".####", ".###.", ".##..", ".#..."}, kCyan);
    static const gdi::Bitmap point = Drawn({".....", ".....", "#.#.#", ".....", "....."}, kCyan);
    switch (picture) {
    case Picture::Ascending: return ascending;
    case Picture::Descending: return descending;
    case Picture::Left: return left;
    case Picture::Right: return right;
    case Picture::Point: return point;
    }
    return point;
}

void TCustomMcHeader::paintEvent(QPaintEvent* event) {
    buffer_.Paint(*this, *event, [this](gdi::Canvas& canvas) { Paint(canvas); });
}

void TCustomMcHeader::Paint(gdi::Canvas& canvas) {
    painting_ = true;
    const Rect clip = canvas.GetClipBox();
    for (int32_t index = 0; index < sections_->Count(); ++index) {
        TMcHeaderSection* s = sections_->Item(index);
        if (!s || !s->Visible()) continue;
        const Rect r = GetSectionRect(index).Offset(-leftPos_, 0);
        if (!gdi::IntersectRect(r, clip).IsEmpty()) DrawSection(canvas, s, r, s == pressedSection_ && pressed_);
    }
    Rect rest{SectionsWidth() - leftPos_, 0, width(), height()};
    if (!rest.IsEmpty()) {
        canvas.FillRect(rest, gdi::SolidBrush(color_));
        gdi::DrawEdge(canvas, rest, gdi::BDR_RAISEDINNER, gdi::BF_RECT);
    }
    painting_ = false;
}

gdi::Color TCustomMcHeader::BackgroundOf(const TMcHeaderSection* section) const {
    return section->ParentColor() ? color_ : section->Color();
}

int32_t TCustomMcHeader::PictureIndexOf(TMcHeaderSection* section) {
    if (!images_) return -1;
    const int32_t index = section->ImageIndex() == -1 ? DoGetPicture(section) : section->ImageIndex();
    return images_->IsValidIndex(index) ? index : -1;
}

// The picture on the background at x, centred vertically in t and cut at its right edge.
void TCustomMcHeader::DrawPicture(gdi::Canvas& canvas, int32_t index, const Rect& t, int32_t x, gdi::Color background) {
    const int32_t w = images_->Width(), h = images_->Height();
    const int32_t shown = std::min(w, t.right - x);
    if (shown <= 0 || t.IsEmpty()) return;
    gdi::BitmapCanvas picture(w, h);
    picture.FillRect({0, 0, w, h}, gdi::SolidBrush(background));
    images_->Draw(picture, index, 0, 0, true);
    const int32_t y = t.top + (t.Height() - h) / 2;
    canvas.BitBlt(x, y, shown, h, picture.bitmap(), 0, 0);
}

void TCustomMcHeader::DrawButtons(gdi::Canvas& canvas, const TMcHeaderSection* s, Rect& c) {
    if (!(s->Expandable() || s->LookupEnabled() || s->FilterEnabled()) || c.left + 7 >= c.right) return;
    if (s->Expandable()) {
        DrawArrow(canvas, s->Expanded() ? TMcArrowDirection::Left : TMcArrowDirection::Right,
                  {c.right - 5, c.top, c.right, c.top + 7}, clBtnText, true);
    }
    if (s->LookupEnabled()) {
        const Rect box{c.right - 5, c.top + 10, c.right, std::min(c.top + 14, c.bottom)};
        DrawTransparentBitmapEx(canvas, PictureOf(Picture::Point), box.left, box.top, {0, 0, box.Width(), box.Height()},
                                kCyan);
    } else if (s->FilterEnabled()) {
        const gdi::Color color = s->FilterIsActive() ? activeFilterColor_ : filterColor_;
        const gdi::Pen savedPen = canvas.pen();
        const gdi::Brush savedBrush = canvas.brush();
        canvas.pen().color = color;
        canvas.pen().style = gdi::PenStyle::Solid;
        canvas.SetBrush(gdi::SolidBrush(color));
        const gdi::Point triangle[] = {{c.right - 4, c.top + 10}, {c.right, c.top + 10},
                                       {c.right - 2, std::min(c.top + 14, c.bottom)}};
        canvas.Polygon(triangle);
        canvas.SetPen(savedPen);
        canvas.SetBrush(savedBrush);
    }
    c.right -= 8;
}

void TCustomMcHeader::DrawSortMark(gdi::Canvas& canvas, const TMcHeaderSection* s, Rect& t, gdi::Color) {
    if (s->SortMode() == TMcSSortMode::hsmNone || !s->ShowSortMark()) return;
    if (t.left + 5 > t.right - 8) {
        t.right = t.left + 5;
        return;
    }
    t.right -= 9;
    const int32_t m = t.top + (t.bottom - t.top) / 2;
    const bool ascending = (s->SortMode() == TMcSSortMode::hsmAscend) != invertSortArrows_;
    const gdi::Bitmap& mark = PictureOf(ascending ? Picture::Ascending : Picture::Descending);
    DrawTransparentBitmapEx(canvas, mark, t.right, m - 3, {0, 0, 9, 6}, mark.Pixel(0, 5));
    t.right -= 3;
}

uint32_t TCustomMcHeader::CaptionFormat(const TMcHeaderSection* s) const {
    uint32_t format = gdi::DT_SINGLELINE | gdi::DT_END_ELLIPSIS | gdi::DT_NOPREFIX;
    TMcSAlignment alignment = s->Alignment();
    if (rightAlignedText_) {
        format |= gdi::DT_RTLREADING;
        if (alignment == TMcSAlignment::hsaLeft) alignment = TMcSAlignment::hsaRight;
        else if (alignment == TMcSAlignment::hsaRight) alignment = TMcSAlignment::hsaLeft;
    }
    if (alignment == TMcSAlignment::hsaCenter) format |= gdi::DT_CENTER;
    else if (alignment == TMcSAlignment::hsaRight) format |= gdi::DT_RIGHT;
    if (s->TextLayout() == TTextLayout::tlCenter) format |= gdi::DT_VCENTER;
    else if (s->TextLayout() == TTextLayout::tlBottom) format |= gdi::DT_BOTTOM;
    return format;
}

void TCustomMcHeader::DrawCaption(gdi::Canvas& canvas, TMcHeaderSection* s, Rect& t) {
    gdi::LogFont font = font_;
    gdi::Color color = s->ParentColor() ? fontColor_ : s->FontColor();
    if (s == hotSection_) {
        color = clHighlight;
        font.underline = true;
    }
    canvas.SetFont(font);
    canvas.SetTextColor(color);
    canvas.SetBkMode(gdi::BkMode::Transparent);
    const std::u16string caption = AnsiToWide(s->Text());
    Rect r = t;
    gdi::DrawText(canvas, caption, r, CaptionFormat(s));
    t.left += (caption.empty() ? 0 : canvas.TextExtent(caption).cx) + 3;
}

void TCustomMcHeader::DrawSection(gdi::Canvas& canvas, TMcHeaderSection* s, Rect r, bool pressed) {
    const gdi::Color background = BackgroundOf(s);
    canvas.FillRect(r, gdi::SolidBrush(background));
    using namespace gdi;
    if (pressed && flat_) {
        Rect e = r;
        DrawEdge(canvas, e, BDR_SUNKENOUTER, BF_RECT);
        r = {r.left + 2, r.top + 2, r.right, r.bottom};
    } else if (pressed) {
        Rect e = r;
        DrawEdge(canvas, e, BDR_SUNKENINNER, BF_LEFT | BF_TOP);
        DrawEdge(canvas, e, BDR_SUNKENOUTER, BF_RIGHT | BF_BOTTOM);
        r = {r.left + 2, r.top + 2, r.right, r.bottom};
    } else if (flat_) {
        Rect e = r;
        DrawEdge(canvas, e, BDR_RAISEDINNER, BF_RECT);
    } else {
        DrawEdge(canvas, r, BDR_RAISEDOUTER, BF_RIGHT | BF_BOTTOM);
        r.right -= 1;
        r.bottom -= 1;
        DrawEdge(canvas, r, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
        r.left += 1;
        r.top += 1;
        DrawEdge(canvas, r, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
        r.right -= 1;
        r.bottom -= 1;
    }
    Rect t{r.left + 1, r.top + 1, r.right - 4, r.bottom - 1};
    DrawButtons(canvas, s, t);
    DrawSortMark(canvas, s, t, background);
    t.left += 5;
    if (t.right < t.left) return;
    const int32_t picture = PictureIndexOf(s);
    switch (s->Style()) {
    case TMcSectionStyle::MchsOwnerDraw:
        if (OnSectionDraw) OnSectionDraw(*this, s, canvas, t, pressed);
        break;
    case TMcSectionStyle::MchsPictureOnly:
        if (picture >= 0) {
            const int32_t x = std::max(t.left, t.left + (t.Width() - images_->Width()) / 2);
            DrawPicture(canvas, picture, t, x, background);
        }
        return;
    case TMcSectionStyle::MchsText:
        if (picture >= 0 && s->PictureAlign() == TMcSAlignment::hsaLeft) {
            DrawPicture(canvas, picture, t, t.left, background);
            t.left += images_->Width();
        }
        if (t.right < t.left) return;
        DrawCaption(canvas, s, t);
        if (t.right < t.left) return;
        break;
    }
    if (picture >= 0 && s->PictureAlign() == TMcSAlignment::hsaRight) DrawPicture(canvas, picture, t, t.left, background);
}

int32_t TCustomMcHeader::MeasureSectionWidth(TMcHeaderSection* s, int32_t& textWidth) {
    textWidth = 0;
    int32_t width = 10;
    if (s->Expandable() || s->LookupEnabled() || s->FilterEnabled()) width += 8;
    width += 17;
    if (s->Style() == TMcSectionStyle::MchsOwnerDraw) {
        gdi::Point size;
        if (OnMeasureSection) OnMeasureSection(*this, s, size);
        width += size.x;
    } else {
        const int32_t picture = PictureIndexOf(s);
        if (picture >= 0) width += images_->Width();
        if (s->Style() == TMcSectionStyle::MchsText) {
            gdi::BitmapCanvas measure(1, 1);
            measure.SetFont(font_);
            Rect r{0, 0, 0, 0};
            gdi::DrawText(measure, AnsiToWide(s->Text()), r, gdi::DT_SINGLELINE | gdi::DT_NOPREFIX | gdi::DT_CALCRECT);
            textWidth = r.Width();
            width += textWidth;
        }
    }
    return std::max(width, s->MinWidth());
}
