#pragma once
// The XML scanner component: loads a file (or takes a text), walks through it
// with its own reader and reports every part through an event. A handler may
// set the stop flag; the part being reported is then the last one.
//
// Events get the scanner as sender. Texts are Windows-1252 byte strings as
// converted by the reader (see XmlParser.h).

#include "foundation/XmlParser.h"

#include <QtCore/QObject>

#include <functional>
#include <memory>
#include <string>

class TCustomXmlScanner;

using TXmlPrologEvent = std::function<void(TCustomXmlScanner& sender, const std::string& xmlVersion,
                                           const std::string& encoding, bool standalone)>;
using TCommentEvent = std::function<void(TCustomXmlScanner& sender, const std::string& comment)>;
using TPIEvent = std::function<void(TCustomXmlScanner& sender, const std::string& target,
                                    const std::string& content, TAttrList& attributes)>;
using TDtdEvent = std::function<void(TCustomXmlScanner& sender, const std::string& rootElementName)>;
using TStartTagEvent =
    std::function<void(TCustomXmlScanner& sender, const std::string& tagName, TAttrList& attributes)>;
using TEndTagEvent = std::function<void(TCustomXmlScanner& sender, const std::string& tagName)>;
using TContentEvent = std::function<void(TCustomXmlScanner& sender, const std::string& content)>;
using TElementEvent = std::function<void(TCustomXmlScanner& sender, TElemDef& elemDef)>;
using TEntityEvent = std::function<void(TCustomXmlScanner& sender, TEntityDef& entityDef)>;
using TNotationEvent = std::function<void(TCustomXmlScanner& sender, TNotationDef& notationDef)>;
using TErrorEvent = std::function<void(TCustomXmlScanner& sender, size_t errorPos)>;
// Returns the reader holding the external entity's text, or none.
using TExternalEvent = std::function<std::unique_ptr<TXmlParser>(
    TCustomXmlScanner& sender, const std::string& systemId, const std::string& publicId,
    const std::string& notationId)>;
// Returns the text converted from the current encoding.
using TEncodingEvent = std::function<std::string(TCustomXmlScanner& sender, const std::string& currentEncoding,
                                                 const std::string& source)>;

// The reader of a scanner: its hooks go to the scanner's handlers.
class TScannerXmlParser : public TXmlParser {
public:
    explicit TScannerXmlParser(TCustomXmlScanner& scanner) : scanner_(scanner) {}

protected:
    std::unique_ptr<TXmlParser> OpenExternalEntity(const std::string& systemId, const std::string& publicId,
                                                   const std::string& notation) override;
    std::string ConvertEncoding(const std::string& source) override;
    void DtdDeclarationFound(const TDtdDeclaration& declaration) override;

private:
    TCustomXmlScanner& scanner_;
};

class TCustomXmlScanner : public QObject {
public:
    explicit TCustomXmlScanner(QObject* owner = nullptr);
    ~TCustomXmlScanner() override;

    // Setting the file name loads the file at once (and sets Normalize back
    // to true); a file that cannot be read leaves the scanner empty.
    void SetFilename(const std::string& fileName);
    const std::string& Filename() const { return parser_->Source(); }
    // Takes a text instead of a file.
    void LoadFromBuffer(std::string_view text) { parser_->LoadFromBuffer(text); }
    bool Normalize() const { return parser_->Normalize(); }
    void SetNormalize(bool normalize) { parser_->SetNormalize(normalize); }

    // Scans the whole text from the beginning, reporting each part.
    void Run();
    bool StopParser() const { return stop_; }
    void SetStopParser(bool stop) { stop_ = stop; }

    TXmlParser& XmlParser() { return *parser_; }

    TXmlPrologEvent OnXmlProlog;
    TCommentEvent OnComment;
    TPIEvent OnPI;
    TDtdEvent OnDtdRead;
    TStartTagEvent OnStartTag;
    TStartTagEvent OnEmptyTag;
    TEndTagEvent OnEndTag;
    TContentEvent OnContent;
    TContentEvent OnCData;
    TElementEvent OnElement;
    TElementEvent OnAttList;
    TEntityEvent OnEntity;
    TNotationEvent OnNotation;
    TErrorEvent OnDtdError;
    TExternalEvent OnLoadExternal;
    TEncodingEvent OnTranslateEncoding;

protected:
    virtual void DoXmlProlog(const std::string& xmlVersion, const std::string& encoding, bool standalone);
    virtual void DoComment(const std::string& comment);
    virtual void DoPI(const std::string& target, const std::string& content, TAttrList& attributes);
    virtual void DoDtdRead(const std::string& rootElementName);
    virtual void DoStartTag(const std::string& tagName, TAttrList& attributes);
    virtual void DoEmptyTag(const std::string& tagName, TAttrList& attributes);
    virtual void DoEndTag(const std::string& tagName);
    virtual void DoContent(const std::string& content);
    virtual void DoCData(const std::string& content);
    virtual void DoElement(TElemDef& elemDef);
    virtual void DoAttList(TElemDef& elemDef);
    virtual void DoEntity(TEntityDef& entityDef);
    virtual void DoNotation(TNotationDef& notationDef);
    virtual void DoDtdError(size_t errorPos);

private:
    friend class TScannerXmlParser;
    void ReportCurrentPart();
    void ReportDeclaration(const TDtdDeclaration& declaration);

    std::unique_ptr<TScannerXmlParser> parser_;
    bool stop_ = false;
};

class TXmlScanner : public TCustomXmlScanner {
public:
    using TCustomXmlScanner::TCustomXmlScanner;
};
