#include "AdjustmentChain.h"

#include "PoolBands.h"

#include <QThreadPool>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

constexpr float kLumaR = 0.2125f, kLumaG = 0.7154f, kLumaB = 0.0721f;

float luma(const float *p) { return kLumaR * p[0] + kLumaG * p[1] + kLumaB * p[2]; }

struct SrgbTables {
    static constexpr int kBuckets = 4096;
    std::array<float, 256> decode;
    std::array<float, 255> midpoints;  // linear values halfway between adjacent codes
    std::array<uchar, kBuckets + 1> start;  // the code of the linear value bucket / kBuckets
    SrgbTables()
    {
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            decode[i] = float(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        for (int i = 0; i < 255; ++i) midpoints[i] = (decode[i] + decode[i + 1]) / 2;
        for (int k = 0; k <= kBuckets; ++k)
            start[k] = uchar(std::upper_bound(midpoints.begin(), midpoints.end(), float(k) / kBuckets) - midpoints.begin());
    }
    // The nearest code: the bucket's first code, then up past the midpoints below.
    uchar encode(float linear) const
    {
        if (!(linear > 0)) return 0;  // also a value that is not a number
        const float v = std::min(linear, 1.0f);
        int code = start[int(v * kBuckets)];
        while (code < 255 && midpoints[code] <= linear) ++code;
        return uchar(code);
    }
};

const SrgbTables &tables()
{
    static const SrgbTables t;
    return t;
}

double inRange(double v, const AdjustmentRange &r) { return std::isnan(v) ? r.neutral : std::clamp(v, r.low, r.high); }

using Matrix = std::array<float, 9>;

constexpr Matrix kSepia{0.393f, 0.769f, 0.189f, 0.349f, 0.686f, 0.168f, 0.272f, 0.534f, 0.131f};

// Turn about the grey axis keeping luminance.
Matrix hueMatrix(double angle)
{
    const float c = float(std::cos(angle)), s = float(std::sin(angle));
    return {kLumaR + c * (1 - kLumaR) - s * kLumaR, kLumaG - c * kLumaG - s * kLumaG, kLumaB - c * kLumaB + s * (1 - kLumaB),
            kLumaR - c * kLumaR + s * 0.143f, kLumaG + c * (1 - kLumaG) + s * 0.140f, kLumaB - c * kLumaB - s * 0.283f,
            kLumaR - c * kLumaR - s * (1 - kLumaR), kLumaG - c * kLumaG + s * kLumaG, kLumaB + c * (1 - kLumaB) + s * kLumaB};
}

void apply(const Matrix &m, float *p)
{
    const float r = p[0], g = p[1], b = p[2];
    p[0] = m[0] * r + m[1] * g + m[2] * b;
    p[1] = m[3] * r + m[4] * g + m[5] * b;
    p[2] = m[6] * r + m[7] * g + m[8] * b;
}

bool pixelStagesNeutral(const ImageAdjustments &s)
{
    return !s.grayScale && !s.sepia && s.hue == 0 && s.saturation == 1 && s.brightness == 0 && s.contrast == 1 &&
           s.sharpness == 0 && s.exposure == 0 && std::lround(s.blur) <= 0;
}

// One source row as 8-bit RGBA (unpremultiplied).
void readRow(const QImage &img, int y, uchar *rgba)
{
    const int w = img.width();
    switch (img.format()) {
    case QImage::Format_RGBA8888:
        std::copy_n(img.constScanLine(y), size_t(w) * 4, rgba);
        return;
    case QImage::Format_ARGB32:
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32_Premultiplied: {
        const QRgb *in = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        const bool premultiplied = img.format() == QImage::Format_ARGB32_Premultiplied;
        const bool opaque = img.format() == QImage::Format_RGB32;
        for (int x = 0; x < w; ++x) {
            const QRgb c = premultiplied ? qUnpremultiply(in[x]) : in[x];
            uchar *o = rgba + x * 4;
            o[0] = uchar(qRed(c)), o[1] = uchar(qGreen(c)), o[2] = uchar(qBlue(c)), o[3] = opaque ? 255 : uchar(qAlpha(c));
        }
        return;
    }
    case QImage::Format_Grayscale8: {
        const uchar *in = img.constScanLine(y);
        for (int x = 0; x < w; ++x) rgba[x * 4] = rgba[x * 4 + 1] = rgba[x * 4 + 2] = in[x], rgba[x * 4 + 3] = 255;
        return;
    }
    default: {
        const QImage row = img.copy(0, y, w, 1).convertToFormat(QImage::Format_RGBA8888);
        std::copy_n(row.constScanLine(0), size_t(w) * 4, rgba);
    }
    }
}

// What the pixel stages of one call need, the same for every band.
struct Stages {
    const QImage *source = nullptr;
    int outW = 0, outH = 0;
    bool scaled = false;
    std::vector<int> xEdges;  // source columns [xEdges[x], xEdges[x + 1]) make column x
    ImageAdjustments s;
    bool colour = false, hue = false, controls = false;
    Matrix turn{};
    float sharpness = 0, exposure = 1;
    int rx = 0, ry = 0;
    uchar *outBits = nullptr;  // taken once: the bands write disjoint rows
    qsizetype outStride = 0;
    bool flipH = false, flipV = false;

