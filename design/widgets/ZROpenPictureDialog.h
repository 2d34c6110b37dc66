#pragma once
// The file-open dialog with a preview pane at the right of the file list
// (always the program's own dialog, never the desktop's). When the selection
// rests on a file for 250 ms, the dialog asks its owner through OnPreview to
// draw that file into the pane's bitmap; a handler that fails or reports no
// preview leaves the pane white. The "Vorschau" check box switches the
// preview off and on; checking it previews the current file again.

#include "foundation/widgets/LocalizerForm.h"
#include "platform/gdi/Bitmap.h"

#include <QtWidgets/QFileDialog>

#include <functional>
#include <memory>

class QCheckBox;
class TCanvasPanel;
class TViewTimer;

class TZROpenPictureDialog : public TLocalizedWindow<QFileDialog> {
    Q_OBJECT
public:
    static constexpr int kPreviewDelayMs = 250;

    // (the dialog, the bitmap to draw into, true unless there is no preview, the file)
    using PreviewHandler =
        std::function<void(TZROpenPictureDialog& sender, gdi::Bitmap& bitmap, bool& success, const QString& fileName)>;

    explicit TZROpenPictureDialog(QWidget* parent = nullptr);
    ~TZROpenPictureDialog() override;

    void SetOnPreview(PreviewHandler handler) { onPreview_ = std::move(handler); }
    // The timer of the preview delay; tests give one they drive themselves.
    void SetPreviewTimer(std::unique_ptr<TViewTimer> timer);

    void SetPreviewEnabled(bool enabled);
    bool GetPreviewEnabled() const;

    // A new selection (also a folder or a name that does not exist).
    void SelectionChanged(const QString& path);
    void PreviewTimerFired();
    void PreviewCheckClicked();

    const gdi::Bitmap& PreviewBitmap() const { return bitmap_; }
    TCanvasPanel* PreviewPanel() const { return cliPanel_; }
    QCheckBox* PreviewCheck() const { return cbVorschau_; }

    void done(int result) override;

protected:
    void AfterLocalize() override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildPreviewPane();
    // The bitmap at the pane's size, white.
    void ResetBitmap();
    void ClearPreview();

    QWidget* panel1_ = nullptr;
    TCanvasPanel* cliPanel_ = nullptr;
    QCheckBox* cbVorschau_ = nullptr;
    gdi::Bitmap bitmap_;
    std::unique_ptr<TViewTimer> timer_;
    QString currentPath_;
    PreviewHandler onPreview_;
};
