#pragma once
// The listed visits as a read-only table: the log's columns, one row per visit. It holds
// the visits as they were read and shows them without reading the database.
#include "VisitorRecordStore.h"

#include <QAbstractTableModel>

class Visitor_Log_Model : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit Visitor_Log_Model(QObject *parent = nullptr);
    // The columns shown, in order, and their titles.
    static const QList<Visitor_Log_Key> &columns();
    static QString title(Visitor_Log_Key key);

    void setEntries(QList<Visitor_Log_Entry> entries);
    const QList<Visitor_Log_Entry> &entries() const { return ListData; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QList<Visitor_Log_Entry> ListData;
};
