#pragma once
// The card values of one open design: the value engine over the series folder of the
// moment, the use flags and card count of the design, and the start of a batch run
// (export, print, mail) with its backup taken.
#include "CardValueEngine.h"

#include <QString>
#include <functional>
#include <memory>

class SKTDocument;

class Card_Values {
public:
    // `seriesFolder` answers the folder of the series files as it is when asked;
    // `noImagePath` is the stand-in a group row without a photo shows (the engine's).
    Card_Values(SKTDocument &doc, std::function<QString()> seriesFolder, QString noImagePath = QString());

    // The engine over the series folder: the same engine (and run) while the folder
    // stays, and while a run holds it; a fresh one once the folder changed.
    CardValueEngine &Engine();
    // A run holds the card view's redrawing (the engine as it is, none made).
    bool Redraw_Held() const { return m_engine && m_engine->Redraw_Held(); }
    // The engine's use flags and card count taken from the design.
    void Check_Series_Or_Excel_Use_or_not();
    // Whether the series file exists and a control of the design is bound to it.
    bool Series_In_Use(const QString &name) { return Engine().Check_Batch_File_In_Use_Validation(name, m_doc); }
    // A run holds the engine (it reads the engine's snapshot until it ends).
    bool Run_Under_Way() const { return m_engine && m_engine->isRunning(); }
    // Starts a batch run on the engine with the design's selected row: the counts and
    // the backup are taken; the design is put back and `resetWorkingSide` called when
    // the guard ends. While another run is under way nothing is touched: its message
    // (Run_Under_Way_Text) is shown and the result is null.
    std::unique_ptr<BatchRunGuard> Begin_Batch_Run(const RenderResources &resources, bool holdRedraw,
                                                   std::function<void()> resetWorkingSide);

private:
    SKTDocument &m_doc;
    std::function<QString()> m_seriesFolder;
    QString m_noImagePath;
    std::unique_ptr<CardValueEngine> m_engine;
    QString m_engineFolder;
};
