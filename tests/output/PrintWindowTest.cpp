// The print window driven as a user drives it: it opens on "Default", prints to the
// virtual PDF printer, previews, and keeps its profiles.
#include "PrintWindowFixture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <functional>
#include <gtest/gtest.h>

namespace print_window_test {

TEST(PrintWindow, OpensOnTheDefaultProfile)
{
    Fixture f(0);
    EXPECT_EQ(f.window->Printer_ComboBox->currentText(), Virtual_PDF_Printer_Name);
    EXPECT_EQ(f.window->Paper_id->text(), "A4");
    EXPECT_EQ(f.window->Size_id->text(), "210.00 x 297.00");
    EXPECT_EQ(f.window->l_mar_id->text(), "0.00");
    EXPECT_EQ(f.window->Row_Text->value(), 2);
    EXPECT_EQ(f.window->Col_Text->value(), 2);
    EXPECT_DOUBLE_EQ(f.window->horz_mar_Text->value(), 5);
    EXPECT_EQ(f.window->alignButtons->checkedId(), 5);
    EXPECT_EQ(f.window->matrix_card_side->checkedId(), 0);
    EXPECT_FALSE(f.window->Delete_profile_btn->isEnabled());
    // No data: the total is rows x columns and the range is off.
    EXPECT_EQ(f.window->Total_Text->value(), 4);
    EXPECT_FALSE(f.window->Sel_print_rd->isEnabled());
    EXPECT_FALSE(f.window->print_with_excel_chk->isEnabled());
}

// The paper's size in millimetres as its page size gives it, not from whole points.
TEST(PrintWindow, PaperSizeInMillimetres)
{
    Fixture f(0);
    const struct {
        QPageSize::PageSizeId id;
        QPageLayout::Orientation orientation;
        const char *shown;
    } rows[] = {
        {QPageSize::A4, QPageLayout::Portrait, "210.00 x 297.00"},
        {QPageSize::A4, QPageLayout::Landscape, "297.00 x 210.00"},
        {QPageSize::A5, QPageLayout::Portrait, "148.00 x 210.00"},
        {QPageSize::B5, QPageLayout::Portrait, "176.00 x 250.00"},
        {QPageSize::Letter, QPageLayout::Portrait, "215.90 x 279.40"},
    };
    for (const auto &r : rows) {
        f.settings.pageSize = QPageSize(r.id);
        f.settings.orientation = r.orientation;
        f.window->Set_values_From_Printer();
        EXPECT_EQ(f.window->Size_id->text(), r.shown) << r.shown;
    }
    // A saved profile records the same size.
    f.settings.pageSize = QPageSize(QPageSize::A5);
    f.settings.orientation = QPageLayout::Portrait;
    f.window->Set_values_From_Printer();
    ASSERT_TRUE(f.window->Save_Print_Profile("A5", Virtual_PDF_Printer_Name));
    const std::optional<Print_Profile> saved = Read_Print_Profile(f.folder + "/A5.zvp");
    ASSERT_TRUE(saved);
    EXPECT_EQ(Print_Profile_Strings(*saved).mid(1, 4), QStringList({"A5", "148.00 x 210.00", "148.00", "210.00"}));
}

TEST(PrintWindow, PrintsTwentyThreeRowsFiveByTwoWithCropMarks)
{
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
    Fixture f(23);
    EXPECT_TRUE(f.window->print_with_excel_chk->isChecked());
    EXPECT_EQ(f.window->Total_Text->value(), 23);
    f.window->matrix_card_side->button(1)->click();  // front only
    f.window->alignButtons->button(1)->click();
    f.window->horz_mar_Text->setValue(0);
    f.window->vert_mar_Text->setValue(0);
    f.window->Row_Text->setValue(5);
    f.window->Col_Text->setValue(2);
    f.window->crop_mark_chk->setChecked(true);
    EXPECT_EQ(f.window->layout().rows, 5);
    EXPECT_EQ(f.window->layout().cols, 2);
    f.window->Print_btn->click();
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(pdfInfo(f.pdf).pages, 3);
    EXPECT_EQ(f.window->status->text(), "3 sheets printed.");
    QStringList page3;
    for (const Word &w : pdfWords(f.pdf))
        if (w.page == 3) page3 << w.text;
    page3.sort();
    EXPECT_EQ(page3, QStringList({"Name21", "Name22", "Name23"}));

    // A range: records 3 to 5 fill the first three cells.
    f.window->Sel_print_rd->click();
    f.window->from_Text->setValue(3);
    f.window->To_Text->setValue(5);
    f.window->alignButtons->button(5)->click();
    f.window->Col_Text->setValue(1);
    f.window->Print_btn->click();
    QStringList words;
    for (const Word &w : pdfWords(f.pdf)) words << w.text;
    EXPECT_EQ(words, QStringList({"Name3", "Name4", "Name5"}));
    EXPECT_EQ(f.window->status->text(), "1 sheet printed.");
    // From after To.
    f.window->from_Text->setValue(6);
    testsupport::boxes().clear();
    EXPECT_FALSE(f.window->Execute_Printing(false));
    EXPECT_EQ(shown(), "\nPlease select valid range.");
    // A cell wider than the paper: the size question; No prints nothing.
    f.window->from_Text->setValue(1);
    f.window->width_Text->setValue(300);
    QFile::remove(f.pdf);
    EXPECT_FALSE(f.window->Execute_Printing(false));
    EXPECT_EQ(shown(), "'Card Size' is bigger than selected 'Paper Size' or drawn card may be out of margin "
                       "area.\n\nDo you want to continue?");
    EXPECT_FALSE(QFile::exists(f.pdf));
}

TEST(PrintWindow, PreviewShowsFiftySheetsAndSendsNothing)
{
    Fixture f(510);
    f.window->matrix_card_side->button(1)->click();
    f.window->horz_mar_Text->setValue(0);
    f.window->vert_mar_Text->setValue(0);
    f.window->Row_Text->setValue(5);
    f.window->Col_Text->setValue(2);
    int pages = -1;
    f.window->previewRunner = [&](Print_Preview_Dialog &d) {
        d.updatePreview();
        pages = d.pageCount();
    };
    f.window->Preview_btn->click();
    EXPECT_EQ(pages, 50);
    EXPECT_EQ(shown(), "\n" + Preview_Limit_Message.toStdString());
    EXPECT_FALSE(QFile::exists(f.pdf));
}

// A job that fails says why, and the status never reads "... printed.".
TEST(PrintWindow, AFailedJobIsReported)
{
    const struct {
        QString printer;  // the PDF printer when empty
        QString file;     // the PDF printer's file
        std::string shown;
    } rows[] = {
        {"Gone Away", "", "\nThe printer \"Gone Away\" is not available."},
        {"", testsupport::testHome() + "/no such folder/printed.pdf", "\nThe printer could not start the job."},
        // A full disk: every write to /dev/full fails with ENOSPC.
        {"", "/dev/full", "\nThe print job could not be written to \"/dev/full\": No space left on device."},
    };
    for (const auto &r : rows) {
        Fixture f(0);
        if (!r.printer.isEmpty()) f.settings.printer = r.printer;
        if (!r.file.isEmpty()) qputenv(Virtual_PDF_Printer_Setting, r.file.toUtf8());
        f.window->Print_btn->click();
        EXPECT_EQ(shown(), r.shown) << r.file.toStdString();
        EXPECT_EQ(f.window->status->text(), "") << r.file.toStdString();
    }
}

TEST(PrintWindow, ProfilesAddedEditedAndDeleted)
{
    Fixture f(0);
    f.window->vert_mar_Text->setValue(7);
    f.window->crop_mark_chk->setChecked(true);
    f.profileDialogAnswers("Office");
    // The dialog's page set-up confirms margins (left, top, right, bottom): the profile
    // keeps them, and the window still shows them once the list is loaded again.
    f.window->pageSetupRunner = [](Print_Settings &s) {
        s = Page_Setup_Settings(s, QPageLayout(s.pageSize, s.orientation, {20, 15, 15, 20}, QPageLayout::Millimeter), {});
        return true;
    };
    f.window->Add_profile_btn->click();
    EXPECT_EQ(shown(), "\nPrint Profile has been saved successfully.");
    EXPECT_EQ(f.listed(), QStringList({"Default", "Office"}));
    EXPECT_EQ(Print_Profile_Strings(*Read_Print_Profile(f.folder + "/Office.zvp")).mid(11, 4),
              QStringList({"20.00", "15.00", "15.00", "20.00"}));
    EXPECT_EQ(QStringList({f.window->l_mar_id->text(), f.window->t_mar_id->text(), f.window->r_mar_id->text(),
                           f.window->b_mar_id->text()}),
              QStringList({"20.00", "15.00", "15.00", "20.00"}));
    EXPECT_EQ(f.window->selectedProfile(), "Default");  // the first row is loaded again
    EXPECT_DOUBLE_EQ(f.window->vert_mar_Text->value(), 5);
    EXPECT_FALSE(f.window->crop_mark_chk->isChecked());
    // Loading "Office" brings its settings back.
    f.window->List_profile->setCurrentRow(1);
    EXPECT_DOUBLE_EQ(f.window->vert_mar_Text->value(), 7);
    EXPECT_TRUE(f.window->crop_mark_chk->isChecked());
    EXPECT_TRUE(f.window->Delete_profile_btn->isEnabled());

    // Names refused by the dialog keep it open and write nothing.
    for (const QString &name : {QString("default"), QString("DEFAULT"), QString("/default/")}) {
        f.profileDialogAnswers(name);
        f.window->Add_profile_btn->click();
        EXPECT_EQ(shown(), "\nThis is a Default profile name.\n\nPlease enter another profile name.");
    }
    EXPECT_EQ(f.listed(), QStringList({"Default", "Office"}));

    // A new name that cannot be written keeps the old profile, and the message says why.
    QDir().mkpath(f.folder + "/Blocked.zvp");
    f.window->List_profile->setCurrentRow(1);
    f.profileDialogAnswers("Blocked");
    f.window->Edit_profile_btn->click();
    EXPECT_EQ(shown(), "\nError in file accessing. Is a directory.");
    EXPECT_TRUE(QFile::exists(f.folder + "/Office.zvp"));
    QDir(f.folder + "/Blocked.zvp").removeRecursively();

    // Renaming: the new file is there and the old one gone.
    f.window->List_profile->setCurrentRow(1);
    f.profileDialogAnswers("Work");
    f.window->Edit_profile_btn->click();
    EXPECT_EQ(f.listed(), QStringList({"Default", "Work"}));
    EXPECT_EQ(f.window->selectedProfile(), "Work");
    EXPECT_DOUBLE_EQ(f.window->vert_mar_Text->value(), 7);
    EXPECT_FALSE(QFile::exists(f.folder + "/Office.zvp"));

    // Delete asks first; No keeps the file.
    testsupport::boxes().clear();
    f.window->Delete_profile_btn->click();
    EXPECT_EQ(shown(), "Are you sure want to delete selected 'Print Profile'?");
    EXPECT_EQ(f.listed(), QStringList({"Default", "Work"}));
    f.window->List_profile->setCurrentRow(1);
    testsupport::boxes().answerNext(1);
    f.window->Delete_profile_btn->click();
    EXPECT_EQ(f.listed(), QStringList({"Default"}));
}

// A profile file whose extension is in capitals is listed, and its row loads, saves over
// and deletes that very file, as a row of one in small letters does: the files beside
// it, two of one name among them, are left as they were.
TEST(PrintWindow, AProfileOfACapitalExtensionKeepsItsOwnFile)
{
    Fixture f(0);
    const auto write = [&](const QString &file, int rows, double gap) {
        Print_Profile p;
        p.rows = rows;
        p.horzGapMM = gap;
        ASSERT_TRUE(Write_Print_Profile(f.folder + "/" + file, p));
    };
    write("Upper.ZVP", 1, 3);
    write("Lower.zvp", 1, 4);
    write("Twin.Zvp", 1, 6);
    write("Twin.zvp", 1, 8);
    f.window->Load_Print_Profile();
    ASSERT_EQ(f.listed(), QStringList({"Default", "Lower", "Twin (Twin.Zvp)", "Twin (Twin.zvp)", "Upper"}));
    const auto files = [&] { return QDir(f.folder).entryList(QDir::Files, QDir::Name); };
    const auto gapIn = [&](const QString &file) {
        const std::optional<Print_Profile> p = Read_Print_Profile(f.folder + "/" + file);
        return p ? p->horzGapMM : -1.0;
    };
    const struct {
        int row;
        double gap;          // the row's own gap, shown when it is picked
        const char *file;    // its file, saved over with a gap of 11, then deleted
        QStringList after;   // the files left after the delete
    } table[] = {
        {4, 3, "Upper.ZVP", {"Default.zvp", "Lower.zvp", "Twin.Zvp", "Twin.zvp"}},
        {3, 8, "Twin.zvp", {"Default.zvp", "Lower.zvp", "Twin.Zvp"}},
        {2, 6, "Twin.Zvp", {"Default.zvp", "Lower.zvp"}},
        {1, 4, "Lower.zvp", {"Default.zvp"}},
    };
    for (const auto &r : table) {
        SCOPED_TRACE(r.file);
        f.window->List_profile->setCurrentRow(0);
        f.window->List_profile->setCurrentRow(r.row);
        EXPECT_DOUBLE_EQ(f.window->horz_mar_Text->value(), r.gap);
        const QStringList before = files();
        f.window->horz_mar_Text->setValue(11);
        f.window->Save_profile_btn->click();
        EXPECT_EQ(shown(), "\nPrint Profile has been saved successfully.");
        EXPECT_EQ(files(), before);
        EXPECT_DOUBLE_EQ(gapIn(r.file), 11);
        EXPECT_EQ(f.window->List_profile->currentRow(), r.row);
        EXPECT_DOUBLE_EQ(f.window->horz_mar_Text->value(), 11);
        testsupport::boxes().answerNext(1);
        f.window->Delete_profile_btn->click();
        EXPECT_EQ(shown(), "Are you sure want to delete selected 'Print Profile'?");
        EXPECT_EQ(files(), r.after);
        EXPECT_EQ(f.listed().size(), r.after.size());
    }
    EXPECT_DOUBLE_EQ(gapIn("Default.zvp"), 5);

    // Renaming a profile of capitals removes its own file.
    write("Upper.ZVP", 1, 3);
    f.window->Load_Print_Profile();
    f.window->List_profile->setCurrentRow(1);
    f.profileDialogAnswers("Top");
    f.window->Edit_profile_btn->click();
    EXPECT_EQ(files(), QStringList({"Default.zvp", "Top.zvp"}));
    EXPECT_DOUBLE_EQ(gapIn("Top.zvp"), 3);
}

// However the row is picked, its profile is the one shown, printed and saved. A mouse
// press moves the current row before it selects the row.
TEST(PrintWindow, APickedProfileIsLoadedHoweverItIsPicked)
{
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
    Fixture f(10);
    f.window->matrix_card_side->button(1)->click();  // front only
    f.window->Row_Text->setValue(3);
    f.window->Col_Text->setValue(2);
    f.profileDialogAnswers("P32");
    f.window->Add_profile_btn->click();
    ASSERT_EQ(f.listed(), QStringList({"Default", "P32"}));
    testsupport::boxes().clear();
    f.window->resize(1200, 800);
    f.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
    QListWidget *list = f.window->List_profile;
    const struct {
        const char *how;
        std::function<void()> pick;
    } table[] = {
        {"mouse", [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center()); }},
        {"current row first, then the selection",
         [&] {
             list->setCurrentRow(1, QItemSelectionModel::NoUpdate);
             list->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
         }},
        {"keyboard", [&] { QTest::keyClick(list, Qt::Key_Down); }},
        {"program", [&] { f.window->selectProfile("P32"); }},
    };
    for (const auto &row : table) {
        list->setCurrentRow(0);
        ASSERT_EQ(f.window->Row_Text->value(), 2) << row.how;
        ASSERT_EQ(f.window->matrix_card_side->checkedId(), 0) << row.how;
        row.pick();
        EXPECT_EQ(f.window->selectedProfile(), "P32") << row.how;
        EXPECT_EQ(f.window->Row_Text->value(), 3) << row.how;
        EXPECT_EQ(f.window->Col_Text->value(), 2) << row.how;
        EXPECT_EQ(f.window->matrix_card_side->checkedId(), 1) << row.how;
        EXPECT_TRUE(f.window->Delete_profile_btn->isEnabled()) << row.how;
        // Records 1 to 5 fit the six cells of one sheet.
        QFile::remove(f.pdf);
        f.window->Sel_print_rd->click();
        f.window->from_Text->setValue(1);
        f.window->To_Text->setValue(5);
        f.window->Print_btn->click();
        EXPECT_EQ(shown(), "") << row.how;
        EXPECT_EQ(pdfInfo(f.pdf).pages, 1) << row.how;
        // Save keeps the profile's own layout.
        f.window->Save_profile_btn->click();
        EXPECT_EQ(shown(), "\nPrint Profile has been saved successfully.") << row.how;
        const std::optional<Print_Profile> saved = Read_Print_Profile(Print_Profile_Path(f.folder, "P32"));
        ASSERT_TRUE(saved) << row.how;
        EXPECT_EQ(saved->rows, 3) << row.how;
        EXPECT_EQ(saved->cols, 2) << row.how;
        EXPECT_EQ(saved->side, Run_Sides::Front) << row.how;
        EXPECT_EQ(saved->printer, Virtual_PDF_Printer_Name) << row.how;
    }
}

