#pragma once
// The output desk as the tests build it: a design set up as a new main window sets it
// up (mode "V", the default card), a host answering what the desk asks of the window
// with the design's card values over the series folder (as the window has them), a
// parent window and a scripted runner.
#include "CardControls.h"
#include "AsLoadedAdjuster.h"
#include "CardValueEngine.h"
#include "CardValues.h"
#include "Globals.h"
#include "Helpers.h"
#include "Output_Host.h"
#include "RenderResources.h"
#include "Run_Desk.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "ScriptedRunner.h"

#include <QAction>
#include <QThreadPool>
#include <QWidget>

namespace testsupport {

// The window's side of the desk: the run frame over the design's card values, the
// group-mode person the test gives, the export command as an action of its own, and
// what the desk told it.
struct Desk_Host final : Output_Host {
    explicit Desk_Host(SKTDocument &doc) : document(doc) {}
    SKTDocument &document;
    Card_Values values{document, [] { return Data_Folder_Path; }};
    QAction exportCommand{QStringLiteral("Export")};
    int printEndedOnSide = -1;
    // What group mode would give: the side not shown filled for the selected person.
    std::shared_ptr<SideCopy> notShownFilled;

    void Take_Typing() override {}
    CardValueEngine &Value_Engine() override { return values.Engine(); }
    std::unique_ptr<BatchRunGuard> Begin_Batch_Run(bool holdRedraw) override
    {
        return values.Begin_Batch_Run(Application_Render_Resources(asLoaded()), holdRedraw, {});
    }
    std::shared_ptr<SideCopy> Side_Not_Shown_Filled() const override { return notShownFilled; }
    void Export_Command_Enabled(bool enabled) override { exportCommand.setEnabled(enabled); }
    void Print_Run_Ended(int side) override { printEndedOnSide = side; }
    void Refresh_Canvas() override {}
};

// The application's folders exist before anything reads their paths.
struct Folders_Made {
    Folders_Made() { Check_Path_And_Create_Files(); }
};

struct Desk : Folders_Made {
    SKTDocument document;
    Desk_Host host{document};
    ScriptedRunner runner;
    QWidget window;
    Run_Desk desk{document, host, asLoaded(), &window, &runner, QThreadPool::globalInstance()};

    Desk()
    {
        document.Start_Card_Option = Card_Mode::Visitor;
        setCardSize(SKTDocument::canvasSize(true, QSizeF()));
    }
    // Both sides' card, as the card size commands give it to a design without controls.
    void setCardSize(QSizeF points)
    {
        for (Card_Property *prop : {&document.Front_card_Prop, &document.Back_card_Prop}) {
            prop->setCard_Location(QPointF(0, 0));
            prop->setCard_Size(points);
        }
    }
    SKTGraphicList &front() { return document.graphics(); }
    SKTGraphicList &back() { return document.graphics_back(); }
    SKTGraphic *top(SKTGraphicList &side) { return side.isEmpty() ? nullptr : side.at(0).get(); }
    GraphicPtr add(SKTGraphicList &side, GraphicKind kind, QRectF r) { return testsupport::addControl(side, kind, r); }
};

} // namespace testsupport
