#pragma once
// The shop links of label articles: for an article number, the web page
// where that stationery can be bought. The table is the file "artikel.csv",
// one row per article: the article and the link, separated by ";", no header;
// rows with another number of fields are skipped. A file "artikel.csv" in the
// program folder is used when there is one, else the program's own copy.
//
// The document window shows the shop picture for a sheet whose article has a
// link of more than seven characters and opens the link when it is clicked.

#include <QtCore/QString>

#include <string>
#include <utility>
#include <vector>

class TEtikett;

class TKroxaJetztKaufenList {
public:
    // Links of up to this many characters show no shop picture.
    static constexpr size_t kMinShownLinkLength = 8;

    explicit TKroxaJetztKaufenList(const QString& fileName);
    // Reads the file anew; a missing file gives an empty list. Errors while
    // opening or reading an existing file pass to the caller.
    void Load(const QString& fileName);
    // The link of the first entry whose article equals the given one without
    // regard to letter case; empty when there is none.
    std::string GetLink(const std::string& article) const;
    // The article and link of every entry, in file order.
    const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

private:
    std::vector<std::pair<std::string, std::string>> entries_;
};

// The file the list is read from: "artikel.csv" in the program folder when it
// exists, else the copy compiled into the program.
QString ShopLinkFilePath();
// The program's one list, read on first use (the path goes to the trace).
TKroxaJetztKaufenList& KroxaJetztKaufenList();
// The link the sheet's shop picture opens: the link of the first word of the
// sheet's name, empty when it is not longer than seven characters.
std::string ShopLinkOfSheet(const TEtikett& sheet, const TKroxaJetztKaufenList& list);
// True for links the desktop may open from the shop picture: http and https only.
bool IsOpenableShopLink(const std::string& link);
// Opens an openable link with the desktop's web browser; false for any other
// link or when the desktop cannot open it.
bool OpenShopLink(const std::string& link);
