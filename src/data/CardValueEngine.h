#pragma once
// The per-card value engine: whether a design takes values from series (text files of
// values in the series folder) or from the spreadsheet source, how many cards a batch
// has, the value of every bound control on card N, and card N of a side rendered.
//
// A run works on a snapshot taken on the GUI thread when it starts
// (Check_Series_Or_Excel_Use_or_not, then the backup): the use flags and counts, the
// series values, the spreadsheet rows, the card and the archives of both sides. Card N
// is made by filling fresh controls read from those archives, never the live design,
// so any number of threads may make cards at once while the window draws the design.
#include "CardModes.h"
#include "CardValueSources.h"
#include "Card_Property.h"
#include "DesignChoices.h"
#include "KeyedArchive.h"
#include "Picture.h"
#include "RenderResources.h"
#include "RenderedSide.h"
#include "SKTGraphic.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

class SKTDocument;
class SKTGraphicList;

// Fresh controls of one side for one card, with the card they lie on.
class SideCopy {
public:
    SideCopy() = default;
    // `frames` are the barcodes' picture frames (not part of an archive), one per
    // archive; an empty frame becomes the control's bounds. The control made from
    // archive `photo` carries the side's visitor-photo mark (-1: none does).
    SideCopy(const std::vector<KeyedArchive> &archives, const std::vector<QRectF> &frames, const QRectF &card,
             int photo = -1);
    std::vector<GraphicPtr> controls;

private:
    struct Owner;
    std::shared_ptr<Owner> m_owner;
};

class CardValueEngine {
public:
    // `seriesFolder` holds the series files; `noImagePath` is the stand-in picture a
    // group row without a photo shows in the side's photo.
    explicit CardValueEngine(QString seriesFolder, QString noImagePath = QString());

    // ---- Series ----
    // Names (without extension) of the regular files of the series folder whose
    // lower-cased extension is "txt", sorted by name; empty when the folder is missing.
    QStringList Get_datasheet_File_Name_Array() const;
    // Position of the name in the list: the exact name first, a match ignoring letter
    // case only when there is none; -1 when absent.
    static int Index_Of_Series(const QStringList &list, const QString &name);
    int Get_Data_SetIndex_According_Name(const QString &name) const;
    // Whether the series file exists and a text, image or barcode control of the front
    // (and, for a two-sided card, the back) is bound to that exact name.
    bool Check_Batch_File_In_Use_Validation(const QString &name, const SKTDocument &doc) const;
    // The values of a series file: read as UTF-8, trimmed whole, split at "\n"
    // (nullopt when the file cannot be read).
    std::optional<QStringList> Series_Values(const QString &name) const;
    // The first line of the file, untrimmed; "" when it is missing.
    QString Get_First_Value_Of_Dataset(const QString &name) const;

    // ---- The spreadsheet source (read on the GUI thread) ----
    // The first row's cell: "" without rows, the row number for column 0, a single
    // blank for an empty cell.
    static QString Get_First_Value_Of_Excel_Binding(const SKTDocument &doc, int column);
    // The cell a control bound to the column shows at once, whatever road binds it (the
    // Data Source tab, the barcode settings, Update Excel Column, a crop into a new
    // column): in group mode the current row's (the one picked in the row list), trimmed;
    // else the first row's.
    static QString Column_Value_Shown(const SKTDocument &doc, int column);
    // The header title of the column of the column table; "" past its end.
    static QString Get_Excel_Column_Name_Of_Index(const SKTDocument &doc, int column);

