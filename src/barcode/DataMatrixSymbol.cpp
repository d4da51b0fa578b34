#include "DataMatrixSymbol.h"

#include <QImage>
#include <QLoggingCategory>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kLongestValue = 3116;     // digit pairs filling the largest symbol
constexpr double kMostPixels = 100e6;

bool validUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const uint8_t *>(bytes.constData()), *end = p + bytes.size();
    while (p < end) {
        const uint8_t b = *p++;
        if (b < 0x80) continue;
        int more;
        uint32_t c;
        if (b >= 0xC2 && b <= 0xDF) more = 1, c = b & 0x1F;
        else if (b >= 0xE0 && b <= 0xEF) more = 2, c = b & 0x0F;
        else if (b >= 0xF0 && b <= 0xF4) more = 3, c = b & 0x07;
        else return false;
        if (end - p < more) return false;
        for (int k = 0; k < more; ++k, ++p) {
            if ((*p & 0xC0) != 0x80) return false;
            c = (c << 6) | (*p & 0x3F);
        }
        if ((more == 2 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) || (more == 3 && (c < 0x10000 || c > 0x10FFFF)))
            return false;
    }
    return true;
}

bool hasNonAscii(const QByteArray &bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return uint8_t(c) >= 0x80; });
}

const char *const kEncodationEntries[] = {"Auto", "Ascii", "C40", "Text", "Base256"};

} // namespace

std::optional<DataMatrixSize> DataMatrix_Size_From_Entry(const QString &entry)
{
    const qsizetype x = entry.indexOf(QLatin1Char('X'));
    if (entry == QLatin1String("Auto") || x < 0) return DataMatrixSize::Auto;
    const int rows = entry.mid(1, x - 1).trimmed().toInt(), columns = entry.mid(x + 1).trimmed().toInt();
    for (int i = 1; i <= kDataMatrixSizes; ++i) {
        const DataMatrixShape &shape = DataMatrix_Shape(DataMatrixSize(i));
        if (shape.rows == rows && shape.columns == columns) return DataMatrixSize(i);
    }
    return std::nullopt;
}

QString DataMatrix_Size_Entry(DataMatrixSize size)
{
    if (size == DataMatrixSize::Auto) return QStringLiteral("Auto");
    const DataMatrixShape &shape = DataMatrix_Shape(size);
    return QStringLiteral("C%1X%2").arg(shape.rows).arg(shape.columns);
}

DataMatrixEncodation DataMatrix_Encodation_From_Entry(const QString &entry)
{
    for (int i = 0; i < int(std::size(kEncodationEntries)); ++i)
        if (entry == QLatin1String(kEncodationEntries[i])) return DataMatrixEncodation(i);
    return DataMatrixEncodation::Auto;
}

std::optional<DataMatrixCodewords> DataMatrix_Codewords(const QByteArray &bytes, DataMatrixSize size,
                                                        DataMatrixEncodation encodation, QString *failure,
                                                        DataMatrixSize *largestTried)
{
    const auto fail = [&](const QString &why) {
        if (failure) *failure = why;
        return std::nullopt;
    };
    if (bytes.isEmpty()) return fail(QStringLiteral("empty value"));
    const bool eci = hasNonAscii(bytes);
    if (eci && !validUtf8(bytes)) return fail(QStringLiteral("the value is not UTF-8"));
    const int first = size == DataMatrixSize::Auto ? 1 : int(size);
    const int last = size == DataMatrixSize::Auto ? int(DataMatrixSize::C144X144) : int(size);
    // What the value needs against what the chosen size (with Auto the largest) holds.
    const auto tooLong = [&](const QString &needed) {
        const DataMatrixShape &shape = DataMatrix_Shape(DataMatrixSize(last));
        if (largestTried) *largestTried = DataMatrixSize(last);
        return fail(QStringLiteral("the value needs %1 codewords, %2 holds %3 with %4 codewords of ecc")
                        .arg(needed,
                             size == DataMatrixSize::Auto ? QStringLiteral("the largest size")
                                                          : QStringLiteral("the size"))
                        .arg(shape.dataCodewords)
                        .arg(shape.checkCodewords));
    };
    if (bytes.size() > kLongestValue)
        return tooLong(QStringLiteral("more than %1").arg(DataMatrix_Shape(DataMatrixSize::C144X144).dataCodewords));
    const std::vector<DataMatrixData> ways = DataMatrix_Encodations(bytes, encodation, eci);
    for (int s = first; s <= last; ++s) {
        const DataMatrixShape &shape = DataMatrix_Shape(DataMatrixSize(s));
        for (const DataMatrixData &way : ways) {
            if (auto data = DataMatrix_Fill(way, shape.dataCodewords)) {
                std::vector<uint8_t> symbol = DataMatrix_Interleave(shape, *data);
                return DataMatrixCodewords{DataMatrixSize(s), std::move(*data), std::move(symbol)};
            }
        }
    }
    if (ways.empty()) return fail(QStringLiteral("the value cannot be written in that encodation"));
    size_t needed = SIZE_MAX;
    for (const DataMatrixData &way : ways) needed = std::min(needed, way.codewords.size());
    return tooLong(QString::number(needed));
}

