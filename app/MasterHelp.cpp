// The help menu, the help panel at the right edge and the links of its pages.

#include "app/Master.h"

#include "app/ExceptionHandler.h"
#include "app/HelpLinks.h"
#include "app/MessageBoxes.h"
#include "app/SpeedButton.h"

#include "foundation/Exceptions.h"
#include "foundation/Localizer.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QUrl>
#include <QtGui/QAction>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QTextBrowser>
#include <QtWidgets/QToolButton>

namespace {

constexpr int kHelpPanelWidth = 400;
constexpr int kHelpTitleHeight = 22;

// The catalogue items and the keys of their file names, in menu order.
constexpr std::pair<const char*, const char*> kCatalogueItems[] = {
    {"mnuKroxaVisitenkartenKatalog", "VisitenkartenPDF"},
    {"mnuKroxaVisitenkartenzubehoerKatalog", "VisitenkartenzubehörPDF"},
    {"mnuKroxaVisitenkartenAccesoires", "VisitenkartenAccessoiresPDF"},
    {"mnuKroxaEtiketten", "EtikettenPDF"},
    {"mnuKroxaProspekthalter", "ProspekthalterPDF"},
    {"mnuKroxaWeihnachtsartikel", "WeihnachtenPDF"},
};

// The address of a clicked link as the page wrote it: the panel hands links
// to pages beside the shown one over as full file addresses.
QString HotSpotAddress(const QUrl& link) {
    if (!link.isLocalFile()) return link.toString();
    QString address = QFileInfo(link.toLocalFile()).fileName();
    if (link.hasQuery()) address += QLatin1Char('?') + link.query(QUrl::FullyEncoded);
    return address;
}

}  // namespace

void TMaster::BuildHelpPanel() {
    panHTMLView_ = new QFrame(panRight_);
    panHTMLView_->setObjectName(QStringLiteral("panHTMLView"));
    auto* title = new QLabel(QStringLiteral("Interaktive Hilfe"), panHTMLView_);
    title->setObjectName(QStringLiteral("panHTMLHelpTitle"));
    title->setIndent(4);
    title->setAutoFillBackground(true);
    title->setBackgroundRole(QPalette::Mid);
    helpTitle_ = title;
    auto* close = new QToolButton(title);
    close->setObjectName(QStringLiteral("ImgSchliessen"));
    close->setIcon(QIcon(QStringLiteral(":/icons/imgschliessen.svg")));
    close->setAutoRaise(true);
    close->setFixedSize(18, 18);
    helpViewer_ = new QTextBrowser(panHTMLView_);
    helpViewer_->setObjectName(QStringLiteral("HTMLViewer"));
    // Every link goes through HTMLViewerHotSpotClick first.
    helpViewer_->setOpenLinks(false);
    panHTMLView_->hide();
    panRight_->installEventFilter(this);
    title->installEventFilter(this);
}

void TMaster::ConnectHelpCommands() {
    connect(MenuItem("mnuAnleitung"), &QAction::triggered, this, [this] {
        try {
            mnuAnleitungClick();
        } catch (...) {
            ShowApplicationException(std::current_exception());
        }
    });
    connect(MenuItem("mnuHilfeWizzard"), &QAction::triggered, this, [this] { ToggleHelpPanel(); });
    connect(Button("BtnHTMLHelp"), &QToolButton::clicked, this, [this] { ToggleHelpPanel(); });
    connect(findChild<QToolButton*>(QStringLiteral("ImgSchliessen")), &QToolButton::clicked, this, [this] { ImgSchliessenClick(); });
    connect(MenuItem("mnuKroxaNuetzlicheTipps"), &QAction::triggered, this, [this] { ShowTipPage(); });
    connect(MenuItem("mnuKroxaKeineTippsAnzeigen"), &QAction::triggered, this, [this] { mnuKroxaKeineTippsAnzeigenClick(); });
    for (const auto& [item, key] : kCatalogueItems)
        connect(MenuItem(item), &QAction::triggered, this, [this, key = key] { OpenCatalogue(key); });
    connect(findChild<QMenu*>(QStringLiteral("mnuKroxaNewsUpdates"))->menuAction(), &QAction::triggered, this,
            [this] { mnuKroxaNewsUpdatesClick(); });
    connect(helpViewer_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        bool handled = false;
        HTMLViewerHotSpotClick(HotSpotAddress(link), handled);
        if (!handled) helpViewer_->setSource(helpViewer_->source().resolved(link));
    });
}

// ---- manuals and documents

QString TMaster::FindManualFile() const {
    return ::FindManualFile(helpFolder_, ProgramBaseName(), Localizer().GetLanguageCode());
}

bool TMaster::OpenWithDesktop(const QString& path) { return urlOpener_(QUrl::fromLocalFile(path)); }

void TMaster::mnuAnleitungClick() {
    const QString manual = FindManualFile();
    if (!QFileInfo(manual).isFile()) throw Exception(LocalizedText("IDS_NOPDFFILE"));
    if (!OpenWithDesktop(manual)) ShowMessageBox(TMessageKind::Error, LocalizedText("IDS_NOACROBAT"), this);
}

