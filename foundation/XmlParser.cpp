#include "foundation/XmlParser.h"

#include "foundation/Codepage1252.h"
#include "foundation/Stream.h"

#include <algorithm>
#include <exception>

namespace {

constexpr size_t npos = std::string::npos;
constexpr char kUnmappable = '\xBF';  // inverted question mark

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// The first character of an attribute name.
bool IsNameStart(char c) {
    const auto b = static_cast<uint8_t>(c);
    return c == ':' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (b >= 0xC0 && b <= 0xD6) || (b >= 0xD8 && b <= 0xF6) || b >= 0xF8;
}

std::string UpperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// Leading and trailing whitespace removed, every run inside made one blank.
std::string CollapseWhitespace(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool pendingBlank = false;
    for (char c : text) {
        if (IsBlank(c)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) out += ' ';
        pendingBlank = false;
        out += c;
    }
    return out;
}

std::string BlanksToSpaces(std::string text) {
    for (char& c : text) {
        if (IsBlank(c)) c = ' ';
    }
    return text;
}

std::string Trim(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return std::string(text.substr(begin, end - begin));
}

// The character of one of the five predefined entities, 0 for another name.
char PredefinedEntity(std::string_view name) {
    if (name == "lt") return '<';
    if (name == "gt") return '>';
    if (name == "amp") return '&';
    if (name == "apos") return '\'';
    if (name == "quot") return '"';
    return 0;
}

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// The code of a character reference from the text between "&#" and ";"
// ("65", "x41"); -1 when it names no character (bad digits, 0, beyond Unicode).
int32_t CharacterReferenceCode(std::string_view body) {
    int base = 10;
    if (!body.empty() && (body[0] == 'x' || body[0] == 'X')) {
        base = 16;
        body.remove_prefix(1);
    }
    if (body.empty()) return -1;
    int32_t code = 0;
    for (char c : body) {
        const int digit = DigitValue(c, base);
        if (digit < 0) return -1;
        code = code * base + digit;
        if (code > 0x10FFFF) return -1;
    }
    return code == 0 ? -1 : code;
}

// A character reference in Windows-1252: a blank when it names no character.
char Cp1252Character(int32_t code) {
    if (code < 0) return ' ';
    bool ok = false;
    const char c = UnicodeToCp1252(static_cast<char32_t>(code), &ok);
    return ok ? c : kUnmappable;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsContinuation(uint8_t b) {
    return (b & 0xC0) == 0x80;
}

int LeadingOnes(uint8_t b) {
    int n = 0;
    while (n < 8 && (b & (0x80 >> n))) ++n;
    return n;
}

// A quoted literal at pos (running to the limit when unterminated); pos ends
// behind the closing quote. Empty, with pos unchanged, when no quote is there.
std::string ReadLiteral(std::string_view text, size_t& pos, size_t limit) {
    if (pos >= limit || !IsQuote(text[pos])) return {};
    const char quote = text[pos];
    const size_t begin = pos + 1;
    size_t end = begin;
    while (end < limit && text[end] != quote) ++end;
    pos = std::min(end + 1, limit);
    return std::string(text.substr(begin, end - begin));
}

size_t SkipBlanksIn(std::string_view text, size_t pos, size_t limit) {
    while (pos < limit && IsBlank(text[pos])) ++pos;
    return pos;
}

TAttrType AttrTypeOf(std::string_view word) {
    static const struct {
        const char* name;
        TAttrType type;
    } kTypes[] = {
        {"CDATA", TAttrType::CData},       {"ID", TAttrType::Id},
        {"IDREF", TAttrType::IdRef},       {"IDREFS", TAttrType::IdRefs},
        {"ENTITY", TAttrType::Entity},     {"ENTITIES", TAttrType::Entities},
        {"NMTOKEN", TAttrType::NmToken},   {"NMTOKENS", TAttrType::NmTokens},
        {"NOTATION", TAttrType::Notation},
    };
    for (const auto& t : kTypes) {
        if (word == t.name) return t.type;
    }
    return TAttrType::None;
}

TElemContent ContentKindOf(const std::string& model) {
    if (model == "EMPTY") return TElemContent::Empty;
    if (model.empty() || model[0] != '(') return TElemContent::Any;
    const size_t first = SkipBlanksIn(model, 1, model.size());
    return model.compare(first, 7, "#PCDATA") == 0 ? TElemContent::Mixed : TElemContent::Children;
}

// Reads the attributes in text[pos, limit) into the list; returns where
// reading stopped (at a character that starts no name, such as ">" or "/").
size_t ReadAttributes(std::string_view text, size_t pos, size_t limit, TAttrList& list) {
    list.Clear();
    for (;;) {
        pos = SkipBlanksIn(text, pos, limit);
        if (pos >= limit || !IsNameStart(text[pos])) return pos;
        const size_t nameStart = pos;
        while (pos < limit && !IsBlank(text[pos]) && text[pos] != '/' && text[pos] != '=' && text[pos] != '>')
            ++pos;
        std::string name(text.substr(nameStart, pos - nameStart));
        while (pos < limit && text[pos] != '=' && text[pos] != '>' && text[pos] != '/') ++pos;
        std::string value;
        if (pos < limit && text[pos] == '=') {
            pos = SkipBlanksIn(text, pos + 1, limit);
            if (pos < limit && IsQuote(text[pos])) {
                value = ReadLiteral(text, pos, limit);
            } else {
                const size_t valueStart = pos;
                while (pos < limit && !IsBlank(text[pos]) && text[pos] != '>') ++pos;
                value = std::string(text.substr(valueStart, pos - valueStart));
            }
        }
        list.Add(std::make_unique<TAttr>(std::move(name), std::move(value)));
    }
}

}  // namespace

// ---- TNvpList

TNvpNode& TNvpList::Add(std::unique_ptr<TNvpNode> node) {
    orderValid_ = false;
    const auto before = nodes_.lower_bound(node->Name);
    std::string name = node->Name;
    return *nodes_.emplace_hint(before, std::move(name), std::move(node))->second;
}

TNvpNode& TNvpList::Replace(std::unique_ptr<TNvpNode> node) {
    nodes_.erase(node->Name);
    return Add(std::move(node));
}

TNvpNode* TNvpList::Find(std::string_view name) const {
    const auto range = nodes_.equal_range(name);
    if (range.first == range.second) return nullptr;
    return std::prev(range.second)->second.get();
}

std::string TNvpList::ValueOf(std::string_view name) const {
    const TNvpNode* node = Find(name);
    return node ? node->Value : std::string();
}

TNvpNode& TNvpList::Node(int index) const {
    if (!orderValid_) {
        order_.clear();
        order_.reserve(nodes_.size());
        for (const auto& entry : nodes_) order_.push_back(entry.second.get());
        orderValid_ = true;
    }
    return *order_[static_cast<size_t>(index)];
}

void TNvpList::Clear() {
    nodes_.clear();
    order_.clear();
    orderValid_ = true;
}

// ---- TExternalID

TExternalID::TExternalID(std::string_view text, size_t pos) : Final(pos) {
    const std::string_view rest = text.substr(std::min(pos, text.size()));
    const bool system = rest.substr(0, 6) == "SYSTEM";
    const bool isPublic = rest.substr(0, 6) == "PUBLIC";
    if (!system && !isPublic) return;
    Found = true;
    size_t p = SkipBlanksIn(text, pos + 6, text.size());
    if (isPublic) {
        PublicId = ReadLiteral(text, p, text.size());
        p = SkipBlanksIn(text, p, text.size());
    }
    SystemId = ReadLiteral(text, p, text.size());
    Final = p;
}

// ---- TEntityStack

const std::string& TEntityStackNode::Source() const {
    return Reader ? Reader->Text() : Text;
}

std::unique_ptr<TEntityStackNode> TEntityStack::Pop() {
    if (nodes_.empty()) return nullptr;
    auto node = std::move(nodes_.back());
    nodes_.pop_back();
    return node;
}

bool TEntityStack::Contains(std::string_view name) const {
    return std::any_of(nodes_.begin(), nodes_.end(), [&](const auto& node) { return node->Name == name; });
}

// ---- TXmlParser: loading

TXmlParser::TXmlParser() : text_(&buffer_) {}

TXmlParser::~TXmlParser() = default;

bool TXmlParser::LoadFile(const std::string& fileName) {
    Reset();
    try {
        TMemoryStream file;
        file.LoadFromFile(fileName);
        buffer_.assign(file.Bytes().begin(), file.Bytes().end());
        source_ = fileName;
        StartScan();
        return true;
    } catch (const std::exception&) {
        Reset();
        return false;
    }
}

void TXmlParser::LoadFromBuffer(std::string_view text) {
    Reset();
    buffer_.assign(text);
    StartScan();
}

void TXmlParser::Reset() {
    entityStack_.Clear();
    buffer_.clear();
    buffer_.shrink_to_fit();
    source_.clear();
    xmlVersion_.clear();
    encoding_.clear();
    standalone_ = false;
    rootName_.clear();
    dtdAnalysed_ = false;
    dtdStart_ = dtdEnd_ = 0;
    normalize_ = true;
    elements_.Clear();
    entities_.Clear();
    parEntities_.Clear();
    notations_.Clear();
    StartScan();
}

void TXmlParser::StartScan() {
    entityStack_.Clear();
    text_ = &buffer_;
    pos_ = 0;
    expanded_ = 0;
    expansionExhausted_ = false;
    declaredWork_ = 0;
    declaredWorkExhausted_ = false;
    curEncoding_.clear();
    ClearPart();
}

// ---- Virtual operations

std::unique_ptr<TXmlParser> TXmlParser::OpenExternalEntity(const std::string&, const std::string&,
                                                           const std::string&) {
    return nullptr;
}

std::string TXmlParser::ConvertEncoding(const std::string& source) {
    return curEncoding_ == "UTF-8" ? Utf8ToCp1252(source) : source;
}

void TXmlParser::DtdDeclarationFound(const TDtdDeclaration&) {}

std::string TXmlParser::Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<uint8_t>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const int length = LeadingOnes(lead);
        size_t taken = 1;
        while (taken < static_cast<size_t>(length) && i + taken < utf8.size() &&
               IsContinuation(static_cast<uint8_t>(utf8[i + taken])))
            ++taken;
        if (length < 2 || length > 4 || taken < static_cast<size_t>(length)) {
            // A stray continuation byte, a lead byte of no valid length or a
            // cut-off sequence: one unmappable character, and the bytes after
            // it that are not part of it stay.
            out += kUnmappable;
            i += taken;
            continue;
        }
        char32_t code = lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) code = (code << 6) | (static_cast<uint8_t>(utf8[i + k]) & 0x3F);
        const bool overlong = (length == 2 && code < 0x80) || (length == 3 && code < 0x800);
        if (length == 4 || overlong || (code >= 0xD800 && code <= 0xDFFF)) {
            out += kUnmappable;
        } else {
            bool ok = false;
            const char c = UnicodeToCp1252(code, &ok);
            out += ok ? c : kUnmappable;
        }
        i += static_cast<size_t>(length);
    }
    return out;
}

