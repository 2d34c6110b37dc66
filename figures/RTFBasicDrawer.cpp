#include "figures/RTFBasicDrawer.h"

#include "content/DataSet.h"
#include "figures/DBValueFormatter.h"
#include "figures/RTFParser.h"
#include "figures/RTFTextMeasurer.h"
#include "foundation/CharsetText.h"
#include "foundation/Codepage1252.h"
#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"

#include <QtCore/QString>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

constexpr float kMMPerInch = 25.4f;
constexpr int32_t kPlainSize = 10;
// Font sizes are kept within what a label can show (points).
constexpr int32_t kMinFontSize = 1;
constexpr int32_t kMaxFontSize = 1638;
// A text is read into at most this many tokens; the rest is not drawn.
constexpr size_t kMaxTokens = size_t{1} << 20;
const char* const kDefaultFaceAlias = "Default";
const char* const kFallbackFace = "Arial";
// A name no system has, to learn which face stands in for unknown names.
const char* const kUnknownFace = "Zorbit Unknown Face";

int32_t ClampFontSize(int32_t points) { return std::clamp(points, kMinFontSize, kMaxFontSize); }

std::string FaceNameUtf8(const std::string& name) {
    const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? name : AnsiToUnicode(name).toStdString();
}

bool SameFont(const TRTFToken& a, const TRTFToken& b) {
    return a.FontName == b.FontName && a.FontSize == b.FontSize && a.FontStyle == b.FontStyle &&
           a.Charset == b.Charset;
}

}  // namespace

TRTFBasicDrawer::TRTFBasicDrawer() : measurer_(&ScreenRTFTextMeasurer()) {
    CurrentFont.FontName = kFallbackFace;
    CurrentFont.FontSize = kPlainSize;
}

TRTFBasicDrawer::~TRTFBasicDrawer() = default;

void TRTFBasicDrawer::SetMeasurer(TRTFTextMeasurer* measurer) {
    measurer_ = measurer != nullptr ? measurer : &ScreenRTFTextMeasurer();
}

// ---- reading

void TRTFBasicDrawer::SetRTF(const std::string& rtf) {
    Text = rtf;
    TRTFParser parser;
    Clear();
    // Room for the tokens of ordinary text at once: a token for every four
    // bytes, so that long texts are not moved while they are read.
    Tokens.reserve(std::min(rtf.size() / 4, kMaxTokens));
    StartReading();
    parser.OnGroup = [this](TRTFParser& p) { HandleGroup(p); };
    parser.OnControlWord = [this](TRTFParser& p, const std::string& name, int32_t value, bool hasParameter) {
        HandleControlWord(p, name, value, hasParameter);
    };
    parser.OnText = [this](TRTFParser& p, const std::string& text) { HandleText(p, text); };
    parser.Parse(rtf);
    // A text of many control words keeps no more room than it needs.
    if (Tokens.capacity() > 2 * Tokens.size() + 64) Tokens.shrink_to_fit();
    RemoveTrailingParagraphs();
    Measure(kRTFMeasureResolution);
}

void TRTFBasicDrawer::Clear() {
    Tokens.clear();
    FontNames.clear();
    FontCharsets.clear();
    Colors.clear();
    fontIndex_.clear();
}

// Every text starts with an empty font stack in the body; only the font
// carries over from the text before.
void TRTFBasicDrawer::StartReading() {
    fontStack_.clear();
    LastDepth = 0;
    Destination = kDestBody;
    DestinationDepth = 0;
    IgnoreDepth = 0;
    Ignoring = false;
    InFieldInstruction = false;
    Red = Green = Blue = 0;
    TableFontNumber = 0;
    TableCharset = 0;
    DefaultFont = 0;
}

