// The barcode settings window on the screens it is used on: with each option group it
// fits a 1366 x 768 laptop screen, where every element can be got at (the pages scroll);
// on a 1920 x 1080 screen it shows its pages whole, with no scroll bar.
#include "Barcode_Gen.h"
#include "ColorWell.h"
#include "Reachable.h"
#include "Shots.h"
#include "SmallScreen.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

// A design with series and a bound spreadsheet, so the data source shows all its rows.
struct Bound_Source : Barcode_Data_Source {
    bool visitorMode() const override { return false; }
    bool spreadsheetBound() const override { return true; }
    QStringList seriesNames() const override { return {"Badges"}; }
    QStringList columnTitles() const override { return {"Row", "Name"}; }
    QString firstSeriesValue(const QString &) const override { return "B-001"; }
    QString columnValueShown(int) const override { return "1"; }
    void viewSeries(const QString &) override {}
    void viewSpreadsheetRows() override {}
};

// Each option group, with its tallest state: the typed resolution shown for the
// two-dimensional ones, a series chosen as the value's source.
Barcode_Edit tallest(const QString &symbology)
{
    Barcode_Edit e;
    e.settings.barcode_font_index = int(Barcode_Symbology_Titles().indexOf(symbology));
    e.settings.linear_or_2d = Is_TwoD_Barcode_Title(symbology) ? 1 : 0;
    e.settings.dpi_val_index = kCustom_Resolution_Index;
    e.settings.dpi_custom_val = "300";
    e.binding.setSource(1);
    e.binding.batch_list_name = "Badges";
    return e;
}

const char *const kSymbologies[] = {"Code 39", "QR Code", "PDF417", "DataMatrix"};

// The window loaded with the group's tallest state, sized for a screen's available area
// and shown.
struct Shown_Window {
    Bound_Source source;
    Barcode_Gen gen;
    Shown_Window(const QString &symbology, QSize available)
    {
        gen.setDataSource(&source);
        gen.Fill_Data_Source_List();
        gen.Set_Barcode_Prop_To_Control(tallest(symbology));
        gen.goButtonActionPerformed();
        gen.Fit_To_Screen(available);
        gen.show();
        QApplication::processEvents();
    }
};

// The elements a person works with on a page, as far as the group shows them.
std::vector<QWidget *> fieldsOf(QWidget *page)
{
    std::vector<QWidget *> fields;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        const bool field = qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w) ||
                           qobject_cast<QAbstractButton *>(w) || qobject_cast<ColorWell *>(w);
        if (field && w->isVisibleTo(page)) fields.push_back(w);
    }
    return fields;
}

} // namespace

TEST(BarcodeWindowScreen, EveryOptionGroupFitsASmallScreen)
{
    for (const char *symbology : kSymbologies) {
        Shown_Window w(symbology, testsupport::kSmallScreenArea);
        Barcode_Gen &g = w.gen;
        ASSERT_EQ(g.barcodeTypePopup->currentText(), symbology);
        EXPECT_EQ(g.sett_tab->count(), g.isTwoD() ? 3 : 2) << symbology;
        ASSERT_FALSE(g.Batch_Series->isHidden()) << symbology;
        if (g.isTwoD()) {
            EXPECT_FALSE(g.dpi_Text->isHidden()) << symbology;
        }
        EXPECT_TRUE(testsupport::fitsSmallScreen(g)) << symbology;
        // The window opens within the area, frame included, as large as the area allows.
        EXPECT_LE(g.height() + testsupport::kWindowFrame.height(), testsupport::kSmallScreenArea.height()) << symbology;
        EXPECT_LE(g.width() + testsupport::kWindowFrame.width(), testsupport::kSmallScreenArea.width()) << symbology;
    }
}

