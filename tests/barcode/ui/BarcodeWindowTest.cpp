// The barcode settings window, offscreen: its elements, handlers, validation, modal
// result and data-source lists over a fake data source.
#include "BarcodeDrawing.h"
#include "Barcode_Gen.h"
#include "ColorWell.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

struct FakeSource : Barcode_Data_Source {
    bool visitor = false, bound = false;
    QStringList series{"Badges", "Guests"}, columns{"Row", "Name", "Code"};
    QStringList viewed;
    bool visitorMode() const override { return visitor; }
    bool spreadsheetBound() const override { return bound; }
    QStringList seriesNames() const override { return series; }
    QStringList columnTitles() const override { return columns; }
    QString firstSeriesValue(const QString &name) const override { return name == "Badges" ? "B-001" : "G-777"; }
    QString columnValueShown(int index) const override { return index == 0 ? "1" : QString("C%1").arg(index); }
    void viewSeries(const QString &name) override { viewed << "series " + name; }
    void viewSpreadsheetRows() override { viewed << "rows"; }
};

// A window loaded with the edit as the modal run does it, without running.
struct Window {
    Barcode_Gen gen;
    FakeSource source;
    explicit Window(const Barcode_Edit &edit = {}, bool visitor = false, bool bound = false)
    {
        source.visitor = visitor;
        source.bound = bound;
        gen.setDataSource(&source);
        gen.Fill_Data_Source_List();
        gen.Set_Barcode_Prop_To_Control(edit);
        gen.goButtonActionPerformed();
        testsupport::boxes().clear();
    }
    void choose(const QString &title) { gen.barcodeTypePopup->setCurrentText(title); }
};

QString fontShown(const QFont &f) { return QString("%1 ( %2 )").arg(f.family()).arg(f.pointSizeF(), 0, 'f', 2); }

} // namespace

TEST(BarcodeWindow, ANewControlsDefaults)
{
    Window w;
    Barcode_Gen &g = w.gen;
    EXPECT_EQ(g.barcodeTypePopup->currentText(), "Code 39");
    EXPECT_EQ(g.dataText->text(), "0123");
    EXPECT_EQ(g.dataText_2D->toPlainText(), "0123");
    EXPECT_EQ(g.HeaderText->text(), "HEADER");
    EXPECT_EQ(g.FooterText->text(), "FOOTER");
    EXPECT_DOUBLE_EQ(g.HeightText->value(), 6.0);
    EXPECT_DOUBLE_EQ(g.widthText->value(), 20.0);
    for (QDoubleSpinBox *m : {g.val_mar_Text, g.hdr_mar_Text, g.ftr_mar_Text, g.TB_mar_Text, g.LR_mar_Text})
        EXPECT_DOUBLE_EQ(m->value(), 1.0);
    EXPECT_EQ(g.value_font_value->text(), fontShown(Barcode_Settings::defaultFont()));
    EXPECT_EQ(g.header_font_value->text(), g.value_font_value->text());
    EXPECT_EQ(g.barcode_clr->color(), QColor(Qt::black));
    EXPECT_EQ(g.bar_back_clr->color(), QColor(Qt::white));
    EXPECT_FALSE(g.transparent_bkgnd->isChecked());
    EXPECT_EQ(g.HeightText_2D->value(), 60);
    EXPECT_EQ(g.align_hdr_combo->currentText(), "Center");
    EXPECT_EQ(g.sett_tab->count(), 2) << "no resolution tab for a linear symbology";
    EXPECT_FALSE(g.linear_sett_box->isHidden());
    EXPECT_FALSE(g.preview().isNull());
    EXPECT_EQ(g.current().settings, Barcode_Settings());
    EXPECT_EQ(g.current().binding, Barcode_Binding());
}

TEST(BarcodeWindow, TheResolutionPageGoesWithAWindowThatNeverShowedIt)
{
    QPointer<QWidget> page;
    {
        auto g = std::make_unique<Barcode_Gen>();
        page = g->dpi_tab_item;
        ASSERT_TRUE(page);
        EXPECT_EQ(g->sett_tab->indexOf(page), -1);  // a linear symbology: no resolution tab
    }
    EXPECT_TRUE(page.isNull());
}

