#include "design/DocumentFile.h"

#include "design/DocumentBase.h"
#include "design/DocumentFileOps.h"
#include "design/EinzelEtikett.h"
#include "document/ChildBase.h"
#include "document/DataBaseConnector.h"
#include "document/Etikett.h"
#include "figures/Figure.h"
#include "figures/FigureFactory.h"
#include "figures/FigureKinds.h"
#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/FileErrors.h"
#include "foundation/Localizer.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <string_view>

namespace {

// The written file waits under this name beside the target until it is complete.
QString NewFileName(const QString& fileName) { return fileName + QStringLiteral(".~tmp"); }

// The smallest design: its marker, an empty caption and the end code.
int64_t SmallestDesignBytes(bool legacy) { return legacy ? 4 : 7; }

// The bytes are the start of a document's magic: a document cut short
// within its first bytes rather than a file of another kind.
bool StartsLikeMagic(TStream& stream) {
    char start[kFilerMagicLength] = {};
    const int64_t size = std::min<int64_t>(stream.Size(), kFilerMagicLength);
    stream.SetPosition(0);
    stream.ReadBuffer(start, size);
    stream.SetPosition(0);
    const std::string_view read(start, static_cast<size_t>(size));
    auto prefixOf = [&](std::string_view magic) { return SameTextAscii(read, magic.substr(0, read.size())); };
    return prefixOf(kFilerMagic) || prefixOf(kFilerLegacyMagic);
}

int64_t SteadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

[[noreturn]] void RaiseCannotRead(const QString& fileName) {
    throw EFilerReadError(LocalizedFormat("IDS_CANNOTREADFILE", {fileName}));
}

}  // namespace

QString BackupFileName(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(u'/');
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString stem = dot > slash ? fileName.left(dot) : fileName;
    return stem + QStringLiteral(".BAK");
}

bool ReadDocumentBlocks(TEtikettFiler& filer, TDataBaseConnector& connector, TEtikett& sheet) {
    uint8_t code = filer.ReadRawByte();
    if (code == TDataBaseConnector::kElementCode) {
        connector.LoadFromFiler(filer);
        code = filer.ReadRawByte();
    }
    if (code != TEtikett::kSheetElementCode) return false;
    sheet.LoadFromFiler(filer);
    return true;
}

TDocumentFile::TDocumentFile(TDocumentBase& document) : TDocumentFile(document, DiskFileOps()) {}

TDocumentFile::TDocumentFile(TDocumentBase& document, TDocumentFileOps& ops)
    : document_(document), ops_(ops), progressClock_(SteadyMilliseconds) {}

// ---- saving

void TDocumentFile::SaveToStream(TStream& stream) {
    struct TSaveEnd {
        TEtikettFiler& filer;
        ~TSaveEnd() {
            filer.CurrentDesign = nullptr;
            filer.Stream = nullptr;
        }
    } end{Filer};
    Filer.Stream = &stream;
    Filer.WriteHeader();
    TDataBaseConnector& connector = document_.DataBaseConnector();
    if (connector.HasBlock()) connector.SaveToFiler(Filer);
    document_.Sheet().SaveToFiler(Filer);
    const int32_t count = document_.DesignCount();
    Filer.WriteTaggedLongint(count);
    for (int32_t i = 0; i < count; ++i) {
        Filer.WriteRawByte(ecDesign);
        Filer.WriteTaggedString(UnicodeToAnsi(document_.DesignCaption(i)));
        TEinzelEtikett& design = document_.Design(i);
        Filer.CurrentDesign = &design;
        design.SaveFigures(Filer);
        Filer.WriteRawByte(ecEnd);
    }
}

bool TDocumentFile::SaveToFile(const QString& fileName) {
    Filer.IsLegacy = false;
    if (ops_.Exists(fileName) && ops_.IsReadOnly(fileName))
        throw EReadOnlyFile(LocalizedFormat("IDS_CANNOTSAVEFILE2", {fileName}));
    const TBusyCursor busy(document_.Owner());
    // The whole document is made before the disk is touched.
    TMemoryStream bytes;
    try {
        SaveToStream(bytes);
    } catch (const std::exception&) {
        RaiseCannotSave(fileName, 0);
    }
    // Through a symbolic link the file it points to is replaced; the link stays.
    const QString target = ops_.LinkTarget(fileName);
    const QString written = NewFileName(target);
    if (const int error = WriteNewFile(written, target, bytes)) {
        ops_.Remove(written);
        RaiseCannotSave(fileName, error);
    }
    const QString backup = MakeBackup(target);
    if (const int error = ops_.Rename(written, target)) {
        ops_.Remove(written);
        if (!backup.isEmpty()) ops_.Remove(backup);
        RaiseCannotSave(fileName, error);
    }
    if (!backup.isEmpty()) ops_.Remove(backup);
    return true;
}

void TDocumentFile::RaiseCannotSave(const QString& fileName, int errorNumber) {
    const QString message = WithFileErrorCause(LocalizedFormat("IDS_CANNOTSAVEFILE", {fileName}), errorNumber);
    throw EFCreateError(message.toStdString(), errorNumber);
}

int TDocumentFile::WriteNewFile(const QString& fileName, const QString& like, const TMemoryStream& bytes) {
    constexpr int64_t kChunk = int64_t{1} << 20;
    std::unique_ptr<TStream> file;
    if (const int error = ops_.CreateFile(fileName, like, file)) return error;
    const uint8_t* data = bytes.Memory();
    const int64_t size = static_cast<int64_t>(bytes.Bytes().size());
    for (int64_t done = 0; done < size; done += kChunk)
        if (const int error = ops_.Write(*file, data + done, std::min(kChunk, size - done))) return error;
    return ops_.Sync(*file);
}