TEST(PrintWindow, ProfileOfBothSidesOnAOneSidedCardSelectsTheFront)
{
    Fixture f(0, false);
    EXPECT_EQ(f.window->matrix_card_side->checkedId(), 1);
    EXPECT_FALSE(f.window->matrix_card_side->button(0)->isEnabled());
    EXPECT_EQ(f.window->layout().side, Run_Sides::Front);
}

TEST(PrintWindow, EmptyProfileFolderAnswersSelectAProfile)
{
    Fixture f(0);
    QFile::remove(f.folder + "/Default.zvp");
    f.window->Load_Print_Profile();
    EXPECT_EQ(f.window->List_profile->count(), 0);
    for (QPushButton *b : {f.window->Edit_profile_btn, f.window->Save_profile_btn, f.window->Delete_profile_btn}) {
        b->setEnabled(true);
        b->click();
    }
    EXPECT_EQ(shown(), "\nPlease select a print profile|\nPlease select a print profile|\nPlease select a print profile");
}

// The alignment buttons show where the block of cards sits: the chosen one in its
// selected form (a teal block on a light teal sheet), the others slate on white.
TEST(PrintWindow, AlignmentButtonsShowTheChosenPlace)
{
    Fixture f(0);
    const QRgb slate = qRgb(0x3b, 0x5b, 0x92), teal = qRgb(0x1f, 0x9e, 0x9a);
    const QRgb white = qRgb(255, 255, 255), lightTeal = qRgb(0xd8, 0xf1, 0xef);
    // Inside block k of a 32 x 32 picture, and at the place opposite it.
    auto at = [](int k) { return QPoint(8 + (k - 1) % 3 * 7, 7 + (k - 1) / 3 * 7); };
    auto picture = [&](int k) {
        return f.window->alignButtons->button(k)->icon().pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    for (int chosen : {5, 1, 9, 3, 7, 2, 4, 6, 8}) {
        if (chosen != 5) QTest::mouseClick(f.window->alignButtons->button(chosen), Qt::LeftButton);
        // "Default" opens on 5.
        for (int k = 1; k <= 9; ++k) {
            const QImage image = picture(k);
            ASSERT_EQ(image.size(), QSize(32, 32)) << k;
            EXPECT_EQ(image.pixel(at(k)), k == chosen ? teal : slate) << "button " << k << " after " << chosen;
            if (k != 5) {
                EXPECT_EQ(image.pixel(at(10 - k)), k == chosen ? lightTeal : white) << k;
            }
        }
    }
    EXPECT_EQ(f.window->alignButtons->checkedId(), 8);
    if (const QString shots = qEnvironmentVariable("DOZO_SHOTS_DIR"); !shots.isEmpty()) {
        f.window->resize(1200, 800);
        f.window->show();
        QDir().mkpath(shots);
        f.window->grab().save(QDir(shots).filePath("print-window-pictures.png"));
    }
}

// The side arrangement shows its picture, by the names the window loads.
TEST(PrintWindow, SideArrangementShowsItsPicture)
{
    Fixture f(0);
    const struct {
        int side, index;
        const char *picture;
    } table[] = {{0, 0, "up-down-flip"}, {0, 1, "up-down"},   {0, 2, "left-rite"}, {0, 3, "both_up"},
                 {0, 4, "head_up_head_down"}, {1, 0, "front"}, {1, 1, "front_flip"}, {2, 0, "back"},
                 {2, 1, "back_flip"}};
    for (const auto &row : table) {
        f.window->matrix_card_side->button(row.side)->click();
        QComboBox *list = row.side == 0 ? f.window->print_alignment : f.window->print_alignment_one_side;
        list->setCurrentIndex(row.index);
        emit list->activated(row.index);
        const QImage shown = f.window->print_align_demo_pic->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage file = QImage(Resource_Path + row.picture + ".png").convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(file.isNull()) << row.picture;
        EXPECT_EQ(shown, file) << row.picture;
    }
    // Turned or not: the back's photo at the left (upright) or the right (turned) of the lower card.
    const QRgb photo = qRgb(0x8e, 0x99, 0xab), ground = qRgb(0xee, 0xf1, 0xf5);
    const struct {
        const char *picture;
        QRgb left, right;
    } turned[] = {{"up-down", photo, ground}, {"up-down-flip", ground, photo}};
    for (const auto &row : turned) {
        const QImage file(Resource_Path + row.picture + ".png");
        EXPECT_EQ(file.pixel(47, 54), row.left) << row.picture;
        EXPECT_EQ(file.pixel(72, 58), row.right) << row.picture;
    }
}

} // namespace print_window_test
