// Group mode keeps the visitor panel in step with the card: a project of three people
// (name, company, photo) on a design with a company logo, the person's name and photo
// bound through the project's columns, the company text free until the user binds it
// on the Data Source tab.
#include "BarcodeEngine.h"
#include "BarcodeReaders.h"
#include "Barcode_Gen.h"
#include "ControlPanels.h"
#include "Cropping_Tool.h"
#include "DataSourceSection.h"
#include "GroupProjectWindow.h"
#include "Profile_Panel.h"
#include "QStringPrinter.h"
#include "SKTBarcode.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QImageReader>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace group_panels_in_step_test {

namespace {

struct GroupPanelsInStep : ::testing::Test, Group_Project_Window {
    QString photo[3], logoPath;

    void SetUp() override
    {
        const Qt::GlobalColor colours[3] = {Qt::red, Qt::green, Qt::blue};
        QList<QStringList> rows;
        for (int i = 0; i < 3; ++i) {
            photo[i] = testsupport::solidPicture(QStringLiteral("person%1.png").arg(i + 1), colours[i]);
            rows << QStringList{QString::number(i + 1), QStringLiteral("Person %1").arg(i + 1),
                                QStringLiteral("Firm %1").arg(i + 1), photo[i]};
        }
        logoPath = testsupport::solidPicture("logo.png", Qt::darkYellow);
        SKTDocument &d = w.document;
        d.Front_card_Prop.setCard_Side("1");
        testsupport::addTextControl(d.sideList(0), "Fup_Name", "Text here", {100, 10, 120, 18});
        testsupport::addTextControl(d.sideList(0), "Fup_Company", "Text here", {100, 35, 120, 18});
        for (auto [id, file, frame] : {std::tuple{"Fup_Photo", photo[0], QRectF(10, 10, 60, 80)},
                                       std::tuple{"", logoPath, QRectF(200, 100, 40, 40)}}) {
            GraphicPtr g = w.add(d.sideList(0), GraphicKind::Image, frame);
            g->control_ID = id;
            static_cast<SKTImage &>(*g).setFilePath(file, true);
        }
        d.m_columnChoices.excel_cb_value1 = 1;   // the name
        d.m_columnChoices.excel_cb_value11 = 3;  // the front's photo; the company has none
        Save_And_Open(rows, {"Name", "Company", "Photo"});
    }
    SKTGraphicView &view() { return *w.controller.graphicView(0); }
    SKTGraphic *control(const char *id) { return view().Selcect_Ctrl_With_ID(id); }
    SKTGraphic *logo()
    {
        for (const GraphicPtr &g : w.front().items())
            if (g->kind() == GraphicKind::Image && g->control_ID.isEmpty()) return g.get();
        return nullptr;
    }
    void select(SKTGraphic *g)
    {
        ASSERT_NE(g, nullptr);
        view().selectGraphics({g});
        w.controller.Set_Selected_Graphic(g);
        w.controller.Show_RHS_Properties(g);
    }
    // One step as a user takes it.
    void step(const QString &s)
    {
        Profile_Panel &panel = *Profile_Panel_Of_Side(0);
        if (s.startsWith("pick ")) {
            QListWidget &l = *list().GroupList;
            const int row = s.mid(5).toInt();
            QTest::mouseClick(l.viewport(), Qt::LeftButton, {}, l.visualItemRect(l.item(row)).center());
            ASSERT_EQ(list().selectedRow(), row);
        } else if (s == "bind the company") {
            // The Data Source tab: "Excel", then the column "Company".
            select(control("Fup_Company"));
            DataSourceSection &section = *w.controller.dataSourceSection;
            section.Data_source_type->setCurrentText("Excel");
            ASSERT_EQ(section.Data_source_type->currentText(), "Excel");
            const int column = section.Batch_Series->findText("Company");
            ASSERT_EQ(column, 2);
            section.Batch_Series->setCurrentIndex(column);
            emit section.Batch_Series->activated(column);
        } else if (s == "bind the name to the company") {
            select(control("Fup_Name"));
            DataSourceSection &section = *w.controller.dataSourceSection;
            section.Data_source_type->setCurrentText("Excel");
            section.Batch_Series->setCurrentIndex(2);
            emit section.Batch_Series->activated(2);
        } else if (s == "crop the photo") {
            // The Image tab's Crop...: a fixed size over the photo's column.
            select(control("Fup_Photo"));
            testsupport::cropOnImageTab(w.runner, w.controller, [](Cropping_Tool &t) {
                t.fixed_radio->setChecked(true);
                t.width_Text->setText("30");
                t.height_Text->setText("20");
                testsupport::boxes().answerNext(1);  // Yes, a new column
            });
        } else if (s == "cut the photo" || s == "paste" || s == "undo" || s == "redo") {
            // The toolbar's Cut (of the photo clicked on the card), Paste, Undo and Redo.
            if (s == "cut the photo") select(control("Fup_Photo"));
            w.command(s == "cut the photo" ? "Cut" : s == "paste" ? "Paste" : s == "undo" ? "Undo" : "Redo")->trigger();
        } else if (s == "tick the company") {
            QCheckBox *tick = panel.Chk_Box_For_ID("Fup_Company");
            ASSERT_FALSE(tick->isChecked());
            tick->click();
        } else if (s == "empty the company box") {
            QLineEdit *box = panel.Text_Box_For_ID("Fup_Company");
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Backspace);
        } else if (s == "select the photo") {
            select(control("Fup_Photo"));
        } else if (s.startsWith("photo from file ")) {
            testsupport::queueFilePanelAnswer({s.mid(16)});
            panel.Browse_image_btn->click();
        } else if (s.startsWith("image tab browse ")) {
            // The photo clicked on the card, then the Image tab's Browse....
            select(control("Fup_Photo"));
            testsupport::queueFilePanelAnswer({s.mid(17)});
            w.controller.controlPanels->image.browse->click();
        } else if (s.startsWith("barcode settings ")) {
            // A barcode (the left tool bar's, added once) double-clicked: its settings
            // window takes the symbology named and the column "Company"; or, after
            // "OK ", keeps its binding and shows the value named, and only OK is pressed.
            if (!barcode()) {
                GraphicPtr g = w.add(w.front(), GraphicKind::Barcode, {100, 120, 90, 40});
                Render_Barcode(*g);
            }
            select(barcode());
            const QString rest = s.mid(17);
            const qsizetype ok = rest.indexOf("OK ");
            const QString symbology = (ok < 0 ? rest : rest.left(ok)).trimmed();
            const QString windowShows = ok < 0 ? QString() : rest.mid(ok + 3);
            w.runner.instead<Barcode_Gen>([=](Barcode_Gen &g) {
                if (!symbology.isEmpty()) g.barcodeTypePopup->setCurrentText(symbology);
                if (ok < 0) {
                    g.Data_source_type->setCurrentText("Excel");
                    g.Batch_Series->setCurrentIndex(2);
                } else {
                    const bool twoD = Is_TwoD_Barcode_Title(g.barcodeTypePopup->currentText());
                    EXPECT_EQ(twoD ? g.dataText_2D->toPlainText() : g.dataText->text(), windowShows)
                        << "the settings window shows the row's cell";
                }
                g.OK_Btn_Clicked();
                return g.result();
            });
            QTest::mouseDClick(&view(), Qt::LeftButton, {}, (barcode()->bounds().center() * view().zoomFactor()).toPoint());
            w.runner.remove<Barcode_Gen>();
        } else if (s == "save") {
            list().save_btn->click();
            testsupport::boxes().clear();
        } else if (s == "reopen") {
            reopen();
        } else if (s == "delete the logo" || s == "delete the photo" || s == "delete the company") {
            // Clicked on the card, then the Delete key.
            SKTGraphic *g = s == "delete the logo" ? logo() : control(s == "delete the photo" ? "Fup_Photo" : "Fup_Company");
            ASSERT_NE(g, nullptr);
            QTest::mouseClick(&view(), Qt::LeftButton, {}, (g->bounds().center() * view().zoomFactor()).toPoint());
            ASSERT_EQ(view().Selected_Graphic(), g);
            QTest::keyClick(&view(), Qt::Key_Delete);
            ASSERT_FALSE(w.front().contains(g));
        } else if (s.startsWith("type ")) {
            QTest::keyClicks(panel.Text_Box_For_ID("Fup_Company"), s.mid(5));
        } else {
            FAIL() << "no such step: " << s.toStdString();
        }
    }
    // What shown() gives for these.
    static std::string company(const char *card, const char *box, const QString &photoPath,
                               const QString &photoBox = "<same>")
    {
        return QStringList{card, box, photoPath, photoBox == "<same>" ? photoPath : photoBox}.join(" | ").toStdString();
    }
    SKTGraphic *barcode()
    {
        for (const GraphicPtr &g : w.front().items())
            if (g->kind() == GraphicKind::Barcode) return g.get();
        return nullptr;
    }
    // The company on the card and in its box, the card's photo and the photo box; then,
    // with a barcode on the card, what zbar reads of its picture.
    std::string shown()
    {
        Profile_Panel &panel = *Profile_Panel_Of_Side(0);
        const QString card = control("Fup_Company") ? control("Fup_Company")->Text_Value : QStringLiteral("<none>");
        const QString cardPhoto = control("Fup_Photo") ? control("Fup_Photo")->FilePath() : QStringLiteral("<none>");
        QStringList parts{card, panel.Text_Box_For_ID("Fup_Company")->text(), cardPhoto, panel.image_path_val->text()};
#ifdef HAVE_ZBAR
        if (const SKTGraphic *g = barcode())
            parts << QString::fromStdString(readers::Zbar_Read(readers::Grey_Page(
                         g->_barcode_image.rasterised(600).convertToFormat(QImage::Format_Grayscale8), 40)));
#endif
        return parts.join(" | ").toStdString();
    }
};

