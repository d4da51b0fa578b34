#include "Data_From_Excel.h"

#include "SKTDocument.h"
#include "Modal_Runner.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The row table in the columns of the column table; read-only.
class RowTableModel final : public QAbstractTableModel {
public:
    explicit RowTableModel(SKTDocument &doc, QObject *parent) : QAbstractTableModel(parent), m_doc(doc) {}
    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_doc.ListData().size()); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_doc.ColList().size()); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || role != Qt::DisplayRole) return {};
        return m_doc.Get_Item_Text(index.row(), index.column()).value_or(QString());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal) return QAbstractTableModel::headerData(section, orientation, role);
        const QList<SpreadsheetColumn> columns = m_doc.ColList();
        if (section < 0 || section >= columns.size()) return {};
        if (role == Qt::DisplayRole) return columns.at(section).title;
        if (role == Qt::TextAlignmentRole) return int(columns.at(section).alignment | Qt::AlignVCenter);
        return {};
    }
    void reload()
    {
        beginResetModel();
        endResetModel();
    }

private:
    SKTDocument &m_doc;
};
} // namespace

Data_From_Excel::Data_From_Excel(SKTDocument &doc, QWidget *parent, Modal_Runner *runner)
    : QDialog(parent), m_runner(runner), m_doc(doc)
{
    setWindowTitle(tr("Spreadsheet Data"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(241, 244, 250));
    setPalette(pal);

    auto *model = new RowTableModel(doc, this);
    m_model = model;
    ColList = new QTableView;
    ColList->setModel(model);
    ColList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ColList->setSelectionBehavior(QAbstractItemView::SelectRows);
    ColList->setSelectionMode(QAbstractItemView::SingleSelection);
    ColList->verticalHeader()->hide();
    rows_count = new QLabel;
    column_count = new QLabel;
    ok = new QPushButton(tr("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Data_From_Excel::OK_Click);

    auto *counts = new QHBoxLayout;
    counts->addWidget(new QLabel(tr("Rows:")));
    counts->addWidget(rows_count);
    counts->addSpacing(16);
    counts->addWidget(new QLabel(tr("Columns:")));
    counts->addWidget(column_count);
    counts->addStretch();
    counts->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(ColList);
    layout->addLayout(counts);
    resize(640, 420);

    connect(&doc, &SKTDocument::listDataChanged, this, &Data_From_Excel::refresh);
    connect(&doc, &SKTDocument::listSelectionChanged, this, &Data_From_Excel::selectRow);
}

void Data_From_Excel::refresh()
{
    static_cast<RowTableModel *>(m_model)->reload();
    const QList<SpreadsheetColumn> columns = m_doc.ColList();
    for (int c = 0; c < columns.size(); ++c) ColList->setColumnWidth(c, columns.at(c).width);
    rows_count->setText(QString::number(m_doc.ListData().size()));
    column_count->setText(QString::number(columns.size()));
    selectRow(m_doc.listSelection());
}

void Data_From_Excel::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        ColList->clearSelection();
        return;
    }
    ColList->selectRow(row);
    ColList->scrollTo(m_model->index(row, 0));
    ColList->setFocus();
}

int Data_From_Excel::Open_Wnd()
{
    refresh();
    const int code = Run_Modal(m_runner, *this);
    hide();
    return code;
}
