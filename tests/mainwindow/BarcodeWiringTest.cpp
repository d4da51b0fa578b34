// The main window opens the barcode settings window for the selected barcode and
// applies what it returns as one undo step.
#include "BarcodeDrawing.h"
#include "Barcode_Gen.h"
#include "ControlArchiveBytes.h"
#include "Globals.h"
#include "ControlPanels.h"
#include "DataSourceSection.h"
#include "SKTBarcode.h"
#include "SKTGraphicView.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace barcode_wiring_test {

namespace {

struct Window : TestWindow {
    int runs = 0;
    Window()
    {
        testsupport::boxes().clear();
        // The window's run: switch to QR Code version 4, red header, and press OK.
        runner.instead<Barcode_Gen>([this](Barcode_Gen &g) {
            ++runs;
            g.barcodeTypePopup->setCurrentText("QR Code");
            g.qr_version_ComboBox->setCurrentIndex(4);
            g.dataText_2D->setPlainText("VISITOR 0042");
            g.OK_Btn_Clicked();
            return g.result();
        });
    }
    ~Window() { runner.remove<Barcode_Gen>(); }
    GraphicPtr barcode(QRectF place)
    {
        GraphicPtr g = add(front(), GraphicKind::Barcode, place);
        Render_Barcode(*g);
        return g;
    }
    SKTGraphicView &view() { return *controller.graphicView(0); }
};

} // namespace

TEST(BarcodeWiring, DoubleClickOpensTheWindowAndOkAppliesOneUndoStep)
{
    Window w;
    GraphicPtr bar = w.barcode({20, 20, 0, 0});
    GraphicPtr text = w.add(w.front(), GraphicKind::Text, {150, 20, 60, 20});
    const QRectF textBounds = text->bounds();
    w.controller.Insert_In_Undo_Redo();
    const int undoBefore = w.controller.Get_Undo_Count();
    // The text stays selected beside the barcode: only the barcode changes.
    w.view().selectGraphics({bar.get(), text.get()});
    w.controller.Set_Selected_Graphic(bar.get());
    const QByteArray textArchive = Control_Archive_To_Bytes(text->encode());
    QTest::mouseDClick(&w.view(), Qt::LeftButton, {}, (bar->bounds().center()).toPoint());
    EXPECT_EQ(w.runs, 1);
    EXPECT_EQ(bar->linear_or_2d, 1);
    EXPECT_EQ(bar->qr_version_index, 4);
    EXPECT_EQ(bar->two_d_font_val, "VISITOR 0042");
    EXPECT_EQ(bar->bounds().size(), bar->_barcode_image.size());
    EXPECT_EQ(bar->bounds().size(), Barcode_Picture(Barcode_Settings_Of(*bar)).size());
    EXPECT_EQ(text->bounds(), textBounds);
    EXPECT_EQ(Control_Archive_To_Bytes(text->encode()), textArchive);
    EXPECT_EQ(w.controller.Get_Undo_Count(), undoBefore + 1);
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());

    // Undo brings the Code 39 barcode back.
    w.controller.Undo_Action_Perform();
    ASSERT_EQ(w.front().count(), 2);
    for (int i = 0; i < w.front().count(); ++i) {
        const GraphicPtr &g = w.front().at(i);
        if (g->kind() == GraphicKind::Barcode) {
            EXPECT_EQ(g->linear_or_2d, 0);
        }
    }
}

TEST(BarcodeWiring, SelectionMessagesAndTheBarcodeTab)
{
    Window w;
    w.controller.Open_Barcode_Window();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select control."});
    GraphicPtr a = w.barcode({10, 10, 0, 0}), b = w.barcode({10, 120, 0, 0});
    w.view().selectGraphics({a.get(), b.get()});
    w.controller.Set_Selected_Graphic(a.get());
    w.controller.Open_Barcode_Window();
    EXPECT_EQ(testsupport::boxes().take(),
              QStringList{"\nPlease select only one barcode control to view or update barcode properties."});
    EXPECT_EQ(w.runs, 0);
    EXPECT_EQ(a->linear_or_2d, 0);

    // The "Barcode" tab's button opens it for the one selected barcode.
    w.view().selectGraphics({b.get()});
    w.controller.Set_Selected_Graphic(b.get());
    w.controller.controlPanels->showControl(b.get());
    ASSERT_TRUE(w.controller.controlPanels->barcode.settingsBtn);
    w.controller.controlPanels->barcode.settingsBtn->click();
    EXPECT_EQ(w.runs, 1);
    EXPECT_EQ(b->linear_or_2d, 1);
    EXPECT_EQ(a->linear_or_2d, 0);

    // Cancel changes nothing and keeps the barcode selected.
    w.runner.instead<Barcode_Gen>([](Barcode_Gen &g) {
        g.HeaderText->setText("CHANGED");
        g.reject();
        return g.result();
    });
    w.controller.Open_Barcode_Window();
    EXPECT_EQ(b->header_val, "HEADER");
    EXPECT_EQ(w.controller.Get_Selected_Graphic(), b.get());
}

