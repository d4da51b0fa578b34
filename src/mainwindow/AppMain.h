#pragma once
// Program entry: sets up the application object, the paths and the document, then
// runs the event loop. Returns the event loop's result. The adjuster makes the shown
// pictures of image controls everywhere in the run.
struct PictureAdjuster;
int App_Main(int argc, char **argv, const PictureAdjuster &adjuster);
