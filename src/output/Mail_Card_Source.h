#pragma once
// What the card mailing window asks of the open design. The output desk (Run_Desk)
// implements it over the design and its value engine; tests give the window cards of
// their own.
#include "RenderedSide.h"

struct Mail_Card_Counts {
    bool useSeries = false;  // some control takes its value from a series
    bool useExcel = false;   // some control takes its value from a spreadsheet column
    int seriesRows = 0;      // values of the longest series in use
    int excelRows = 0;       // rows of the spreadsheet source
};

class Mail_Card_Source {
public:
    virtual ~Mail_Card_Source() = default;
    virtual bool Two_Sided() const = 0;
    // Visitor mode: the card is the visitor's; no batch is offered.
    virtual bool Visitor_Mode() const = 0;
    // An output run is under way (its cards are made from the values a recount would
    // change): the mailing window then starts nothing (GUI thread).
    virtual bool Run_Under_Way() = 0;
    // Recomputes the use flags and the counts (GUI thread).
    virtual Mail_Card_Counts Check_Series_Or_Excel_Use_or_not() = 0;
    // Side 0 (front) or 1 (back) of the design as it is now (GUI thread).
    virtual RenderedSide Current_Side(int side) = 0;
    // Starts a batch run whose cards take values only from the sources chosen: the
    // design is backed up (GUI thread). False (the user told) while another output run
    // is active.
    virtual bool Begin_Batch_Run(bool series, bool excel) = 0;
    // During a batch run, on any thread: card N (from 0) of the side, filled and
    // rendered from the backup; a null side when it cannot be made.
    virtual RenderedSide Card_Side(int card, int side) = 0;
    // Ends the batch run: the design is as it was before it (GUI thread).
    virtual void End_Batch_Run() = 0;
};