void TRTFBasicDrawer::HandleGroup(TRTFParser& parser) {
    const int32_t depth = parser.Depth;
    if (depth < IgnoreDepth) {
        IgnoreDepth = 0;
        Ignoring = false;
    }
    if (depth < DestinationDepth) {
        DestinationDepth = 0;
        Destination = kDestBody;
    }
    if (depth > LastDepth) {
        if (!fontStack_.empty() && fontStack_.back().Save == CurrentFont)
            ++fontStack_.back().Count;
        else
            fontStack_.push_back({CurrentFont, 1});
    } else if (!fontStack_.empty()) {
        TFontRun& top = fontStack_.back();
        CurrentFont = top.Save;
        if (--top.Count == 0) fontStack_.pop_back();
    }
    LastDepth = depth;
}

void TRTFBasicDrawer::HandleControlWord(TRTFParser& parser, const std::string& name, int32_t value,
                                        bool hasParameter) {
    if (Destination == kDestField) {
        if (name == "fldinst") InFieldInstruction = true;
        return;
    }
    if (Ignoring) return;
    if (Destination == kDestFontTable) {
        if (name == "f") TableFontNumber = value;
        if (name == "fcharset") TableCharset = value;
        return;
    }
    if (Destination == kDestColorTable) {
        if (name == "red") Red = value;
        if (name == "green") Green = value;
        if (name == "blue") Blue = value;
        return;
    }
    HandleBodyWord(parser, name, value, hasParameter);
}

void TRTFBasicDrawer::HandleBodyWord(TRTFParser& parser, const std::string& name, int32_t value, bool hasParameter) {
    const bool on = !hasParameter || value != 0;
    const auto switchStyle = [&](TFontStyles bit) {
        CurrentFont.FontStyle = static_cast<TFontStyles>(on ? CurrentFont.FontStyle | bit : CurrentFont.FontStyle & ~bit);
    };
    if (name == "i") {
        switchStyle(fsItalic);
    } else if (name == "b") {
        switchStyle(fsBold);
    } else if (name == "ul") {
        switchStyle(fsUnderline);
    } else if (name == "ulnone") {
        CurrentFont.FontStyle = static_cast<TFontStyles>(CurrentFont.FontStyle & ~fsUnderline);
    } else if (name == "strike") {
        switchStyle(fsStrikeOut);
    } else if (name == "f") {
        CurrentFont.FontName = FontNameOf(value);
        CurrentFont.Charset = CharsetOf(value);
    } else if (name == "fs") {
        CurrentFont.FontSize = ClampFontSize(value / 2);
    } else if (name == "cf") {
        CurrentFont.FontColor = ColorOf(value);
    } else if (name == "plain") {
        SetPlainFont();
    } else if (name == "pard") {
        SetPlainFont();
        AddMark(kAlignLeft);
    } else if (name == "par") {
        AddToken(kTokenParagraph, std::string(), CurrentFont);
    } else if (name == "qc") {
        AddMark(kAlignCenter);
    } else if (name == "qj") {
        AddMark(kAlignJustify);
    } else if (name == "ql") {
        AddMark(kAlignLeft);
    } else if (name == "qr") {
        AddMark(kAlignRight);
    } else if (name == "tab") {
        SplitText(" ", CurrentFont, Tokens);
    } else if (name == "fonttbl") {
        Destination = kDestFontTable;
        DestinationDepth = parser.Depth;
    } else if (name == "colortbl") {
        Destination = kDestColorTable;
        DestinationDepth = parser.Depth;
    } else if (name == "deff") {
        DefaultFont = value;
    } else if (name == "*") {
        IgnoreDepth = parser.Depth;
        Ignoring = true;
    } else if (name == "field") {
        Destination = kDestField;
        DestinationDepth = parser.Depth;
    }
}

void TRTFBasicDrawer::HandleText(TRTFParser&, const std::string& text) {
    if (Destination == kDestField) {
        if (InFieldInstruction) {
            InFieldInstruction = false;
            if (Tokens.size() >= kMaxTokens) return;
            AddToken(kTokenField, "<" + text + ">", CurrentFont);
            Tokens.back().FieldName = text;
        }
        return;
    }
    if (Ignoring) return;
    switch (Destination) {
    case kDestBody: SplitText(text, CurrentFont, Tokens); break;
    case kDestFontTable: AddFontTableEntry(text); break;
    case kDestColorTable:
        if (text == ";") AddColorTableEntry();
        break;
    default: break;
    }
}

