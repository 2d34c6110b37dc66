#pragma once
// The preview of a serial print: its pages as enhanced metafiles in the
// temporary folder, one per page, drawn as the job would print them (label
// faces on a white page, each label's design with the values of its record).
// Counting figures put their values back afterwards (the preview flag).

#include "printing/PrintOptions.h"

#include <QtCore/QString>

#include <vector>

class TPrintRecordSet;
class TPrintSource;

// What the builder reports to and asks of the window that shows its progress.
class TPreviewProgress {
public:
    virtual ~TPreviewProgress() = default;
    virtual void SetText(const QString& text) = 0;
    // Lets pending events run (the window's "Sofort anzeigen" among them).
    virtual void ProcessEvents() = 0;
    // The user asked to see the pages built so far.
    virtual bool ShowNow() const = 0;
};

// The page files in order. A page that cannot be saved ends the building;
// the pages saved before it are returned. The record set is back at its first
// record afterwards.
std::vector<QString> BuildDatasetPreview(TPrintSource& source, TPrintRecordSet& records,
                                         const TDatasetPrintOptions& options, TPreviewProgress& progress);
