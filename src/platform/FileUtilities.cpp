#include "FileUtilities.h"

#include "FileWrite.h"
#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"
#include "Paths.h"
#include "PictureData.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QPolygonF>
#include <QStorageInfo>
#include <QLocale>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr QDir::Filters kEverything = QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;

// The text after the last dot of the last path component; a leading dot starts a
// name, not an extension.
qsizetype extensionDot(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > slash + 1 ? dot : -1;
}

QString withoutExtension(const QString &path)
{
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? path : path.left(dot);
}

QString extensionOf(const QString &path)
{
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? QString() : path.mid(dot + 1);
}

QStringList namesIn(const QString &folder, QDir::Filters filters)
{
    if (!QFileInfo(folder).isDir()) return {};
    return QDir(folder).entryList(filters | kEverything, QDir::Unsorted);
}

QStringList relativePathsBelow(const QString &folder, QDir::Filters filters)
{
    QStringList out;
    if (!QFileInfo(folder).isDir()) return out;
    const QDir base(folder);
    QDirIterator it(folder, filters | kEverything, QDirIterator::Subdirectories);
    while (it.hasNext()) out << base.relativeFilePath(it.next());
    return out;
}

QString standardisedPath(const QString &path)
{
    QString p = path;
    if (p == u'~' || p.startsWith(QLatin1String("~/"))) p = QDir::homePath() + p.mid(1);
    return QDir::cleanPath(p);
}

} // namespace

QStringList Get_Folder_Array_At_Path(const QString &folder) { return namesIn(folder, QDir::Dirs); }

QStringList Get_Files_Array_At_Path(const QString &folder, char del_ext)
{
    QStringList names = namesIn(folder, QDir::Files);
    if (del_ext)
        for (QString &n : names) n = withoutExtension(n);
    return names;
}

QStringList Get_Folders_And_Sub_Folder_Array_At_Path(const QString &folder)
{
    return relativePathsBelow(folder, QDir::Dirs);
}

QStringList Get_Files_And_Folder_Array_At_Path(const QString &folder)
{
    QStringList paths = relativePathsBelow(folder, QDir::AllEntries);
    for (QString &p : paths) p = withoutExtension(p);
    return paths;
}

void Filter_Non_Log_Files_At_Path(const QString &folder)
{
    if (!QFileInfo(folder).isDir()) return;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | kEverything, QDir::Unsorted)) {
        if (extensionOf(name) == design_file_EXT) continue;
        const QString path = Path_Join(folder, name);
        if (!QFile::remove(path)) Show_NSLog_Message(QStringLiteral("Could not delete ") + path);
    }
}

char Check_And_Validate_File_Path(const QString &path)
{
    if (!path.trimmed().isEmpty() && QFileInfo::exists(path)) return 0;
    Show_MessageBox(QStringLiteral("Please select valid file path."));
    return 1;
}

QString Check_Path_For_App_Resources(const QString &path) { return Check_Path_For_App_Resources(path, Resource_Path); }

QString Convert_Path_From_URL(const QUrl &url) { return url.isLocalFile() ? url.toLocalFile() : QString(); }
QString Convert_Path_From_URL(const QString &url) { return Convert_Path_From_URL(QUrl(url, QUrl::StrictMode)); }

QString Check_Path_For_App_Resources(const QString &path, const QString &resourceFolder)
{
    static const QString marker = QStringLiteral(".app/Contents/Resources/");
    const QString trimmed = path.trimmed();
    const qsizetype at = trimmed.indexOf(marker);
    if (at < 0) return trimmed;
    // Whatever the bundle was called, its resources are ours now.
    return resourceFolder + trimmed.mid(at + marker.size());
}

quint64 Get_File_Size_At_Path(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? quint64(info.size()) : 0;
}

