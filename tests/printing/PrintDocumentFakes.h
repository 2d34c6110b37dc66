#pragma once
// A document for the print engine's tests: a sheet and designs made of real
// figures (a filled rectangle, an ellipse and two lines on a figure list),
// each design logging what the engine asks of it; a record set of numbered
// records; and print windows that answer from a script.

#include "document/Etikett.h"
#include "document/SuchTabelle.h"
#include "figures/Ellipse.h"
#include "figures/FigureList.h"
#include "figures/Linie.h"
#include "figures/Rechteck.h"
#include "foundation/FillData.h"
#include "foundation/ScaleCanvas.h"
#include "platform/gdi/RecordingCanvas.h"
#include "platform/printer/Printer.h"
#include "printing/DatasetPreview.h"
#include "printing/PrintSource.h"
#include "printing/PrintUi.h"

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace printtest {

// One label as a design saw it being printed.
struct PrintedLabel {
    int design = -1;
    int page = 0;  // from PrintLog::page, 0 without one
    float worldX = 0, worldY = 0;  // the canvas's world offsets: user offset + label origin
    std::optional<gdi::Rect> clip;  // the device clip box
    std::optional<gdi::Region> clipRegion;  // the device clip itself
    bool rotated = false;
    bool selectedOnly = false;
    bool printingRecord = false;
    std::string lfdNr, gesNr, record;
    size_t firstCall = 0;  // index of the label's first call on a recording canvas
};

struct PrintLog {
    std::vector<PrintedLabel> labels;
    std::vector<std::string> events;  // "JobStart 0 f", "LabelStart 1 f", ...
    std::function<int()> page;
    // Called after each label; may abort the job or throw.
    std::function<void(const PrintedLabel&)> afterLabel;
    bool printingRecord = false;
};

inline std::unique_ptr<TFillData> SolidFill(gdi::Color color) {
    auto fill = std::make_unique<TFillData>();
    fill->SetKind(1);
    fill->SetColor(color);
    return fill;
}

template <class F>
std::unique_ptr<F> Box(double cx, double cy, double w, double h) {
    auto f = std::make_unique<F>(nullptr);
    f->SetCenterX(cx);
    f->SetCenterY(cy);
    f->SetWidth(w);
    f->SetHeight(h);
    return f;
}

class TestDesign : public TPrintDesign {
public:
    TestDesign(PrintLog& log, int index) : log_(log), index_(index), placeholders_(CreateDefaultPlaceholderTable()) {}

    // The four figures of a label of w x h mm: a pale rectangle, an ellipse
    // and two lines; the first figure is selected.
    void AddStandardFigures(double w, double h) {
        auto frame = Box<TRechteck>(w / 2, h / 2, w - 4, h - 4);
        frame->SetFillColor(gdi::Rgb(255, 240, 220));
        frame->SetPenColor(gdi::Rgb(200, 200, 200));
        frame->Selected = true;
        Add(std::move(frame));
        auto ellipse = Box<TEllipse>(w / 4, h / 2, w / 5, h / 3);
        ellipse->SetFillColor(gdi::Rgb(220, 230, 255));
        ellipse->SetPenColor(gdi::Rgb(210, 210, 210));
        Add(std::move(ellipse));
        for (double y : {h / 3, 2 * h / 3}) {
            auto line = Box<TLinie>(0.65 * w, y, w / 3, 0);
            line->SetPenColor(gdi::Rgb(190, 190, 190));
            Add(std::move(line));
        }
    }
    void Add(std::unique_ptr<TFigure> figure) {
        list_.Add(figure.get());
        owned_.push_back(std::move(figure));
    }
    TFigureList& Figures() { return list_; }

    void NotifyPrintJobStart(int32_t flag) override {
        Event("JobStart", flag);
        if (failJobStart) throw std::runtime_error("job start");
    }
    void NotifyPrintJobEnd(int32_t flag) override { Event("JobEnd", flag); }
    void NotifyLabelStart(int32_t flag) override { Event("LabelStart", flag); }
    void NotifyLabelEnd(int32_t flag) override { Event("LabelEnd", flag); }
    void PrintAllFigures(TRegionScaleCanvas& canvas) override { Print(canvas, false); }
    void PrintSelectedFigures(TRegionScaleCanvas& canvas) override { Print(canvas, true); }
    bool HasSelection() const override {
        for (const TFigure* f : list_)
            if (f->Selected) return true;
        return false;
    }
    void ResolveFields(TDataSet& records) override { record_ = records.FieldValue("Nr"); }
    TSuchTabelle& Placeholders() override { return *placeholders_; }
    std::string Placeholder(const std::string& name) const {
        std::string value;
        placeholders_->LookupValue(name, value);
        return value;
    }

    bool failJobStart = false;

private:
    void Event(const char* what, int32_t flag) {
        log_.events.push_back(std::string(what) + " " + std::to_string(index_) + " " + std::to_string(flag));
    }
    void Print(TRegionScaleCanvas& canvas, bool selectedOnly) {
        PrintedLabel label;
        label.design = index_;
        label.page = log_.page ? log_.page() : 0;
        label.worldX = canvas.WorldOffsetX;
        label.worldY = canvas.WorldOffsetY;
        if (const std::optional<gdi::Region> clip = canvas.Canvas().GetClipRgn()) {
            label.clip = clip->Box();
            label.clipRegion = clip;
        }
        label.rotated = canvas.RotatedSheet;
        label.selectedOnly = selectedOnly;
        label.printingRecord = log_.printingRecord;
        label.lfdNr = Placeholder("lfdNr");
        label.gesNr = Placeholder("GesNr");
        label.record = record_;
        if (auto* recording = dynamic_cast<gdi::RecordingCanvas*>(&canvas.Canvas()))
            label.firstCall = recording->Calls().size();
        for (TFigure* f : list_) {
            if (selectedOnly && !f->Selected) continue;
            f->DrawToSheetCanvas(canvas);
            if (canvas.Canvas().IsPrinter() && gdi::CurrentPrinter().Aborted()) break;
        }
        log_.labels.push_back(label);
        if (log_.afterLabel) log_.afterLabel(label);
    }

    PrintLog& log_;
    int index_;
    std::unique_ptr<TSuchTabelle> placeholders_;
    TFigureList list_;
    std::vector<std::unique_ptr<TFigure>> owned_;
    std::string record_;
};

// Records numbered 1 .. count; the field "Nr" holds the number.
class NumberedRecords : public TPrintRecordSet {
public:
    explicit NumberedRecords(int32_t count) : count_(count), current_(count > 0 ? 1 : 0) {}
    std::vector<TDataSetField> Fields() const override { return {{"Nr", TFieldType::Integer}}; }
    void First() override { current_ = count_ > 0 ? 1 : 0; }
    std::string FieldValue(const std::string& name) const override {
        if (name != "Nr") RaiseFieldNotFound(name);
        return std::to_string(current_);
    }
    int32_t RecordCount() const override { return count_; }
    int32_t RecNo() const override { return current_ <= count_ ? current_ : count_; }
    void MoveTo(int32_t n) override { current_ = n; }
    void Next() override { ++current_; }
    bool Eof() const override { return current_ < 1 || current_ > count_; }

private:
    int32_t count_;
    int32_t current_;
};

class TestDocument : public TPrintSource {
public:
    explicit TestDocument(int designs = 2) {
        for (int i = 0; i < designs; ++i) designs_.push_back(std::make_unique<TestDesign>(log, i));
    }
    // Every design gets the standard figures for the sheet's label size.
    void AddStandardFigures() {
        for (auto& d : designs_) d->AddStandardFigures(sheet.LabelWidth, sheet.LabelHeight);
    }

    TEtikett& Sheet() override { return sheet; }
    int32_t DesignCount() const override { return static_cast<int32_t>(designs_.size()); }
    TPrintDesign& Design(int32_t index) override { return *designs_.at(static_cast<size_t>(index)); }
    TestDesign& design(int index) { return *designs_.at(static_cast<size_t>(index)); }
    std::string DesignCaption(int32_t index) const override { return "Design " + std::to_string(index + 1); }
    int32_t CurrentDesign() const override { return current; }
    bool ClipRingActive() const override { return clipRing; }
    TPrintRecordSet* RecordSet() override { return records; }
    void SetPrintingRecord(bool printing) override {
        log.printingRecord = printing;
        ++printingRecordChanges;
    }
    QString DocumentName() const override { return name; }
    QString DocumentPath() const override { return path; }

    TEtikett sheet;
    PrintLog log;
    int32_t current = 0;
    bool clipRing = false;
    TPrintRecordSet* records = nullptr;
    int printingRecordChanges = 0;
    QString name = QStringLiteral("Adressen.qem");
    QString path;  // empty: a document without a folder

private:
    std::vector<std::unique_ptr<TestDesign>> designs_;
};

// The print windows, answering from a script. Unset answers keep the
// engine's options and say OK.
class ScriptedUi : public TPrintUi {
public:
    std::function<bool(TSheetPrintOptions&)> sheet;
    std::function<bool(TSingleLabelPrintOptions&)> single;
    std::function<bool(TClipRingPrintOptions&)> clipRing;
    std::function<bool(TDatasetPrintOptions&)> dataset;
    QString pdfFile;  // empty: no file for the PDF printer
    bool replaceFiles = true;  // the answer to "replace the file?"; No also leaves the file choice

    bool AskSheetOptions(TPrintSource&, TSheetPrintOptions& o) override { return Answer(sheet, o); }
    bool AskSingleLabelOptions(TPrintSource&, TSingleLabelPrintOptions& o) override { return Answer(single, o); }
    bool AskClipRingOptions(TPrintSource&, TClipRingPrintOptions& o) override { return Answer(clipRing, o); }
    bool AskDatasetOptions(TPrintSource&, TPrintRecordSet&, TDatasetPrintOptions& o) override {
        return Answer(dataset, o);
    }
    bool AskPdfFile(QString& path) override {
        suggestedPdfs.push_back(path);
        path = pdfFile;
        return !pdfFile.isEmpty();
    }
    bool AskReplaceFile(const QString& path) override {
        replaceQuestions.push_back(path);
        if (!replaceFiles) pdfFile.clear();
        return replaceFiles;
    }
    void ShowMessage(const QString& text) override { messages.push_back(text); }
    void BeginJob(const QString& text) override {
        ++jobsBegun;
        texts.push_back(text);
    }
    void SetJobText(const QString& text) override { texts.push_back(text); }
    void EndJob() override { ++jobsEnded; }
    void ProcessEvents() override { ++eventRuns; }

    std::vector<QString> messages;
    std::vector<QString> texts;
    std::vector<QString> suggestedPdfs;  // where each file choice started
    std::vector<QString> replaceQuestions;
    int jobsBegun = 0, jobsEnded = 0, eventRuns = 0;

private:
    template <class O>
    static bool Answer(const std::function<bool(O&)>& script, O& options) {
        return script ? script(options) : true;
    }
};

// The progress of building preview pages: the texts shown, and the request
// to show the pages built so far after stopAfterPage pages (never when 0).
class PreviewProgress : public TPreviewProgress {
public:
    void SetText(const QString& text) override { texts.push_back(text); }
    void ProcessEvents() override {
        if (stopAfterPage && ++pages >= stopAfterPage) showNow = true;
    }
    bool ShowNow() const override { return showNow; }

    std::vector<QString> texts;
    int stopAfterPage = 0;
    int pages = 0;
    bool showNow = false;
};

}  // namespace printtest