// ---- Position helpers

char TXmlParser::At(size_t pos) const {
    return pos < text_->size() ? (*text_)[pos] : '\0';
}

bool TXmlParser::StartsWithAt(size_t pos, std::string_view prefix) const {
    return pos <= text_->size() && text_->compare(pos, prefix.size(), prefix) == 0;
}

size_t TXmlParser::SkipBlanks(size_t pos, size_t limit) const {
    return SkipBlanksIn(*text_, pos, std::min(limit, text_->size()));
}

size_t TXmlParser::FindFrom(size_t pos, std::string_view what) const {
    return pos >= text_->size() ? npos : text_->find(what, pos);
}

// Pops every entity whose text is used up; false at the end of the main text.
bool TXmlParser::SkipToText() {
    while (AtEnd(pos_)) {
        if (entityStack_.Count() == 0) return false;
        PopEntity();
    }
    return true;
}

// ---- Entities

// Counts entity text against the limit of a scan. Running out is reported
// once; every later reference gives nothing.
bool TXmlParser::Spend(size_t bytes, size_t errorPos) {
    if (bytes > kMaxEntityExpansion - expanded_) {
        if (!expansionExhausted_) ReportError(errorPos);
        expansionExhausted_ = true;
        return false;
    }
    expanded_ += bytes;
    return true;
}

