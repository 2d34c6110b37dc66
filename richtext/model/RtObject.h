#pragma once
// TRtObject: an object embedded in a rich text (standing in the text as one
// object character and drawn in a rectangle of its own), and its stream:
//
//   magic 3601 (2 bytes), class name length + 1 (2 bytes, at most 99), the
//   class name (cut to 98 characters) and a 0 byte, the property block
//   (ComponentStream.h), the data type (up to three characters and a 0 byte;
//   four 0 bytes when the data is not embedded), then the object's own data.
//
// A stream whose header is damaged, or whose property block cannot be read
// to its end, fails with ERtEngineError; nothing after it is read.

#include "platform/gdi/GdiTypes.h"
#include "richtext/model/ComponentStream.h"
#include "richtext/model/RtObjectBase.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TStream;

enum TRtObjectWriteRTFMode : uint8_t { wobOnlyStandard, wobOnlyRTF, wobBoth };

constexpr uint16_t kObjectStreamMagic = 3601;
constexpr size_t kMaxStoredClassName = 98;

// States in which a linked object's data is requested.
constexpr int32_t kLoadAfterRead = 0;
constexpr int32_t kLoadBeforePaint = 2;
constexpr int32_t kLoadOnSelect = 3;
constexpr int32_t kLoadOnActivate = 4;

class TRtObject : public TRtObjectBase {
public:
    TRtObject();
    ~TRtObject() override;

    std::string ClassName() const override { return "TRtObject"; }

    // ---- published properties
    bool UsePageWidth() const { return usePageWidth_; }
    void SetUsePageWidth(bool v) { usePageWidth_ = v; }
    // With UsePageWidth the width follows the page of the owning text.
    int32_t WidthTW() const;
    void SetWidthTW(int32_t twips);
    int32_t HeightTW() const { return HeightTwips; }
    void SetHeightTW(int32_t twips);
    std::string ObjName;
    int32_t ObjTag = 0;
    TRtObjectWriteRTFMode WriteRTFMode = wobOnlyStandard;
    std::string StreamName;  // when set, the data is requested by this name, not embedded
    std::string Extra;

    // ---- other state
    bool UseTextFont() const { return useTextFont_; }
    void SetUseTextFont(bool v);
    bool UseTextBackground() const { return useTextBackground_; }
    void SetUseTextBackground(bool v);
    gdi::Color BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(gdi::Color c);
    bool SizeSet() const { return sizeSet_; }
    gdi::LogFont Font;
    int32_t FontSize = 0;  // points
    bool StorePicture = false;
    bool ControlShown = false;
    std::string DataType;  // up to three characters, e.g. "BMP"
    void* ParentControl = nullptr;
    bool LoadGuard = false;
    bool RefreshRunning = false;
    bool Refreshed = false;
    uint8_t OptionByte = 1;
    std::function<void(TRtObject&)> OnChangeHandler;
    // sender, stream name, state, var done
    std::function<void(TRtObject&, const std::string&, int32_t state, bool& done)> OnLoadStream;
    // Where PaintTo and the painter let the object paint.
    gdi::Canvas* PaintCanvas = nullptr;
    gdi::Rect PaintRect;
    bool PaintingElsewhere = false;

    // ---- virtual operations
    virtual void Deactivate() { HideControl(); }
    virtual void DoChange();
    // A property that cannot be applied; handled = true skips it.
    virtual void ReadError(const std::string& message, bool& handled) { handled = true; }
    virtual void BeforeLoad() {}
    virtual void BeforeSave() {}
    virtual void AfterSave() {}
    virtual std::string GetCaption() const { return caption_; }
    virtual void SetCaption(const std::string& caption) { caption_ = caption; }
    // A copy through the object stream; none when anything fails.
    virtual std::unique_ptr<TRtObject> Clone();
    virtual bool CopyToClipboard();
    virtual void EditCaption();
    virtual void SetParentControl(void* control);
    virtual void PrepareExport(const std::string& folder) {}
    virtual void WriteHTML(TStream& stream) {}
    virtual void SetControl(void* control) {}
    virtual void* GetControl() const { return nullptr; }
    virtual void PaintTo(gdi::Canvas& canvas, const gdi::Rect& rect);
    virtual void SaveProperties(TStream& stream);
    virtual bool LoadProperties(TStream& stream);
    virtual void SetText(const std::string& text) { SetCaption(text); }
    virtual void LoadData(TStream& stream) {}
    virtual void SaveData(TStream& stream) {}
    virtual std::string GetDataType() const { return "???"; }
    virtual void SaveToFile(const std::string& fileName);
    virtual void LoadFromFile(const std::string& fileName);
    virtual void Activate();
    virtual void SelectInText();

    // The published properties of the class as they are stored.
    virtual void WriteProperties(TRtComponentWriter& writer) const;
    // Applies one stored property; false when the class has no such property.
    virtual bool ReadProperty(const std::string& name, const TRtPropertyValue& value);

    // ---- TRtObjectBase
    void Paint() override;
    void HideControl() override { ControlShown = false; }
    void Select(bool flag) override;

    bool IsActivatable() const { return ControlShown; }
    void WriteToStream(TStream& stream);
    void ReadFromStream(TStream& stream);
    // Repaints the object where it stands (the painter calls it).
    void Refresh();

protected:
    // Applies a property block read from a stream.
    void ApplyProperties(const TRtComponentBlock& block);
    void RequestData(int32_t state);
    void PaintWithFont();

private:
    bool usePageWidth_ = false;
    bool useTextFont_ = false;
    bool useTextBackground_ = false;
    gdi::Color backgroundColor_;
    bool sizeSet_ = false;
    std::string caption_;

    friend std::unique_ptr<TRtObject> LoadFromObjStream(TRtRTFText*, TStream&, int32_t&, int32_t&, std::string&,
                                                        int32_t&);
    void ReadAfterHeader(TStream& stream, const std::string& storedClass);
};

// Reads the header of an object stream from its start: the stored class
// name; raises ERtEngineError when the header is damaged.
std::string ReadObjectStreamHeader(TStream& stream);

// Creates the object a stream holds (by its class name), gives it the owning
// text and reads it; none when anything fails.
std::unique_ptr<TRtObject> LoadFromObjStream(TRtRTFText* text, TStream& stream, int32_t& height, int32_t& width,
                                             std::string& objName, int32_t& tag);

// Asks for a caption ("Caption", "?"); installed by the editor library.
extern std::function<bool(const std::string& title, const std::string& prompt, std::string& value)> RtInputQuery;