    // ---- Use flags and card count: the snapshot of a run ----
    // Recomputes, in order, the series flag with the binding table and the longest
    // series, the spreadsheet flag with its row count (cleared again without rows), and
    // the card count (the larger of the two, at least 1); copies the rows. Takes group
    // mode ("G") and the column choices with them: there a fixed field's text and the
    // side's photo with a column bind the rows as a bound control does.
    void Check_Series_Or_Excel_Use_or_not(const SKTDocument &doc);
    bool Use_Data_Sheet_Values() const { return m_series.Used(); }
    bool Use_Excel_Binding_Values() const { return m_sheet.Used(); }
    int Data_table_rows() const { return m_series.Rows(); }
    int Excel_table_rows() const { return m_sheet.Rows(); }
    int Total_Batch_Excel_Card() const { return m_cards; }
    // Leaves out of this run's cards a source the user turned off (a source not in use
    // stays off; one turned on again is used again) and counts the cards again with the
    // sources left.
    void Use_Only_Sources(bool series, bool excel);
    // Value N of the series at the index, as stored; "" past the end, for -1 or a
    // series not in use.
    QString Get_sel_row_col_value_of_dataset(int card, int index) const { return m_series.Value(card, index); }
    // The cell of row N ("" for column -1, a row past the rows or a missing key).
    QString Get_sel_row_col_value_of_Excel(int card, int column) const { return m_sheet.Value(card, column); }
    // The source a control names (its data_source_type); a kind not known is manual.
    const Card_Value_Source &Source_Of(const SKTGraphic &g) const;
    // Gives every text, image and barcode control (print_object 0) bound to a source
    // the run uses its trimmed value for card N: a text its text, an image its picture
    // path, a barcode a picture of the value made with its own settings, centred in
    // bar_image_ctrl_bounds (none for an empty value). A barcode bound to a series that is gone encodes its own data.
    // `missing` (when given) gets what the controls could not take: a picture file that
    // cannot be read, a barcode value that is empty or refused by its symbology.
    void Assign_Batch_Values_To_Control(const std::vector<GraphicPtr> &controls, int card,
                                        QStringList *missing = nullptr) const;
    // Card N on the controls of a side (0 front, 1 back), the one fill of group mode's
    // window (its current row) and of every run's cards: the bound controls take their
    // values as above. In group mode every bound text, image and barcode does (printed
    // or not); then a text of a fixed field with a column takes that column's cell of
    // row N (the field's column, as a row's save stores the field), and the side's photo
    // (the control with the visitor-photo mark, whatever its ID) the side's photo
    // column's cell, or the stand-in when that cell is empty, never the picture it held.
    // Cells are trimmed; column 0 is the row number. Outside group mode the bound values
    // only.
    void Fill_Card_Side(const std::vector<GraphicPtr> &controls, int side, int card,
                        QStringList *missing = nullptr) const;

    // ---- Backup, card N, restore ----
    // Archives both sides (one archive per control, in side order, and which is the
    // side's visitor photo) and takes the card,
    // both card properties and the resources to render with. GUI thread.
    void Create_Design_Backup_Array(const SKTDocument &doc, const RenderResources &resources);
    const std::vector<KeyedArchive> &backup(int side) const { return m_backup[side == 1 ? 1 : 0]; }
    // The backup and, in group mode ("G") with a selected row, the side not shown
    // filled from that row: the base of that side's cards in this run.
    void Set_Front_Back_Value_To_Print_Export_Mail(const SKTDocument &doc, const RenderResources &resources,
                                                  int groupSelectedRow);
    // Fresh controls of the side as the run's cards start from.
    SideCopy Side_Copy(int side) const;
    // Fresh controls of the side filled for card N (Fill_Card_Side): what card N of the
    // side is drawn from. `missing` gets what the card could not take.
    SideCopy Card_Copy(int card, Card_Side side, QStringList *missing = nullptr) const;
    // Card N of the side: a copy filled for N,
    // drawn from its controls wherever the side is played. Safe on any thread once the
    // run's snapshot is taken. The side's `missing` names what the card could not take.
    RenderedSide Set_data_table_value_to_card(int card, Card_Side side) const;
    // Puts the backup back into sides whose controls no longer match it (barcodes
    // take their bounds as their picture frame, the side's visitor photo its mark);
    // true when a side had to be rebuilt.
    // GUI thread.
    bool Create_Card_Design_Again(SKTDocument &doc) const;
    // The scratch side shows these controls.
    static void Set_Temp_Design(SKTDocument &doc, std::vector<GraphicPtr> controls);

