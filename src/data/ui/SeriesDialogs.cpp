#include "SeriesDialogs.h"

#include "FileUtilities.h"
#include "Helpers.h"
#include "LayoutParts.h"
#include "MessageBox.h"
#include "Paths.h"
#include "SeriesFile.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

// ---- Load_Num_Info ----

Load_Num_Info::Load_Num_Info(QWidget *parent)
    : SeriesDialog(parent)
{
    setWindowTitle(tr("Values"));
    yes = Command_Button(tr("Yes"), this, &Load_Num_Info::YESPressed);
    no = Command_Button(tr("No"), this, &Load_Num_Info::NOPressed);
    cancel = Command_Button(tr("Cancel"), this, &Load_Num_Info::CancelPressed);
    yes->setDefault(true);
    auto *text = new QLabel(tr("The list already holds values. Do you want to replace them?\n\n"
                               "Yes: the new values replace the listed ones.\n"
                               "No: the new values are added after them."));
    text->setWordWrap(true);
    Stack_Layout(this, {text, Button_Row({yes, no, cancel})});
}

// ---- Update_Ex_Num ----

Update_Ex_Num::Update_Ex_Num(QWidget *parent)
    : SeriesDialog(parent)
{
    setWindowTitle(tr("Update Value"));
    m_ex_num_str = new QLineEdit;
    ok = Command_Button(tr("OK"), this, &Update_Ex_Num::OKPressed);
    cancel = Command_Button(tr("Cancel"), this, &Update_Ex_Num::CancelPressed);
    ok->setDefault(true);
    auto *form = new QFormLayout;
    form->addRow(tr("Value:"), m_ex_num_str);
    Stack_Layout(this, {form, Button_Row({ok, cancel})});
    resize(360, 100);
}

std::optional<QString> Update_Ex_Num::Open_Wnd(const QString &value, int row)
{
    m_s_number = Trim_Str(value);
    m_ex_num_str->setText(m_s_number);
    m_ex_num_index = row;
    m_result.reset();
    runModal();
    return m_result;
}

void Update_Ex_Num::OKPressed()
{
    if (m_ex_num_str->text() == m_s_number) {
        done(1);
        return;
    }
    const QString value = Trim_Str(m_ex_num_str->text());
    if (value.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter a valid value."));
        m_ex_num_str->setFocus();
        return;
    }
    m_result = value;
    m_ex_num_str->clear();
    m_s_number.clear();
    done(1);
}

void Update_Ex_Num::CancelPressed()
{
    m_ex_num_str->clear();
    m_s_number.clear();
    m_ex_num_index = -1;
    done(0);
}

// ---- CreateFolder ----

CreateFolder::CreateFolder(QString projectRoot, QWidget *parent)
    : SeriesDialog(parent), m_root(std::move(projectRoot))
{
    setWindowTitle(tr("New Folder"));
    folder_name = new QLineEdit;
    folder_combo = new QComboBox;
    ok = Command_Button(tr("OK"), this, &CreateFolder::OKPressed);
    cancel = Command_Button(tr("Cancel"), this, &CreateFolder::CancelPressed);
    ok->setDefault(true);
    auto *form = new QFormLayout;
    form->addRow(tr("Folder name:"), folder_name);
    form->addRow(tr("Inside:"), folder_combo);
    Stack_Layout(this, {form, Button_Row({ok, cancel})});
}

int CreateFolder::Open_Wnd(const QStringList &parents)
{
    folder_combo->clear();
    folder_combo->addItems(parents);
    folder_combo->setCurrentIndex(parents.isEmpty() ? -1 : 0);
    return runModal();
}

void CreateFolder::OKPressed()
{
    const QString name = Remove_Reserve_Char_In_File_Name(Trim_Str(folder_name->text()));
    if (name.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter folder name."));
        return;
    }
    if (folder_combo->currentIndex() < 0) {
        Show_MessageBox(QStringLiteral("Please select project path."));
        return;
    }
    const QString relative = Trim_Str(folder_combo->currentText()) + u'/' + name;
    const QString full = Path_Join(m_root, relative);
    // A link of that name, even one leading nowhere, is taken.
    if (Path_Is_Taken(full)) {
        Show_MessageBox(QStringLiteral("Folder already exist."));
        return;
    }
    if (!Create_Folder(full) || !QFileInfo(full).isDir()) {
        Show_MessageBox(QStringLiteral("Error in file accessing."));
        return;
    }
    add_new_folder = relative;
    folder_name->clear();
    done(1);
}

void CreateFolder::CancelPressed()
{
    add_new_folder.clear();
    folder_name->clear();
    done(0);
}

// ---- View_Data_Series ----

View_Data_Series::View_Data_Series(QString seriesFolder, QWidget *parent)
    : SeriesDialog(parent), m_folder(std::move(seriesFolder))
{
    setWindowTitle(tr("Batch Processing Series"));
    series_name = new QLabel;
    List = new QListWidget;
    list_count = new QLabel;
    ok = Command_Button(tr("OK"), this, [this] { done(1); });
    ok->setDefault(true);
    Stack_Layout(this, {series_name, List, Side_By_Side({list_count, Layout_Stretch{}, ok})});
    resize(360, 420);
}

void View_Data_Series::Load(const QString &name)
{
    series_name->setText(Elided_For_Display(name));
    List->clear();
    const QString path = SeriesFile::Path(m_folder, name);
    if (SeriesFile::Too_Large(path)) {
        list_count->setText(QStringLiteral("Total Rows : 0"));
        Show_MessageBox(SeriesFile::Too_Large_Message(name));
        return;
    }
    const auto wait = Series_Please_Wait(this);
    const QStringList values = SeriesFile::Read_List_Values(path);
    List->addItems(values);
    list_count->setText(QStringLiteral("Total Rows : %1").arg(values.size()));
}

void View_Data_Series::Open_Wnd(const QString &name)
{
    Load(name);
    runModal();
}
