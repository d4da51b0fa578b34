#pragma once
// The listed visits as a read-only table: the log's columns, one row per visit. A row
// read as its ID alone has its other columns read, with the rows around it, when it is
// first shown.
#include "VisitorRecordStore.h"

#include <QAbstractTableModel>
#include <functional>

class Visitor_Log_Model : public QAbstractTableModel {
    Q_OBJECT

public:
    // Reads the other columns of the entries in [from, to) that hold only their ID
    // (VisitorRecordStore::Fill_Log_Entries on a connection of its own); false with the
    // reason when the log cannot be read.
    using Filler = std::function<bool(QList<Visitor_Log_Entry> &entries, qsizetype from, qsizetype to, QString *error)>;

    explicit Visitor_Log_Model(Filler filler = {}, QObject *parent = nullptr);
    // The columns shown, in order, and their titles.
    static const QList<Visitor_Log_Key> &columns();
    static QString title(Visitor_Log_Key key);

    void setEntries(QList<Visitor_Log_Entry> entries);
    const QList<Visitor_Log_Entry> &entries() const { return ListData; }
    // Reads every entry still holding only its ID: false, with the reason, when the log
    // cannot be read.
    bool fillAll(QString *error);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // A row shown could not be read; sent once per list, after the paint that met it.
    void readFailed(const QString &reason);

private:
    Filler filler;
    // Filled as rows are shown; a failed read stops further reads of this list.
    mutable QList<Visitor_Log_Entry> ListData;
    mutable bool readStopped = false;
};
