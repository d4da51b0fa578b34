#pragma once
// Data Matrix symbols read back by independent readers: ZXing-C++ in the process,
// libdmtx's dmtxread as a program. Each reader answers none when it is missing.
#include "DataMatrixSymbol.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>
#ifdef HAVE_ZXING
#include <ZXing/ReadBarcode.h>
#endif

namespace dmtest {

// The picture on white with a quiet zone of `margin` pixels, in grey levels.
inline QImage onWhite(const QImage &picture, int margin)
{
    QImage page(picture.width() + 2 * margin, picture.height() + 2 * margin, QImage::Format_Grayscale8);
    page.fill(Qt::white);
    QPainter(&page).drawImage(margin, margin, picture);
    return page;
}

// The grid drawn at 4 points a module at 72 dpi, with a quiet zone of 3 modules.
inline QImage scan(const DataMatrixGrid &grid) { return onWhite(Render_DataMatrix(grid, 4, 72).image(), 12); }

inline bool haveZxing()
{
#ifdef HAVE_ZXING
    return true;
#else
    return false;
#endif
}

// The bytes ZXing-C++ reads from the grey picture (ECI designators applied, not shown).
inline std::optional<QByteArray> zxingRead([[maybe_unused]] const QImage &gray)
{
#ifdef HAVE_ZXING
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::DataMatrix);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(), ZXing::ImageFormat::Lum,
                                int(gray.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) return std::nullopt;
    const ZXing::ByteArray &bytes = result.bytes();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
#else
    return std::nullopt;
#endif
}

inline QString dmtxreadProgram() { return QStandardPaths::findExecutable("dmtxread"); }

// What dmtxread prints for the picture (it shows ECI 26 as a leading byte 0x1A).
inline std::optional<QByteArray> dmtxRead(const QImage &gray)
{
    const QString program = dmtxreadProgram();
    QTemporaryDir dir;
    if (program.isEmpty() || !gray.save(dir.filePath("symbol.png"))) return std::nullopt;
    QProcess read;
    read.start(program, {"-N1", "-m", "20000", dir.filePath("symbol.png")});
    if (!read.waitForFinished(60000) || read.exitCode() != 0) return std::nullopt;
    return read.readAllStandardOutput();
}

} // namespace dmtest
