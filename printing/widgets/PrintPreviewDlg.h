#pragma once
// The print preview ("Druckvorschau"): pages from a list of picture files
// (metafiles or raster pictures), paged with the buttons or Page Up and Page
// Down, and zoomed: whole page, page width, page height, a tenth larger or
// smaller (between a tenth and four times the picture's own size), and 1:1.
// A page keeps the displayed size when the page changes; resizing the window
// fits again in the page, width and height modes. A 20-pixel margin
// surrounds the page. A file that cannot be loaded shows an empty 1 x 1
// picture and still counts as a page.

#include "foundation/widgets/LocalizerForm.h"

#include <QtCore/QSize>
#include <QtCore/QString>

#include <memory>
#include <vector>

class QFrame;
class QLabel;
class QScrollArea;
class TPreviewPage;

class TPrintPreviewDlg : public TLocalizerDialog {
    Q_OBJECT
public:
    static constexpr int kMargin = 20;
    enum class Fit { None = 0, WholePage = 1, Width = 2, Height = 3 };

    explicit TPrintPreviewDlg(QWidget* parent = nullptr);
    ~TPrintPreviewDlg() override;

    void SetFiles(std::vector<QString> files);
    int PageCount() const { return static_cast<int>(files_.size()); }
    int Page() const { return page_; }
    void ShowPage(int index);
    QSize PictureSize() const { return picture_; }
    QSize ImageSize() const;
    Fit FitMode() const { return fit_; }
    QString PageNumberText() const;

    void BtnPreviousClick() { ShowPage(page_ - 1); }
    void BtnNextClick() { ShowPage(page_ + 1); }
    void BtnZoomInClick();
    void BtnZoomOutClick();
    void Btn1zu1Click();
    void BtnZoomGanzeSeiteClick();
    void BtnZoomBreiteClick();
    void BtnZoomHoeheClick();
    void BtnSchliessenClick() { reject(); }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetImageWidth(int width);
    void SetImageHeight(int height);
    void PlaceImage(QSize size);
    void Refit();

    std::vector<QString> files_;
    int page_ = -1;
    QSize picture_;
    Fit fit_ = Fit::None;
    bool firstShow_ = true;
    QScrollArea* sb_;
    QWidget* content_;
    TPreviewPage* img_;
    QFrame* bev_;
    QLabel* lblSeitenzahl_;
};

// Shows the pages modally (the window over the main window); the modal result.
int ShowPrintPreview(const std::vector<QString>& files, QWidget* parent = nullptr);
