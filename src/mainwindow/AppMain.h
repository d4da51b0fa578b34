#pragma once
// Program entry: sets up the application object, the paths and the document, then
// runs the event loop. Returns the event loop's result. The adjuster makes the shown
// pictures of image controls everywhere in the run; the pool is the application's one
// pool, which the pictures and every output run (export, print, mail, Crop All) work on.
struct PictureAdjuster;
class QThreadPool;
int App_Main(int argc, char **argv, const PictureAdjuster &adjuster, QThreadPool &pool);
