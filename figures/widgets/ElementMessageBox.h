#pragma once
// Shows the element reader's "IDS_INVALIDELEMENT" in an error message box
// (see figures/FigureFactory.h); the application calls it once at start-up.
void InstallElementMessageBox();