TEST_F(GroupPanelsInStep, ThePanelShowsWhatTheCardShows)
{
    struct Road {
        const char *what;
        bool bound;  // the company bound to its column at the end
        std::vector<std::pair<QString, std::string>> steps;  // a step, then what is shown
        bool readsBarcode = false;  // what is shown ends with what zbar reads of the barcode
    };
    const std::string rowOne = company("Text here", "", photo[1]);  // row 1, the company free: its box empty
    const std::vector<Road> roads = {
        {"the logo deleted", false,
         {{"pick 1", rowOne}, {"delete the logo", rowOne}, {"pick 2", company("Text here", "", photo[2])}}},
        {"the photo deleted", false,
         {{"pick 1", rowOne}, {"delete the photo", company("Text here", "", "<none>", "")}}},
        {"the company bound with the second row picked", true,
         {{"pick 1", rowOne}, {"bind the company", company("Firm 2", "Firm 2", photo[1])},
          {"pick 2", company("Firm 3", "Firm 3", photo[2])}, {"pick 0", company("Firm 1", "Firm 1", photo[0])}}},
        // Typing reaches the card as any box does; the binding stays, and the next
        // row shows its own value.
        {"typed into the bound company's box", true,
         {{"pick 1", rowOne}, {"bind the company", company("Firm 2", "Firm 2", photo[1])},
          {"type  Ltd", company("Firm 2 Ltd", "Firm 2 Ltd", photo[1])},
          {"pick 2", company("Firm 3", "Firm 3", photo[2])}}},
        // The photo stays selected while rows are picked and a photo button fills it: the
        // Image tab names the picture it holds each time (checked after every step).
        {"the photo selected, rows picked", false,
         {{"pick 1", rowOne}, {"select the photo", rowOne}, {"pick 2", company("Text here", "", photo[2])},
          {"photo from file " + logoPath, company("Text here", "", logoPath)},
          {"pick 0", company("Text here", "", photo[0])}}},
        // A picture the Image tab gives the photo is the row's until another row is picked.
        {"the photo given on the Image tab", false,
         {{"pick 1", rowOne}, {"image tab browse " + logoPath, company("Text here", "", logoPath)},
          {"pick 2", company("Text here", "", photo[2])}, {"pick 1", rowOne}}},
        // The photo cut and pasted back is the side's photo: an undo or a crop of it keeps
        // the side's photo column, so every row picked shows its own photo.
        {"the photo cut and pasted, a photo from a file, undo", false,
         {{"pick 1", rowOne}, {"cut the photo", company("Text here", "", "<none>", "")}, {"paste", rowOne},
          {"photo from file " + logoPath, company("Text here", "", logoPath)}, {"undo", rowOne},
          {"pick 2", company("Text here", "", photo[2])}}},
        // A barcode bound to a column in its settings window shows the current row's
        // cell, also after an OK that changed nothing, and each row picked its own.
        {"a Code 128 bound to the company on the second row", false,
         {{"pick 1", rowOne},
          {"barcode settings Code 128", company("Text here", "", photo[1]) + " | Firm 2"},
          {"pick 2", company("Text here", "", photo[2]) + " | Firm 3"},
          {"barcode settings OK Firm 3", company("Text here", "", photo[2]) + " | Firm 3"},
          {"pick 0", company("Text here", "", photo[0]) + " | Firm 1"},
          {"barcode settings QR Code OK Firm 1", company("Text here", "", photo[0]) + " | Firm 1"}},
         true},
        {"a QR Code bound to the company on the third row", false,
         {{"pick 2", company("Text here", "", photo[2])},
          {"barcode settings QR Code", company("Text here", "", photo[2]) + " | Firm 3"},
          {"pick 1", rowOne + " | Firm 2"}},
         true},
        // A text ticked on where the side has none shows the person's cell (not what its
        // box kept of another row), and its box emptied is what the row's Save stores
        // (last: the project keeps that save).
        {"the bound company deleted, then ticked", true,
         {{"pick 1", rowOne}, {"bind the company", company("Firm 2", "Firm 2", photo[1])},
          {"delete the company", company("<none>", "Firm 2", photo[1])},
          {"pick 2", company("<none>", "Firm 2", photo[2])},
          {"tick the company", company("Firm 3", "Firm 3", photo[2])},
          {"empty the company box", company("Text here", "", photo[2])}, {"save", company("", "", photo[2])},
          {"pick 1", company("Firm 2", "Firm 2", photo[1])}, {"pick 2", company("", "", photo[2])}}},
    };
    ControlPanels &tabs = *w.controller.controlPanels;
    QStringList notRun;
    for (const Road &r : roads) {
        if (r.readsBarcode && !readers::Have_Zbar()) {
            notRun << r.what;
            continue;
        }
        reopen();
        for (const auto &[s, expected] : r.steps) {
            step(s);
            EXPECT_EQ(shown(), expected) << r.what << ", after " << s.toStdString();
            const SKTGraphic *selected = tabs.shownControl();
            if (selected && selected->kind() == GraphicKind::Image) {
                EXPECT_EQ(tabs.image.path->text(), selected->FilePath())
                    << r.what << ", the Image tab after " << s.toStdString();
            }
        }
        SKTGraphic *g = control("Fup_Company");
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(g->data_source_type_val(), r.bound ? 2 : 0) << r.what;
        if (r.bound) {
            EXPECT_EQ(g->excel_col_indx, 2) << r.what;
        }
    }
    if (!notRun.isEmpty()) GTEST_SKIP() << "zbar was not found; not run: " << notRun.join("; ").toStdString();
}

