// The cropping window's direct roads and its spreadsheet-column input. An image
// control's crop command opens the crop screen at once: on the control's picture
// (mode 1: Crop Image writes one file into "Cropped_Images"), on its series (mode 2:
// Crop Images writes a folder of pictures and a new series listing them) or on its
// spreadsheet column (mode 3: a folder of pictures and a new column of the rows).
#include "Cropping_Tool.h"

#include "DesignChoices.h"
#include "DirectCropNames.h"
#include "Export_File_Writer.h"
#include "Globals.h"
#include "Helpers.h"
#include "Log.h"
#include "MessageBox.h"
#include "Modal_Runner.h"
#include "RunUnderWay.h"
#include "Paths.h"
#include "PictureView.h"
#include "RowTable.h"
#include "SelectionCanvas.h"
#include "SeriesFile.h"
#include "Shared_Dialogs.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>

#include <optional>

namespace {
const QString kCropped = QStringLiteral("Image has been cropped successfully.");
// Group mode keeps a column's change in the project when the row list's Save is pressed.
const QString kPressSave = QStringLiteral("\n\nPlease click on 'Save' button to update your changes in your project data.");
const QString kNoColumnPicture =
    QStringLiteral("The selected control does not contains any image with supported extension.");
} // namespace

void Cropping_Tool::buildDirectRoads()
{
    // The spreadsheet-column input, after the other inputs of the main screen.
    auto *form = qobject_cast<QFormLayout *>(screens->widget(0)->layout());
    excel_radio = new QRadioButton(tr("Spreadsheet column"));
    excel_column_list = new QComboBox;
    excel_column_list->setPlaceholderText(QStringLiteral("<--Select-->"));
    int lastRow = -1;
    QFormLayout::ItemRole role;
    form->getWidgetPosition(series_radio, &lastRow, &role);
    view_excel_btn = new QPushButton(tr("View"));
    form->insertRow(lastRow + 1, excel_radio, Cropping_Row({excel_column_list, view_excel_btn}));
    connect(view_excel_btn, &QPushButton::clicked, this, &Cropping_Tool::View_batch_Series_Button);
    file_radio->group()->addButton(excel_radio);
    connect(excel_radio, &QRadioButton::toggled, this, &Cropping_Tool::input_option_CellClick);

    // Crop Image / Crop Images, below Crop All.
    Crop_direct_Btn = new QPushButton(tr("Crop Image"));
    for (QBoxLayout *box : screens->widget(1)->layout()->findChildren<QBoxLayout *>()) {
        const int at = box->indexOf(crop_all_btn);
        if (at >= 0) {
            box->insertWidget(at + 1, Crop_direct_Btn);
            break;
        }
    }
    Croping_option_Box = drawn_radio->parentWidget();
    connect(Crop_direct_Btn, &QPushButton::clicked, this, &Cropping_Tool::Crop_Direct_Image_Clicked);
}

void Cropping_Tool::Reset_Direct_Roads()
{
    crop_direct = 0;
    Crop_Direct_Path.clear();
    Crop_Direct_Series.clear();
    Passed_Excel_Col_Index = -1;
    Passed_Excel_Col_Name.clear();
    Crop_New_Excel_Col_Index = -1;
    Crop_New_Excel_Col_Name.clear();
    m_directSeriesName.clear();
    m_directSeriesPath.clear();
    Crop_direct_Btn->hide();
    for (QWidget *w : std::initializer_list<QWidget *>{next_btn, back_btn, crop_btn, crop_all_btn, Open_Folder_Btn,
                                                       Croping_option_Box, list})
        w->show();
    // The spreadsheet input: while the design has rows.
    const bool rows = m_rows && m_rows->Row_Table_Row_Count() > 0;
    excel_radio->setEnabled(rows);
    if (excel_radio->isChecked() && !rows) file_radio->setChecked(true);
    excel_column_list->clear();
    if (rows)
        for (int k = 0; k < m_rows->Row_Table_Column_Count(); ++k) excel_column_list->addItem(m_rows->Row_Table_Column_Title(k));
    excel_column_list->setCurrentIndex(-1);
    excel_column_list->setEnabled(excel_radio->isChecked());
    view_excel_btn->setEnabled(excel_radio->isChecked());
}

