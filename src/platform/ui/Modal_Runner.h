#pragma once
// How a window runs modally. The application runs each window with exec(); a window
// is given the runner of the window that opens it, so a test can give the main window
// a runner that answers the windows opened from it.
class QDialog;

class Modal_Runner {
public:
    virtual ~Modal_Runner() = default;
    // Runs the window until it closes and returns its result code.
    virtual int run(QDialog &window);
};

// Runs the window with the given runner, or with exec() without one.
int Run_Modal(Modal_Runner *runner, QDialog &window);
