// The line and shape pages of the control panels.
#include "ControlPanels.h"

#include "ColorWell.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "SKTGraphic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

namespace {
using W = Row_Widget;
const QStringList kShapeCodes = {"R", "C", "RR", "T", "D", "S", "DS", "P"};
const QStringList kFillCodes = {"S", "G", "H"};
const Row_Range kRotation{-360, 360};
const QString kDegrees = QStringLiteral("°");
} // namespace

void ControlPanels::buildLineTab()
{
    const QString box = tr("Line");
    std::vector<Panel_Row> rows = strokeRows(line.stroke, box, QString());
    rows.insert(rows.end(), {
        {{.box = box, .label = tr("Ends"), .kind = W::Choice, .items = {tr("Butt"), tr("Round"), tr("Square")},
          .made = Keep(line.cap)},
         Bind_Plain(QStringLiteral("_line_cap_style"))},
        {{.box = box, .label = tr("Orientation"), .kind = W::Choice,
          .items = {tr("Horizontal"), tr("Vertical"), tr("Diagonal")}, .made = Keep(line.orientation)},
         Bind_Plain(QStringLiteral("_line_ori"))},
        {{.box = box, .label = tr("Opacity"), .kind = W::Percent, .made = Keep(line.opacity)},
         Bind_Percent(QStringLiteral("alpha_val_stroke"))},
    });
    buildTab(line_tab, rows);
}

void ControlPanels::buildShapeTab()
{
    const QString kind = tr("Shape"), fill = tr("Fill");
    // A hatch needs a pattern: a control that has none gets the first one offered.
    Field_Binding fillKind = [this](QWidget *w, int tab) {
        PanelField f = Code_Field(w, tab, QStringLiteral("_fill_type"), kFillCodes);
        f.write = [this, write = f.write](SKTGraphic &g, const QVariant &v) {
            SKTGraphic::ChangeScope scope(g);
            write(g, v);
            if (g._fill_type == QLatin1String("H") && g._fill_hatch_type.isEmpty() && shape.hatch->count() > 0)
                g.setField(&SKTGraphic::_fill_hatch_type, shape.hatch->itemText(0));
        };
        return f;
    };
    std::vector<Panel_Row> rows = {
        {{.box = kind, .label = tr("Shape"), .kind = W::Choice,
          .items = {tr("Rectangle"), tr("Circle"), tr("Rounded Rectangle"), tr("Triangle"), tr("Diamond"), tr("Star"),
                    tr("Double Star"), tr("Polygon")},
          .made = Keep(shape.type)},
         Bind_Code(QStringLiteral("_shape_type"), kShapeCodes)},
        {{.box = kind, .label = tr("Corner radius"), .kind = W::Decimal, .range = {0, 500, 1}, .made = Keep(shape.cornerRadius)},
         Bind_Plain(QStringLiteral("cor_rad_val"))},
        {{.box = kind, .label = tr("Star"), .kind = W::Choice,
          .items = {tr("7 points"), tr("9 points"), tr("11 points"), tr("13 points"), tr("15 points")},
          .made = Keep(shape.doubleStar)},
         Bind_Choice(QStringLiteral("double_star_type"), 1)},
        {{.box = kind, .label = tr("Polygon"), .kind = W::Choice,
          .items = {tr("Four-point star"), tr("Pentagon"), tr("Hexagon"), tr("Heptagon"), tr("Octagon")},
          .made = Keep(shape.polygon)},
         Bind_Choice(QStringLiteral("polygon_type"), 1)},
        {{.box = kind, .label = tr("Rotation"), .kind = W::Whole, .range = kRotation, .suffix = kDegrees, .made = Keep(shape.rotation)},
         Bind_Plain(QStringLiteral("text_rotation"))},

        {{.box = fill, .label = tr("Fill the shape"), .kind = W::Check, .made = Keep(shape.fillOn)},
         Bind_Plain(QStringLiteral("_isDrawingFill"))},
        {{.box = fill, .label = tr("Style"), .kind = W::Choice, .items = {tr("Solid"), tr("Gradient"), tr("Hatch")},
          .made = Keep(shape.fillKind)},
         fillKind},
        {{.box = fill, .label = tr("Colour"), .kind = W::Colour, .colour = Qt::white, .made = Keep(shape.fillColor)},
         Bind_Opaque_Color(QStringLiteral("_fillColor"))},
        {{.box = fill, .label = tr("Gradient from"), .kind = W::Colour, .colour = Qt::white, .made = Keep(shape.gradient1)},
         Bind_Plain(QStringLiteral("_fill_Grad_clr1"))},
        {{.box = fill, .label = tr("Gradient to"), .kind = W::Colour, .colour = Qt::white, .made = Keep(shape.gradient2)},
         Bind_Plain(QStringLiteral("_fill_Grad_clr2"))},
        {{.box = fill, .label = tr("Angle"), .kind = W::Whole, .range = {0, 360}, .made = Keep(shape.gradientAngle)},
         Bind_Plain(QStringLiteral("_fill_grad_angle"))},
        {{.box = fill, .label = tr("Hatch"), .kind = W::Choice,
          .items = Get_Files_Array_At_Path(Resource_Path + QStringLiteral("Fill_Style_Image"), 1), .made = Keep(shape.hatch)},
         Bind_With([this](SKTGraphic &g) { return QVariant(shape.hatch->findText(g._fill_hatch_type)); },
                   [this](SKTGraphic &g, const QVariant &v) {
                       g.setField(&SKTGraphic::_fill_hatch_type, shape.hatch->itemText(v.toInt()));
                   })},
        {{.box = fill, .label = tr("Hatch colour"), .kind = W::Colour, .colour = Qt::white, .made = Keep(shape.hatchBack)},
         Bind_Opaque_Color(QStringLiteral("_fill_htch_clr"))},
        {{.box = fill, .label = tr("Opacity"), .kind = W::Percent, .made = Keep(shape.fillOpacity)},
         Bind_Percent(QStringLiteral("alpha_val"))},
    };
    const std::vector<Panel_Row> outline = strokeRows(shape.stroke, tr("Outline"), tr("Draw the outline"));
    rows.insert(rows.end(), outline.begin(), outline.end());
    buildTab(shape_tab, rows);
}