// ---- The spreadsheet-column input of the main screen ----

bool Cropping_Tool::Load_Excel_Input_Screen(bool *answer)
{
    if (crop_direct == 0) {
        crop_btn->show();
        crop_all_btn->show();
    }
    if (!excel_radio->isChecked()) return false;
    *answer = false;
    const int column = excel_column_list->currentIndex();
    if (column < 1 || !m_rows) {
        Show_MessageBox(QStringLiteral("Please select excel column."));
        return true;
    }
    if (Trim_Str(output_path->text()).isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select output folder path."));
        return true;
    }
    if (const QString refusal = Crop_Custom_Name_Refusal(custom_name->text());
        custom_name_radio->isChecked() && !refusal.isEmpty()) {
        Show_MessageBox(refusal);
        return true;
    }
    QStringList paths;
    for (int row = 0; row < m_rows->Row_Table_Row_Count(); ++row)
        paths << Trim_Str(m_rows->Get_sel_row_col_value_of_Excel(row, column));
    if (!Any_Picture_File(paths)) {
        Back_Btn_Clicked();
        Show_MessageBox(kNoColumnPicture);
        return true;
    }
    screens->setCurrentIndex(1);
    Create_List(paths);
    list->show();
    crop_btn->hide();
    list->selectRow(0);
    Show_hide_Crop_Selection(mode() == Crop_Mode::Drawn);
    *answer = true;
    return true;
}

// ---- The direct entries ----

bool Cropping_Tool::Open_Direct_Screen(int direct, const QStringList &rows, const QString &emptyMessage)
{
    crop_direct = direct;
    if (direct >= 2 && !Any_Picture_File(rows)) {
        Show_MessageBox(emptyMessage);
        crop_direct = 0;
        return false;
    }
    for (QWidget *w : std::initializer_list<QWidget *>{next_btn, back_btn, crop_btn, crop_all_btn, Open_Folder_Btn})
        w->hide();
    Croping_option_Box->setVisible(direct != 1);
    Image_Edit_Prop_Box->setEnabled(true);  // the adjusted picture is the one cut
    list->setVisible(direct != 1);
    Crop_direct_Btn->setText(direct == 2 ? tr("Crop Images") : tr("Crop Image"));
    Crop_direct_Btn->show();
    screens->setCurrentIndex(1);
    Fill_Direct_List(rows);
    list->selectRow(0);
    Show_hide_Crop_Selection(mode() == Crop_Mode::Drawn);
    return true;
}

void Cropping_Tool::Fill_Direct_List(const QStringList &paths)
{
    // Every row stays, empty ones included, so the results keep the rows' places.
    list->setRowCount(0);
    for (const QString &path : paths) {
        const QString trimmed = Trim_Str(path);
        const int r = list->rowCount();
        list->insertRow(r);
        list->setItem(r, 0, new QTableWidgetItem(QString::number(r + 1)));
        list->setItem(r, 1, new QTableWidgetItem(trimmed));
        list->setItem(r, 2, new QTableWidgetItem(QFileInfo(trimmed).fileName()));
    }
}

int Cropping_Tool::Open_Wnd_Direct_To_Crop(const QString &path)
{
    Set_Default_Values();
    Crop_Input_Path = path;
    if (!Open_Direct_Screen(1, {path}, QString())) return 0;
    const int code = Run_Modal(m_runner, *this);
    hide();
    return code;
}

