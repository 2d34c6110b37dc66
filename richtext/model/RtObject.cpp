#include "richtext/model/RtObject.h"

#include "foundation/Codepage1252.h"
#include "foundation/Rounding.h"
#include "foundation/Stream.h"
#include "foundation/StreamHelp.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/gdi/Canvas.h"
#include "richtext/model/EngineMessages.h"
#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/RtObjReferenceList.h"
#include "richtext/model/RtObjectClasses.h"
#include "richtext/model/RtRTFText.h"
#include "richtext/model/TextHeader.h"

#include <QtCore/QFileInfo>

#include <algorithm>

std::function<bool(const std::string&, const std::string&, std::string&)> RtInputQuery;

namespace {

constexpr int32_t kDefaultWidthTwips = 1440;
constexpr int32_t kDefaultHeightTwips = 720;
constexpr int32_t kPageWidthGap = 10;
// The clipboard format of an object in its component form.
constexpr const char* kComponentClipboardFormat = "Zorbit Text Object";

const char* const kWriteModes[] = {"wobOnlyStandard", "wobOnlyRTF", "wobBoth"};

std::string ExtensionTag(const std::string& fileName) {
    return UnicodeToAnsi(QFileInfo(AnsiToUnicode(fileName)).suffix()).substr(0, 3);
}

}  // namespace

TRtObject::TRtObject() : backgroundColor_(gdi::SystemColor(gdi::COLOR_WINDOW)) {
    WidthTwips = kDefaultWidthTwips;
    HeightTwips = kDefaultHeightTwips;
}

TRtObject::~TRtObject() {
    if (!ParentControl) SetControl(nullptr);
}

int32_t TRtObject::WidthTW() const {
    if (usePageWidth_ && OwningText()) {
        const TTextHeader& h = OwningText()->Header();
        return h.PageWidth() - h.LeftMargin() - h.RightMargin() - kPageWidthGap;
    }
    return WidthTwips;
}

void TRtObject::SetWidthTW(int32_t twips) {
    if (usePageWidth_ && OwningText()) return;
    WidthTwips = twips;
    sizeSet_ = true;
}

void TRtObject::SetHeightTW(int32_t twips) {
    HeightTwips = twips;
    sizeSet_ = true;
}

void TRtObject::SetUseTextFont(bool v) {
    if (v == useTextFont_) return;
    useTextFont_ = v;
    Changed();
}

void TRtObject::SetUseTextBackground(bool v) {
    if (v == useTextBackground_) return;
    useTextBackground_ = v;
    Changed();
}

void TRtObject::SetBackgroundColor(gdi::Color c) {
    if (c == backgroundColor_) return;
    backgroundColor_ = c;
    Changed();
}

void TRtObject::DoChange() {
    if (!ControlShown) Changed();
    if (OnChangeHandler) OnChangeHandler(*this);
}

// ---- properties

void TRtObject::WriteProperties(TRtComponentWriter& w) const {
    // Written always: classes start with sizes and page widths of their own
    // (a horizontal line), so no value can be left to a default.
    w.WriteBoolean("UsePageWidth", usePageWidth_);
    w.WriteInteger("WidthTW", WidthTwips);
    w.WriteInteger("HeightTW", HeightTwips);
    if (!ObjName.empty()) w.WriteString("ObjName", ObjName);
    if (ObjTag != 0) w.WriteInteger("ObjTag", ObjTag);
    if (WriteRTFMode != wobOnlyStandard) w.WriteIdent("WriteRTFMode", kWriteModes[WriteRTFMode]);
    if (!StreamName.empty()) w.WriteString("StreamName", StreamName);
    if (!Extra.empty()) w.WriteString("Extra", Extra);
    if (Tag != 0) w.WriteInteger("Tag", Tag);
}

bool TRtObject::ReadProperty(const std::string& name, const TRtPropertyValue& v) {
    using K = TRtPropertyValue::Kind;
    const auto integer = [&v] { return static_cast<int32_t>(std::clamp<int64_t>(v.integer, INT32_MIN, INT32_MAX)); };
    if (name == "UsePageWidth" && v.kind == K::Boolean) {
        usePageWidth_ = v.boolean;
    } else if (name == "WidthTW" && v.kind == K::Integer) {
        WidthTwips = integer();
        sizeSet_ = true;
    } else if (name == "HeightTW" && v.kind == K::Integer) {
        HeightTwips = integer();
        sizeSet_ = true;
    } else if (name == "ObjName" && v.kind == K::Text) {
        ObjName = v.text;
    } else if (name == "ObjTag" && v.kind == K::Integer) {
        ObjTag = integer();
    } else if (name == "WriteRTFMode" && v.kind == K::Ident) {
        const auto it = std::find(std::begin(kWriteModes), std::end(kWriteModes), v.text);
        if (it == std::end(kWriteModes)) return false;
        WriteRTFMode = TRtObjectWriteRTFMode(it - std::begin(kWriteModes));
    } else if (name == "StreamName" && v.kind == K::Text) {
        StreamName = v.text;
    } else if (name == "Extra" && v.kind == K::Text) {
        Extra = v.text;
    } else if (name == "Tag" && v.kind == K::Integer) {
        Tag = integer();
    } else {
        return false;
    }
    return true;
}

