// The export, print and mail commands of the main window: the output library's desk
// does the work over the design; this file gives it what it asks of the window and
// wires the commands to it.
#include "CardValueEngine.h"
#include "Mail_Desk.h"
#include "Output_Host.h"
#include "Run_Desk.h"
#include "SKTWindowController.h"

#include <QAction>
#include <QMainWindow>

class SKTWindowController::Window_Output_Host final : public Output_Host {
public:
    explicit Window_Output_Host(SKTWindowController &controller) : c(controller) {}
    void Take_Typing() override { c.Take_Typing(); }
    CardValueEngine &Value_Engine() override { return c.Value_Engine(); }
    std::unique_ptr<BatchRunGuard> Begin_Batch_Run(bool holdRedraw) override { return c.Begin_Batch_Run(holdRedraw); }
    std::shared_ptr<SideCopy> Side_Not_Shown_Filled() const override { return c.Group_Side_Not_Shown_Filled(); }
    void Export_Command_Enabled(bool enabled) override
    {
        if (QAction *a = c.ui.command(QStringLiteral("Export"))) a->setEnabled(enabled);
    }
    void Print_Run_Ended(int side) override
    {
        if (c.document.currentSide() != side) c.changeViewController(side);
        c.Refresh_Canvas();
        c.Show_RHS_Properties(nullptr);
    }
    void Refresh_Canvas() override { c.Refresh_Canvas(); }

private:
    SKTWindowController &c;
};

Run_Desk &SKTWindowController::runDesk()
{
    if (!m_runDesk) {
        m_outputHost = std::make_unique<Window_Output_Host>(*this);
        m_runDesk = std::make_unique<Run_Desk>(document, *m_outputHost, pictureAdjuster, ui.window, modalRunner, &runPool);
    }
    return *m_runDesk;
}

Mail_Desk &SKTWindowController::mailDesk() { return runDesk().mailDesk(); }

void SKTWindowController::connectOutputCommands()
{
    if (QAction *a = ui.command(QStringLiteral("Print")))
        connect(a, &QAction::triggered, this, [this] { runDesk().Print_Button(); });
    if (QAction *a = ui.command(QStringLiteral("Mail")))
        connect(a, &QAction::triggered, this, [this] { runDesk().Mail_Clicked(); });
    if (QAction *a = ui.command(QStringLiteral("MailSettings")))
        connect(a, &QAction::triggered, this, [this] { mailDesk().Email_Settings_Clicked(); });
}
