// The sample sheet read back: labels per cell (pdftotext), upside-down backs, outlines
// in the card's shape (pixels).
#include "PdfProbe.h"
#include "SamplePreview.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pdfprobe;

namespace {

Sample_Sheet sheet3x2(const QString &side, const QString &algn)
{
    Page_Layout_Input in;
    in.paperWidth = 595;
    in.paperHeight = 842;
    in.leftMar = in.riteMar = in.topMar = in.botMar = 10;
    in.cardWidth = kCardW;
    in.cardHeight = kCardH;
    in.horzGap = in.vertGap = 10;
    in.rows = 3;
    in.cols = 2;
    in.side = Run_Sides_Of_Code(side).value();
    in.algn = Sides_Arrangement_Of_Code(algn).value();
    Sample_Sheet sheet;
    sheet.layout = Compute_Page_Layout(in, 5);
    return sheet;
}

// Label -> (centre, upright) read back from a PDF of the sheet. A word read upside
// down comes with its letters in reverse order from a turned baseline.
std::vector<Word> sheetWords(const Sample_Sheet &sheet, const QString &folder)
{
    const QString file = folder + "/sheet.pdf";
    {
        QPdfWriter writer(file);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(595, 842), QPageSize::Point));
        writer.setPageMargins(QMarginsF());
        QPainter painter(&writer);
        Draw_Sample_Sheet(painter, sheet);
    }
    return pdfWords(file);
}

// The darkest grey of the pixels around a point.
int darkest(const QImage &image, QPointF at)
{
    int least = 255;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) least = std::min(least, qGray(image.pixel(at.toPoint() + QPoint(dx, dy))));
    return least;
}

} // namespace

TEST(SamplePreview, CellsLabelledBySideAndNumber)
{
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const Sample_Sheet front = sheet3x2("F", "UD");
    const std::vector<Word> words = sheetWords(front, dir.path());
    const std::vector<Cell_Place> places = Cell_Places(front.layout);
    ASSERT_EQ(places.size(), 6u);
    QStringList texts;
    for (const Word &w : words) texts << w.text;
    EXPECT_EQ(texts.join(' '), "Front 1 Front 2 Front 3 Front 4 Front 5 Front 6");
    // Each "Front" centred on its card's middle line.
    for (size_t i = 0; i < places.size(); ++i)
        EXPECT_NEAR(words[2 * i].box.center().y(), To_Top_Left(places[i].first, 842).center().y(), 1.5) << i;
}

TEST(SamplePreview, TurnedBacksReadUpsideDownAboveTheMiddle)
{
    if (!havePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const Sample_Sheet pair = sheet3x2("BOTH", "UD");
    const std::vector<Cell_Place> places = Cell_Places(pair.layout);
    const std::vector<Word> words = sheetWords(pair, dir.path());
    int backs = 0;
    for (const Word &w : words) {
        if (w.text != "Back" && w.text != "kcaB") continue;
        ++backs;
        // In the lower card of its cell, wholly above that card's middle line.
        bool inLower = false;
        for (const Cell_Place &p : places) {
            const QRectF lower = To_Top_Left(p.second, 842);
            if (lower.contains(w.box.center())) {
                inLower = true;
                EXPECT_LE(w.box.bottom(), lower.center().y() + 0.5);
                EXPECT_GE(w.box.top(), lower.center().y() - 30);
            }
        }
        EXPECT_TRUE(inLower);
    }
    EXPECT_EQ(backs, int(places.size()));
    // Turned, a label's number stands left of its word: "Back n" upside down; the
    // fronts stay upright.
    for (size_t i = 0; i + 1 < words.size(); i += 2) {
        const bool back = words[i].text == "Back";
        EXPECT_EQ(words[i + 1].box.left() < words[i].box.left(), back) << words[i].text.toStdString() << i;
        // Words come as Front 1, Front 2, Back 1, Back 2, then the next row of cells.
        EXPECT_EQ(words[i + 1].text, QString::number((i / 8) * 2 + (i / 2) % 2 + 1));
    }
}

TEST(SamplePreview, OutlinesFollowTheCardShape)
{
    struct Row {
        int shape;
        bool cornerInked;
    } rows[] = {{0, true}, {1, false}, {2, false}};
    for (const Row &r : rows) {
        Sample_Sheet sheet = sheet3x2("F", "UD");
        sheet.cardShape = r.shape;
        const QImage image = Sample_Sheet_Image(sheet);
        const QRectF card = To_Top_Left(Cell_Places(sheet.layout).front().first, 842);
        EXPECT_EQ(darkest(image, card.topLeft()) < 200, r.cornerInked) << r.shape;
        // Every shape touches the middle of the card's left edge.
        EXPECT_LT(darkest(image, QPointF(card.left(), card.center().y())), 200) << r.shape;
    }
    Sample_Sheet none = sheet3x2("F", "UD");
    none.layout.paperWidth = 0;
    EXPECT_TRUE(Sample_Sheet_Image(none).isNull());
}
