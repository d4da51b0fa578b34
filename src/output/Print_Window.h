#pragma once
// The print window: printer and paper, the grid of card cells on the sheet (rows,
// columns, gaps, where the block sits), which sides print and how a pair is arranged,
// mirror, crop marks, the range of records, a live sample sheet and the named print
// profiles. Print sends the sheets to the printer from a worker thread; Preview shows
// them without sending a job.
#include "PrintProfile.h"
#include "Range_Boxes.h"
#include "PrinterLayer.h"
#include "PrintingView.h"
#include "SamplePreview.h"
#include "WidgetDecls.h"

#include <QDialog>
#include <QPixmap>
#include <array>
#include <functional>

// What the print window is given of the design.
class QThreadPool;

struct Print_Design {
    RenderedSide front, back;  // the sides as they stand
    bool twoSided = true;
    int cardShape = 0;         // 0 rectangle, 1 rounded, 2 ellipse
    int currentSide = 0;       // the side shown in the main window
    bool visitorMode = false;
    // Records: a source and how many rows each kind of data has (0: not in use).
    Print_Card_Source *source = nullptr;
    QThreadPool *pool = nullptr;  // the application's pool the cards are made on
    int seriesRows = 0, spreadsheetRows = 0;
    bool usesSeries() const { return source && seriesRows > 0; }
    bool usesSpreadsheet() const { return source && spreadsheetRows > 0; }
};

// The name and printer of a new or edited profile.
class Add_Print_Profile : public QDialog {
public:
    explicit Add_Print_Profile(QWidget *parent = nullptr);
    // Fills the boxes (adding when name and printer are both empty) and runs the
    // dialog: 1 for OK, 0 for Cancel.
    int Open_Profile_Wnd(const QString &name, const QString &printer);
    void OKPressed();
    void CancelPressed();

    QLineEdit *Profile_name;
    QLineEdit *pass_profile_name;  // the profile's previous name, empty when adding
    QComboBox *Printer_ComboBox;
    QString custom_profile_Printer, custom_print_profile_name;  // the accepted choice
    // Runs the page set-up once the names are fine; false keeps the dialog open.
    std::function<bool()> pageSetup;
    // Replaces the modal run (scripted runs): fills the boxes and presses a button.
    std::function<void(Add_Print_Profile &)> runner;
};

class Print_Preview_Dialog;

class Print_Window : public QDialog {
public:
    Print_Window(Print_Settings &settings, QString profileFolder, QWidget *parent = nullptr);
    // A window on settings of its own (Use_Settings loads them; settingsChanged hands
    // them back).
    explicit Print_Window(QString profileFolder, QWidget *parent = nullptr);
    ~Print_Window() override;

    // Resets the window for the design and applies the first listed profile.
    void Prepare(const Print_Design &design);
    // Prepare, then the modal run; the window's result.
    int Open_Print_Wnd(const Print_Design &design);

    // ---- Layout ----
    void Set_values_From_Printer();
    void Check_Max_Cell_Value();
    void Calculate_label_acc_row_col();
    void Refresh_Preview();
    void Set_Demo_align_image();
    // Shows the selected picture on alignment button k (1 to 9) and the normal picture
    // on the others; any other value changes nothing.
    void Set_Reset_Alignemnt_Image(int k);
    const Page_Layout &layout() const { return m_layout; }
    Sample_Sheet sampleSheet() const;

    // ---- Print run ----
    // Checks, the cards of the run, then the job: printed, or shown in the preview.
    // False when the run ended before anything was printed or shown.
    bool Execute_Printing(bool preview);
    void PrintButtonPressed() { Execute_Printing(false); }
    void PreviewButtonPressed() { Execute_Printing(true); }
    // The job the window's settings make (cards from `start`, `cells` cells).
    Print_Job Job(bool preview, int start, int cells) const;

    // ---- Profiles ----
    // Writes the profile from the window's settings; false (reported) when it could not.
    bool Save_Print_Profile(const QString &name, const QString &printer);
    void Read_and_load_profile_info(const QString &name);
    void Load_Print_Profile();
    // Adds a new profile or edits the one chosen.
    enum class Profile_Change { Add, Edit };
    void Add_Edit_Print_Profile(Profile_Change change);
    void Save_profile_btn_clicked();
    void Delete_profile_btn_clicked();
    // The highlighted profile's name; empty with none highlighted.
    QString selectedProfile() const;
    // The selected profile's name; with none selected, says so and returns an empty name.
    QString profileToChange() const;
    // Selects the listed profile of that name, if listed.
    void selectProfile(const QString &name);

    // The settings the window works on and the print run reads.
    void Use_Settings(const Print_Settings &settings) { m_settings = settings; }
    const Print_Settings &settings() const { return m_settings; }
    // Told the settings whenever the window takes a printer, an orientation, a page
    // set-up or a profile's printer and orientation.
    std::function<void(const Print_Settings &)> settingsChanged;

