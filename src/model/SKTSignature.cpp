#include "SKTSignature.h"

#include "Globals.h"
#include "FileUtilities.h"
#include "PictureDrawing.h"

#include <QPainter>

QString SKTSignature::samplePath(const QString &sign_or_FP) { return samplePath(sign_or_FP, Resource_Path); }

QString SKTSignature::samplePath(const QString &sign_or_FP, const QString &resourceFolder)
{
    return resourceFolder + (sign_or_FP == QLatin1String("S") ? QStringLiteral("sign_sample.png")
                                                             : QStringLiteral("fingerprints.png"));
}

void SKTSignature::centreOn(const QPointF &point)
{
    const QSizeF s = _contents_img.size();
    _bounds = QRectF(point.x() - s.width() / 2, point.y() - s.height() / 2, s.width(), s.height());
}

std::shared_ptr<SKTSignature> SKTSignature::initWithPosition(const QPointF &point, const Picture &contents,
                                                             const QString &sign_or_FP)
{
    auto g = create();
    g->_contents_img = contents;
    g->file_path = samplePath(sign_or_FP);
    g->_file_path = g->file_path;
    g->sign_or_fingureprint = sign_or_FP;
    g->centreOn(point);
    return g;
}

std::shared_ptr<SKTSignature> SKTSignature::initWithPath(const QPointF &point, const QString &path,
                                                         const QString &sign_or_FP)
{
    auto g = create();
    g->file_path = path;
    g->setFilePath(path);
    g->sign_or_fingureprint = sign_or_FP;
    g->centreOn(point);
    return g;
}

void SKTSignature::loadPicture(const QString &path, const QString &resourceFolder)
{
    file_path = path == QLatin1String("Default") ? samplePath(sign_or_fingureprint, resourceFolder) : path;
    file_path = Check_Path_For_App_Resources(file_path, resourceFolder);
    _contents_img = Get_Image_For_Path(file_path, 0);
}

void SKTSignature::setFilePath(const QString &path)
{
    ChangeScope scope(*this);
    loadPicture(path, Resource_Path);
    Set_Control_File_path(file_path);
}

void SKTSignature::drawContentsInView(QPainter &painter, bool, const DrawContext &context)
{
    if (!ctrl_is_visible) return;
    if (_file_path != file_path) {
        // Plain writes: drawing reports no change (the new picture is what is drawn now).
        loadPicture(_file_path, context.resourceFolder);
        _file_path = file_path;
    }
    Draw_Picture_Stretched(painter, _contents_img, bounds(), 1.0);
    Draw_Control_Border(painter, *this, bounds());
}

void SKTSignature::makeNaturalSize()
{
    if (ctrl_is_locked || _contents_img.size().isEmpty()) return;
    setBounds(QRectF(bounds().topLeft(), _contents_img.size()));
}
