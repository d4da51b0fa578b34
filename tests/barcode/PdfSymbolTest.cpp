// A symbol raster painted onto a PDF page keeps every pixel: two-colour symbols become
// filled areas (no image object at all), a raster of too many runs a lossless image.
// The page is rasterised by pdftoppm at the symbol's own resolution and compared pixel
// for pixel, and the QR symbol is read back by zbar.
#include "BarcodeDrawing.h"
#include "BarcodeReaders.h"
#include "QrEncoder.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

constexpr double kDpi = 600;
constexpr int kPagePixels = 1800, kOffsetPixels = 600;  // 216 points, 72 points

// Squares of 4 x 4 pixels.
QImage checkerboard(int side)
{
    QImage image(side, side, QImage::Format_ARGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) image.setPixel(x, y, (x / 4 + y / 4) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return image;
}

Picture qrSymbol()
{
    const std::optional<QrGrid> grid = Encode_QR_Text(QStringLiteral("https://example.org/badge/1"), QR_Level_From_Index(0), 0);
    return grid ? Render_QR(*grid, 60, kDpi) : Picture();
}

// One page per symbol, each drawn through a barcode drawing at 72 points from the corner.
QByteArray pdfOf(const std::vector<QImage> &symbols)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(QSizeF(216, 216), QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    for (size_t i = 0; i < symbols.size(); ++i) {
        if (i > 0) writer.newPage();
        const QSizeF points(symbols[i].width() * 72 / kDpi, symbols[i].height() * 72 / kDpi);
        BarcodeDrawing drawing(points);
        drawing.add(BarcodeDrawing::Image{QRectF(QPointF(), points), Picture(symbols[i], points)});
        drawing.paint(painter, QRectF(QPointF(72, 72), points));
    }
    painter.end();
    return data;
}

// The pages in grey at the symbols' resolution, unsmoothed; none when pdftoppm fails.
std::vector<QImage> pages(const QByteArray &pdf, size_t count)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("symbols.pdf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) return {};
    file.close();
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {"-r", "600", "-gray", "-aa", "no", "-aaVector", "no", "-png", file.fileName(),
                                         dir.filePath(QStringLiteral("page"))});
    if (!testsupport::checkerFinished(p) || p.exitCode() != 0) return {};
    std::vector<QImage> out;
    for (size_t i = 1; i <= count; ++i) out.push_back(QImage(dir.filePath(QStringLiteral("page-%1.png").arg(i))));
    return out;
}

// Dark where the symbol drawn at the offset on white is dark.
bool darkAt(const QImage &symbol, int x, int y)
{
    const int sx = x - kOffsetPixels, sy = y - kOffsetPixels;
    if (sx < 0 || sy < 0 || sx >= symbol.width() || sy >= symbol.height()) return false;
    const QRgb s = symbol.pixel(sx, sy);
    return qAlpha(s) > 0 && qGray(s) < 128;
}

// Pixels of the page that differ (dark against light) from the symbol drawn on white,
// over the symbol and a margin of 4 pixels, leaving out the pixels next to an edge,
// which the page's rounding of coordinates may move by one.
int differences(const QImage &page, const QImage &symbol)
{
    int count = 0;
    for (int y = kOffsetPixels - 4; y < kOffsetPixels + symbol.height() + 4; ++y)
        for (int x = kOffsetPixels - 4; x < kOffsetPixels + symbol.width() + 4; ++x) {
            const bool want = darkAt(symbol, x, y);
            bool edge = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) edge = edge || darkAt(symbol, x + dx, y + dy) != want;
            if (!edge) count += want != (qGray(page.pixel(x, y)) < 128);
        }
    return count;
}

} // namespace

TEST(PdfSymbol, SymbolRasterReachesThePageExactlyAndLosslessly)
{
    const Picture qr = qrSymbol();
    ASSERT_EQ(qr.image().size(), QSize(500, 500));
    struct Row {
        const char *name;
        QImage symbol;
    };
    const Row rows[] = {
        {"QR at 600 dpi", qr.image()},
        {"checkerboard of 40,000 runs", checkerboard(800)},
    };
    std::vector<QImage> symbols;
    for (const Row &r : rows) symbols.push_back(r.symbol);
    const QByteArray pdf = pdfOf(symbols);
    EXPECT_EQ(pdf.count("/Subtype /Image"), 1);  // the checkerboard's; the QR is filled areas
    EXPECT_EQ(pdf.count("/DCTDecode"), 0);
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "pdftoppm is not available";
    const std::vector<QImage> shown = pages(pdf, std::size(rows));
    ASSERT_EQ(shown.size(), std::size(rows)) << "pdftoppm failed";
    for (size_t i = 0; i < std::size(rows); ++i) {
        ASSERT_EQ(shown[i].size(), QSize(kPagePixels, kPagePixels)) << rows[i].name;
        EXPECT_EQ(differences(shown[i], rows[i].symbol), 0) << rows[i].name;
    }
#ifdef HAVE_ZBAR
    EXPECT_EQ(readers::Zbar_Read(shown[0].convertToFormat(QImage::Format_Grayscale8), zbar::ZBAR_QRCODE),
              "https://example.org/badge/1");
#else
    GTEST_SKIP() << "zbar was not found: the QR on the page is not read back";
#endif
}

TEST(PdfSymbol, BarsOfOneColourReachThePageAsTheyAreDrawn)
{
    // Bars 1 to 3 black, 4 red, 5 black again (written in three lists), 0.96 points
    // (8 pixels) wide at 2-pixel gaps, drawn on white: the page shows each bar where
    // the raster engine draws it.
    BarcodeDrawing drawing(QSizeF(60, 30));
    drawing.add(BarcodeDrawing::Fill{QRectF(0, 0, 60, 30), QColor(Qt::white)});
    const QColor colours[] = {Qt::black, Qt::black, Qt::black, Qt::red, Qt::black};
    for (int b = 0; b < 5; ++b)
        drawing.add(BarcodeDrawing::Fill{QRectF(b * 1.2, 0, 0.96, 30), colours[b]});
    QImage raster(500, 250, QImage::Format_RGB32);
    raster.fill(Qt::white);
    {
        QPainter p(&raster);
        p.scale(kDpi / 72, kDpi / 72);
        drawing.paint(p, QRectF(0, 0, 60, 30));
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        writer.setPageLayout(QPageLayout(QPageSize(QSizeF(216, 216), QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        drawing.paint(painter, QRectF(72, 72, 60, 30));
    }
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) GTEST_SKIP() << "pdftoppm is not available";
    const std::vector<QImage> shown = pages(data, 1);
    ASSERT_EQ(shown.size(), 1u) << "pdftoppm failed";
    ASSERT_EQ(shown[0].size(), QSize(kPagePixels, kPagePixels));
    EXPECT_EQ(differences(shown[0], raster), 0);
    // The red bar is there, in grey, between the third and the fifth black bar.
    const int middle = kOffsetPixels + 125;
    // pdftoppm's grey of pure red: 0.3 x 255.
    EXPECT_NEAR(qGray(shown[0].pixel(kOffsetPixels + 3 * 10 + 4, middle)), 77, 1);
    EXPECT_LT(qGray(shown[0].pixel(kOffsetPixels + 4 * 10 + 4, middle)), 20);
    EXPECT_GT(qGray(shown[0].pixel(kOffsetPixels + 4 * 10 + 9, middle)), 240);
}
