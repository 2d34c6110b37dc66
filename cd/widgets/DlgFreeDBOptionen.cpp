#include "cd/widgets/DlgFreeDBOptionen.h"

#include "cd/lookup/CDDBConnect.h"
#include "cd/lookup/CddbSettings.h"
#include "cd/widgets/ServiceCaption.h"
#include "controls/DialogButtons.h"
#include "foundation/Codepage1252.h"
#include "foundation/ZRRegIniFile.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace {

std::string Ansi(const QLineEdit* edit) { return UnicodeToAnsi(edit->text()); }

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return AnsiToUnicode(a).compare(AnsiToUnicode(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

TDlgFreeDBOptionen::TDlgFreeDBOptionen(QWidget* parent) : TLocalizerDialog(parent) {
    setWindowTitle(QStringLiteral("Optionen"));
    GroupBox1 = Named(new QGroupBox(QStringLiteral("Proxy"), this), "GroupBox1");
    chProxyserver = Named(new QCheckBox(QStringLiteral("ProxyServer verwenden"), GroupBox1), "chProxyserver");
    auto field = [this](QLabel*& label, QLineEdit*& edit, const char* labelName, const char* editName, const char* text) {
        label = Named(new QLabel(QString::fromUtf8(text), GroupBox1), labelName);
        edit = Named(new QLineEdit(GroupBox1), editName);
        MarkAsData(edit);
        label->setBuddy(edit);
    };
    field(lblProxyServer, edProxyServer, "lblProxyServer", "edProxyServer", "Proxyserver:");
    field(lblProxyPort, edProxyPort, "lblProxyPort", "edProxyPort", "Proxyport");
    field(lblProxyUsername, edProxyUsername, "lblProxyUsername", "edProxyUsername", "Username:");
    field(lblProxyPassword, edProxyPassword, "lblProxyPassword", "edProxyPassword", "Password:");
    edProxyPassword->setEchoMode(QLineEdit::Password);
    auto* proxy = new QFormLayout(GroupBox1);
    proxy->addRow(chProxyserver);
    proxy->addRow(lblProxyServer, edProxyServer);
    proxy->addRow(lblProxyPort, edProxyPort);
    proxy->addRow(lblProxyUsername, edProxyUsername);
    proxy->addRow(lblProxyPassword, edProxyPassword);

    GroupBox2 = Named(new QGroupBox(QStringLiteral("CDDB"), this), "GroupBox2");
    lblServer = Named(new QLabel(QStringLiteral("CDDB-Server:"), GroupBox2), "lblServer");
    cbServer = Named(new QComboBox(GroupBox2), "cbServer");
    MarkAsData(cbServer);
    cbServer->setMinimumWidth(320);
    BtnServerliste = Named(new QPushButton(QStringLiteral("Serverliste neu übertragen"), GroupBox2), "BtnServerliste");
    auto* server = new QVBoxLayout(GroupBox2);
    server->addWidget(lblServer);
    server->addWidget(cbServer);
    server->addWidget(BtnServerliste, 0, Qt::AlignRight);

    lblDienst = ServiceCaption(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addWidget(lblDienst, 0, Qt::AlignLeft);
    AddOkCancel(this, layout, BtnOK, BtnAbbrechen);
    disconnect(BtnOK, nullptr, this, nullptr);
    connect(BtnOK, &QPushButton::clicked, this, [this] {
        SaveToSettings();
        accept();
    });
    connect(chProxyserver, &QCheckBox::toggled, this, [this] { chProxyserverClick(); });
    connect(BtnServerliste, &QPushButton::clicked, this, [this] { BtnServerlisteClick(); });
    LoadFromSettings();
    chProxyserverClick();
}

void TDlgFreeDBOptionen::LoadFromSettings() {
    TZRRegIniFile& settings = Settings();
    chProxyserver->setChecked(settings.ReadBool(kCddbSection, "UseProxy", false));
    edProxyServer->setText(AnsiToUnicode(settings.ReadString(kCddbSection, "Proxyserver", "")));
    edProxyPort->setText(AnsiToUnicode(settings.ReadString(kCddbSection, "Proxyport", "")));
    edProxyUsername->setText(AnsiToUnicode(settings.ReadString(kCddbSection, "ProxyUser", "")));
    edProxyPassword->setText(AnsiToUnicode(DecodeProxyPassword(settings.ReadString(kCddbSection, "ProxyPWD", ""))));
    std::vector<std::string> lines = {DefaultServerLine()};
    std::vector<std::string> names;
    settings.ReadSection(kCddbSitesSection, names);
    for (const std::string& name : names) {
        const std::string line = settings.ReadString(kCddbSitesSection, name, "");
        if (!line.empty() && line.find(kDefaultCddbHost) == std::string::npos) lines.push_back(line);
    }
    SetServerLines(lines);
    const std::string chosen = settings.ReadString(kCddbSection, "Server", DefaultServerLine());
    for (size_t i = 0; i < lines.size(); ++i)
        if (SameTextIgnoringCase(lines[i], chosen)) cbServer->setCurrentIndex(static_cast<int>(i));
}

void TDlgFreeDBOptionen::SaveToSettings() {
    TZRRegIniFile& settings = Settings();
    settings.BeginUpdate();
    settings.WriteBool(kCddbSection, "UseProxy", chProxyserver->isChecked());
    settings.WriteString(kCddbSection, "Proxyserver", Ansi(edProxyServer));
    settings.WriteString(kCddbSection, "Proxyport", Ansi(edProxyPort));
    settings.WriteString(kCddbSection, "ProxyUser", Ansi(edProxyUsername));
    settings.WriteString(kCddbSection, "ProxyPWD", EncodeProxyPassword(Ansi(edProxyPassword)));
    settings.WriteString(kCddbSection, "Server", SelectedServerLine());
    settings.EraseSection(kCddbSitesSection);
    const std::vector<std::string> lines = ServerLines();
    for (size_t i = 0; i < lines.size(); ++i) settings.WriteString(kCddbSitesSection, std::to_string(101 + i), lines[i]);
    settings.EndUpdate();
}

void TDlgFreeDBOptionen::chProxyserverClick() {
    for (QLineEdit* edit : {edProxyServer, edProxyPort, edProxyUsername, edProxyPassword})
        edit->setEnabled(chProxyserver->isChecked());
}

void TDlgFreeDBOptionen::BtnServerlisteClick() {
    if (!EnsureInternetConnection()) return;
    TCDDBConnect connect;
    connect.LoadSettings();
    connect.Server = kDefaultCddbServer;
    connect.CGIPath = kDefaultCddbPath;
    ApplySiteList(connect.GetSites());
}

void TDlgFreeDBOptionen::ApplySiteList(const std::vector<std::string>& answer) {
    SaveSiteList(answer);
    const std::vector<std::string> lines = HttpServerLines(answer);
    if (lines.empty()) return;
    SetServerLines(lines);
    cbServer->setCurrentIndex(0);
}

void TDlgFreeDBOptionen::SetServerLines(const std::vector<std::string>& lines) {
    cbServer->clear();
    for (const std::string& line : lines)
        cbServer->addItem(AnsiToUnicode(ServerLineCaption(line)).trimmed(), QVariant(AnsiToUnicode(line)));
}

std::vector<std::string> TDlgFreeDBOptionen::ServerLines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < cbServer->count(); ++i) lines.push_back(UnicodeToAnsi(cbServer->itemData(i).toString()));
    return lines;
}

std::string TDlgFreeDBOptionen::SelectedServerLine() const {
    return cbServer->currentIndex() < 0 ? std::string() : UnicodeToAnsi(cbServer->currentData().toString());
}