    // Scripted runs replace the modal parts: the profile dialog's run, the page set-up
    // and the preview's run.
    std::function<bool(Print_Settings &)> pageSetupRunner;
    std::function<void(Print_Preview_Dialog &)> previewRunner;
    Add_Print_Profile &profileDialog() { return *m_profileDialog; }

    // The window's parts.
    QComboBox *Printer_ComboBox, *Orient_ComboBox;
    QLineEdit *Paper_id, *Size_id, *l_mar_id, *r_mar_id, *t_mar_id, *b_mar_id;
    QDoubleSpinBox *horz_mar_Text, *vert_mar_Text, *width_Text, *height_Text, *Side_Margin_Text;
    QSpinBox *Row_Text, *Col_Text, *Total_Text, *from_Text, *To_Text;
    QCheckBox *Auto_Center_chk_bx, *Show_Margins, *fit_frame_chk, *crop_mark_chk, *mirror_chk_box;
    QCheckBox *print_with_batch_chk, *print_with_excel_chk;
    QButtonGroup *alignButtons;      // ids 1-9
    // The alignment buttons' pictures, normal and selected.
    QPixmap top_left_image, top_center_image, top_rite_image, middle_left_image, middle_center_image,
        middle_rite_image, bot_left_image, bot_center_image, bot_rite_image;
    QPixmap top_left_image_sel, top_center_image_sel, top_rite_image_sel, middle_left_image_sel,
        middle_center_image_sel, middle_rite_image_sel, bot_left_image_sel, bot_center_image_sel, bot_rite_image_sel;
    // The chosen side arrangement's picture, and the pictures it shows.
    QLabel *print_align_demo_pic;
    QPixmap both_up_down, both_up_down_flip, both_left_right, both_duplex_up, both_duplex_up_down, front_up,
        front_down, back_up, back_down;
    QButtonGroup *matrix_card_side;  // ids 0 both, 1 front, 2 back
    QButtonGroup *mirror_matrix;     // ids 0 horizontal, 1 vertical
    QRadioButton *All_print_rd, *Sel_print_rd;
    QComboBox *print_alignment, *print_alignment_one_side;
    QGroupBox *card_align_box, *align_Gp_Bx, *export_range_box;
    QListWidget *List_profile;
    QPushButton *Add_profile_btn, *Edit_profile_btn, *Save_profile_btn, *Delete_profile_btn;
    QPushButton *Print_btn, *Preview_btn, *Cancel_btn, *Page_setup_btn;
    Sample_Preview *PrintView;
    QLabel *status;

private:
    void setUp();
    void build();
    void loadPictures();
    std::array<QPixmap *, 9> alignPictures(bool selected);
    void connectAll();
    void sideChosen();
    void Capture_Last_Values();
    void Disable_for_fit_or_duplex();
    void Normal_Printing_Is_Selected();
    void Auto_Center_Checked();
    void Fit_To_Frame_clicked();
    void Data_Box_Changed();
    void Set_Tot_Value(int value, int maximum, Range_Box which);
    void Set_Enable_Diable_Range_Box();
    void rangeChosen();
    void printerChosen();
    void orientationChosen();
    void pageSetup();
    int recordCount() const;
    bool usingRecords() const;
    bool runJob(const Print_Job &job);
    bool runPreview(const Print_Job &job);
    // The file of the listed profile of that name (the selected row's first), which
    // keeps its own name; a name not listed gets the file a new profile is written to.
    QString profileFile(const QString &name) const;
    // The highlighted row's own file; empty with none highlighted.
    QString selectedProfileFile() const;
    // Selects the listed row whose file is that file, if listed.
    void selectProfileFile(const QString &file);
    // Writes the window's settings into that file, says so and lists the profiles again;
    // false (reported) when it could not.
    bool saveProfileFile(const QString &file, const QString &printer);
    // Deletes a profile's file; when it cannot, tells the user why. False then.
    bool removeProfileFile(const QString &file, const QString &name);

    Print_Settings m_ownSettings;  // used by the window of its own settings
    Print_Settings &m_settings;
    QString m_folder;
    Print_Design m_design;
    Page_Layout m_layout;
    bool m_loading = false;
    QString m_profilePrinter;
    // Values kept while fit to frame or duplex force one cell.
    double m_lastSide = 0, m_lastHorz = 0, m_lastVert = 0;
    int m_lastRow = 1, m_lastCol = 1;
    Add_Print_Profile *m_profileDialog;
};

// Shows the pages of a job without sending it to a printer (50 sheets at most).
class Print_Preview_Dialog : public QDialog {
public:
    Print_Preview_Dialog(const Print_Job &job, const Print_Settings &settings, QWidget *parent = nullptr);
    ~Print_Preview_Dialog() override;
    int pageCount() const;
    // Paints the pages again.
    void updatePreview();
    // Times a paint request painted the pages.
    int paintRuns() const { return m_paintRuns; }

private:
    Print_Job m_job;
    int m_pages;
    int m_paintRuns = 0;
    struct Parts;
    Parts *m_parts;
};
