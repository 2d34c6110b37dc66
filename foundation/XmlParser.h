#pragma once
// A small, lenient XML reader. It holds a whole text in memory and walks
// through it part by part (declaration, processing instruction, comment,
// document type declaration, tags, text, CDATA sections), resolves entity and
// character references and turns UTF-8 text into the Windows-1252 byte strings
// of the model. It never raises an error for malformed input: a part without
// its closing delimiter runs to the end of the text, and problems of the
// document type declaration or of entities are only reported through
// DtdDeclarationFound (kind Error).
//
// Entities are expanded with limits: a reference to an entity that is already
// being expanded, nesting deeper than kMaxEntityDepth and more than
// kMaxEntityExpansion bytes of entity text per scan are reported as errors and
// the reference gives nothing. Declared attribute defaults are limited alike
// (kMaxDeclaredAttributeWork, counted in declarations and value bytes).
// External entities are only read when a subclass (or the scanner's
// OnLoadExternal handler) hands in their text; this reader never opens files
// on its own for them.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// ---- Name-value lists

class TNvpNode {
public:
    TNvpNode() = default;
    TNvpNode(std::string name, std::string value) : Name(std::move(name)), Value(std::move(value)) {}
    virtual ~TNvpNode() = default;

    std::string Name;
    std::string Value;
};

// An owning list of nodes kept sorted by name (byte-wise, case-sensitive). A
// node is inserted after every node of a smaller name and before nodes of the
// same name; Find returns, among nodes of the same name, the one added first.
class TNvpList {
public:
    TNvpList() = default;
    virtual ~TNvpList() = default;
    TNvpList(const TNvpList&) = delete;
    TNvpList& operator=(const TNvpList&) = delete;

    TNvpNode& Add(std::unique_ptr<TNvpNode> node);
    // Removes every node of the node's name, then adds it.
    TNvpNode& Replace(std::unique_ptr<TNvpNode> node);
    TNvpNode* Find(std::string_view name) const;
    // The value of the node of that name, empty when there is none.
    std::string ValueOf(std::string_view name) const;
    int Count() const { return static_cast<int>(nodes_.size()); }
    TNvpNode& Node(int index) const;
    void Clear();

private:
    std::multimap<std::string, std::unique_ptr<TNvpNode>, std::less<>> nodes_;
    mutable std::vector<TNvpNode*> order_;  // the nodes in list order, rebuilt after changes
    mutable bool orderValid_ = true;
};

// ---- Attributes and declarations

enum class TAttrValueKind { Normal, Implied, Fixed, Default };
enum class TAttrType { None, CData, Id, IdRef, IdRefs, Entity, Entities, NmToken, NmTokens, Notation, Enumeration };
enum class TElemContent { Empty, Any, Children, Mixed };
enum class TAttrDefault { None, Required, Implied, Fixed };

// An attribute of a tag or processing instruction.
class TAttr : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    TAttrValueKind ValueKind = TAttrValueKind::Normal;
    TAttrType AttrType = TAttrType::None;
};

class TAttrList : public TNvpList {
public:
    TAttr* Find(std::string_view name) const { return static_cast<TAttr*>(TNvpList::Find(name)); }
    TAttr& Attr(int index) const { return static_cast<TAttr&>(Node(index)); }
};

// An attribute declaration of an attribute-list declaration. Value holds the
// default or fixed value as written; a declaration without any default reads
// as #IMPLIED.
class TAttrDef : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    std::string TypeDef;    // the type as written
    std::string Notations;  // the list of a NOTATION type
    TAttrType AttrType = TAttrType::None;
    TAttrDefault DefaultKind = TAttrDefault::None;
};

// An element declaration; its list entries are its attribute declarations.
class TElemDef : public TNvpNode, public TNvpList {
public:
    explicit TElemDef(std::string name) : TNvpNode(std::move(name), {}) {}
    TElemContent ContentKind = TElemContent::Any;
    std::string Definition;  // the content model as written
    TAttrDef* FindAttrDef(std::string_view name) const {
        return static_cast<TAttrDef*>(TNvpList::Find(name));
    }
    TAttrDef& AttrDef(int index) const { return static_cast<TAttrDef&>(Node(index)); }
};

