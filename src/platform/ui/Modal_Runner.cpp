#include "Modal_Runner.h"

#include <QDialog>

int Modal_Runner::run(QDialog &window) { return window.exec(); }

int Run_Modal(Modal_Runner *runner, QDialog &window) { return runner ? runner->run(window) : window.exec(); }
