#include "DataSourceSection.h"

#include "CardValueEngine.h"
#include "Globals.h"
#include "Helpers.h"
#include "LayoutParts.h"
#include "Log.h"
#include "MessageBox.h"
#include "SKTDocument.h"
#include "SKTImage.h"
#include "ScopedFlag.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <exception>

const QString DataSourceSection::kHelpTitle = QStringLiteral("Batch Processing Settings Help :");
const QString DataSourceSection::kHelpText = QStringLiteral(
    "Select Data Source as 'Manual' to enter value manually.\n"
    "Select 'Series' to fetch the value from the list of existing Batch Processing Series.\n"
    "Select 'Excel' to fetch the value from the selected excel file.");

namespace {
const QString kSelect = QStringLiteral("<--Select-->");
}

DataSourceSection::DataSourceSection(DataSourceHost &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    Data_source_type = new QComboBox;
    Data_source_type->addItems({QStringLiteral("Manual"), QStringLiteral("Series")});
    Batch_Series = new QComboBox;
    Batch_Series->setPlaceholderText(kSelect);
    Batch_Series->setMinimumContentsLength(12);
    view_series_btn = Command_Button(tr("View"), this, &DataSourceSection::View_batch_Series_Button);
    help_btn = new QPushButton(QStringLiteral("?"));
    help_btn->setToolTip(tr("Help"));

    auto *form = new QFormLayout(this);
    form->addRow(tr("Data source"), Data_source_type);
    auto *value = new QHBoxLayout;
    value->addWidget(Batch_Series, 1);
    value->addWidget(view_series_btn);
    value->addWidget(help_btn);
    form->addRow(tr("Value"), value);

    connect(Data_source_type, &QComboBox::currentIndexChanged, this, &DataSourceSection::sourceChosen);
    connect(Batch_Series, &QComboBox::activated, this, &DataSourceSection::valueChosen);
    connect(help_btn, &QPushButton::clicked, this, &DataSourceSection::Data_Source_Help_Button);
    setUpForSource(0);
}

bool DataSourceSection::spreadsheetLoaded() const
{
    const SKTDocument &doc = m_host.Source_Document();
    return !doc.ListData().isEmpty() || doc.ColList().size() > 1;
}

void DataSourceSection::showControl(SKTGraphic *g)
{
    const Scoped_Flag filling(Not_Draw_Only_Prop_Change);
    if (spreadsheetLoaded()) Add_Excel_Col_Name_In_Combo(Data_source_type);
    else Remove_Excel_Col_Name_In_Combo(Data_source_type);
    int type = g ? g->data_source_type : 0;
    if (type < 0 || type >= Data_source_type->count()) type = 0;
    Data_source_type->setCurrentIndex(type);
    setUpForSource(type);
    if (!g) return;
    if (type == Data_Source_Series) Batch_Series->setCurrentIndex(Batch_Series->findText(g->batch_list_name));
    else if (type == Data_Source_Spreadsheet) Batch_Series->setCurrentIndex(g->excel_col_indx < Batch_Series->count() ? g->excel_col_indx : -1);
}

void DataSourceSection::Show_Data_Source_Of(SKTGraphic *g)
{
    const bool bindable = g && (g->kind() == GraphicKind::Text || g->kind() == GraphicKind::Image);
    showControl(bindable ? g : nullptr);
}

// ---- Combo services ----

void DataSourceSection::Fill_Data_Set_File_Name_In_Combo(QComboBox *combo) const
{
    if (!combo) return;
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(-1);
    combo->clear();
    combo->addItems(CardValueEngine(m_host.Series_Folder()).Get_datasheet_File_Name_Array());
    combo->setCurrentIndex(-1);
}

void DataSourceSection::Fill_Excel_Col_Name_In_Combo(QComboBox *combo) const
{
    if (!combo) return;
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(-1);
    combo->clear();
    combo->addItems(m_host.Source_Document().ColList_Titles());
    combo->setCurrentIndex(-1);
}

void DataSourceSection::Update_Dataset_If_Datasource_Is_Series(QComboBox *source, QComboBox *value) const
{
    if (!source || !value || source->currentIndex() != 1) return;
    const QString kept = value->currentText();
    Fill_Data_Set_File_Name_In_Combo(value);
    if (!kept.isEmpty()) {
        const QSignalBlocker block(value);
        value->setCurrentIndex(value->findText(kept));
    }
}

void DataSourceSection::Update_Excel_Column_If_Datasource_Is_Excel(QComboBox *source) const
{
    if (!source || source->count() != 3 || source->currentIndex() != 2) return;
    source->setCurrentIndex(0);
    source->setCurrentIndex(2);
}

