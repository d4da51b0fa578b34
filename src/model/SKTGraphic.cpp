#include "SKTGraphic.h"

#include "GeometryStrings.h"
#include "GraphicFields.h"
#include "Globals.h"
#include "Rotation.h"
#include "SKTBarcode.h"
#include "SKTImage.h"
#include "SKTLine.h"
#include "SKTSignature.h"
#include "SKTText.h"
#include "Shape_Control.h"

#include <QSet>

#include <cmath>

const QString SKTGraphicIsDrawingFillKey = QStringLiteral("drawingFill");
const QString SKTGraphicFillColorKey = QStringLiteral("fillColor");
const QString SKTGraphicIsDrawingStrokeKey = QStringLiteral("drawingStroke");
const QString SKTGraphicStrokeColorKey = QStringLiteral("strokeColor");
const QString SKTGraphicStrokeWidthKey = QStringLiteral("strokeWidth");
const QString SKTGraphicBoundsKey = QStringLiteral("bounds");
const QString SKTGraphicDrawingBoundsKey = QStringLiteral("drawingBounds");
const QString SKTGraphicDrawingContentsKey = QStringLiteral("drawingContents");

bool Is_Number_Variant(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool: case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong:
    case QMetaType::ULongLong: case QMetaType::Double: case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

GraphicPtr SKTGraphic::create(GraphicKind kind, bool blank)
{
    GraphicPtr g;
    switch (kind) {
    case GraphicKind::Graphic: g.reset(new SKTGraphic(kind)); break;
    case GraphicKind::Line: g.reset(new SKTLine()); break;
    case GraphicKind::Text: g.reset(new SKTText()); break;
    case GraphicKind::Shape: g.reset(new Shape_Control()); break;
    case GraphicKind::Image: g.reset(new SKTImage()); break;
    case GraphicKind::Signature: g.reset(new SKTSignature()); break;
    case GraphicKind::Barcode: g.reset(new SKTBarcode()); break;
    }
    if (!blank)
        for (const GraphicField &f : Graphic_Fields())
            if (f.appliesTo(kind)) f.set(*g, f.defaultFor(kind));
    return g;
}

// ---- Change reporting ----

SKTGraphic::ChangeScope::ChangeScope(SKTGraphic &g) : m_g(g)
{
    // Only an owner that draws hears where (a text's drawing bounds lay its text out).
    if (m_g.m_changeDepth++ == 0 && m_g.m_owner && m_g.m_owner->observesDrawing())
        m_g.m_changeOldBounds = m_g.drawingBounds();
}

SKTGraphic::ChangeScope::~ChangeScope()
{
    if (--m_g.m_changeDepth != 0 || !m_g.m_owner) return;
    const bool where = m_g.m_owner->observesDrawing();
    m_g.m_owner->graphicDidChange(m_g, where ? m_g.m_changeOldBounds : QRectF(), where ? m_g.drawingBounds() : QRectF());
}

// ---- Geometry ----

void SKTGraphic::setBounds(const QRectF &bounds)
{
    ChangeScope scope(*this);
    _bounds = bounds;
}

namespace {
// The bounds with one of their edges or sizes changed.
QRectF changedBounds(QRectF b, void (QRectF::*change)(qreal), double value)
{
    (b.*change)(value);
    return b;
}
} // namespace

void SKTGraphic::setXPosition(double x) { setBounds(changedBounds(bounds(), &QRectF::moveLeft, x)); }
void SKTGraphic::setYPosition(double y) { setBounds(changedBounds(bounds(), &QRectF::moveTop, y)); }
void SKTGraphic::setWidth(double w) { setBounds(changedBounds(bounds(), &QRectF::setWidth, w)); }
void SKTGraphic::setHeight(double h) { setBounds(changedBounds(bounds(), &QRectF::setHeight, h)); }

QRectF SKTGraphic::drawingBounds() const
{
    // Room for the stroke, the handles and their one-point drop shadow.
    double margin = SKTGraphicHandleHalfWidth;
    if (isDrawingStroke() && _strokeWidth / 2 > margin) margin = _strokeWidth / 2;
    QRectF r = _bounds;
    if (m_kind == GraphicKind::Text || m_kind == GraphicKind::Shape) r = Rotated_Path_Rect(r, text_rotation);
    else if (m_kind == GraphicKind::Line) r = r.normalized();
    r.adjust(-margin, -margin, margin + 1, margin + 1);
    return r;
}

// ---- Fill and stroke ----

namespace {
QColor withAlpha(QColor &stored, float alpha)
{
    if (!stored.isValid()) return stored;
    // Opacities above 1 (the new control's 100.0 and 50.0) count as opaque.
    const float a = !(alpha > 0) ? 0.0f : alpha > 1 ? 1.0f : alpha;
    stored.setAlphaF(a);
    return stored;
}
} // namespace

QColor SKTGraphic::fillColor() { return withAlpha(_fillColor, alpha_val); }
QColor SKTGraphic::strokeColor() { return withAlpha(_strokeColor, alpha_val_stroke); }
QColor SKTGraphic::fill_hatch_bk_clr() { return withAlpha(_fill_htch_clr, alpha_val); }

void SKTGraphic::setColor(const QColor &color)
{
    if (!canSetDrawingFill()) return;
    ChangeScope scope(*this);
    setDrawingFill(true);
    setFillColor(color);
}

// ---- Text, barcode picture, binding ----

TextRecord &SKTGraphic::Text_contents()
{
    if (!_Text_contents)
        _Text_contents = TextRecord{Text_Value, Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size),
                                    QColor::fromRgbF(0, 0, 0, 1)};
    return *_Text_contents;
}

