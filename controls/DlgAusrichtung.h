#pragma once
// The text alignment dialog: one horizontal (left, centred, right,
// justified) and one vertical alignment (top, centred, bottom), with a
// preview of a wrapped sample text.

#include "foundation/widgets/LocalizerForm.h"

#include <array>
#include <cstdint>

class QToolButton;

class TDlgAusrichtung : public TLocalizerDialog {
    Q_OBJECT
public:
    static constexpr QSize kPreviewSize{185, 113};

    explicit TDlgAusrichtung(QWidget* parent = nullptr);

    // Presses the buttons of the values (horizontal 0..3, vertical 0..2;
    // others count as 0).
    void SetAlignment(uint8_t horizontal, uint8_t vertical);
    uint8_t Horizontal() const;
    uint8_t Vertical() const;
    // The flags of the sample text: 1 left, 2 centred, 4 right, 8 justified,
    // 16 top, 32 vertically centred, 64 bottom.
    uint8_t PreviewFlags() const { return previewFlags_; }

    QToolButton* HorizontalButton(int alignment) const { return horizontal_[alignment]; }
    QToolButton* VerticalButton(int alignment) const { return vertical_[alignment]; }
    QWidget* Preview() const { return preview_; }

    // The sample text of the preview (Windows-1252).
    static const char* SampleText();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdatePreview();

    std::array<QToolButton*, 4> horizontal_{};
    std::array<QToolButton*, 3> vertical_{};
    QWidget* preview_;
    uint8_t previewFlags_ = 0;
};

// True and the chosen alignments on OK.
bool EditTextAlignment(uint8_t& horizontal, uint8_t& vertical, QWidget* parent = nullptr);
// The name the figure dialogs know it by.
inline bool EditTextAlignmentDialog(uint8_t& horizontal, uint8_t& vertical, QWidget* parent = nullptr) {
    return EditTextAlignment(horizontal, vertical, parent);
}