void TRtObject::ApplyProperties(const TRtComponentBlock& block) {
    if (!block.objectName.empty()) Name = block.objectName;
    for (const auto& [name, value] : block.properties) {
        if (ReadProperty(name, value)) continue;
        bool handled = false;
        ReadError("Property " + name + " does not exist", handled);
        if (!handled) throw ERtEngineError(GetEngineMessage(meWrongFormat));
    }
}

void TRtObject::SaveProperties(TStream& stream) {
    if (Reference()) Extra = Reference()->extra;
    TRtComponentWriter writer(stream, ClassName(), Name);
    WriteProperties(writer);
    writer.Finish();
}

bool TRtObject::LoadProperties(TStream& stream) {
    ApplyProperties(ReadComponentBlock(stream));
    if (Reference()) Reference()->extra = Extra;
    return true;
}

// ---- the object stream

void TRtObject::WriteToStream(TStream& stream) {
    BeforeSave();
    const std::string name = ClassName().substr(0, kMaxStoredClassName);
    StreamWriteValue(stream, kObjectStreamMagic);
    StreamWriteValue(stream, static_cast<uint16_t>(name.size() + 1));
    stream.WriteBuffer(name.c_str(), static_cast<int64_t>(name.size() + 1));
    SaveProperties(stream);
    char type[4] = {};
    if (StreamName.empty()) {
        DataType = GetDataType().substr(0, 3);
        std::copy(DataType.begin(), DataType.end(), type);
        stream.WriteBuffer(type, 4);
        SaveData(stream);
        Loaded = true;
    } else {
        stream.WriteBuffer(type, 4);
    }
    AfterSave();
}

std::string ReadObjectStreamHeader(TStream& stream) {
    try {
        stream.SetPosition(0);
        const uint16_t magic = StreamReadValue<uint16_t>(stream);
        const uint16_t length = StreamReadValue<uint16_t>(stream);
        if (magic != kObjectStreamMagic || length >= 100) throw ERtEngineError(GetEngineMessage(meWrongFormat));
        std::string name(length, '\0');
        if (length > 0) stream.ReadBuffer(name.data(), length);
        return name.substr(0, name.find('\0'));
    } catch (const EReadError&) {
        throw ERtEngineError(GetEngineMessage(meWrongFormat));
    }
}

void TRtObject::ReadAfterHeader(TStream& stream, const std::string& storedClass) {
    if (SameTextAscii(storedClass, ClassName())) {
        LoadProperties(stream);
    } else {
        ReadComponentBlock(stream);  // another class's properties: passed over
    }
    char type[4];
    try {
        stream.ReadBuffer(type, 4);
    } catch (const EReadError&) {
        throw ERtEngineError(GetEngineMessage(meWrongFormat));
    }
    DataType = std::string(type, std::find(type, type + 3, '\0'));
    if (!DataType.empty()) {
        LoadData(stream);
        Loaded = true;
    } else if (StreamName.empty()) {
        Loaded = true;
    } else {
        RequestData(kLoadAfterRead);
    }
}

void TRtObject::ReadFromStream(TStream& stream) {
    BeforeLoad();
    ReadAfterHeader(stream, ReadObjectStreamHeader(stream));
}

void TRtObject::RequestData(int32_t state) {
    if (StreamName.empty() || Loaded || !OnLoadStream || LoadGuard) return;
    LoadGuard = true;
    bool done = Loaded;
    try {
        OnLoadStream(*this, StreamName, state, done);
    } catch (...) {
        LoadGuard = false;
        throw;
    }
    LoadGuard = false;
    Loaded = done;
}

std::unique_ptr<TRtObject> LoadFromObjStream(TRtRTFText* text, TStream& stream, int32_t& height, int32_t& width,
                                             std::string& objName, int32_t& tag) {
    try {
        const std::string storedClass = ReadObjectStreamHeader(stream);
        if (storedClass.empty()) return nullptr;
        std::unique_ptr<TRtObject> object = CreateObjectByClassName(storedClass);
        object->SetOwningText(text);
        object->ReadAfterHeader(stream, storedClass);
        height = object->HeightTW();
        width = object->WidthTW();
        objName = object->ObjName;
        tag = object->ObjTag;
        return object;
    } catch (...) {
        return nullptr;
    }
}

