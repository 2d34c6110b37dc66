#include "controls/ColorList.h"

#include "foundation/Debug.h"
#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "foundation/WideStrings.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QBuffer>
#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QSaveFile>

#include <algorithm>
#include <memory>

namespace {

// No colour needs more characters than this; longer lines are no colour and
// are not kept while they are read.
constexpr qsizetype kMaxLineLength = 64;

bool ParseDigits(QByteArrayView digits, int base, uint64_t limit, uint64_t& value) {
    if (digits.isEmpty()) return false;
    value = 0;
    for (const char c : digits) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        value = value * base + digit;
        if (value > limit) return false;
    }
    return true;
}

}  // namespace

TColorList::TColorList(int32_t slotCount) : slots_(static_cast<size_t>(std::max(slotCount, 0)), clEmptySlot) {}

void TColorList::CheckIndex(int32_t index) const {
    if (index < 0 || index >= Count()) throw EStringListError(LocalizedFormat("IDS_LISTINDEXERROR", {index}));
}

int32_t TColorList::Colors(int32_t index) const {
    CheckIndex(index);
    return slots_[static_cast<size_t>(index)];
}

void TColorList::SetColors(int32_t index, int32_t color) {
    CheckIndex(index);
    slots_[static_cast<size_t>(index)] = color;
}

void TColorList::Clear() { std::fill(slots_.begin(), slots_.end(), clEmptySlot); }

int32_t TColorList::UsedCount() const {
    return static_cast<int32_t>(std::count_if(slots_.begin(), slots_.end(), [](int32_t c) { return c != clEmptySlot; }));
}

int32_t TColorList::AddColor(int32_t color, int32_t fallbackIndex) {
    int32_t target = -1;
    for (int32_t i = 0; i < Count(); ++i) {
        if (slots_[static_cast<size_t>(i)] == color) return i;
        if (target < 0 && slots_[static_cast<size_t>(i)] == clEmptySlot) target = i;
    }
    if (target < 0) target = fallbackIndex;
    SetColors(target, color);
    return target;
}

void TColorList::AssignPacked(const TColorList& source) {
    std::vector<int32_t> packed;
    packed.reserve(source.slots_.size());
    for (const int32_t c : source.slots_)
        if (c != clEmptySlot) packed.push_back(c);
    packed.resize(source.slots_.size(), clEmptySlot);
    slots_ = std::move(packed);
}

int32_t TColorList::ColorFromLine(const QByteArray& line) {
    QByteArrayView text = QByteArrayView(line).trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text = text.sliced(1);
    }
    uint64_t value = 0;
    if (text.startsWith('$') || text.startsWith("0x") || text.startsWith("0X")) {
        // Hexadecimal numbers are 32-bit patterns: "$80000005" is negative.
        if (!ParseDigits(text.sliced(text.front() == '$' ? 1 : 2), 16, 0xFFFFFFFFu, value)) return -1;
        const auto pattern = static_cast<uint32_t>(value);
        return static_cast<int32_t>(negative ? 0u - pattern : pattern);
    }
    if (!ParseDigits(text, 10, negative ? 0x80000000u : 0x7FFFFFFFu, value)) return -1;
    return negative ? static_cast<int32_t>(-static_cast<int64_t>(value)) : static_cast<int32_t>(value);
}

void TColorList::LoadFromDevice(QIODevice& device) {
    Clear();
    int32_t next = 0;
    QByteArray line;
    bool overlong = false;
    bool lastWasCR = false;
    auto endLine = [&] {
        const int32_t color = overlong ? -1 : ColorFromLine(line);
        if (color >= 0) slots_[static_cast<size_t>(next++)] = color;
        line.clear();
        overlong = false;
    };
    char chunk[4096];
    while (next < Count()) {
        const qint64 got = device.read(chunk, sizeof chunk);
        if (got <= 0) break;
        for (qint64 i = 0; i < got && next < Count(); ++i) {
            const char c = chunk[i];
            if (c == '\n' && lastWasCR) {
                lastWasCR = false;  // CR LF ends one line
                continue;
            }
            lastWasCR = c == '\r';
            if (c == '\r' || c == '\n') {
                endLine();
            } else if (line.size() < kMaxLineLength) {
                line.append(c);
            } else {
                overlong = true;
            }
        }
    }
    if (next < Count() && (!line.isEmpty() || overlong)) endLine();
}

void TColorList::LoadFromText(const QByteArray& text) {
    QByteArray copy = text;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    LoadFromDevice(buffer);
}

void TColorList::LoadFromFile(const QString& path) {
    Clear();
    QFile file(path);
    if (!file.exists()) return;
    if (!file.open(QIODevice::ReadOnly)) {
        Debug().Log(QStringLiteral("custom colours: cannot read %1: %2").arg(path, file.errorString()));
        return;
    }
    LoadFromDevice(file);
}

QByteArray TColorList::SaveToText() const {
    QByteArray text;
    for (const int32_t c : slots_)
        if (c != clEmptySlot)
            text += '$' + QByteArray::number(static_cast<uint32_t>(c), 16).rightJustified(8, '0') + "\r\n";
    return text;
}

void TColorList::SaveToFile(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(SaveToText()) < 0 || !file.commit())
        throw EFCreateError(LocalizedFormat("IDS_CANNOTSAVEFILE", {path}) + QStringLiteral(" (") + file.errorString() +
                            QLatin1Char(')'));
}

// ---- the shared list

namespace {

struct CustomColors {
    TColorList list{kCustomColorSlots};
    QString path;
};

std::unique_ptr<CustomColors>& SharedColors() {
    static std::unique_ptr<CustomColors> shared;
    return shared;
}

void SaveAndFreeAtExit() {
    SaveCustomColorList();
    SharedColors().reset();
}

}  // namespace

TColorList& GetCustomColorList() {
    std::unique_ptr<CustomColors>& shared = SharedColors();
    if (!shared) {
        static bool routineAdded = false;
        if (!routineAdded && QCoreApplication::instance()) {
            qAddPostRoutine(SaveAndFreeAtExit);
            routineAdded = true;
        }
        shared = std::make_unique<CustomColors>();
        shared->path = GetDataFilePath(QString::fromLatin1(kCustomColorFileName));
        shared->list.LoadFromFile(shared->path);
    }
    return shared->list;
}

bool SaveCustomColorList() {
    const std::unique_ptr<CustomColors>& shared = SharedColors();
    if (!shared) return true;
    try {
        shared->list.SaveToFile(shared->path);
        return true;
    } catch (const Exception& e) {
        Debug().Log(QStringLiteral("custom colours not saved: ") + QString::fromUtf8(e.what()));
        return false;
    }
}

void DiscardCustomColorList() { SharedColors().reset(); }
