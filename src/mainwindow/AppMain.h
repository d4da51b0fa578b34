#pragma once
// Program entry: sets up the application object, the paths and the document, then
// runs the event loop. Returns the event loop's result.
int App_Main(int argc, char **argv);
