#pragma once
// Installs the dialogs that figures open (see figures/FigureDialogs.h);
// the application calls it once at start-up.
void InstallFigureDialogs();
