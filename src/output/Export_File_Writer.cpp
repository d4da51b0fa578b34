#include "Export_File_Writer.h"

#include "Card_Property.h"
#include "FileWrite.h"
#include "Log.h"
#include "SKTRenderingView.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {
constexpr double kPointsPerInch = 72.0;

QString renamed(const QString &path, const char *suffix)
{
    const QFileInfo info(path);
    const QString name = QStringLiteral("%1_%2.%3").arg(info.completeBaseName(), QLatin1String(suffix), info.suffix());
    return info.dir().filePath(name);
}

// The image format written for an extension; empty when not supported.
QByteArray rasterFormat(const QString &extension)
{
    const QString ext = extension.toLower();
    if (ext == QLatin1String("png")) return "png";
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg")) return "jpeg";
    if (ext == QLatin1String("bmp")) return "bmp";
    if (ext == QLatin1String("tif") || ext == QLatin1String("tiff")) return "tiff";
    return {};
}

void setDotsPerInch(QImage &image, double dpi)
{
    const int dpm = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
}

double dotsPerInch(const QImage &image)
{
    return image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() * 0.0254 : kPointsPerInch;
}

QByteArray encodeRaster(QImage image, const QByteArray &format)
{
    if (image.isNull() || format.isEmpty()) return {};
    if (format == "jpeg" || format == "bmp") {
        // No transparency there: the corners outside a rounded card become white.
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        setDotsPerInch(flat, dotsPerInch(image));
        QPainter(&flat).drawImage(0, 0, image);
        image = flat;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "jpeg") writer.setQuality(95);
    if (!writer.write(image)) {
        Show_NSLog_Message(QStringLiteral("The picture could not be encoded: %1").arg(writer.errorString()));
        return {};
    }
    return bytes;
}

// One PDF page of `size` points drawn by `draw`; empty on failure.
template <typename Draw> QByteArray pdfPage(const QSizeF &size, Draw draw)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(int(kPointsPerInch));
        writer.setTitle(QStringLiteral("Card"));
        const QPageSize page(size, QPageSize::Point, QString(), QPageSize::ExactMatch);
        if (!writer.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)))) return {};
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        draw(painter);
        painter.end();
    }
    return data;
}
} // namespace

QString Create_Front_Card_Path(const QString &path) { return renamed(path, "Front"); }
QString Create_Back_Card_Path(const QString &path) { return renamed(path, "Back"); }

QStringList Export_Target_Paths(const QString &path, Export_Layout layout)
{
    switch (layout) {
    case Export_Layout::Front: return {Create_Front_Card_Path(path)};
    case Export_Layout::Back: return {Create_Back_Card_Path(path)};
    case Export_Layout::Both: return {Create_Back_Card_Path(path), Create_Front_Card_Path(path)};
    default: return {path};
    }
}

QImage Export_Side_Image(const Export_Side &side, double dpi)
{
    QImage image = SKTRenderingView::image_From_Card_Graphics(side.graphics, side.frame, side.cardProperty,
                                                              side.resources, dpi / kPointsPerInch);
    if (!image.isNull()) setDotsPerInch(image, dpi);
    return image;
}

QImage Combine_Side_Images(const QImage &front, const QImage &back, bool sideBySide)
{
    if (front.isNull() || back.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return {};
    }
    const QSize size = sideBySide ? QSize(front.width() * 2, front.height()) : QSize(front.width(), front.height() * 2);
    QImage both(size, QImage::Format_ARGB32_Premultiplied);
    if (both.isNull()) return {};
    both.fill(Qt::transparent);
    setDotsPerInch(both, dotsPerInch(front));
    QPainter p(&both);
    p.drawImage(0, 0, front);
    p.drawImage(sideBySide ? front.width() : 0, sideBySide ? 0 : front.height(), back);
    return both;
}

QByteArray Export_File_Data(const std::vector<const Export_Side *> &sides, bool sideBySide, const QString &extension)
{
    if (sides.empty() || sides.size() > 2) return {};
    if (extension.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        const QSizeF card = sides[0]->frame.size();
        QSizeF page = card;
        if (sides.size() == 2) page = sideBySide ? QSizeF(card.width() * 2, card.height()) : QSizeF(card.width(), card.height() * 2);
        return pdfPage(page, [&](QPainter &painter) {
            for (size_t i = 0; i < sides.size(); ++i) {
                const SKTRenderingView view(sides[i]->frame, sides[i]->graphics, sides[i]->cardProperty,
                                            sides[i]->resources, QStringLiteral("Card"));
                painter.save();
                const QPointF offset = i == 0 ? QPointF() : sideBySide ? QPointF(card.width(), 0) : QPointF(0, card.height());
                painter.translate(offset - view.frame().topLeft());
                view.drawRect(painter, view.frame());
                painter.restore();
            }
        });
    }
    const QByteArray format = rasterFormat(extension);
    if (format.isEmpty()) return {};
    QImage image = Export_Side_Image(*sides[0]);
    if (sides.size() == 2) image = Combine_Side_Images(image, Export_Side_Image(*sides[1]), sideBySide);
    return encodeRaster(image, format);
}

bool Save_gen_image(const QImage &image, const QString &path)
{
    if (image.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return false;
    }
    const QString ext = QFileInfo(path).suffix();
    QByteArray bytes;
    if (ext.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        const double perPoint = dotsPerInch(image) / kPointsPerInch;
        const QSizeF size(image.width() / perPoint, image.height() / perPoint);
        bytes = pdfPage(size, [&](QPainter &p) { p.drawImage(QRectF(QPointF(), size), image); });
    } else {
        bytes = encodeRaster(image, rasterFormat(ext));
    }
    return !bytes.isEmpty() && Write_File_Whole(path, bytes);
}

bool Write_Export_Files(const QString &path, Export_Layout layout, const Export_Side &front, const Export_Side &back,
                        QStringList *written, QString *error)
{
    const QString ext = QFileInfo(path).suffix();
    const QStringList targets = Export_Target_Paths(path, layout);
    // Everything is made before anything is written.
    std::vector<QByteArray> files;
    switch (layout) {
    case Export_Layout::Front: files.push_back(Export_File_Data({&front}, false, ext)); break;
    case Export_Layout::Back: files.push_back(Export_File_Data({&back}, false, ext)); break;
    case Export_Layout::Both:
        files.push_back(Export_File_Data({&back}, false, ext));
        files.push_back(Export_File_Data({&front}, false, ext));
        break;
    case Export_Layout::Combined_Side_By_Side: files.push_back(Export_File_Data({&front, &back}, true, ext)); break;
    case Export_Layout::Combined_Above: files.push_back(Export_File_Data({&front, &back}, false, ext)); break;
    }
    for (const QByteArray &bytes : files) {
        if (bytes.isEmpty()) {
            if (error) *error = QStringLiteral("The card could not be made into a %1 file.").arg(ext.toUpper());
            return false;
        }
    }
    QStringList done;
    for (size_t i = 0; i < files.size(); ++i) {
        const bool existed = QFileInfo::exists(targets[int(i)]);
        if (!Write_File_Whole(targets[int(i)], files[i])) {
            // A pair is written whole or not at all: a new file of this export goes again.
            for (const QString &p : done) QFile::remove(p);
            if (error)
                *error = QStringLiteral("Unable to save the file \"%1\".\n\nEither the folder cannot be written to or "
                                        "there is no free space left on the drive.")
                             .arg(targets[int(i)]);
            return false;
        }
        if (!existed) done << targets[int(i)];
    }
    if (written) *written = targets;
    return true;
}
