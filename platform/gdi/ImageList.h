#pragma once
// A list of small pictures of one size, as controls show them beside their
// texts (tree rows, header sections). A picture may have a key colour whose
// pixels stay transparent. Listeners hear of every change and of the
// list's end, so that a control can drop a list that is going away.

#include "platform/gdi/Bitmap.h"

#include <functional>
#include <vector>

namespace gdi {

class Canvas;

// The value of "no key colour": every pixel of the picture is drawn.
constexpr Color CLR_NONE = 0xFFFFFFFFu;

class ImageList {
public:
    enum class Event { Changed, Destroyed };
    // How pictures are drawn: as they are, or blended with the highlight
    // colour (a quarter for the focused look, half for the selected one).
    enum class DrawingStyle { Normal, Focus, Selected };
    using Listener = std::function<void(Event)>;

    ImageList(int32_t width, int32_t height);
    ~ImageList();
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Count() const { return static_cast<int32_t>(images_.size()); }
    bool IsValidIndex(int32_t index) const { return index >= 0 && index < Count(); }

    // Adds a picture (cut or padded to the list's size); returns its index.
    int32_t Add(const Bitmap& picture, Color key = CLR_NONE);
    void Replace(int32_t index, const Bitmap& picture, Color key = CLR_NONE);
    void Clear();
    const Bitmap& Picture(int32_t index) const { return images_.at(index).picture; }

    // Draws a picture with its top-left corner at (x, y); a disabled one
    // greyed and lightened. An index outside the list draws nothing.
    void Draw(Canvas& canvas, int32_t index, int32_t x, int32_t y, bool enabled = true) const;

    DrawingStyle Style() const { return style_; }
    void SetDrawingStyle(DrawingStyle style) { style_ = style; }

    // Returns a number for Unsubscribe.
    int32_t Subscribe(Listener listener);
    void Unsubscribe(int32_t id);

private:
    struct Entry {
        Bitmap picture;
        Bitmap mask;    // empty without a key colour
        Bitmap opaque;  // the picture, black where the mask is white
    };
    Entry MakeEntry(const Bitmap& picture, Color key) const;
    void Notify(Event event);

    int32_t width_, height_;
    DrawingStyle style_ = DrawingStyle::Normal;
    std::vector<Entry> images_;
    std::vector<std::pair<int32_t, Listener>> listeners_;
    int32_t nextId_ = 1;
};

}  // namespace gdi
