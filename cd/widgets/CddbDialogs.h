#pragma once
// Installs the windows that the disc lookup asks for (the choice between
// several matches); the figure dialogs install it at start-up.
void InstallCddbDialogs();
