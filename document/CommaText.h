#pragma once
// Comma texts: a list of strings joined by commas, as the sheet definition
// keeps them in the settings and behind the article of its file block.
//
// Joining quotes an item that holds a blank, a control character, a double
// quote or a comma ("a b" becomes "\"a b\"", inner quotes doubled); a single
// empty item is written as two quotes. Splitting skips blanks between items;
// an unquoted item ends at a comma or a blank; a quoted item ends at its
// closing quote (doubled quotes inside stand for one); a comma at the very end
// adds an empty item.

#include <string>
#include <string_view>
#include <vector>

std::string JoinCommaText(const std::vector<std::string>& items);
std::vector<std::string> SplitCommaText(std::string_view text);

// The value of the first "name=value" item whose name equals name without
// regard to letter case (ASCII); empty when there is none.
std::string CommaTextValue(const std::vector<std::string>& items, std::string_view name);
