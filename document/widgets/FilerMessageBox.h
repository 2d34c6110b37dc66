#pragma once
// Shows the message of a load that skipped damaged places in a message box
// with an OK button (installed once, at start-up).
void InstallFilerMessageBox();
