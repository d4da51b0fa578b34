#include "Gate_Pass.h"

#include "Globals.h"
#include "Helpers.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

namespace {
const QColor kLightGrey(170, 170, 170);
constexpr double kCaptionColumn = 150;
constexpr double kPhotoSide = 80;

// Fonts sized so that one painter unit is one point whatever the device's resolution.
QFont passFont(const char *name, double points, const QPaintDevice *device)
{
    const int dpi = device ? device->logicalDpiY() : 72;
    QFont f = Font_With_Name(QLatin1String(name), points * 72.0 / (dpi > 0 ? dpi : 72));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

QString lines(const QString &text) { return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

// The pass's drawing. Positions are worked out as on a page whose y grows upwards from
// its bottom edge (the pen moves down the page by decreasing y); each box is turned
// into the painter's downward coordinates once, where it is drawn.
class Pass_Drawing {
public:
    Pass_Drawing(QPainter &painter, const QRectF &pageRect, const Gate_Pass_Data &data)
        : p(painter), page(pageRect), d(data),
          heading(passFont("Verdana-Bold", 12, painter.device())),
          caption(passFont("Verdana-Bold", 10, painter.device())),
          value(passFont("Verdana", 10, painter.device()))
    {
    }

    void draw()
    {
        back_line_draw = 0;
        pen = 0;
        char_height = height(value, QStringLiteral("A"));
        const QRectF R(0, 0, page.width(), page.height());
        p.save();
        p.setClipRect(page, Qt::IntersectClip);
        p.fillRect(down(R), Qt::white);
        B = QRectF(R.x() + 10, R.y() + 10, R.width() - 20, R.height() - 20);
        stroke(B, Qt::black);
        P = QRectF(B.x() + 10, B.y(), B.width() - 20, B.height());
        pen = B.height() - 20;

        row(Qt::AlignHCenter, {}, QStringLiteral("Visitor Details"), Kind::Heading, true, false, 'F');
        pen -= 15;
        const QRectF band(B.x() + 1, pen, B.width() - 2, 15);
        stroke(band, Qt::black);
        p.fillRect(down(band), kLightGrey);
        row(Qt::AlignLeft, d.front[Pass_UniqueNo].caption, d.front[Pass_UniqueNo].value, Kind::OnePiece, false, false, 'F');
        row(Qt::AlignRight, QStringLiteral("Date & Time : "), d.date_time_detail, Kind::OnePiece, true, false, 'F');
        pen -= 15;
        image_dr_botm_pt = pen - 60;
        if (!d.photo.isNull()) {
            const QRectF box(P.width() - kPhotoSide, pen - 60, kPhotoSide, kPhotoSide);
            p.drawImage(down(box), d.photo.image());
            stroke(box, Qt::black);
            image_dr_botm_pt = box.y();
        }
        static constexpr Gate_Pass_Field frontOrder[] = {Pass_Name,    Pass_CompanyName, Pass_Position, Pass_Fax,
                                                         Pass_Slogan,  Pass_Website,     Pass_Address,  Pass_Phone,
                                                         Pass_Email,   Pass_Date,        Pass_Time};
        static constexpr Gate_Pass_Field backOrder[] = {Pass_Name,    Pass_CompanyName, Pass_Position, Pass_Fax,
                                                        Pass_Slogan,  Pass_Website,     Pass_Address,  Pass_Phone,
                                                        Pass_Email,   Pass_UniqueNo,    Pass_Date,     Pass_Time};
        for (Gate_Pass_Field f : frontOrder)
            row(Qt::AlignLeft, d.front[f].caption, d.front[f].value, Kind::TwoColumns, true, false, 'F');
        for (Gate_Pass_Field f : backOrder)
            row(Qt::AlignLeft, d.back[f].caption, d.back[f].value, Kind::TwoColumns, true, false, 'B');
        if (!Trim_Str(d.other_detail_info).isEmpty()) {
            pen -= 2;
            separator();
            pen -= 15;
            row(Qt::AlignLeft, QStringLiteral("Other Details : "), d.other_detail_info, Kind::OtherDetails, true, false,
                'F');
        }
        p.restore();
    }

private:
    enum class Kind { Heading, OnePiece, TwoColumns, OtherDetails };

    // The natural height of a text (all its lines, unwrapped).
    double height(const QFont &font, const QString &text) const
    {
        const QFontMetricsF m(font, p.device());
        return m.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, lines(text)).height();
    }

    // A rectangle of the upward page as the painter's rectangle.
    QRectF down(const QRectF &up) const
    {
        return QRectF(page.x() + up.x(), page.y() + page.height() - up.y() - up.height(), up.width(), up.height());
    }

    void stroke(const QRectF &up, const QColor &colour)
    {
        p.save();
        p.setPen(QPen(colour, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(down(up));
        p.restore();
    }

    // A light grey line across the border at the pen; the pen then moves down 2.
    void separator()
    {
        const double y = page.y() + page.height() - pen;
        p.save();
        p.setPen(QPen(kLightGrey, 1));
        p.drawLine(QPointF(page.x() + B.left(), y), QPointF(page.x() + B.right(), y));
        p.restore();
        pen -= 2;
    }

    // The text in its box: wrapped inside the box's width and cut at its height.
    void text(const QRectF &up, const QFont &font, const QString &t, Qt::Alignment align)
    {
        p.save();
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(down(up), int(align | Qt::AlignTop | Qt::TextWordWrap), lines(t));
        p.restore();
    }

    void row(Qt::Alignment align, const QString &rawCaption, const QString &rawValue, Kind kind, bool shift,
             bool drawLine, char side)
    {
        const QString c = Trim_Str(rawCaption), v = Trim_Str(rawValue);
        if (c.isEmpty() && v.isEmpty()) return;
        if (side == 'B' && back_line_draw == 0) {
            // The back details start below the photo.
            if (!d.photo.isNull()) {
                while (pen > image_dr_botm_pt) pen -= 15;
                pen -= 2;
            }
            pen -= 2;
            separator();
            pen -= 15;
            ++back_line_draw;
        }
        switch (kind) {
        case Kind::Heading:
            text(QRectF(P.x(), pen, P.width(), height(heading, v)), heading, v, align);
            break;
        case Kind::TwoColumns:
        case Kind::OtherDetails: {
            text(QRectF(P.x(), pen, kCaptionColumn, height(caption, c)), caption, c, align);
            const double h = height(value, v);
            // Other details: the first line level with the caption, the rest below it.
            const double y = kind == Kind::OtherDetails ? pen - h + char_height : pen;
            text(QRectF(P.x() + kCaptionColumn, y, P.width() - kCaptionColumn, h), value, v, align);
            break;
        }
        case Kind::OnePiece:
            text(QRectF(P.x(), pen, P.width(), height(value, c + v)), value, c + v, align);
            break;
        }
        if (drawLine) {
            pen -= 2;
            separator();
            pen -= 15;
        } else if (shift) {
            pen -= 15;
        }
    }

    QPainter &p;
    const QRectF page;
    const Gate_Pass_Data &d;
    const QFont heading, caption, value;
    double pen = 0;
    QRectF B, P;
    double char_height = 0;
    double image_dr_botm_pt = 0;
    int back_line_draw = 0;  // back separators drawn in this drawing
};

class Pass_Vector : public PictureVector {
public:
    Pass_Vector(Gate_Pass_Data data, QSizeF size) : m_data(std::move(data)), m_size(size) {}
    QSizeF size() const override { return m_size; }
    void paint(QPainter &painter, const QRectF &target) const override
    {
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(target.width() / m_size.width(), target.height() / m_size.height());
        Draw_Gate_Pass(painter, QRectF(QPointF(0, 0), m_size), m_data);
        painter.restore();
    }

private:
    const Gate_Pass_Data m_data;
    const QSizeF m_size;
};
} // namespace

void Draw_Gate_Pass(QPainter &painter, const QRectF &page, const Gate_Pass_Data &data)
{
    if (page.isEmpty()) return;
    Pass_Drawing(painter, page, data).draw();
}

QRectF Gate_Pass_Page_Rect(double boxWidth, const QString &details)
{
    QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
    const int dpm = int(std::lround(72 / 0.0254));
    probe.setDotsPerMeterX(dpm);
    probe.setDotsPerMeterY(dpm);
    const QFontMetricsF m(passFont("Verdana-Bold", 12, &probe), &probe);
    const double h = m.boundingRect(QRectF(0, 0, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, lines(details)).height();
    return QRectF(0, 0, boxWidth + 100, h + 80);
}

Picture Gate_Pass_Picture(const Gate_Pass_Data &data, const QRectF &page)
{
    return Picture::fromVector(std::make_shared<Pass_Vector>(data, page.size()));
}

QImage Gate_Pass_Image(const Gate_Pass_Data &data, const QRectF &page, double dpi)
{
    const Picture picture = Gate_Pass_Picture(data, page);
    return picture.isNull() ? QImage() : picture.rasterised(dpi);
}

QByteArray Gate_Pass_PDF(const Gate_Pass_Data &data, const QRectF &page)
{
    if (page.isEmpty()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        writer.setTitle(QStringLiteral("Visitor Details"));
        const QPageSize size(page.size(), QPageSize::Point, QString(), QPageSize::ExactMatch);
        if (!writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)))) return {};
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        Draw_Gate_Pass(painter, QRectF(QPointF(0, 0), page.size()), data);
        painter.end();
    }
    return bytes;
}
