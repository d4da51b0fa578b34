#pragma once
// The visitor log window: a search pane (nine field filters and a date range), the list
// of visits (the ten most recent on opening, then the last search's result) and a
// details pane showing one visit with its photo, from which its gate pass is exported
// printed or mailed. The list view (search and list panes) and the details view alternate.
#include "Gate_Pass.h"
#include "VisitorRecordStore.h"

#include <QDialog>
#include <QLocale>
#include <QRectF>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTableView;
class QWidget;
class Visitor_Log_Model;
class VisitorPassPrinter;
struct PictureAdjuster;

// A date in the medium style of the locale: its long form without the weekday and with
// the abbreviated month name ("5 Jan 2024", "Jan 5, 2024").
QString Medium_Date_Text(const QDate &date, const QLocale &locale = QLocale());

// The message of a log that could not be read, with the database's reason.
QString Visitor_Log_Read_Failed_Text(const QString &reason);

// Mails the file at `path`: runs the mail window on it until the window closes.
using Visitor_Pass_Mailer = std::function<void(const QString &path)>;

class Visitor_Log_Records : public QDialog {
    Q_OBJECT

public:
    // The store's connection is opened and closed within each read. `printer` may be
    // null; it and `adjuster` outlive the window. Without a `mailer` the details pane
    // offers no mailing.
    Visitor_Log_Records(VisitorRecordStore &store, const PictureAdjuster &adjuster, VisitorPassPrinter *printer,
                        QWidget *parent = nullptr, Visitor_Pass_Mailer mailer = {});
    // The same with a printer the window keeps for its life.
    Visitor_Log_Records(VisitorRecordStore &store, const PictureAdjuster &adjuster,
                        std::unique_ptr<VisitorPassPrinter> printer, QWidget *parent = nullptr,
                        Visitor_Pass_Mailer mailer = {});
    ~Visitor_Log_Records() override;

    // ---- List and search ----
    // Shows the list view with the ten most recent visits and runs the window modally.
    int Open_Log_Wnd();
    // Open_Log_Wnd without the modal run; the pass printer takes its settings afresh.
    void Prepare_Log_Wnd();
    VisitorPassPrinter *passPrinter() const { return printer; }
    // true: the ten most recent visits; false: the search of the filters and range.
    void Search_Visitor_Records(bool recent);
    void Search_Records_Click() { Search_Visitor_Records(false); }
    void Reset_click();
    void Close_box_click();
    void reject() override;
    void comboBoxSelectionDidChange(int index);
    void doubleClickInTable();
    void Mark_List_New_Selection(int row);
    const QList<Visitor_Log_Entry> &ListData() const;

    // ---- Details ----
    void Show_Visitor_Details(const QString &id);
    void Reset_all_Ctrl();
    void Show_Back_Details_click();
    void Close_Details_Panel_click();
    const Gate_Pass_Data &passData() const { return pass; }
    const QString &detailsText() const { return details; }
    QRectF page_rect = Gate_Pass_Default_Page_Rect();

    // ---- Output ----
    void Export_Records_Click();
    void Export_Image_click();
    void Export_PDF_click();
    void Page_Setup_click();
    void Print_Preview_click() { Execute_Printing(true); }
    void Print_click() { Execute_Printing(false); }
    void Execute_Printing(bool preview);
    // Writes the pass as "Visitor_Details_<ID>.pdf" into a folder only this user can
    // enter and hands it to the mailer; the folder goes when the mail window closes.
    void Mail_click();

    // The panes and their controls.
    QWidget *Search_Box, *Records_Box, *Details_Box;
    std::array<QLineEdit *, kVisitorSearchFilterCount> filterBoxes{};
    QComboBox *date_range;
    QDateEdit *Date_From_Ctrl, *Date_To_Ctrl;
    QLabel *info_label;
    QTableView *ColList;
    QPushButton *searchButton, *resetButton, *closeButton, *exportListButton;
    QLabel *visiting_time;
    QLabel *user_image;
    QScrollArea *Scroll_View;
    QWidget *visitor_details_box;
    QPlainTextEdit *other_detail;
    QCheckBox *show_back_details;
    QPushButton *backButton, *exportImageButton, *exportPdfButton, *pageSetupButton, *previewButton, *printButton,
        *mailButton;
    std::vector<QLineEdit *> view_array_label, view_array_value;
    // Start frames of the rows' scroll view and of the rows box.
    QRect det_scroll_rect, det_gp_rect;

    // The range choices, indexes 0 to 4.
    static const QStringList &rangeTitles();

private:
    bool Find_And_Fill_Details(bool showBack);
    void Check_and_create_label_and_field(const Visitor_Row &row, bool back);
    void Increase_Frame_By(int n);
    void Set_User_Image(const QString &photoText);
    void Gate_Pass_Size();
    QWidget *buildSearchPane();
    QWidget *buildRecordsPane();
    QWidget *buildDetailsPane();
    void showListView(bool list);

    VisitorRecordStore &store;
    const PictureAdjuster &adjuster;
    std::unique_ptr<VisitorPassPrinter> ownedPrinter;
    VisitorPassPrinter *printer;
    Visitor_Pass_Mailer mailer;
    Visitor_Log_Model *model;
    QString sel_db_id_str;
    Gate_Pass_Data pass;
    QString details;
    int current_position = 0;
    int ctrl_y = 0;
    int boxHeight = 0;  // the rows box's height, the rows placed as from its bottom edge upward
};
