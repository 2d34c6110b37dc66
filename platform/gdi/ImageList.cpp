#include "platform/gdi/ImageList.h"

#include "platform/gdi/Canvas.h"
#include "platform/gdi/Masks.h"

#include <algorithm>

namespace gdi {
namespace {

// Grey, halfway to white: the look of a disabled picture.
Bitmap Disabled(const Bitmap& picture) {
    Bitmap out(picture.Width(), picture.Height());
    for (int32_t y = 0; y < picture.Height(); ++y) {
        for (int32_t x = 0; x < picture.Width(); ++x) {
            const Color c = picture.Pixel(x, y);
            const uint32_t grey = (RedOf(c) * 30 + GreenOf(c) * 59 + BlueOf(c) * 11) / 100;
            const uint32_t light = (grey + 255) / 2;
            out.SetPixel(x, y, Rgb(light, light, light));
        }
    }
    return out;
}

// The picture blended with the highlight colour by the given share (of 256).
Bitmap Blended(const Bitmap& picture, uint32_t share) {
    const Color h = ResolveColor(SystemColor(COLOR_HIGHLIGHT));
    Bitmap out(picture.Width(), picture.Height());
    auto mix = [share](uint32_t a, uint32_t b) { return (a * (256 - share) + b * share) / 256; };
    for (int32_t y = 0; y < picture.Height(); ++y) {
        for (int32_t x = 0; x < picture.Width(); ++x) {
            const Color c = picture.Pixel(x, y);
            out.SetPixel(x, y, Rgb(mix(RedOf(c), RedOf(h)), mix(GreenOf(c), GreenOf(h)), mix(BlueOf(c), BlueOf(h))));
        }
    }
    return out;
}

// The picture where the mask is black, black where it is white: what the
// masked blit ORs into the hole it cut.
Bitmap OpaquePart(const Bitmap& picture, const Bitmap& mask) {
    Bitmap out(picture.Width(), picture.Height());
    for (int32_t y = 0; y < picture.Height(); ++y) {
        for (int32_t x = 0; x < picture.Width(); ++x) {
            out.SetPixel(x, y, mask.Pixel(x, y) == Rgb(255, 255, 255) ? Rgb(0, 0, 0) : picture.Pixel(x, y));
        }
    }
    return out;
}

}  // namespace

ImageList::ImageList(int32_t width, int32_t height) : width_(std::max(1, width)), height_(std::max(1, height)) {}

ImageList::~ImageList() { Notify(Event::Destroyed); }

ImageList::Entry ImageList::MakeEntry(const Bitmap& picture, Color key) const {
    Entry e{Bitmap(width_, height_), {}};
    for (int32_t y = 0; y < std::min(height_, picture.Height()); ++y) {
        for (int32_t x = 0; x < std::min(width_, picture.Width()); ++x) e.picture.SetPixel(x, y, picture.Pixel(x, y));
    }
    if (key != CLR_NONE) {
        e.mask = ColorKeyMask(e.picture, {0, 0, width_, height_}, key);
        e.opaque = OpaquePart(e.picture, e.mask);
    }
    return e;
}

int32_t ImageList::Add(const Bitmap& picture, Color key) {
    images_.push_back(MakeEntry(picture, key));
    Notify(Event::Changed);
    return Count() - 1;
}

void ImageList::Replace(int32_t index, const Bitmap& picture, Color key) {
    if (!IsValidIndex(index)) return;
    images_[static_cast<size_t>(index)] = MakeEntry(picture, key);
    Notify(Event::Changed);
}

void ImageList::Clear() {
    images_.clear();
    Notify(Event::Changed);
}

void ImageList::Draw(Canvas& canvas, int32_t index, int32_t x, int32_t y, bool enabled) const {
    if (!IsValidIndex(index)) return;
    const Entry& e = images_[static_cast<size_t>(index)];
    if (enabled && style_ == DrawingStyle::Normal) {
        if (e.mask.IsEmpty()) {
            canvas.BitBlt(x, y, width_, height_, e.picture, 0, 0, SRCCOPY);
        } else {
            canvas.BitBlt(x, y, width_, height_, e.mask, 0, 0, SRCAND);
            canvas.BitBlt(x, y, width_, height_, e.opaque, 0, 0, SRCPAINT);
        }
        return;
    }
    Bitmap shown = enabled ? e.picture : Disabled(e.picture);
    if (style_ != DrawingStyle::Normal) shown = Blended(shown, style_ == DrawingStyle::Selected ? 128 : 64);
    const Rect all{0, 0, width_, height_};
    if (e.mask.IsEmpty()) canvas.BitBlt(x, y, width_, height_, shown, 0, 0, SRCCOPY);
    else MaskedBlt(canvas, x, y, shown, all, e.mask);
}

int32_t ImageList::Subscribe(Listener listener) {
    listeners_.emplace_back(nextId_, std::move(listener));
    return nextId_++;
}

void ImageList::Unsubscribe(int32_t id) {
    std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void ImageList::Notify(Event event) {
    // A listener may unsubscribe while it is told.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners) listener(event);
}

}  // namespace gdi
