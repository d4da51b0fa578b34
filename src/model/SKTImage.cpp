#include "SKTImage.h"

#include "Globals.h"
#include "FileUtilities.h"
#include "PictureAdjuster.h"
#include "PictureDrawing.h"

#include <QPainter>

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
    _contents_with_settings = _contents;
    setFileNSImage_Variable(Adjusted_Picture(*this));
}

void SKTImage::setFileNSImage_Variable(const Picture &picture) { setField(&SKTGraphic::_contents_with_settings, picture); }

void SKTImage::reapplySettings()
{
    if (!_contents.isNull()) setFileNSImage_Variable(Adjusted_Picture(*this));
}

void SKTImage::setFlippedHorizontally(bool f)
{
    if (_isFlippedHorizontally == f) return;
    ChangeScope scope(*this);
    setField(&SKTGraphic::_isFlippedHorizontally, f);
    reapplySettings();
}

void SKTImage::setFlippedVertically(bool f)
{
    if (_isFlippedVertically == f) return;
    ChangeScope scope(*this);
    setField(&SKTGraphic::_isFlippedVertically, f);
    reapplySettings();
}

void SKTImage::drawContentsInView(QPainter &painter, bool, const DrawContext &)
{
    if (!ctrl_is_visible) return;
    if (!_file_path.isEmpty() && !_contents.isNull())
        Draw_Picture_Stretched(painter, _contents_with_settings, bounds(), img_trnsp_val / 100.0);
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
