#pragma once
// The spreadsheet source window: a modal view over the document's spreadsheet source,
// the row table (ListData) shown in the columns of the column table (ColList), with
// the numbers of rows and of columns (the row-number column counted) and an OK button.
// It follows the document's selected row (Mark_List_New_Selection).
#include <QDialog>
#include <functional>

class Modal_Runner;
class QAbstractTableModel;
class QLabel;
class QPushButton;
class QTableView;
class SKTDocument;

class Data_From_Excel : public QDialog {
    Q_OBJECT
public:
    explicit Data_From_Excel(SKTDocument &doc, QWidget *parent = nullptr, Modal_Runner *runner = nullptr);

    // Shows the counts, runs the window modally, hides it; the modal code (1 after OK).
    int Open_Wnd();
    void OK_Click() { done(1); }

    QTableView *ColList = nullptr;
    QLabel *rows_count = nullptr;
    QLabel *column_count = nullptr;
    QPushButton *ok = nullptr;

private:
    Modal_Runner *const m_runner;  // runs the window (null: exec())
    void refresh();
    void selectRow(int row);

    SKTDocument &m_doc;
    QAbstractTableModel *m_model = nullptr;
};
