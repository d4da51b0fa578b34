#pragma once
// One run at a time: what a command that would start a run (an export, print, mail or
// Crop All run) says, before it touches anything, while another run is under way.
#include <QString>

inline QString Run_Under_Way_Text()
{
    return QStringLiteral("Another export, print, mail or cropping run is in progress. "
                          "Please wait until it has finished.");
}