    int sourceRowsStart(int y) const { return int(qint64(y) * source->height() / outH); }

    // Row y of the stage input: the source row (or the average of the source block
    // that makes it), linear, through the colour stages.
    void colourRow(int y, float *row, std::vector<uchar> &raw, std::vector<float> &sum) const
    {
        const auto &decode = tables().decode;
        if (!scaled) {
            readRow(*source, y, raw.data());
            for (int i = 0; i < outW * 4; i += 4) {
                for (int c = 0; c < 3; ++c) row[i + c] = decode[raw[size_t(i + c)]];
                row[i + 3] = raw[size_t(i + 3)] / 255.0f;
            }
        } else {
            // Area average of premultiplied linear values.
            std::fill(sum.begin(), sum.end(), 0.0f);
            const int y0 = sourceRowsStart(y), y1 = std::max(y0 + 1, sourceRowsStart(y + 1));
            for (int sy = y0; sy < y1; ++sy) {
                readRow(*source, sy, raw.data());
                for (int x = 0; x < outW; ++x) {
                    float *acc = &sum[size_t(x) * 4];
                    for (int sx = xEdges[size_t(x)]; sx < xEdges[size_t(x) + 1]; ++sx) {
                        const uchar *p = &raw[size_t(sx) * 4];
                        const float a = p[3] / 255.0f;
                        acc[0] += decode[p[0]] * a, acc[1] += decode[p[1]] * a, acc[2] += decode[p[2]] * a, acc[3] += a;
                    }
                }
            }
            for (int x = 0; x < outW; ++x) {
                const float *acc = &sum[size_t(x) * 4];
                float *p = row + x * 4;
                const float n = float(y1 - y0) * float(xEdges[size_t(x) + 1] - xEdges[size_t(x)]);
                p[3] = acc[3] / n;
                for (int c = 0; c < 3; ++c) p[c] = acc[3] > 0 ? acc[c] / acc[3] : 0;
            }
        }
        if (!s.grayScale && !s.sepia && !hue && !controls) return;
        const float sat = float(s.saturation), brt = float(s.brightness), con = float(s.contrast);
        for (float *p = row, *end = row + outW * 4; p != end; p += 4) {
            if (s.grayScale) p[0] = p[1] = p[2] = luma(p);
            if (s.sepia) apply(kSepia, p);
            if (hue) apply(turn, p);
            if (controls) {
                const float l = luma(p);
                for (int c = 0; c < 3; ++c) p[c] = ((l + sat * (p[c] - l)) + brt - 0.5f) * con + 0.5f;
            }
        }
    }

