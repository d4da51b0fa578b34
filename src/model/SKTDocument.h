#pragma once
// The document: the open design. It owns the controls of the three card sides (front,
// back and the scratch side used by the profile preview), each list existing and
// empty from the start, with both sides' card properties, the spreadsheet choices,
// the mode, the file name and the current side; and it creates the program's one main
// window controller.
//
// Its own undo record of the front side (DocumentUndo.h) serves the grouping of control
// creation; the user's Undo and Redo work on side snapshots (UndoHistory) kept by the
// main window controller.
#include "CardModes.h"
#include "Card_Property.h"
#include "DesignChoices.h"
#include "RowTable.h"
#include "SKTGraphicList.h"

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QList>
#include <optional>
#include <QSizeF>
#include <functional>
#include <memory>
#include <vector>

class Document_Undo;
struct Graphic_Properties;

// The print settings a document keeps: the printer's name (empty for none) and the
// page layout in points (paper, orientation and the printer's printable margins).
struct Document_Print_Info {
    QString printer;
    QPageLayout layout{QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Point};
    friend bool operator==(const Document_Print_Info &a, const Document_Print_Info &b)
    {
        return a.printer == b.printer && a.layout == b.layout;
    }
};

class SKTDocument;

// Makes the main window controller of a document, once: the first document that asks
// uses it up, later ones get nothing.
class Window_Controller_Factory {
public:
    Window_Controller_Factory() = default;
    explicit Window_Controller_Factory(std::function<void(SKTDocument &)> make) : m_make(std::move(make)) {}
    void make(SKTDocument &document);

private:
    std::function<void(SKTDocument &)> m_make;
};

class SKTDocument : public QObject, public Row_Table {
    Q_OBJECT
public:
    explicit SKTDocument(QObject *parent = nullptr);
    ~SKTDocument() override;

    SKTGraphicList &graphics() { return m_graphics; }
    SKTGraphicList &graphics_back() { return m_graphicsBack; }
    SKTGraphicList &graphics_temp() { return m_graphicsTemp; }
    const SKTGraphicList &graphics() const { return m_graphics; }
    const SKTGraphicList &graphics_back() const { return m_graphicsBack; }
    const SKTGraphicList &graphics_temp() const { return m_graphicsTemp; }

    // Front side: inserts the controls so that each ends at its index (indexes taken in
    // ascending order, each after the insertions before it). Refused (false, nothing
    // changed) when the counts differ, an index repeats or is out of range.
    bool insertGraphics(const std::vector<GraphicPtr> &graphics, const std::vector<int> &indexes);
    // Front side: removes the controls at the indexes; refused (false) when one is out
    // of range or repeats.
    bool removeGraphicsAtIndexes(const std::vector<int> &indexes);
    bool insertGraphic(const GraphicPtr &graphic, int index) { return insertGraphics({graphic}, {index}); }
    bool removeGraphicAtIndex(int index) { return removeGraphicsAtIndexes({index}); }
    bool addInGraphics(const GraphicPtr &graphic) { return insertGraphic(graphic, m_graphics.count()); }

    // Undo registration of the document's own record (the design-file reader turns it
    // off while it rebuilds controls).
    void Enable_Disable_Undo_Registraion(bool enable);
    bool isUndoRegistrationEnabled() const;
    // Empties the record, removes every front control with registration off, then
    // turns registration on again.
    void Clear_All_Undo_Redo();
    // The document's own undo record of the front side.
    Document_Undo &undoManager() { return *m_undo; }
    // The undo action of a property group: puts the stored values back.
    void setGraphicProperties(const Graphic_Properties &properties);

    // The card's default canvas, 243 x 154 points, when `useDefault`; else `size`.
    static QSizeF canvasSize(bool useDefault, const QSizeF &size);

    // ---- The design ----
    Card_Property Front_card_Prop;
    Card_Property Back_card_Prop;
    // The bound spreadsheet with its rows, and the group-mode column choices.
    DesignSpreadsheet m_spreadsheet;
    DesignColumnChoices m_columnChoices;
    Card_Mode Start_Card_Option = Card_Mode::Template;
    QString Project_File_Name;   // the design's file; empty while untitled
    QString Selected_Template_Path;  // the template the design was made from
    // The current side, 0 front or 1 back; showing the scratch side leaves it.
    int Card_Front_Or_Back = 0;
    // The current side's card shape: 0 rectangle, 1 rounded rectangle, 2 ellipse.
    int Card_Shape = 0;
    // Font and colour of new text controls.
    QFont All_Text_font;
    QColor All_Text_clr = Qt::black;

    bool isVisitorOrGroupMode() const { return Has_Visitor_Panels(Start_Card_Option); }
    int currentSide() const { return Card_Front_Or_Back == 1 ? 1 : 0; }
    Card_Property &currentCardProperty() { return currentSide() == 1 ? Back_card_Prop : Front_card_Prop; }
    const Card_Property &currentCardProperty() const { return currentSide() == 1 ? Back_card_Prop : Front_card_Prop; }
    SKTGraphicList &sideList(int side) { return side == 1 ? m_graphicsBack : side == 2 ? m_graphicsTemp : m_graphics; }
    // The window title: "App ( card name - file name )" with the application's name, the
    // front's card name (a very long one cut) and the design file's name when that file
    // exists, else "App ( card name )".
    QString displayName() const;
    // The card, from (0, 0), in points: the size of the front's card properties, the
    // default canvas while they have none.
    QRectF cardBounds() const;
    // Copy to Other Side: the other side gets controls of its own, made from the
    // archives of the side's controls (pictures shared) in their order, and the side's
    // card properties under its own side name; its group-mode photo column follows.
    void copySideToOther(int source);