TEST(BarcodeWindowScreen, EveryElementCanBeGotAtOnASmallScreen)
{
    for (const char *symbology : kSymbologies) {
        Shown_Window w(symbology, testsupport::kSmallScreenArea);
        Barcode_Gen &g = w.gen;
        const QString name = QLatin1String(symbology);
        // What lies inside the window is on the screen.
        ASSERT_TRUE(QRect(QPoint(0, 0), testsupport::kSmallScreenArea - testsupport::kWindowFrame)
                        .contains(QRect(QPoint(0, 0), g.size())))
            << name.toStdString() << " " << g.width() << " x " << g.height();
        const QSize opened = g.size();
        auto *sourceBox = qobject_cast<QGroupBox *>(g.Data_source_type->parentWidget());
        ASSERT_NE(sourceBox, nullptr);
        EXPECT_EQ(sourceBox->title(), "Data Source");
        for (QWidget *last : std::initializer_list<QWidget *>{g.ok_btn, g.cancel_btn, sourceBox, g.Batch_Series,
                                                              g.view_series_btn, g.image_scroll})
            EXPECT_TRUE(testsupport::reachable(*last, name)) << last->metaObject()->className();
        for (int tab = 0; tab < g.sett_tab->count(); ++tab) {
            g.sett_tab->setCurrentIndex(tab);
            QApplication::processEvents();
            const QString page = name + " / " + g.sett_tab->tabText(tab);
            testsupport::saveShot(g, QStringLiteral("barcode_1366x768_%1_%2").arg(name).arg(tab));
            const std::vector<QWidget *> fields = fieldsOf(g.sett_tab->currentWidget());
            EXPECT_GE(fields.size(), size_t(2)) << qPrintable(page);
            for (QWidget *field : fields) EXPECT_TRUE(testsupport::reachable(*field, page));
        }
        // The window opened large enough for every page: going through them moves nothing.
        EXPECT_EQ(g.size(), opened) << symbology << ": opened " << opened.width() << " x " << opened.height()
                                     << ", now " << g.width() << " x " << g.height();
    }
}

TEST(BarcodeWindowScreen, ALargeScreenShowsThePagesWhole)
{
    for (const char *symbology : kSymbologies) {
        Shown_Window w(symbology, QSize(1920, 1040));
        Barcode_Gen &g = w.gen;
        testsupport::saveShot(g, QStringLiteral("barcode_1920x1080_") + QLatin1String(symbology));
        for (int tab = 0; tab < g.sett_tab->count(); ++tab) {
            g.sett_tab->setCurrentIndex(tab);
            QApplication::processEvents();
            auto *area = qobject_cast<QScrollArea *>(g.sett_tab->currentWidget());
            ASSERT_NE(area, nullptr) << symbology;
            EXPECT_FALSE(area->verticalScrollBar()->isVisible())
                << symbology << " / " << qPrintable(g.sett_tab->tabText(tab));
            EXPECT_GE(area->viewport()->height(), area->widget()->sizeHint().height()) << symbology;
        }
    }
}

TEST(BarcodeWindowScreen, EachFontRowSaysWhoseFontItShows)
{
    Shown_Window w("Code 39", testsupport::kSmallScreenArea);
    Barcode_Gen &g = w.gen;
    const std::pair<QLabel *, const char *> rows[] = {
        {g.value_font_value, "Caption :"}, {g.header_font_value, "Header :"}, {g.footer_font_value, "Footer :"}};
    for (const auto &[display, caption] : rows) {
        auto *form = qobject_cast<QFormLayout *>(display->parentWidget()->layout());
        ASSERT_NE(form, nullptr);
        QString shown = "(none)";
        for (int r = 0; r < form->rowCount(); ++r) {
            QLayoutItem *field = form->itemAt(r, QFormLayout::FieldRole);
            QLayoutItem *label = form->itemAt(r, QFormLayout::LabelRole);
            if (field && field->layout() && field->layout()->indexOf(display) >= 0 && label)
                shown = qobject_cast<QLabel *>(label->widget())->text();
        }
        EXPECT_EQ(shown.toStdString(), caption);
        EXPECT_TRUE(display->text().contains(" ( ")) << qPrintable(display->text());
    }
}
