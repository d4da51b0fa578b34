#include "SheetImport.h"

#include "Helpers.h"
#include "MessageBox.h"
#include "SeriesFile.h"
#include "LayoutParts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace SI = SeriesImport;

namespace {
const QString kCorrupt = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
enum { StateColumn, ExtensionColumn, HeaderColumn };
} // namespace

// ---- The shared part ----

Sheet_Import_Window::Sheet_Import_Window(QWidget *parent)
    : SeriesDialog(parent)
{
    file_path = new QLabel;
    file_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    contains_header = new QCheckBox(tr("First row is a header row"));
    Sheet_ComboBox = new QComboBox;
    connect(Sheet_ComboBox, &QComboBox::activated, this, &Sheet_Import_Window::Choose_Sheet);
    ColList = new QTableWidget(0, 3);
    ColList->setHorizontalHeaderLabels({tr("Use"), tr("Column"), tr("Series Name")});
    ColList->horizontalHeader()->setStretchLastSection(true);
    ColList->verticalHeader()->hide();
    ColList->setColumnHidden(HeaderColumn, true);
    select_all = Command_Button(tr("Select All"), this, &Sheet_Import_Window::Select_ALL_Pressed);
    clear_all = Command_Button(tr("Clear All"), this, &Sheet_Import_Window::Clear_All_Pressed);
    ok = new QPushButton(tr("OK"));
    cancel = Command_Button(tr("Cancel"), this, [this] { done(0); });
    ok->setDefault(true);

    auto *form = new QFormLayout;
    form->addRow(tr("File:"), file_path);
    form->addRow(tr("Sheet:"), Sheet_ComboBox);
    form->addRow(contains_header);
    auto *tableButtons = new QHBoxLayout;
    tableButtons->addWidget(select_all);
    tableButtons->addWidget(clear_all);
    tableButtons->addStretch();
    body = new QVBoxLayout;
    Stack_Layout(this, {form, ColList, tableButtons, body, Button_Row({ok, cancel})});
    resize(480, 480);
}

void Sheet_Import_Window::Load_file_Func(const QString &path)
{
    m_path = path;
    file_path->setText(Elided_For_Display(path));
    contains_header->setChecked(true);
    ColList->setRowCount(0);
    m_columns.clear();
    Sheet_ComboBox->clear();
    const auto wait = m_wait ? m_wait(this) : Series_Please_Wait(this);
    m_reader.Excel_Sheet_Number = 1;
    m_reader.ReadWorkbook(path, true);
    Sheet_ComboBox->addItems(m_reader.Sheet_List());
    if (Sheet_ComboBox->count() > 0) Choose_Sheet(0);
}

void Sheet_Import_Window::Choose_Sheet(int index)
{
    if (index < 0 || index >= Sheet_ComboBox->count()) return;
    Sheet_ComboBox->setCurrentIndex(index);
    m_reader.Excel_Sheet_Number = SpreadsheetWriter::Sheet_Number(Sheet_ComboBox->itemText(index));
    const SheetRows rows = m_reader.ReadWorkbook(m_path, false);
    if (rows.isEmpty()) return;  // the columns of the sheet before stay
    listColumns(rows.first());
}

void Sheet_Import_Window::listColumns(const QStringList &firstRow)
{
    const QList<SI::ColumnEntry> list = SI::Column_Entries(firstRow);
    ColList->setRowCount(int(list.size()));
    m_columns.clear();
    for (int r = 0; r < list.size(); ++r) {
        auto *state = new QTableWidgetItem;
        state->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        state->setCheckState(Qt::Unchecked);
        auto *extension = new QTableWidgetItem(list[r].extension);
        extension->setFlags(Qt::ItemIsEnabled);
        auto *header = new QTableWidgetItem(list[r].header);
        header->setFlags(Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsSelectable);
        ColList->setItem(r, StateColumn, state);
        ColList->setItem(r, ExtensionColumn, extension);
        ColList->setItem(r, HeaderColumn, header);
        m_columns << list[r].column;
    }
}

QList<SI::ColumnEntry> Sheet_Import_Window::entries() const
{
    QList<SI::ColumnEntry> list;
    for (int r = 0; r < ColList->rowCount() && r < m_columns.size(); ++r)
        list << SI::ColumnEntry{ColList->item(r, StateColumn)->checkState() == Qt::Checked,
                                ColList->item(r, ExtensionColumn)->text(), ColList->item(r, HeaderColumn)->text(),
                                m_columns[r]};
    return list;
}

void Sheet_Import_Window::setAll(bool state)
{
    for (int r = 0; r < ColList->rowCount(); ++r)
        ColList->item(r, StateColumn)->setCheckState(state ? Qt::Checked : Qt::Unchecked);
}

SheetRows Sheet_Import_Window::Read_Rows() { return m_reader.ReadWorkbook(m_path, false); }

bool Sheet_Import_Window::Check_Columns() const
{
    if (ColList->rowCount() == 0) {
        Show_MessageBox(QStringLiteral("There is no column."));
        return false;
    }
    if (!SI::Any_Chosen(entries())) {
        Show_MessageBox(QStringLiteral("No column is selected."));
        return false;
    }
    return true;
}

void Sheet_Import_Window::setEditableHeaders(bool shown) { ColList->setColumnHidden(HeaderColumn, !shown); }

// ---- Import_Excel ----

