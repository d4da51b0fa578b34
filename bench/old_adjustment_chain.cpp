// The adjustment chain as it stood before it worked in bands at the output's size:
// kept beside the benchmark so that both are measured side by side.
#include "PictureAdjuster.h"

#include <QTransform>

#include <algorithm>
#include <array>
#include <memory>
#include <cmath>
#include <thread>
#include <vector>

namespace old_chain {
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
    unsigned char encode(float linear) const
    {
        if (!(linear > 0)) return 0;  // also a value that is not a number
        const float v = std::clamp(linear, 0.0f, 1.0f);
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

// Runs fn(firstRow, endRow) over bands of rows on several threads.
template <typename Fn>
void forRows(int height, Fn fn)
{
    const int threads = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    const int bands = std::min(threads, std::max(1, height / 64));
    if (bands <= 1) {
        fn(0, height);
        return;
    }
    std::vector<std::thread> pool;
    for (int b = 1; b < bands; ++b)
        pool.emplace_back(fn, height * b / bands, height * (b + 1) / bands);
    fn(0, height / bands);
    for (std::thread &t : pool) t.join();
}

struct Buffer {
    int w = 0, h = 0;
    // RGBA, row by row; left uninitialised so that the threads filling it first touch it.
    std::unique_ptr<float[]> px;
    Buffer(int width, int height) : w(width), h(height), px(new float[size_t(width) * height * 4]) {}
    float *at(int x, int y) { return px.get() + (size_t(y) * w + x) * 4; }
};

using Matrix = std::array<float, 9>;

Matrix sepiaMatrix() { return {0.393f, 0.769f, 0.189f, 0.349f, 0.686f, 0.168f, 0.272f, 0.534f, 0.131f}; }

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

// Grey, sepia, hue and colour controls, pixel by pixel.
void colourStages(Buffer &buf, const ImageAdjustments &s)
{
    const bool hue = s.hue != 0;
    const bool controls = s.saturation != 1 || s.brightness != 0 || s.contrast != 1;
    if (!s.grayScale && !s.sepia && !hue && !controls) return;
    const Matrix sepia = sepiaMatrix(), turn = hueMatrix(s.hue);
    const float sat = float(s.saturation), brt = float(s.brightness), con = float(s.contrast);
    forRows(buf.h, [&](int y0, int y1) {
        for (float *p = buf.at(0, y0), *end = buf.at(0, y1); p != end; p += 4) {
            if (s.grayScale) p[0] = p[1] = p[2] = luma(p);
            if (s.sepia) apply(sepia, p);
            if (hue) apply(turn, p);
            if (controls) {
                const float l = luma(p);
                for (int c = 0; c < 3; ++c) p[c] = ((l + sat * (p[c] - l)) + brt - 0.5f) * con + 0.5f;
            }
        }
    });
}

// Adds sharpness x (luminance - its 3 x 3 tent-weighted mean) to every channel.
void sharpen(Buffer &buf, float sharpness)
{
    if (sharpness == 0) return;
    std::vector<float> lum(size_t(buf.w) * buf.h);
    forRows(buf.h, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < buf.w; ++x) lum[size_t(y) * buf.w + x] = luma(buf.at(x, y));
    });
    auto L = [&](int x, int y) {
        return lum[size_t(std::clamp(y, 0, buf.h - 1)) * buf.w + std::clamp(x, 0, buf.w - 1)];
    };
    forRows(buf.h, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < buf.w; ++x) {
                const float mean = (4 * L(x, y) + 2 * (L(x - 1, y) + L(x + 1, y) + L(x, y - 1) + L(x, y + 1)) +
                                    L(x - 1, y - 1) + L(x + 1, y - 1) + L(x - 1, y + 1) + L(x + 1, y + 1)) /
                                   16;
                const float d = sharpness * (L(x, y) - mean);
                float *p = buf.at(x, y);
                for (int c = 0; c < 3; ++c) p[c] += d;
            }
    });
}

void expose(Buffer &buf, double ev)
{
    if (ev == 0) return;
    const float f = float(std::exp2(ev));
    forRows(buf.h, [&](int y0, int y1) {
        for (float *p = buf.at(0, y0), *end = buf.at(0, y1); p != end; p += 4)
            for (int c = 0; c < 3; ++c) p[c] *= f;
    });
}

// Box averages of 2r+1 samples along each row, the border repeated past the ends.
// Works on premultiplied values.
void boxAlongRows(Buffer &buf, int r)
{
    const int n = buf.w;
    const float norm = 1.0f / float(2 * r + 1);
    forRows(buf.h, [&](int y0, int y1) {
        std::vector<float> line(size_t(n) * 4);
        for (int y = y0; y < y1; ++y) {
            float *base = buf.at(0, y);
            std::copy_n(base, line.size(), line.begin());
            auto sample = [&](int i) { return &line[size_t(std::clamp(i, 0, n - 1)) * 4]; };
            float sum[4] = {};
            for (int i = -r; i <= r; ++i)
                for (int c = 0; c < 4; ++c) sum[c] += sample(i)[c];
            for (int i = 0; i < n; ++i) {
                for (int c = 0; c < 4; ++c) base[i * 4 + c] = sum[c] * norm;
                const float *out = sample(i - r), *in = sample(i + r + 1);
                for (int c = 0; c < 4; ++c) sum[c] += in[c] - out[c];
            }
        }
    });
}

