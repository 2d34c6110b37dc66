#include "platform/gdi/Metafile.h"

#include "platform/gdi/MetafileWriter.h"

#include <QtCore/QSaveFile>

#include <algorithm>

namespace gdi {

namespace {

const std::vector<RecordedCall>& NoCalls() {
    static const std::vector<RecordedCall> none;
    return none;
}

}  // namespace

void Metafile::SetSize(int32_t width, int32_t height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
}

const std::vector<RecordedCall>& Metafile::Calls() const {
    return calls_ ? *calls_ : NoCalls();
}

void Metafile::SetPicture(std::vector<RecordedCall> calls, const DeviceCaps& reference) {
    calls_ = std::make_shared<const std::vector<RecordedCall>>(std::move(calls));
    reference_ = reference;
}

void Metafile::Clear() {
    calls_.reset();
}

std::vector<uint8_t> Metafile::WmfBytes() const {
    return WritePlaceableWmf(*this);
}

std::vector<uint8_t> Metafile::EmfBytes() const {
    return WriteEmf(*this);
}

bool Metafile::SaveToFile(const QString& fileName, QString* error) const {
    const std::vector<uint8_t> bytes = enhanced_ ? EmfBytes() : WmfBytes();
    QSaveFile file(fileName);
    const auto size = static_cast<qint64>(bytes.size());
    if (file.open(QIODevice::WriteOnly) &&
        file.write(reinterpret_cast<const char*>(bytes.data()), size) == size && file.commit())
        return true;
    if (error) *error = file.errorString();
    return false;
}

MetafileCanvas::MetafileCanvas(Metafile& metafile, const DeviceCaps& reference)
    : RecordingCanvas(reference, DeviceKind::Metafile), metafile_(&metafile) {}

MetafileCanvas::~MetafileCanvas() {
    Complete();
}

void MetafileCanvas::Complete() {
    metafile_->SetPicture(Calls(), Caps());
}

}  // namespace gdi
