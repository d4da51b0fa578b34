#pragma once
// The widget side of the platform seams: message boxes (QMessageBox), open and save
// panels (QFileDialog) and the desktop's default application (QDesktopServices).
#include <QStringList>

// Registers the three presenters; the application calls it once at start-up.
void Install_Widget_Presenters();

class QFileDialog;
// Gives a save panel one name filter per extension ("xlsx (*.xlsx)"), that of `selected`
// selected (the first when it is none of them); choosing a filter renames the typed name
// to that extension.
void Setup_Save_Format_Choice(QFileDialog &panel, const QStringList &extensions, const QString &selected = {});
