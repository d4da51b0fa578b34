// The e-mail commands (the windows and the sending are the output library's): here the
// design is handed to them: the counts and card N come from the value engine, the
// current sides are rendered as they stand.
#include "CardValueEngine.h"
#include "Mail_Desk.h"
#include "SKTGraphicList.h"
#include "SKTWindowController.h"
#include "Mail_Card_Source.h"

#include <QAction>
#include <QMainWindow>

namespace {
class Window_Mail_Cards final : public Mail_Card_Source {
public:
    explicit Window_Mail_Cards(SKTWindowController &controller) : c(controller) {}
    bool Two_Sided() const override { return c.document.Front_card_Prop.Card_Side() == QLatin1String("2"); }
    bool Visitor_Mode() const override { return c.document.Start_Card_Option == Card_Mode::Visitor; }
    Mail_Card_Counts Check_Series_Or_Excel_Use_or_not() override
    {
        CardValueEngine &engine = c.Value_Engine();
        engine.Check_Series_Or_Excel_Use_or_not(c.document);
        return {engine.Use_Data_Sheet_Values(), engine.Use_Excel_Binding_Values(), engine.Data_table_rows(),
                engine.Excel_table_rows()};
    }
    RenderedSide Current_Side(int side) override
    {
        const SKTGraphicList &list = side == 1 ? c.Get_Back_Controls_Array() : c.Get_Front_Controls_Array();
        const Card_Property &prop = side == 1 ? c.document.Back_card_Prop : c.document.Front_card_Prop;
        // In group mode the side not shown goes with the selected person.
        const std::shared_ptr<SideCopy> filled = side != c.document.currentSide() ? c.Group_Side_Not_Shown_Filled() : nullptr;
        return Render_Side_Picture(filled ? filled->controls : list.items(), c.frontCardBounds(), &prop,
                                   Application_Render_Resources(c.pictureAdjuster));
    }
    bool Begin_Batch_Run() override
    {
        m_guard = c.Begin_Batch_Run(false);
        m_engine = m_guard ? &c.Value_Engine() : nullptr;
        return m_guard != nullptr;
    }
    // The engine makes card N from the run's snapshot: safe on the sending thread.
    RenderedSide Card_Side(int card, int side) override
    {
        return m_engine ? m_engine->Set_data_table_value_to_card(card, side == 1 ? Card_Side::Back : Card_Side::Front)
                        : RenderedSide();
    }
    void End_Batch_Run() override
    {
        m_engine = nullptr;
        m_guard.reset();
    }

private:
    SKTWindowController &c;
    std::unique_ptr<BatchRunGuard> m_guard;
    CardValueEngine *m_engine = nullptr;
};
} // namespace

Mail_Desk &SKTWindowController::mailDesk()
{
    if (!m_mailDesk) {
        m_mailCards = std::make_unique<Window_Mail_Cards>(*this);
        m_mailDesk = std::make_unique<Mail_Desk>(*m_mailCards, ui.window, modalRunner, &runPool);
    }
    return *m_mailDesk;
}

void SKTWindowController::connectMailCommands()
{
    if (QAction *a = ui.command(QStringLiteral("Mail")))
        connect(a, &QAction::triggered, this, [this] { mailDesk().Mail_Clicked(); });
    if (QAction *a = ui.command(QStringLiteral("MailSettings")))
        connect(a, &QAction::triggered, this, [this] { mailDesk().Email_Settings_Clicked(); });
}