class TElemList : public TNvpList {
public:
    TElemDef* Find(std::string_view name) const { return static_cast<TElemDef*>(TNvpList::Find(name)); }
    TElemDef& Elem(int index) const { return static_cast<TElemDef&>(Node(index)); }
};

// A general or parameter entity; Value is the replacement text of an
// internal one.
class TEntityDef : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    bool External = false;
    std::string SystemId;
    std::string PublicId;
    std::string NotationName;  // unparsed entities
};

// A notation; Value is its system identifier.
class TNotationDef : public TNvpNode {
public:
    using TNvpNode::TNvpNode;
    std::string PublicId;
};

// "SYSTEM" or "PUBLIC" followed by quoted literals, read at a position.
class TExternalID {
public:
    TExternalID(std::string_view text, size_t pos);
    bool Found = false;
    std::string PublicId;
    std::string SystemId;
    size_t Final = 0;  // the position after the literals
};

// ---- The reader

class TXmlParser;

// One entity being read: its text, where reading goes on in the enclosing
// text, and the encoding in force before it.
class TEntityStackNode {
public:
    std::string Name;                    // "%" in front for parameter entities
    std::string Text;                    // an internal entity's replacement text
    std::unique_ptr<TXmlParser> Reader;  // an external entity's reader (owned)
    std::string PreviousEncoding;
    size_t ReturnPos = 0;
    const std::string& Source() const;
};

class TEntityStack {
public:
    void Push(std::unique_ptr<TEntityStackNode> node) { nodes_.push_back(std::move(node)); }
    std::unique_ptr<TEntityStackNode> Pop();
    TEntityStackNode* Top() const { return nodes_.empty() ? nullptr : nodes_.back().get(); }
    size_t Count() const { return nodes_.size(); }
    bool Contains(std::string_view name) const;
    void Clear() { nodes_.clear(); }

private:
    std::vector<std::unique_ptr<TEntityStackNode>> nodes_;
};

enum class TPartType { None, XmlDecl, Comment, PI, Dtd, StartTag, EmptyTag, EndTag, Content, CData };

enum class TDtdDeclKind { Element, AttList, Entity, Notation, PI, Comment, Error };

// A declaration found while the document type declaration is read. Start
// and Final are positions in the text being read (the main text or an
// entity's); for an error Start is the position of the fault.
struct TDtdDeclaration {
    TDtdDeclKind Kind = TDtdDeclKind::Error;
    size_t Start = 0;
    size_t Final = 0;
    TElemDef* ElemDef = nullptr;
    TEntityDef* EntityDef = nullptr;
    TNotationDef* NotationDef = nullptr;
    std::string Target;   // processing instruction
    std::string Content;  // processing instruction or the whole comment
    TAttrList* Attributes = nullptr;
};

class TXmlParser {
public:
    static constexpr size_t kMaxEntityDepth = 16;
    static constexpr size_t kMaxEntityExpansion = size_t{256} << 10;
    // Declared attributes applied to tags per scan: each declaration counts
    // one plus the length of its value, for every tag it is applied to.
    static constexpr size_t kMaxDeclaredAttributeWork = size_t{4} << 20;

    TXmlParser();
    virtual ~TXmlParser();
    TXmlParser(const TXmlParser&) = delete;
    TXmlParser& operator=(const TXmlParser&) = delete;

    // Empties the reader and loads the whole file; false (and an empty
    // reader) when it cannot be read.
    bool LoadFile(const std::string& fileName);
    // Empties the reader and takes the text.
    void LoadFromBuffer(std::string_view text);
    // Frees the text, forgets the declarations and sets Normalize to true.
    void Reset();

    // Starts at the beginning of the text; Scan then finds one part after the
    // other and returns false at the end of the text.
    void StartScan();
    bool Scan();

    const std::string& Text() const { return buffer_; }
    const std::string& Source() const { return source_; }
    const std::string& XmlVersion() const { return xmlVersion_; }
    const std::string& Encoding() const { return encoding_; }
    bool Standalone() const { return standalone_; }
    const std::string& RootName() const { return rootName_; }
    bool Normalize() const { return normalize_; }
    void SetNormalize(bool normalize) { normalize_ = normalize; }