    // ---- Rules of the card, kept whatever road changes it (SKTDocument_Card_Rules.cpp) ----
    // Which image control of a side (0 front, 1 back) is the visitor's photo: one fact
    // of the side, which the panels' photo box, the visitor record and a group row's
    // photo all read. A loaded design gives it (Take_Visitor_Photos_From_Design); a
    // "Fup_Photo" put onto a side takes it, and a side without a photo takes its
    // "Fup_Photo" as soon as that changes; the photo buttons give it to the control
    // they filled (Set_Visitor_Photo); a deleted photo takes it along (the mark is the
    // control's), and undo and redo bring it back with the controls
    // (SideSnapshot::photo). nullptr: the side has no photo.
    SKTGraphic *Visitor_Photo(int side) const;
    // Makes `photo` (a control of the side, or nullptr for none) the side's photo.
    void Set_Visitor_Photo(int side, const SKTGraphic *photo);
    // The photo a side has as a design is loaded: its "Fup_Photo", or, on a side without
    // one, its first image control without an ID; nullptr when neither is there. Other
    // pictures (a company logo with an ID) are never the photo.
    static SKTGraphic *Design_Photo(const SKTGraphicList &controls);
    // Each side's photo as Design_Photo gives it.
    void Take_Visitor_Photos_From_Design();
    // In group mode the texts of a side bound to one spreadsheet column show that one
    // cell: whatever changes one of them (a panel box, the Text tab, the data source,
    // a fill), the others take its text, and a text put onto the side takes the text the
    // others show. An emptied text ("Text here") and an empty cell are one value.
    static bool Same_Cell_Value(const QString &a, const QString &b);

    // ---- The spreadsheet source: the rows of the bound spreadsheet (SKTDocument_Rows.cpp) ----
    // The row table: one row per spreadsheet row, in order; entry [0] of a row is its
    // "Extension" (the 1-based row number as "%d"), entry [k] its "Column%d" with k (the
    // trimmed cell, empty strings kept). A row shorter than k + 1 lacks key k.
    const QList<QStringList> &ListData() const { return m_spreadsheet.rows; }
    void setListData(QList<QStringList> rows);
    // The column table: "Extension" (the row number) first, then one column per
    // spreadsheet column ("Column%d" from 1, the column's title), so that a column's
    // position is its spreadsheet column number.
    QList<SpreadsheetColumn> ColList() const;
    // The titles of the column table, in order ("S.No." first): what every column
    // list of the design shows.
    QStringList ColList_Titles() const;
    // Adds a column titled `title` after the others (identifier "Column%d").
    void Add_ColList_Column(const QString &title);
    // Leaves only the row-number column.
    void Remove_ColList_Data_Columns();
    // Appends a row of the first `count` texts (each trimmed), numbered row count + 1.
    // Fewer texts than `count` (or a negative count): no row, one log line; false.
    bool Create_List_By_Array(const QStringList &cells, int count);
    // Appends a row holding only the key's value ("Extension" or "Column%d"; keys
    // before it in the row are empty). An unknown key adds nothing (logged).
    bool Create_List_By_Value(const QString &value, const QString &colKey);
    // The cell of row `row`, column `column` (0 the row number). A row outside the table
    // gives ""; a column the row lacks gives no value.
    std::optional<QString> Get_Item_Text(int row, int column) const;
    // Makes `row` the table's selected row (views follow through listSelectionChanged);
    // -1 for none.
    void Mark_List_New_Selection(int row);
    int listSelection() const { return m_listSelection; }
    // Empties the row table (Clear_Delete_Excel_table_rows of the value engine).
    void Clear_ListData();
    // No spreadsheet at all: no rows, no column titles, no workbook, no binding, no
    // selected row (a design that starts anew).
    void Clear_Spreadsheet();
    // The row table as a table of cells (RowTable.h); a column added there is kept in
    // the design like any other.
    int Row_Table_Column_Count() const override { return int(m_spreadsheet.column_titles.size()) + 1; }
    int Row_Table_Row_Count() const override { return int(m_spreadsheet.rows.size()); }
    QString Row_Table_Column_Title(int column) const override;
    QString Get_sel_row_col_value_of_Excel(int row, int column) const override;
    int Add_Row_Table_Column(const QStringList &cells) override;

    // ---- Print settings: one page set-up for the print window, the print run and the
    // document's data. A4 portrait without a printer until the first setPrintInfo.
    Document_Print_Info printInfo() const { return m_printInfo; }
    // Stores a copy when it differs from the kept one and tells observers
    // (printInfoChanged); true when it was stored.
    bool setPrintInfo(const Document_Print_Info &info);

    // Creates the main window controller of this document through the factory, which
    // makes one controller only, whatever the document that asks.
    void makeWindowControllers(Window_Controller_Factory &factory);

signals:
    // The row table's selected row changed (Mark_List_New_Selection).
    void listSelectionChanged(int row);
    // The row table or the column table changed.
    void listDataChanged();
    // The print settings changed (setPrintInfo).
    void printInfoChanged();

private:
    int sideHolding(const SKTGraphic *g) const;
    void controlChanged(SKTGraphic *g);
    void controlInserted(SKTGraphic *g);
    // The other texts of the side bound to the column of `g` (group mode only).
    std::vector<SKTGraphic *> sameCellTexts(const SKTGraphic &g) const;

    SKTGraphicList m_graphics;
    SKTGraphicList m_graphicsBack;
    SKTGraphicList m_graphicsTemp;
    std::unique_ptr<Document_Undo> m_undo;
    int m_listSelection = -1;
    Document_Print_Info m_printInfo;
    bool m_keepingCells = false;  // the same-cell rule is at work
    bool m_settingPhoto = false;  // a side's photo is being given
};