bool TXmlParser::PushEntity(std::string name, std::string text, std::unique_ptr<TXmlParser> reader,
                            size_t errorPos) {
    if (entityStack_.Contains(name) || entityStack_.Count() >= kMaxEntityDepth) {
        ReportError(errorPos);
        return false;
    }
    auto node = std::make_unique<TEntityStackNode>();
    node->Name = std::move(name);
    node->Text = std::move(text);
    node->Reader = std::move(reader);
    if (!Spend(node->Source().size(), errorPos)) return false;
    node->PreviousEncoding = curEncoding_;
    node->ReturnPos = pos_;
    text_ = &node->Source();
    pos_ = 0;
    entityStack_.Push(std::move(node));
    return true;
}

void TXmlParser::PopEntity() {
    auto node = entityStack_.Pop();
    if (!node) return;
    curEncoding_ = node->PreviousEncoding;
    pos_ = node->ReturnPos;
    text_ = entityStack_.Count() ? &entityStack_.Top()->Source() : &buffer_;
}

void TXmlParser::ReportError(size_t pos) {
    TDtdDeclaration error;
    error.Kind = TDtdDeclKind::Error;
    error.Start = error.Final = pos;
    DtdDeclarationFound(error);
}

// A character reference as it would stand in the document's own encoding,
// so that it is converted together with the text around it.
std::string TXmlParser::RawCharacter(int32_t code) const {
    std::string out;
    if (code > 0 && curEncoding_ == "UTF-8") AppendUtf8(out, static_cast<char32_t>(code));
    else out += Cp1252Character(code);
    return out;
}

std::string TXmlParser::ExternalEntityText(const TEntityDef& entity) {
    auto reader = OpenExternalEntity(entity.SystemId, entity.PublicId, entity.NotationName);
    return reader ? reader->Text() : std::string();
}