// A value shown from one column is never written into another, and no stand-in
// picture is stored as a person's photo: the row's Save stores into the column each
// text is shown from, and the column a text is bound to on the Data Source tab is its
// source on the card, in its box, in the row list's Save and after reopening.
// Crop... on the photo bound to the project's photo column (also the photo cut and
// pasted back, the side's photo again): every row picked shows its cropped picture on
// the card and in the photo box, before and after the project is saved and reopened.
TEST_F(GroupPanelsInStep, ACroppedPhotoColumnIsShownForEveryRow)
{
    const QList<QStringList> rows = w.document.ListData();
    for (const char *before : {"", "cut the photo, paste"}) {
        w.document.m_columnChoices.excel_cb_value11 = 3;
        Save_And_Open(rows, {"Name", "Company", "Photo"});
        step("pick 2");
        if (*before) {
            step("cut the photo");
            step("paste");
        }
        step("crop the photo");
        SKTGraphic *g = control("Fup_Photo");
        ASSERT_NE(g, nullptr);
        const int column = g->excel_col_indx;
        ASSERT_EQ(column, 4) << before << ": a new column of cropped pictures";
        EXPECT_EQ(w.document.m_columnChoices.excel_cb_value11, 4) << before;
        EXPECT_EQ(shown(), company("Text here", "", w.document.ListData().at(2).value(column)))
            << before << ": the person on show shows their own cropped picture";
        testsupport::boxes().clear();
        // Undo of the crop takes the photo's column back, Redo makes it the new one again.
        for (const auto &[command, photoColumn] : {std::pair("undo", 3), std::pair("redo", 4)}) {
            step(command);
            EXPECT_EQ(w.document.m_columnChoices.excel_cb_value11, photoColumn) << before << ", " << command;
            EXPECT_EQ(control("Fup_Photo")->excel_col_indx, photoColumn) << before << ", " << command;
        }
        // As the crop's message asks, the row list's Save keeps the new column in the project.
        for (const char *road : {"", "save, reopen"}) {
            if (*road) {
                step("save");
                step("reopen");
            }
            for (int row : {1, 2, 0}) {
                step(QStringLiteral("pick %1").arg(row));
                const QString cropped = w.document.ListData().at(row).value(column);
                EXPECT_EQ(QImageReader(cropped).size(), QSize(30, 20)) << before << road << row;
                EXPECT_EQ(shown(), company("Text here", "", cropped)) << before << road << ", row " << row;
            }
        }
    }
}

