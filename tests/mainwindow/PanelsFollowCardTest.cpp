// The entry panels are a view of the card's profile controls: whichever road changes a
// control of the visitor pass, its panel box shows the change, and Add to Database
// stores what the pass shows (read back from Visitor.db with sqlite3's own reader).
#include "CardPropertyPanel.h"
#include "ColorWell.h"
#include "ControlPanels.h"
#include "Cropping_Tool.h"
#include "DataSourceSection.h"
#include "QStringPrinter.h"
#include "Globals.h"
#include "Helpers.h"
#include "MessageBox.h"
#include "PrinterLayer.h"
#include "Print_Window.h"
#include "Profile_Dialog.h"
#include "Profile_Panel.h"
#include "Run_Desk.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "SelectionCanvas.h"
#include "StandInPictures.h"
#include "SyntheticCamera.h"
#include "TestSupport.h"
#include "TestWindow.h"
#include "Visitor_Fields.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sqlite3.h>

namespace panels_follow_card_test {
namespace {

using Row = std::map<QString, QString>;

QString pass() { return Resource_Path + "Templates/Visitor/Visitor Pass (h).zcd"; }
QString today() { return QLocale(QLocale::English, QLocale::UnitedStates).toString(QDate::currentDate(), "dd-MMM-yyyy"); }

// The newest row of the visitor log.
Row lastRecord()
{
    Row row;
    sqlite3 *db = nullptr;
    const QByteArray path = QFile::encodeName(Database_Path);
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT * FROM Visitor_Records ORDER BY ID DESC LIMIT 1", -1, &st, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
                row[QString::fromUtf8(sqlite3_column_name(st, c))] = text ? QString::fromUtf8(text) : QString();
            }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return row;
}

// The log's value column of each fixed field of the panel, name to time.
const char *const kColumns[kVisitorFieldCount] = {"VName",   "Position", "CompanyName", "Slogan",
                                                  "Address", "Phone",    "Fax",         "Email",
                                                  "Website", "UniqueNo", "EntryDate",   "EntryTime"};

// The pass (or another template) as the template gallery opens it, in visitor mode,
// with an empty log.
struct Desk : TestWindow {
    explicit Desk(const QString &design = pass())
    {
        Set_Field_Captions(Caption_Wording::General_ID_Card);
        testsupport::answerStartWindow(runner, [design] { return Start_Choice(std::optional<QString>(design)); });
        controller.Close_Design();
        Check_Path_And_Create_VISITOR_Files();
        QFile::remove(Database_Path);
        Check_Path_And_Create_VISITOR_Files();
        testsupport::boxes().clear();
    }
    Profile_Panel &fp() { return *Front_Profile_Panel_OBJ; }
    SKTGraphicView &view() { return *controller.graphicView(0); }
    SKTGraphic *control(const char *id) { return view().Selcect_Ctrl_With_ID(QLatin1String(id)); }
    void select(SKTGraphic *g)
    {
        ASSERT_NE(g, nullptr);
        view().selectGraphics({g});
        controller.Set_Selected_Graphic(g);
        controller.Show_RHS_Properties(g);
    }
    static void type(QLineEdit *box, const QString &text)
    {
        box->setText(text);
        emit box->textEdited(text);
    }
};

// Box, card and record agree for every shown field and for the photo.
void expectInStep(Desk &w, const std::string &road)
{
    SCOPED_TRACE(road);
    Profile_Panel &panel = w.fp();
    panel.Add_to_DB_btn->click();
    ASSERT_EQ(testsupport::boxes().take(), QStringList{"\nVisitor Details has been saved successfully"});
    const Row record = lastRecord();
    for (int f = 0; f < kVisitorFieldCount; ++f) {
        const SKTGraphic *g = w.control(Visitor_Fixed_Fields()[f].value_id);
        SCOPED_TRACE(Visitor_Fixed_Fields()[f].value_id);
        if (!g || !g->ctrl_is_visible) {
            // Not on the card: not ticked, and nothing stored (the date and time then
            // take the moment of recording).
            EXPECT_FALSE(panel.fields[f].value_chk->isChecked());
            if (f < kDateField) {
                EXPECT_EQ(record.at(kColumns[f]), "");
            }
            continue;
        }
        EXPECT_TRUE(panel.fields[f].value_chk->isChecked());
        EXPECT_EQ(panel.fields[f].value->text(), g->Text_Value);
        EXPECT_EQ(record.at(kColumns[f]), g->Text_Value);
        if (f >= kDateField) {
            EXPECT_NE(record.at(kColumns[f]), "Text here") << "a shown date or time is the visit's";
        }
    }
    // The photo box and the record hold the card's photo; none for a stand-in picture
    // or a deleted photo.
    const SKTGraphic *photo = w.control("Fup_Photo");
    const bool none = !photo || Is_Stand_In_Picture(photo->FilePath(), Resource_Path);
    EXPECT_EQ(panel.image_path_val->text(), none ? QString() : photo->FilePath());
    EXPECT_EQ(record.at("Photo"), none ? QString() : photo->FilePath());
}

} // namespace

