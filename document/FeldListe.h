#pragma once
// The field list of a design: named fields with values, identified by
// numeric ids that count up from 100001 and are never given twice until the
// list is cleared. A field's place in the three parallel lists is its display
// order. The default set of names for new designs lives in the settings
// section "Felder" ("Anzahl", then one name per position "0", "1", ...).
// Names and values are 8-bit Windows-1252 text.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TZRRegIniFile;

class TFeldListe {
public:
    static constexpr int32_t kFirstId = 100001;
    static constexpr const char* kSection = "Felder";
    static constexpr const char* kNotFound = "<Nicht gefunden>";
    static constexpr const char* kMissingName = "sy96";

    // Empty, then the default names from the process-wide settings.
    TFeldListe();
    // Empty, then the default names from these settings.
    explicit TFeldListe(const TZRRegIniFile& settings);
    // Nothing loaded (the working copy of a dialog).
    struct EmptyTag {};
    explicit TFeldListe(EmptyTag) {}

    void Clear();
    // Appends the field under the next id; returns that id as text.
    std::string AddField(const std::string& name, const std::string& value);
    // "<Nicht gefunden>" when no field has the id.
    std::string GetNameById(const std::string& id) const;
    std::string GetValueById(const std::string& id) const;
    bool SetValueById(const std::string& id, const std::string& value);
    int32_t Count() const { return static_cast<int32_t>(Ids.size()); }
    void Assign(const TFeldListe& other);

    // Editing by position (the field dialog).
    void Rename(int index, const std::string& name);
    void Delete(int index);
    void Exchange(int a, int b);

    // Clears the list and adds the twelve built-in names.
    void LoadDefaults();
    void LoadFromSettings();
    void LoadFromSettings(const TZRRegIniFile& settings);
    void SaveToSettings() const;
    void SaveToSettings(TZRRegIniFile& settings) const;

    // Runs the field dialog on a copy and takes the copy back however the
    // dialog was closed. Returns true.
    bool EditFields();

    std::vector<std::string> Ids;
    std::vector<std::string> Names;
    std::vector<std::string> Values;
    int32_t NextId = kFirstId;

private:
    int IndexOfId(const std::string& id) const;
};

// The dialog that EditFields runs: it edits the list in place. The widgets
// layer installs it (InstallFieldListEditor); without one EditFields leaves
// the list as it is.
using TFieldListEditor = std::function<void(TFeldListe& list)>;
void SetFieldListEditor(TFieldListEditor editor);

// The twelve built-in field names, in order.
const std::vector<std::string>& DefaultFieldNames();