TEST(BarcodeWiring, AReopenedDesignShowsTheSameBarcodes)
{
    Window w;
    GraphicPtr linear = w.barcode({10, 10, 0, 0});
    GraphicPtr qr = w.barcode({10, 120, 0, 0});
    Barcode_Settings s = Barcode_Settings_Of(*qr);
    s.linear_or_2d = 1;
    s.barcode_font_index = int(Barcode_Symbology_Titles().indexOf("QR Code"));
    s.qr_version_index = 7;
    s.barcode_hdr_clr_val = Qt::red;
    Put_Barcode_Settings(*qr, s);
    Render_Barcode(*qr);
    w.document.Project_File_Name = testsupport::testHome() + "/barcodes.zcd";
    ASSERT_TRUE(w.controller.Save_project_file(false, false, Card_Mode::Opened));
    TestWindow other;
    ASSERT_EQ(other.controller.Read_and_load_design_Log_NEW_METHOD(w.document.Project_File_Name, Card_Mode::Opened, false), 1);
    ASSERT_EQ(other.front().count(), 2);
    for (int i = 0; i < other.front().count(); ++i) {
        const GraphicPtr &g = other.front().at(i);
        const SKTGraphic &mine = g->linear_or_2d ? *qr : *linear;
        ASSERT_FALSE(g->_barcode_image.isNull());
        EXPECT_EQ(g->bounds(), mine.bounds());
        EXPECT_EQ(g->_barcode_image.image(), mine._barcode_image.image());
    }
}

// The design's series and spreadsheet reach the window, and the chosen binding the barcode.
TEST(BarcodeWiring, SeriesAndSpreadsheetBindings)
{
    Window w;
    w.document.Start_Card_Option = Card_Mode::Opened;
    ASSERT_TRUE(QDir().mkpath(Data_Folder_Path));
    QFile series(QDir(Data_Folder_Path).filePath("Guests.txt"));
    ASSERT_TRUE(series.open(QIODevice::WriteOnly));
    series.write("G-1\nG-2\n");
    series.close();
    w.document.m_spreadsheet.Excel_Binding_Use = true;
    w.document.m_spreadsheet.column_titles = {"Name"};
    w.document.m_spreadsheet.rows = {{"1", "Ann"}};
    GraphicPtr bar = w.barcode({20, 20, 0, 0});
    w.view().selectGraphics({bar.get()});
    w.controller.Set_Selected_Graphic(bar.get());

    QString shown;
    w.runner.instead<Barcode_Gen>([&](Barcode_Gen &g) {
        g.Data_source_type->setCurrentText("Series");
        g.Batch_Series->setCurrentText("Guests");
        shown = g.dataText->text();
        g.OK_Btn_Clicked();
        return g.result();
    });
    w.controller.Open_Barcode_Window();
    EXPECT_EQ(shown, "G-1");
    EXPECT_EQ(bar->data_source_type, 1);
    EXPECT_EQ(bar->batch_list_name, "Guests");
    EXPECT_EQ(bar->batch_list_index, 0);
    EXPECT_EQ(bar->linear_font_val, "G-1");

    QStringList columns;
    w.runner.instead<Barcode_Gen>([&](Barcode_Gen &g) {
        EXPECT_EQ(g.Batch_Series->currentText(), "Guests") << "the bound series is selected again";
        g.Data_source_type->setCurrentText("Excel");
        for (int i = 0; i < g.Batch_Series->count(); ++i) columns << g.Batch_Series->itemText(i);
        g.Batch_Series->setCurrentIndex(1);
        shown = g.dataText->text();
        g.OK_Btn_Clicked();
        return g.result();
    });
    w.controller.Open_Barcode_Window();
    EXPECT_EQ(shown, "Ann");
    // The columns are titled as the Data Source panel titles them.
    EXPECT_EQ(columns, QStringList({"S.No.", "Name"}));
    QComboBox panelColumns;
    w.controller.dataSourceSection->Fill_Excel_Col_Name_In_Combo(&panelColumns);
    QStringList panel;
    for (int i = 0; i < panelColumns.count(); ++i) panel << panelColumns.itemText(i);
    EXPECT_EQ(panel, columns);
    EXPECT_EQ(bar->data_source_type, 2);
    EXPECT_EQ(bar->excel_col_indx, 1);
    EXPECT_EQ(bar->batch_list_name, "");
    EXPECT_EQ(bar->batch_list_index, -1);
}

TEST(BarcodeWiring, TheNewPicturesPlaceIsTheFrameOfTheCardsPictures)
{
    // A barcode changed in the settings window (here to a QR Code, a new size) is
    // where the card shows it: the frame every card's picture is centred in.
    Window w;
    GraphicPtr bar = w.barcode({20, 30, 0, 0});
    bar->Set_Barcode_image_control_bounds(bar->bounds());
    const QRectF before = bar->bounds();
    w.view().selectGraphics({bar.get()});
    w.controller.Set_Selected_Graphic(bar.get());
    QTest::mouseDClick(&w.view(), Qt::LeftButton, {}, (bar->bounds().center()).toPoint());
    ASSERT_EQ(w.runs, 1);
    ASSERT_NE(bar->bounds().size(), before.size());
    EXPECT_EQ(bar->bounds().topLeft(), QPointF(20, 30));
    EXPECT_EQ(bar->bar_image_ctrl_bounds, bar->bounds());
}

} // namespace barcode_wiring_test
