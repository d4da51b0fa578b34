#pragma once
// A paint device that keeps what is painted on it: texts with their baselines,
// rectangles, lines and pictures, at 72 dots per inch (one unit a point).
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>
#include <vector>

class RecordingDevice : public QPaintDevice {
public:
    struct Text {
        QString text;
        QPointF baseline;
        QFont font;
    };
    struct Shape {
        QRectF rect;
        QColor pen;   // invalid for no pen
        QColor fill;  // invalid for no fill
    };
    struct Line {
        QLineF line;
        QColor colour;
    };
    std::vector<Text> texts;
    std::vector<Shape> rects;
    std::vector<Line> lines;
    std::vector<QRectF> images;

    explicit RecordingDevice(QSize size) : m_size(size), m_engine(this) {}
    QPaintEngine *paintEngine() const override { return const_cast<Engine *>(&m_engine); }

    // The first text that begins with `start`, or nullptr.
    const Text *text(const QString &start) const
    {
        for (const Text &t : texts)
            if (t.text.startsWith(start)) return &t;
        return nullptr;
    }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmWidthMM: return int(m_size.width() * 25.4 / 72);
        case PdmHeightMM: return int(m_size.height() * 25.4 / 72);
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return 72;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(RecordingDevice *d) : QPaintEngine(AllFeatures), dev(d) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        Type type() const override { return User; }
        void updateState(const QPaintEngineState &s) override
        {
            if (s.state() & DirtyPen) pen = s.pen();
            if (s.state() & DirtyBrush) brush = s.brush();
            if (s.state() & DirtyFont) font = s.font();
        }
        void drawRects(const QRectF *r, int n) override
        {
            for (int i = 0; i < n; ++i)
                dev->rects.push_back({r[i], pen.style() == Qt::NoPen ? QColor() : pen.color(),
                                      brush.style() == Qt::NoBrush ? QColor() : brush.color()});
        }
        void drawRects(const QRect *r, int n) override
        {
            for (int i = 0; i < n; ++i) {
                const QRectF rf(r[i]);
                drawRects(&rf, 1);
            }
        }
        void drawLines(const QLineF *l, int n) override
        {
            for (int i = 0; i < n; ++i) dev->lines.push_back({l[i], pen.color()});
        }
        void drawTextItem(const QPointF &p, const QTextItem &ti) override { dev->texts.push_back({ti.text(), p, ti.font()}); }
        void drawPixmap(const QRectF &r, const QPixmap &, const QRectF &) override { dev->images.push_back(r); }
        void drawImage(const QRectF &r, const QImage &, const QRectF &, Qt::ImageConversionFlags) override
        {
            dev->images.push_back(r);
        }
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}

    private:
        RecordingDevice *dev;
        QPen pen;
        QBrush brush;
        QFont font;
    };
    QSize m_size;
    Engine m_engine;
};
