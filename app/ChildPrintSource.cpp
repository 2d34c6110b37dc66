#include "app/ChildPrintSource.h"

#include "app/Child.h"

#include "content/RecordSet.h"
#include "design/EinzelEtikett.h"
#include "document/DataBaseConnector.h"
#include "foundation/Codepage1252.h"

// ---- one design

void TDesignPrintAdapter::NotifyPrintJobStart(int32_t flag) { design_.NotifyPrintJobStart(flag); }

void TDesignPrintAdapter::NotifyPrintJobEnd(int32_t flag) { design_.NotifyPrintJobEnd(flag); }

void TDesignPrintAdapter::NotifyLabelStart(int32_t flag) { design_.NotifyLabelStart(flag); }

void TDesignPrintAdapter::NotifyLabelEnd(int32_t flag) { design_.NotifyLabelEnd(flag); }

void TDesignPrintAdapter::PrintAllFigures(TRegionScaleCanvas& canvas) { design_.PrintAllFigures(canvas); }

void TDesignPrintAdapter::PrintSelectedFigures(TRegionScaleCanvas& canvas) { design_.PrintSelectedFigures(canvas); }

bool TDesignPrintAdapter::HasSelection() const { return design_.SelectedCount() > 0; }

void TDesignPrintAdapter::ResolveFields(TDataSet& records) { design_.ResolveFields(&records); }

TSuchTabelle& TDesignPrintAdapter::Placeholders() { return *design_.Placeholders; }

// ---- the record set

std::vector<TDataSetField> TRecordSetPrintAdapter::Fields() const { return records_.Fields(); }

void TRecordSetPrintAdapter::First() { records_.First(); }

std::string TRecordSetPrintAdapter::FieldValue(const std::string& name) const { return records_.FieldValue(name); }

bool TRecordSetPrintAdapter::Active() const { return records_.Active(); }

std::optional<double> TRecordSetPrintAdapter::FieldValueAsFloat(const std::string& name) const {
    return records_.FieldValueAsFloat(name);
}

std::optional<TDataSetField> TRecordSetPrintAdapter::FindField(const std::string& name) const {
    return records_.FindField(name);
}

int32_t TRecordSetPrintAdapter::RecordCount() const { return records_.RecordCount(); }

int32_t TRecordSetPrintAdapter::RecNo() const { return records_.RecNo(); }

void TRecordSetPrintAdapter::MoveTo(int32_t n) { records_.MoveTo(n); }

void TRecordSetPrintAdapter::Next() { records_.Next(); }

bool TRecordSetPrintAdapter::Eof() const { return records_.Eof(); }

// ---- the document

TChildPrintSource::TChildPrintSource(TChild& child) : child_(child) {
    for (int32_t i = 0; i < child.DesignCount(); ++i) designs_.push_back(std::make_unique<TDesignPrintAdapter>(child.Design(i)));
    if (TRecordSet* link = child.DataBaseConnector().Link.get()) records_ = std::make_unique<TRecordSetPrintAdapter>(*link);
}

TChildPrintSource::~TChildPrintSource() = default;

TEtikett& TChildPrintSource::Sheet() { return child_.Sheet(); }

int32_t TChildPrintSource::DesignCount() const { return static_cast<int32_t>(designs_.size()); }

TPrintDesign& TChildPrintSource::Design(int32_t index) { return *designs_.at(static_cast<size_t>(index)); }

std::string TChildPrintSource::DesignCaption(int32_t index) const { return UnicodeToAnsi(child_.DesignCaption(index)); }

int32_t TChildPrintSource::CurrentDesign() const { return child_.CurrentDesignIndex(); }

bool TChildPrintSource::ClipRingActive() const { return child_.ClipRingActive(); }

TPrintRecordSet* TChildPrintSource::RecordSet() { return records_.get(); }

void TChildPrintSource::SetPrintingRecord(bool printing) { child_.SetPrintingRecord(printing); }

QString TChildPrintSource::DocumentName() const { return child_.DocumentName(); }

QString TChildPrintSource::DocumentPath() const { return child_.FileName(); }
