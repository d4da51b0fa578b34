#include "SeriesImport.h"

#include "FileWrite.h"
#include "Helpers.h"
#include "Log.h"
#include "MessageBox.h"
#include "SKTDocument.h"
#include "SeriesFile.h"

#include <algorithm>

namespace SeriesImport {

namespace {
const QString kCorrupt = QStringLiteral("Either file is corrupted or selected file contains invalid characters.");
}

QList<ColumnEntry> Column_Entries(const QStringList &firstRow)
{
    QList<ColumnEntry> entries;
    for (int j = 0; j < firstRow.size(); ++j) {
        const QString text = Trim_Str(firstRow.at(j));
        if (!text.isEmpty()) entries << ColumnEntry{false, text, firstRow.at(j), j};
    }
    return entries;
}

bool Any_Chosen(const QList<ColumnEntry> &entries)
{
    return std::any_of(entries.begin(), entries.end(), [](const ColumnEntry &e) { return e.state; });
}

SheetRows Data_Rows(const SheetRows &rows, bool header) { return header ? rows.mid(1) : rows; }

QString Cell(const QStringList &row, int column)
{
    return column >= 0 && column < row.size() ? Trim_Str(row.at(column)) : QString();
}

QStringList Chosen_Values(const SheetRows &rows, const QList<ColumnEntry> &entries, bool header, bool keepEmpty)
{
    QStringList values;
    for (const QStringList &row : Data_Rows(rows, header))
        for (const ColumnEntry &e : entries) {
            if (!e.state) continue;
            const QString v = Cell(row, e.column);
            if (keepEmpty || !v.isEmpty()) values << v;
        }
    return values;
}

int Fill_Row_Table(SKTDocument &doc, const SheetRows &rows, const QList<ColumnEntry> &entries, bool header)
{
    if (rows.isEmpty()) return 0;
    QList<int> columns;
    doc.Remove_ColList_Data_Columns();
    for (const ColumnEntry &e : entries) {
        if (!e.state) continue;
        columns << e.column;
        doc.Add_ColList_Column(e.extension.isEmpty() ? QStringLiteral("Untitled Column %1").arg(columns.size())
                                                     : e.extension);
    }
    doc.Clear_ListData();
    int added = 0;
    for (const QStringList &row : Data_Rows(rows, header)) {
        if (row.isEmpty()) continue;
        QStringList cells;
        for (int c : columns) cells << Cell(row, c);
        if (doc.Create_List_By_Array(cells, int(columns.size()))) ++added;
    }
    return added;
}

bool May_Create(const Target &target, const QString &name)
{
    if (!SeriesFile::Exists(target.folder, name)) return true;
    if (target.inUse && target.inUse(name)) {
        Show_MessageBox(QStringLiteral("Batch Processing Series can't be create because it is currently in use."));
        return false;
    }
    return Show_YES_NO_MessageBox(QStringLiteral("Batch Processing Series already exists. Do you want to replace it?"))
        == 1;
}

QString In_Use_Notice(const QString &name)
{
    return QStringLiteral("Series is in use\n\n") + name + QStringLiteral("\n\nBatch processing Series is already in use.");
}

QString Exists_Question(const QString &name)
{
    return QStringLiteral("File already exists\n\n") + name
        + QStringLiteral("\n\nFile already exists in this location.\n\nDo you want to Keep or Replace it?");
}

QStringList Write_Each_Column(const Target &target, const SheetRows &rows, const QList<ColumnEntry> &entries,
                              bool header)
{
    QStringList written;
    if (rows.isEmpty() || rows.first().isEmpty()) return written;
    const SheetRows data = Data_Rows(rows, header);
    bool noticeSuppressed = false;
    const int nameMax = File_Name_Max(target.folder);
    int remembered = -1;  // the Keep Both / Replace / Cancel answer given with "Apply to All"
    for (const ColumnEntry &e : entries) {
        if (!e.state) continue;
        const SeriesFile::Name_Check cleaned = SeriesFile::Check_Name(Trim_Str(e.header), nameMax);
        if (!cleaned.refusal.isEmpty()) {
            Show_MessageBox(cleaned.refusal);
            continue;
        }
        QString name = cleaned.name;
        if (SeriesFile::Exists(target.folder, name)) {
            if (target.inUse && target.inUse(name)) {
                if (!noticeSuppressed && target.alert)
                    noticeSuppressed = target.alert(In_Use_Notice(name), {QStringLiteral("OK")}).applyAll;
                continue;
            }
            int answer = remembered;
            if (answer < 0) {
                const AlertAnswer a = target.alert ? target.alert(Exists_Question(name),
                                                                  {QStringLiteral("Keep Both"), QStringLiteral("Replace"),
                                                                   QStringLiteral("Cancel")})
                                                   : AlertAnswer{2, false};
                answer = a.button;
                if (a.applyAll) remembered = answer;
            }
            if (answer == 0) name = SeriesFile::Free_Name(target.folder, name);
            else if (answer != 1) continue;
        }
        QStringList values;
        for (const QStringList &row : data) values << Cell(row, e.column);
        if (SeriesFile::Write(SeriesFile::Path(target.folder, name), values)) written << name;
        else Show_NSLog_Message(QStringLiteral("The series \"%1\" could not be written.").arg(name));
    }
    return written;
}

bool Write_One_Series(const Target &target, const QString &typed, Fill fill, const SheetRows &rows,
                      const QList<ColumnEntry> &entries, bool header)
{
    const SeriesFile::Name_Check checked = SeriesFile::Check_Name(Trim_Str(typed), File_Name_Max(target.folder));
    if (!checked.refusal.isEmpty()) {
        Show_MessageBox(checked.refusal);
        return false;
    }
    const std::optional<QString> name = checked.name;
    const QString path = SeriesFile::Path(target.folder, *name);
    const bool exists = SeriesFile::Exists(target.folder, *name);
    if (exists && target.inUse && target.inUse(*name)) {
        Show_MessageBox(QStringLiteral("Batch Processing Series can't be create because it is currently in use."));
        return false;
    }
    if (fill == Fill::New && !May_Create(target, *name)) return false;
    if (rows.isEmpty()) {
        Show_MessageBox(kCorrupt);
        return true;
    }
    const QStringList values = Chosen_Values(rows, entries, header, true);
    const bool ok = fill == Fill::Append ? SeriesFile::Append(path, values) : SeriesFile::Write(path, values);
    if (!ok) {
        Show_MessageBox(QStringLiteral("Error in file accessing."));
        return false;
    }
    return true;
}

} // namespace SeriesImport
