#pragma once
// Reads printed PDF files back with poppler (pdfinfo, pdftotext -bbox, pdftoppm) and
// makes simple card sides for print jobs.
#include "AsLoadedAdjuster.h"
#include "Globals.h"
#include "RenderedSide.h"
#include "SKTText.h"
#include "Shape_Control.h"
#include "TestSupport.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <vector>

namespace pdfprobe {

constexpr double kCardW = 85.6 * 2.834645669291, kCardH = 54 * 2.834645669291;

inline bool havePoppler()
{
    return !QStandardPaths::findExecutable("pdftotext").isEmpty() && !QStandardPaths::findExecutable("pdftoppm").isEmpty();
}

// A checker's output; none when it could not start.
inline QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!testsupport::checkerFinished(p)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Page count and the first page's size in points, from pdfinfo.
struct Info {
    int pages = 0;
    double width = 0, height = 0;
};
inline Info pdfInfo(const QString &path)
{
    Info info;
    const QString out = run("pdfinfo", {path});
    info.pages = QRegularExpression("Pages:\\s+(\\d+)").match(out).captured(1).toInt();
    const auto m = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(out);
    info.width = m.captured(1).toDouble();
    info.height = m.captured(2).toDouble();
    return info;
}

struct Word {
    int page;
    QString text;
    QRectF box;  // points, top-left origin
};
inline std::vector<Word> pdfWords(const QString &path)
{
    std::vector<Word> words;
    const QString out = run("pdftotext", {"-bbox", path, "-"});
    int page = 0;
    static const QRegularExpression tag(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
    for (auto it = tag.globalMatch(out); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                         QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        words.push_back({page, m.captured(5), box});
    }
    return words;
}

// Every page at `dpi` (pdftoppm), in order; only the part `crop` (points) of each when
// given, its pixels then counted from that part's corner.
inline std::vector<QImage> pdfPages(const QString &path, int dpi, const QString &folder, const QRectF &crop = {})
{
    QStringList args{"-r", QString::number(dpi), "-png"};
    if (!crop.isNull()) {
        const QRect px((crop.topLeft() * dpi / 72).toPoint(), (crop.size() * dpi / 72).toSize());
        args << "-x" << QString::number(px.x()) << "-y" << QString::number(px.y()) << "-W"
             << QString::number(px.width()) << "-H" << QString::number(px.height());
    }
    run("pdftoppm", args << path << folder + "/page");
    std::vector<QImage> pages;
    for (const QString &name : QDir(folder).entryList({"page*.png"}, QDir::Files, QDir::Name))
        pages.push_back(QImage(folder + "/" + name).convertToFormat(QImage::Format_RGB32));
    return pages;
}

// A card side: `text` centred by the text control, and a black 20 x 20 block in its
// top left corner (shows turns and mirrors).
inline RenderedSide cardSide(const QString &text)
{
    const QRectF frame(0, 0, kCardW, kCardH);
    auto block = Shape_Control::create();
    block->_bounds = QRectF(0, 0, 20, 20);
    block->_fillColor = Qt::black;
    block->_strokeColor = Qt::black;
    auto label = SKTText::create();
    label->Set_text_value(text);
    label->_bounds = frame;
    label->text_alignmnet = 2;
    label->text_alignmnet_Vert = 2;
    label->text_ctrl_font = Font_With_Name("Liberation Sans", 14);
    return Render_Side_Picture({label, block}, frame, nullptr, Application_Render_Resources(asLoaded()));
}

inline bool dark(const QImage &image, QPointF pointsAt, int dpi)
{
    const QPoint px((pointsAt * dpi / 72.0).toPoint());
    return qGray(image.pixel(px)) < 100;
}

} // namespace pdfprobe
