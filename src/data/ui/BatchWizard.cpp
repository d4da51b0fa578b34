#include "BatchWizard.h"

#include "Dialogs.h"
#include "FileUtilities.h"
#include "Generate_List.h"
#include "FileWrite.h"
#include "Helpers.h"
#include "Import_Wizard.h"
#include "Log.h"
#include "MessageBox.h"
#include "SeriesDialogs.h"
#include "SeriesFile.h"
#include "SpreadsheetWriter.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString kListEmpty = QStringLiteral("List is empty.");
const QString kFileError = QStringLiteral("Error in file accessing.");

QPushButton *button(const QString &title, QWidget *owner, void (BatchWizard::*slot)(), BatchWizard *w)
{
    auto *b = new QPushButton(title, owner);
    QObject::connect(b, &QPushButton::clicked, w, slot);
    return b;
}

QList<int> selectedRows(const QListWidget *list)
{
    QList<int> rows;
    for (const QModelIndex &i : list->selectionModel()->selectedRows()) rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}
} // namespace

BatchWizard::BatchWizard(SeriesServices services, QWidget *parent)
    : SeriesDialog(parent), m_services(std::move(services))
{
    setWindowTitle(tr("Batch Processing Series"));
    alert = [this](const QString &message, const QStringList &buttons) {
        return Show_Apply_All_Alert(this, message, buttons);
    };
    page1 = new QWidget;
    page2 = new QWidget;
    List = new QListWidget;
    List_value = new QListWidget;
    for (QListWidget *l : {List, List_value}) l->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(List, &QListWidget::itemDoubleClicked, this, [this] {
        if (List->selectionModel()->selectedRows().size() > 1)
            Show_MessageBox(QStringLiteral("Please select only one record to update."));
        else On_Update();
    });
    connect(List_value, &QListWidget::itemDoubleClicked, this, [this] {
        if (List_value->selectionModel()->selectedRows().size() > 1)
            Show_MessageBox(QStringLiteral("Please select only one record to update."));
        else OnGetSelected();
    });
    batch_list_count = new QLabel;
    batch_value_count = new QLabel;
    batch_list_name = new QLineEdit;

    addNew = button(tr("Add New"), page1, &BatchWizard::AddNew_Btn_Clicked, this);
    update = button(tr("Open"), page1, &BatchWizard::Update_Btn_Clicked, this);
    deleteList = button(tr("Delete"), page1, &BatchWizard::Delete_List_Btn_Clicked, this);
    importSeries = button(tr("Import"), page1, &BatchWizard::Import_Btn_Clicked, this);
    createSeries = button(tr("Create Series"), page1, &BatchWizard::CreateSeries_Btn_Clicked, this);
    close1 = button(tr("Close"), page1, &BatchWizard::Close_Btn_Clicked, this);
    auto *help1 = new QPushButton(tr("Help"), page1);
    connect(help1, &QPushButton::clicked, this, [] { Open_Help_File(); });
    auto *l1 = new QVBoxLayout(page1);
    l1->addWidget(new QLabel(tr("Available series:")));
    l1->addWidget(List);
    l1->addWidget(batch_list_count);
    auto *b1 = new QHBoxLayout;
    for (QPushButton *b : {addNew, update, deleteList, importSeries, createSeries}) b1->addWidget(b);
    b1->addStretch();
    b1->addWidget(help1);
    b1->addWidget(close1);
    l1->addLayout(b1);

    importValues = button(tr("Import"), page2, &BatchWizard::Import_Value_Btn_Clicked, this);
    seriesValues = button(tr("Generate"), page2, &BatchWizard::Series_Value_Btn_Clicked, this);
    deleteRows = button(tr("Delete"), page2, &BatchWizard::Delete_Rows_Btn_Clicked, this);
    exportValues = button(tr("Export"), page2, &BatchWizard::Export_Value_Btn_Clicked, this);
    save = button(tr("Save"), page2, &BatchWizard::Save_Btn_Clicked, this);
    back = button(tr("Back"), page2, &BatchWizard::Back_Btn_Clicked, this);
    close2 = button(tr("Close"), page2, &BatchWizard::Close_Btn_Clicked, this);
    auto *help2 = new QPushButton(tr("Help"), page2);
    connect(help2, &QPushButton::clicked, this, [] { Open_Help_File(); });
    auto *l2 = new QVBoxLayout(page2);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("Series name:")));
    nameRow->addWidget(batch_list_name);
    l2->addLayout(nameRow);
    l2->addWidget(List_value);
    l2->addWidget(batch_value_count);
    auto *b2 = new QHBoxLayout;
    for (QPushButton *b : {importValues, seriesValues, deleteRows, exportValues, save}) b2->addWidget(b);
    b2->addStretch();
    for (QPushButton *b : {help2, back, close2}) b2->addWidget(b);
    l2->addLayout(b2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(page1);
    layout->addWidget(page2);
    resize(620, 460);
    showPage(1);
}

Load_Num_Info &BatchWizard::Load_Number_Window()
{
    if (!m_loadNumber) m_loadNumber = new Load_Num_Info(this);
    return *m_loadNumber;
}

