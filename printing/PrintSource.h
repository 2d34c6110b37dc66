#pragma once
// What the print engine needs of a document and of each of its designs. The
// document window implements TPrintSource with a thin adapter over its sheet
// definition, its designs (one per tab) and its database link; each design
// is seen through TPrintDesign.
//
// Flags of the print notifications: kRealPrintJob for a job on the printer,
// kPreviewJob for preview pages (figures that count put their values back
// after a preview).

#include "content/DataSet.h"

#include <QtCore/QString>

#include <cstdint>
#include <string>

class TEtikett;
class TRegionScaleCanvas;
class TSuchTabelle;

inline constexpr int32_t kRealPrintJob = 0;
inline constexpr int32_t kPreviewJob = 1;

// One design of the document: its figures, its notifications and its
// placeholder table ("lfdNr", "GesNr", ...).
class TPrintDesign {
public:
    virtual ~TPrintDesign() = default;

    // Each calls the figures' operation of the same name with the flag, in z-order.
    virtual void NotifyPrintJobStart(int32_t flag) = 0;
    virtual void NotifyPrintJobEnd(int32_t flag) = 0;
    virtual void NotifyLabelStart(int32_t flag) = 0;
    virtual void NotifyLabelEnd(int32_t flag) = 0;
    // Draws every figure (or every selected one) on the canvas; stops after a
    // figure when the canvas is the printer's and its job was aborted.
    virtual void PrintAllFigures(TRegionScaleCanvas& canvas) = 0;
    virtual void PrintSelectedFigures(TRegionScaleCanvas& canvas) = 0;
    virtual bool HasSelection() const = 0;
    // Every figure takes its values from the current record.
    virtual void ResolveFields(TDataSet& records) = 0;
    virtual TSuchTabelle& Placeholders() = 0;
};

// A record set the document is linked to, as serial printing walks it.
// Records are numbered from 1; a CSV table or any other table can be one.
class TPrintRecordSet : public TDataSet {
public:
    virtual int32_t RecordCount() const = 0;
    // The current record's number; 0 when the set is empty.
    virtual int32_t RecNo() const = 0;
    // Makes record n current (n is within 1 .. RecordCount()).
    virtual void MoveTo(int32_t n) = 0;
    virtual void Next() = 0;
    // True after Next went past the last record (and for an empty set).
    virtual bool Eof() const = 0;
};

class TPrintSource {
public:
    virtual ~TPrintSource() = default;

    virtual TEtikett& Sheet() = 0;
    // The designs in tab order, with their tab captions (Windows-1252).
    virtual int32_t DesignCount() const = 0;
    virtual TPrintDesign& Design(int32_t index) = 0;
    virtual std::string DesignCaption(int32_t index) const = 0;
    // The design of the current tab; -1 when no tab is current.
    virtual int32_t CurrentDesign() const = 0;
    // The clip ring of round labels is switched on (its menu item is shown and checked).
    virtual bool ClipRingActive() const = 0;
    // The open record set of the database link; none without one.
    virtual TPrintRecordSet* RecordSet() = 0;
    // Set while one label of a serial print is drawn.
    virtual void SetPrintingRecord(bool printing) = 0;
    // The document's name (its file name without folder, or the caption of a
    // new document): names the print job.
    virtual QString DocumentName() const = 0;
    // The document's path (its file, or the proposed path of a new document;
    // empty when it has none): the PDF file is suggested beside it.
    virtual QString DocumentPath() const = 0;
};

// The source's "printing a record" state for as long as it lives.
class TPrintingRecordScope {
public:
    explicit TPrintingRecordScope(TPrintSource& source) : source_(source) { source_.SetPrintingRecord(true); }
    ~TPrintingRecordScope() { source_.SetPrintingRecord(false); }
    TPrintingRecordScope(const TPrintingRecordScope&) = delete;
    TPrintingRecordScope& operator=(const TPrintingRecordScope&) = delete;

private:
    TPrintSource& source_;
};