QString TDocumentFile::MakeBackup(const QString& target) {
    const QString backup = BackupFileName(target);
    if (backup == target || !ops_.Exists(target)) return {};
    // An older backup goes; a backup that cannot be made is no reason to
    // stop, since the target is replaced in one step anyway.
    ops_.Remove(backup);
    return ops_.Link(target, backup) == 0 ? backup : QString();
}

// ---- loading

bool TDocumentFile::LoadFromFile(const QString& fileName) {
    TMemoryStream bytes;
    {
        TFileStream file(fileName.toStdString(), FileMode::OpenRead);
        const int64_t size = file.Size();
        if (size > kMaxFileBytes) RaiseCannotRead(fileName);
        bytes.SetSize(size);
        try {
            file.ReadBuffer(bytes.Memory(), size);
        } catch (const EReadError&) {
            RaiseCannotRead(fileName);
        }
    }
    return LoadFromStream(bytes, fileName);
}

bool TDocumentFile::LoadFromStream(TStream& stream, const QString& fileName) {
    ReadDocument(stream, fileName);
    if (Filer.WrongTags > 0) ReportSkippedPlaces(WithSkippedPlaces(LocalizedFormat("IDS_DAMAGEDFILE", {fileName})));
    return true;
}

void TDocumentFile::ReadDocument(TStream& stream, const QString& fileName) {
    struct TLoadEnd {
        TDocumentFile& file;
        ~TLoadEnd() {
            file.Filer.Stream = nullptr;
            file.document_.ShowLoadProgress(QString());
        }
    } end{*this};
    Filer.Stream = &stream;
    Filer.FileName = fileName;
    Filer.Aborted = false;
    Filer.UnreadablePictures.clear();
    Filer.WrongTags = 0;
    elementsRead_ = 0;
    progressShown_ = false;
    if (stream.Size() < kFilerMagicLength && StartsLikeMagic(stream)) RaiseCannotRead(fileName);
    Filer.ReadHeader();
    bool read = false;
    try {
        read = ReadBody();
    } catch (const std::exception&) {
        read = false;
    }
    Filer.Aborted = false;
    if (!read) throw EFilerReadError(WithSkippedPlaces(LocalizedFormat("IDS_CANNOTREADFILE", {fileName})));
    // The count the load ended at.
    ShowProgress(true);
}

QString TDocumentFile::WithSkippedPlaces(const QString& message) const {
    if (Filer.WrongTags == 0) return message;
    return message + u' ' + LocalizedFormat("IDS_SKIPPEDPLACES", {Filer.WrongTags});
}

bool TDocumentFile::ReadBody() {
    if (!ReadDocumentBlocks(Filer, document_.DataBaseConnector(), document_.Sheet())) return false;

    const int32_t count = Filer.ReadTaggedLongint();
    Debug().LogFmt(u"Anzahl: %d", {count});
    if (count >= 1) {
        // Every design takes some bytes: a count beyond them is damage.
        if (count > Filer.Stream->Remaining() / SmallestDesignBytes(Filer.IsLegacy)) return false;
        for (int32_t i = 0; i < count; ++i) {
            if (Filer.ReadRawByte() != ecDesign) return false;
            const QString caption = AnsiToUnicode(Filer.ReadTaggedString());
            const bool firstTab = i == 0 && document_.DesignCount() > 0;
            TEinzelEtikett& design = firstTab ? document_.Design(0) : document_.AddDesignTab(caption);
            const int32_t index = firstTab ? 0 : document_.DesignCount() - 1;
            if (firstTab) document_.SetDesignCaption(0, caption);
            document_.SetCurrentDesignIndex(index);
            const size_t unreadableBefore = Filer.UnreadablePictures.size();
            if (!ReadFigures(design)) return false;
            for (size_t k = unreadableBefore; k < Filer.UnreadablePictures.size(); ++k)
                Filer.UnreadablePictures[k].design = caption;
        }
    }
    document_.SetCurrentDesignIndex(0);
    return true;
}

bool TDocumentFile::ReadFigures(TEinzelEtikett& design) {
    const TUndoSuspension noUndo(design);
    for (;;) {
        std::unique_ptr<TFigure> figure;
        const uint8_t code = ReadElement(figure);
        if (figure) design.AddFigure(std::move(figure), false);
        if (Filer.Aborted) {
            Filer.Aborted = false;
            return false;
        }
        ++elementsRead_;
        ShowProgress(false);
        if (code == ecEnd) break;
    }
    design.DeselectAll();
    design.ClearUndo();
    // A design just read is not modified.
    design.SetModified(false);
    return true;
}

void TDocumentFile::ShowProgress(bool always) {
    const int64_t now = progressClock_();
    if (!always && progressShown_ && now - progressShownAt_ < kProgressInterval) return;
    progressShown_ = true;
    progressShownAt_ = now;
    document_.ShowLoadProgress(LocalizedFormat("IDS_LOADFILE", {elementsRead_}));
}

void TDocumentFile::SetProgressClock(std::function<int64_t()> clock) {
    progressClock_ = std::move(clock);
}

uint8_t TDocumentFile::ReadElement(std::unique_ptr<TFigure>& figure) {
    return ReadFigureElement(Filer, &document_.Owner(), figure);
}
