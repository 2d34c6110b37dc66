#include "document/FeldListe.h"

#include "foundation/Exceptions.h"
#include "foundation/ZRRegIniFile.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

TFieldListEditor& FieldListEditor() {
    static TFieldListEditor editor;
    return editor;
}

// The positions below count that have a name of their own in the section
// (keys "0", "1", ... written as the decimal number), in ascending order.
// Walking the stored keys rather than every position up to the count keeps
// a damaged count from making us look up two billion missing keys.
std::vector<int32_t> StoredPositions(const TZRRegIniFile& settings, int32_t count) {
    std::vector<std::string> keys;
    settings.ReadSection(TFeldListe::kSection, keys);
    std::vector<int32_t> positions;
    for (const std::string& key : keys) {
        int32_t position = 0;
        const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), position);
        if (error != std::errc() || end != key.data() + key.size()) continue;
        if (position < 0 || position >= count || std::to_string(position) != key) continue;
        positions.push_back(position);
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

}  // namespace

void SetFieldListEditor(TFieldListEditor editor) {
    FieldListEditor() = std::move(editor);
}

const std::vector<std::string>& DefaultFieldNames() {
    static const std::vector<std::string> names = {
        "Titel1",      "Spieldauer1", "Kategorie1", "Hauptdarsteller1", "Beschreibung1",
        "Titel2",      "Spieldauer2", "Kategorie2", "Hauptdarsteller2", "Beschreibung2",
        "Kassettenl\xE4nge", "Kassettennummer",
    };
    return names;
}

TFeldListe::TFeldListe() {
    LoadFromSettings();
}

TFeldListe::TFeldListe(const TZRRegIniFile& settings) {
    LoadFromSettings(settings);
}

void TFeldListe::Clear() {
    Ids.clear();
    Names.clear();
    Values.clear();
    NextId = kFirstId;
}

std::string TFeldListe::AddField(const std::string& name, const std::string& value) {
    // Ids are never given twice: the list refuses a field rather than wrap.
    if (NextId == std::numeric_limits<int32_t>::max()) throw Exception("TFeldListe: no more field ids");
    const std::string id = std::to_string(NextId++);
    Ids.push_back(id);
    Names.push_back(name);
    Values.push_back(value);
    return id;
}

int TFeldListe::IndexOfId(const std::string& id) const {
    for (size_t i = 0; i < Ids.size(); ++i)
        if (Ids[i] == id) return static_cast<int>(i);
    return -1;
}

std::string TFeldListe::GetNameById(const std::string& id) const {
    const int index = IndexOfId(id);
    return index < 0 ? std::string(kNotFound) : Names[index];
}

std::string TFeldListe::GetValueById(const std::string& id) const {
    const int index = IndexOfId(id);
    return index < 0 ? std::string(kNotFound) : Values[index];
}

bool TFeldListe::SetValueById(const std::string& id, const std::string& value) {
    const int index = IndexOfId(id);
    if (index < 0) return false;
    Values[index] = value;
    return true;
}

void TFeldListe::Assign(const TFeldListe& other) {
    if (&other == this) return;
    Ids = other.Ids;
    Names = other.Names;
    Values = other.Values;
    NextId = other.NextId;
}

void TFeldListe::Rename(int index, const std::string& name) {
    Names.at(index) = name;
}

void TFeldListe::Delete(int index) {
    if (index < 0 || index >= Count()) throw std::out_of_range("TFeldListe::Delete");
    Ids.erase(Ids.begin() + index);
    Names.erase(Names.begin() + index);
    Values.erase(Values.begin() + index);
}

void TFeldListe::Exchange(int a, int b) {
    if (a < 0 || b < 0 || a >= Count() || b >= Count()) throw std::out_of_range("TFeldListe::Exchange");
    std::swap(Ids[a], Ids[b]);
    std::swap(Names[a], Names[b]);
    std::swap(Values[a], Values[b]);
}

void TFeldListe::LoadDefaults() {
    Clear();
    for (const std::string& name : DefaultFieldNames()) AddField(name, "");
}

void TFeldListe::LoadFromSettings() {
    LoadFromSettings(Settings());
}

void TFeldListe::LoadFromSettings(const TZRRegIniFile& settings) {
    const int32_t count = settings.ReadInteger(kSection, "Anzahl", -1);
    if (count <= 0) {
        LoadDefaults();
        return;
    }
    Clear();
    for (const int32_t position : StoredPositions(settings, count)) {
        const std::string name = settings.ReadString(kSection, std::to_string(position), kMissingName);
        if (name != kMissingName) AddField(name, "");
    }
}

void TFeldListe::SaveToSettings() const {
    SaveToSettings(Settings());
}

void TFeldListe::SaveToSettings(TZRRegIniFile& settings) const {
    settings.BeginUpdate();
    try {
        settings.EraseSection(kSection);
        settings.WriteInteger(kSection, "Anzahl", Count());
        for (int32_t i = 0; i < Count(); ++i) settings.WriteString(kSection, std::to_string(i), Names[i]);
    } catch (...) {
        settings.EndUpdate();
        throw;
    }
    settings.EndUpdate();
}

bool TFeldListe::EditFields() {
    if (const TFieldListEditor& editor = FieldListEditor()) {
        TFeldListe copy{EmptyTag{}};
        copy.Assign(*this);
        editor(copy);
        Assign(copy);
    }
    return true;
}
