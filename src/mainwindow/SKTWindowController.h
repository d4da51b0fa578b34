#pragma once
// The one main window controller of the application. It works on the open design, the
// document it is given, and owns the main window and its card views, the profile
// records, the undo history and the shared grid and zoom. Its work is split over
// several files by concern.
#include "CardViewHost.h"
#include "Card_Property.h"
#include "DesignFile.h"
#include "Dynamic_Control_List.h"
#include "Globals.h"
#include "KeyedArchive.h"
#include "MainWindowLayout.h"
#include "Picture.h"
#include "PrinterLayer.h"
#include "Profile_Data_Source.h"
#include "Profile_Desk.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGrid.h"
#include "Start_Choice.h"
#include "Side_Steps.h"
#include "UndoHistory.h"
#include "User_Profile_Class.h"
#include "Visitor_Panel_Desk.h"
#include "Visitor_Panel_Window.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class Barcode_Data_Source;
class Group_Mode;
class Group_Mode_Host;
class SideCopy;
class QThreadPool;
class Barcode_Gen;
class Visitor_Record_Desk;
struct Barcode_Edit;
class BatchRunGuard;
class CardPropertyPanel;
class CardValueEngine;
class Card_Values;
class Series_Commands;
class ControlPanels;
class DataSourceHost;
class DataSourceSection;
class Data_From_Excel;
class Mail_Desk;
class Email_Setting;
class Send_Mail;
class Image_Library;
enum class Library_Purpose;
class Start_Card;
class Card_Wizard;
class Invitation_Wizard;
struct Wizard_Collaborators;
struct Wizard_Card_Choice;
struct Mail_Settings;
class Help_Support;
class Promotion_Form;
class Grid_Wizard;
class Export_Template;
class QDialog;
class Camera;
class Modal_Runner;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMainWindow;
class QWidget;
class PropertyPanelHost;
class Run_Desk;
class Output_Host;

struct Invitation_Values;
class SKTGraphic;
class SKTGraphicList;
class SKTGraphicView;
class SKTZoomingScrollView;
struct PictureAdjuster;

class SKTWindowController : public QObject, public CardViewHost, private Visitor_Panel_Window, private Side_Steps_Host {
    Q_OBJECT
public:
    // adjuster: makes the shown pictures of image controls in the card views, the
    // exports and the previews; it outlives the controller. runPool: the application's
    // pool that every output run makes its cards on (Qt's global pool when none is
    // given); it outlives the controller. runner: runs the windows opened from the main
    // window (exec() when none is given); it outlives the controller.
    SKTWindowController(SKTDocument &document, const PictureAdjuster &adjuster, QThreadPool *runPool = nullptr,
                        Modal_Runner *runner = nullptr);
    ~SKTWindowController() override;
    // Runs the camera window; the stored picture's path, or "" when cancelled (the
    // property panels and the visitor panels ask it).
    QString Panel_Camera_Picture();

    static SKTWindowController *defaultInstance();

    // ---- Document and window (SKTWindowController.cpp, _Setup.cpp) ----
    // The open design.
    SKTDocument &document;
    const PictureAdjuster &pictureAdjuster;
    QThreadPool &runPool;
    Modal_Runner *const modalRunner;
    QMainWindow *window() const { return ui.window; }
    // Builds the window and runs the set-up; `startProject` false skips New_Project
    // (tests build the window without the start gallery).
    void awakeFromNib(bool startProject = true);
    void showWindow();
    // The window for a design file given to the program (as a desktop passes it):
    // set up without the start gallery, then Start_With_Design from the event loop.
    void showWindow(const QString &designPath);
    bool isSetUp() const { return m_setUp; }