    const TElemList& Elements() const { return elements_; }
    const TNvpList& Entities() const { return entities_; }
    const TNvpList& ParEntities() const { return parEntities_; }
    const TNvpList& Notations() const { return notations_; }

    // The current part.
    TPartType CurPartType() const { return curPartType_; }
    const std::string& CurName() const { return curName_; }
    const std::string& CurContent() const { return curContent_; }
    TAttrList& CurAttr() { return curAttr_; }
    size_t CurStart() const { return curStart_; }
    size_t CurFinal() const { return curFinal_; }
    const std::string& CurEncoding() const { return curEncoding_; }

    // UTF-8 to Windows-1252: every character outside the code page, every
    // malformed sequence and every four-byte sequence becomes one 0xBF.
    static std::string Utf8ToCp1252(std::string_view utf8);

protected:
    // Hands in the text of an external entity; none here.
    virtual std::unique_ptr<TXmlParser> OpenExternalEntity(const std::string& systemId,
                                                           const std::string& publicId,
                                                           const std::string& notation);
    // Converts text of the document into Windows-1252.
    virtual std::string ConvertEncoding(const std::string& source);
    virtual void DtdDeclarationFound(const TDtdDeclaration& declaration);

private:
    // Position and text
    char At(size_t pos) const;
    bool AtEnd(size_t pos) const { return pos >= text_->size(); }
    bool StartsWithAt(size_t pos, std::string_view prefix) const;
    size_t SkipBlanks(size_t pos, size_t limit) const;
    size_t FindFrom(size_t pos, std::string_view what) const;
    bool SkipToText();

    // Entities
    bool PushEntity(std::string name, std::string text, std::unique_ptr<TXmlParser> reader, size_t errorPos);
    void PopEntity();
    bool Spend(size_t bytes, size_t errorPos);
    void ReportError(size_t pos);
    std::string RawCharacter(int32_t code) const;
    void ExpandAttributeValue(std::string_view raw, size_t depth, std::vector<std::string_view>& active,
                              std::string& out);
    std::string ExpandEntityValue(const std::string& raw, size_t errorPos);
    std::string ExternalEntityText(const TEntityDef& entity);

    // Parts
    void ClearPart();
    void ScanXmlDecl();
    void ScanPI();
    size_t ReadPI(size_t start, std::string& target, std::string& content, TAttrList& attributes);
    void ScanComment();
    void ScanCData();
    void ScanTag();
    bool ScanContent();
    void ReadContentReference(std::string& out);
    void ApplyAttributeDeclarations();
    void ProcessAttributeValues();

    // Document type declaration
    void ScanDtd();
    std::string SkipDtd();
    void ReadExternalSubset(const TExternalID& id);
    void ReadDtdDeclarations(size_t baseDepth, bool internalSubset);
    void FinishDtd(size_t baseDepth);
    void ReadParameterReference();
    size_t DeclarationEnd(size_t pos) const;
    std::string ReadDeclName(size_t& pos, size_t limit) const;
    void ReadElementDeclaration();
    void ReadAttListDeclaration();
    void ReadAttributeDefinition(size_t& pos, size_t limit, TAttrDef& def);
    void ReadEntityDeclaration();
    void ReadNotationDeclaration();

    std::string buffer_;
    std::string source_;
    std::string xmlVersion_;
    std::string encoding_;
    bool standalone_ = false;
    std::string rootName_;
    bool dtdAnalysed_ = false;
    size_t dtdStart_ = 0;
    size_t dtdEnd_ = 0;
    bool normalize_ = true;
    TElemList elements_;
    TNvpList entities_;
    TNvpList parEntities_;
    TNvpList notations_;
    TEntityStack entityStack_;

    const std::string* text_;
    size_t pos_ = 0;
    size_t expanded_ = 0;
    bool expansionExhausted_ = false;
    size_t declaredWork_ = 0;
    bool declaredWorkExhausted_ = false;

    TPartType curPartType_ = TPartType::None;
    std::string curName_;
    std::string curContent_;
    TAttrList curAttr_;
    size_t curStart_ = 0;
    size_t curFinal_ = 0;
    std::string curEncoding_;
};