int Cropping_Tool::Open_Wnd_Direct_Crop_Series(const QString &name)
{
    Set_Default_Values();
    m_directSeriesName = name;
    QStringList rows;
    const QString path = SeriesFile::Path(Data_Folder_Path, name);
    if (const std::optional<QByteArray> bytes = SeriesFile::Read_Bytes(path)) rows = Direct_Series_Rows(*bytes);
    else Show_NSLog_Message(QStringLiteral("Series not read: ") + path);
    if (!Open_Direct_Screen(2, rows, QStringLiteral("The selected series does not contains any image with supported extension.")))
        return 0;
    const int code = Run_Modal(m_runner, *this);
    hide();
    return code;
}

int Cropping_Tool::Open_Wnd_Direct_Excel_Column(const QString &name, int column)
{
    Set_Default_Values();
    Passed_Excel_Col_Index = column;
    Passed_Excel_Col_Name = name;
    excel_column_list->setCurrentIndex(column < excel_column_list->count() ? column : -1);
    QStringList rows;
    for (int row = 0; m_rows && column >= 0 && row < m_rows->Row_Table_Row_Count(); ++row)
        rows << m_rows->Get_sel_row_col_value_of_Excel(row, column);
    if (!Open_Direct_Screen(3, rows, kNoColumnPicture)) return 0;
    const int code = Run_Modal(m_runner, *this);
    hide();
    return code;
}

// ---- Crop Image / Crop Images ----

QString Cropping_Tool::Direct_Result_Message(const QString &result) const
{
    return Start_Card_Option == Card_Mode::Group && ctrl_data_source_type == Data_Source_Spreadsheet ? result + kPressSave
                                                                                                     : result;
}

void Cropping_Tool::Crop_Direct_Image_Clicked()
{
    if (!On_Gui_Thread("Crop_Direct_Image_Clicked") || crop_direct == 0) return;
    if (m_job) {  // one run at a time: the running one goes on as it is
        Show_MessageBox(Run_Under_Way_Text());
        return;
    }
    const Crop_Mode m = mode();
    if (m == Crop_Mode::Drawn && !canvas->hasSelectors()) {
        Show_MessageBox(QStringLiteral("Please select area to crop."));
        return;
    }
    if (crop_direct == 1) {
        Crop_Direct_Picture();
        return;
    }
    if (m == Crop_Mode::Face && !Find_Face) {
        Show_hide_Crop_Selection(false);
        Show_MessageBox(QStringLiteral("No face detected."));
        return;
    }
    const QString question =
        crop_direct == 2
            ? QStringLiteral("This action will create new batch series with all new cropped images.\nAre you sure you want to continue?")
            : QStringLiteral("This action will create new excel column with all new cropped images.\nAre you sure you want to continue?");
    if (Show_YES_NO_MessageBox(question) != 1) return;
    Start_Direct_Run();
}

void Cropping_Tool::Crop_Direct_Picture()
{
    // The window closes with 1 only once the picture is written: the caller binds its
    // control to the file.
    if (User_Picture.isNull()) {
        Show_MessageBox(QStringLiteral("There is no image to crop."));
        return;
    }
    const Crop_Mode m = mode();
    if (m == Crop_Mode::Face && !Find_Face) {
        Show_hide_Crop_Selection(false);
        Show_MessageBox(QStringLiteral("No face detected."));
        return;
    }
    Crop_Cut_Settings s = Cut_Settings();
    if (m == Crop_Mode::Face) s.mode = Crop_Mode::Drawn;  // the face rectangle as the user left it
    std::optional<PleaseWait_Scope> wait(std::in_place, this);
    const Crop_Result cut = Crop_Picture(User_Picture, s, m_detector.get());
    if (cut.outcome != Crop_Outcome::Cut) {
        wait.reset();
        Show_MessageBox(QStringLiteral("Please select area to crop."));
        return;
    }
    Create_Folder(Cropped_Img_Path);
    const QString target = Check_Exist_Path_and_Create_New(Path_Join(Cropped_Img_Path, Direct_Crop_File_Name(Crop_Input_Path)));
    const bool saved = Save_gen_image(cut.image, target, File_Link::Replace);
    wait.reset();
    if (!saved) {
        Show_NSLog_Message(QStringLiteral("Cropped picture not written: ") + target);
        Show_MessageBox(QStringLiteral("Error in file accessing."));
        return;
    }
    Crop_Direct_Path = target;
    done(1);
    Show_MessageBox(Direct_Result_Message(kCropped));
}