// Appends an attribute value with its entity and character references
// replaced; the result is still in the document's encoding. Undeclared
// references stay as written.
void TXmlParser::ExpandAttributeValue(std::string_view raw, size_t depth, std::vector<std::string_view>& active,
                                      std::string& out) {
    size_t i = 0;
    while (i < raw.size()) {
        // A reference runs from "&" to ";"; an "&" without one before the
        // next "&" stays as written.
        const size_t stop = raw[i] == '&' ? raw.find_first_of(";&", i + 1) : npos;
        if (stop == npos || raw[stop] != ';') {
            const size_t next = std::min(raw.find('&', i + 1), raw.size());
            out.append(raw.substr(i, next - i));
            i = next;
            continue;
        }
        const size_t semicolon = stop;
        const std::string_view name = raw.substr(i + 1, semicolon - i - 1);
        const std::string_view written = raw.substr(i, semicolon + 1 - i);
        i = semicolon + 1;
        if (!name.empty() && name[0] == '#') {
            out += RawCharacter(CharacterReferenceCode(name.substr(1)));
            continue;
        }
        if (const char c = PredefinedEntity(name)) {
            out += c;
            continue;
        }
        const auto* entity = static_cast<const TEntityDef*>(entities_.Find(name));
        if (!entity || !entity->NotationName.empty()) {
            out.append(written);
            continue;
        }
        const bool recursive = std::find(active.begin(), active.end(), name) != active.end();
        if (recursive || depth >= kMaxEntityDepth) {
            ReportError(curStart_);
            continue;
        }
        const std::string external = entity->External ? ExternalEntityText(*entity) : std::string();
        const std::string& text = entity->External ? external : entity->Value;
        if (!Spend(text.size(), curStart_)) continue;
        active.push_back(entity->Name);
        ExpandAttributeValue(text, depth + 1, active, out);
        active.pop_back();
    }
}

// The replacement text of an entity declaration: parameter references and
// character references replaced. A stored parameter entity is already
// expanded, so its text goes in as it is.
std::string TXmlParser::ExpandEntityValue(const std::string& raw, size_t errorPos) {
    std::string out;
    size_t i = 0;
    while (i < raw.size()) {
        const char c = raw[i];
        const bool reference = c == '%' || (c == '&' && i + 1 < raw.size() && raw[i + 1] == '#');
        const size_t semicolon = reference ? raw.find_first_of(";%&", i + 1) : npos;
        if (semicolon == npos || raw[semicolon] != ';') {
            out += raw[i++];
            continue;
        }
        const std::string name = raw.substr(i + 1, semicolon - i - 1);
        const size_t next = semicolon + 1;
        if (c == '&') {
            out += RawCharacter(CharacterReferenceCode(std::string_view(name).substr(1)));
        } else if (const auto* entity = static_cast<const TEntityDef*>(parEntities_.Find(name));
                   entity && !entity->External) {
            if (Spend(entity->Value.size(), errorPos)) out += entity->Value;
        } else {
            out.append(raw, i, next - i);
        }
        i = next;
    }
    return out;
}

// ---- Parts

void TXmlParser::ClearPart() {
    curPartType_ = TPartType::None;
    curName_.clear();
    curContent_.clear();
    curAttr_.Clear();
    curStart_ = curFinal_ = pos_;
}

bool TXmlParser::Scan() {
    for (;;) {
        ClearPart();
        if (!SkipToText()) return false;
        curStart_ = pos_;
        if (StartsWithAt(pos_, "<?xml") && IsBlank(At(pos_ + 5))) ScanXmlDecl();
        else if (StartsWithAt(pos_, "<?")) ScanPI();
        else if (StartsWithAt(pos_, "<!--")) ScanComment();
        else if (StartsWithAt(pos_, "<!DOCTYPE")) ScanDtd();
        else if (StartsWithAt(pos_, "<![CDATA[")) ScanCData();
        else if (At(pos_) == '<') ScanTag();
        else if (!ScanContent()) continue;
        curFinal_ = pos_;
        return true;
    }
}

void TXmlParser::ScanXmlDecl() {
    curPartType_ = TPartType::XmlDecl;
    curName_ = "xml";
    const size_t attrStart = pos_ + 5;
    const size_t close = FindFrom(attrStart, "?>");
    const size_t attrEnd = close == npos ? text_->size() : close;
    curContent_ = text_->substr(attrStart, attrEnd - attrStart);
    ReadAttributes(*text_, attrStart, attrEnd, curAttr_);
    const std::string encoding = curAttr_.ValueOf("encoding");
    if (entityStack_.Count() == 0) {
        xmlVersion_ = curAttr_.ValueOf("version");
        encoding_ = encoding;
        standalone_ = curAttr_.ValueOf("standalone") == "yes";
    }
    curEncoding_ = encoding.empty() ? "UTF-8" : UpperCase(encoding);
    pos_ = close == npos ? text_->size() : close + 2;
}

size_t TXmlParser::ReadPI(size_t start, std::string& target, std::string& content, TAttrList& attributes) {
    size_t p = start + 2;
    while (!AtEnd(p) && !IsBlank(At(p)) && At(p) != '>' && At(p) != '?') ++p;
    target = text_->substr(start + 2, p - start - 2);
    const size_t close = FindFrom(p, "?>");
    const size_t contentEnd = close == npos ? text_->size() : close;
    const size_t contentStart = std::min(IsBlank(At(p)) ? p + 1 : p, contentEnd);
    content = text_->substr(contentStart, contentEnd - contentStart);
    ReadAttributes(content, 0, content.size(), attributes);
    return close == npos ? text_->size() : close + 2;
}

