#pragma once
// The visitor entry panels with their desk (PanelDesk.h) whose add-to-database button
// records into the visitor database through a visitor record desk.
#include "PanelDesk.h"
#include "Visitor_Record_Desk.h"

struct RecordingDesk : PanelDesk {
    Visitor_Record_Desk recordDesk{document, asLoaded(), &window, {}};
    RecordingDesk()
    {
        record = [this] { recordDesk.Add_Visitor_Record_To_DB(Front_Profile_Panel_OBJ, Back_Profile_Panel_OBJ); };
    }
};