    // ---- Sides (_Sides.cpp) ----
    SKTGraphicView *graphicView(int side) const;  // 0 front, 1 back, 2 scratch
    SKTGraphicView *currentGraphicView() const;
    SKTZoomingScrollView *zoomingScrollView(int side) const;
    SKTGraphicList &Get_Front_Controls_Array() const;
    SKTGraphicList &Get_Back_Controls_Array() const;
    SKTGraphicList &Get_Temp_Controls_Array() const;
    SKTGraphic *Get_Selected_Graphic() const;
    void Set_Selected_Graphic(SKTGraphic *g);
    void Select_front_side();
    void Select_back_side();
    // The side buttons: the side, then the image tab from its defaults; the scratch
    // button shows copies of the current side's controls on the scratch side.
    void Front_Card_Btn_Clicked();
    void Back_Card_Btn_Clicked();
    // The card area and the property pane shown (1) or, with any other value, hidden
    // with the visitor panes; nothing while a side is being copied.
    void Show_Hide_Main_Window(char show);
    void Show_Canvas_And_Right_Prop();
    Card_Property &currentCardProperty();

    // ---- Card appearance (_Card.cpp) ----
    void Card_Base_Drawing(QPainter &painter, const QRectF &dirty) override;
    void Card_Border_Drawing(QPainter &painter, const QRectF &dirty) override;
    QPointF Control_New_Point(Card_Side side) override;
    void _setLabels();
    void Apply_unit_Chaneg_Values();
    void Show_RHS_Properties(SKTGraphic *g) override;
    void Load_and_fill_backgrounds();
    void Update_Card_Graphics();
    void Set_Card_Size_In_Control(QSizeF sizeMM);
    void SetDocumentCanvasSize(QSizeF points);
    void Set_Canvas_to_100_percent();
    void Show_Hide_Ruler_ChkBox(bool shown);

    // ---- Barcodes (_Barcode.cpp) ----
    // Runs the barcode settings window for the selected barcode of the current side;
    // OK applies the edited settings as one undo step.
    void Open_Barcode_Window() override;

    // ---- Card size change (_Resize.cpp) ----
    // Gives the card a new size in points: the three views take it, the controls of
    // both sides follow it, and both sides' card properties record it.
    // `moveControls` false keeps the controls where they are (typed custom sizes).
    void Change_Card_Size(QSizeF points, bool moveControls = true);
    // The card size panel chose a size: a new, unedited design made from a template
    // swaps to the template's other orientation when one exists; otherwise the
    // controls follow the new size.
    void Card_Control_Size_Change_or_not(QSizeF points, const QString &preset, const QString &category, int row);
    // Rescales the controls of the front and back sides (CardResize.h).
    void Set_Control_Location_Size_IF_Card_Size_Change(float oldWidth, float oldHeight, float newWidth,
                                                       float newHeight, char changeFontSize);

    // The stored e-mail sender, server, port and SSL flag, read freshly from the
    // settings store (the password stays there).
    Mail_Settings Get_Email_Details() const;

    // ---- Project (_Project.cpp) ----
    void New_Project();
    void New_Project_Setting_Reset(bool resetCard);
    // Runs the start window; false when the user chose to leave the application.
    bool Open_Start_Window();
    // The start of a run on a design file given to the program: a new project opening
    // that file as Open opens one picked in its panel; a file that cannot be read gets
    // the reader's message and the start window follows.
    void Start_With_Design(const QString &path);
    void Set_Log_Name_In_Title();

    // ---- Design files (_DesignFile.cpp) ----
    // Writes the design to Project_File_Name (asking for a name with a save panel when
    // it is empty or `saveAs` is set); mode "L" a design, "T" a template. False when
    // nothing was written (cancelled or failed; a failure is reported).
    bool Save_project_file(bool saveAs, bool showMsg, Card_Mode mode);
    // Replaces the design with the file's: both sides, card properties, bindings and,
    // with `readXl`, the spreadsheet rows. Returns 1 when the file was read; a file
    // that cannot be read is reported and leaves the open design untouched.
    int Read_and_load_design_Log_NEW_METHOD(const QString &path, Card_Mode mode, bool readXl);
    // The File commands.
    void Open_Design();
    void Close_Design();
    // Saves the design as a user template with its preview picture; when the preview
    // cannot be made or written, no file of the template is left.
    void Export_As_Template_Clicked();
    void Exit_App();
    // Asks whether to save before the design is closed, when the user changed it since
    // it was opened, made or saved; false when the user cancels.
    bool Ask_To_Save_Changes();
    // The design differs from what was last read or written (Side_Steps::Design_Changed):
    // a change of a side recorded, undone or redone, other card properties, or other rows
    // of its spreadsheet (a group row added or deleted). Picking rows, switching sides,
    // the silent project save of group mode and an output run's backup and restore are
    // no change. Text typed into the Text tab's box is written first.
    bool Design_Changed() { return m_steps.Design_Changed(); }
    // ---- Export, print and mail (WindowOutputHost.cpp; the work is in output/) ----
    // The export, print and mail commands over this design, made on first use.
    Run_Desk &runDesk();

