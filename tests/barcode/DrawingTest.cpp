#include "BarcodeDrawing.h"
#include "BarcodeFactory.h"
#include "BarcodeImages.h"
#include "BarcodeRenderer.h"
#include "NKDBarcode.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace drawing_test {

namespace {

// Every font has a cap height of 7.2 points; a text is 5 points a character wide
// and 12 high, its ink from 2.5 to 9.7 points below the top of its box.
struct FixedMeasure : FontMeasure {
    double capHeight(const QFont &) const override { return 7.2; }
    QSizeF textSize(const QString &text, const QFont &) const override { return {5.0 * text.size(), 12}; }
    TextInk textInk(const QString &text, const QFont &) const override
    {
        return text.trimmed().isEmpty() ? TextInk{} : TextInk{2.5, 9.7};
    }
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

// Rectangles equal to a thousandth of a point (positions are worked out in single
// precision).
::testing::AssertionResult sameRect(const QRectF &a, const QRectF &b)
{
    const double d = std::max({std::abs(a.x() - b.x()), std::abs(a.y() - b.y()), std::abs(a.width() - b.width()),
                               std::abs(a.height() - b.height())});
    if (d < 1e-3) return ::testing::AssertionSuccess();
    const auto show = [](const QRectF &r) {
        return "(" + std::to_string(r.x()) + ", " + std::to_string(r.y()) + ", " + std::to_string(r.width()) + ", " +
               std::to_string(r.height()) + ")";
    };
    return ::testing::AssertionFailure() << show(a) << " is not " << show(b);
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
    b.setPrintsHeader(true);
    b.setHeaderHeight(0.135f);
    EXPECT_FLOAT_EQ(b.barBottom(0), 9.72f);

    // A caption split with digits on the left only drops them.
    struct LeftDigit : NKDBarcode {
        int digitsToLeft() const override { return 1; }
    } left;
    left.initWithContent(QStringLiteral("1AB"));
    EXPECT_EQ(left.caption(), QStringLiteral("AB"));

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

    // Ink: digits stand on the base line and reach the cap height, in fonts sized in points
    // or in pixels; descenders go below; blank lines add nothing; a full stop has ink.
    QFont pixels = arial;
    pixels.setPixelSize(20);
    for (const QFont &font : {arial, pixels}) {
        const TextInk digits = fonts.textInk(QStringLiteral("0123"), font), low = fonts.textInk(QStringLiteral("0gy"), font);
        const double capHeight = fonts.capHeight(font);
        EXPECT_NEAR(digits.bottom - digits.top, capHeight, 0.04 * capHeight);
        EXPECT_GT(low.bottom - digits.bottom, 0.15 * capHeight);
        EXPECT_NEAR(low.top, digits.top, 0.04 * capHeight);
        const TextInk blankLine = fonts.textInk(QStringLiteral("0123\n "), font);
        EXPECT_DOUBLE_EQ(blankLine.top, digits.top);
        EXPECT_DOUBLE_EQ(blankLine.bottom, digits.bottom);
        EXPECT_FALSE(fonts.textInk(QStringLiteral("."), font).isEmpty());
        EXPECT_FALSE(fonts.textInk(QStringLiteral("_"), font).isEmpty());  // under a point high at 10 points
        EXPECT_TRUE(fonts.textInk(QStringLiteral("  "), font).isEmpty());
    }
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
    // Modules 2 points wide centred in 20: x0 = (20 - 4 x 2) / 2.
    b.m = QStringLiteral("1101");
    b.setBarWidth(2);
    b.setWidth(20);
    const auto wide = bars(Draw_Linear_Barcode(b, measure));
    ASSERT_EQ(wide.size(), 2u);
    EXPECT_EQ(wide[0], QRectF(6, 0, 4, 20));
    EXPECT_EQ(wide[1], QRectF(12, 0, 2, 20));
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
    // The caption's ink (2.5 below its box's top) hangs from the top of its room, 9.72
    // above the bottom; the left digit beside it.
    EXPECT_TRUE(sameRect(texts[0].rect, QRectF(3.5, 40 - 9.72 - 2.5, 5, 12)));
    EXPECT_EQ(texts[1].text, QStringLiteral("A\tB\t"));  // parts each followed by a tab
    EXPECT_TRUE(sameRect(texts[1].rect, QRectF(0, 40 - 9.72 - 2.5, 10, 12)));
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
    const auto hf = hd.itemsOf<BarcodeDrawing::Text>();
    ASSERT_EQ(hf.size(), 2u);
    // The empty header has no ink: its box stands on the header's room; the footer's ink
    // hangs from the top of its room.
    EXPECT_TRUE(sameRect(hf[0].rect, QRectF(0, 40 - 30.28 - 12, 65, 12)));
    EXPECT_TRUE(sameRect(hf[1].rect, QRectF(0, 40 - 9.72 - 2.5, 65, 12)));
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

TEST(BarcodeDrawing, TextsKeepTheirGapsFromTheBars)
{
    // Bars "101" one point a module in a 10-point view 40 high; caption gap 1, footer gap
    // 1.5, header gap 2, top and bottom margins 0.5; the ink of every text runs from 2.5 to
    // 9.7 points below its box's top and each line is 9.72 points (1.35 x 7.2) high.
    struct Row {
        const char *what;
        bool caption, onTop, header, footer;
        QRectF text, bar;  // the first text's box and the first bar, top-down
        size_t texts = 1;
    };
    const Row rows[] = {
        // Ink top 1 under the bars: the bars stand on 0.5 + 9.72 + 1.
        {"caption below", true, false, false, false, {0, 40 - 10.22 - 2.5, 10, 12}, {3.5, 40 - 28.28 - 11.22, 1, 28.28}},
        // Ink bottom 1 over the bars, which stand on the bottom margin.
        {"caption on top", true, true, false, false, {0, 40 - 29.78 - 9.7, 10, 12}, {3.5, 40 - 28.28 - 0.5, 1, 28.28}},
        // Ink bottom 2 over the bars' top.
        {"header", false, false, true, false, {0, 40 - 29.78 - 9.7, 10, 12}, {3.5, 40 - 27.28 - 0.5, 1, 27.28}},
        // Ink top at 0.5 + 9.72, 1.5 under the bars.
        {"footer", false, false, false, true, {0, 40 - 10.22 - 2.5, 10, 12}, {3.5, 40 - 27.78 - 11.72, 1, 27.78}},
        // Caption below over the footer: bars on 0.5 + 9.72 + 1.5 + 9.72 + 1, the caption's
        // ink top 1 under them.
        {"caption and footer", true, false, false, true, {0, 40 - 21.44 - 2.5, 10, 12},
         {3.5, 40 - 17.06 - 22.44, 1, 17.06}, 2},
        // Caption on top over the footer: bars on 0.5 + 9.72 + 1.5, the caption's ink
        // bottom 1 over them.
        {"caption on top and footer", true, true, false, true, {0, 40 - 29.78 - 9.7, 10, 12},
         {3.5, 40 - 17.06 - 11.72, 1, 17.06}, 2},
    };
    for (const Row &r : rows) {
        Modules b;
        b.m = QStringLiteral("101");
        b.initWithContent(QStringLiteral("AB"), r.caption);
        Barcode_Style s = noGaps();
        s.value_margin = r.caption ? 1 : 0;
        s.header_margin = r.header ? 2 : 0;
        s.footer_margin = r.footer ? 1.5f : 0;
        s.TB_margin = 0.5f;
        s.caption_on_top = r.onTop;
        s.header_alignment = Qt::AlignRight;
        b.setStyle(s);
        b.setHeader(QStringLiteral("H"));
        b.setFooter(QStringLiteral("F"));
        b.setPrintsHeader(r.header);
        b.setPrintsFooter(r.footer);
        b.setBarWidth(1);
        b.setHeight(40);
        b.setCaptionFontSize(10, measure);
        b.setHeaderFontSize(10, measure);
        b.setFooterFontSize(10, measure);
        b.setWidth(10);
        const BarcodeDrawing d = Draw_Linear_Barcode(b, measure);
        const auto texts = d.itemsOf<BarcodeDrawing::Text>();
        ASSERT_EQ(texts.size(), r.texts) << r.what;
        EXPECT_TRUE(sameRect(texts[0].rect, r.text)) << r.what;
        EXPECT_EQ(texts[0].alignment, r.header ? Qt::Alignment(Qt::AlignRight) : Qt::Alignment(Qt::AlignHCenter)) << r.what;
        ASSERT_EQ(bars(d).size(), 2u) << r.what;
        EXPECT_TRUE(sameRect(bars(d)[0], r.bar)) << r.what;
    }

    // A two-dimensional symbol: the footer's ink hangs 0.5 + 9.72 above the bottom, the
    // symbol under the top margin and the header gap.
    Barcode_Record record;
    record.width = 60;
    record.height = 50;
    record.printsFooter = true;
    record.footer = QStringLiteral("FOOT");
    record.footerHeight = 0.135f;
    Barcode_Style s = noGaps();
    s.TB_margin = 0.5f;
    s.header_margin = 3;
    s.footer_alignment = Qt::AlignLeft;
    QImage symbol(20, 20, QImage::Format_ARGB32);
    symbol.fill(Qt::black);
    const BarcodeDrawing d = Draw_Symbol_Barcode(Picture(symbol), record, s, measure);
    ASSERT_EQ(d.itemsOf<BarcodeDrawing::Fill>().size(), 1u);  // the white background
    EXPECT_EQ(d.itemsOf<BarcodeDrawing::Fill>()[0].rect, QRectF(0, 0, 60, 50));
    EXPECT_EQ(d.itemsOf<BarcodeDrawing::Fill>()[0].color, QColor(Qt::white));
    ASSERT_EQ(d.itemsOf<BarcodeDrawing::Text>().size(), 1u);
    EXPECT_TRUE(sameRect(d.itemsOf<BarcodeDrawing::Text>()[0].rect, QRectF(0, 50 - 10.22 - 2.5, 60, 12)));
    EXPECT_EQ(d.itemsOf<BarcodeDrawing::Text>()[0].alignment, Qt::AlignLeft);
    EXPECT_TRUE(sameRect(d.itemsOf<BarcodeDrawing::Image>()[0].rect, QRectF(20, 3.5, 20, 20)));
}

TEST(BarcodeDrawing, Ean8CentreGuardsReachDown)
{
    // 67 modules one point wide centred in 1.2 x 67: x0 = 6.7. Long bars start 3.6 above the
    // base line 9.72, the others 9.72 above it; all end 40 - 9.72 up.
    auto ean = Make_Linear_Barcode(QStringLiteral("EAN-8"), QStringLiteral("5512345"), true);
    ean->setStyle(noGaps());
    ean->setBarWidth(1);
    ean->setHeight(40);
    ean->setCaptionFontSize(10, measure);
    const std::vector<QRectF> r = bars(Draw_Linear_Barcode(*ean, measure));
    std::vector<QRectF> centre;
    for (const QRectF &bar : r)
        if (bar.left() > 35 && bar.left() < 44) centre.push_back(bar);
    const float normal = 40 - 9.72f - 9.72f, longBar = 40 - 9.72f - 3.6f;
    const std::vector<QRectF> expected = {
        {6.7 + 29, 0, 2, normal},   // the last left-hand digit's bar, "0010011"
        {6.7 + 32, 0, 1, longBar},  // centre guard 01010
        {6.7 + 34, 0, 1, longBar},
        {6.7 + 36, 0, 1, normal},   // the first right-hand digit, "1000010"
    };
    ASSERT_EQ(centre.size(), expected.size());
    for (size_t i = 0; i < centre.size(); ++i) EXPECT_TRUE(sameRect(centre[i], expected[i])) << i;
    EXPECT_TRUE(sameRect(r.front(), QRectF(6.7, 0, 1, longBar)));
    EXPECT_TRUE(sameRect(r.back(), QRectF(6.7 + 66, 0, 1, longBar)));
}

TEST(BarcodeDrawingAreas, ARasterBecomesRectanglesWhereItIsAdded)
{
    // 4 x 2 pixels: two identical rows of black, black, transparent, red, into 40 x 10
    // points at (10, 20); then a picture whose rows differ.
    QImage same(4, 2, QImage::Format_ARGB32);
    for (int y = 0; y < 2; ++y) {
        same.setPixel(0, y, qRgba(0, 0, 0, 255));
        same.setPixel(1, y, qRgba(0, 0, 0, 255));
        same.setPixel(2, y, qRgba(0, 0, 0, 0));
        same.setPixel(3, y, qRgba(255, 0, 0, 255));
    }
    QImage rows(2, 2, QImage::Format_RGB32);
    rows.setPixel(0, 0, qRgb(0, 0, 0));
    rows.setPixel(1, 0, qRgb(0, 0, 0));
    rows.setPixel(0, 1, qRgb(255, 255, 255));
    rows.setPixel(1, 1, qRgb(0, 0, 0));
    // 3 x 3 modules of 2 x 2 pixels: black, white, white / black, white, black /
    // white, black, white.
    QImage modules(6, 6, QImage::Format_RGB32);
    const char *pattern[] = {"BWW", "BWB", "WBW"};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            modules.setPixel(x, y, pattern[y / 2][x / 2] == 'B' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    using Fills = std::vector<std::pair<QColor, std::vector<QRectF>>>;
    struct Case {
        const char *what;
        QImage image;
        QRectF rect;
        Fills fills;
    } cases[] = {
        {"one band", same, QRectF(10, 20, 40, 10),
         {{QColor(0, 0, 0), {QRectF(10, 20, 20, 10)}}, {QColor(255, 0, 0), {QRectF(40, 20, 10, 10)}}}},
        {"two bands", rows, QRectF(0, 0, 2, 2),
         {{QColor(0, 0, 0), {QRectF(0, 0, 2, 1), QRectF(1, 1, 1, 1)}}, {QColor(255, 255, 255), {QRectF(0, 1, 1, 1)}}}},
        // Modules of a 2D symbol: a run held by the rows below grows down, one per module.
        {"modules", modules, QRectF(0, 0, 6, 6),
         {{QColor(0, 0, 0), {QRectF(0, 0, 2, 4), QRectF(4, 2, 2, 2), QRectF(2, 4, 2, 2)}},
          {QColor(255, 255, 255),
           {QRectF(2, 0, 4, 2), QRectF(2, 2, 2, 2), QRectF(0, 4, 2, 2), QRectF(4, 4, 2, 2)}}}},
    };
    for (const Case &c : cases) {
        BarcodeDrawing d(QSizeF(60, 40));
        d.add(BarcodeDrawing::Image{c.rect, Picture(c.image, c.rect.size())});
        const auto images = d.itemsOf<BarcodeDrawing::Image>();
        ASSERT_EQ(images.size(), 1u) << c.what;
        ASSERT_TRUE(images[0].areas) << c.what;
        const BarcodeDrawing::Raster_Areas &areas = *images[0].areas;
        Fills placed = areas.fills;
        for (auto &[colour, rects] : placed)
            for (QRectF &r : rects) {
                EXPECT_EQ(r, r.toRect().toRectF()) << c.what << ": rectangles in whole pixels";
                r = areas.inPoints(r);
            }
        EXPECT_EQ(placed, c.fills) << c.what;
    }
}

TEST(BarcodeDrawingAreas, PixelsOfTheGroundUnderThePictureGetNoRectangles)
{
    // The 3 x 3 modules of 2 x 2 pixels, black and white, at (10, 20) as 12 x 12 points,
    // after a fill: white under all of it leaves only the black modules; a fill that
    // misses a corner, a see-through one, one of another colour, or a text over the
    // picture after the fill leaves every colour.
    QImage modules(6, 6, QImage::Format_RGB32);
    const char *pattern[] = {"BWW", "BWB", "WBW"};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            modules.setPixel(x, y, pattern[y / 2][x / 2] == 'B' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    const QRectF at(10, 20, 12, 12);
    const std::vector<QRectF> black{QRectF(0, 0, 2, 4), QRectF(4, 2, 2, 2), QRectF(2, 4, 2, 2)};
    struct Case {
        const char *what;
        QRectF fill;
        QColor colour;
        bool textOver;
        size_t colours;  // the colours given rectangles, black first
    } cases[] = {
        {"white ground", QRectF(0, 0, 60, 40), Qt::white, false, 1},
        {"ground the picture's size", at, Qt::white, false, 1},
        {"fill misses a corner", QRectF(11, 20, 50, 20), Qt::white, false, 2},
        {"see-through ground", QRectF(0, 0, 60, 40), QColor(255, 255, 255, 128), false, 2},
        {"red ground", QRectF(0, 0, 60, 40), Qt::red, false, 2},
        {"a text over the picture", QRectF(0, 0, 60, 40), Qt::white, true, 2},
    };
    for (const Case &c : cases) {
        BarcodeDrawing d(QSizeF(60, 40));
        d.add(BarcodeDrawing::Fill{c.fill, c.colour});
        if (c.textOver)
            d.add(BarcodeDrawing::Text{QRectF(0, 25, 60, 10), QStringLiteral("1"), QFont(), Qt::black, Qt::AlignLeft, 0});
        d.add(BarcodeDrawing::Image{at, Picture(modules, at.size())});
        const auto images = d.itemsOf<BarcodeDrawing::Image>();
        ASSERT_EQ(images.size(), 1u) << c.what;
        ASSERT_TRUE(images[0].areas) << c.what;
        const auto &fills = images[0].areas->fills;
        ASSERT_EQ(fills.size(), c.colours) << c.what;
        EXPECT_EQ(fills[0].first, QColor(Qt::black)) << c.what;
        EXPECT_EQ(fills[0].second, black) << c.what;
        EXPECT_EQ(images[0].areas->origin, QPointF(10, 20)) << c.what;
        EXPECT_EQ(images[0].areas->pixel, QSizeF(2, 2)) << c.what;
    }
}

TEST(BarcodeDrawingBars, ARowOfBarsIsWrittenInWholeUnitsOfTheNarrowest)
{
    // Module 1.44 points as a 300 dpi Code 128 has it, the first bar 10.3346481 points in.
    const double m = 1.44, x0 = 10.3346481, top = 2.83464813, h = 17.007883;
    const auto bar = [&](double from, double modules) { return QRectF(x0 + from * m, top, modules * m, h); };
    struct Case {
        const char *what;
        std::vector<QRectF> rects;
        std::optional<std::vector<QRect>> bars;  // none: not written in units
        QPointF origin = {};
        QSizeF unit = {};
    } cases[] = {
        {"code 128 start", {bar(0, 2), bar(3, 1), bar(6, 1), bar(11, 2)},
         std::vector<QRect>{{0, 0, 2, 1}, {3, 0, 1, 1}, {6, 0, 1, 1}, {11, 0, 2, 1}}, {x0, top}, {m, h}},
        {"leftmost not first", {bar(4, 3), bar(0, 1)}, std::vector<QRect>{{4, 0, 3, 1}, {0, 0, 1, 1}}, {x0, top}, {m, h}},
        {"narrowest is two modules", {bar(0, 2), bar(4, 4)}, std::vector<QRect>{{0, 0, 1, 1}, {2, 0, 2, 1}}, {x0, top},
         {2 * m, h}},
        {"one bar", {bar(5, 3)}, std::vector<QRect>{{0, 0, 1, 1}}, {x0 + 5 * m, top}, {3 * m, h}},
        {"half-point modules", {QRectF(3, top, 0.5, h), QRectF(4, top, 1.5, h)},
         std::vector<QRect>{{0, 0, 1, 1}, {2, 0, 3, 1}}, {3, top}, {0.5, h}},
        {"a bar off the grid by a hundredth", {bar(0, 1), bar(2.01, 1)}, std::nullopt},
        {"a bar 2^24 units away", {bar(0, 1), bar(1 << 24, 1)}, std::nullopt},
        {"bars of no height", {QRectF(x0, top, m, 0), QRectF(x0 + 2 * m, top, m, 0)}, std::nullopt},
        {"a width off the grid", {bar(0, 1), bar(2, 1.5)}, std::nullopt},
        {"another top", {bar(0, 1), QRectF(x0 + 2 * m, top + 1, m, h)}, std::nullopt},
        {"another height", {bar(0, 1), QRectF(x0 + 2 * m, top, m, h - 2)}, std::nullopt},
        {"an empty bar", {bar(0, 1), bar(2, 0)}, std::nullopt},
        {"nothing", {}, std::nullopt},
    };
    for (const Case &c : cases) {
        const std::optional<Bar_Row> row = Bars_In_Units(c.rects);
        ASSERT_EQ(row.has_value(), c.bars.has_value()) << c.what;
        if (!row) continue;
        EXPECT_EQ(row->bars, *c.bars) << c.what;
        EXPECT_NEAR(row->origin.x(), c.origin.x(), 1e-9) << c.what;
        EXPECT_NEAR(row->origin.y(), c.origin.y(), 1e-9) << c.what;
        EXPECT_NEAR(row->unit.width(), c.unit.width(), 1e-9) << c.what;
        EXPECT_NEAR(row->unit.height(), c.unit.height(), 1e-9) << c.what;
        // Back in points, each bar is where it was given.
        for (size_t i = 0; i < c.rects.size(); ++i) {
            const QRect &b = row->bars[i];
            EXPECT_NEAR(row->origin.x() + b.x() * row->unit.width(), c.rects[i].x(), 1e-6) << c.what << " bar " << i;
            EXPECT_NEAR(b.width() * row->unit.width(), c.rects[i].width(), 1e-6) << c.what << " bar " << i;
        }
    }
}

} // namespace drawing_test