TEST(BarcodeWindow, OptionSetsFollowTheSymbology)
{
    Window w;
    Barcode_Gen &g = w.gen;
    w.choose("PDF417");
    EXPECT_TRUE(g.isTwoD());
    EXPECT_FALSE(g.dataText->isEnabled());
    EXPECT_TRUE(g.dataText->isHidden());
    EXPECT_FALSE(g.dataText_2D->isHidden());
    EXPECT_TRUE(g.linear_sett_box->isHidden());
    EXPECT_TRUE(g.two_d_sett_box->isHidden());
    EXPECT_FALSE(g.pdf_2d_sett_box->isHidden());
    EXPECT_TRUE(g.dm_2d_sett_box->isHidden());
    EXPECT_TRUE(g.captionCheckbox->isHidden());
    EXPECT_TRUE(g.barcode_clr->isHidden());
    EXPECT_TRUE(g.bar_back_clr->isHidden());
    EXPECT_EQ(g.sett_tab->indexOf(g.dpi_tab_item), 2);
    EXPECT_FALSE(g.preview().isNull());
    w.choose("Code 39");
    EXPECT_EQ(g.sett_tab->indexOf(g.dpi_tab_item), -1);
    EXPECT_FALSE(g.captionCheckbox->isHidden());
    EXPECT_TRUE(g.dataText->isEnabled());
    EXPECT_TRUE(g.dataText_2D->isHidden());

    w.choose("EAN-13");
    EXPECT_FALSE(g.kerning_value_Checkbox->isEnabled());
    w.choose("Code 128");
    EXPECT_TRUE(g.kerning_value_Checkbox->isEnabled());
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());

    g.dataText->clear();
    w.choose("Code 39");
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease enter barcode value"});
    EXPECT_TRUE(g.preview().isNull());
    EXPECT_FALSE(g.barcode_error_label->isHidden());
}

TEST(BarcodeWindow, HeaderAndFooterAreCutTo50Characters)
{
    Window w;
    w.gen.HeaderText->setText(QString(51, u'H'));
    EXPECT_EQ(w.gen.HeaderText->text(), QString(50, u'H'));
    w.gen.FooterText->setText("  " + QString(49, u'F') + "GZ  ");
    EXPECT_EQ(w.gen.FooterText->text(), QString(49, u'F') + "G");
    const QString fifty = QString(50, u'F') + "   ";
    w.gen.FooterText->setText(fifty);
    EXPECT_EQ(w.gen.FooterText->text(), fifty);
}

TEST(BarcodeWindow, SizesAndResolution)
{
    Window w;
    Barcode_Gen &g = w.gen;
    // 10 mils: the narrowest bar of the preview is 0.72 points wide.
    g.widthText->setValue(10);
    double narrowest = 1e9;
    for (const auto &f : dynamic_cast<const BarcodeDrawing &>(*g.preview().vector()).itemsOf<BarcodeDrawing::Fill>())
        narrowest = std::min(narrowest, f.rect.width());
    EXPECT_NEAR(narrowest, 0.72, 1e-5);

    w.choose("DataMatrix");
    g.dm_widthText_2D->setValue(20);
    g.dm_HeightText_2D->setValue(30);
    g.dm_moduleText_2D->setValue(2);
    g.dm_format_ComboBox->setCurrentText("C12X26");
    EXPECT_EQ(g.dm_widthText_2D->value(), 52);
    EXPECT_EQ(g.dm_HeightText_2D->value(), 30) << "a larger size stays";
    g.dm_HeightText_2D->setValue(5);
    g.dm_format_ComboBox->setCurrentText("Auto");
    g.dm_format_ComboBox->setCurrentText("C12X26");
    EXPECT_EQ(g.dm_HeightText_2D->value(), 24);

    w.choose("QR Code");
    g.HeightText_2D->setValue(30);
    g.qr_version_ComboBox->setCurrentText("V5");
    EXPECT_EQ(g.HeightText_2D->value(), 37);
    EXPECT_EQ(g.current().settings.qr_version_index, 5);

    // A typed custom resolution applies as typed.
    g.DPI_ComboBox->setCurrentText("Custom");
    EXPECT_FALSE(g.dpi_Text->isHidden());
    QLineEdit *typed = g.dpi_Text->findChild<QLineEdit *>();
    typed->selectAll();
    QTest::keyClicks(typed, "450");
    EXPECT_EQ(g.current().settings.dpi_custom_val, "450");
    const auto images = dynamic_cast<const BarcodeDrawing &>(*g.preview().vector()).itemsOf<BarcodeDrawing::Image>();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].picture.image().width(), 232);  // ceil(450 x 37 / 72)
    g.DPI_ComboBox->setCurrentText("Auto");
    EXPECT_TRUE(g.dpi_Text->isHidden());

    // The typed resolution is shown again when the control is loaded.
    Barcode_Edit e;
    e.settings.dpi_val_index = kCustom_Resolution_Index;
    e.settings.dpi_custom_val = "450";
    Window again(e);
    EXPECT_EQ(again.gen.dpi_Text->value(), 450);
}