    // ---- Per-card values and series commands (_Values.cpp; the work is Card_Values' and Series_Commands') ----
    // The value engine over the series folder of the moment.
    CardValueEngine &Value_Engine();
    // Starts a batch run (export, print, mail): the counts and the backup are taken;
    // the design is put back and the working side reset when the guard ends. Null
    // while another run is active.
    std::unique_ptr<BatchRunGuard> Begin_Batch_Run(bool holdRedraw);
    void Show_Data_Source_Of(SKTGraphic *g);
    Data_From_Excel &Data_From_Excel_Window();
    DataSourceSection *dataSourceSection = nullptr;

    // The mailing windows over this design's cards.
    Mail_Desk &mailDesk();
    // The help and support window and the promotion window, made on first use as
    // children of the main window.
    Help_Support &Help_Window();
    Promotion_Form &Promotion_Window();
    // The grid dialog and the template name dialog, likewise.
    Grid_Wizard &Grid_Window();
    Export_Template &Template_Name_Window();

    // The series windows and the series list of the data-source section.
    Series_Commands &seriesCommands();

    // ---- Undo and redo of side snapshots (_Undo.cpp) ----
    // Records the current side after a change (nothing while
    // live_mode_list_value_change is set); a new change empties the side's redo stack.
    void Insert_In_Undo_Redo() override;
    // The same for the given side, whichever side is shown.
    void Record_Side(int side);
    // The side's last recorded state was left by a step that changed the group column
    // choices from `before` to what they are now (nothing when they are the same).
    void Column_Step_Recorded(int side, const DesignColumnChoices &before);
    const UndoHistory &undoHistory() const { return m_steps.history(); }
    // A side whose undo stack is empty gets its present state as the first snapshot.
    void Make_Sure_Of_Undo_Base(int side);
    void Undo_Action_Perform();
    void Redo_Clicked() { Redo_Action_Perform(); }
    void Undo_Redo_Clear();
    int Get_Undo_Count() const;
    int Get_Redo_Count() const;

    // ---- Toolbar commands, lock, side copy (_Commands.cpp) ----
    void Lock_Clicked() { Lock_Or_Unlock(true); }
    void Unlock_Clicked() { Lock_Or_Unlock(false); }
    void Card_Bckgrnd_Clicked();
    // The scratch side shows independent copies of the current side's controls.
    void Temp_Design_Control_Assign();
    // Copies the current side's design onto the other side, after asking.
    void Copy_Card_Design_Clicked();
    // What is typed into a box of the window and not yet on the card is written now, as
    // when its box is left: the Text tab's box within its pause, a line or number box
    // not yet confirmed. Every command that takes or copies the design (print, export,
    // mail, Add to Database, save, Copy to Other Side, the side buttons, the questions
    // before leaving the design) calls it first.
    void Take_Typing() override;

    // ---- Help, links, banner and the promotion window (_Help.cpp) ----
    // Shows the promotion window for one product ("B", "L" or "C"); its result.
    int Open_Promotion_Window(const QString &software_type);

    // ---- Editing commands: clipboard, order, alignment (_Edit.cpp) ----
    void Set_Paste_Button_Status() override;
    void Controls_Pasted(const std::vector<SKTGraphic *> &pasted) override;
    void Run_Window_Command(WindowCommand command) override;
    bool Window_Command_Available(WindowCommand command) const override;