void TRTFBasicDrawer::AddFontTableEntry(const std::string& text) {
    std::string name = text.substr(0, text.size() - 1);
    if (!IsFontInstalled(name)) name = kFallbackFace;
    fontIndex_.try_emplace(TableFontNumber, FontNames.size());
    FontNames.push_back({name, TableFontNumber});
    FontCharsets.push_back({std::to_string(TableCharset & 0xFF), TableFontNumber});
}

void TRTFBasicDrawer::AddColorTableEntry() {
    const gdi::Color color = gdi::Rgb(static_cast<uint8_t>(Red), static_cast<uint8_t>(Green), static_cast<uint8_t>(Blue));
    Colors.push_back({std::to_string(Red) + " " + std::to_string(Green) + " " + std::to_string(Blue),
                      static_cast<int32_t>(color)});
    Red = Green = Blue = 0;
}

void TRTFBasicDrawer::SetPlainFont() {
    CurrentFont.FontName = FontNameOf(DefaultFont);
    CurrentFont.Charset = CharsetOf(DefaultFont);
    CurrentFont.FontStyle = 0;
    CurrentFont.FontSize = kPlainSize;
    CurrentFont.FontColor = ColorOf(0);
}

std::string TRTFBasicDrawer::FontNameOf(int32_t number) const {
    if (FontNames.empty()) return kFallbackFace;
    const auto it = fontIndex_.find(number);
    return FontNames[it != fontIndex_.end() ? it->second : 0].Text;
}

uint8_t TRTFBasicDrawer::CharsetOf(int32_t number) const {
    if (FontCharsets.empty()) return gdi::DEFAULT_CHARSET;
    const auto it = fontIndex_.find(number);
    return static_cast<uint8_t>(std::stoi(FontCharsets[it != fontIndex_.end() ? it->second : 0].Text));
}

gdi::Color TRTFBasicDrawer::ColorOf(int32_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= Colors.size()) return 0;
    return static_cast<gdi::Color>(Colors[static_cast<size_t>(index)].Object);
}

bool TRTFBasicDrawer::IsFontInstalled(const std::string& name) const {
    // A name counts as installed when the system has a face of that name or
    // one that it keeps for that name, not merely the face it shows for any
    // unknown name. The answers are kept per name.
    static std::unordered_map<std::string, bool> known;
    const std::string key = AnsiToUnicode(name).toLower().toStdString();
    if (const auto it = known.find(key); it != known.end()) return it->second;
    const std::string face = measurer_->TextFace(FaceNameUtf8(name));
    static const std::string unknownFace = measurer_->TextFace(kUnknownFace);
    const bool installed = !name.empty() && (QString::fromStdString(face).toLower().toStdString() == key ||
                                             face != unknownFace);
    known.emplace(key, installed);
    return installed;
}

// ---- tokens

void TRTFBasicDrawer::CopyFontToToken(TRTFToken& token, const TRTFFontState& font) {
    token.FontName = font.FontName;
    token.FontSize = font.FontSize;
    token.FontStyle = font.FontStyle;
    token.FontColor = font.FontColor;
    token.Charset = font.Charset;
}

void TRTFBasicDrawer::AddToken(uint8_t kind, std::string text, const TRTFFontState& font) {
    if (Tokens.size() >= kMaxTokens) return;
    TRTFToken& token = Tokens.emplace_back();
    token.Kind = kind;
    token.Text = std::move(text);
    CopyFontToToken(token, font);
}

void TRTFBasicDrawer::AddMark(uint8_t alignment) {
    if (Tokens.size() >= kMaxTokens) return;
    TRTFToken& token = Tokens.emplace_back();
    token.Kind = kTokenAlignment;
    token.Alignment = alignment;
    token.FontName.clear();
    token.FontSize = 0;
    token.Charset = 0;
}