TEST(BarcodeWindow, TransparentBoxAndValidation)
{
    Window w;
    Barcode_Gen &g = w.gen;
    ASSERT_NE(g.bar_back_label, nullptr);
    EXPECT_EQ(g.bar_back_label->text(), "Background :");
    // The well and its label go off together, by the box or by a control's settings.
    const struct {
        const char *how;
        bool transparent;
        std::function<void(bool)> set;
    } states[] = {
        {"box", true, [&](bool on) { g.transparent_bkgnd->setChecked(on); }},
        {"box", false, [&](bool on) { g.transparent_bkgnd->setChecked(on); }},
        {"control", true, [&](bool on) {
             Barcode_Edit e;
             e.settings.transparent = on;
             g.Set_Barcode_Prop_To_Control(e);
         }},
        {"control", false, [&](bool on) {
             Barcode_Edit e;
             e.settings.transparent = on;
             g.Set_Barcode_Prop_To_Control(e);
         }},
    };
    for (const auto &r : states) {
        r.set(r.transparent);
        EXPECT_EQ(g.current().settings.transparent, r.transparent) << r.how;
        EXPECT_EQ(g.bar_back_clr->isEnabled(), !r.transparent) << r.how;
        EXPECT_EQ(g.bar_back_label->isEnabled(), !r.transparent) << r.how;
    }

    struct Row {
        QString value;
        QStringList boxes;
        bool accepted;
    };
    const Row rows[] = {{"", {"\nInvalid barcode value."}, false},
                        {"   ", {"\nInvalid barcode value."}, false},
                        {"Grüße", {"\nInvalid barcode value."}, false},
                        {"A#B", {"\nInvalid barcode value."}, false},  // Code 39 refuses it
                        {"ABC", {}, true}};
    for (const Row &r : rows) {
        g.setResult(0);
        g.dataText->setText(r.value);
        g.OK_Btn_Clicked();
        EXPECT_EQ(testsupport::boxes().take(), r.boxes) << r.value.toStdString();
        EXPECT_EQ(g.result() == QDialog::Accepted, r.accepted) << r.value.toStdString();
    }
}

TEST(BarcodeWindow, ThePreviewShowsExactlyWhatOkTakes)
{
    struct Row {
        const char *symbology;
        QString value;
        bool accepted;
        const char *source = "Manual";
    };
    const Row rows[] = {{"QR Code", "漢字", false},
                        {"QR Code", "Grüße", false},
                        {"QR Code", "VISITOR", true},
                        {"Code 39", "A#B", false},
                        {"QR Code", "Grüße", true, "Series"}};  // a series' value goes as it is
    for (const Row &r : rows) {
        Window w;
        w.choose(r.symbology);
        w.gen.Data_source_type->setCurrentText(r.source);
        w.gen.Batch_Series->setCurrentText("Guests");
        if (w.gen.isTwoD()) w.gen.dataText_2D->setPlainText(r.value);
        else w.gen.dataText->setText(r.value);
        EXPECT_EQ(w.gen.preview().isNull(), !r.accepted) << r.value.toStdString();
        EXPECT_EQ(w.gen.barcode_error_label->isHidden(), r.accepted) << r.value.toStdString();
        w.gen.OK_Btn_Clicked();
        const QStringList refused{"\nInvalid barcode value."};
        EXPECT_EQ(testsupport::boxes().take(), r.accepted ? QStringList() : refused) << r.value.toStdString();
    }
}

TEST(BarcodeWindow, OkReturnsTheCopyAndCancelNothing)
{
    testsupport::ScriptedRunner runner;
    Barcode_Gen g(nullptr, {}, &runner);
    FakeSource source;
    g.setDataSource(&source);
    Barcode_Edit qr;
    qr.settings.barcode_font_index = int(Barcode_Symbology_Titles().indexOf("QR Code"));
    qr.settings.linear_or_2d = 1;
    qr.settings.qr_version_index = 3;
    runner.instead<Barcode_Gen>([](Barcode_Gen &w) {
        w.qr_ec_lvl_ComboBox->setCurrentIndex(2);
        w.dataText_2D->setPlainText("Grüße");  // typed non-ASCII
        w.OK_Btn_Clicked();
        EXPECT_NE(w.result(), QDialog::Accepted);
        w.dataText_2D->setPlainText("VISITOR");
        w.OK_Btn_Clicked();
        return w.result();
    });
    const std::optional<Barcode_Edit> ok = g.Open_Wnd(qr);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->settings.qr_version_index, 3);
    EXPECT_EQ(ok->settings.qr_ec_index, 2);
    EXPECT_EQ(ok->settings.two_d_font_val, "VISITOR");
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nInvalid barcode value."});

    runner.instead<Barcode_Gen>([](Barcode_Gen &w) {
        w.HeaderText->setText("CHANGED");
        w.reject();
        return w.result();
    });
    EXPECT_FALSE(g.Open_Wnd(qr));
    runner.remove<Barcode_Gen>();
}

