// Captions, headers and footers drawn in the fonts themselves at 600 dpi: their ink keeps
// its gap from the bars and from each other at every font size.
#include "BarcodeFactory.h"
#include "BarcodeImages.h"

#include <gtest/gtest.h>

namespace {

// The first and last pixel rows (top-down) holding a pixel of the kind.
struct Rows {
    int first = -1, last = -1;
    void add(int y)
    {
        if (first < 0) first = y;
        last = y;
    }
};

} // namespace

TEST(CaptionPixels, InkKeepsItsGapsAt600Dpi)
{
    const QtFontMeasure measure;
    const double dpi = 600, pixelsPerPoint = dpi / 72;
    const struct {
        const char *title, *content;
    } symbols[] = {
        {"Code 39", "VISITOR 42"},
        {"EAN-13", "400638133393"},
        {"PostNet", "12345"},
        {"Japan Post Barcode", "1234567 ab-1"},
    };
    for (const auto &symbol : symbols)
        for (const double size : {6.0, 10.0, 24.0}) {
            const std::string what = std::string(symbol.title) + " at " + std::to_string(int(size)) + " points";
            auto b = Make_Linear_Barcode(QString::fromLatin1(symbol.title), QString::fromLatin1(symbol.content), true);
            ASSERT_TRUE(b->isContentValid()) << what;
            // Bars black, caption red, header blue, footer green; gaps of 1, 2 and 1.5 points.
            Barcode_Style style;
            for (QFont *font : {&style.value_font, &style.header_font, &style.footer_font}) font->setPointSizeF(size);
            style.bar_val_clr = Qt::red;
            style.bar_hdr_clr = Qt::blue;
            style.bar_ftr_clr = QColor(0, 160, 0);
            style.value_margin = 1;
            style.header_margin = 2;
            style.footer_margin = 1.5f;
            b->setStyle(style);
            b->setHeader(QStringLiteral("HEADER gy"));
            b->setFooter(QStringLiteral("Footer jq"));
            b->setPrintsHeader(true);
            b->setPrintsFooter(true);
            b->setPrintsCaption(true);
            b->setBarWidth(20 / 1000.0f * 72);
            b->setCaptionFontSize(float(size), measure);
            b->setHeaderFontSize(float(size), measure);
            b->setFooterFontSize(float(size), measure);
            // Bars 20 points long, the short bars of EAN-13 too (they stand a caption line higher).
            b->setHeight(20 + (2 * b->captionHeight() + b->headerHeight() + b->footerHeight()) * 72 + 1 + 2 +
                         1.5f + 2 * style.TB_margin);
            const QImage image = imageFromBarcode(*b, measure).rasterised(dpi).convertToFormat(QImage::Format_RGB32);
            ASSERT_FALSE(image.isNull()) << what;
            Rows bars, caption, header, footer;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    const int r = qRed(p), g = qGreen(p), bl = qBlue(p);
                    if (p == qRgb(0, 0, 0)) bars.add(y);
                    else if (p == qRgb(255, 255, 255)) continue;
                    else if (r > g + 16 && r > bl + 16) caption.add(y);
                    else if (bl > r + 16 && bl > g + 16) header.add(y);
                    else if (g > r + 16 && g > bl + 16) footer.add(y);
                }
            ASSERT_TRUE(bars.first >= 0 && caption.first >= 0 && header.first >= 0 && footer.first >= 0) << what;
            // Gaps in whole pixels, one pixel allowed for the edge of smoothed glyphs.
            EXPECT_GE(caption.first - bars.last - 1, int(1 * pixelsPerPoint) - 1) << what;
            EXPECT_GE(bars.first - header.last - 1, int(2 * pixelsPerPoint) - 1) << what;
            EXPECT_GT(footer.first, caption.last) << what;
        }
}
