#pragma once
// Program entry: sets up the application object, the paths and the document, then
// runs the event loop. Returns the event loop's result. The adjuster makes the shown
// pictures of image controls everywhere in the run. A design file among the
// arguments (a desktop passes one for "%f") opens at once, instead of the start gallery.
#include <QString>
#include <QStringList>

struct PictureAdjuster;
int App_Main(int argc, char **argv, const PictureAdjuster &adjuster);

// The design file the program is given: the first argument after the program's own
// name that is not an option, as an absolute path against `currentFolder`; "" for none.
QString Design_Path_From_Arguments(const QStringList &arguments, const QString &currentFolder);
