#pragma once
// String helpers of the tree control: a case-blind comparison by the
// user's locale, and currency texts as fixed-point values for sorting.

#include <cstdint>
#include <string>

// True when the user's locale, ignoring letter case, finds both equal.
bool TextEqualsNoCase(const std::string& a, const std::string& b);

// A currency text such as "-1.234,50 €" as the amount times 10000 (at most
// four decimals are taken). The locale's currency symbol is skipped, its
// thousands separator too; its decimal separator, or "," or "." where that
// is not the thousands separator, starts the decimals; "(" or "-" make the
// amount negative. The walk stops at the first other character that is not
// a blank, at a second decimal separator, or at a sign or currency symbol
// after the digits. An empty text gives 0.
int64_t CurrencyTextToValue(const std::string& text);
