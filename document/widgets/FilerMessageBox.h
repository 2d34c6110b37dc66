#pragma once
// Shows the wrong-tag messages of the tagged value stream in a plain message
// box with an OK button (once, at start-up).
void InstallFilerMessageBox();
