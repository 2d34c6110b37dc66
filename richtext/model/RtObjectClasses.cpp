#include "richtext/model/RtObjectClasses.h"

#include "richtext/model/RtEngineErrors.h"
#include "richtext/model/RtOHorzLine.h"
#include "richtext/model/RtObjectField.h"

#include <QtCore/QFileInfo>

#include <utility>
#include <vector>

namespace {

struct TFileType {
    std::string extension;
    std::string className;
};

std::vector<TFileType>& FileTypes() {
    static std::vector<TFileType> types;
    return types;
}

TRtObject* lastCreated = nullptr;

}  // namespace

TRtClassRegistry<TRtObject>& RtObjectClasses() {
    static TRtClassRegistry<TRtObject> registry = [] {
        TRtClassRegistry<TRtObject> r;
        r.Register("TRtObject", [] { return std::make_unique<TRtObject>(); });
        r.Register("TRtObjectField", [] { return std::make_unique<TRtObjectField>(); });
        r.Register("TRtTagField", [] { return std::make_unique<TRtTagField>(); });
        r.Register("TRtOHorzLine", [] { return std::make_unique<TRtOHorzLine>(); });
        return r;
    }();
    return registry;
}

std::unique_ptr<TRtObject> CreateObjectByClassName(const std::string& className) {
    std::unique_ptr<TRtObject> object = RtObjectClasses().Create(className);
    if (!object) throw ERtEngineError("Object class not found: " + className);
    return object;
}

void AddObjectFileType(const std::string& extension, const std::string& className) {
    FileTypes().push_back({extension, className});
}

std::string FindObjectClassForExtension(const std::string& extension) {
    const std::string dotted = !extension.empty() && extension[0] == '.' ? extension : "." + extension;
    const auto& types = FileTypes();
    for (auto it = types.rbegin(); it != types.rend(); ++it) {
        if (SameTextAscii(it->extension, dotted)) return it->className;
    }
    return {};
}

std::unique_ptr<TRtObject> CreateObjectForExtension(const std::string& extension) {
    const std::string className = FindObjectClassForExtension(extension);
    if (className.empty()) return nullptr;
    std::unique_ptr<TRtObject> object = CreateObjectByClassName(className);
    object->WidthTwips = object->GetContentWidth();
    object->HeightTwips = object->GetContentHeight();
    return object;
}

std::unique_ptr<TRtObject> CreateObjectForFile(TRtCustomRtfEditClass*, const std::string& fileName, bool linkOnly) {
    const QFileInfo info(AnsiToUnicode(fileName));
    const std::string className = FindObjectClassForExtension(UnicodeToAnsi(info.suffix()));
    if (className.empty()) return nullptr;
    std::unique_ptr<TRtObject> object = CreateObjectByClassName(className);
    object->SetBackgroundColor(gdi::SystemColor(gdi::COLOR_WINDOW));
    object->WidthTwips = 0;
    object->HeightTwips = 0;
    if (linkOnly) {
        object->StreamName = fileName;
    } else if (info.exists()) {
        object->LoadFromFile(fileName);
        if (object->WidthTwips == 0) object->WidthTwips = object->GetContentWidth();
        if (object->HeightTwips == 0) object->HeightTwips = object->GetContentHeight();
    }
    lastCreated = object.get();
    return object;
}

TRtObject* LastCreatedObject() { return lastCreated; }
