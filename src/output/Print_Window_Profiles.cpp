// The print window's profiles: list, load, save, add and edit, delete; and the
// profile dialog.
#include "Print_Window.h"

#include "FileUtilities.h"
#include "Globals.h"
#include "Helpers.h"
#include "LayoutParts.h"
#include "Log.h"
#include "MessageBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {
const QString kSelectProfile = QStringLiteral("Please select a print profile");
// What a row holds beside the text it shows.
constexpr int kFileRole = Qt::UserRole, kNameRole = Qt::UserRole + 1;
}

QString Print_Window::selectedProfile() const
{
    // The highlighted row, whichever row holds the keyboard focus.
    const QList<QListWidgetItem *> picked = List_profile->selectedItems();
    return picked.size() == 1 ? Trim_Str(picked.first()->data(kNameRole).toString()) : QString();
}

QString Print_Window::selectedProfileFile() const
{
    const QList<QListWidgetItem *> picked = List_profile->selectedItems();
    return picked.size() == 1 ? picked.first()->data(kFileRole).toString() : QString();
}

QString Print_Window::profileToChange() const
{
    const QString name = selectedProfile();
    if (name.isEmpty()) Show_MessageBox(kSelectProfile);
    return name;
}

void Print_Window::selectProfile(const QString &name)
{
    for (int i = 0; i < List_profile->count(); ++i)
        if (List_profile->item(i)->data(kNameRole).toString() == name) {
            List_profile->setCurrentRow(i);
            return;
        }
}

void Print_Window::selectProfileFile(const QString &file)
{
    for (int i = 0; i < List_profile->count(); ++i)
        if (Is_Same_File(List_profile->item(i)->data(kFileRole).toString(), file)) {
            List_profile->setCurrentRow(i);
            return;
        }
}

QString Print_Window::profileFile(const QString &name) const
{
    QList<QListWidgetItem *> rows = List_profile->selectedItems();
    for (int i = 0; i < List_profile->count(); ++i) rows << List_profile->item(i);
    for (const QListWidgetItem *row : rows)
        if (Trim_Str(row->data(kNameRole).toString()) == name) return row->data(kFileRole).toString();
    return Print_Profile_Path(m_folder, name);
}

bool Print_Window::removeProfileFile(const QString &file, const QString &name)
{
    QFile profile(file);
    if (profile.remove()) return true;
    const QString why =
        QStringLiteral("The print profile \"%1\" could not be deleted.\n\n%2").arg(name, profile.errorString());
    Show_NSLog_Message(why);
    Show_MessageBox(why);
    return false;
}

void Print_Window::Load_Print_Profile()
{
    {
        const QSignalBlocker b(List_profile);
        List_profile->clear();
        for (const Print_Profile_File &file : Print_Profile_Files(m_folder)) {
            auto *row = new QListWidgetItem(file.shown, List_profile);
            row->setData(kFileRole, file.path);
            row->setData(kNameRole, file.name);
        }
        if (List_profile->count()) List_profile->setCurrentRow(0);
    }
    if (!List_profile->count()) return;
    Delete_profile_btn->setEnabled(selectedProfile() != Default_Profile_Name);
    Read_and_load_profile_info(selectedProfile());
}