void SKTGraphic::Set_text_value(const QString &value)
{
    ChangeScope scope(*this);
    Text_Value = value;
    if (_Text_contents) _Text_contents->text = value;
}

void SKTGraphic::Set_Visitor_Photo_Mark(bool mark)
{
    if (m_visitorPhoto == mark) return;
    ChangeScope scope(*this);
    m_visitorPhoto = mark;
}

void SKTGraphic::Set_Barcode_image(const Picture &image)
{
    ChangeScope scope(*this);
    _barcode_image = image;
    setWidth(image.size().width());
    setHeight(image.size().height());
}

void SKTGraphic::Set_Data_source_type(int type)
{
    data_source_type = type;
    switch (type) {
    case 0:
        batch_list_index = -1;
        batch_list_name = QStringLiteral("");
        excel_binding = false;
        excel_col_indx = -1;
        break;
    case 1:
        excel_binding = false;
        excel_col_indx = -1;
        break;
    case 2:
        batch_list_index = -1;
        batch_list_name = QStringLiteral("");
        excel_binding = true;
        break;
    default:
        break;
    }
}

// ---- Copy and properties dictionary ----

GraphicPtr SKTGraphic::copy() const
{
    GraphicPtr c = create(m_kind);
    for (const GraphicField &f : Graphic_Fields())
        if (inMask(f.copiedBy, m_kind) && f.appliesTo(m_kind)) f.set(*c, f.get(*this));
    return c;
}

QVariantMap SKTGraphic::properties()
{
    QVariantMap p;
    p.insert(SKTGraphicBoundsKey, Rect_To_String(bounds()));
    p.insert(SKTGraphicIsDrawingFillKey, isDrawingFill());
    if (const QColor c = fillColor(); c.isValid()) p.insert(SKTGraphicFillColorKey, c);
    p.insert(SKTGraphicIsDrawingStrokeKey, isDrawingStroke());
    if (const QColor c = strokeColor(); c.isValid()) p.insert(SKTGraphicStrokeColorKey, c);
    p.insert(SKTGraphicStrokeWidthKey, strokeWidth());
    return p;
}

void SKTGraphic::initWithProperties(const QVariantMap &properties)
{
    auto value = [&](const QString &key) { return properties.value(key); };
    if (const QVariant v = value(SKTGraphicBoundsKey); v.typeId() == QMetaType::QString)
        _bounds = Rect_From_String(v.toString());
    if (const QVariant v = value(SKTGraphicIsDrawingFillKey); Is_Number_Variant(v)) _isDrawingFill = v.toBool();
    if (const QVariant v = value(SKTGraphicFillColorKey); v.typeId() == QMetaType::QColor) _fillColor = v.value<QColor>();
    if (const QVariant v = value(SKTGraphicIsDrawingStrokeKey); Is_Number_Variant(v)) _isDrawingStroke = v.toBool();
    if (const QVariant v = value(SKTGraphicStrokeColorKey); v.typeId() == QMetaType::QColor)
        _strokeColor = v.value<QColor>();
    if (const QVariant v = value(SKTGraphicStrokeWidthKey); Is_Number_Variant(v)) _strokeWidth = v.toDouble();
}

GraphicPtr SKTGraphic::createWithProperties(GraphicKind kind, const QVariantMap &properties)
{
    GraphicPtr g = create(kind);
    g->initWithProperties(properties);
    return g;
}

// ---- Observed keys ----

QStringList SKTGraphic::keysForValuesToObserveForUndo() const
{
    return {SKTGraphicIsDrawingFillKey,   SKTGraphicFillColorKey,   SKTGraphicIsDrawingStrokeKey,
            SKTGraphicStrokeColorKey,     SKTGraphicStrokeWidthKey, SKTGraphicBoundsKey};
}

QStringList SKTGraphic::keyPathsForValuesAffectingDrawingBounds() { return {SKTGraphicBoundsKey, SKTGraphicStrokeWidthKey}; }

QStringList SKTGraphic::keyPathsForValuesAffectingDrawingContents()
{
    return {SKTGraphicIsDrawingFillKey, SKTGraphicFillColorKey, SKTGraphicIsDrawingStrokeKey, SKTGraphicStrokeColorKey};
}

bool Is_Adjustment_Key(const QString &key)
{
    static const QSet<QString> keys{"img_trnsp_val", "hue_val", "sat_val", "brt_val", "con_val",
                                    "srp_val", "ev_val", "blr_val", "rotate_image"};
    return keys.contains(key);
}

bool Is_Sound_Stored_Adjustment(double value) { return std::abs(value) <= kLargestStoredAdjustment; }  // NaN fails too

bool Is_Sound_Stored_Geometry(const QRectF &bounds)
{
    for (double v : {bounds.x(), bounds.y(), bounds.width(), bounds.height()})
        if (!(std::abs(v) <= kLargestStoredCoordinate)) return false;  // NaN fails too
    return bounds.width() >= 0 && bounds.height() >= 0;
}
