#include "BarcodeFactory.h"
#include "BarcodeImages.h"
#include "BarcodeRenderer.h"
#include "NKDBarcode.h"

#include <gtest/gtest.h>

namespace {

// Every font has a cap height of 7.2 points; a text is 5 points a character wide
// and 12 high.
struct FixedMeasure : FontMeasure {
    double capHeight(const QFont &) const override { return 7.2; }
    QSizeF textSize(const QString &text, const QFont &) const override { return {5.0 * text.size(), 12}; }
};
const FixedMeasure measure;

// A model drawing a fixed module string, with one caption digit on each side when asked.
struct Modules : NKDBarcode {
    QString m;
    int sides = 0;
    QString initiator() const override { return m; }
    QString _encodeChar(char) const override { return {}; }
    int digitsToLeft() const override { return sides; }
    int digitsToRight() const override { return sides; }
};

Barcode_Style noGaps()
{
    Barcode_Style s;
    s.value_margin = s.header_margin = s.footer_margin = s.TB_margin = 0;
    return s;
}

// The bar rectangles (the background left out).
std::vector<QRectF> bars(const BarcodeDrawing &d)
{
    std::vector<QRectF> out;
    for (const auto &f : d.itemsOf<BarcodeDrawing::Fill>())
        if (f.color == Qt::black) out.push_back(f.rect);
    return out;
}

} // namespace

TEST(BarcodeModel, BaseRulesAndMetrics)
{
    NKDBarcode b;
    b.initWithContent(QStringLiteral("AB"));
    b.setBarWidth(1.5f);
    b.calculateWidth();
    EXPECT_EQ(b.completeBarcode(), QStringLiteral("10101010"));
    EXPECT_FLOAT_EQ(b.width(), 12.0f);
    b.setCheckDigit('C');
    EXPECT_EQ(b.barcode().size(), 12);

    b.setStyle(noGaps());
    b.setHeight(50);
    b.setCaptionFontSize(99, measure);
    EXPECT_FLOAT_EQ(b.captionHeight(), 0.135f);
    EXPECT_FLOAT_EQ(b.barTop(0), 50 - 9.72f);
    b.setPrintsCaption(false);
    Barcode_Style margins;
    margins.TB_margin = 2;
    b.setStyle(margins);
    EXPECT_FLOAT_EQ(b.barTop(0), 46);
    EXPECT_FLOAT_EQ(b.barBottom(0), 0);

    Barcode_Record r;
    r.header = QStringLiteral("HEAD");
    r.setHeaderFontSize(10, QFont(), measure);
    EXPECT_FLOAT_EQ(r.headerHeight, 0.135f);
    EXPECT_FLOAT_EQ(r.headerWidth, 20);

    // The fonts' own measures are in points, lines laid out whole.
    const QtFontMeasure fonts;
    const QFont arial = Barcode_Style::defaultFont();
    const double cap = fonts.capHeight(arial);
    EXPECT_GT(cap, 6.0);
    EXPECT_LT(cap, 8.0);
    const QSizeF line = fonts.textSize(QStringLiteral("0123"), arial);
    EXPECT_GT(line.height(), cap);
    EXPECT_LT(line.height(), 14);
    EXPECT_GT(line.width(), 4 * 4.0);
    EXPECT_EQ(fonts.textSize(QString(), arial), QSizeF(0, line.height()));
    EXPECT_EQ(fonts.textSize(QStringLiteral("0123\n0123"), arial).height(), 2 * line.height());
}

TEST(BarcodeDrawing, BarsMergeIntoRuns)
{
    Modules b;
    b.m = QStringLiteral("1101");
    b.initWithContent(QString(), false);
    b.setStyle(noGaps());
    b.setBarWidth(1);
    b.setHeight(20);
    b.setWidth(10);
    const auto r = bars(Draw_Linear_Barcode(b, measure));
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], QRectF(3, 0, 2, 20));
    EXPECT_EQ(r[1], QRectF(6, 0, 1, 20));
    b.m = QStringLiteral("000");
    EXPECT_TRUE(bars(Draw_Linear_Barcode(b, measure)).empty());
}