void Print_Window::Read_and_load_profile_info(const QString &name)
{
    const QString path = profileFile(name);
    if (!QFileInfo::exists(path)) return;
    QString why;
    const std::optional<Print_Profile> p = Read_Print_Profile(path, &why);
    if (!p) {
        Show_NSLog_Message(why);
        return;
    }
    m_loading = true;
    m_profilePrinter = p->printer;
    // A printer that is not installed keeps the one in use; none named means it too.
    if (!p->printer.isEmpty() && Select_Printer(m_settings, p->printer)) {
        const QSignalBlocker b(Printer_ComboBox);
        Printer_ComboBox->setCurrentIndex(Printer_ComboBox->findText(p->printer));
    }
    Select_Orientation(m_settings, p->orientation == QLatin1String("Portrait") ? QPageLayout::Portrait
                                                                               : QPageLayout::Landscape);
    // The side first: duplex and fit force the fields the profile then fills.
    {
        const QSignalBlocker b1(fit_frame_chk);
        fit_frame_chk->setChecked(false);
        Normal_Printing_Is_Selected();
    }
    const bool twoSided = m_design.twoSided;
    if (twoSided && p->side == Run_Sides::Both) {
        matrix_card_side->button(0)->setChecked(true);
        print_alignment->setCurrentIndex(std::clamp(p->sideAlign, 0, 4));
    } else {
        matrix_card_side->button(twoSided && p->side != Run_Sides::Front ? 2 : 1)->setChecked(true);
        print_alignment_one_side->setCurrentIndex(std::clamp(p->sideAlign, 0, 1));
    }
    sideChosen();
    if (Row_Text->isEnabled()) {
        const QSignalBlocker b1(Row_Text), b2(Col_Text), b3(horz_mar_Text), b4(vert_mar_Text), b5(Side_Margin_Text);
        Row_Text->setValue(p->rows);
        Col_Text->setValue(p->cols);
        horz_mar_Text->setValue(p->horzGapMM);
        vert_mar_Text->setValue(p->vertGapMM);
        if (Side_Margin_Text->isEnabled()) Side_Margin_Text->setValue(p->sideMarMM);
    }
    if (QAbstractButton *b = alignButtons->button(p->align)) b->setChecked(true);
    Set_Reset_Alignemnt_Image(p->align);
    {
        const QSignalBlocker b(Auto_Center_chk_bx);
        Auto_Center_chk_bx->setChecked(p->autoCenter);
    }
    Auto_Center_Checked();
    {
        const QSignalBlocker b1(mirror_chk_box), b2(Show_Margins), b3(crop_mark_chk), b4(fit_frame_chk),
            b5(print_with_batch_chk), b6(print_with_excel_chk);
        mirror_chk_box->setChecked(p->mirror);
        for (QAbstractButton *b : mirror_matrix->buttons()) b->setEnabled(p->mirror);
        mirror_matrix->button(p->mirrorVertical ? 1 : 0)->setChecked(true);
        Show_Margins->setChecked(p->showMargins);
        if (p->series && m_design.usesSeries() && !m_design.visitorMode) print_with_batch_chk->setChecked(true);
        if (p->spreadsheet && m_design.usesSpreadsheet() && !m_design.visitorMode) print_with_excel_chk->setChecked(true);
        crop_mark_chk->setChecked(p->cropMarks);
        fit_frame_chk->setChecked(p->fitToFrame);
    }
    if (fit_frame_chk->isChecked()) Disable_for_fit_or_duplex();
    m_loading = false;
    Set_Enable_Diable_Range_Box();
    Set_values_From_Printer();
    Check_Max_Cell_Value();
    Calculate_label_acc_row_col();
}

bool Print_Window::Save_Print_Profile(const QString &name, const QString &printer)
{
    return saveProfileFile(profileFile(name), printer);
}

bool Print_Window::saveProfileFile(const QString &file, const QString &printer)
{
    Print_Profile p;
    p.printer = printer;
    p.paperName = Paper_id->text();
    p.paperSizeText = Size_id->text();
    p.paperWidthMM = m_settings.paperSizeMM().width();
    p.paperHeightMM = m_settings.paperSizeMM().height();
    p.orientation = Orient_ComboBox->currentIndex() == 0 ? QStringLiteral("Portrait") : QStringLiteral("Landscape");
    p.rows = Row_Text->value();
    p.cols = Col_Text->value();
    p.horzGapMM = horz_mar_Text->value();
    p.vertGapMM = vert_mar_Text->value();
    p.sideMarMM = Side_Margin_Text->value();
    p.leftMarMM = l_mar_id->text().toDouble();
    p.topMarMM = t_mar_id->text().toDouble();
    p.riteMarMM = r_mar_id->text().toDouble();
    p.botMarMM = b_mar_id->text().toDouble();
    p.align = std::max(1, alignButtons->checkedId());
    p.autoCenter = Auto_Center_chk_bx->isChecked();
    const int side = matrix_card_side->checkedId();
    p.side = Run_Sides_Of_Row(side);
    p.sideAlign = side == 0 ? print_alignment->currentIndex() : print_alignment_one_side->currentIndex();
    p.mirror = mirror_chk_box->isChecked();
    p.mirrorVertical = mirror_matrix->checkedId() == 1;
    p.showMargins = Show_Margins->isChecked();
    p.series = print_with_batch_chk->isChecked();
    p.spreadsheet = print_with_excel_chk->isChecked();
    p.cropMarks = crop_mark_chk->isChecked();
    p.fitToFrame = fit_frame_chk->isChecked();
    int error = 0;
    if (!Write_Print_Profile(file, p, &error)) {
        Show_MessageBox(Failed_Write_Text(QStringLiteral("Error in file accessing."), error));
        return false;
    }
    Show_MessageBox(QStringLiteral("Print Profile has been saved successfully."));
    Load_Print_Profile();
    return true;
}