    // ---- Drawing tools (_Tools.cpp) ----
    void Arrow_Tool_Clicked() { Tool_Button_Clicked(0); }
    QString Generate_Extra_image_control_ID() override;
    // The picture of the next image control: chosen by file, or from the library
    // (a control's picture or a card background; 1 chosen, 0 cancelled).
    bool Browse_User_Image_Manually();
    int Open_Image_Library_Window(Library_Purpose purpose);
    QString lib_window_sel_file;
    void Set_Selected_Control_Tool(int tool) override { m_selectedTool = tool; }

    // ---- Visitor entry panels (_Visitor.cpp; the work is in profile/) ----
    // The two panels, their bridge to the card, the side lists and the panes.
    Visitor_Panel_Desk &visitorPanels() { return m_visitorPanels; }

    // ---- Small services (_Utilities.cpp) ----
    // Activates the main window and gives the widget the keyboard focus.
    void SetFocus(QWidget *widget);
    // The group-mode spreadsheet column of the profile field with the ID (Group_Mode::Column_Of).
    int Get_Excel_Coulmn_Index_According_ID(const QString &ctrl_id) override;
    // A control's creation as one group of the document's own undo record; taken back,
    // the group is undone with registration off.
    void Begin_Creation_Undo_Group() override;
    void End_Creation_Undo_Group(bool takeBack) override;

    // ---- Visitor mode display (_Visitor.cpp) ----
    void Show_Hide_Visitor_DB_Button(bool hide);
    void Show_Hide_Profile_Panel_Live_Mode(char show);

    // ---- Profile records and dialogs (_VisitorProfile.cpp; the work is in profile/) ----
    Profile_Desk &profiles() { return m_profileDesk; }
    // The profile command: the current side's dialog, and after OK its record on the card.
    void User_Profile_Button_Clicked();

    // ---- Visitor record (the work is in visitorlog/ui) ----
    // The visitor record and the visitor log window.
    Visitor_Record_Desk &visitorRecord();

    // ---- Group mode (_Group.cpp; the work is in data/ui) ----
    // The group pane's mode: the row list, one person per row of the document's row
    // table, put on the card and the panel of the side shown; the column dialog; the
    // "Group Mode" command's wizard. Nothing of it acts outside mode "G".
    Group_Mode &groupMode() const;
    // In group mode with a selected person: a copy of the side not shown filled from that
    // person's row, for what is written or sent (the live design untouched); null
    // otherwise.
    std::shared_ptr<SideCopy> Group_Side_Not_Shown_Filled() const;

    // ---- Links for the model and canvas ----
    // The card of the design, from (0, 0), in points.
    QRectF frontCardBounds() const;
    void Reset_Image_Editing_Controls();
    int Selected_Control_Tool() const override { return m_selectedTool; }
    Card_Mode Design_Mode() const override { return document.Start_Card_Option; }
    int Current_Side() const override { return document.currentSide(); }

    // ---- Fields read across the system ----
    MainWindowLayout ui;
    SKTGraphicView *_graphicView = nullptr;
    SKTGraphicView *_graphicView_BACK = nullptr;
    SKTGraphicView *_graphicView_TEMP = nullptr;
    SKTZoomingScrollView *_zoomingScrollView = nullptr;
    SKTZoomingScrollView *_zoomingScrollView_BACK = nullptr;
    SKTZoomingScrollView *_zoomingScrollView_TEMP = nullptr;
    CardPropertyPanel *cardPanel = nullptr;
    ControlPanels *controlPanels = nullptr;
    std::unique_ptr<Barcode_Gen> m_barcodeWindow;
    std::unique_ptr<Barcode_Data_Source> m_barcodeSource;

    SKTGrid _grid;


    QStringList paper_card_arry;
    QStringList pvc_card_arry;
    QStringList Allowd_Image_fileTypes;
    QString camera_path_file;