void TXmlParser::ScanPI() {
    curPartType_ = TPartType::PI;
    pos_ = ReadPI(pos_, curName_, curContent_, curAttr_);
}

void TXmlParser::ScanComment() {
    curPartType_ = TPartType::Comment;
    const size_t close = FindFrom(pos_ + 4, "-->");
    const size_t end = close == npos ? text_->size() : close + 3;
    curContent_ = text_->substr(pos_, end - pos_);
    pos_ = end;
}

void TXmlParser::ScanCData() {
    curPartType_ = TPartType::CData;
    const size_t start = pos_ + 9;
    const size_t close = FindFrom(start, "]]>");
    const size_t end = close == npos ? text_->size() : close;
    curContent_ = ConvertEncoding(text_->substr(start, end - start));
    pos_ = close == npos ? end : close + 3;
}

void TXmlParser::ScanTag() {
    size_t p = pos_ + 1;
    const bool endTag = At(p) == '/';
    if (endTag) ++p;
    const size_t nameStart = p;
    while (!AtEnd(p) && !IsBlank(At(p)) && At(p) != '/' && At(p) != '>') ++p;
    curName_ = text_->substr(nameStart, p - nameStart);
    p = ReadAttributes(*text_, p, text_->size(), curAttr_);
    const bool empty = !endTag && At(p) == '/';
    const size_t close = FindFrom(p, ">");
    pos_ = close == npos ? text_->size() : close + 1;
    curPartType_ = endTag ? TPartType::EndTag : empty ? TPartType::EmptyTag : TPartType::StartTag;
    if (endTag) return;
    ApplyAttributeDeclarations();
    ProcessAttributeValues();
}

// Declared defaults, fixed values and types. The work per scan is limited
// like entity expansion: many declared attributes, or long default values,
// on many tags would otherwise multiply like nested entities.
void TXmlParser::ApplyAttributeDeclarations() {
    const TElemDef* element = elements_.Find(curName_);
    if (!element) return;
    size_t work = 0;
    for (int i = 0; i < element->Count(); ++i) work += 1 + element->AttrDef(i).Value.size();
    if (work > kMaxDeclaredAttributeWork - declaredWork_) {
        if (!declaredWorkExhausted_) ReportError(curStart_);
        declaredWorkExhausted_ = true;
        return;
    }
    declaredWork_ += work;
    for (int i = 0; i < element->Count(); ++i) {
        const TAttrDef& def = element->AttrDef(i);
        TAttr* attr = curAttr_.Find(def.Name);
        if (!attr) {
            if (def.DefaultKind == TAttrDefault::None || def.DefaultKind == TAttrDefault::Fixed) {
                auto added = std::make_unique<TAttr>(def.Name, def.Value);
                added->ValueKind = TAttrValueKind::Default;
                added->AttrType = def.AttrType;
                curAttr_.Add(std::move(added));
            }
            continue;
        }
        if (def.DefaultKind == TAttrDefault::Fixed) {
            attr->Value = def.Value;
            attr->ValueKind = TAttrValueKind::Fixed;
        } else if (def.DefaultKind == TAttrDefault::Implied) {
            attr->ValueKind = TAttrValueKind::Implied;
        }
        attr->AttrType = def.AttrType;
    }
}

void TXmlParser::ProcessAttributeValues() {
    for (int i = 0; i < curAttr_.Count(); ++i) {
        TAttr& attr = curAttr_.Attr(i);
        std::vector<std::string_view> active;
        std::string value;
        ExpandAttributeValue(attr.Value, 0, active, value);
        const bool plain = attr.AttrType == TAttrType::None || attr.AttrType == TAttrType::CData;
        value = plain ? BlanksToSpaces(std::move(value)) : CollapseWhitespace(value);
        attr.Value = ConvertEncoding(value);
    }
}

bool TXmlParser::ScanContent() {
    curPartType_ = TPartType::Content;
    std::string out;
    size_t stretch = pos_;
    const auto flush = [&] {
        if (pos_ > stretch) out += ConvertEncoding(text_->substr(stretch, pos_ - stretch));
    };
    for (;;) {
        if (AtEnd(pos_)) {
            flush();
            if (entityStack_.Count() == 0) break;
            PopEntity();  // the entity's text ended inside content: go on behind the reference
            stretch = pos_;
            continue;
        }
        const char c = At(pos_);
        if (c == '<') {
            flush();
            break;
        }
        if (c == '&') {
            flush();
            ReadContentReference(out);
            stretch = pos_;
            continue;
        }
        ++pos_;
    }
    curContent_ = normalize_ ? CollapseWhitespace(out) : std::move(out);
    return !curContent_.empty();
}