void TRTFBasicDrawer::SplitText(const std::string& text, const TRTFFontState& font, std::vector<TRTFToken>& into) {
    const auto add = [&](size_t from, size_t length) { AddPiece(text.substr(from, length), font, into); };
    if (PerCharacter) {
        for (size_t at = 0; at < text.size();) {
            const size_t length = CharsetCharLength(text, at, font.Charset);
            add(at, length);
            at += length;
        }
        return;
    }
    size_t start = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != ' ') continue;
        if (at > start) add(start, at - start);
        add(at, 1);
        start = at + 1;
    }
    if (start < text.size()) add(start, text.size() - start);
}

// A piece with hyphens becomes words that end in their hyphen, each followed
// by a break opportunity; an empty word follows a trailing hyphen.
void TRTFBasicDrawer::AddPiece(std::string piece, const TRTFFontState& font, std::vector<TRTFToken>& into) {
    const auto add = [&](uint8_t kind, std::string text) {
        if (into.size() >= kMaxTokens) return;
        TRTFToken& token = into.emplace_back();
        token.Kind = kind;
        token.Text = std::move(text);
        CopyFontToToken(token, font);
    };
    size_t start = 0;
    for (size_t hyphen = piece.find('-'); hyphen != std::string::npos; hyphen = piece.find('-', start)) {
        add(kTokenWord, piece.substr(start, hyphen + 1 - start));
        add(kTokenSpace, std::string());
        start = hyphen + 1;
    }
    std::string rest = start == 0 ? std::move(piece) : piece.substr(start);
    const uint8_t kind = rest == " " ? kTokenSpace : kTokenWord;
    add(kind, std::move(rest));
}

void TRTFBasicDrawer::RemoveTrailingParagraphs() {
    while (!Tokens.empty() && Tokens.back().Kind == kTokenParagraph) Tokens.pop_back();
}

// ---- data fields

void TRTFBasicDrawer::FillFromDataSet(TDataSet* dataSet) {
    if (dataSet == nullptr || !dataSet->Active()) return;
    std::vector<TRTFToken> filled;
    filled.reserve(Tokens.size());
    bool fontTaken = false;
    for (TRTFToken& token : Tokens) {
        if (token.Kind != kTokenField) {
            filled.push_back(std::move(token));
            continue;
        }
        const std::optional<TDataSetField> field = FindDataSetField(*dataSet, token.FieldName);
        if (!field) {
            token.Text.clear();
            filled.push_back(std::move(token));
            continue;
        }
        const TRTFFontState font{token.FontName, token.FontSize, token.FontStyle, token.FontColor, token.Charset};
        // Fields are filled from the last to the first: the first one's font stays.
        if (!fontTaken) {
            CurrentFont = font;
            fontTaken = true;
        }
        SplitText(DBValueFormatter().FormatField(*dataSet, *field), font, filled);
    }
    Tokens = std::move(filled);
    Measure(kRTFMeasureResolution);
}

// ---- measuring

void TRTFBasicDrawer::ResolveDefaultFace(TRTFToken& token) {
    if (token.FontName == kDefaultFaceAlias) token.FontName = kFallbackFace;
}

gdi::LogFont TRTFBasicDrawer::TokenLogFont(const TRTFToken& token, int32_t pixelsPerInch) {
    gdi::LogFont font;
    font.faceName = FaceNameUtf8(token.FontName == kDefaultFaceAlias ? std::string(kFallbackFace) : token.FontName);
    font.height = -MulDiv(token.FontSize, pixelsPerInch, 72);
    font.weight = (token.FontStyle & fsBold) != 0 ? gdi::FW_BOLD : gdi::FW_NORMAL;
    font.italic = (token.FontStyle & fsItalic) != 0;
    font.underline = (token.FontStyle & fsUnderline) != 0;
    font.strikeOut = (token.FontStyle & fsStrikeOut) != 0;
    font.charSet = token.Charset;
    return font;
}