TEST(BarcodeDrawing, CaptionHeaderAndFooter)
{
    Modules b;
    b.m = QStringLiteral("101");
    b.sides = 1;
    b.initWithContent(QStringLiteral("1A\tB3"), true);
    b.setStyle(noGaps());
    b.setBarWidth(1);
    b.setHeight(40);
    b.setCaptionFontSize(10, measure);
    b.setWidth(10);
    const BarcodeDrawing d = Draw_Linear_Barcode(b, measure);
    // Bars of the split layout rise from the base line 9.72 by barBottom.
    EXPECT_FLOAT_EQ(float(bars(d)[0].bottom()), 40 - 9.72f - 9.72f);
    const auto texts = d.itemsOf<BarcodeDrawing::Text>();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].rect, QRectF(3.5, 40 - 3 - 12, 5, 12));  // left digit at y 3
    EXPECT_EQ(texts[1].text, QStringLiteral("A\tB\t"));          // parts each followed by a tab
    EXPECT_EQ(texts[1].rect, QRectF(0, 28, 10, 12));              // caption line at 0
    EXPECT_EQ(texts[1].kerning, 2.0);
    EXPECT_EQ(texts[2].rect.left(), 6.5);

    // A printed header keeps its height and gap when empty; a wide footer widens it.
    Modules h;
    h.m = QStringLiteral("1");
    h.initWithContent(QString(), false);
    Barcode_Style s = noGaps();
    s.header_margin = 1;
    s.caption_kerning_off = true;
    h.setStyle(s);
    h.setPrintsHeader(true);
    h.setPrintsFooter(true);
    h.setFooter(QStringLiteral("A WIDE FOOTER"));
    h.setBarWidth(1);
    h.setHeight(40);
    h.setHeaderFontSize(10, measure);
    h.setFooterFontSize(10, measure);
    h.calculateWidth();
    const BarcodeDrawing hd = Draw_Linear_Barcode(h, measure);
    EXPECT_EQ(hd.size(), QSizeF(65, 40));
    EXPECT_FLOAT_EQ(float(bars(hd)[0].top()), 9.72f + 1);
    EXPECT_EQ(hd.itemsOf<BarcodeDrawing::Text>().size(), 2u);
}

TEST(BarcodeDrawing, FourStateBarsSpanTheirBottomToTop)
{
    for (const char *title : {"Royal Mail Barcode (RM4SCC / CBC)", "Japan Post Barcode"}) {
        auto b = Make_Linear_Barcode(QString::fromLatin1(title), QStringLiteral("1234567A"), true);
        b->setStyle(noGaps());
        b->setHeight(20);
        // F16: the hide switches hold.
        b->setPrintsCaption(false);
        const BarcodeDrawing d = Draw_Linear_Barcode(*b, measure);
        EXPECT_TRUE(d.itemsOf<BarcodeDrawing::Text>().empty()) << title;
        const QString modules = b->completeBarcode();
        const auto r = bars(d);
        size_t n = 0;
        for (int i = 0; i < modules.size(); ++i) {
            if (modules[i] != u'1') continue;
            ASSERT_LT(n, r.size());
            EXPECT_FLOAT_EQ(float(r[n].bottom()), 20 - b->barBottom(i)) << title << " " << i;
            EXPECT_FLOAT_EQ(float(r[n].top()), 20 - b->barTop(i)) << title << " " << i;
            ++n;
        }
        EXPECT_EQ(n, r.size());
    }
}

TEST(BarcodeDrawing, SymbolPictures)
{
    EXPECT_TRUE(imageFromBarcodeImage(Picture(), Barcode_Record(), Barcode_Style(), measure).isNull());
    Barcode_Record r;
    r.width = 60;
    r.height = 50;
    r.printsHeader = true;
    r.headerHeight = 0.135f;
    Barcode_Style s = noGaps();
    s.header_margin = 2;
    s.fill_transparent = true;
    QImage symbol(20, 20, QImage::Format_ARGB32);
    symbol.fill(Qt::black);
    const Picture p = imageFromBarcodeImage(Picture(symbol), r, s, measure);
    ASSERT_TRUE(p.vector());
    const auto &d = dynamic_cast<const BarcodeDrawing &>(*p.vector());
    EXPECT_TRUE(d.itemsOf<BarcodeDrawing::Fill>().empty());
    const auto images = d.itemsOf<BarcodeDrawing::Image>();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_FLOAT_EQ(float(images[0].rect.x()), 20);
    EXPECT_FLOAT_EQ(float(images[0].rect.y()), 9.72f + 2);

    auto ean = Make_Linear_Barcode(QStringLiteral("EAN-13"), QStringLiteral("400638133393"), true);
    ean->setBarWidth(1);
    ean->setHeight(40);
    ean->calculateWidth();
    const Picture linear = imageFromBarcode(*ean, measure);
    EXPECT_EQ(linear.size(), QSizeF(ean->width(), 40));
    EXPECT_EQ(linear.rasterised(144).size(), QSize(int(std::ceil(ean->width() * 2)), 80));
}