    Picture no_camera_image, Err_image, no_image_ctrl_GP, no_image, banner_image, promotion_pattern_image,
        wizard_pattern_image, sign_sample_img, fp_sample_img, front_btn_image, back_btn_image,
        front_btn_image_sel, back_btn_image_sel;

    bool live_mode_list_value_change = false;
    QStringList images;  // background pictures offered by the background browser

signals:
    void SKTSelectedToolDidChange();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the card views and the panels ask through their host interfaces.
    // ---- Drawing tools (_Tools.cpp) ----
    // The card view's creation services.
    SKTGraphic *Create_Graphic_For_Tool_At(SKTGraphicView &view, QPointF point) override;
    Picture Sample_Picture(SamplePicture which) const override;
    void Set_Natural_Size_Buttons_Enabled(bool enabled) override;
    // ---- Visitor entry panels (_Visitor.cpp; the work is in profile/) ----
    void Visitor_Panel_Control_Selected(SKTGraphic *g) override { m_visitorPanels.Control_Selected(g); }
    void Visitor_Panel_Control_Deleted(SKTGraphic *g) override { m_visitorPanels.Control_Deleted(g); }
    void Visitor_and_Group_Control_Enable_Disable_LOCK_UNLOCK() { m_visitorPanels.Follow_Locks(); }
    // The front has a photo control: "Fup_Photo", or any image control (then selected),
    // or a new "Fup_Photo" showing the placeholder.
    void Check_For_Defalut_Photo_Control() { m_visitorPanels.Check_For_Default_Photo_Control(); }
    // The spreadsheet and group-mode answers the panels and profile dialogs use.
    Profile_Data_Source &profileDataSource();
    // ---- What the visitor panels ask of the window (_Visitor.cpp) ----
    SKTGraphicView *Card_View(int side) const override { return graphicView(side); }
    void Show_Properties(SKTGraphic *g) override { Show_RHS_Properties(g); }
    void Record_Undo(int side) override;
    bool Pause_Undo(bool paused) override { return std::exchange(live_mode_list_value_change, paused); }
    void Set_Tool(int tool) override { m_selectedTool = tool; }
    void Focus(QWidget *widget) override { SetFocus(widget); }
    bool Multiple_Image_Selection(const QString &action) override;
    QStringList Image_File_Types() const override { return Allowd_Image_fileTypes; }
    Picture Image_For_Path(const QString &path) override { return Panel_Image_For_Path(path); }
    QString Camera_Picture() override { return Panel_Camera_Picture(); }
    QString No_Image_Path() const override { return NO_Image_Path; }
    Picture No_Image_Picture() const override { return no_image_ctrl_GP; }
    Picture Err_Image() const override { return Err_image; }
    void Record_Visitor() override;
    Profile_Data_Source &Data_Source() override { return profileDataSource(); }
    void Field_Control_Made(SKTGraphic &g) override;
    QComboBox *Data_Source_Combo() const override;
    void Data_Source_Combo_Follows_Binding() override;
    bool Import_Spreadsheet() override;
    QString Column_Value_Shown(int column) const override;
    void Preview_On_Scratch(const std::function<void()> &fill) override;
    void Show_Side(int side) override { side == 1 ? Select_back_side() : Select_front_side(); }
    Picture Panel_Image_For_Path(const QString &path);
    // ---- Links for the model and canvas ----
    bool Is_Visitor_Or_Group_Mode() const override;
    void Selection_Count_Changed(int count) override;
    // ---- Sides (_Sides.cpp) ----
    int Get_Front_Control_Count() const;
    // ---- Design files (_DesignFile.cpp) ----
    void Save_Design() { Save_project_file(false, true, Card_Mode::Opened); }
    // ---- Undo and redo of side snapshots (_Undo.cpp) ----
    void Undo_Clicked() { Undo_Action_Perform(); }
    // ---- Visitor entry panels (_Visitor.cpp) ----
    void Title_For_Visitor() { Set_Field_Captions(Caption_Wording::Visitor); }
    void Title_For_Gen_ID_Card() { Set_Field_Captions(Caption_Wording::General_ID_Card); }
    // Work of the window itself, grouped as above.
    // ---- Sides (_Sides.cpp) ----
    SKTGraphicList &currentSideControls() const;
    int Get_Back_Control_Count() const;
    int Get_Temp_Control_Count() const;
    void Select_temp_design_side();
    void changeViewController(int index);
    void Temp_Card_Btn_Clicked();
    // The current side's card shape, for the document and the card's background.
    void Set_Card_Shape(int shape);
    // ---- Card appearance (_Card.cpp) ----
    void Refresh_Canvas();
    void Set_Control_Pos_And_Size(SKTGraphic *g);
    void card_prop_set(const QString &fillCode);
    // Opens the grid settings for the shared grid.
    void toggleGridShowing();
    void Disable_Standard_Button_For_Lock();
    void Enable_Standard_Button_For_Unlock();
    // ---- Barcodes (_Barcode.cpp) ----
    // Applies the settings and binding to each selected, unlocked barcode of the
    // current side and renders it; one undo snapshot when anything changed.
    void Update_Barcode_Graphics(const Barcode_Edit &edit);
    // The one barcode settings window (made on first use).
    Barcode_Gen &barcodeWindow();
    // ---- Design files (_DesignFile.cpp) ----
    // The reading part of Read_and_load_design_Log_NEW_METHOD: the file read and put in place, no message and no
    // refresh of the windows; false with the reason in *error.
    bool Read_Design_In_Place(const QString &path, Card_Mode mode, bool readXl, QString *error);
    void Image_Control_Counter_Check();
    // Open's reading of a chosen file, behind the please-wait sheet: true when it is the
    // design now; a file that cannot be read is reported and the open design stays.
    bool Open_Design_File(const QString &path);
    void Save_Design_As() { Save_project_file(true, true, Card_Mode::Opened); }
    // A side as a picture (scale pixels per point), with its card base and border.
    QImage Side_Image(int side, double scale) const;
    // The design as it is now is the one opened, made or saved.
    void Design_Is_As_Saved() { m_steps.Design_Is_As_Saved(); }
    // ---- Per-card values and series commands (_Values.cpp) ----
    Card_Values &cardValues();
    // The data-source section of the property panel and the spreadsheet source window.
    void Build_Data_Source_Section();
    // The series commands' buttons on the desk bar.
    void Build_Series_Commands();
    // ---- Undo and redo of side snapshots (_Undo.cpp): the steps' own road ----
    void Redo_Action_Perform();
    Side_Steps_Rows *Steps_Rows() override;
    void Steps_Card_Size(QSizeF points) override { SetDocumentCanvasSize(points); }
    void Steps_Shown() override;
    void Steps_Changed(int) override { Check_Undo_Redo_Btn_Enability(); }
    void Steps_Copy_Read(const Panel_Typing &typed) override;
    void Steps_Show_Side(int side) override;
    void Steps_Write_Typing() override;
    // Undo is offered while there is a state before the one shown, redo while there
    // is an undone one; both for the current side.
    void Check_Undo_Redo_Btn_Enability();
    void Enable_Disable_Undo(bool enabled);
    void Enable_Disable_Redo(bool enabled);
    void Undo_Redo_Button_state();
    // textHere: the restored state's boxes holding the words "Text here" (SideSnapshot).
    void Refresh_Visitor_Dyn_Ctrl_and_image(const QStringList &textHere)
    {
        m_visitorPanels.Refresh_After_Undo(textHere);
    }
    void Visitor_and_Group_Control_Enable_Disable_On_Undo_Redo(SKTGraphic *g)
    {
        m_visitorPanels.Show_Control_After_Undo(g);
    }
    // ---- Toolbar commands, lock, side copy (_Commands.cpp) ----
    // Connects the command toolbar's undo, redo, lock, unlock, help, card and side-copy
    // actions; the commands of parts not built yet are disabled.
    void connectCommands();
    void Lock_Or_Unlock(bool lock);
    void Card_Prop_Clicked();
    // ---- Help, links, banner and the promotion window (_Help.cpp) ----
    // The banner's picture, the help toolbar item, the product and link buttons.
    void connectHelpAndLinks();
    // Runs the help and support window.
    void Help_Button();
    // ---- Editing commands: clipboard, order, alignment (_Edit.cpp) ----
    // Connects the toolbar's Cut, Copy, Paste, Front and Back, its alignment menu and
    // Select All to the card view of the side shown.
    void connectEditCommands();
    // The toolbar's alignment menu: its items run on the card view of the side shown.
    void connectAlignMenu(QAction *align);
    // The pieces of awakeFromNib: the data folders (false: the window cannot start),
    // the property panels' defaults, the sides bound to the views, the view and file commands.
    bool prepareDataFolders();
    void setUpPropertyDefaults();
    void bindDocumentSides();
    void connectViewCommands();
    void connectFileCommands();
    // ---- Drawing tools (_Tools.cpp) ----
    // A tool button puts its tool in hand and creates its control at once.
    void Tool_Button_Clicked(int tool);
    void Line_Tool_Clicked() { Tool_Button_Clicked(1); }
    void Text_Tool_Clicked() { Tool_Button_Clicked(2); }
    void Rect_Tool_Clicked() { Tool_Button_Clicked(3); }
    void Circle_Tool_Clicked() { Tool_Button_Clicked(4); }
    void Round_Rect_Tool_Clicked() { Tool_Button_Clicked(5); }
    void Triangle_Tool_Clicked() { Tool_Button_Clicked(6); }
    void Diamond_Tool_Clicked() { Tool_Button_Clicked(7); }
    void Image_Tool_Clicked() { Tool_Button_Clicked(8); }
    void Image_Library_Tool_Clicked() { Tool_Button_Clicked(9); }
    void Barcode_Tool_Clicked() { Tool_Button_Clicked(10); }
    void Signature_Tool_Clicked() { Tool_Button_Clicked(11); }
    void Fingure_Print_Tool_Clicked() { Tool_Button_Clicked(12); }
    void Star_Tool_Clicked() { Tool_Button_Clicked(13); }
    void Double_Star_Tool_Clicked() { Tool_Button_Clicked(14); }
    void Polygon_Tool_Clicked() { Tool_Button_Clicked(15); }
    void Select_tool_action();
    void selectArrowTool();
    std::optional<GraphicClass> currentGraphicClass() const;
    void selectedToolDidChange();
    void Watermark_Tool_Clicked();
    // ---- Visitor entry panels (_Visitor.cpp) ----
    void Build_Visitor_Panels();
    void Title_For_Student() { Set_Field_Captions(Caption_Wording::Student); }
    void Reset_All_Visitor_Grp_Mode_Ctrl() { m_visitorPanels.Reset_All_Panels(); }
    void Hide_Visitor_panel() { m_visitorPanels.Hide_Visitor_Panel(); }
    // The end of every road to a card (a design, template or group project read, a start
    // window's road): captions, empty panels, the card's fields, and the tools and buttons
    // of the mode. `copied`: a side copied onto the other, whose panel held this typing:
    // both panels keep it and the dates and times on the card stay.
    void Load_Visitor_Panels_From_Card(const Panel_Typing *copied = nullptr);
    // The camera window (one for the run); its frames come from Make_Camera_Source.
    Camera &Camera_Window();
    // ---- Group mode (_Group.cpp) ----
    // The "Group Mode" command (Group_Mode::Group_Mode_Clicked).
    void Group_Mode_Clicked();
    bool Is_Group_Mode() const { return document.Start_Card_Option == Card_Mode::Group; }
    // The group mode with what it asks of this window, and its row list in the pane.
    void Build_Group_Pane();
    // The selected row on the card and the panel of the side shown.
    void Assign_value_to_card_in_group_mode_list_selection();
    // Makes a group-mode field's control on a side (the binding's maker).
    SKTGraphic *Make_Group_Control(int side, const QString &id, const QString &value, bool picture);
    class Group_Host;
    std::unique_ptr<Group_Mode_Host> m_groupHost;
    std::unique_ptr<Group_Mode> m_group;
    // ---- Links for the model and canvas ----
    // What the sides report: a control changed (its place and size are shown again when
    // it is the current one); an image or signature control was put on a side (the
    // image panel starts from its defaults).
    void Side_Control_Changed(SKTGraphic *g);
    void Side_Control_Inserted(int index, SKTGraphic *g);
    // ---- Fields read across the system ----
    // The wizards' roads from the start window (SKTWindowController_Wizard.cpp): true when
    // a new design was made, false after Cancel (the profile records reset).
    bool Run_Card_Wizard();
    bool Run_Invitation_Wizard();
    Start_Card &Start_Window();
    void loadResourcePictures();
    // Reading a design: its sides, card properties and choices take the open design's
    // place; then the side lists, panels and title follow it (also after a side copy,
    // given what the clerk typed on the source side). Neither moves the saved state:
    // only the roads that read or write a file say the design is as saved.
    void Put_Design_In_Place(DesignData &data, bool readXl);
    void Design_Did_Load(const Panel_Typing *copied = nullptr);
    void buildCardViews();

