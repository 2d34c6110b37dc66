#include "printing/DatasetPreview.h"

#include "document/Etikett.h"
#include "foundation/FillData.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Localizer.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/Metafile.h"
#include "printing/DatasetRange.h"
#include "printing/LabelPlacement.h"
#include "printing/LabelWalk.h"
#include "printing/PrintSource.h"

#include <QtCore/QFile>

#include <algorithm>
#include <memory>

namespace {

class PreviewBuilder {
public:
    PreviewBuilder(TPrintSource& source, TPrintRecordSet& records, const TDatasetPrintOptions& options,
                   TPreviewProgress& progress)
        : source_(source), records_(records), options_(options), progress_(progress), sheet_(source.Sheet()) {
        faces_.Assign(sheet_);
        faces_.Orientation = 0;  // label faces are drawn as they lie on the portrait page
    }

    std::vector<QString> Build() {
        const int32_t positions = LabelPositionsOf(sheet_);
        TDatasetPrintOptions options = options_;
        const TRecordRange range = RecordRangeOf(options, records_.RecordCount(), positions);
        const int32_t copies = std::max(1, options.CopiesPerRecord);
        const int64_t missing = positions - CountMarkedPositions(options.Mask, positions);
        totalPages_ = std::max(1, DatasetPageCount(int64_t{range.Count} * copies + missing, positions));
        const int32_t index = std::clamp(options.Design, 0, std::max(source_.DesignCount() - 1, 0));
        if (source_.DesignCount() == 0) return {};
        TPrintDesign& design = source_.Design(index);
        walk_ = TLabelWalk(options.Mask, positions);

        const bool scanlines = UseScanlines;
        UseScanlines = true;
        struct Restore {
            bool value;
            ~Restore() { UseScanlines = value; }
        } restore{scanlines};

        design.NotifyPrintJobStart(kPreviewJob);
        try {
            BuildPages(design, range, copies);
        } catch (...) {
            for (const QString& file : files_) QFile::remove(file);
            design.NotifyPrintJobEnd(kPreviewJob);
            records_.First();
            throw;
        }
        design.NotifyPrintJobEnd(kPreviewJob);
        records_.First();
        return files_;
    }

private:
    void BuildPages(TPrintDesign& design, const TRecordRange& range, int32_t copies) {
        if (range.Count > 0) records_.MoveTo(range.FirstRecord);
        NewPage();
        for (int32_t r = 0; r < range.Count && !records_.Eof() && !Stopped(); ++r) {
            design.ResolveFields(records_);
            design.NotifyLabelStart(kPreviewJob);
            for (int32_t c = 0; c < copies && !Stopped(); ++c) {
                if (walk_.Advance() == TLabelWalk::Step::NewPage && !NextPage()) break;
                DrawLabel(design);
            }
            design.NotifyLabelEnd(kPreviewJob);
            records_.Next();
        }
        FinishPage();
    }

    bool Stopped() const { return saveFailed_ || progress_.ShowNow(); }

    void NewPage() {
        ++page_;
        progress_.SetText(LocalizedFormat("IDS_SEITEXVONX", {page_, std::max(page_, totalPages_)}));
        metafile_ = std::make_unique<gdi::Metafile>();
        metafile_->SetEnhanced(true);
        // Zoom 1 on the screen: the page's size in screen pixels, plus one for the right and bottom edge.
        TScaler screen;
        screen.Reset(kResetScreen);
        metafile_->SetSize(screen.MMToPixelX(sheet_.PageWidth) + 1, screen.MMToPixelY(sheet_.PageHeight) + 1);
        recorder_ = std::make_unique<gdi::MetafileCanvas>(*metafile_);
        canvas_ = std::make_unique<TRegionScaleCanvas>(recorder_.get());
        canvas_->RotatedSheet = sheet_.Orientation != 0;
        canvas_->Reset(kResetScreen);
        canvas_->Brush() = gdi::SolidBrush(gdi::Rgb(255, 255, 255));
        canvas_->Pen() = gdi::Pen{};
        canvas_->Rectangle(0, 0, sheet_.PageWidth, sheet_.PageHeight);
        sheet_.BuildClipRegions(*canvas_, canvas_->Regions);
    }

    // The finished page is saved; false when building stops here.
    bool NextPage() {
        FinishPage();
        progress_.ProcessEvents();
        if (Stopped()) return false;
        NewPage();
        return true;
    }

    void FinishPage() {
        if (!metafile_) return;
        canvas_.reset();
        recorder_.reset();  // hands the drawing to the metafile
        const QString file = UniqueTempFileName(QStringLiteral("emf"));
        if (metafile_->SaveToFile(file))
            files_.push_back(file);
        else
            saveFailed_ = true;
        metafile_.reset();
    }

    void DrawLabel(TPrintDesign& design) {
        const TLabelPlace place = LabelPlaceOf(sheet_, walk_.Position());
        canvas_->SetWorldOffsetX(static_cast<float>(place.OriginX));
        canvas_->SetWorldOffsetY(static_cast<float>(place.OriginY));
        canvas_->Pen() = gdi::Pen{};
        faces_.DrawLabelFace(*canvas_, false);
        if (sheet_.Orientation != 0)
            canvas_->SetWorldOffsetY(static_cast<float>(place.OriginY + sheet_.LabelHeight));
        const TPrintingRecordScope printing(source_);
        design.PrintAllFigures(*canvas_);
    }

    TPrintSource& source_;
    TPrintRecordSet& records_;
    const TDatasetPrintOptions& options_;
    TPreviewProgress& progress_;
    TEtikett& sheet_;
    TEtikett faces_;
    TLabelWalk walk_;
    int32_t page_ = 0;
    int32_t totalPages_ = 1;
    bool saveFailed_ = false;
    std::unique_ptr<gdi::Metafile> metafile_;
    std::unique_ptr<gdi::MetafileCanvas> recorder_;
    std::unique_ptr<TRegionScaleCanvas> canvas_;
    std::vector<QString> files_;
};

}  // namespace

std::vector<QString> BuildDatasetPreview(TPrintSource& source, TPrintRecordSet& records,
                                         const TDatasetPrintOptions& options, TPreviewProgress& progress) {
    return PreviewBuilder(source, records, options, progress).Build();
}