Update_Ex_Num &BatchWizard::Update_Value_Wnd()
{
    if (!m_updateValue) m_updateValue = new Update_Ex_Num(this);
    return *m_updateValue;
}

template <class Window>
Window &BatchWizard::listMaker(Window *&slot)
{
    if (!slot) {
        slot = new Window(m_services, this);
        slot->Create_Value_List = [this](const QString &v) { Create_Value_List(v); };
        slot->Fill_List = [this] { Fill_List(); };
    }
    return *slot;
}

Generate_List &BatchWizard::generator() { return listMaker(m_generator); }

Import_Wizard &BatchWizard::importer() { return listMaker(m_importer); }

void BatchWizard::Open_Wnd()
{
    Check_Path_And_Create_Files();
    showPage(1);
    Fill_List();
    runModal();
}

void BatchWizard::showPage(int page)
{
    page1->setVisible(page == 1);
    page2->setVisible(page == 2);
    if (page == 1) update_list_name.clear();
}

QStringList BatchWizard::seriesNames() const
{
    QStringList names;
    for (int i = 0; i < List->count(); ++i) names << List->item(i)->text();
    return names;
}

QStringList BatchWizard::values() const
{
    QStringList out;
    for (int i = 0; i < List_value->count(); ++i) out << List_value->item(i)->text();
    return out;
}

void BatchWizard::Fill_List()
{
    List->clear();
    for (const QString &name : SeriesFile::Names(m_services.folder))
        if (!Trim_Str(name).isEmpty()) List->addItem(name);
    batch_list_count->setText(QStringLiteral("Total List : %1").arg(List->count()));
}

void BatchWizard::Create_Value_List(const QString &value)
{
    const QString v = Trim_Str(value);
    if (v.isEmpty()) return;
    List_value->addItem(v);
    Update_Value_List_Count();
}

void BatchWizard::Update_Value_List_Count()
{
    batch_value_count->setText(QStringLiteral("Total Rows : %1").arg(List_value->count()));
}

bool BatchWizard::Batch_List_Selection_Validation()
{
    if (List->count() == 0) {
        Show_MessageBox(QStringLiteral("Available list is empty."));
        return false;
    }
    const QList<int> rows = selectedRows(List);
    if (rows.isEmpty() || Trim_Str(List->item(rows.first())->text()).isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select a record from the available list to continue."));
        List->setFocus();
        return false;
    }
    return true;
}

bool BatchWizard::valuesPresent()
{
    if (List_value->count() > 0) return true;
    Show_MessageBox(kListEmpty);
    List_value->setFocus();
    return false;
}

void BatchWizard::AddNew_Btn_Clicked()
{
    showPage(2);
    update_list_name.clear();
    batch_list_name->setText(SeriesFile::Default_Name());
    List_value->clear();
    Update_Value_List_Count();
}

void BatchWizard::On_Update()
{
    if (!Batch_List_Selection_Validation()) return;
    const QString name = List->item(selectedRows(List).first())->text();
    const QString path = SeriesFile::Path(m_services.folder, name);
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable() || !info.isWritable()) {
        Show_MessageBox(kFileError);
        return;
    }
    if (SeriesFile::Too_Large(path)) {
        Show_MessageBox(SeriesFile::Too_Large_Message(name));
        return;
    }
    showPage(2);
    batch_list_name->setText(name);
    update_list_name = name;
    List_value->clear();
    {
        auto wait = m_services.wait(this);
        List_value->addItems(SeriesFile::Read_List_Values(path));
    }
    Update_Value_List_Count();
}

void BatchWizard::OnGetSelected()
{
    const QList<int> rows = selectedRows(List_value);
    if (List_value->count() == 0 || rows.isEmpty()) return;
    const int row = rows.first();
    const std::optional<QString> value = Update_Value_Wnd().Open_Wnd(List_value->item(row)->text(), row);
    if (value && row < List_value->count()) List_value->item(row)->setText(*value);
}

void BatchWizard::Delete_List_Btn_Clicked()
{
    if (!Batch_List_Selection_Validation()) return;
    if (Show_YES_NO_MessageBox(QStringLiteral("Are you sure want to delete selected Batch Processing Series?")) != 1) return;
    const QList<int> rows = selectedRows(List);
    bool anyInUse = false, suppressed = false;
    for (int row : rows) {
        const QString name = List->item(row)->text();
        if (m_services.inUse && m_services.inUse(name)) {
            anyInUse = true;
            if (!suppressed && alert)
                suppressed = alert(QStringLiteral("Series is in use\n\n") + name
                                       + QStringLiteral("\n\nBatch Processing Series can't be delete because it is currently in use."),
                                   {QStringLiteral("OK")})
                                 .applyAll;
            continue;
        }
        Delete_File(SeriesFile::Path(m_services.folder, name));
    }
    if (anyInUse) {
        Fill_List();
        return;
    }
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) delete List->takeItem(*it);
    const int next = rows.last() - int(rows.size()) + 1;
    List->clearSelection();
    if (next >= 0 && next < List->count()) List->setCurrentRow(next);
    else if (List->count() > 0) List->setCurrentRow(0);
    batch_list_count->setText(QStringLiteral("Total List : %1").arg(List->count()));
}

