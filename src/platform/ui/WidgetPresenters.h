#pragma once
// The widget side of the platform seams: message boxes (QMessageBox), open and save
// panels (QFileDialog) and the desktop's default application (QDesktopServices).

// Registers the three presenters; the application calls it once at start-up.
void Install_Widget_Presenters();