bool Path_Is_Taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString Write_Refusal_Reason(const QString &path)
{
    const QFileInfo info(path);
    struct stat file {}, folder {};
    if (::lstat(QFile::encodeName(path).constData(), &file) != 0 ||
        ::stat(QFile::encodeName(info.absolutePath()).constData(), &folder) != 0)
        return {};
    const uid_t me = ::geteuid();
    if (S_ISLNK(file.st_mode)) {
        // A link is followed where the system follows it for this user (as the writer
        // does): the user's own, or in a folder not both sticky and writable by others,
        // or the folder's owner's.
        const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
        if (file.st_uid == me || !shared || folder.st_uid == file.st_uid) return {};
    } else if (file.st_uid == me || folder.st_uid == me || !(folder.st_mode & S_ISVTX)) {
        return {};
    }
    return QStringLiteral("\"%1\" in this shared folder is another user's %2, which only they can replace. "
                          "Please choose another name.")
        .arg(info.fileName(), S_ISLNK(file.st_mode) ? QStringLiteral("link") : QStringLiteral("file"));
}

QString Write_Refusal_Text(const QString &path, const QString &otherwise)
{
    const QString reason = Write_Refusal_Reason(path);
    return reason.isEmpty() ? otherwise : QStringLiteral("Unable to save the file \"%1\".\n\n").arg(path) + reason;
}

QString Failed_Write_Text(const QString &message, const QString &reason)
{
    return reason.isEmpty() ? message : message + u' ' + reason + u'.';
}

QString Failed_Write_Text(const QString &message, int error)
{
    return Failed_Write_Text(message, error ? qt_error_string(error) : QString());
}

std::optional<qint64> Get_Free_Bytes_At_Path(const QString &path)
{
    const QStorageInfo storage(path);
    if (!storage.isValid() || !storage.isReady()) return std::nullopt;
    return storage.bytesAvailable();
}

Picture Get_Image_For_Path(const QString &path, char /*asIcon*/)
{
    const QString file = standardisedPath(path);
    if (file.isEmpty() || !QFileInfo(file).isFile()) return {};
    QImage image = Thumbnail_Image(file, kPreviewImageSide);
    if (image.isNull()) return {};
    return Picture(std::move(image));
}

QImage Thumbnail_Image(const QString &path, int maxSide)
{
    if (maxSide < 1) return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize full = reader.size();
    // The orientation turns the stored size a quarter for the EXIF turns.
    if (full.isValid() && reader.transformation().testFlag(QImageIOHandler::TransformationRotate90)) full.transpose();
    if (full.isValid() && (full.width() > maxSide || full.height() > maxSide)) {
        QSize scaled = full.scaled(maxSide, maxSide, Qt::KeepAspectRatio).expandedTo({1, 1});
        // The reader scales before it turns.
        if (reader.transformation().testFlag(QImageIOHandler::TransformationRotate90)) scaled.transpose();
        reader.setScaledSize(scaled);
    }
    QImage image = Read_Whole_Picture(reader);
    if (image.isNull()) return {};
    // Readers that cannot scale while reading give the full picture.
    if (image.width() > maxSide || image.height() > maxSide)
        image = image.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

Picture Thimbnail_Using_CG_Image(const QString &path, QSizeF size)
{
    const QImage thumb = Thumbnail_Image(path, int(size.width()));
    if (!thumb.isNull()) return Picture(thumb, thumb.size());
    // A blank page with a folded corner.
    const QSize px = size.toSize().expandedTo({1, 1});
    QImage page(px, QImage::Format_ARGB32_Premultiplied);
    page.fill(Qt::transparent);
    QPainter p(&page);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet = QRectF(QPointF(0, 0), QSizeF(px)).adjusted(px.width() * 0.2, px.height() * 0.1,
                                                                 -px.width() * 0.2, -px.height() * 0.1);
    const double fold = std::min(sheet.width(), sheet.height()) * 0.25;
    const QPolygonF outline({sheet.topLeft(), QPointF(sheet.right() - fold, sheet.top()),
                             QPointF(sheet.right(), sheet.top() + fold), sheet.bottomRight(), sheet.bottomLeft()});
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(QColor(250, 250, 250));
    p.drawPolygon(outline);
    p.drawPolyline(QPolygonF({QPointF(sheet.right() - fold, sheet.top()),
                              QPointF(sheet.right() - fold, sheet.top() + fold),
                              QPointF(sheet.right(), sheet.top() + fold)}));
    p.end();
    return Picture(page, size);
}

char Image_Is_Over_Size(const QString &, char) { return 0; }

QString Convert_ICU_Date_Format(const QString &icu)
{
    QString out, literal;
    const auto flush = [&] {
        if (literal.isEmpty()) return;
        out += u'\'' + QString(literal).replace(u'\'', QLatin1String("''")) + u'\'';
        literal.clear();
    };
    const auto field = [&](QChar letter, qsizetype n) -> QString {
        switch (letter.unicode()) {
        case 'y': case 'Y': case 'u': return n == 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
        case 'M': case 'L': return QString(qMin<qsizetype>(n, 4), u'M');
        case 'd': return n == 1 ? QStringLiteral("d") : QStringLiteral("dd");
        case 'E': return n >= 4 ? QStringLiteral("dddd") : QStringLiteral("ddd");
        case 'a': return QStringLiteral("AP");
        case 'h': case 'K': return n == 1 ? QStringLiteral("h") : QStringLiteral("hh");
        case 'H': case 'k': return n == 1 ? QStringLiteral("H") : QStringLiteral("HH");
        case 'm': return n == 1 ? QStringLiteral("m") : QStringLiteral("mm");
        case 's': return n == 1 ? QStringLiteral("s") : QStringLiteral("ss");
        case 'S': return QStringLiteral("zzz");
        case 'z': case 'Z': case 'v': case 'V': case 'O': case 'X': case 'x': return QStringLiteral("t");
        default: return {};  // fields Qt has no counterpart for are left out
        }
    };
    for (qsizetype i = 0; i < icu.size();) {
        const QChar c = icu[i];
        if (c == u'\'') {
            if (i + 1 < icu.size() && icu[i + 1] == u'\'') {  // '' is a quote
                literal += u'\'';
                i += 2;
                continue;
            }
            for (++i; i < icu.size(); ++i) {  // quoted text up to the closing quote
                if (icu[i] != u'\'') literal += icu[i];
                else if (i + 1 < icu.size() && icu[i + 1] == u'\'') literal += icu[++i];
                else break;
            }
            ++i;
            continue;
        }
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
            qsizetype n = 1;
            while (i + n < icu.size() && icu[i + n] == c) ++n;
            flush();
            out += field(c, n);
            i += n;
            continue;
        }
        literal += c;
        ++i;
    }
    flush();
    return out;
}