    // Rows [y0, y1) of the result, streamed: colour rows (three kept for the
    // sharpening), then sharpened, exposed and blurred along the row (2 ry + 2 kept
    // for the blur down the columns), then blurred down and encoded.
    void band(int y0, int y1) const
    {
        const int H = outH, W = outW;
        const size_t rowFloats = size_t(W) * 4;
        auto clampY = [H](int y) { return std::clamp(y, 0, H - 1); };
        std::vector<uchar> raw(size_t(source->width()) * 4);
        std::vector<float> sum(scaled ? rowFloats : 0);
        std::vector<float> colourRing(3 * rowFloats), lumRing(sharpness != 0 ? 3 * size_t(W) : 0);
        const int ringRows = 2 * ry + 2;
        std::vector<float> ring(size_t(ringRows) * rowFloats), line(rx > 0 ? rowFloats : 0);
        const bool blur = rx > 0 || ry > 0;

        int nextColour = clampY(y0 - ry - 1);
        auto colourAt = [&](int y) { return &colourRing[size_t(y % 3) * rowFloats]; };
        auto lumAt = [&](int y) { return &lumRing[size_t(y % 3) * W]; };
        auto makeColourUpTo = [&](int y) {
            for (; nextColour <= y; ++nextColour) {
                float *row = colourAt(nextColour);
                colourRow(nextColour, row, raw, sum);
                if (sharpness != 0)
                    for (int x = 0; x < W; ++x) lumAt(nextColour)[x] = luma(row + x * 4);
            }
        };
        int nextRow = clampY(y0 - ry);
        auto rowAt = [&](int y) { return &ring[size_t(y % ringRows) * rowFloats]; };
        auto makeRowsUpTo = [&](int y) {
            for (; nextRow <= y; ++nextRow) {
                makeColourUpTo(clampY(nextRow + 1));
                float *o = rowAt(nextRow);
                std::copy_n(colourAt(nextRow), rowFloats, o);
                if (sharpness != 0) {
                    const float *up = lumAt(clampY(nextRow - 1)), *mid = lumAt(nextRow), *down = lumAt(clampY(nextRow + 1));
                    for (int x = 0; x < W; ++x) {
                        const int l = std::max(x - 1, 0), r = std::min(x + 1, W - 1);
                        const float mean = (4 * mid[x] + 2 * (mid[l] + mid[r] + up[x] + down[x]) + up[l] + up[r] + down[l] +
                                            down[r]) / 16;
                        const float d = sharpness * (mid[x] - mean);
                        for (int c = 0; c < 3; ++c) o[x * 4 + c] += d;
                    }
                }
                if (exposure != 1)
                    for (size_t i = 0; i < rowFloats; i += 4)
                        for (int c = 0; c < 3; ++c) o[i + c] *= exposure;
                if (!blur) continue;
                for (size_t i = 0; i < rowFloats; i += 4)
                    for (int c = 0; c < 3; ++c) o[i + c] *= o[i + 3];
                if (rx == 0) continue;
                // Box average of 2 rx + 1 samples along the row, the border repeated.
                std::copy_n(o, rowFloats, line.begin());
                auto sample = [&](int i) { return &line[size_t(std::clamp(i, 0, W - 1)) * 4]; };
                float acc[4] = {};
                for (int i = -rx; i <= rx; ++i)
                    for (int c = 0; c < 4; ++c) acc[c] += sample(i)[c];
                const float norm = 1.0f / float(2 * rx + 1);
                for (int i = 0; i < W; ++i) {
                    for (int c = 0; c < 4; ++c) o[i * 4 + c] = acc[c] * norm;
                    const float *gone = sample(i - rx), *in = sample(i + rx + 1);
                    for (int c = 0; c < 4; ++c) acc[c] += in[c] - gone[c];
                }
            }
        };

        const SrgbTables &t = tables();
        auto write = [&](int y, const float *p, float norm) {
            QRgb *outRow = reinterpret_cast<QRgb *>(outBits + outStride * (flipV ? H - 1 - y : y));
            for (int x = 0; x < W; ++x, p += 4) {
                float a = p[3] * norm, rgb[3] = {p[0] * norm, p[1] * norm, p[2] * norm};
                if (blur)
                    for (float &c : rgb) c = a > 0 ? c / a : 0;
                outRow[flipH ? W - 1 - x : x] = qRgba(t.encode(rgb[0]), t.encode(rgb[1]), t.encode(rgb[2]),
                                                      int(std::clamp(a, 0.0f, 1.0f) * 255 + 0.5f));
            }
        };
        if (ry == 0) {
            for (int y = y0; y < y1; ++y) {
                makeRowsUpTo(y);
                write(y, rowAt(y), 1);
            }
            return;
        }
        // Box average of 2 ry + 1 rows down each column, the border repeated. The
        // running sums are kept in fixed point, which adds and takes away exactly, so
        // a row's sum does not depend on where its band began.
        constexpr float kFixed = 1 << 20;
        std::vector<int64_t> column(rowFloats, 0);
        auto add = [&](const float *r, int64_t sign) {
            for (size_t k = 0; k < rowFloats; ++k) column[k] += sign * int64_t(r[k] * kFixed);
        };
        makeRowsUpTo(clampY(y0 + ry));
        for (int i = -ry; i <= ry; ++i) add(rowAt(clampY(y0 + i)), 1);
        std::vector<float> mean(rowFloats);
        const float norm = 1.0f / (float(2 * ry + 1) * kFixed);
        for (int y = y0; y < y1; ++y) {
            for (size_t k = 0; k < rowFloats; ++k) mean[k] = float(column[k]) * norm;
            write(y, mean.data(), 1);
            if (y + 1 == y1) break;
            makeRowsUpTo(clampY(y + ry + 1));
            add(rowAt(clampY(y + ry + 1)), 1);
            add(rowAt(clampY(y - ry)), -1);
        }
    }
};

int bandsFor(qint64 pixels, int rows, QThreadPool *pool)
{
    if (!pool || pixels < kBandedPixels) return 1;
    return std::clamp(rows / 16, 1, pool->maxThreadCount() + 1);
}

// The pixel stages (and flips) at outW x outH pixels.
QImage pixelStages(const QImage &source, const ImageAdjustments &s, int outW, int outH, QThreadPool *pool)
{
    Stages st;
    st.source = &source;
    st.outW = outW;
    st.outH = outH;
    st.scaled = outW != source.width() || outH != source.height();
    if (st.scaled) {
        st.xEdges.resize(size_t(outW) + 1);
        for (int x = 0; x <= outW; ++x) st.xEdges[size_t(x)] = int(qint64(x) * source.width() / outW);
        for (int x = 0; x < outW; ++x) st.xEdges[size_t(x) + 1] = std::max(st.xEdges[size_t(x) + 1], st.xEdges[size_t(x)] + 1);
    }
    st.s = s;
    st.hue = s.hue != 0;
    st.turn = hueMatrix(s.hue);
    st.controls = s.saturation != 1 || s.brightness != 0 || s.contrast != 1;
    st.sharpness = float(s.sharpness);
    st.exposure = s.exposure == 0 ? 1.0f : float(std::exp2(s.exposure));
    // The blur radius counts pixels of the source; it shrinks with the picture.
    st.rx = int(std::lround(s.blur * outW / source.width()));
    st.ry = int(std::lround(s.blur * outH / source.height()));
    st.flipH = s.flipHorizontally;
    st.flipV = s.flipVertically;
    QImage out(outW, outH, QImage::Format_ARGB32);
    st.outBits = out.bits();
    st.outStride = out.bytesPerLine();
    const int bands = bandsFor(qint64(outW) * outH, outH, pool);
    Run_In_Bands(bands, pool, [&](int b) { st.band(outH * b / bands, outH * (b + 1) / bands); });
    return out;
}

// Whole pixels of a turned or squeezed length, forgiving the rounding of cos and sin.
int pixelsOf(double length) { return std::max(1, int(std::ceil(length - 1e-6))); }

QSizeF turnedBox(QSizeF size, double degrees)
{
    const double a = degrees * std::numbers::pi / 180, c = std::abs(std::cos(a)), s = std::abs(std::sin(a));
    return {size.width() * c + size.height() * s, size.width() * s + size.height() * c};
}

// The image turned clockwise on the screen by `degrees` about its centre, its turned
// bounding box squeezed into a canvas of `canvas` pixels. Each canvas pixel samples the
// source bilinearly (premultiplied, transparent outside it), so bands of rows give the
// same pixels as one pass.
QImage turned(const QImage &source, double degrees, QSize canvas, QThreadPool *pool)
{
    const bool straight = source.format() == QImage::Format_ARGB32;  // the pixel stages' result
    const QImage img = straight || source.format() == QImage::Format_ARGB32_Premultiplied
                           ? source
                           : source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QSizeF box = turnedBox(img.size(), degrees);
    QTransform t;
    t.scale(canvas.width() / box.width(), canvas.height() / box.height());
    t.translate(box.width() / 2, box.height() / 2);
    t.rotate(degrees);
    t.translate(-img.width() / 2.0, -img.height() / 2.0);
    const QTransform back = t.inverted();
    QImage out(canvas, QImage::Format_ARGB32_Premultiplied);
    uchar *bits = out.bits();  // taken once: the bands write disjoint rows
    const qsizetype stride = out.bytesPerLine();
    const int w = img.width(), h = img.height();
    const uchar *pixels = img.constBits();
    const qsizetype sourceStride = img.bytesPerLine();
    auto at = [&](int x, int y) -> QRgb {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0;
        const QRgb c = reinterpret_cast<const QRgb *>(pixels + sourceStride * y)[x];
        return straight ? qPremultiply(c) : c;
    };
    const int bands = bandsFor(qint64(canvas.width()) * canvas.height(), canvas.height(), pool);
    Run_In_Bands(bands, pool, [&](int b) {
        for (int y = canvas.height() * b / bands, y1 = canvas.height() * (b + 1) / bands; y < y1; ++y) {
            QRgb *row = reinterpret_cast<QRgb *>(bits + stride * y);
            // The source point of the row's first pixel centre, and its step per pixel.
            const QPointF first = back.map(QPointF(0.5, y + 0.5)) - QPointF(0.5, 0.5);
            const double du = back.m11(), dv = back.m12();
            for (int x = 0; x < canvas.width(); ++x) {
                const double u = first.x() + du * x, v = first.y() + dv * x;
                const double fx = std::floor(u), fy = std::floor(v);
                if (fx < -1 || fy < -1 || fx >= w || fy >= h) {
                    row[x] = 0;
                    continue;
                }
                const int x0 = int(fx), y0 = int(fy);
                // Weights in 256ths.
                const uint ax = uint((u - fx) * 256), ay = uint((v - fy) * 256);
                const QRgb c00 = at(x0, y0), c10 = at(x0 + 1, y0), c01 = at(x0, y0 + 1), c11 = at(x0 + 1, y0 + 1);
                uint result = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    const uint top = ((c00 >> shift) & 0xff) * (256 - ax) + ((c10 >> shift) & 0xff) * ax;
                    const uint bottom = ((c01 >> shift) & 0xff) * (256 - ax) + ((c11 >> shift) & 0xff) * ax;
                    result |= ((top * (256 - ay) + bottom * ay + 32768) >> 16) << shift;
                }
                row[x] = result;
            }
        }
    });
    return out;
}

} // namespace

