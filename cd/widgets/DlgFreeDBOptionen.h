#pragma once
// "Optionen" of the disc lookup: the HTTP proxy (server, port, user and
// password) and the CDDB server from a list, which can be downloaded again
// from the service. OK writes everything to the settings; cancel nothing.

#include "foundation/widgets/LocalizerForm.h"

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TDlgFreeDBOptionen : public TLocalizerDialog {
    Q_OBJECT
public:
    explicit TDlgFreeDBOptionen(QWidget* parent = nullptr);

    void LoadFromSettings();
    void SaveToSettings();
    // The proxy fields can be edited only with the proxy in use.
    void chProxyserverClick();
    // Asks the default server for its list and offers its HTTP servers.
    void BtnServerlisteClick();
    // Keeps the answer as "sites.txt" and offers its HTTP servers, unless it
    // names none.
    void ApplySiteList(const std::vector<std::string>& answer);
    // The server lines of the box, in order.
    std::vector<std::string> ServerLines() const;
    std::string SelectedServerLine() const;

    QGroupBox* GroupBox1;
    QCheckBox* chProxyserver;
    QLabel* lblProxyServer;
    QLineEdit* edProxyServer;
    QLabel* lblProxyPort;
    QLineEdit* edProxyPort;
    QLabel* lblProxyUsername;
    QLineEdit* edProxyUsername;
    QLabel* lblProxyPassword;
    QLineEdit* edProxyPassword;
    QGroupBox* GroupBox2;
    QLabel* lblServer;
    QComboBox* cbServer;
    QPushButton* BtnServerliste;
    QLabel* lblDienst;
    QPushButton* BtnOK;
    QPushButton* BtnAbbrechen;

private:
    void SetServerLines(const std::vector<std::string>& lines);
};