std::unique_ptr<TRtObject> TRtObject::Clone() {
    try {
        std::unique_ptr<TRtObject> copy = CreateObjectByClassName(ClassName());
        TMemoryStream stream;
        WriteToStream(stream);
        stream.SetPosition(0);
        copy->SetOwningText(OwningText());
        copy->ReadFromStream(stream);
        copy->SetCaption(GetCaption());
        copy->ObjTag = ObjTag;
        copy->ObjName = ObjName;
        copy->LaidOut = LaidOut;
        copy->WidthTwips = WidthTwips;
        copy->HeightTwips = HeightTwips;
        return copy;
    } catch (...) {
        return nullptr;
    }
}

// ---- files and the clipboard

void TRtObject::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, FileMode::Create);
    DataType = ExtensionTag(fileName);
    SaveData(file);
}

void TRtObject::LoadFromFile(const std::string& fileName) {
    if (fileName.empty()) return;
    TFileStream file(fileName, FileMode::OpenRead);
    DataType = ExtensionTag(fileName);
    LoadData(file);
    if (sizeSet_) return;
    WidthTwips = GetContentWidth();
    HeightTwips = GetContentHeight();
    if (Reference()) {
        Reference()->width = WidthTwips;
        Reference()->height = HeightTwips;
    }
}

bool TRtObject::CopyToClipboard() {
    StorePicture = true;
    try {
        TMemoryStream stream;
        SaveProperties(stream);
        clipboard::Content content;
        const QByteArray bytes(reinterpret_cast<const char*>(stream.Memory()), qsizetype(stream.Size()));
        content.formats.emplace_back(clipboard::PrivateFormatMimeType(kComponentClipboardFormat), bytes);
        clipboard::SetContent(content);
    } catch (...) {
        StorePicture = false;
        return false;
    }
    StorePicture = false;
    return true;
}

void TRtObject::EditCaption() {
    std::string caption = GetCaption();
    if (RtInputQuery && RtInputQuery("Caption", "?", caption)) SetCaption(caption);
}

void TRtObject::SetParentControl(void* control) {
    if (!GetControl() || !control || control == ParentControl) return;
    HideControl();
    ParentControl = control;
}

// ---- painting and activation

void TRtObject::PaintTo(gdi::Canvas& canvas, const gdi::Rect& rect) {
    gdi::Canvas* savedCanvas = PaintCanvas;
    const gdi::Rect savedRect = PaintRect;
    const bool savedElsewhere = PaintingElsewhere;
    PaintCanvas = &canvas;
    PaintRect = rect;
    PaintingElsewhere = true;
    Paint();
    PaintCanvas = savedCanvas;
    PaintRect = savedRect;
    PaintingElsewhere = savedElsewhere;
}

void TRtObject::Paint() {
    // Objects without a control of their own draw nothing; classes that hold
    // a control or a picture paint themselves.
}

void TRtObject::Select(bool flag) {
    if (!Reference() && OwningText()) SetReference(OwningText()->ObjRefs().GetObjectRef(this));
    TRtObjectBase::Select(flag);
}

void TRtObject::Activate() {
    RequestData(kLoadOnActivate);
    TRtObjectBase::Select(false);
    if (ParentControl && UpdateScreenRect()) {
        ControlShown = true;
        ShowControl();
    }
}

void TRtObject::SelectInText() {
    if (!Reference()) return;
    RequestData(kLoadOnSelect);
    TRtRTFText* text = OwningText();
    TRtObjectBase::Select(!text || text->SelectedObjectRef != Reference());
    Changed();
}

void TRtObject::PaintWithFont() {
    TRtRTFText* text = OwningText();
    if (text && PaintCanvas) {
        text->PrepareCanvas();
        const int32_t size = FontSize > 0 ? FontSize : 10;
        const int32_t resolution = text->Printing ? text->PrintResolution : text->Header().LayoutResY;
        gdi::LogFont font = Font;
        font.height = -MulDiv(size, resolution, 72);
        PaintCanvas->SetFont(font);
    }
    Paint();
}

void TRtObject::Refresh() {
    if (RefreshRunning) return;
    TRtRTFText* text = OwningText();
    const bool full = !text || text->Printing || text->EditingObject != this || text->PaintAllObjects;
    if (!full) {
        UpdatePaintRect();
        return;
    }
    RefreshRunning = true;
    RequestData(kLoadBeforePaint);
    if (UpdatePaintRect()) {
        const bool selected = text && Reference() && text->SelectedObjectRef == Reference();
        if (selected && !text->Printing && !text->FramePaintMode) {
            PaintWithFont();
            if (text) text->PaintObjectSelection(this);
        } else if (text && (text->Printing || text->BufferedPaintMode)) {
            PaintWithFont();
        } else if (text) {
            text->PaintObjectWithFrame(this);
        }
    }
    RefreshRunning = false;
    Refreshed = true;
}
