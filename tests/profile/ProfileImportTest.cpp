// A workbook imported from the Profile dialog's "Excel..." source: every row keeps its
// column by name (the row-number column and the photo row too) or goes back to Manual
// with a message naming it, the picking row takes the first column after the row
// number, and OK then stores the sources and drops the card's bindings to the old
// spreadsheet.
#include "PanelDesk.h"
#include "Profile_Dialog.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "QStringPrinter.h"

namespace profile_import_test {

namespace {

// The panels' desk whose window imports the workbooks of `books` in turn: their column
// names, the row number first; the first row's value of a column is its name and " 1".
struct Sheet_Desk : PanelDesk {
    QList<QStringList> books;
    int book = 0;

    struct Rows : Profile_Data_Source {
        Sheet_Desk &w;
        explicit Rows(Sheet_Desk &desk) : w(desk) {}
        int Calculate_Excel_table_rows() const override { return 3; }
        bool Browse_Excel_AGAIN() const override { return w.profiles.Browse_Excel_AGAIN; }
        bool Check_Back_Side_Excel_Binding_Is_Used() const override { return true; }
        QStringList Excel_Column_Names() const override { return w.books.value(w.book); }
    };

    Sheet_Desk() { source = std::make_unique<Rows>(*this); }
    bool Import_Spreadsheet() override
    {
        if (book + 1 >= books.size()) return false;
        ++book;
        return true;
    }
    QString Column_Value_Shown(int column) const override { return books.value(book).value(column) + " 1"; }
};

void pick(QComboBox *box, const QString &text)
{
    const int at = box->findText(text);
    ASSERT_GE(at, 0) << text.toStdString();
    box->setCurrentIndex(at);
    emit box->activated(at);
}

// The binding of a control as the tests read it: its column, or -1 when it takes no
// spreadsheet value.
int columnOf(const SKTGraphic &g)
{
    return g.data_source_type_val() == Data_Source_Spreadsheet ? g.excel_col_indx : -1;
}

GraphicPtr bound(Sheet_Desk &w, SKTGraphicList &side, GraphicKind kind, const QString &id, int column)
{
    GraphicPtr g = w.add(side, kind, {10, 10.0 + 30 * side.count(), 80, 20});
    g->control_ID = id;
    g->Set_Data_source_type(Data_Source_Spreadsheet);
    g->Set_Excel_binding(true);
    g->Set_Excel_binding_Index(column);
    return g;
}

TEST(ProfileImport, RowsKeepTheirColumnsByNameThenOkDropsTheOldBindings)
{
    Sheet_Desk w;
    w.books = {{"S.No.", "Name", "Label", "Company", "Pic"},
               {"S.No.", "Label", "Pic", "Name"},
               {"S.No.", "Name"}};
    GraphicPtr name = bound(w, w.front(), GraphicKind::Text, "Fup_Name", 1);
    GraphicPtr badge = bound(w, w.front(), GraphicKind::Text, "F_field1", 2);
    GraphicPtr code = bound(w, w.front(), GraphicKind::Barcode, "", 3);
    GraphicPtr backName = bound(w, w.back(), GraphicKind::Text, "Fup_Name", 1);

    struct Row {
        int row;  // a text row, or -1 for the photo row
        QString source, value;
    };
    struct Step {
        const char *what;
        std::function<void(Profile_Dialog &)> act;
        QList<Row> rows;
        QStringList messages;
    };
    const QString manual = "\nThe new workbook has no column for these rows; they are set to Manual:\n";
    const Step steps[] = {
        {"chosen from the first workbook",
         [](Profile_Dialog &d) {
             pick(d.rows[0].source, "Column: S.No.");
             pick(d.rows[1].source, "Column: Name");
             pick(d.rows[2].source, "Column: Company");
             pick(d.image_source, "Column: Pic");
         },
         {{0, "Column: S.No.", "S.No. 1"},
          {1, "Column: Name", "Name 1"},
          {2, "Column: Company", "Company 1"},
          {-1, "Column: Pic", "Pic 1"}},
         {}},
        {"the second workbook, picked in the fourth row",
         [](Profile_Dialog &d) { pick(d.rows[3].source, "Excel..."); },
         {{0, "Column: S.No.", "S.No. 1"},
          {1, "Column: Name", "Name 1"},
          {2, "Manual", "Company 1"},
          {3, "Column: Label", "Label 1"},
          {-1, "Column: Pic", "Pic 1"}},
         {manual + "Company Name (column \"Company\")"}},
        {"the third workbook, picked in the fifth row",
         [](Profile_Dialog &d) { pick(d.rows[4].source, "Excel..."); },
         {{0, "Column: S.No.", "S.No. 1"},
          {1, "Column: Name", "Name 1"},
          {2, "Manual", "Company 1"},
          {3, "Manual", "Label 1"},
          {4, "Column: Name", "Name 1"},
          {-1, "Manual", "Pic 1"}},
         {manual + "Company Slogan (column \"Label\")\nPhoto (column \"Pic\")"}},
    };
    w.runner.whileOpen<Show_User_Profile>([&](Show_User_Profile &d) {
        for (const Step &s : steps) {
            s.act(d);
            for (const Row &r : s.rows) {
                QComboBox *box = r.row < 0 ? d.image_source : d.rows[size_t(r.row)].source;
                QLineEdit *value = r.row < 0 ? d.image_path : d.rows[size_t(r.row)].value;
                EXPECT_EQ(box->currentText().toStdString(), r.source.toStdString()) << s.what << ", row " << r.row;
                EXPECT_EQ(value->text().toStdString(), r.value.toStdString()) << s.what << ", row " << r.row;
            }
            EXPECT_EQ(testsupport::boxes().take(), s.messages) << s.what;
        }
        d.OK_Btn_Clicked();
    });
    testsupport::boxes().clear();
    EXPECT_EQ(w.profiles.Open_User_Profile_Window(1, "F", "2"), 1);
    w.runner.remove<Show_User_Profile>();

    // The record takes the sources as the dialog last showed them.
    const User_Profile_Class &record = w.profiles.Front_user_profile;
    const struct {
        Profile_Stem stem;
        bool xl;
        int column;
    } stored[] = {{Profile_Stem::Name, true, 0},          {Profile_Stem::Title, true, 1},
                  {Profile_Stem::Company_name, false, 3}, {Profile_Stem::slogan, false, 1},
                  {Profile_Stem::address, true, 1},       {Profile_Stem::image, false, 4}};
    for (const auto &s : stored) {
        EXPECT_EQ(record[s.stem].xl != 0, s.xl) << int(s.stem);
        if (s.xl) {
            EXPECT_EQ(record[s.stem].xl_col_indx, s.column) << int(s.stem);
        }
    }
    // The card's bindings to the old spreadsheet go, but the profile fields of the side
    // shown; on the other side, which uses the spreadsheet too, every one goes.
    EXPECT_EQ(columnOf(*name), 1);
    EXPECT_EQ(columnOf(*badge), -1);
    EXPECT_EQ(columnOf(*code), -1);
    EXPECT_EQ(columnOf(*backName), -1);
}

} // namespace

} // namespace profile_import_test