bool TMaster::OpenPdfFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        ShowMessageBox(TMessageKind::Error, LocalizedFormat("IDS_HELPFILEMISSING", {QDir::toNativeSeparators(path)}), this);
        return false;
    }
    if (!OpenWithDesktop(path)) ShowMessageBox(TMessageKind::Error, LocalizedText("IDS_NOACROBAT"), this);
    return true;
}

// What the language names under the key of its "KroxaKatalog" section;
// empty when it names nothing there.
static QString CatalogueText(const char* key) {
    QString text;
    Localizer().FindLanguageText(QStringLiteral("KroxaKatalog"), QString::fromUtf8(key), text);
    return text;
}

void TMaster::OpenCatalogue(const char* key) {
    const QString name = CatalogueText(key);
    if (!name.isEmpty()) OpenPdfFile(helpFolder_ + name);
}

void TMaster::mnuKroxaNewsUpdatesClick() {
    const QString address = CatalogueText("AktuelleNewsUndUpdatesLink");
    if (!address.isEmpty()) urlOpener_(QUrl(address));  // a browser that does not start is not reported
}

// ---- the help panel

void TMaster::InitHelpPanel() { ShowHelpPanel(false); }

QString TMaster::HelpPage(const QString& page) const {
    return HelpPagePath(helpFolder_, Localizer().GetLanguageCode(), page);
}

void TMaster::ShowHelpPanel(bool visible) {
    helpVisible_ = visible;
    MenuItem("mnuHilfeWizzard")->setChecked(visible);
    Button("BtnHTMLHelp")->SetDown(visible);
    panRight_->setFixedWidth(visible ? kHelpPanelWidth : kColorStripWidth + 2);
    panHTMLView_->setVisible(visible);
    if (!visible) return;
    panRightResize();
    const QString start = HelpPage(QStringLiteral("index.htm"));
    if (QFileInfo(start).isFile()) {
        helpViewer_->setSource(QUrl::fromLocalFile(start));
    } else {
        helpViewer_->setHtml(QStringLiteral("<p>%1</p>").arg(LocalizedFormat("IDS_HELPFILEMISSING", {QDir::toNativeSeparators(start)}).toHtmlEscaped()));
    }
}

void TMaster::ToggleHelpPanel() {
    ShowHelpPanel(!helpVisible_);
    Settings().WriteBool("", "HelpVisible", helpVisible_);
}

void TMaster::ImgSchliessenClick() {
    ShowHelpPanel(false);
    Settings().WriteBool("", "HelpVisible", helpVisible_);
}

void TMaster::ShowHelpPageInLanguage() {
    if (!helpVisible_ || !helpViewer_) return;
    const QString page = HelpPage(QFileInfo(helpViewer_->source().toLocalFile()).fileName());
    if (QFileInfo(page).isFile()) {
        helpViewer_->setSource(QUrl::fromLocalFile(page));
    } else {
        ShowHelpPanel(true);
    }
}

bool TMaster::ShowHelpPage(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        ShowMessageBox(TMessageKind::Error, LocalizedFormat("IDS_HELPFILEMISSING", {QDir::toNativeSeparators(path)}), this);
        return false;
    }
    if (!helpVisible_) ShowHelpPanel(true);
    helpViewer_->setSource(QUrl::fromLocalFile(path));
    return true;
}

void TMaster::panRightResize() {
    const int left = kColorStripWidth + 4;
    panHTMLView_->setGeometry(left, 0, panRight_->width() - left, panRight_->height());
    helpTitle_->setGeometry(0, 0, panHTMLView_->width(), kHelpTitleHeight);
    helpViewer_->setGeometry(0, kHelpTitleHeight, panHTMLView_->width(), std::max(0, panHTMLView_->height() - kHelpTitleHeight));
}

void TMaster::panHTMLHelpTitleResize() {
    QWidget* close = helpTitle_->findChild<QWidget*>(QStringLiteral("ImgSchliessen"));
    close->move(helpTitle_->contentsRect().width() - close->width() - 2, 2);
}

void TMaster::HTMLViewerHotSpotClick(const QString& address, bool& handled) {
    if (address.startsWith(QLatin1String("intern"), Qt::CaseInsensitive)) {
        try {
            mnuAnleitungClick();
        } catch (...) {
            ShowApplicationException(std::current_exception());
        }
        handled = true;
    } else if (address.startsWith(QLatin1String("http"), Qt::CaseInsensitive)) {
        urlOpener_(QUrl(address));
        handled = true;
    } else if (address.startsWith(QLatin1String("redir.htm"), Qt::CaseInsensitive)) {
        ShowHelpPage(HelpPage(TipPageName(TipPageAfter(address, GetTipPageCount()))));
        handled = true;
    }
}

// ---- tips

void TMaster::ShowTipPage() { ShowHelpPage(HelpPage(TipPageName(0))); }

int TMaster::GetTipPageCount() const {
    int count = 0;
    while (QFileInfo(HelpPage(TipPageName(count + 1))).isFile()) ++count;
    return std::max(count, 1);
}

void TMaster::mnuKroxaKeineTippsAnzeigenClick() {
    QAction* item = MenuItem("mnuKroxaKeineTippsAnzeigen");
    Settings().WriteBool("", "Keine Tipps Anzeigen", item->isChecked());
}
