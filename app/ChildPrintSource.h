#pragma once
// The document window as the print engine sees it: its sheet, its designs in
// tab order with their captions, the clip-ring switch, the record set of its
// database link and its name. Made for one print command; each design is
// seen through a TDesignPrintAdapter.

#include "printing/PrintSource.h"

#include <memory>
#include <vector>

class TChild;
class TEinzelEtikett;
class TRecordSet;

// A design as the print engine sees it (one to one).
class TDesignPrintAdapter : public TPrintDesign {
public:
    explicit TDesignPrintAdapter(TEinzelEtikett& design) : design_(design) {}

    void NotifyPrintJobStart(int32_t flag) override;
    void NotifyPrintJobEnd(int32_t flag) override;
    void NotifyLabelStart(int32_t flag) override;
    void NotifyLabelEnd(int32_t flag) override;
    void PrintAllFigures(TRegionScaleCanvas& canvas) override;
    void PrintSelectedFigures(TRegionScaleCanvas& canvas) override;
    bool HasSelection() const override;
    void ResolveFields(TDataSet& records) override;
    TSuchTabelle& Placeholders() override;

    TEinzelEtikett& Design() const { return design_; }

private:
    TEinzelEtikett& design_;
};

// The database link's record set as the engine walks it.
class TRecordSetPrintAdapter : public TPrintRecordSet {
public:
    explicit TRecordSetPrintAdapter(TRecordSet& records) : records_(records) {}

    std::vector<TDataSetField> Fields() const override;
    void First() override;
    std::string FieldValue(const std::string& name) const override;
    bool Active() const override;
    std::optional<double> FieldValueAsFloat(const std::string& name) const override;
    std::optional<TDataSetField> FindField(const std::string& name) const override;
    int32_t RecordCount() const override;
    int32_t RecNo() const override;
    void MoveTo(int32_t n) override;
    void Next() override;
    bool Eof() const override;

private:
    TRecordSet& records_;
};

class TChildPrintSource : public TPrintSource {
public:
    // Takes the window's designs as they are now.
    explicit TChildPrintSource(TChild& child);
    ~TChildPrintSource() override;

    TEtikett& Sheet() override;
    int32_t DesignCount() const override;
    TPrintDesign& Design(int32_t index) override;
    std::string DesignCaption(int32_t index) const override;
    int32_t CurrentDesign() const override;
    bool ClipRingActive() const override;
    TPrintRecordSet* RecordSet() override;
    void SetPrintingRecord(bool printing) override;
    QString DocumentName() const override;
    QString DocumentPath() const override;

private:
    TChild& child_;
    std::vector<std::unique_ptr<TDesignPrintAdapter>> designs_;
    std::unique_ptr<TRecordSetPrintAdapter> records_;
};
