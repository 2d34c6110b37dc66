#pragma once
// The placeholder table of a design: names written in braces in label texts
// ("{Datum}") and the text that replaces them. Names are kept in upper case
// and compared that way; entries are never removed. Names and values are
// 8-bit Windows-1252 text.

#include <QtCore/QDate>
#include <QtCore/QLocale>

#include <memory>
#include <string>
#include <vector>

class TSuchTabelle {
public:
    // Sets the value of the name, appending the name when it is new.
    void SetValue(const std::string& name, const std::string& value);
    // True and the value when the name is in the table.
    bool LookupValue(const std::string& name, std::string& value) const;
    // A value that is a decimal integer becomes that integer plus 1. Any other
    // value, an unknown name and the value 2147483647 (which has no successor
    // in 32 bits) stay as they are.
    void IncrementValue(const std::string& name);
    // lfdNr := "1", GesNr := "##".
    void ResetCounters();

    std::vector<std::string> Names;
    std::vector<std::string> Values;

private:
    int IndexOf(const std::string& name) const;
};

// A new table with Datum, DatumKurz ("dd.mm.yy"), DatumLang ("dd. mmmm yyyy",
// with the long month names of the system locale), lfdNr "1" and GesNr "##",
// the dates those of today.
std::unique_ptr<TSuchTabelle> CreateDefaultPlaceholderTable();
std::unique_ptr<TSuchTabelle> CreateDefaultPlaceholderTable(const QDate& today, const QLocale& locale);

// Replaces every "{name}" whose name the table holds by its value, in one pass
// from left to right (values are not expanded again). An unknown name, and an
// opening brace without a closing one (whatever follows it), stay as they
// are. Returns true.
bool ExpandPlaceholders(std::string& text, const TSuchTabelle& table);

// Upper case of Windows-1252 text (letters with accents included; "ß" and
// characters without an upper-case form in the code page stay).
std::string AnsiUpperCase(const std::string& text);