// The same down each column, row by row over bands of columns so that memory is read
// in order; the result replaces the buffer.
void boxAlongColumns(Buffer &buf, int r)
{
    Buffer out(buf.w, buf.h);
    const float norm = 1.0f / float(2 * r + 1);
    const size_t rowFloats = size_t(buf.w) * 4;
    auto row = [&](int y) { return buf.px.get() + size_t(std::clamp(y, 0, buf.h - 1)) * rowFloats; };
    forRows(buf.w, [&](int x0, int x1) {
        const size_t from = size_t(x0) * 4, count = size_t(x1 - x0) * 4;
        std::vector<float> sum(count, 0.0f);
        for (int y = -r; y <= r; ++y) {
            const float *in = row(y) + from;
            for (size_t i = 0; i < count; ++i) sum[i] += in[i];
        }
        for (int y = 0; y < buf.h; ++y) {
            float *o = out.px.get() + size_t(y) * rowFloats + from;
            const float *in = row(y + r + 1) + from, *gone = row(y - r) + from;
            for (size_t i = 0; i < count; ++i) {
                o[i] = sum[i] * norm;
                sum[i] += in[i] - gone[i];
            }
        }
    });
    buf.px.swap(out.px);
}

void boxBlur(Buffer &buf, double radius)
{
    const int r = int(std::lround(std::min(radius, 1000.0)));
    if (r <= 0) return;
    forRows(buf.h, [&](int y0, int y1) {
        for (float *p = buf.at(0, y0), *end = buf.at(0, y1); p != end; p += 4)
            for (int c = 0; c < 3; ++c) p[c] *= p[3];
    });
    boxAlongRows(buf, r);
    boxAlongColumns(buf, r);
    forRows(buf.h, [&](int y0, int y1) {
        for (float *p = buf.at(0, y0), *end = buf.at(0, y1); p != end; p += 4)
            for (int c = 0; c < 3; ++c) p[c] = p[3] > 0 ? p[c] / p[3] : 0;
    });
}

Buffer decode(const QImage &source)
{
    const QImage img = source.convertToFormat(QImage::Format_RGBA8888);
    Buffer buf(img.width(), img.height());
    const auto &t = tables().decode;
    forRows(buf.h, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            const uchar *in = img.constScanLine(y);
            float *p = buf.at(0, y);
            for (int x = 0; x < buf.w * 4; x += 4) {
                for (int c = 0; c < 3; ++c) p[x + c] = t[in[x + c]];
                p[x + 3] = in[x + 3] / 255.0f;
            }
        }
    });
    return buf;
}

QImage encode(Buffer &buf)
{
    QImage img(buf.w, buf.h, QImage::Format_RGBA8888);
    const SrgbTables &t = tables();
    forRows(buf.h, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) {
            uchar *out = img.scanLine(y);
            const float *p = buf.at(0, y);
            for (int x = 0; x < buf.w * 4; x += 4) {
                for (int c = 0; c < 3; ++c) out[x + c] = t.encode(p[x + c]);
                out[x + 3] = uchar(std::lround(std::clamp(p[x + 3], 0.0f, 1.0f) * 255));
            }
        }
    });
    return img;
}

bool pixelStagesNeutral(const ImageAdjustments &s)
{
    return !s.grayScale && !s.sepia && s.hue == 0 && s.saturation == 1 && s.brightness == 0 && s.contrast == 1 &&
           s.sharpness == 0 && s.exposure == 0 && std::lround(s.blur) <= 0;
}

} // namespace

Picture imageRotatedByDegrees_On_Ctrl_Bound(const Picture &source, double degrees);

Picture Get_Processed_Image_Full_Combined(const Picture &source, const ImageAdjustments &s, bool rotateOnBox)
{
    if (source.isNull()) return {};
    const int rotation = int(std::trunc(s.rotation));
    const bool turn = rotateOnBox && rotation % 360 != 0;
    if (pixelStagesNeutral(s) && !s.flipHorizontally && !s.flipVertically && !turn) return source;

    QImage img = source.image();
    if (!pixelStagesNeutral(s)) {
        Buffer buf = decode(img);
        colourStages(buf, s);
        sharpen(buf, float(s.sharpness));
        expose(buf, s.exposure);
        boxBlur(buf, s.blur);
        img = encode(buf);
    }
    if (s.flipHorizontally || s.flipVertically) img = img.mirrored(s.flipHorizontally, s.flipVertically);
    const Picture adjusted(img, source.size());
    return turn ? imageRotatedByDegrees_On_Ctrl_Bound(adjusted, -rotation) : adjusted;
}

Picture imageRotatedByDegrees_On_Ctrl_Bound(const Picture &source, double degrees)
{
    if (source.isNull()) return {};
    // Qt's y axis points down, so its clockwise turn is a y-up counter-clockwise one.
    const QImage turned = source.image().transformed(QTransform().rotate(-degrees), Qt::SmoothTransformation);
    return Picture(turned, source.size());
}

} // namespace old_chain
