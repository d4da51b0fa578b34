#include "Update_XL_Column.h"

#include "GroupBinding.h"
#include "MessageBox.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "Modal_Runner.h"
#include "Path_Label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kFrontPhotoRow = 10;
constexpr int kBackPhotoRow = 11;

int &choiceOfRow(DesignColumnChoices &c, int row)
{
    if (row == kFrontPhotoRow) return c.excel_cb_value11;
    if (row == kBackPhotoRow) return c.excel_cb_value12;
    return c.*GroupBinding::Fixed_Fields()[size_t(row)].column;
}

// A combo's stored column: its index, with "None" (0) and no selection as -1.
int columnOf(const QComboBox *combo)
{
    const int index = combo->currentIndex();
    return index >= 1 ? index : -1;
}

void fillCombo(QComboBox *combo, const QStringList &titles, int column)
{
    combo->clear();
    combo->addItem(QStringLiteral("None"));
    combo->addItems(titles);
    combo->setCurrentIndex(column >= 1 && column < combo->count() ? column : 0);
}
} // namespace

Update_XL_Column::Update_XL_Column(SKTDocument &doc, QWidget *parent, Modal_Runner *runner)
    : QDialog(parent), m_runner(runner), m_doc(doc)
{
    setModal(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor::fromRgbF(241 / 255.0, 244 / 255.0, 250 / 255.0));
    setPalette(pal);
    setAutoFillBackground(true);

    auto *project = new QFormLayout;
    Pass_proj_name = new Path_Label(this);
    Pass_proj_path = new Path_Label(this);
    Pass_excel_file = new Path_Label(this);
    project->addRow(tr("Project Name :"), Pass_proj_name);
    project->addRow(tr("Project Path :"), Pass_proj_path);
    project->addRow(tr("Excel File :"), Pass_excel_file);

    auto *rowsHolder = new QWidget;
    auto *rowsLayout = new QVBoxLayout(rowsHolder);
    Column_Box = new QGroupBox(rowsHolder);
    auto *grid = new QGridLayout(Column_Box);
    for (int row = 0; row < 12; ++row) {
        labels[size_t(row)] = new QLabel(Column_Box);
        combos[size_t(row)] = new QComboBox(Column_Box);
        combos[size_t(row)]->setMinimumWidth(212);
        if (row < 10) {
            checks[size_t(row)] = new QCheckBox(Column_Box);
            grid->addWidget(checks[size_t(row)], row, 0);
        }
        grid->addWidget(labels[size_t(row)], row, 1);
        grid->addWidget(combos[size_t(row)], row, 2);
        QComboBox *combo = combos[size_t(row)];
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { comboBoxSelectionDidChange(combo); });
    }
    labels[kFrontPhotoRow]->setText(tr("Front Photo :"));
    labels[kBackPhotoRow]->setText(tr("Back Photo :"));
    New_Ctrl_Box = new QGroupBox(rowsHolder);
    new QGridLayout(New_Ctrl_Box);
    New_Ctrl_Box->hide();
    rowsLayout->addWidget(Column_Box);
    rowsLayout->addWidget(New_Ctrl_Box);
    rowsLayout->addStretch();
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(rowsHolder);

    auto *ok = new QPushButton(tr("OK"), this);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Update_XL_Column::OKPressed);
    connect(cancel, &QPushButton::clicked, this, &Update_XL_Column::CancelPressed);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(project);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    resize(540, 680);
}

int Update_XL_Column::Open_Wnd(const Column_Dialog_Side &side)
{
    Fill(side);
    const int code = Run_Modal(m_runner, *this);
    hide();
    return code == 1 ? 1 : 0;
}

void Update_XL_Column::Fill(const Column_Dialog_Side &side)
{
    loading = true;
    Pass_proj_name->setText(side.projectName);
    Pass_proj_path->setText(side.projectPath);
    Pass_excel_file->setText(side.excelFile);
    Reset_All_Combo_Box(side.captions);
    Set_Checkbox_State(side.side);
    Create_Dynamic_Control(side);
    loading = false;
}

void Update_XL_Column::Reset_All_Combo_Box(const QStringList &captions)
{
    table_col_name_arr.clear();
    const QList<SpreadsheetColumn> columns = m_doc.ColList();
    for (int k = 1; k < columns.size(); ++k) table_col_name_arr << columns.at(k).title;
    for (int row = 0; row < 12; ++row) {
        labels[size_t(row)]->setEnabled(true);
        combos[size_t(row)]->setEnabled(true);
        if (row < 10) {
            checks[size_t(row)]->setEnabled(true);
            labels[size_t(row)]->setText(captions.value(row));
        }
        fillCombo(combos[size_t(row)], table_col_name_arr, choiceOfRow(m_doc.m_columnChoices, row));
    }
}

void Update_XL_Column::disableRow(int row)
{
    labels[size_t(row)]->setEnabled(false);
    combos[size_t(row)]->setEnabled(false);
    if (row < 10) checks[size_t(row)]->setEnabled(false);
}

