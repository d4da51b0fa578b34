#include "SamplePreview.h"

#include "Log.h"
#include "PictureLimit.h"
#include "PrintingView.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {

void drawOutline(QPainter &painter, const QRectF &card, const Sample_Sheet &sheet)
{
    if (sheet.showMargins) {
        painter.save();
        painter.setPen(QPen(QColor(Qt::darkGray), 1.0));
        painter.setBrush(Qt::NoBrush);
        if (sheet.cardShape == 1) painter.drawRoundedRect(card, 10, 10);
        else if (sheet.cardShape == 2) painter.drawEllipse(card);
        else painter.drawRect(card);
        painter.restore();
    }
    if (sheet.cropMarks) {
        painter.save();
        painter.setPen(QPen(QColor(Qt::black), 1.0));
        for (const QLineF &line : Crop_Mark_Lines(card)) painter.drawLine(line);
        painter.restore();
    }
}

void drawLabel(QPainter &painter, const QString &text, const QRectF &rect, const Cell_Place &place,
               const Sample_Sheet &sheet)
{
    const Page_Layout &l = sheet.layout;
    const bool numbered = text == QLatin1String("Front") || text == QLatin1String("Back") || text == QLatin1String("Card");
    const QString shown = numbered ? QStringLiteral("%1 %2").arg(text).arg((place.row - 1) * l.cols + place.col) : text;
    const bool turned = l.oneSideTurned
                        || (text == QLatin1String("Back") && l.side == Run_Sides::Both && l.algn == Sides_Arrangement::Above_Back_Turned);
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(24);
    const QSizeF size = QFontMetricsF(font).size(Qt::TextSingleLine, shown);
    painter.save();
    painter.setFont(font);
    painter.setPen(numbered ? QColor(Qt::gray) : QColor(Qt::red));
    if (!turned) {
        painter.drawText(QRectF(rect.center() - QPointF(size.width() / 2, size.height() / 2), size), Qt::AlignCenter,
                         shown);
    } else {
        // Upside down, centred across, in the band above the rectangle's middle.
        const QRectF band(rect.center().x() - size.width() / 2, rect.center().y() - size.height(), size.width(),
                          size.height());
        painter.translate(band.center());
        painter.rotate(180);
        painter.translate(-band.center());
        painter.drawText(band, Qt::AlignCenter, shown);
    }
    painter.restore();
}

} // namespace

void Draw_Sample_Sheet(QPainter &painter, const Sample_Sheet &sheet)
{
    const Page_Layout &l = sheet.layout;
    if (l.paperWidth <= 0 || l.paperHeight <= 0) return;
    const QRectF paper(0, 0, l.paperWidth, l.paperHeight);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(paper, Qt::white);
    painter.setPen(QPen(QColor(Qt::black), 1.0));
    painter.drawRect(paper);
    painter.setPen(QPen(QColor(Qt::darkGray), 1.0));
    painter.drawRect(QRectF(l.leftMar, l.topMar, l.paperWidth - l.leftMar - l.riteMar,
                            l.paperHeight - l.topMar - l.botMar));
    const bool both = l.side == Run_Sides::Both;
    for (const Cell_Place &place : Cell_Places(l)) {
        const QRectF first = To_Top_Left(place.first, l.paperHeight);
        const QRectF second = To_Top_Left(place.second, l.paperHeight);
        if (!sheet.hasFront) {
            drawLabel(painter, QStringLiteral("Invalid Data"), first, place, sheet);
            drawOutline(painter, first, sheet);
            continue;
        }
        drawLabel(painter, l.side == Run_Sides::Back ? QStringLiteral("Back") : QStringLiteral("Front"), first,
                  place, sheet);
        drawOutline(painter, first, sheet);
        if (both && !l.duplex()) {
            drawLabel(painter, QStringLiteral("Back"), second, place, sheet);
            drawOutline(painter, second, sheet);
        }
    }
    painter.restore();
}

QImage Sample_Sheet_Image(const Sample_Sheet &sheet)
{
    const Page_Layout &l = sheet.layout;
    if (l.paperWidth <= 0 || l.paperHeight <= 0) return {};
    const QSizeF pixels(std::ceil(l.paperWidth), std::ceil(l.paperHeight));
    if (!Picture_Size_Allowed(pixels)) {
        Show_NSLog_Message(QStringLiteral("The sample sheet is too large to be shown: %1.").arg(Picture_Too_Large_Text(pixels)));
        return {};
    }
    QImage image(pixels.toSize(), QImage::Format_RGB32);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    QPainter painter(&image);
    Draw_Sample_Sheet(painter, sheet);
    return image;
}

Sample_Preview::Sample_Preview(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void Sample_Preview::setSheet(const Sample_Sheet &sheet)
{
    m_sheet = sheet;
    updateGeometry();
    update();
}

QImage Sample_Preview::imageRepresentation() const { return Sample_Sheet_Image(m_sheet); }

QSize Sample_Preview::sizeHint() const { return QSize(300, 424); }

void Sample_Preview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const Page_Layout &l = m_sheet.layout;
    if (l.paperWidth <= 0 || l.paperHeight <= 0) return;
    const double scale = std::min((width() - 2) / l.paperWidth, (height() - 2) / l.paperHeight);
    painter.translate((width() - l.paperWidth * scale) / 2, 1);
    painter.scale(scale, scale);
    Draw_Sample_Sheet(painter, m_sheet);
}