void Cropping_Tool::Start_Direct_Run()
{
    Crop_All_Snapshot snap;
    for (int r = 0; r < list->rowCount(); ++r) snap.paths << Get_Item_Text(r);
    snap.cut = Cut_Settings();
    snap.adjustments = Current_Adjustments();
    snap.direct = true;
    snap.counter = crop_num;
    Create_Folder(Cropped_Img_Path);
    if (crop_direct == 2) {
        Create_Folder(Data_Folder_Path);
        m_directSeriesPath = Check_Exist_Path_and_Create_New(
            Path_Join(Data_Folder_Path, Remove_Reserve_Char_In_File_Name(m_directSeriesName) + QStringLiteral(".txt")));
        Crop_Direct_Series = QFileInfo(m_directSeriesPath).completeBaseName();
        snap.outputFolder = Path_Join(Cropped_Img_Path, Crop_Direct_Series);
        snap.series = Crop_Series_Output::New;
        snap.seriesPath = m_directSeriesPath;
    } else {
        if (!m_rows) return;
        snap.outputFolder = Path_Join(Cropped_Img_Path, Row_Table_New_Column_Title(m_rows->Row_Table_Column_Count()));
    }
    Create_Folder(snap.outputFolder);
    if (!Start_Crop_Job(snap, &Cropping_Tool::Finish_Direct_Run))
        Crop_Direct_Series.clear();
}

void Cropping_Tool::Finish_Direct_Run()
{
    if (!On_Gui_Thread("Finish_Direct_Run") || !m_job) return;
    m_job->Wait();
    crop_num = m_job->counter();
    const QStringList lines = m_job->seriesLines();  // one per row done: the file, or empty
    // A new series tells all the run tells (pictures not read, without a face, not
    // written, a stop); a new column tells a file not written or a stop, and names the
    // rows it kept uncut itself.
    const Crop_All_Shortfall shortfall = m_job->shortfall();
    const bool shortOf = crop_direct == 2 ? m_state->Export_File_Message != Crop_All_Success_Text()
                                          : shortfall.unwritten > 0 || shortfall.stoppedAfter >= 0;
    const QString told = shortOf ? m_state->Export_File_Message : QString();
    m_progress->update_sending_progress_bar();
    m_progress->Hide_One_By_One_Modeless();
    Show_Selection_After_Run();
    m_job.reset();
    QString result = kCropped;
    if (crop_direct == 2) {
        if (!QFileInfo(m_directSeriesPath).isFile()) {
            Crop_Direct_Series.clear();
            Show_MessageBox(QStringLiteral("Error in series file accessing."));
            emit cropAllFinished();
            return;
        }
    } else if (m_rows) {
        // A row whose picture was not cut keeps it, and the message names the row; rows
        // a stop left out get empty cells.
        QStringList inputs;
        for (int r = 0; r < list->rowCount(); ++r) inputs << Get_Item_Text(r);
        const Direct_Column column = Direct_Column_Cells(inputs, lines);
        Crop_New_Excel_Col_Index = m_rows->Add_Row_Table_Column(column.cells);
        Crop_New_Excel_Col_Name = Spreadsheet_Key_Of_Column(Crop_New_Excel_Col_Index);
        result = Direct_Column_Message(inputs, column);
    }
    if (shortOf) {
        // The run's count first; the rows kept uncut after it.
        const int kept = result.indexOf(QStringLiteral("\n\n"));
        result = told + (result != kCropped && kept >= 0 ? result.mid(kept) : QString());
    }
    done(1);
    Show_MessageBox(Direct_Result_Message(result));
    emit cropAllFinished();
}
