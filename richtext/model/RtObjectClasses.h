#pragma once
// The classes of embedded objects by name and by file extension. The engine
// registers TRtObject, TRtObjectField, TRtTagField and TRtOHorzLine; picture
// and control classes come from higher libraries, which register them (and
// the file extensions they read) at start-up.

#include "richtext/model/RtClassRegistry.h"
#include "richtext/model/RtObject.h"

#include <memory>
#include <string>

class TRtCustomRtfEditClass;

TRtClassRegistry<TRtObject>& RtObjectClasses();
template <typename T>
void RegisterRtObjectClass() {
    RtObjectClasses().Register(T().ClassName(), [] { return std::make_unique<T>(); });
}

// Raises ERtEngineError for a name that is not registered.
std::unique_ptr<TRtObject> CreateObjectByClassName(const std::string& className);

// The file-type list: lines "extension=class name" (extension with its dot).
void AddObjectFileType(const std::string& extension, const std::string& className);
// The class of the last line whose extension matches (a dot is put in
// front when missing; case is ignored); empty when none.
std::string FindObjectClassForExtension(const std::string& extension);
// An object of the extension's class at its natural size; none without a class.
std::unique_ptr<TRtObject> CreateObjectForExtension(const std::string& extension);
// An object of the file's class: linkOnly keeps only the name as StreamName,
// otherwise the file is loaded. The object is also remembered as the last
// object created. None without a class.
std::unique_ptr<TRtObject> CreateObjectForFile(TRtCustomRtfEditClass* editor, const std::string& fileName,
                                               bool linkOnly);
TRtObject* LastCreatedObject();
