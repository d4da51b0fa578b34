// The desk itself and the e-mail commands: the card mailing window is given the
// design's cards, counts and sides; card N of a batch comes from the value engine.
#include "Run_Desk.h"

#include "Batch_Export.h"
#include "CardValueEngine.h"
#include "Mail_Desk.h"
#include "MessageBox.h"
#include "Output_Host.h"
#include "RenderResources.h"
#include "RunUnderWay.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"

class Run_Desk::Mail_Cards final : public Mail_Card_Source {
public:
    explicit Mail_Cards(Run_Desk &desk) : d(desk) {}
    bool Two_Sided() const override { return d.m_document.Front_card_Prop.Card_Side() == QLatin1String("2"); }
    bool Visitor_Mode() const override { return d.visitorMode(); }
    bool Run_Under_Way() override { return d.Export_Run_Active() || d.m_host.Value_Engine().isRunning(); }
    Mail_Card_Counts Check_Series_Or_Excel_Use_or_not() override { return d.Take_Counts(); }
    RenderedSide Current_Side(int side) override
    {
        const Card_Property &prop = side == 1 ? d.m_document.Back_card_Prop : d.m_document.Front_card_Prop;
        // In group mode the side not shown goes with the selected person.
        const std::shared_ptr<SideCopy> filled =
            side != d.m_document.currentSide() ? d.m_host.Side_Not_Shown_Filled() : nullptr;
        return Render_Side_Picture(d.Output_Side(side, filled), d.m_document.cardBounds(), &prop,
                                   Application_Render_Resources(d.m_adjuster));
    }
    bool Begin_Batch_Run(bool series, bool excel) override
    {
        m_guard = d.m_host.Begin_Batch_Run(false);
        m_engine = m_guard ? &d.m_host.Value_Engine() : nullptr;
        if (m_engine) m_engine->Use_Only_Sources(series, excel);
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
    Run_Desk &d;
    std::unique_ptr<BatchRunGuard> m_guard;
    CardValueEngine *m_engine = nullptr;
};

Run_Desk::Run_Desk(SKTDocument &document, Output_Host &host, const PictureAdjuster &adjuster, QWidget *window,
                   Modal_Runner *runner, QThreadPool *pool)
    : m_document(document), m_host(host), m_adjuster(adjuster), m_window(window), m_runner(runner), m_pool(pool)
{
}

Run_Desk::~Run_Desk() { Stop_Export_Run(); }

bool Run_Desk::visitorMode() const { return m_document.Start_Card_Option == Card_Mode::Visitor; }

bool Run_Desk::Refused_While_Running()
{
    if (!Export_Run_Active() && !m_host.Value_Engine().isRunning()) return false;
    Show_MessageBox(Run_Under_Way_Text());
    return true;
}

Mail_Card_Counts Run_Desk::Take_Counts()
{
    CardValueEngine &engine = m_host.Value_Engine();
    engine.Check_Series_Or_Excel_Use_or_not(m_document);
    return {engine.Use_Data_Sheet_Values(), engine.Use_Excel_Binding_Values(), engine.Data_table_rows(),
            engine.Excel_table_rows()};
}

std::vector<GraphicPtr> Run_Desk::Output_Side(int side, const std::shared_ptr<SideCopy> &filled) const
{
    if (filled && side != m_document.currentSide()) return filled->controls;
    return m_document.sideList(side == 1 ? 1 : 0).items();
}

Mail_Desk &Run_Desk::mailDesk()
{
    if (!m_mailDesk) {
        m_mailCards = std::make_unique<Mail_Cards>(*this);
        m_mailDesk = std::make_unique<Mail_Desk>(*m_mailCards, m_window, m_runner, m_pool);
    }
    return *m_mailDesk;
}

void Run_Desk::Mail_Clicked()
{
    if (Refused_While_Running()) return;
    m_host.Take_Typing();
    mailDesk().Mail_Clicked();
}