    // One run at a time: true when this call started the run.
    bool beginRun() { return !m_running.exchange(true); }
    void endRun() { m_running = false; }
    bool isRunning() const { return m_running; }
    // While a run fills the design card by card the card view's redrawing is held.
    bool Redraw_Held() const { return m_redrawHeld; }
    void Hold_Redraw(bool held) { m_redrawHeld = held; }

private:
    QString seriesPath(const QString &name) const;
    bool twoSided() const { return m_cardSide == QLatin1String("2"); }
    // Whether a control of the side that batches print is bound to the source.
    bool Bound_On(const std::vector<GraphicPtr> &side, const Card_Value_Source &source) const;
    // In group mode, whether a printed fixed field's text or the side's photo has a
    // column.
    bool Group_Bound_On(const std::vector<GraphicPtr> &side, int s) const;
    // In group mode, the column a text of a fixed field takes (-1: none).
    int Field_Column(const SKTGraphic &g) const;
    // The fill of the controls by their bindings; `printedOnly` leaves out controls
    // that are not printed.
    void Assign_Values(const std::vector<GraphicPtr> &controls, int card, QStringList *missing, bool printedOnly) const;
    // The card count: the most rows of the sources used, at least 1.
    void Count_Cards();
    // The binding table: per series of the list its name (not in use) or its values.
    std::vector<Series_Source::Entry> Series_Table(const QStringList &names, const std::vector<GraphicPtr> &front,
                                                   const std::vector<GraphicPtr> &back) const;

    QString m_seriesFolder;
    QString m_noImagePath;

    Manual_Source m_manual;
    Series_Source m_series;
    Sheet_Column_Source m_sheet;
    int m_cards = 1;
    // The sources the design uses, as the last recount found them (series, spreadsheet).
    std::array<bool, 2> m_inDesign{false, false};
    QString m_cardSide = QStringLiteral("1");
    // Group mode's snapshot: the mode and the column choices.
    bool m_group = false;
    DesignColumnChoices m_choices;

    std::array<std::vector<KeyedArchive>, 2> m_backup;
    std::array<int, 2> m_backupPhoto{-1, -1};  // each side's photo among its backup (-1: none)
    // What each side's cards start from: the backup, or in group mode the side not
    // shown as filled from the selected row; with the barcodes' picture frames.
    std::array<std::vector<KeyedArchive>, 2> m_runBase;
    std::array<int, 2> m_runPhoto{-1, -1};  // each side's photo among its run base (-1: none)
    std::array<std::vector<QRectF>, 2> m_frames;
    QRectF m_card;
    std::array<Card_Property, 2> m_cardProperty;
    std::optional<RenderResources> m_resources;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_redrawHeld{false};
};

// The frame of every batch run (export, print, mail): takes the backup when it starts
// (and holds the card view's redrawing when asked); on every way out (end, Stop,
// failure, exception) puts the design back, releases the redrawing and calls
// `resetWorkingSide`. A second run while one is active is refused (active() false).
class BatchRunGuard {
public:
    BatchRunGuard(CardValueEngine &engine, SKTDocument &doc, const RenderResources &resources, int groupSelectedRow,
                  bool holdRedraw, std::function<void()> resetWorkingSide = {});
    ~BatchRunGuard();
    BatchRunGuard(const BatchRunGuard &) = delete;
    BatchRunGuard &operator=(const BatchRunGuard &) = delete;
    bool active() const { return m_active; }

private:
    CardValueEngine &m_engine;
    SKTDocument &m_doc;
    std::function<void()> m_reset;
    bool m_active;
};
