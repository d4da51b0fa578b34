#pragma once
// Independent barcode readers that check the symbols drawn by the barcode library:
// zbar and ZXing-C++ linked in when found (HAVE_ZBAR, HAVE_ZXING), dmtxread run as a
// program. Each reads a grey picture that already carries its quiet zone.
#include "TestSupport.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>
#include <string>
#include <vector>
#ifdef HAVE_ZBAR
#include <zbar.h>
#endif
#ifdef HAVE_ZXING
#include <ZXing/ReadBarcode.h>
#endif

namespace readers {

// The picture in grey levels on white, with a quiet zone of that many pixels all round.
inline QImage Grey_Page(const QImage &picture, int quiet)
{
    QImage page(picture.width() + 2 * quiet, picture.height() + 2 * quiet, QImage::Format_Grayscale8);
    page.fill(Qt::white);
    QPainter(&page).drawImage(quiet, quiet, picture);
    return page;
}

// A module matrix (dark(x, y) true for a dark module) at `scale` pixels a module with a
// light quiet zone of `quiet` modules.
template <class Dark> QImage Module_Page(int width, int height, int scale, int quiet, Dark dark)
{
    QImage page((width + 2 * quiet) * scale, (height + 2 * quiet) * scale, QImage::Format_Grayscale8);
    page.fill(255);
    for (int y = 0; y < height * scale; ++y) {
        uchar *line = page.scanLine(y + quiet * scale);
        for (int x = 0; x < width * scale; ++x)
            if (dark(x / scale, y / scale)) line[x + quiet * scale] = 0;
    }
    return page;
}

#ifdef HAVE_ZBAR
// The first symbol zbar finds: of the one type when given, else of its default types with
// UPC-A and UPC-E added. "" when it reads none.
inline std::string Zbar_Read(const QImage &grey, zbar::zbar_symbol_type_t only = zbar::ZBAR_NONE)
{
    zbar::zbar_image_scanner_t *scanner = zbar::zbar_image_scanner_create();
    if (only != zbar::ZBAR_NONE) {
        zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_NONE, zbar::ZBAR_CFG_ENABLE, 0);
        zbar::zbar_image_scanner_set_config(scanner, only, zbar::ZBAR_CFG_ENABLE, 1);
    } else {
        zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_UPCA, zbar::ZBAR_CFG_ENABLE, 1);
        zbar::zbar_image_scanner_set_config(scanner, zbar::ZBAR_UPCE, zbar::ZBAR_CFG_ENABLE, 1);
    }
    std::vector<unsigned char> pixels;
    for (int y = 0; y < grey.height(); ++y)
        pixels.insert(pixels.end(), grey.constScanLine(y), grey.constScanLine(y) + grey.width());
    zbar::zbar_image_t *image = zbar::zbar_image_create();
    zbar::zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
    zbar::zbar_image_set_size(image, unsigned(grey.width()), unsigned(grey.height()));
    zbar::zbar_image_set_data(image, pixels.data(), pixels.size(), nullptr);
    std::string text;
    if (zbar::zbar_scan_image(scanner, image) > 0) {
        const zbar::zbar_symbol_t *symbol = zbar::zbar_image_first_symbol(image);
        text.assign(zbar::zbar_symbol_get_data(symbol), zbar::zbar_symbol_get_data_length(symbol));
    }
    zbar::zbar_image_destroy(image);
    zbar::zbar_image_scanner_destroy(scanner);
    return text;
}
#endif

#ifdef HAVE_ZXING
struct Zxing_Options {
    bool code39Extended = false;
    bool codabarStartEnd = true;
};

// The symbol ZXing-C++ reads in the formats; "" when it reads none.
inline std::string Zxing_Read(const QImage &grey, ZXing::BarcodeFormats formats, Zxing_Options options = {})
{
    ZXing::DecodeHints hints;
    hints.setFormats(formats);
    hints.setTryCode39ExtendedMode(options.code39Extended);
    hints.setReturnCodabarStartEnd(options.codabarStartEnd);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    return result.isValid() ? result.text() : std::string();
}
#endif

inline bool Have_Zbar()
{
#ifdef HAVE_ZBAR
    return true;
#else
    return false;
#endif
}

inline bool Have_Zxing()
{
#ifdef HAVE_ZXING
    return true;
#else
    return false;
#endif
}

// The bytes ZXing-C++ reads from a Data Matrix picture (ECI designators applied, not
// shown); none when it reads none or is not linked in.
inline std::optional<QByteArray> Zxing_Read_Data_Matrix([[maybe_unused]] const QImage &grey)
{
#ifdef HAVE_ZXING
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::DataMatrix);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) return std::nullopt;
    const ZXing::ByteArray &bytes = result.bytes();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
#else
    return std::nullopt;
#endif
}

inline bool Have_Dmtxread() { return !QStandardPaths::findExecutable(QStringLiteral("dmtxread")).isEmpty(); }

// What dmtxread prints for the picture (ECI 26 shows as a leading 0x1A byte); none when
// it reads nothing or is not installed.
inline std::optional<QByteArray> Dmtx_Read(const QImage &grey)
{
    const QString reader = QStandardPaths::findExecutable(QStringLiteral("dmtxread"));
    QTemporaryDir dir;
    if (reader.isEmpty() || !grey.save(dir.filePath(QStringLiteral("symbol.png")))) return std::nullopt;
    QProcess read;
    read.start(reader, {QStringLiteral("-N1"), QStringLiteral("-m"), QStringLiteral("20000"),
                        dir.filePath(QStringLiteral("symbol.png"))});
    if (!testsupport::checkerFinished(read) || read.exitCode() != 0) return std::nullopt;
    return read.readAllStandardOutput();
}

} // namespace readers
