#include "foundation/XmlScanner.h"

// ---- TScannerXmlParser

std::unique_ptr<TXmlParser> TScannerXmlParser::OpenExternalEntity(const std::string& systemId,
                                                                  const std::string& publicId,
                                                                  const std::string& notation) {
    if (scanner_.OnLoadExternal) return scanner_.OnLoadExternal(scanner_, systemId, publicId, notation);
    return TXmlParser::OpenExternalEntity(systemId, publicId, notation);
}

std::string TScannerXmlParser::ConvertEncoding(const std::string& source) {
    if (scanner_.OnTranslateEncoding) return scanner_.OnTranslateEncoding(scanner_, CurEncoding(), source);
    return TXmlParser::ConvertEncoding(source);
}

void TScannerXmlParser::DtdDeclarationFound(const TDtdDeclaration& declaration) {
    scanner_.ReportDeclaration(declaration);
}

// ---- TCustomXmlScanner

TCustomXmlScanner::TCustomXmlScanner(QObject* owner)
    : QObject(owner), parser_(std::make_unique<TScannerXmlParser>(*this)) {}

TCustomXmlScanner::~TCustomXmlScanner() = default;

void TCustomXmlScanner::SetFilename(const std::string& fileName) {
    parser_->LoadFile(fileName);
}

void TCustomXmlScanner::Run() {
    stop_ = false;
    parser_->StartScan();
    while (!stop_ && parser_->Scan() && !stop_) ReportCurrentPart();
}

void TCustomXmlScanner::ReportCurrentPart() {
    TXmlParser& p = *parser_;
    switch (p.CurPartType()) {
    case TPartType::XmlDecl: DoXmlProlog(p.XmlVersion(), p.Encoding(), p.Standalone()); break;
    case TPartType::Comment: DoComment(p.CurContent()); break;
    case TPartType::PI: DoPI(p.CurName(), p.CurContent(), p.CurAttr()); break;
    case TPartType::Dtd: DoDtdRead(p.CurName()); break;
    case TPartType::StartTag: DoStartTag(p.CurName(), p.CurAttr()); break;
    case TPartType::EmptyTag: DoEmptyTag(p.CurName(), p.CurAttr()); break;
    case TPartType::EndTag: DoEndTag(p.CurName()); break;
    case TPartType::Content: DoContent(p.CurContent()); break;
    case TPartType::CData: DoCData(p.CurContent()); break;
    case TPartType::None: break;
    }
}

void TCustomXmlScanner::ReportDeclaration(const TDtdDeclaration& d) {
    switch (d.Kind) {
    case TDtdDeclKind::Element: DoElement(*d.ElemDef); break;
    case TDtdDeclKind::AttList: DoAttList(*d.ElemDef); break;
    case TDtdDeclKind::Entity: DoEntity(*d.EntityDef); break;
    case TDtdDeclKind::Notation: DoNotation(*d.NotationDef); break;
    case TDtdDeclKind::PI: DoPI(d.Target, d.Content, *d.Attributes); break;
    case TDtdDeclKind::Comment: DoComment(d.Content); break;
    case TDtdDeclKind::Error: DoDtdError(d.Start); break;
    }
}

void TCustomXmlScanner::DoXmlProlog(const std::string& xmlVersion, const std::string& encoding, bool standalone) {
    if (OnXmlProlog) OnXmlProlog(*this, xmlVersion, encoding, standalone);
}

void TCustomXmlScanner::DoComment(const std::string& comment) {
    if (OnComment) OnComment(*this, comment);
}

void TCustomXmlScanner::DoPI(const std::string& target, const std::string& content, TAttrList& attributes) {
    if (OnPI) OnPI(*this, target, content, attributes);
}

void TCustomXmlScanner::DoDtdRead(const std::string& rootElementName) {
    if (OnDtdRead) OnDtdRead(*this, rootElementName);
}

void TCustomXmlScanner::DoStartTag(const std::string& tagName, TAttrList& attributes) {
    if (OnStartTag) OnStartTag(*this, tagName, attributes);
}

void TCustomXmlScanner::DoEmptyTag(const std::string& tagName, TAttrList& attributes) {
    if (OnEmptyTag) OnEmptyTag(*this, tagName, attributes);
}

void TCustomXmlScanner::DoEndTag(const std::string& tagName) {
    if (OnEndTag) OnEndTag(*this, tagName);
}

void TCustomXmlScanner::DoContent(const std::string& content) {
    if (OnContent) OnContent(*this, content);
}

void TCustomXmlScanner::DoCData(const std::string& content) {
    if (OnCData) OnCData(*this, content);
}

void TCustomXmlScanner::DoElement(TElemDef& elemDef) {
    if (OnElement) OnElement(*this, elemDef);
}

void TCustomXmlScanner::DoAttList(TElemDef& elemDef) {
    if (OnAttList) OnAttList(*this, elemDef);
}

void TCustomXmlScanner::DoEntity(TEntityDef& entityDef) {
    if (OnEntity) OnEntity(*this, entityDef);
}

void TCustomXmlScanner::DoNotation(TNotationDef& notationDef) {
    if (OnNotation) OnNotation(*this, notationDef);
}

void TCustomXmlScanner::DoDtdError(size_t errorPos) {
    if (OnDtdError) OnDtdError(*this, errorPos);
}