TEST(PanelsFollowCard, EveryRoadThatChangesTheCardReachesItsBoxAndTheRecord)
{
    const QString person = testsupport::solidPicture("person.png", Qt::red);
    const QString other = testsupport::solidPicture("other.png", Qt::blue);
    struct Road {
        const char *name;
        std::function<void(Desk &)> take;
        const char *nameShown;  // the card's name afterwards ("" when not pinned)
        bool photoIsPerson;     // the card's photo afterwards is person.png
        QString design = pass();
        const char *shownId = "Fup_Name";  // the text whose value `nameShown` pins
    };
    const QString generalId = Resource_Path + "Templates/Corporate/General ID (%1).zcd";
    // The card's unnamed picture (the company logo), selected.
    const auto selectLogo = [](Desk &w) {
        for (const GraphicPtr &g : w.view().graphicsList()->items())
            if (g->kind() == GraphicKind::Image && g->control_ID.isEmpty()) return w.select(g.get());
        FAIL() << "no logo";
    };
    const auto deletePhoto = [](Desk &w) {
        Desk::type(w.fp().fields[0].value, "Ann");
        w.select(w.control("Fup_Photo"));
        w.command("Delete")->trigger();
        ASSERT_EQ(w.control("Fup_Photo"), nullptr);
    };
    const auto clearUnderManual = [](bool date) {
        return [date](Desk &w) {
            Profile_Panel &p = w.fp();
            const int f = date ? kDateField : kTimeField;
            QCheckBox *manual = date ? p.date_manual_chk : p.time_manual_chk;
            if (!p.fields[f].value_chk->isChecked()) p.fields[f].value_chk->click();
            manual->click();
            Desk::type(p.fields[f].value, "");
            manual->click();
            const SKTGraphic *g = w.control(date ? "Fup_Date" : "Fup_Time");
            ASSERT_NE(g, nullptr);
            EXPECT_EQ(g->Text_Value, p.fields[f].value->text()) << "stamped on the card";
            ASSERT_EQ(w.view().Selected_Graphic(), g) << "selected by the typing";
            EXPECT_EQ(w.controller.controlPanels->text.value->toPlainText(), g->Text_Value) << "and on the Text tab";
            if (date) {
                EXPECT_EQ(g->Text_Value, today());
            } else {
                EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(g->Text_Value).hasMatch())
                    << g->Text_Value.toStdString();
            }
        };
    };
    // New asks to save the design shown; Cancel keeps it.
    const auto newAsksToSave = [](Desk &w) {
        testsupport::boxes().clear();
        testsupport::boxes().answerNext(kAlertCancel);
        w.command("New")->trigger();
        EXPECT_EQ(testsupport::boxes().take(), QStringList{"Do you want to save changes before closing?"});
    };
    // The panel's photo, then Photo from File... with a file that is no picture: refused
    // with its message; the photo, its picture, the panel and the undo steps as they were.
    const auto refusedAfterPhoto = [&person](const QString &file, bool imageTab = false) {
        return [&person, file, imageTab](Desk &w) {
            testsupport::queueFilePanelAnswer({person});
            w.fp().Browse_image_btn->click();
            const SKTGraphic *photo = w.control("Fup_Photo");
            ASSERT_NE(photo, nullptr);
            ASSERT_EQ(photo->FilePath(), person);
            const QImage picture = photo->_contents.image(), boxPicture = w.fp().userPicture().image();
            const int steps = w.controller.Get_Undo_Count();
            testsupport::boxes().clear();
            testsupport::queueFilePanelAnswer({file});
            if (imageTab) {
                w.select(w.control("Fup_Photo"));
                w.controller.controlPanels->image.browse->click();
            } else {
                w.fp().Browse_image_btn->click();
            }
            EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nThe chosen file could not be opened as a picture."});
            ASSERT_EQ(w.control("Fup_Photo"), photo);
            EXPECT_EQ(photo->_contents.image(), picture);
            EXPECT_EQ(w.fp().image_path_val->text(), person);
            EXPECT_EQ(w.fp().userPicture().image(), boxPicture);
            EXPECT_EQ(w.controller.Get_Undo_Count(), steps) << "no step";
        };
    };
    // The pass's header, a text of no profile field.
    const auto header = [](Desk &w) -> SKTGraphic * {
        for (const GraphicPtr &g : w.view().graphicsList()->items())
            if (g->kind() == GraphicKind::Text && g->Text_Value == "VISITOR") return g.get();
        return nullptr;
    };
    // A text typed into on the Text tab, its pause still running.
    const auto typeOnTextTab = [](Desk &w, SKTGraphic *g, const QString &text) {
        w.select(g);
        w.controller.controlPanels->text.value->setPlainText(text);
        ASSERT_TRUE(w.controller.controlPanels->text.valuePause->isActive());
    };
    // The text typed on the Text tab and saved, then more typed, its pause still running.
    const auto typedAgainAfterSave = [&](Desk &w, SKTGraphic *g) {
        typeOnTextTab(w, g, "Desk");
        testsupport::queueFilePanelAnswer({testsupport::testHome() + "/desk.zcd"});
        w.command("Save")->trigger();
        typeOnTextTab(w, g, "Desk Two");
        testsupport::boxes().clear();
    };
    const Road roads[] = {
        {"Image tab, Browse...",
         [&](Desk &w) {
             w.select(w.control("Fup_Photo"));
             testsupport::queueFilePanelAnswer({person});
             w.controller.controlPanels->image.browse->click();
         },
         "", true},
        {"panel photo, then Photo from File... with a zip named .png",
         refusedAfterPhoto(testsupport::zipNamedAsPicture("archive.png")), "", true},
        {"panel photo, then Photo from File... with a JPEG cut in half",
         refusedAfterPhoto(testsupport::jpegCutInHalf("half.jpg")), "", true},
        {"panel photo, then Photo from File... with a JPEG past the size bound",
         refusedAfterPhoto(testsupport::jpegPastTheSizeBound("huge.jpg")), "", true},
        {"panel photo, then Photo from File... with a BMP cut to a third",
         refusedAfterPhoto(testsupport::bmpCutToAThird("third.bmp")), "", true},
        {"panel photo, then Browse... on the Image tab with a zip named .png",
         refusedAfterPhoto(testsupport::zipNamedAsPicture("archive.png"), true), "", true},
        {"Image tab, Library...",
         [&](Desk &w) {
             w.select(w.control("Fup_Photo"));
             testsupport::queueLibraryAnswer(person);
             w.controller.controlPanels->image.library->click();
         },
         "", true},
        {"panel photo, then Browse... on the Image tab",
         [&](Desk &w) {
             testsupport::queueFilePanelAnswer({other});
             w.fp().Browse_image_btn->click();
             w.select(w.control("Fup_Photo"));
             testsupport::queueFilePanelAnswer({person});
             w.controller.controlPanels->image.browse->click();
         },
         "", true},
        {"Image tab, Camera...",
         [](Desk &w) {
             SyntheticCamera camera(w.runner);
             w.select(w.control("Fup_Photo"));
             w.controller.controlPanels->image.camera->click();
             ASSERT_EQ(camera.openings, 1);
             EXPECT_EQ(w.control("Fup_Photo")->FilePath(), Camera_Folder_Path + "/dozo_user_save.png");
         },
         "", false},
        {"Image tab, Crop... a drawn rectangle",
         [&](Desk &w) {
             w.select(w.control("Fup_Photo"));
             testsupport::queueFilePanelAnswer({person});
             w.controller.controlPanels->image.browse->click();
             testsupport::cropOnImageTab(w.runner, w.controller, testsupport::drawnRectangle(30, 40));
             EXPECT_EQ(w.control("Fup_Photo")->FilePath(), Cropped_Img_Path + "/person.png");
         },
         "", false},
        {"time unticked, then Undo",
         [](Desk &w) {
             Profile_Panel &p = w.fp();
             ASSERT_TRUE(p.fields[kTimeField].value_chk->isChecked());
             p.fields[kTimeField].value_chk->click();
             w.controller.Undo_Action_Perform();
             ASSERT_TRUE(w.control("Fup_Time")->ctrl_is_visible);
             EXPECT_TRUE(p.fields[kTimeField].value->isEnabled());
             EXPECT_TRUE(p.fields[kTimeField].value->isReadOnly()) << "stamped, not typed by hand";
         },
         "", false},
        {"Profile..., OK",
         [](Desk &w) {
             w.runner.answer<Profile_Dialog>([](Profile_Dialog &d) {
                 d.rows[0].value->setText("Zed Quill");
                 d.rows[2].value->setText("Acme Ltd");
                 d.OK_Btn_Clicked();
             });
             w.controller.User_Profile_Button_Clicked();
             w.runner.remove<Profile_Dialog>();
         },
         "Zed Quill", false},
        {"Profile..., Browse... with a zip named .png, OK",
         [](Desk &w) {
             const QString zip = testsupport::zipNamedAsPicture("archive.png");
             const QString before = w.control("Fup_Photo")->FilePath();
             w.runner.answer<Profile_Dialog>([&zip](Profile_Dialog &d) {
                 testsupport::queueFilePanelAnswer({zip});
                 d.Browse_btn->click();
                 EXPECT_EQ(d.image_path->text(), "");
                 d.rows[0].value->setText("Zed Quill");
                 d.OK_Btn_Clicked();
             });
             testsupport::boxes().clear();
             w.controller.User_Profile_Button_Clicked();
             w.runner.remove<Profile_Dialog>();
             EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nThe chosen file could not be opened as a picture."});
             EXPECT_EQ(w.control("Fup_Photo")->FilePath(), before);
         },
         "Zed Quill", false},
        {"Text tab",
         [](Desk &w) {
             w.select(w.control("Fup_Name"));
             w.controller.controlPanels->text.value->setPlainText("Tab Typed");
             w.controller.controlPanels->commitPendingEdits();
         },
         "Tab Typed", false},
        {"typed, then Undo",
         [](Desk &w) {
             Desk::type(w.fp().fields[0].value, "Ann");
             Desk::type(w.fp().fields[0].value, "Ann Lee");
             w.controller.Undo_Action_Perform();
         },
         "Ann", false},
        {"typed, Undo, Redo",
         [](Desk &w) {
             Desk::type(w.fp().fields[0].value, "Ann");
             Desk::type(w.fp().fields[0].value, "Ann Lee");
             w.controller.Undo_Action_Perform();
             w.controller.Redo_Clicked();
         },
         "Ann Lee", false},
        {"Delete on the card",
         [](Desk &w) {
             Desk::type(w.fp().fields[2].value, "Acme");
             w.select(w.control("Fup_Company"));
             w.command("Delete")->trigger();
             ASSERT_EQ(w.control("Fup_Company"), nullptr);
         },
         "", false},
        {"Image tab, Reset",
         [&](Desk &w) {
             w.select(w.control("Fup_Photo"));
             testsupport::queueFilePanelAnswer({person});
             w.controller.controlPanels->image.browse->click();
             w.controller.controlPanels->image.reset->click();
         },
         "", true},
        {"Data Source tab, a column",
         [](Desk &w) {
             w.document.m_spreadsheet.Excel_Binding_Use = true;
             w.document.m_spreadsheet.column_titles = {"Name"};
             w.document.m_spreadsheet.rows = {{"1", "Row One"}, {"2", "Row Two"}};
             w.select(w.control("Fup_Name"));
             DataSourceSection &section = *w.controller.dataSourceSection;
             section.Data_source_type->setCurrentText("Excel");
             ASSERT_EQ(section.Data_source_type->currentText(), "Excel");
             section.Batch_Series->setCurrentIndex(1);
             emit section.Batch_Series->activated(1);
         },
         "Row One", false},
        {"typed, back side shown, front again",
         [](Desk &w) {
             Desk::type(w.fp().fields[0].value, "Bo");
             w.controller.Select_back_side();
             w.controller.Select_front_side();
         },
         "Bo", false},
        {"time typed by hand, then Manual off",
         [](Desk &w) {
             Profile_Panel &p = w.fp();
             if (!p.fields[kTimeField].value_chk->isChecked()) p.fields[kTimeField].value_chk->click();
             p.time_manual_chk->click();
             Desk::type(p.fields[kTimeField].value, "12:34:56");
             p.time_manual_chk->click();
             EXPECT_EQ(p.fields[kTimeField].value->text(), "12:34:56");
             EXPECT_EQ(w.control("Fup_Time")->Text_Value, "12:34:56");
         },
         "", false},
        {"\"Text here\" typed into Company, one BackSpace, Undo",
         [](Desk &w) {
             QLineEdit *company = w.fp().fields[2].value;
             Desk::type(company, "Text here");
             Desk::type(company, "Text her");
             w.controller.Undo_Action_Perform();
             EXPECT_EQ(company->text(), "Text here");
         },
         "", false},
        {"time typed by hand, \"Text here\" into Company, Copy to Other Side, Yes, Front",
         [](Desk &w) {
             Profile_Panel &p = w.fp();
             if (!p.fields[kTimeField].value_chk->isChecked()) p.fields[kTimeField].value_chk->click();
             p.time_manual_chk->click();
             Desk::type(p.fields[kTimeField].value, "09:15:00");
             Desk::type(p.fields[2].value, "Text here");
             testsupport::boxes().answerNext(1);
             w.command("CopySide")->trigger();
             w.controller.Front_Card_Btn_Clicked();
             EXPECT_TRUE(p.time_manual_chk->isChecked());
             EXPECT_EQ(w.control("Fup_Time")->Text_Value, "09:15:00");
             EXPECT_EQ(p.fields[2].value->text(), "Text here");
         },
         "", false},
        // The second copy leaves the back as it was; the typing is still not in a file.
        {"typed, Copy to Other Side, Yes, Front, twice; New asks to save",
         [&](Desk &w) {
             Desk::type(w.fp().fields[0].value, "Nia Twice");
             for (int copy = 0; copy < 2; ++copy) {
                 testsupport::boxes().answerNext(1);
                 w.command("CopySide")->trigger();
                 w.controller.Front_Card_Btn_Clicked();
             }
             newAsksToSave(w);
         },
         "Nia Twice", false},
        // A save writes what was typed; what an Undo or a Redo after it shows is not in the file.
        {"typed twice, saved, Undo; New asks to save",
         [&](Desk &w) {
             Desk::type(w.fp().fields[0].value, "Nia");
             Desk::type(w.fp().fields[0].value, "Nia Saved");
             testsupport::queueFilePanelAnswer({testsupport::testHome() + "/nia undo.zcd"});
             w.command("Save")->trigger();
             w.command("Undo")->trigger();
             newAsksToSave(w);
         },
         "Nia", false},
        {"typed twice, Undo, saved, Redo; New asks to save",
         [&](Desk &w) {
             Desk::type(w.fp().fields[0].value, "Nia");
             Desk::type(w.fp().fields[0].value, "Nia Saved");
             w.command("Undo")->trigger();
             testsupport::queueFilePanelAnswer({testsupport::testHome() + "/nia redo.zcd"});
             w.command("Save")->trigger();
             w.command("Redo")->trigger();
             newAsksToSave(w);
         },
         "Nia Saved", false},
        // Text typed into the Text tab's box reaches the card after a pause; leaving at
        // once, before the pause ends, asks and keeps it.
        {"Text tab typed, saved, typed again; New at once asks to save",
         [&](Desk &w) {
             typedAgainAfterSave(w, w.control("Fup_Name"));
             newAsksToSave(w);
         },
         "Desk Two", false},
        {"Text tab typed, saved, typed again; Exit at once asks to save",
         [&](Desk &w) {
             typedAgainAfterSave(w, w.control("Fup_Name"));
             testsupport::boxes().answerNext(kAlertCancel);
             w.controller.Exit_App();
             EXPECT_EQ(testsupport::boxes().take(), QStringList{"Do you want to save changes before closing?"});
         },
         "Desk Two", false},
        {"Text tab typed into the header, saved, typed again; Exit at once asks to save",
         [&](Desk &w) {
             SKTGraphic *g = header(w);
             ASSERT_NE(g, nullptr);
             typedAgainAfterSave(w, g);
             testsupport::boxes().answerNext(kAlertCancel);
             w.controller.Exit_App();
             EXPECT_EQ(testsupport::boxes().take(), QStringList{"Do you want to save changes before closing?"});
             EXPECT_EQ(g->Text_Value, "Desk Two");
         },
         "", false},
        // Every command that takes the design takes what is typed at that moment first.
        {"Text tab typed into the Company; Add to Database at once",
         [&](Desk &w) { typeOnTextTab(w, w.control("Fup_Company"), "Acme"); }, "Acme", false, pass(), "Fup_Company"},
        {"Text tab typed into the Company; Print at once",
         [&](Desk &w) {
             typeOnTextTab(w, w.control("Fup_Company"), "Acme Print");
             const QByteArray printer = qgetenv(Virtual_PDF_Printer_Setting);
             qputenv(Virtual_PDF_Printer_Setting, QString(testsupport::testHome() + "/printed.pdf").toUtf8());
             w.controller.runDesk().printWindowRunner = [](Print_Window &) {};
             w.command("Print")->trigger();
             qputenv(Virtual_PDF_Printer_Setting, printer);
             // The run put back its copy of the design, taken with the typing.
             EXPECT_EQ(w.control("Fup_Company")->Text_Value, "Acme Print");
         },
         "", false},
        {"Watermark typed; Back at once, then Front",
         [](Desk &w) {
             CardPropertyPanel &p = *w.controller.cardPanel;
             p.Watermark_Text->setFocus();
             p.Watermark_Text->selectAll();
             QTest::keyClicks(p.Watermark_Text, "Desk Copy");
             w.controller.Back_Card_Btn_Clicked();
             w.controller.Front_Card_Btn_Clicked();
             EXPECT_EQ(p.Watermark_Text->text(), "Desk Copy");
         },
         "", false},
        // A change of the card's own settings alone is a change of the design.
        {"Card tab, Shape Ellipse; New asks to save",
         [&](Desk &w) {
             w.controller.cardPanel->Shape_ComboBox->setCurrentIndex(2);
             newAsksToSave(w);
         },
         "", false},
        {"Background tab, a colour; New asks to save",
         [&](Desk &w) {
             CardPropertyPanel &p = *w.controller.cardPanel;
             p.Card_fill_chk->setChecked(true);
             p.Card_fill_clr->setColor(QColor(0, 128, 128));
             emit p.Card_fill_clr->colorChanged(QColor(0, 128, 128));
             newAsksToSave(w);
         },
         "", false},
        {"Border tab, a border; New asks to save",
         [&](Desk &w) {
             w.controller.cardPanel->Card_border_chk->setChecked(true);
             newAsksToSave(w);
         },
         "", false},
        {"date cleared under Manual, then Manual off", clearUnderManual(true), "", false},
        {"time cleared under Manual, then Manual off", clearUnderManual(false), "", false},
        {"General ID (h), the photo deleted", deletePhoto, "Ann", false, generalId.arg("h")},
        {"General ID (v), the photo deleted", deletePhoto, "Ann", false, generalId.arg("v")},
        // The back's copy made after the other orientation comes again with its Redo.
        {"General ID (h), typed, Size tab Vertical, Copy to Other Side, Yes, Front, Undo, Redo",
         [](Desk &w) {
             Desk::type(w.fp().fields[0].value, "Ann");
             w.controller.cardPanel->Preset_ComboBox->setCurrentIndex(1);
             testsupport::boxes().answerNext(1);
             w.command("CopySide")->trigger();
             w.controller.Front_Card_Btn_Clicked();
             w.command("Undo")->trigger();
             w.command("Redo")->trigger();
             EXPECT_EQ(w.document.sideList(1).count(), w.document.sideList(0).count());
         },
         "Ann", false, generalId.arg("h")},
        {"General ID (h), Image tab, Reset and Crop... on the logo",
         [&](Desk &w) {
             w.select(w.control("Fup_Photo"));
             testsupport::queueFilePanelAnswer({person});
             w.controller.controlPanels->image.browse->click();
             selectLogo(w);
             w.controller.controlPanels->image.reset->click();
             EXPECT_EQ(w.fp().image_path_val->text(), person) << "Reset";
             testsupport::cropOnImageTab(w.runner, w.controller, testsupport::drawnRectangle(20, 20));
             EXPECT_EQ(w.fp().image_path_val->text(), person) << "Crop";
         },
         "", true, generalId.arg("h")},
    };
    for (const Road &road : roads) {
        Desk w(road.design);
        ASSERT_NE(w.control("Fup_Name"), nullptr);
        SCOPED_TRACE(road.name);
        road.take(w);
        testsupport::boxes().clear();
        if (road.photoIsPerson) {
            EXPECT_EQ(w.control("Fup_Photo")->FilePath(), person) << road.name;
        }
        expectInStep(w, road.name);
        // After Add to Database, which writes what is still being typed.
        if (*road.nameShown) {
            EXPECT_EQ(w.control(road.shownId)->Text_Value, QString(road.nameShown)) << road.name;
        }
    }
}

// The toolbar's profile button writes onto the card over the panels: it is not offered
// in visitor and group mode, and comes back for a card of any other kind.
TEST(PanelsFollowCard, TheProfileButtonIsHiddenInVisitorAndGroupMode)
{
    Desk w;
    QAction *profile = w.command("Profile");
    EXPECT_FALSE(profile->isVisible()) << "visitor mode";
    w.document.Start_Card_Option = Card_Mode::Group;
    w.controller.Show_Hide_Visitor_DB_Button(true);
    EXPECT_FALSE(profile->isVisible()) << "group mode";
    w.document.Start_Card_Option = Card_Mode::Template;
    w.controller.Show_Hide_Visitor_DB_Button(false);
    EXPECT_TRUE(profile->isVisible()) << "any other card";
}

} // namespace panels_follow_card_test