void DataSourceSection::Add_Excel_Col_Name_In_Combo(QComboBox *combo)
{
    if (combo && combo->count() == 2) combo->addItem(QStringLiteral("Excel"));
}

void DataSourceSection::Remove_Excel_Col_Name_In_Combo(QComboBox *combo)
{
    if (combo && combo->count() == 3) combo->removeItem(2);
}

// ---- Commands ----

void DataSourceSection::View_batch_Series_Button()
{
    const int source = Data_source_type->currentIndex();
    if (source <= Data_Source_Manual) return;
    if (source == Data_Source_Series) {
        const QString name = Trim_Str(Batch_Series->currentText());
        if (name.isEmpty() || name == kSelect) {
            Show_MessageBox(QStringLiteral("Please select the series."));
            return;
        }
        m_host.View_Series(name);
        return;
    }
    m_host.Open_Spreadsheet_Window();
}

void DataSourceSection::Data_Source_Help_Button() { m_host.Show_Long_Message(kHelpTitle, kHelpText); }

void DataSourceSection::setUpForSource(int index)
{
    const QSignalBlocker block(Batch_Series);
    if (index == Data_Source_Series) Fill_Data_Set_File_Name_In_Combo(Batch_Series);
    else if (index == Data_Source_Spreadsheet) Fill_Excel_Col_Name_In_Combo(Batch_Series);
    else {
        Batch_Series->clear();
        Batch_Series->setCurrentIndex(-1);
    }
    Batch_Series->setEnabled(index > 0);
    view_series_btn->setEnabled(index > 0);
}

void DataSourceSection::sourceChosen(int index)
{
    if (Not_Draw_Only_Prop_Change) return;
    setUpForSource(index);
    Change_Data_Source_To_selected_Control(index, QString(), -1);
}

void DataSourceSection::valueChosen(int index)
{
    const int source = Data_source_type->currentIndex();
    if (Not_Draw_Only_Prop_Change || source <= 0 || index < 0) return;
    const QString name = Trim_Str(Batch_Series->itemText(index));
    if (name.isEmpty() || name == kSelect) return;
    Change_Data_Source_To_selected_Control(source, name, index);
}

void DataSourceSection::rebind(SKTGraphic &g, int t, const QString &name, int k, QString *value) const
{
    if (t == Data_Source_Series) {
        g.Set_Data_source_type(Data_Source_Series);
        g.Set_Batch_List_Name(name);
        g.Set_Batch_List_Index(k);
        *value = CardValueEngine(m_host.Series_Folder()).Get_First_Value_Of_Dataset(name);
    } else if (t == Data_Source_Spreadsheet) {
        g.Set_Data_source_type(Data_Source_Spreadsheet);
        g.Set_Excel_binding_Index(k);
        *value = CardValueEngine::Column_Value_Shown(m_host.Source_Document(), k);
    } else {
        g.Set_Data_source_type(Data_Source_Manual);  // no series, no column
        *value = QString("");
    }
}

void DataSourceSection::Change_Data_Source_To_selected_Control(int t, const QString &name, int k)
{
    if (Not_Draw_Only_Prop_Change) return;
    try {
        SKTGraphic *selected = m_host.Source_Selected_Graphic();
        if (!selected) return;
        const std::vector<SKTGraphic *> all = m_host.Source_Selected_Graphics();
        if (selected->kind() == GraphicKind::Image) {
            int images = 0;
            for (SKTGraphic *g : all) images += g && g->kind() == GraphicKind::Image;
            if (images > 1) {
                Show_MessageBox(QStringLiteral("Please select only one image control to '%1 Image'.").arg(QStringLiteral("Select")));
                return;
            }
            m_host.Source_Change_Begins();
            QString value;
            rebind(*selected, t, name, k, &value);
            m_host.Source_Bound(*selected);
            if (k > -1) {
                static_cast<SKTImage &>(*selected).setFilePath(value, true);
                m_host.Show_Control_Value(*selected);
            }
            m_host.Source_Change_Done();
            return;
        }
        m_host.Source_Change_Begins();
        bool took = false;
        for (SKTGraphic *g : all) {
            if (!g || g->kind() != GraphicKind::Text || g->ctrl_is_locked) continue;
            QString value;
            rebind(*g, t, name, k, &value);
            m_host.Source_Bound(*g);
            if (k > -1) {
                g->Set_text_value(value);
                took = true;
            }
        }
        if (took) m_host.Show_Control_Value(*selected);
        m_host.Source_Change_Done();
    } catch (const std::exception &e) {
        Show_MessageBox(QString::fromLocal8Bit(e.what()));
    }
}
