#include "figures/RTFBasicDrawer.h"

#include "content/DataSet.h"
#include "figures/DBValueFormatter.h"
#include "figures/RTFParser.h"
#include "figures/RTFTextMeasurer.h"
#include "foundation/CharsetText.h"
#include "foundation/Codepage1252.h"
#include "foundation/GeneralHelpers.h"
#include "foundation/Rounding.h"
#include "foundation/ScaleCanvas.h"

#include <QtCore/QString>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

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

bool SameFont(const TRTFFontState& a, const TRTFFontState& b) {
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
    // Room for the tokens of ordinary text at once: a token for every three
    // bytes, so that long texts are not moved while they are read.
    Tokens.Reserve(std::min(rtf.size() / 3, kMaxTokens), rtf.size());
    StartReading();
    parser.OnGroup = [this](TRTFParser& p) { HandleGroup(p); };
    parser.OnControlWord = [this](TRTFParser& p, const std::string& name, int32_t value, bool hasParameter) {
        HandleControlWord(p, name, value, hasParameter);
    };
    parser.OnText = [this](TRTFParser& p, const std::string& text) { HandleText(p, text); };
    parser.Parse(rtf);
    // A text of many control words keeps no more room than it needs.
    Tokens.ShrinkToFit();
    RemoveTrailingParagraphs();
    Measure(kRTFMeasureResolution);
}

void TRTFBasicDrawer::Clear() {
    Tokens.Clear();
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
        SplitText(" ", PerCharacter, Tokens.StyleOf(CurrentFont), CurrentFont.Charset, Tokens);
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
            Tokens.AddField("<" + text + ">", text, Tokens.StyleOf(CurrentFont));
        }
        return;
    }
    if (Ignoring) return;
    switch (Destination) {
    case kDestBody: SplitText(text, PerCharacter, Tokens.StyleOf(CurrentFont), CurrentFont.Charset, Tokens); break;
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

void TRTFBasicDrawer::AddToken(uint8_t kind, std::string_view text, const TRTFFontState& font) {
    if (Tokens.size() >= kMaxTokens) return;
    Tokens.Add(kind, text, Tokens.StyleOf(font));
}

void TRTFBasicDrawer::AddMark(uint8_t alignment) {
    if (Tokens.size() >= kMaxTokens) return;
    Tokens.AddMark(alignment);
}

void TRTFBasicDrawer::SplitText(std::string_view text, bool perCharacter, uint32_t style, uint8_t charset,
                                TRTFTokenList& into) {
    if (perCharacter) {
        for (size_t at = 0; at < text.size();) {
            const size_t length = CharsetCharLength(text, at, charset);
            AddPiece(text.substr(at, length), style, into);
            at += length;
        }
        return;
    }
    size_t start = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != ' ') continue;
        if (at > start) AddPiece(text.substr(start, at - start), style, into);
        AddPiece(text.substr(at, 1), style, into);
        start = at + 1;
    }
    if (start < text.size()) AddPiece(text.substr(start), style, into);
}

// A piece with hyphens becomes words that end in their hyphen, each followed
// by a break opportunity; an empty word follows a trailing hyphen.
void TRTFBasicDrawer::AddPiece(std::string_view piece, uint32_t style, TRTFTokenList& into) {
    const auto add = [&](uint8_t kind, std::string_view text) {
        if (into.size() < kMaxTokens) into.Add(kind, text, style);
    };
    size_t start = 0;
    for (size_t hyphen = piece.find('-'); hyphen != std::string_view::npos; hyphen = piece.find('-', start)) {
        add(kTokenWord, piece.substr(start, hyphen + 1 - start));
        add(kTokenSpace, {});
        start = hyphen + 1;
    }
    const std::string_view rest = piece.substr(start);
    add(rest == " " ? kTokenSpace : kTokenWord, rest);
}

void TRTFBasicDrawer::RemoveTrailingParagraphs() {
    while (!Tokens.empty() && Tokens.At(Tokens.size() - 1).Kind == kTokenParagraph) Tokens.PopBack();
}

// ---- data fields

