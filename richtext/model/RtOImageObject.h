#pragma once
// TRtOImageObject: the base of picture objects. It holds no picture itself:
// a picture-holding class derives from it and supplies GetPicture and
// SetPicture; without a picture the object has the base's size.

#include "richtext/model/RtObject.h"

class TRtOImageObject : public TRtObject {
public:
    std::string ClassName() const override { return "TRtOImageObject"; }
    // The picture (none here) and the file extension it came with.
    virtual const void* GetPicture() const { return nullptr; }
    virtual void SetPicture(const void* picture) {}
    virtual std::string GetFileExt() const { return FileExt; }
    std::string FileExt;
    // Nothing to export without a picture.
    void PrepareExport(const std::string& folder) override {
        if (!GetPicture()) return;
    }
};