void TRTFBasicDrawer::ApplyTokenFont(TRTFToken& token, TScaleCanvas& canvas) {
    ResolveDefaultFace(token);
    TFont& current = canvas.Font();
    if (current.Name() == token.FontName && current.Size() == token.FontSize && current.Style() == token.FontStyle &&
        current.Color() == token.FontColor && current.Charset() == token.Charset)
        return;
    TFont font;
    font.Assign(current);
    font.SetPixelsPerInch(current.PixelsPerInch());
    font.SetName(token.FontName);
    font.SetSize(token.FontSize);
    font.SetStyle(token.FontStyle);
    font.SetColor(token.FontColor);
    font.SetCharset(token.Charset);
    canvas.AssignFont(font);
}

gdi::TextMetrics TRTFBasicDrawer::MeasureFont(TRTFToken& token, int32_t pixelsPerInch) {
    ResolveDefaultFace(token);
    const gdi::TextMetrics metrics = measurer_->Select(TokenLogFont(token, pixelsPerInch));
    const float mm = kMMPerInch / static_cast<float>(pixelsPerInch);
    token.Height = static_cast<float>(metrics.height + metrics.externalLeading) * mm;
    token.Ascent = static_cast<float>(metrics.ascent) * mm;
    return metrics;
}

void TRTFBasicDrawer::MeasureAdvances(TRTFToken& token, int32_t pixelsPerInch) {
    const float mm = kMMPerInch / static_cast<float>(pixelsPerInch);
    const bool withAdvances = token.Kind == kTokenWord || token.Kind == kTokenField;
    token.Advances.clear();
    int64_t sum = 0;
    if (!IsDoubleByteCharset(token.Charset)) {
        if (withAdvances) token.Advances.reserve(token.Text.size());
        for (char c : token.Text) {
            sum += measurer_->Advance(CharsetByteToUnicode(static_cast<uint8_t>(c), token.Charset));
            if (withAdvances) token.Advances.push_back(static_cast<float>(sum) * mm);
        }
    } else {
        const TCharsetText decoded = DecodeCharsetText(token.Text, token.Charset);
        if (withAdvances) token.Advances.assign(token.Text.size(), 0);
        size_t byte = 0;
        for (size_t unit = 0; unit < decoded.Text.size(); ++unit) {
            sum += measurer_->Advance(decoded.Text[unit]);
            for (; byte < decoded.ByteEnd[unit]; ++byte)
                if (withAdvances) token.Advances[byte] = static_cast<float>(sum) * mm;
        }
    }
    token.Width = static_cast<float>(sum) * mm;
}

void TRTFBasicDrawer::Measure(int32_t pixelsPerInch) {
    const TRTFToken* previous = nullptr;
    for (TRTFToken& token : Tokens) {
        if (token.Kind == kTokenAlignment) {
            // Marks carry no font: they take no room.
            token.Width = token.Height = token.Ascent = 0;
            continue;
        }
        if (previous == nullptr || !SameFont(token, *previous)) {
            MeasureFont(token, pixelsPerInch);
        } else {
            token.Height = previous->Height;
            token.Ascent = previous->Ascent;
        }
        previous = &token;
        if (token.Kind == kTokenParagraph) {
            token.Width = 0;
            continue;
        }
        MeasureAdvances(token, pixelsPerInch);
    }
}

float TRTFBasicDrawer::TokenTextWidthMM(const TRTFToken& token, const std::string& text, int32_t pixelsPerInch) const {
    measurer_->Select(TokenLogFont(token, pixelsPerInch));
    const std::u16string wide = CharsetToWide(text, token.Charset);
    int64_t sum = 0;
    for (char16_t unit : wide) sum += measurer_->Advance(unit);
    return static_cast<float>(sum) * kMMPerInch / static_cast<float>(pixelsPerInch);
}

// ---- rotation

gdi::Point RotateDevicePoint(int32_t x, int32_t y, int32_t mx, int32_t my, double angle) {
    static double lastAngle = 0;
    static double sine = 0, cosine = 1;
    if (angle != lastAngle) {
        lastAngle = angle;
        const double radians = angle * M_PI / 180;
        sine = std::sin(radians);
        cosine = std::cos(radians);
    }
    const double dx = static_cast<double>(x) - mx, dy = static_cast<double>(y) - my;
    return {Round(dx * cosine + mx - dy * sine), Round(dx * sine + my + dy * cosine)};
}
