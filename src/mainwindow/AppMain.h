#pragma once
// Program entry: sets up the application object, the paths and the document, then
// runs the event loop. Returns the event loop's result. The adjuster makes the shown
// pictures of image controls everywhere in the run; the pool is the application's one
// pool, which the pictures and every output run (export, print, mail, Crop All) work on.
// A design file among the arguments (a desktop passes one for "%f") opens at once,
// instead of the start gallery.
#include <QString>
#include <QStringList>

struct PictureAdjuster;
class QThreadPool;
int App_Main(int argc, char **argv, const PictureAdjuster &adjuster, QThreadPool &pool);

// The design file the program is given: the first argument after the program's own
// name that is not an option, as an absolute path against `currentFolder`; "" for none.
QString Design_Path_From_Arguments(const QStringList &arguments, const QString &currentFolder);
