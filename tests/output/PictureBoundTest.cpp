// Exports, printed passes and sample sheets of a card too large for a picture: the
// picture is not made, nothing of its size is allocated, the export says why and
// writes nothing, and PDF, which needs no picture, is still written.
#include "AsLoadedAdjuster.h"
#include "Card_Property.h"
#include "Export_File_Writer.h"
#include "PictureLimit.h"
#include "PrintingView.h"
#include "ProcessMemory.h"
#include "SamplePreview.h"
#include "TestSupport.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Grown {
    bool measured = false;
    long long start = 0;
    Grown() : measured(processmemory::resetPeak()), start(processmemory::residentBytes()) {}
    // Fails when the peak grew by 64 MB or more.
    void expectSmall(const std::string &what) const
    {
        if (!processmemory::kMeasuresMemory || !measured) return;
        const long long grown = processmemory::peakBytes() - start;
        EXPECT_LT(grown, 64ll << 20) << what << ": " << grown / 1e6 << " MB";
    }
};

QString refusal(const char *pixels)
{
    return QStringLiteral("The card is too large to be exported as a picture at 600 dpi: it would be %1 pixels, more "
                          "than the 100 million pixels a picture can have.\n\nExport it as a PDF file, or make the "
                          "card smaller.")
        .arg(QLatin1String(pixels));
}

} // namespace

TEST(ExportPictureBound, ACardTooLargeForItsPictureIsRefusedAndNothingWritten)
{
    Card_Property prop;
    prop.setCard_fill_chk(true);
    prop.setCard_fill_clr(QColor(200, 40, 40));
    const RenderResources resources = Application_Render_Resources(asLoaded());
    struct Row {
        const char *file;
        Export_Layout layout;
        QSizeF card;
        const char *pixels;  // in the refusal; empty: written
    };
    const Row rows[] = {
        {"wide.png", Export_Layout::Front, {kLargestCardSidePoints, 154}, "236,221 x 1,284"},
        {"tall.jpg", Export_Layout::Back, {154, kLargestCardSidePoints}, "1,284 x 236,221"},
        {"both.bmp", Export_Layout::Both, {kLargestCardSidePoints, kLargestCardSidePoints}, "236,221 x 236,221"},
        // Each side alone would fit (8,000 x 7,000 pixels); joined they do not.
        {"joined.png", Export_Layout::Combined_Side_By_Side, {960, 840}, "16,000 x 7,000"},
        {"above.tiff", Export_Layout::Combined_Above, {960, 840}, "8,000 x 14,000"},
        // PDF draws the card as it is: no picture, no bound.
        {"wide.pdf", Export_Layout::Front, {kLargestCardSidePoints, 154}, ""},
    };
    for (const Row &r : rows) {
        QTemporaryDir dir;
        const QString path = dir.filePath(r.file);
        const Export_Side side{{}, &prop, QRectF(QPointF(0, 0), r.card), resources};
        QStringList written;
        QString error;
        const Grown grown;
        const bool ok = Write_Export_Files(path, r.layout, side, side, &written, &error);
        grown.expectSmall(r.file);
        if (QByteArray(r.pixels).isEmpty()) {
            EXPECT_TRUE(ok) << r.file << ": " << error.toStdString();
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"wide_Front.pdf"});
            continue;
        }
        EXPECT_FALSE(ok) << r.file;
        EXPECT_EQ(error, refusal(r.pixels)) << r.file;
        EXPECT_TRUE(written.isEmpty()) << r.file;
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()) << r.file;
    }
}

TEST(ExportPictureBound, TheFileDataOfARunRefusesWithoutDrawing)
{
    RenderedSide side;
    side.size = QSizeF(960, 840);
    QPainter p(&side.picture);
    p.fillRect(QRectF(QPointF(), side.size), Qt::blue);
    p.end();
    RenderedSide wide = side;
    wide.size = QSizeF(kLargestCardSidePoints, 154);
    const Grown grown;
    EXPECT_TRUE(Combined_Side_File_Data(side, side, "png", true).isEmpty());
    EXPECT_TRUE(Rendered_Side_File_Data(wide, "jpg", true).isEmpty());
    EXPECT_TRUE(Combine_Side_Images(QImage(8000, 7000, QImage::Format_ARGB32), QImage(8000, 7000, QImage::Format_ARGB32),
                                    true)
                    .isNull());
    grown.expectSmall("run file data");
    EXPECT_EQ(Export_Picture_Refusal(QSizeF(960, 840), "png", false, false), QString());
    EXPECT_EQ(Export_Picture_Refusal(QSizeF(960, 840), "PDF", true, true), QString());
}

TEST(ExportPictureBound, APassTooLargeToRaiseIsPrintedWithoutAPicture)
{
    RenderedSide pass;
    pass.size = QSizeF(kLargestCardSidePoints, 154);  // 236,221 x 1,284 pixels at 600 dpi
    QPainter p(&pass.picture);
    p.fillRect(QRectF(QPointF(), pass.size), Qt::red);
    p.end();
    Page_Layout paper;
    paper.paperWidth = 200;
    paper.paperHeight = 300;
    paper.topMar = 20;
    QImage page(200, 300, QImage::Format_RGB32);
    const Grown grown;
    {
        QPainter painter(&page);
        Paint_Visitor_Pass(painter, pass, paper, true);
    }
    grown.expectSmall("visitor pass");
    EXPECT_EQ(page.pixelColor(100, 10), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(100, 100), QColor(Qt::red)) << "the pass is drawn all the same";
}

TEST(ExportPictureBound, ASampleSheetOverTheBoundIsNotMade)
{
    Sample_Sheet sheet;
    sheet.layout.paperWidth = 12000;  // 108 million pixels at one a point
    sheet.layout.paperHeight = 9000;
    const Grown grown;
    EXPECT_TRUE(Sample_Sheet_Image(sheet).isNull());
    grown.expectSmall("sample sheet");
    sheet.layout.paperWidth = 595;
    sheet.layout.paperHeight = 842;
    EXPECT_EQ(Sample_Sheet_Image(sheet).size(), QSize(595, 842));
}
