#include "Export_File_Writer.h"

#include "Card_Property.h"
#include "FileUtilities.h"
#include "FileWrite.h"
#include "Log.h"
#include "Paths.h"
#include "PictureLimit.h"
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
#include <algorithm>
#include <limits>

namespace {
constexpr double kPointsPerInch = 72.0;

// The folder part of a path, up to its last "/" (empty for a bare name).
QString folderOf(const QString &path) { return path.left(path.lastIndexOf(u'/') + 1); }

QString renamed(const QString &path, const char *suffix)
{
    const QFileInfo info(path);
    const QString name = QStringLiteral("%1_%2.%3").arg(info.completeBaseName(), QLatin1String(suffix), info.suffix());
    return Path_Join(folderOf(path), name);
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

QString Export_Picture_Refusal(QSizeF card, const QString &extension, bool joined, bool sideBySide, double dpi)
{
    if (extension.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) return {};
    QSizeF pixels = Picture_Pixels(card, dpi / kPointsPerInch);
    if (joined) pixels = sideBySide ? QSizeF(pixels.width() * 2, pixels.height()) : QSizeF(pixels.width(), pixels.height() * 2);
    if (Picture_Size_Allowed(pixels)) return {};
    return QStringLiteral("The card is too large to be exported as a picture at %1 dpi: %2.\n\nExport it as a PDF "
                          "file, or make the card smaller.")
        .arg(dpi)
        .arg(Picture_Too_Large_Text(pixels));
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
    const QSizeF pixels = sideBySide ? QSizeF(front.width() * 2.0, front.height()) : QSizeF(front.width(), front.height() * 2.0);
    if (!Picture_Size_Allowed(pixels)) {
        Show_NSLog_Message(QStringLiteral("The joined card is too large to be made: %1.").arg(Picture_Too_Large_Text(pixels)));
        return {};
    }
    QImage both(pixels.toSize(), QImage::Format_ARGB32_Premultiplied);
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

bool Save_gen_image(const QImage &image, const QString &path, File_Link links, File_Write_Sweep *sweep,
                    QString *cause)
{
    const auto failed = [cause](const QString &why) {
        if (cause) *cause = why;
        return false;
    };
    if (image.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return failed(QStringLiteral("there is no picture"));
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
    if (bytes.isEmpty()) return failed(QStringLiteral("the picture could not be encoded"));
    int error = 0;
    if (Write_File_Whole(path, bytes, 0644, sweep, links, &error)) return true;
    return failed(error ? qt_error_string(error) : QStringLiteral("the file could not be put in place"));
}

bool Write_Export_Files(const QString &path, Export_Layout layout, const Export_Side &front, const Export_Side &back,
                        QStringList *written, QString *error, Side_Mirror mirror, File_Link joinedLinks)
{
    const QString ext = QFileInfo(path).suffix();
    const QStringList targets = Export_Target_Paths(path, layout);
    const bool joined = layout == Export_Layout::Combined_Side_By_Side || layout == Export_Layout::Combined_Above;
    const QString refusal =
        Export_Picture_Refusal(front.frame.size(), ext, joined, layout == Export_Layout::Combined_Side_By_Side);
    if (!refusal.isEmpty()) {
        if (error) *error = refusal;
        return false;
    }
    const auto rendered = [](const Export_Side &side) {
        return Render_Side_Drawing(side.graphics, side.frame, side.cardProperty, side.resources);
    };
    // Everything is made before anything is written.
    std::vector<QByteArray> files;
    switch (layout) {
    case Export_Layout::Front: files.push_back(Rendered_Side_File_Data(rendered(front), ext, true, mirror)); break;
    case Export_Layout::Back: files.push_back(Rendered_Side_File_Data(rendered(back), ext, true, mirror)); break;
    case Export_Layout::Both:
        files.push_back(Rendered_Side_File_Data(rendered(back), ext, true, mirror));
        files.push_back(Rendered_Side_File_Data(rendered(front), ext, true, mirror));
        break;
    case Export_Layout::Combined_Side_By_Side:
    case Export_Layout::Combined_Above:
        files.push_back(Combined_Side_File_Data(rendered(front), rendered(back), ext,
                                                layout == Export_Layout::Combined_Side_By_Side, mirror));
        break;
    }
    for (const QByteArray &bytes : files) {
        if (bytes.isEmpty()) {
            if (error) *error = QStringLiteral("The card could not be made into a %1 file.").arg(ext.toUpper());
            return false;
        }
    }
    std::vector<std::pair<QString, QByteArray>> named;
    for (size_t i = 0; i < files.size(); ++i) named.emplace_back(targets[int(i)], files[i]);
    // A pair is written whole or not at all.
    int failed = 0;
    if (!Write_Files_Whole(named, 0644, &failed, File_Write_System(), nullptr,
                           joined ? joinedLinks : File_Link::Replace)) {
        const QString target = targets[std::clamp(failed, 0, int(targets.size()) - 1)];
        const QString reason = Write_Refusal_Reason(target);
        if (error)
            *error = QStringLiteral("Unable to save the file \"%1\".\n\n").arg(target) +
                     (reason.isEmpty() ? QStringLiteral("Either the folder cannot be written to or there is no free "
                                                        "space left on the drive.")
                                       : reason);
        return false;
    }
    if (written) *written = targets;
    return true;
}

// ---- Names and the keep/replace question of a run ----

QString Check_Exist_Path_and_Create_New(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = folderOf(path);
    const QString extension = info.suffix().toLower();
    const QString stem = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    const auto named = [&](const QString &name) {
        return Path_Join(folder, extension.isEmpty() ? name : name + u'.' + extension);
    };
    QString base = stem;
    int start = 1;
    const qsizetype open = stem.lastIndexOf(QLatin1String(" ("));
    if (open >= 0) {
        QString after = stem.mid(open + 2).trimmed();
        after.remove(u')');
        bool isNumber = false;
        const int n = after.trimmed().toInt(&isNumber);
        if (isNumber && n > 0) {
            base = stem.left(open).trimmed();
            start = n + 1;
        }
    }
    if (!Path_Is_Taken(named(stem))) return named(stem);
    for (int k = start; k < std::numeric_limits<int>::max(); ++k) {
        const QString candidate = named(QStringLiteral("%1 (%2)").arg(base).arg(k));
        if (!Path_Is_Taken(candidate)) return candidate;
    }
    return named(stem);
}

Keep_Replace_Request Keep_Replace_Question(const QString &path, Keep_Replace_Wording wording, bool showApplyAll)
{
    const QString question = wording == Keep_Replace_Wording::Keep_Or_Replace
                                 ? QStringLiteral("\n\nFile already exists in this location.\n\nDo you want to Keep or "
                                                  "Replace it?")
                                 : QStringLiteral("\n\nFile already exists in this location.\n\nDo you want to replace "
                                                  "it with one you processed?");
    return Keep_Replace_Request{QStringLiteral("File already exists :"), QFileInfo(path).fileName() + question,
                                showApplyAll, path};
}

std::optional<QString> Keep_Or_Replace_Target(const QString &path, Keep_Replace_Wording wording, bool showApplyAll,
                                              Output_Run_State &state)
{
    if (!Path_Is_Taken(path)) return path;
    int answer = state.replace_keep_file_flag;
    if (answer != Keep_Replace_Replace_All && answer != Keep_Replace_Keep_All)
        answer = Replcae_Confirm_Box::Open_box_in_thread(Keep_Replace_Question(path, wording, showApplyAll), state);
    switch (answer) {
    case Keep_Replace_Keep:
    case Keep_Replace_Keep_All: return Check_Exist_Path_and_Create_New(path);
    case Keep_Replace_Replace:
    case Keep_Replace_Replace_All: return path;  // written over whole, so a failed write keeps the old file
    default: return std::nullopt;
    }
}

QString Check_And_Show_Keep_Replace_File_Msg(const QString &path, bool show_apply_all, Output_Run_State &state)
{
    return Keep_Or_Replace_Target(path, Keep_Replace_Wording::Keep_Or_Replace, show_apply_all, state).value_or(QString());
}

// ---- Writing rendered sides ----

QByteArray Rendered_Side_File_Data(const RenderedSide &side, const QString &extension, bool increase_dpi,
                                   Side_Mirror mirror)
{
    if (side.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return {};
    }
    if (extension.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
        return pdfPage(side.size, [&](QPainter &painter) {
            Draw_Rendered_Side(painter, side, QRectF(QPointF(), side.size), mirror);
        });
    const QByteArray format = rasterFormat(extension);
    if (format.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("No file of the type \"%1\" can be written.").arg(extension));
        return {};
    }
    return encodeRaster(Rendered_Side_Image(side, increase_dpi ? Export_Picture_DPI : kPointsPerInch, mirror), format);
}

QByteArray Combined_Side_File_Data(const RenderedSide &front, const RenderedSide &back, const QString &extension,
                                   bool sideBySide, Side_Mirror mirror)
{
    if (front.isNull() || back.isNull()) {
        Show_NSLog_Message(QStringLiteral("Invalid image"));
        return {};
    }
    if (extension.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        const QSizeF card = front.size;
        const QPointF second = sideBySide ? QPointF(card.width(), 0) : QPointF(0, card.height());
        const QSizeF page(card.width() + second.x(), card.height() + second.y());
        return pdfPage(page, [&](QPainter &painter) {
            Draw_Rendered_Side(painter, front, QRectF(QPointF(), card), mirror);
            Draw_Rendered_Side(painter, back, QRectF(second, card), mirror);
        });
    }
    const QByteArray format = rasterFormat(extension);
    if (format.isEmpty()) {
        Show_NSLog_Message(QStringLiteral("No file of the type \"%1\" can be written.").arg(extension));
        return {};
    }
    // Neither side is drawn when the joined picture could not be made.
    if (const QString refusal = Export_Picture_Refusal(front.size, extension, true, sideBySide); !refusal.isEmpty()) {
        Show_NSLog_Message(refusal);
        return {};
    }
    return encodeRaster(Combine_Side_Images(Rendered_Side_Image(front, Export_Picture_DPI, mirror),
                                            Rendered_Side_Image(back, Export_Picture_DPI, mirror), sideBySide),
                        format);
}

std::optional<QString> Export_Run_Target(const QString &path, bool skip_keep_replace_msg, bool honour_stop,
                                         Output_Run_State &state)
{
    if (honour_stop && state.Stop_Requested()) return std::nullopt;
    if (skip_keep_replace_msg) return path;
    const std::optional<QString> chosen = Keep_Or_Replace_Target(path, Keep_Replace_Wording::Replace_Processed, true, state);
    if (chosen && *chosen != path && QFileInfo(path).completeBaseName().right(4) == QLatin1String("Back"))
        state.Export_Back_File_Path = *chosen;
    return chosen;
}

Export_Write Write_Card_Files(Output_Run_State &state, const std::vector<std::pair<QString, QByteArray>> &files,
                              File_Link links)
{
    if (files.empty()) return Export_Write::Skipped;
    int failed = -1;
    int error = 0;
    for (size_t i = 0; i < files.size() && failed < 0; ++i)
        if (files[i].second.isEmpty()) failed = int(i);
    if (failed < 0 &&
        !Write_Files_Whole(files, 0644, &failed, File_Write_System(), &state.swept_folders, links, &error))
        failed = std::max(failed, 0);
    if (failed >= 0) {
        state.failed_error = error;
        Show_NSLog_Message(QStringLiteral("The file \"%1\" could not be written.").arg(files[size_t(failed)].first));
        ++state.failed_files;
        return Export_Write::Failed;
    }
    state.Export_File_Path = files.back().first;
    state.check_any_card_exported = true;
    return Export_Write::Written;
}

Export_Write Export_File_Function(const QString &path, const RenderedSide &side, bool show_msg,
                                  bool skip_keep_replace_msg, bool increase_dpi, Output_Run_State &state,
                                  Side_Mirror mirror, QWidget *boxParent, bool honour_stop, const QByteArray *ready,
                                  File_Link chosenLinks)
{
    const std::optional<QString> target = Export_Run_Target(path, skip_keep_replace_msg, honour_stop, state);
    if (!target) return Export_Write::Skipped;
    // A path written without the keep/replace question was chosen in a save panel: a link
    // there gets what the panel chose.
    const Export_Write result = Write_Card_Files(
        state, {{*target, ready ? *ready : Rendered_Side_File_Data(side, QFileInfo(*target).suffix(), increase_dpi, mirror)}},
        skip_keep_replace_msg ? chosenLinks : File_Link::Replace);
    if (result == Export_Write::Written && show_msg) {
        state.Export_File_Message = QStringLiteral("File has been exported successfully.");
        Open_Export_File_Box(state, boxParent);
    }
    return result;
}

Export_Write Export_Combined_Image(const RenderedSide &front, const RenderedSide &back, const QString &path,
                                   bool show_msg, bool sideBySide, Output_Run_State &state, Side_Mirror mirror,
                                   QWidget *boxParent, const QByteArray *ready)
{
    if (state.Stop_Requested()) return Export_Write::Skipped;
    const Export_Write result = Write_Card_Files(
        state, {{path, ready ? *ready : Combined_Side_File_Data(front, back, QFileInfo(path).suffix(), sideBySide, mirror)}});
    if (result == Export_Write::Written && show_msg) {
        state.Export_File_Message = QStringLiteral("Card has been exported successfully.");
        Open_Export_File_Box(state, boxParent);
    }
    return result;
}

bool Open_Export_File_Box(Output_Run_State &state, QWidget *boxParent)
{
    return Open_Export_Log::Open_Export_File_Box(state, boxParent);
}