    void showSide(int side);
    Visitor_Panel_Desk m_visitorPanels{document, *this};

    // The sides' steps: their history, and whether the design differs from what was last
    // read or written (Design_Changed).
    Side_Steps m_steps{document, m_visitorPanels, *this, live_mode_list_value_change};
    double _zoomFactor = 1.0;
    int m_selectedTool = 0;
    SKTGraphic *Last_Selected_Graphic = nullptr;
    int Image_Ctrl_Counter = 0;
    QFont Text_font, WM_Text_font;
    QString NO_Image_Path;
    QStringList Text_Date_style, Text_Time_style;
    std::unique_ptr<Visitor_Record_Desk> m_visitorRecord;  // made on first use
    // The image panel's natural-size and fit-to-label buttons, once it has them.
    QAbstractButton *Make_natural_size_btn = nullptr;
    QAbstractButton *fit_to_label_btn = nullptr;

    // What the property panels are given of this window.
    std::unique_ptr<PropertyPanelHost> m_panelHost;
    std::unique_ptr<DataSourceHost> m_dataSourceHost;
    std::unique_ptr<Profile_Data_Source> m_profileSource;
    Profile_Desk m_profileDesk{document, *this, modalRunner};
    // Made where their types are known.
    std::shared_ptr<Card_Values> m_cardValues;
    Data_From_Excel *m_dataFromExcel = nullptr;
    std::shared_ptr<Series_Commands> m_seriesCommands;
    // What the output commands ask of the window, and the commands themselves.
    class Window_Output_Host;
    std::unique_ptr<Output_Host> m_outputHost;
    std::unique_ptr<Run_Desk> m_runDesk;
    void connectOutputCommands();
    Help_Support *m_help = nullptr;
    Promotion_Form *m_promotion = nullptr;
    Grid_Wizard *m_gridWizard = nullptr;
    Export_Template *m_templateName = nullptr;
    Image_Library *m_imageLibrary = nullptr;  // made at its first opening
    std::unique_ptr<Start_Card> m_startCard;  // made at their first opening
    std::unique_ptr<Card_Wizard> m_cardWizard;
    std::unique_ptr<Invitation_Wizard> m_invitationWizard;
    Wizard_Collaborators Wizard_Services();
    // A new design of the wizard's card in mode "W", with the picture as the front's
    // background when there is one.
    void New_Wizard_Design(const Wizard_Card_Choice &card, const QString &background);
    // The end of every road from the start window: the profile written on the card after
    // a profile OK, the panels read from the card, the front shown, the undo history anew.
    void Finish_Started_Design();
    void Cancel_Wizard();
    Camera *m_camera = nullptr;               // made at its first opening
    bool m_setUp = false;
    QPointF m_lastNewPoint{10, 10};
};

extern SKTWindowController *Main_App_wnd;
