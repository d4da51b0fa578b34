#pragma once
#include <functional>

// True when called on the GUI thread (or when no application object exists yet).
bool Is_Gui_Thread();
// Runs the function on the GUI thread and waits until it has returned.
void Run_On_Gui_Thread_And_Wait(const std::function<void()> &work);