TEST(BarcodeWindow, HelpTexts)
{
    QStringList shown;
    Barcode_Gen gen(nullptr, [&](const QString &title, const QString &text) { shown << title + "|" + text; });
    ASSERT_EQ(gen.help_buttons.size(), 6u);
    for (QPushButton *b : gen.help_buttons) b->click();
    ASSERT_EQ(shown.size(), 6);
    EXPECT_EQ(shown[0], "Version :|Version is configuration or number of modules (combination of black and white dots).");
    EXPECT_EQ(shown[3], "Preferred Format :|Preferred Mode determines the smallest size of the symbol.");
    EXPECT_EQ(shown[5], "DPI (Dots Per Inch) :|Dots per inch is a measure of the resolution of printers in terms of "
                        "Print Quality.\n\nBigger the DPI, Better the Print Quality. But File size of image also "
                        "increases, as you choose bigger DPI.");
}

TEST(BarcodeWindow, DataSourceLists)
{
    auto items = [](QComboBox *c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
        return out;
    };
    struct Row {
        bool visitor, bound;
        QStringList sources;
    };
    const Row rows[] = {{true, true, {"Manual"}}, {false, false, {"Manual", "Series"}},
                        {false, true, {"Manual", "Series", "Excel"}}};
    for (const Row &r : rows) {
        Window w({}, r.visitor, r.bound);
        w.gen.Fill_Data_Source_List();  // filling twice never doubles an entry
        EXPECT_EQ(items(w.gen.Data_source_type), r.sources);
        EXPECT_EQ(w.gen.Batch_Series->isHidden(), r.visitor);
        EXPECT_EQ(w.gen.view_series_btn->isHidden(), r.visitor);
    }

    Window w({}, false, true);
    Barcode_Gen &g = w.gen;
    g.Data_source_type->setCurrentText("Series");
    EXPECT_EQ(items(g.Batch_Series), w.source.series);
    EXPECT_TRUE(g.dataText->isReadOnly());
    EXPECT_EQ(g.current().binding.data_source_type, 1);
    g.view_series_btn->click();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select the series."});
    g.OK_Btn_Clicked();
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select valid Series / Excel Column."});
    g.Batch_Series->setCurrentText("Guests");
    EXPECT_EQ(g.dataText->text(), "G-777");
    EXPECT_EQ(g.current().binding, (Barcode_Binding{1, "Guests", 1, -1}));
    g.view_series_btn->click();
    EXPECT_EQ(w.source.viewed, QStringList{"series Guests"});

    g.Data_source_type->setCurrentText("Excel");
    EXPECT_EQ(items(g.Batch_Series), w.source.columns);
    g.Batch_Series->setCurrentIndex(2);
    EXPECT_EQ(g.dataText->text(), "C2");
    EXPECT_EQ(g.current().binding, (Barcode_Binding{2, "", -1, 2}));
    g.view_series_btn->click();
    EXPECT_EQ(w.source.viewed.last(), "rows");

    g.Data_source_type->setCurrentText("Manual");
    EXPECT_FALSE(g.dataText->isReadOnly());
    EXPECT_FALSE(g.Batch_Series->isEnabled());
    EXPECT_EQ(g.current().binding, Barcode_Binding());

    // No series at all: both value boxes empty, no preview made.
    w.source.series.clear();
    g.Data_source_type->setCurrentText("Series");
    EXPECT_TRUE(g.dataText->text().isEmpty());
    EXPECT_TRUE(g.dataText_2D->toPlainText().isEmpty());

    // A bound control loads with its series selected.
    Barcode_Edit bound;
    bound.binding = {1, "Badges", 0, -1};
    Window loaded(bound);
    EXPECT_EQ(loaded.gen.Data_source_type->currentText(), "Series");
    EXPECT_EQ(loaded.gen.Batch_Series->currentText(), "Badges");
    EXPECT_EQ(loaded.gen.current().binding, bound.binding);
    // In visitor mode the list holds "Manual" only: the copy comes back unbound.
    Window visitor(bound, true);
    EXPECT_EQ(visitor.gen.Data_source_type->currentText(), "Manual");
    EXPECT_EQ(visitor.gen.current().binding, Barcode_Binding());
}
