#include "DataMatrixSymbol.h"

#include <QImage>
#include <QLoggingCategory>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <iec16022ecc200.h>
}

DataMatrixSize DataMatrix_Size(const QString &entry)
{
    const qsizetype x = entry.indexOf(QLatin1Char('X'));
    if (entry == QLatin1String("Auto") || x < 0) return {};
    return {entry.mid(x + 1).trimmed().toInt(), entry.mid(1, x - 1).trimmed().toInt()};
}

QByteArray DataMatrix_Encodation(const QString &entry, int length)
{
    const std::pair<const char *, char> letters[] = {{"Ascii", 'A'}, {"C40", 'C'}, {"Text", 'T'}, {"Base256", 'B'}};
    for (const auto &[name, letter] : letters)
        if (entry == QLatin1String(name)) return QByteArray(length, letter);
    return {};
}

std::optional<DataMatrixGrid> Encode_DataMatrix(const QString &value, const QString &size, const QString &encodation)
{
    QByteArray bytes = value.toUtf8();
    const DataMatrixSize asked = DataMatrix_Size(size);
    const QByteArray letters = DataMatrix_Encodation(encodation, int(bytes.size()));
    int width = asked.width, height = asked.height, encoded = 0, capacity = 0, ecc = 0;
    char *letterText = letters.isEmpty() ? nullptr : strdup(letters.constData());
    unsigned char *cells = iec16022ecc200(&width, &height, &letterText, int(bytes.size()),
                                          reinterpret_cast<unsigned char *>(bytes.data()), &encoded, &capacity, &ecc);
    std::optional<DataMatrixGrid> grid;
    if (cells && width > 0 && height > 0)
        grid = DataMatrixGrid{width, height, std::vector<uint8_t>(cells, cells + size_t(width) * height)};
    else
        qWarning().nospace() << "No barcode produced: size " << width << "x" << height << ", encoded " << encoded
                             << " of " << capacity << " bytes with " << ecc << " bytes of ecc, value " << value
                             << ", encoding " << (letterText ? letterText : "");
    std::free(cells);
    std::free(letterText);
    return grid;
}

Picture Render_DataMatrix(const DataMatrixGrid &grid, int moduleSize, double dpi)
{
    if (grid.width <= 0 || grid.height <= 0 || moduleSize <= 0) return {};
    const QSizeF points(grid.width * moduleSize, grid.height * moduleSize);
    QImage image(int(std::ceil(dpi * points.width() / 72)), int(std::ceil(dpi * points.height() / 72)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const double unit = std::min(points.width() / (grid.width + 2), points.height() / (grid.height + 2));
    QPainter painter(&image);
    painter.scale(dpi / 72, dpi / 72);
    painter.translate((points.width() - unit * (grid.width + 2)) / 2 + unit,
                      (points.height() - unit * (grid.height + 2)) / 2 + unit);
    painter.scale(unit, unit);
    for (int row = 0; row < grid.height; ++row)
        for (int x = 0; x < grid.width; ++x)
            painter.fillRect(QRectF(x, grid.height - 1 - row, 1, 1), grid.dark(x, row) ? Qt::black : Qt::white);
    painter.end();
    return Picture(image, points);
}