void Print_Window::Add_Edit_Print_Profile(Profile_Change change)
{
    const bool edit = change == Profile_Change::Edit;
    QString name, printer, editedFile;
    if (edit) {
        name = profileToChange();
        if (name.isEmpty()) return;
        // The edited row's own file: the list is read again before the old file goes.
        editedFile = selectedProfileFile();
        printer = Printer_ComboBox->currentText();
    }
    m_profileDialog->pageSetup = [this] {
        return pageSetupRunner ? pageSetupRunner(m_settings) : Run_Page_Setup(m_settings, m_profileDialog);
    };
    if (m_profileDialog->Open_Profile_Wnd(name, printer) != 1) return;
    if (Select_Printer(m_settings, m_profileDialog->custom_profile_Printer)) {
        const QSignalBlocker b(Printer_ComboBox);
        Printer_ComboBox->setCurrentIndex(Printer_ComboBox->findText(m_settings.printer));
    }
    Set_values_From_Printer();
    const QString newName = m_profileDialog->custom_print_profile_name;
    // An edit that keeps the name writes the edited row's own file; a new name writes
    // the file of the profile listed under it, or a new file.
    const QString file = edit && newName == name ? editedFile : profileFile(newName);
    if (!saveProfileFile(file, m_profileDialog->custom_profile_Printer)) return;
    // A renamed profile: its old file goes only once the new one is written whole, and
    // never when the new file is the old one (a name changed only in letter case where
    // the file system ignores case). "Default" always stays.
    if (edit && name != Default_Profile_Name && QFileInfo::exists(editedFile) && !Is_Same_File(file, editedFile)) {
        removeProfileFile(editedFile, name);
        Load_Print_Profile();
    }
    if (edit) selectProfileFile(file);
}

void Print_Window::Save_profile_btn_clicked()
{
    const QString name = profileToChange();
    if (name.isEmpty()) return;
    const QString file = selectedProfileFile();
    if (!saveProfileFile(file, Printer_ComboBox->currentText())) return;
    // The saved row again, when another row bears the same name too.
    selectProfileFile(file);
}

void Print_Window::Delete_profile_btn_clicked()
{
    const QString name = profileToChange();
    if (name.isEmpty()) return;
    if (name == Default_Profile_Name) return;  // "Default" always stays
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure want to delete selected 'Print Profile'?")) != 1) return;
    removeProfileFile(selectedProfileFile(), name);
    Load_Print_Profile();
}

// ---- The profile dialog ----

Add_Print_Profile::Add_Print_Profile(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Print Profile"));
    Paint_Window_Background(*this);
    Profile_name = new QLineEdit;
    pass_profile_name = new QLineEdit;
    pass_profile_name->setVisible(false);
    Printer_ComboBox = new QComboBox;
    auto *ok = new QPushButton(tr("OK"));
    auto *cancel = new QPushButton(tr("Cancel"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { OKPressed(); });
    connect(cancel, &QPushButton::clicked, this, [this] { CancelPressed(); });
    auto *form = new QFormLayout(this);
    form->addRow(tr("Profile name:"), Profile_name);
    form->addRow(tr("Printer:"), Printer_ComboBox);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    form->addRow(buttons);
    form->addRow(pass_profile_name);
}

int Add_Print_Profile::Open_Profile_Wnd(const QString &name, const QString &printer)
{
    Profile_name->setText(name);
    pass_profile_name->setText(name);
    Printer_ComboBox->clear();
    Printer_ComboBox->addItems(Printer_Names());
    Printer_ComboBox->setCurrentIndex(Printer_ComboBox->count() ? 0 : -1);
    if (!name.isEmpty() || !printer.isEmpty()) Printer_ComboBox->setCurrentIndex(Printer_ComboBox->findText(printer));
    setResult(0);
    if (runner) {
        runner(*this);
        return result();
    }
    return Run_Then_Hide(*this);
}

void Add_Print_Profile::OKPressed()
{
    const QString problem = Print_Profile_Name_Problem(Printer_ComboBox->currentText(), Profile_name->text());
    if (!problem.isEmpty()) {
        Show_MessageBox(problem);
        return;
    }
    custom_profile_Printer = Printer_ComboBox->currentText();
    custom_print_profile_name = Clean_Profile_Name(Profile_name->text());
    if (pageSetup && !pageSetup()) return;
    done(1);
}

void Add_Print_Profile::CancelPressed()
{
    Profile_name->clear();
    done(0);
}