// A reference in content at pos_. It runs to the next ";" before any markup
// or other "&"; without one the "&" is dropped.
void TXmlParser::ReadContentReference(std::string& out) {
    const size_t ampersand = pos_;
    size_t semicolon = ampersand + 1;
    while (!AtEnd(semicolon) && At(semicolon) != ';' && At(semicolon) != '<' && At(semicolon) != '&') ++semicolon;
    if (At(semicolon) != ';') {
        ++pos_;
        return;
    }
    const std::string_view name = std::string_view(*text_).substr(ampersand + 1, semicolon - ampersand - 1);
    pos_ = semicolon + 1;
    if (!name.empty() && name[0] == '#') {
        out += Cp1252Character(CharacterReferenceCode(std::string_view(name).substr(1)));
        return;
    }
    if (const char c = PredefinedEntity(name)) {
        out += c;
        return;
    }
    const auto* entity = static_cast<const TEntityDef*>(entities_.Find(name));
    if (!entity || !entity->NotationName.empty()) {
        out += name;
        return;
    }
    if (!entity->External) {
        PushEntity(entity->Name, entity->Value, nullptr, ampersand);
        return;
    }
    if (auto reader = OpenExternalEntity(entity->SystemId, entity->PublicId, entity->NotationName))
        PushEntity(entity->Name, {}, std::move(reader), ampersand);
}

// ---- Document type declaration

void TXmlParser::ScanDtd() {
    curPartType_ = TPartType::Dtd;
    const bool inMainText = entityStack_.Count() == 0;
    if (dtdAnalysed_) {
        if (inMainText && pos_ == dtdStart_) {
            pos_ = dtdEnd_;
            curName_ = rootName_;
        } else {
            curName_ = SkipDtd();
        }
        return;
    }
    dtdAnalysed_ = true;
    dtdStart_ = inMainText ? pos_ : npos;
    size_t p = SkipBlanks(pos_ + 9, npos);
    const size_t nameStart = p;
    while (!AtEnd(p) && !IsBlank(At(p)) && At(p) != '/' && At(p) != '>' && At(p) != '[') ++p;
    rootName_ = curName_ = text_->substr(nameStart, p - nameStart);
    pos_ = SkipBlanks(p, npos);
    const TExternalID id(*text_, pos_);
    if (id.Found) {
        pos_ = id.Final;
        ReadExternalSubset(id);
        pos_ = SkipBlanks(pos_, npos);
    }
    const size_t depth = entityStack_.Count();
    if (At(pos_) == '[') {
        ++pos_;
        ReadDtdDeclarations(depth, true);
    }
    FinishDtd(depth);
    if (inMainText) dtdEnd_ = pos_;
}

// Skips a document type declaration without reading its declarations;
// returns its root element name.
std::string TXmlParser::SkipDtd() {
    size_t p = SkipBlanks(pos_ + 9, npos);
    const size_t nameStart = p;
    while (!AtEnd(p) && !IsBlank(At(p)) && At(p) != '/' && At(p) != '>' && At(p) != '[') ++p;
    std::string name = text_->substr(nameStart, p - nameStart);
    int brackets = 0;
    while (!AtEnd(p)) {
        const char c = At(p);
        if (IsQuote(c)) {
            ReadLiteral(*text_, p, text_->size());
            continue;
        }
        ++p;
        if (c == '[') ++brackets;
        if (c == ']' && brackets > 0) --brackets;
        if (c == '>' && brackets == 0) break;
    }
    pos_ = p;
    return name;
}

void TXmlParser::ReadExternalSubset(const TExternalID& id) {
    auto reader = OpenExternalEntity(id.SystemId, id.PublicId, {});
    if (!reader) return;
    const size_t depth = entityStack_.Count();
    if (!PushEntity("[dtd]", {}, std::move(reader), pos_)) return;
    pos_ = std::min(text_->find("<!"), text_->size());
    ReadDtdDeclarations(depth + 1, false);
    while (entityStack_.Count() > depth) PopEntity();
}

// Reads declarations until the end of the text at the given entity depth, or
// in the internal subset up to "]".
void TXmlParser::ReadDtdDeclarations(size_t baseDepth, bool internalSubset) {
    for (;;) {
        pos_ = SkipBlanks(pos_, npos);
        if (AtEnd(pos_)) {
            if (entityStack_.Count() <= baseDepth) return;
            PopEntity();
            continue;
        }
        const char c = At(pos_);
        if (c == ']' && internalSubset) {
            ++pos_;
            return;
        }
        if (c == '%') {
            ReadParameterReference();
        } else if (StartsWithAt(pos_, "<!ELEMENT")) {
            ReadElementDeclaration();
        } else if (StartsWithAt(pos_, "<!ATTLIST")) {
            ReadAttListDeclaration();
        } else if (StartsWithAt(pos_, "<!ENTITY")) {
            ReadEntityDeclaration();
        } else if (StartsWithAt(pos_, "<!NOTATION")) {
            ReadNotationDeclaration();
        } else if (StartsWithAt(pos_, "<!--")) {
            TDtdDeclaration comment;
            comment.Kind = TDtdDeclKind::Comment;
            comment.Start = pos_;
            const size_t close = FindFrom(pos_ + 4, "-->");
            comment.Final = close == npos ? text_->size() : close + 3;
            comment.Content = text_->substr(pos_, comment.Final - pos_);
            pos_ = comment.Final;
            DtdDeclarationFound(comment);
        } else if (StartsWithAt(pos_, "<?")) {
            TDtdDeclaration pi;
            TAttrList attributes;
            pi.Kind = TDtdDeclKind::PI;
            pi.Start = pos_;
            pi.Attributes = &attributes;
            pos_ = pi.Final = ReadPI(pos_, pi.Target, pi.Content, attributes);
            DtdDeclarationFound(pi);
        } else {
            if (c == '<') ReportError(pos_);
            ++pos_;
        }
    }
}