bool BatchWizard::askReplaceValues()
{
    if (List_value->count() == 0) return true;
    const int answer = Load_Number_Window().Open_Wnd();
    if (answer == 1) {
        List_value->clear();
        Update_Value_List_Count();
        return true;
    }
    return answer == 0;
}

void BatchWizard::Import_Btn_Clicked()
{
    importer().file_name_required = 1;
    importer().file_name_Insert = 1;
    importer().Open_Wnd();
    raise();
}

void BatchWizard::CreateSeries_Btn_Clicked()
{
    generator().file_name_required = 1;
    generator().file_name_Insert = 1;
    generator().Open_Wnd();
}

void BatchWizard::Import_Value_Btn_Clicked()
{
    if (!askReplaceValues()) return;
    importer().file_name_required = 0;
    importer().file_name_Insert = 1;
    importer().Open_Wnd();
}

void BatchWizard::Series_Value_Btn_Clicked()
{
    if (!askReplaceValues()) return;
    generator().file_name_required = 0;
    generator().file_name_Insert = 1;
    generator().Open_Wnd();
}

void BatchWizard::Delete_Rows_Btn_Clicked()
{
    if (!valuesPresent()) return;
    const QList<int> rows = selectedRows(List_value);
    if (rows.isEmpty()) {
        Show_MessageBox(QStringLiteral("Please select at least one record from the list to continue."));
        List_value->setFocus();
        return;
    }
    const int current = List_value->currentRow();
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) delete List_value->takeItem(*it);
    const int above = (current >= 0 ? current : rows.first()) - 1;
    List_value->clearSelection();
    if (above >= 0 && above < List_value->count()) List_value->setCurrentRow(above);
    Update_Value_List_Count();
}

void BatchWizard::Save_Btn_Clicked()
{
    if (!valuesPresent()) return;
    // A name the file system cannot hold is refused before anything is written.
    const SeriesFile::Name_Check checked =
        SeriesFile::Check_Name(batch_list_name->text(), File_Name_Max(m_services.folder));
    if (!checked.refusal.isEmpty()) {
        Show_MessageBox(checked.refusal);
        return;
    }
    const QString name = checked.name, old = update_list_name;
    const auto inUse = [this](const QString &n) {
        return SeriesFile::Exists(m_services.folder, n) && m_services.inUse && m_services.inUse(n);
    };
    if (!old.isEmpty() && inUse(old)) {
        Show_MessageBox(QStringLiteral("Batch Processing Series can't be update because it is currently in use."));
        return;
    }
    if (inUse(name)) {
        // Nor is a series the design uses replaced by another one.
        Show_MessageBox(QStringLiteral("Batch Processing Series can't be create because it is currently in use."));
        return;
    }
    const bool exists = SeriesFile::Exists(m_services.folder, name);
    if (exists && name != old
        && Show_YES_NO_MessageBox(QStringLiteral("Batch Processing Series already exists. Do you want to replace it?")) != 1)
        return;
    {
        auto wait = m_services.wait(this);
        if (!SeriesFile::Write(SeriesFile::Path(m_services.folder, name), values())) {
            wait.reset();
            Show_MessageBox(Write_Refusal_Text(SeriesFile::Path(m_services.folder, name), kFileError));
            return;
        }
        // The series moves to its new name once the new file is written.
        if (!exists && !old.isEmpty() && name != old) Delete_File(SeriesFile::Path(m_services.folder, old));
    }
    raise();
    showPage(1);
    Fill_List();
}

void BatchWizard::Export_Value_Btn_Clicked()
{
    if (!valuesPresent()) return;
    FilePanelRequest request;
    request.kind = FilePanelRequest::SaveFile;
    request.title = tr("Export Values");
    request.suggestedName = Name_With_Extension(Trim_Str(batch_list_name->text()), QStringLiteral("xlsx"));
    request.extensions = {QStringLiteral("xlsx"), QStringLiteral("txt")};
    request.formatChoice = true;
    const Save_Panel_Choice chosen = Run_Save_Panel(request);
    const QString &path = chosen.path;
    if (path.isEmpty()) return;
    raise();
    const QString ext = QFileInfo(path).suffix().toLower();
    bool written = false;
    {
        auto wait = m_services.wait(this);
        if (ext == QLatin1String("xlsx")) {
            SheetRows rows{{QStringLiteral("Batch Value")}};
            for (const QString &v : values()) rows << QStringList{SeriesFile::One_Line(v)};
            written = SpreadsheetWriter::WriteWorkbook(path, rows, false, m_services.templateFolder);
        } else {
            written = SeriesFile::Write(path, values(), chosen.links);
        }
    }
    if (!written) {
        Show_MessageBox(Write_Refusal_Text(path, kFileError));
        return;
    }
    m_services.exported(this, path, QStringLiteral("Record has been exported successfully."));
}
