#include "Visitor_Log_Model.h"

Visitor_Log_Model::Visitor_Log_Model(QObject *parent) : QAbstractTableModel(parent) {}

const QList<Visitor_Log_Key> &Visitor_Log_Model::columns()
{
    static const QList<Visitor_Log_Key> keys{Log_SNO,   Log_DateTime, Log_Name,    Log_CompanyName,
                                             Log_Address, Log_Phone,  Log_Email,   Log_Purpose,
                                             Log_Meet,  Log_VisitoNO, Log_Other};
    return keys;
}

QString Visitor_Log_Model::title(Visitor_Log_Key key)
{
    switch (key) {
    case Log_SNO: return QStringLiteral("S.No.");
    case Log_DateTime: return QStringLiteral("Date and Time");
    case Log_Photo: return QStringLiteral("Photo Path");
    case Log_Name: return QStringLiteral("Name");
    case Log_CompanyName: return QStringLiteral("Company Name");
    case Log_Address: return QStringLiteral("Address");
    case Log_Phone: return QStringLiteral("Phone");
    case Log_Email: return QStringLiteral("Email");
    case Log_Purpose: return QStringLiteral("Purpose");
    case Log_Meet: return QStringLiteral("Person to Meet");
    case Log_VisitoNO: return QStringLiteral("Visitor No.");
    case Log_Other: return QStringLiteral("Other");
    default: return Visitor_Log_Entry::keyName(key);
    }
}

void Visitor_Log_Model::setEntries(QList<Visitor_Log_Entry> entries)
{
    beginResetModel();
    ListData = std::move(entries);
    endResetModel();
}

int Visitor_Log_Model::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(ListData.size()); }
int Visitor_Log_Model::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(columns().size()); }

QVariant Visitor_Log_Model::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= ListData.size() || index.column() >= columns().size()) return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    return ListData.at(index.row()).value(columns()[index.column()]);
}

QVariant Visitor_Log_Model::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return {};
    return section >= 0 && section < columns().size() ? title(columns()[section]) : QVariant();
}

// Selectable, never editable: the listed values are the database's.
Qt::ItemFlags Visitor_Log_Model::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
