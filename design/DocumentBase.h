#pragma once
// What the document file, the templates and the label-type change need of
// a whole document: its label sheet, its database block and its designs
// with their tab captions, in tab order. The document window implements it;
// tests use small fakes.

#include <QtCore/QString>

#include <cstdint>

class TChildBase;
class TDataBaseConnector;
class TEinzelEtikett;
class TEtikett;

class TDocumentBase {
public:
    virtual ~TDocumentBase() = default;

    // The owner of the document's figures (the document window).
    virtual TChildBase& Owner() = 0;
    virtual TEtikett& Sheet() = 0;
    virtual TDataBaseConnector& DataBaseConnector() = 0;

    virtual int32_t DesignCount() const = 0;
    // The design of tab `index` (0 .. DesignCount() - 1).
    virtual TEinzelEtikett& Design(int32_t index) = 0;
    virtual QString DesignCaption(int32_t index) const = 0;
    virtual void SetDesignCaption(int32_t index, const QString& caption) = 0;
    // Appends a design tab with the caption without asking anything and
    // returns its (empty) design; reading a file adds its designs this way.
    virtual TEinzelEtikett& AddDesignTab(const QString& caption) = 0;
    // The tab shown; reading a file makes each design current while it is read.
    virtual int32_t CurrentDesignIndex() const = 0;
    virtual void SetCurrentDesignIndex(int32_t index) = 0;

    // The caption of the client panel, which shows the progress of a load;
    // an empty text hides it again.
    virtual void ShowLoadProgress(const QString& caption) = 0;
};