TEST_F(GroupPanelsInStep, ARowsSaveKeepsEachColumnItsOwn)
{
    // The second person has no photo.
    QList<QStringList> rows = w.document.ListData();
    rows[1][3].clear();
    Save_And_Open(rows, {"Name", "Company", "Photo"});
    const auto cells = [this](int row) { return w.document.ListData().at(row).join(" | ").toStdString(); };

    step("pick 1");
    EXPECT_TRUE(control("Fup_Photo")->FilePath().endsWith("/no.png")) << "the stand-in is shown";
    step("save");
    EXPECT_EQ(cells(1), "2 | Person 2 | Firm 2 | ") << "no stand-in stored as the photo";
    // A photo given in the panel is what the card shows, and what the row's Save stores.
    const QString given = testsupport::solidPicture("given.png", Qt::cyan);
    select(control("Fup_Photo"));
    testsupport::queueFilePanelAnswer({given});
    Profile_Panel_Of_Side(0)->Browse_image_btn->click();
    testsupport::boxes().clear();
    step("save");
    EXPECT_EQ(cells(1), ("2 | Person 2 | Firm 2 | " + given).toStdString());

    step("bind the name to the company");
    Profile_Panel &panel = *Profile_Panel_Of_Side(0);
    const auto name = [&] {
        return QStringList{control("Fup_Name")->Text_Value, panel.Text_Box_For_ID("Fup_Name")->text()}
            .join(" | ")
            .toStdString();
    };
    EXPECT_EQ(name(), "Firm 2 | Firm 2");
    step("pick 2");
    EXPECT_EQ(name(), "Firm 3 | Firm 3");
    step("save");
    EXPECT_EQ(cells(2), (QStringList{"3", "Person 3", "Firm 3", photo[2]}.join(" | ").toStdString()))
        << "the company is not written over the name";
    step("save");
    step("reopen");
    step("pick 0");
    EXPECT_EQ(name(), "Firm 1 | Firm 1") << "after reopening the name still shows the company";
    EXPECT_EQ(control("Fup_Name")->excel_col_indx, 2);
    EXPECT_EQ(cells(0), (QStringList{"1", "Person 1", "Firm 1", photo[0]}.join(" | ").toStdString()));
}

} // namespace

} // namespace group_panels_in_step_test