ImageAdjustments Adjustments_In_Range(const ImageAdjustments &in)
{
    ImageAdjustments s = in;
    s.hue = inRange(s.hue, kHueRange);
    s.saturation = inRange(s.saturation, kSaturationRange);
    s.brightness = inRange(s.brightness, kBrightnessRange);
    s.contrast = inRange(s.contrast, kContrastRange);
    s.sharpness = inRange(s.sharpness, kSharpnessRange);
    s.exposure = inRange(s.exposure, kExposureRange);
    s.blur = inRange(s.blur, kBlurRange);
    s.rotation = inRange(s.rotation, kRotationRange);
    return s;
}

Picture Get_Processed_Image_Full_Combined(const Picture &source, const ImageAdjustments &settings, bool rotateOnBox,
                                         QSize pixelSize, QThreadPool *pool)
{
    if (source.isNull()) return {};
    const ImageAdjustments s = Adjustments_In_Range(settings);
    const int rotation = int(std::trunc(s.rotation));
    const bool turn = rotateOnBox && rotation % 360 != 0;
    const QImage &img = source.image();
    const QSize own = img.size();
    if (own.isEmpty()) return source;
    const bool limited = pixelSize.width() > 0 && pixelSize.height() > 0;

    // The pixels the stages work at, and the turned canvas.
    QSize work = own, canvas;
    if (turn) {
        const QSizeF box = turnedBox(QSizeF(own), rotation);
        canvas = QSize(pixelsOf(box.width()), pixelsOf(box.height()));
        if (limited) {
            canvas = canvas.boundedTo(pixelSize);
            // Enough pixels for the denser side of the squeezed canvas.
            const double k = std::min(1.0, std::max(canvas.width() / box.width(), canvas.height() / box.height()));
            if (k < 1) work = QSize(std::max(1, int(std::lround(own.width() * k))), std::max(1, int(std::lround(own.height() * k))));
        }
    } else if (limited) {
        work = own.boundedTo(pixelSize);
    }
    const bool flips = s.flipHorizontally || s.flipVertically;
    if (pixelStagesNeutral(s) && !flips && !turn && work == own) return source;

    QImage adjusted;
    if (pixelStagesNeutral(s) && work == own)
        adjusted = img.mirrored(s.flipHorizontally, s.flipVertically);
    else
        adjusted = pixelStages(img, s, work.width(), work.height(), pool);
    if (turn) adjusted = turned(adjusted, rotation, canvas, pool);
    return Picture(adjusted, source.size());
}

Picture imageRotatedByDegrees_On_Ctrl_Bound(const Picture &source, double degrees)
{
    if (source.isNull() || source.image().isNull()) return source;
    const QImage &img = source.image();
    // Qt's y axis points down, so a y-up counter-clockwise turn is a clockwise one here.
    const QSizeF box = turnedBox(QSizeF(img.size()), degrees);
    return Picture(turned(img, -degrees, QSize(pixelsOf(box.width()), pixelsOf(box.height())), nullptr), source.size());
}

Picture Set_Dimaension(Picture picture)
{
    const float w = float(picture.size().width()), h = float(picture.size().height());
    if (w > 724 || h > 468) picture.setSize(QSizeF(std::min(w, 724.0f), std::min(h, 468.0f)));
    return picture;
}
