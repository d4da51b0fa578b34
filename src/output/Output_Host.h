#pragma once
// What the output runs (export, print, mail) ask of the window that starts them: the
// value engine of the design and the frame of a run, the person shown in group mode,
// the export command, and the side shown after a print run. The main window implements
// it; the output library never reaches above itself.
#include "CardValueEngine.h"

#include <memory>

class Output_Host {
public:
    virtual ~Output_Host() = default;
    // What is typed into a box of the window and not yet on the card is written now: every
    // command of the desk calls it before it takes anything of the design.
    virtual void Take_Typing() = 0;
    // The value engine over the series folder of the moment.
    virtual CardValueEngine &Value_Engine() = 0;
    // Starts a batch run: the counts and the backup are taken; the design is put back
    // and the working side reset when the guard ends. Null while another run is active.
    virtual std::unique_ptr<BatchRunGuard> Begin_Batch_Run(bool holdRedraw) = 0;
    // In group mode with a selected person: a copy of the side not shown filled from that
    // person's row (the live design untouched); null otherwise.
    virtual std::shared_ptr<SideCopy> Side_Not_Shown_Filled() const = 0;
    // The export command is offered (false while a batch export runs).
    virtual void Export_Command_Enabled(bool enabled) = 0;
    // A print run ended: `side` (the side shown when it began) is shown again, the
    // working side follows it and the property pane shows no control.
    virtual void Print_Run_Ended(int side) = 0;
    // The card views draw the design again (its controls took new values).
    virtual void Refresh_Canvas() = 0;
};