QString Format_Date_Time(const QDateTime &when, const QString &icuPattern)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(when, Convert_ICU_Date_Format(icuPattern));
}

QString Get_date_Value(const QString &format) { return Format_Date_Time(QDateTime::currentDateTime(), format); }
QString Get_time_Value(const QString &format) { return Get_date_Value(format); }

QString Camera_Path_File() { return Created_Resource_Path + QStringLiteral("idcardcampics.txt"); }

QString Read_Camera_Folder()
{
    QString folder = Created_Resource_Path + QStringLiteral("Images_save_by_user");
    QFile file(Camera_Path_File());
    if (file.open(QIODevice::ReadOnly)) {
        const QString named = QString::fromUtf8(file.readAll());  // not trimmed
        if (!named.isEmpty() && QFileInfo(named).isDir()) folder = named;
    }
    Camera_Folder_Path = folder;
    return folder;
}

bool Create_Camera_Path_File() { return Write_File_Whole(Camera_Path_File(), Camera_Folder_Path.toUtf8(), 0600); }

QString Swap_Template_Orientation_Path(const QString &path, const QString &fromPreset, const QString &toPreset)
{
    QChar from, to;
    if (fromPreset == QLatin1String("Horizontal") && toPreset == QLatin1String("Vertical")) {
        from = u'h';
        to = u'v';
    } else if (fromPreset == QLatin1String("Vertical") && toPreset == QLatin1String("Horizontal")) {
        from = u'v';
        to = u'h';
    } else {
        return path;
    }
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    QString result = path;
    const QString tag = QStringLiteral("(") + from + u')';
    for (qsizetype at = result.indexOf(tag, nameStart, Qt::CaseInsensitive); at >= 0;
         at = result.indexOf(tag, at + 3, Qt::CaseInsensitive)) {
        result[at + 1] = result[at + 1].isUpper() ? to.toUpper() : to;
    }
    return result;
}
