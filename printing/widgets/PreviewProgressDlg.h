#pragma once
// The window shown while preview pages are built: it runs the builder once,
// as soon as it is shown, and closes when the builder returns. "Sofort
// anzeigen" asks the builder to stop early and show the pages built so far;
// the builder reads ShowNow() between pages (after letting pending events
// run) and reports its progress through SetText.

#include "foundation/widgets/LocalizerForm.h"

#include <exception>
#include <functional>

class QLabel;

class TPreviewProgressDlg : public TLocalizerDialog {
    Q_OBJECT
public:
    using Builder = std::function<void(TPreviewProgressDlg&)>;

    explicit TPreviewProgressDlg(QWidget* parent = nullptr);

    // Shows the window modally and runs the builder in it; returns when the
    // builder is done, raising what the builder raised.
    void Run(Builder builder);
    // The text under the note, shown at once.
    void SetText(const QString& text);
    QString Text() const;
    bool ShowNow() const { return showNow_; }

    void BtnSofortClick() { showNow_ = true; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void RunBuilder();

    Builder builder_;
    QLabel* lblSeiten_;
    bool showNow_ = false;
    bool started_ = false;
    std::exception_ptr failure_;
};