Import_Excel::Import_Excel(SKTDocument *doc, std::function<void(const QString &)> values, QWidget *parent)
    : Sheet_Import_Window(parent), m_doc(doc), m_values(std::move(values))
{
    setWindowTitle(tr("Import Spreadsheet"));
    connect(ok, &QPushButton::clicked, this, &Import_Excel::OKPressed);
}

int Import_Excel::Open_excel_Wnd(const QString &path)
{
    Load_file_Func(path);
    return runModal();
}

void Import_Excel::OKPressed()
{
    if (!Check_Columns()) return;
    const bool header = contains_header->isChecked();
    SheetRows rows;
    {
        const auto wait = m_wait ? m_wait(this) : Series_Please_Wait(this);
        rows = Read_Rows();
        if (open_mode == QLatin1String("D")) {
            if (m_values)
                for (const QString &v : SI::Chosen_Values(rows, entries(), header)) m_values(v);
        } else if (m_doc) {
            SI::Fill_Row_Table(*m_doc, rows, entries(), header);
        }
    }
    if (rows.isEmpty()) Show_MessageBox(kCorrupt);
    done(1);
}

// ---- Import_Excel_DataSheet ----

Import_Excel_DataSheet::Import_Excel_DataSheet(SeriesServices services, QWidget *parent)
    : Sheet_Import_Window(parent), m_services(std::move(services))
{
    setWindowTitle(tr("Import Spreadsheet Columns"));
    m_wait = m_services.pleaseWait;
    alert = [this](const QString &message, const QStringList &buttons) {
        return Show_Apply_All_Alert(this, message, buttons);
    };
    Each_col_RD = new QRadioButton(tr("Each column as a series of its own"));
    Fill_col_RD = new QRadioButton(tr("All chosen columns into one series"));
    auto *modes = new QButtonGroup(this);
    modes->addButton(Each_col_RD);
    modes->addButton(Fill_col_RD);
    connect(Each_col_RD, &QRadioButton::clicked, this, &Import_Excel_DataSheet::Each_Col_RD_Click);
    connect(Fill_col_RD, &QRadioButton::clicked, this, &Import_Excel_DataSheet::Fill_Col_RD_Click);
    fill_box = new QGroupBox;
    auto *fill = new QVBoxLayout(fill_box);
    auto *types = new QHBoxLayout;
    auto *typeGroup = new QButtonGroup(this);
    const char *titles[3] = {"New series", "Replace a series", "Add to a series"};
    for (int i = 0; i < 3; ++i) {
        fill_type[i] = new QRadioButton(tr(titles[i]));
        typeGroup->addButton(fill_type[i], i);
        types->addWidget(fill_type[i]);
    }
    connect(typeGroup, &QButtonGroup::idClicked, this, &Import_Excel_DataSheet::Fill_Type_CellClick);
    list_name = new QLineEdit;
    List_ComboBox = new QComboBox;
    fill->addLayout(types);
    fill->addWidget(list_name);
    fill->addWidget(List_ComboBox);
    body->addWidget(Each_col_RD);
    body->addWidget(Fill_col_RD);
    body->addWidget(fill_box);
    connect(ok, &QPushButton::clicked, this, &Import_Excel_DataSheet::OKPressed);
}

void Import_Excel_DataSheet::Open_excel_datasheet_Wnd(const QString &path)
{
    Fill_Type_CellClick(0);
    Each_Col_RD_Click();
    list_name->clear();
    List_ComboBox->clear();
    Load_file_Func(path);
    List_ComboBox->addItems(SeriesFile::Names(m_services.folder));
    runModal();
}

void Import_Excel_DataSheet::Each_Col_RD_Click()
{
    Each_col_RD->setChecked(true);
    fill_box->setEnabled(false);
    setEditableHeaders(true);
}

void Import_Excel_DataSheet::Fill_Col_RD_Click()
{
    Fill_col_RD->setChecked(true);
    fill_box->setEnabled(true);
    setEditableHeaders(false);
}

void Import_Excel_DataSheet::Fill_Type_CellClick(int option)
{
    fill_col_option = std::clamp(option, 0, 2);
    fill_type[fill_col_option]->setChecked(true);
    list_name->setVisible(fill_col_option == 0);
    List_ComboBox->setVisible(fill_col_option != 0);
}

void Import_Excel_DataSheet::OKPressed()
{
    if (!Check_Columns()) return;
    const bool header = contains_header->isChecked();
    const SI::Target target = m_services.target(alert);
    if (Each_col_RD->isChecked()) {
        SheetRows rows;
        {
            const auto wait = m_services.wait(this);
            rows = Read_Rows();
            SI::Write_Each_Column(target, rows, entries(), header);
        }
        if (file_name_Insert == 1 && Fill_List) Fill_List();
        if (rows.isEmpty())
            Show_MessageBox(QStringLiteral("There is no data in selected sheet.\nPlease select another Sheet/Excel File.\n") + kCorrupt);
        done(1);
        return;
    }
    const QString name = Trim_Str(fill_col_option == 0 ? list_name->text() : List_ComboBox->currentText());
    if (name.isEmpty()) {
        Show_MessageBox(fill_col_option == 0 ? QStringLiteral("Please enter list name.")
                                             : QStringLiteral("Please select list name."));
        return;
    }
    SheetRows rows;
    {
        const auto wait = m_services.wait(this);
        rows = Read_Rows();
    }
    if (!SI::Write_One_Series(target, name, SI::Fill(fill_col_option), rows, entries(), header)) return;
    if (file_name_Insert == 1 && Fill_List) Fill_List();
    done(1);
}