// After the internal subset: the declaration ends at ">". Entities still
// open here are an error; reading goes on behind their references.
void TXmlParser::FinishDtd(size_t baseDepth) {
    if (entityStack_.Count() > baseDepth) {
        ReportError(pos_);
        while (entityStack_.Count() > baseDepth) PopEntity();
    }
    pos_ = SkipBlanks(pos_, npos);
    if (!AtEnd(pos_) && At(pos_) != '>') ReportError(pos_);
    const size_t close = FindFrom(pos_, ">");
    pos_ = close == npos ? text_->size() : close + 1;
}

void TXmlParser::ReadParameterReference() {
    const size_t start = pos_;
    size_t semicolon = start + 1;
    while (!AtEnd(semicolon) && At(semicolon) != ';' && !IsBlank(At(semicolon)) && At(semicolon) != '<' &&
           At(semicolon) != '%')
        ++semicolon;
    if (At(semicolon) != ';') {
        ReportError(start);
        ++pos_;
        return;
    }
    const std::string name = text_->substr(start + 1, semicolon - start - 1);
    pos_ = semicolon + 1;
    const auto* entity = static_cast<const TEntityDef*>(parEntities_.Find(name));
    if (!entity) {
        ReportError(start);
    } else if (!entity->External) {
        PushEntity('%' + name, entity->Value, nullptr, start);
    } else if (auto reader = OpenExternalEntity(entity->SystemId, entity->PublicId, {})) {
        PushEntity('%' + name, {}, std::move(reader), start);
    }
}

// The position after the ">" that ends the declaration at pos (quoted
// literals skipped), or the end of the text.
size_t TXmlParser::DeclarationEnd(size_t pos) const {
    while (!AtEnd(pos)) {
        const char c = At(pos);
        if (IsQuote(c)) {
            ReadLiteral(*text_, pos, text_->size());
            continue;
        }
        ++pos;
        if (c == '>') break;
    }
    return pos;
}

std::string TXmlParser::ReadDeclName(size_t& pos, size_t limit) const {
    pos = SkipBlanks(pos, limit);
    const size_t start = pos;
    while (pos < limit && !IsBlank(At(pos)) && At(pos) != '>' && At(pos) != '(' && At(pos) != '[' &&
           !IsQuote(At(pos)))
        ++pos;
    return text_->substr(start, pos - start);
}

void TXmlParser::ReadElementDeclaration() {
    const size_t start = pos_;
    const size_t end = DeclarationEnd(start + 9);
    const size_t limit = At(end - 1) == '>' ? end - 1 : end;
    size_t p = start + 9;
    const std::string name = ReadDeclName(p, limit);
    pos_ = end;
    if (name.empty()) {
        ReportError(start);
        return;
    }
    TElemDef* element = elements_.Find(name);
    if (!element) element = static_cast<TElemDef*>(&elements_.Add(std::make_unique<TElemDef>(name)));
    // A later declaration sets the content model; attribute declarations
    // made before it stay.
    element->Definition = Trim(std::string_view(*text_).substr(p, limit - std::min(p, limit)));
    element->ContentKind = ContentKindOf(element->Definition);
    TDtdDeclaration declaration;
    declaration.Kind = TDtdDeclKind::Element;
    declaration.Start = start;
    declaration.Final = end;
    declaration.ElemDef = element;
    DtdDeclarationFound(declaration);
}

void TXmlParser::ReadAttListDeclaration() {
    const size_t start = pos_;
    const size_t end = DeclarationEnd(start + 9);
    const size_t limit = At(end - 1) == '>' ? end - 1 : end;
    size_t p = start + 9;
    const std::string elementName = ReadDeclName(p, limit);
    pos_ = end;
    if (elementName.empty()) {
        ReportError(start);
        return;
    }
    TElemDef* element = elements_.Find(elementName);
    if (!element) {
        auto declared = std::make_unique<TElemDef>(elementName);
        declared->Definition = "ANY";
        element = static_cast<TElemDef*>(&elements_.Add(std::move(declared)));
    }
    for (;;) {
        std::string name = ReadDeclName(p, limit);
        if (name.empty()) {
            if (p >= limit) break;
            ++p;  // a stray character where a name belongs
            continue;
        }
        auto def = std::make_unique<TAttrDef>(std::move(name), std::string());
        ReadAttributeDefinition(p, limit, *def);
        element->Replace(std::move(def));
    }
    TDtdDeclaration declaration;
    declaration.Kind = TDtdDeclKind::AttList;
    declaration.Start = start;
    declaration.Final = end;
    declaration.ElemDef = element;
    DtdDeclarationFound(declaration);
}

