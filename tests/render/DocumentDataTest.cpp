// The document's data by type, the property list read back by Python's plistlib.
#include "AsLoadedAdjuster.h"
#include "ControlArchiveBytes.h"
#include "DocumentData.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QPdfWriter>
#include <gtest/gtest.h>

namespace {
RenderResources resources() { return Application_Render_Resources(asLoaded()); }

GraphicPtr shape(QRectF r, QColor fill)
{
    GraphicPtr g = SKTGraphic::create(GraphicKind::Shape);
    g->setBounds(r);
    g->setFillColor(fill);
    g->setDrawingFill(true);
    return g;
}
} // namespace

TEST(DocumentData, ThePropertyListReadsBackWithPlistlib)
{
    SKTDocument doc;
    doc.insertGraphic(shape({10, 10, 40, 20}, Qt::red), 0);
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->Set_text_value("Front text");
    doc.insertGraphic(text, 0);
    doc.graphics_back().insert(shape({0, 0, 5, 5}, Qt::blue));  // the back is not part of it
    // The document's own page set-up is written.
    doc.setPrintInfo({"Desk Printer", QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                                  QMarginsF(10, 12, 14, 16), QPageLayout::Point)});

    QString error;
    const std::optional<QByteArray> data = Document_Data_Of_Type(doc, SKTDocumentOldTypeName, resources(), &error);
    ASSERT_TRUE(data) << error.toStdString();
    EXPECT_TRUE(data->startsWith("bplist00"));
    EXPECT_EQ(Document_Data_Of_Type(doc, SKTDocumentNewTypeName, resources()), data);

    QTemporaryDir dir;
    QFile f(dir.filePath("doc.plist"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(*data);
    f.close();
    QProcess p;
    p.start("/usr/bin/python3",
            {"-c", "import plistlib,sys\n"
                   "d=plistlib.load(open(sys.argv[1],'rb'))\n"
                   "print(sorted(d), d['version'], [type(g).__name__ for g in d['graphics']],\n"
                   "      *[d['printInfo'][k] for k in ('PrinterName', 'PaperName', 'PaperWidth', 'PaperHeight',\n"
                   "        'Orientation', 'LeftMargin', 'TopMargin', 'RightMargin', 'BottomMargin')])\n"
                   "for g in d['graphics']: sys.stdout.buffer.write(g.hex().encode()+b'\\n')",
             f.fileName()});
    ASSERT_TRUE(testsupport::checkerFinished(p));
    const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << p.readAllStandardError().toStdString();
    EXPECT_EQ(lines[0], "['graphics', 'printInfo', 'version'] 2 ['bytes', 'bytes'] Desk Printer A5 595.0 420.0 1 "
                        "10.0 12.0 14.0 16.0");
    // Each archive decodes, in the front's order.
    std::optional<KeyedArchive> first = Control_Archive_From_Bytes(QByteArray::fromHex(lines[1].toLatin1()));
    std::optional<KeyedArchive> second = Control_Archive_From_Bytes(QByteArray::fromHex(lines[2].toLatin1()));
    ASSERT_TRUE(first && second);
    GraphicPtr a = SKTGraphic::decode(*first), b = SKTGraphic::decode(*second);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->kind(), GraphicKind::Text);
    EXPECT_EQ(a->Text_Value, "Front text");
    EXPECT_EQ(b->kind(), GraphicKind::Shape);
    EXPECT_EQ(b->bounds(), QRectF(10, 10, 40, 20));
}

TEST(DocumentData, PdfTiffAndOtherTypes)
{
    SKTDocument doc;
    QString error;
    EXPECT_EQ(Document_Data_Of_Type(doc, "image/tiff", resources(), &error), std::nullopt) << "an empty front";
    EXPECT_EQ(error, "There is nothing on the front side to draw as TIFF.");

    doc.insertGraphic(shape({10, 10, 40, 20}, Qt::red), 0);
    const std::optional<QByteArray> pdf = Document_Data_Of_Type(doc, "application/pdf", resources(), &error);
    ASSERT_TRUE(pdf);
    EXPECT_TRUE(pdf->startsWith("%PDF"));
    QTemporaryDir dir;
    QFile file(dir.filePath("front.pdf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(*pdf);
    file.close();
    QProcess info;
    info.start("pdfinfo", {file.fileName()});
    ASSERT_TRUE(testsupport::checkerFinished(info));
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QRegularExpression("Pages:\\s+1\\n"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QRegularExpression("Page size:\\s+243 x 154 pts"))) << out.toStdString();
    const std::optional<QByteArray> tiff = Document_Data_Of_Type(doc, "public.tiff", resources(), &error);
    ASSERT_TRUE(tiff);
    const QImage picture = QImage::fromData(*tiff, "TIFF");
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, picture.height() / 2), QColor(Qt::red));

    error.clear();
    EXPECT_EQ(Document_Data_Of_Type(doc, "text/plain", resources(), &error), std::nullopt);
    EXPECT_EQ(error, "The document has no data of the type \"text/plain\".");
}