void Update_XL_Column::Set_Checkbox_State(int side)
{
    side = side == 1 ? 1 : 0;
    setWindowTitle(side == 1 ? QStringLiteral("Back Side Update Excel Column")
                             : QStringLiteral("Front Side Update Excel Column"));
    for (QCheckBox *c : checks) c->setChecked(false);
    const QString photo = QLatin1String(GroupBinding::kPhotoID);
    for (const GraphicPtr &g : m_doc.sideList(side).items()) {
        if (g->kind() != GraphicKind::Text && g->kind() != GraphicKind::Image) continue;
        const QString id = g->control_ID.trimmed();
        if (id.isEmpty() || !g->ctrl_is_visible) continue;
        for (size_t f = 0; f < GroupBinding::Fixed_Fields().size(); ++f) {
            if (id != QLatin1String(GroupBinding::Fixed_Fields()[f].id)) continue;
            checks[f]->setChecked(true);
            if (g->Is_Control_Locked()) disableRow(int(f));
        }
        if (id != photo) continue;
        // A locked photo of either side keeps its column.
        const int other = side == 1 ? 0 : 1;
        if (g->Is_Control_Locked()) disableRow(side == 1 ? kBackPhotoRow : kFrontPhotoRow);
        const SKTGraphic *twin = GroupBinding::Find_Control(m_doc.sideList(other), photo);
        if (twin && twin->Is_Control_Locked()) disableRow(other == 1 ? kBackPhotoRow : kFrontPhotoRow);
    }
}

void Update_XL_Column::Reset_Dynamic_Control()
{
    for (const User_Row_Widgets &r : view_array_value) {
        delete r.caption;
        delete r.check;
        delete r.combo;
    }
    view_array_value.clear();
    New_Ctrl_Box->hide();
}

void Update_XL_Column::Create_Dynamic_Control(const Column_Dialog_Side &side)
{
    Reset_Dynamic_Control();
    auto *grid = static_cast<QGridLayout *>(New_Ctrl_Box->layout());
    for (const Column_Dialog_Row &row : side.userRows) {
        if (!row.id.contains(QLatin1String("_field")) && !row.id.contains(QLatin1String("_Photo"))) continue;
        const SKTGraphic *g = GroupBinding::Find_Control(m_doc.sideList(side.side == 1 ? 1 : 0), row.id);
        const bool enabled = !(g && g->Is_Control_Locked());
        User_Row_Widgets w;
        w.caption = new QLineEdit(row.id, New_Ctrl_Box);
        w.caption->setReadOnly(true);
        w.check = new QCheckBox(New_Ctrl_Box);
        w.check->setChecked(row.shown);
        w.combo = new QComboBox(New_Ctrl_Box);
        w.combo->setMinimumWidth(212);
        fillCombo(w.combo, table_col_name_arr, row.column);
        for (QWidget *c : {static_cast<QWidget *>(w.caption), static_cast<QWidget *>(w.check),
                           static_cast<QWidget *>(w.combo)})
            c->setEnabled(enabled);
        const int at = int(view_array_value.size());
        grid->addWidget(w.check, at, 0);
        grid->addWidget(w.caption, at, 1);
        grid->addWidget(w.combo, at, 2);
        QComboBox *combo = w.combo;
        connect(combo, &QComboBox::currentIndexChanged, this, [this, combo] { comboBoxSelectionDidChange(combo); });
        view_array_value.push_back(w);
        New_Ctrl_Box->show();
    }
}

void Update_XL_Column::comboBoxSelectionDidChange(QComboBox *combo)
{
    if (loading || combo->currentIndex() < 1) return;
    for (size_t f = 0; f < checks.size(); ++f)
        if (combos[f] == combo) checks[f]->setChecked(true);
    for (const User_Row_Widgets &r : view_array_value)
        if (r.combo == combo) r.check->setChecked(true);
}

void Update_XL_Column::OKPressed()
{
    QComboBox *name = combos[0];
    if (name->currentIndex() < 1 || name->currentText().trimmed().isEmpty()) {
        Show_MessageBox(QStringLiteral("Default column should not be 'None'."));
        name->setFocus(Qt::OtherFocusReason);  // the field the message is about
        return;
    }
    for (int row = 0; row < 12; ++row) choiceOfRow(m_doc.m_columnChoices, row) = columnOf(combos[size_t(row)]);
    done(1);
}

std::array<bool, 10> Update_XL_Column::shownFields() const
{
    std::array<bool, 10> shown{};
    for (size_t f = 0; f < checks.size(); ++f) shown[f] = checks[f]->isChecked();
    return shown;
}

std::vector<Column_Dialog_Row> Update_XL_Column::userRows() const
{
    std::vector<Column_Dialog_Row> rows;
    for (const User_Row_Widgets &r : view_array_value)
        rows.push_back({r.caption->text(), r.check->isChecked(), columnOf(r.combo)});
    return rows;
}
