#include "SKTImage.h"

#include "Globals.h"
#include "FileUtilities.h"
#include "PictureDrawing.h"

#include <QPaintEngine>
#include <QPainter>

#include <cmath>

const QString SKTImageContentsKey = QStringLiteral("contents");
const QString SKTImageIsFlippedHorizontallyKey = QStringLiteral("flippedHorizontally");
const QString SKTImageIsFlippedVerticallyKey = QStringLiteral("flippedVertically");

void SKTImage::centreOn(const QPointF &point)
{
    const QSizeF s = _contents.size();
    _bounds = QRectF(point.x() - s.width() / 2, point.y() - s.height() / 2, s.width(), s.height());
}

std::shared_ptr<SKTImage> SKTImage::initWithPosition(const QPointF &point, const Picture &contents)
{
    auto g = create();
    g->_contents = contents;
    g->_file_path = Library_Selected_Image;
    g->centreOn(point);
    return g;
}

std::shared_ptr<SKTImage> SKTImage::initWithPath(const QPointF &point, const QString &path)
{
    return initWithPath_With_ID(point, path, QString());
}

std::shared_ptr<SKTImage> SKTImage::initWithPath_With_ID(const QPointF &point, const QString &path,
                                                        const QString &ctrl_id)
{
    auto g = create();
    if (!ctrl_id.isNull()) g->control_ID = ctrl_id;
    g->setFilePath(path, true);
    g->centreOn(point);
    return g;
}

void SKTImage::setFilePath(const QString &path, bool set_txt_path_also)
{
    ChangeScope scope(*this);
    const QString mapped = Check_Path_For_App_Resources(path.isNull() ? QString("") : path);
    Set_Control_File_path(mapped);
    if (set_txt_path_also && !mapped.isEmpty()) Set_text_value(mapped);
    setFileNSImage(mapped);
}

void SKTImage::setFileNSImage(const QString &path)
{
    ChangeScope scope(*this);
    _contents = Get_Image_For_Path(path, 0);
    setFileNSImage_Variable(Picture());  // made again when drawn
}

void SKTImage::setFileNSImage_Variable(const Picture &picture) { setField(&SKTGraphic::_contents_with_settings, picture); }

Picture SKTImage::shownPicture(const PictureAdjuster &adjuster, QSize pixels)
{
    if (_contents.isNull()) return {};
    const MadeFor wanted{_contents.image().cacheKey(), Image_Adjustments_Of(*this), pixels};
    std::lock_guard lock(m_shownMutex);
    if (m_madeFor != wanted || _contents_with_settings.isNull()) {
        _contents_with_settings = adjuster.adjusted(_contents, wanted.settings, pixels);
        m_madeFor = wanted;
    }
    return _contents_with_settings;
}

void SKTImage::setFlippedHorizontally(bool f)
{
    if (_isFlippedHorizontally == f) return;
    ChangeScope scope(*this);
    setField(&SKTGraphic::_isFlippedHorizontally, f);
}

void SKTImage::setFlippedVertically(bool f)
{
    if (_isFlippedVertically == f) return;
    ChangeScope scope(*this);
    setField(&SKTGraphic::_isFlippedVertically, f);
}

void SKTImage::drawContentsInView(QPainter &painter, bool, const DrawContext &context)
{
    if (!ctrl_is_visible) return;
    if (!_file_path.isEmpty() && !_contents.isNull()) {
        // On pixels the picture is made for the pixels the bounds cover; a PDF or a
        // printer takes it at the source's own resolution.
        QSize pixels;
        if (painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster) {
            const QRectF covered = painter.deviceTransform().mapRect(bounds());
            pixels = QSize(std::max(1, int(std::ceil(covered.width()))), std::max(1, int(std::ceil(covered.height()))));
        }
        Draw_Picture_Stretched(painter, shownPicture(*context.pictureAdjuster, pixels), bounds(), img_trnsp_val / 100.0);
    }
    Draw_Control_Border(painter, *this, bounds());
}

void SKTImage::makeNaturalSize()
{
    if (ctrl_is_locked || _contents.size().isEmpty()) return;
    ChangeScope scope(*this);
    setBounds(QRectF(bounds().topLeft(), _contents.size()));
    setFlippedHorizontally(false);
    setFlippedVertically(false);
}

QVariantMap SKTImage::properties()
{
    QVariantMap p = SKTGraphic::properties();
    if (!_contents.isNull()) p.insert(SKTImageContentsKey, QVariant::fromValue(_contents));
    p.insert(SKTImageIsFlippedHorizontallyKey, _isFlippedHorizontally);
    p.insert(SKTImageIsFlippedVerticallyKey, _isFlippedVertically);
    return p;
}

void SKTImage::initWithProperties(const QVariantMap &properties)
{
    SKTGraphic::initWithProperties(properties);
    const QVariant contents = properties.value(SKTImageContentsKey);
    if (contents.metaType() == QMetaType::fromType<Picture>()) _contents = contents.value<Picture>();
    const QVariant h = properties.value(SKTImageIsFlippedHorizontallyKey);
    if (Is_Number_Variant(h)) _isFlippedHorizontally = h.toBool();
    const QVariant v = properties.value(SKTImageIsFlippedVerticallyKey);
    if (Is_Number_Variant(v)) _isFlippedVertically = v.toBool();
}

QStringList SKTImage::keysForValuesToObserveForUndo() const
{
    return SKTGraphic::keysForValuesToObserveForUndo()
           << SKTImageContentsKey << SKTImageIsFlippedHorizontallyKey << SKTImageIsFlippedVerticallyKey;
}

QStringList SKTImage::keyPathsForValuesAffectingDrawingContents()
{
    return SKTGraphic::keyPathsForValuesAffectingDrawingContents()
           << SKTImageContentsKey << SKTImageIsFlippedHorizontallyKey << SKTImageIsFlippedVerticallyKey;
}
