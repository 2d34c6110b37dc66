#include "document/KroxaJetztKaufenList.h"

#include "document/Etikett.h"
#include "document/WpsCsvParser.h"
#include "foundation/Codepage1252.h"
#include "foundation/Debug.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QFileInfo>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>

#include <algorithm>

namespace {

constexpr const char* kShopLinkFile = "artikel.csv";
constexpr const char* kBuiltInShopLinkFile = ":/data/artikel.csv";

}  // namespace

TKroxaJetztKaufenList::TKroxaJetztKaufenList(const QString& fileName) {
    Load(fileName);
}

void TKroxaJetztKaufenList::Load(const QString& fileName) {
    entries_.clear();
    if (!QFileInfo::exists(fileName)) return;
    TwpsCsvParser parser;
    parser.SetSeparatorKind(kCsvSeparatorSemicolon);
    parser.Open(fileName);
    while (parser.ReadRecord()) {
        const std::vector<std::string>& fields = parser.Fields();
        if (fields.size() == 2) entries_.emplace_back(fields[0], fields[1]);
    }
}

std::string TKroxaJetztKaufenList::GetLink(const std::string& article) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const auto& entry) { return SameTextAscii(entry.first, article); });
    return found == entries_.end() ? std::string() : found->second;
}

QString ShopLinkFilePath() {
    const QString own = GetProgramFolder() + QLatin1String(kShopLinkFile);
    return QFileInfo::exists(own) ? own : QString::fromLatin1(kBuiltInShopLinkFile);
}

TKroxaJetztKaufenList& KroxaJetztKaufenList() {
    static TKroxaJetztKaufenList* list = [] {
        const QString path = ShopLinkFilePath();
        Debug().Log(path);
        return new TKroxaJetztKaufenList(path);
    }();
    return *list;
}

std::string ShopLinkOfSheet(const TEtikett& sheet, const TKroxaJetztKaufenList& list) {
    std::string link = list.GetLink(sheet.GetNameFirstWord());
    if (link.size() < TKroxaJetztKaufenList::kMinShownLinkLength) link.clear();
    return link;
}

bool IsOpenableShopLink(const std::string& link) {
    const QUrl url(AnsiToUnicode(link), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool OpenShopLink(const std::string& link) {
    if (!IsOpenableShopLink(link)) return false;
    return QDesktopServices::openUrl(QUrl(AnsiToUnicode(link), QUrl::StrictMode));
}
