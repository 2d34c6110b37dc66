#include "cd/widgets/CddbDialogs.h"

#include "cd/lookup/CDDBConnect.h"
#include "cd/widgets/DlgFreeDBMultiMatch.h"

#include <QtWidgets/QApplication>

void InstallCddbDialogs() {
    SetCddbMatchChooser([](const std::vector<std::string>& matches) { return ChooseCddbMatch(matches, QApplication::activeWindow()); });
}
