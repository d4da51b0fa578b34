#include "CardValues.h"

#include "MessageBox.h"
#include "RunUnderWay.h"
#include "SKTDocument.h"

Card_Values::Card_Values(SKTDocument &doc, std::function<QString()> seriesFolder, QString noImagePath)
    : m_doc(doc), m_seriesFolder(std::move(seriesFolder)), m_noImagePath(std::move(noImagePath))
{
}

CardValueEngine &Card_Values::Engine()
{
    const QString folder = m_seriesFolder();
    // A running engine stays until its run ends: the run's guard holds it.
    if (!m_engine || (m_engineFolder != folder && !m_engine->isRunning())) {
        m_engine = std::make_unique<CardValueEngine>(folder, m_noImagePath);
        m_engineFolder = folder;
    }
    return *m_engine;
}

void Card_Values::Check_Series_Or_Excel_Use_or_not() { Engine().Check_Series_Or_Excel_Use_or_not(m_doc); }

std::unique_ptr<BatchRunGuard> Card_Values::Begin_Batch_Run(const RenderResources &resources, bool holdRedraw,
                                                            std::function<void()> resetWorkingSide)
{
    // The running one's snapshot (flags, counts, rows, backup) stays as it is.
    if (Run_Under_Way()) {
        Show_MessageBox(Run_Under_Way_Text());
        return nullptr;
    }
    CardValueEngine &engine = Engine();
    engine.Check_Series_Or_Excel_Use_or_not(m_doc);
    auto guard = std::make_unique<BatchRunGuard>(engine, m_doc, resources, m_doc.listSelection(), holdRedraw,
                                                 std::move(resetWorkingSide));
    if (!guard->active()) return nullptr;
    return guard;
}