// Type and default of one attribute declaration.
void TXmlParser::ReadAttributeDefinition(size_t& p, size_t limit, TAttrDef& def) {
    const std::string_view text = std::string_view(*text_).substr(0, limit);
    p = SkipBlanks(p, limit);
    if (p < limit && text[p] == '(') {
        const size_t close = std::min(text.find(')', p), limit);
        def.TypeDef = std::string(text.substr(p, std::min(close + 1, limit) - p));
        def.AttrType = TAttrType::Enumeration;
        p = std::min(close + 1, limit);
    } else {
        const size_t wordStart = p;
        while (p < limit && !IsBlank(text[p]) && text[p] != '(' && !IsQuote(text[p])) ++p;
        def.TypeDef = std::string(text.substr(wordStart, p - wordStart));
        def.AttrType = AttrTypeOf(def.TypeDef);
        const size_t listStart = SkipBlanks(p, limit);
        if (def.AttrType == TAttrType::Notation && listStart < limit && text[listStart] == '(') {
            const size_t close = std::min(text.find(')', listStart), limit);
            p = std::min(close + 1, limit);
            def.Notations = std::string(text.substr(listStart, p - listStart));
        }
    }
    p = SkipBlanks(p, limit);
    def.DefaultKind = TAttrDefault::Implied;
    if (p < limit && text[p] == '#') {
        const size_t wordStart = p;
        while (p < limit && !IsBlank(text[p]) && !IsQuote(text[p])) ++p;
        const std::string_view word = text.substr(wordStart, p - wordStart);
        if (word == "#REQUIRED") def.DefaultKind = TAttrDefault::Required;
        if (word == "#FIXED") def.DefaultKind = TAttrDefault::Fixed;
        if (def.DefaultKind != TAttrDefault::Fixed) return;
        p = SkipBlanks(p, limit);
    } else if (p < limit && IsQuote(text[p])) {
        def.DefaultKind = TAttrDefault::None;
    }
    if (p < limit && IsQuote(text[p])) def.Value = ReadLiteral(text, p, limit);
}

void TXmlParser::ReadEntityDeclaration() {
    const size_t start = pos_;
    const size_t end = DeclarationEnd(start + 8);
    const size_t limit = At(end - 1) == '>' ? end - 1 : end;
    const std::string_view text = std::string_view(*text_).substr(0, limit);
    size_t p = SkipBlanks(start + 8, limit);
    const bool parameter = p + 1 < limit && text[p] == '%' && IsBlank(text[p + 1]);
    if (parameter) ++p;
    std::string name = ReadDeclName(p, limit);
    pos_ = end;
    if (name.empty()) {
        ReportError(start);
        return;
    }
    auto entity = std::make_unique<TEntityDef>(std::move(name), std::string());
    p = SkipBlanks(p, limit);
    const TExternalID id(text, p);
    if (p < limit && IsQuote(text[p])) {
        entity->Value = ExpandEntityValue(ReadLiteral(text, p, limit), start);
    } else if (id.Found) {
        entity->External = true;
        entity->SystemId = id.SystemId;
        entity->PublicId = id.PublicId;
        p = SkipBlanks(id.Final, limit);
        if (text.substr(p, 5) == "NDATA") entity->NotationName = ReadDeclName(p += 5, limit);
    } else {
        ReportError(p);
    }
    TNvpList& list = parameter ? parEntities_ : entities_;
    TDtdDeclaration declaration;
    declaration.Kind = TDtdDeclKind::Entity;
    declaration.Start = start;
    declaration.Final = end;
    declaration.EntityDef = static_cast<TEntityDef*>(&list.Replace(std::move(entity)));
    DtdDeclarationFound(declaration);
}

void TXmlParser::ReadNotationDeclaration() {
    const size_t start = pos_;
    const size_t end = DeclarationEnd(start + 10);
    const size_t limit = At(end - 1) == '>' ? end - 1 : end;
    size_t p = start + 10;
    std::string name = ReadDeclName(p, limit);
    pos_ = end;
    if (name.empty()) {
        ReportError(start);
        return;
    }
    const TExternalID id(std::string_view(*text_).substr(0, limit), SkipBlanks(p, limit));
    auto notation = std::make_unique<TNotationDef>(std::move(name), id.SystemId);
    notation->PublicId = id.PublicId;
    TDtdDeclaration declaration;
    declaration.Kind = TDtdDeclKind::Notation;
    declaration.Start = start;
    declaration.Final = end;
    declaration.NotationDef = static_cast<TNotationDef*>(&notations_.Replace(std::move(notation)));
    DtdDeclarationFound(declaration);
}