void TRTFBasicDrawer::FillFromDataSet(TDataSet* dataSet) {
    if (dataSet == nullptr || !dataSet->Active()) return;
    TRTFTokenList filled;
    filled.StartWithStylesOf(Tokens);
    filled.Reserve(Tokens.size(), 0);
    bool fontTaken = false;
    for (const TRTFTokenList::Record& token : Tokens.Records()) {
        if (token.Kind != kTokenField) {
            filled.AddCopy(Tokens, token);
            continue;
        }
        const std::optional<TDataSetField> field = FindDataSetField(*dataSet, Tokens.FieldName(token));
        if (!field) {
            filled.AddCopy(Tokens, token);
            filled.ClearText(filled.At(filled.size() - 1));
            continue;
        }
        const TRTFFontState& font = Tokens.Style(token).Font;
        // Fields are filled from the last to the first: the first one's font stays.
        if (!fontTaken) {
            CurrentFont = font;
            fontTaken = true;
        }
        SplitText(DBValueFormatter().FormatField(*dataSet, *field), PerCharacter, token.Style, font.Charset, filled);
    }
    Tokens = std::move(filled);
    Measure(kRTFMeasureResolution);
}

// ---- measuring

void TRTFBasicDrawer::ResolveDefaultFace(TRTFFontState& font) {
    if (font.FontName == kDefaultFaceAlias) font.FontName = kFallbackFace;
}

gdi::LogFont TRTFBasicDrawer::TokenLogFont(const TRTFFontState& token, int32_t pixelsPerInch) {
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

void TRTFBasicDrawer::ApplyTokenFont(TRTFFontState& token, TScaleCanvas& canvas) {
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

float TRTFBasicDrawer::MillimetresPerPixel(int32_t pixelsPerInch) {
    return static_cast<float>(kMMPerInch) / static_cast<float>(pixelsPerInch);
}

gdi::TextMetrics TRTFBasicDrawer::MeasureFont(TRTFTokenStyle& style, int32_t pixelsPerInch) {
    ResolveDefaultFace(style.Font);
    const gdi::TextMetrics metrics = measurer_->Select(TokenLogFont(style.Font, pixelsPerInch));
    const float mm = MillimetresPerPixel(pixelsPerInch);
    style.Height = static_cast<float>(metrics.height + metrics.externalLeading) * mm;
    style.Ascent = static_cast<float>(metrics.ascent) * mm;
    return metrics;
}

void TRTFBasicDrawer::MeasureAdvances(TRTFTokenList::Record& token, int32_t pixelsPerInch) {
    const float mm = MillimetresPerPixel(pixelsPerInch);
    const uint8_t charset = Tokens.Style(token).Font.Charset;
    const std::string_view text = Tokens.Text(token);
    float* advances = Tokens.HasAdvances(token) ? Tokens.Advances(token) : nullptr;
    int64_t sum = 0;
    if (!IsDoubleByteCharset(charset)) {
        for (size_t i = 0; i < text.size(); ++i) {
            sum += measurer_->Advance(CharsetByteToUnicode(static_cast<uint8_t>(text[i]), charset));
            if (advances) advances[i] = static_cast<float>(sum) * mm;
        }
    } else {
        const TCharsetText decoded = DecodeCharsetText(text, charset);
        size_t byte = 0;
        for (size_t unit = 0; unit < decoded.Text.size(); ++unit) {
            sum += measurer_->Advance(decoded.Text[unit]);
            for (; byte < decoded.ByteEnd[unit]; ++byte)
                if (advances) advances[byte] = static_cast<float>(sum) * mm;
        }
    }
    token.Width = static_cast<float>(sum) * mm;
}

void TRTFBasicDrawer::Measure(int32_t pixelsPerInch) {
    Tokens.KeepAdvances(true);
    const TRTFFontState* previous = nullptr;
    const TRTFTokenStyle* previousStyle = nullptr;
    for (TRTFTokenList::Record& token : Tokens.Records()) {
        if (token.Kind == kTokenAlignment) {
            // Marks carry no font: they take no room.
            token.Width = 0;
            continue;
        }
        TRTFTokenStyle& style = Tokens.Style(token);
        if (previous == nullptr || !SameFont(style.Font, *previous)) {
            MeasureFont(style, pixelsPerInch);
        } else if (&style != previousStyle) {
            style.Height = previousStyle->Height;
            style.Ascent = previousStyle->Ascent;
        }
        previous = &style.Font;
        previousStyle = &style;
        if (token.Kind == kTokenParagraph) {
            token.Width = 0;
            continue;
        }
        MeasureAdvances(token, pixelsPerInch);
    }
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