std::optional<DataMatrixGrid> Encode_DataMatrix(const QByteArray &bytes, DataMatrixSize size,
                                                DataMatrixEncodation encodation, QString *failure,
                                                DataMatrixSize *largestTried)
{
    const auto codewords = DataMatrix_Codewords(bytes, size, encodation, failure, largestTried);
    if (!codewords) return std::nullopt;
    return DataMatrix_Place(DataMatrix_Shape(codewords->size), codewords->symbol);
}

std::optional<DataMatrixGrid> Encode_DataMatrix(const QString &value, const QString &size, const QString &encodation)
{
    const std::optional<DataMatrixSize> asked = DataMatrix_Size_From_Entry(size);
    QString failure = QStringLiteral("no symbol of that size");
    std::optional<DataMatrixGrid> grid;
    DataMatrixSize tried = DataMatrixSize::Auto;
    if (asked)
        grid = Encode_DataMatrix(value.toUtf8(), *asked, DataMatrix_Encodation_From_Entry(encodation), &failure, &tried);
    if (!grid) {
        // The size as width x height: the chosen size, the entry's numbers when no size
        // has them; for "Auto" the largest size tried, and no size line when none was.
        QString sizeLine;
        if (!asked) {
            const qsizetype x = size.indexOf(QLatin1Char('X'));
            sizeLine = QStringLiteral("%1x%2").arg(size.mid(x + 1).trimmed().toInt()).arg(size.mid(1, x - 1).trimmed().toInt());
        } else if (const DataMatrixSize shown = *asked == DataMatrixSize::Auto ? tried : *asked;
                   shown != DataMatrixSize::Auto) {
            sizeLine = QStringLiteral("%1x%2").arg(DataMatrix_Shape(shown).columns).arg(DataMatrix_Shape(shown).rows);
        }
        qWarning().noquote().nospace() << "No barcode produced"
                                       << (sizeLine.isEmpty() ? QString() : QStringLiteral("\nSize    : ") + sizeLine)
                                       << "\nEncoded : " << failure << "\nBarcode : " << value
                                       << "\nEncoding: " << encodation;
    }
    return grid;
}

Picture Render_DataMatrix(const DataMatrixGrid &grid, double moduleSize, double dpi)
{
    if (grid.width <= 0 || grid.height <= 0 || grid.cells.size() != size_t(grid.width) * grid.height) return {};
    if (!std::isfinite(moduleSize) || !std::isfinite(dpi) || moduleSize <= 0 || dpi <= 0) return {};
    const QSizeF points(grid.width * moduleSize, grid.height * moduleSize);
    const double pixelsWide = std::ceil(dpi * points.width() / 72), pixelsHigh = std::ceil(dpi * points.height() / 72);
    if (!(pixelsWide * pixelsHigh <= kMostPixels)) return {};  // NaN too
    QImage image(int(pixelsWide), int(pixelsHigh), QImage::Format_ARGB32);
    if (image.isNull()) return {};
    image.fill(Qt::transparent);
    // The symbol with its border, W + 2 by H + 2 units of `unit` pixels, centred; each
    // module edge rounded once to a pixel edge.
    const double scale = dpi / 72;
    const double unit = std::min(points.width() / (grid.width + 2), points.height() / (grid.height + 2)) * scale;
    const double left = (pixelsWide - unit * (grid.width + 2)) / 2 + unit;
    const double top = (pixelsHigh - unit * (grid.height + 2)) / 2 + unit;
    std::vector<int> xs(size_t(grid.width) + 1), ys(size_t(grid.height) + 1);
    for (int k = 0; k <= grid.width; ++k) xs[size_t(k)] = std::clamp(int(std::lround(left + k * unit)), 0, image.width());
    for (int k = 0; k <= grid.height; ++k) ys[size_t(k)] = std::clamp(int(std::lround(top + k * unit)), 0, image.height());
    for (int r = 0; r < grid.height; ++r) {  // r counts from the top; row 0 is at the bottom
        for (int y = ys[size_t(r)]; y < ys[size_t(r) + 1]; ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < grid.width; ++x) {
                const QRgb colour = grid.dark(x, grid.height - 1 - r) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
                std::fill(line + xs[size_t(x)], line + xs[size_t(x) + 1], colour);
            }
        }
    }
    return Picture(image, points);
}
