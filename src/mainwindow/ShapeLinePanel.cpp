// The line and shape pages of the control panels.
#include "ControlPanels.h"

#include "ColorWell.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "SKTGraphic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLayout>
#include <QSlider>
#include <QSpinBox>

namespace {
QSlider *percentSlider()
{
    auto *s = new QSlider(Qt::Horizontal);
    s->setRange(0, 100);
    return s;
}

QSpinBox *rotationBox()
{
    auto *s = new QSpinBox;
    s->setRange(-360, 360);
    s->setSuffix(QStringLiteral("°"));
    s->setKeyboardTracking(false);
    return s;
}

const QStringList kShapeCodes = {"R", "C", "RR", "T", "D", "S", "DS", "P"};
const QStringList kFillCodes = {"S", "G", "H"};
} // namespace

void ControlPanels::buildLineTab()
{
    auto *box = new QGroupBox(tr("Line"));
    auto *form = new QFormLayout(box);
    line.stroke = addStroke(line_tab, box, false, QString());
    line.cap = new QComboBox;
    line.cap->addItems({tr("Butt"), tr("Round"), tr("Square")});
    line.orientation = new QComboBox;
    line.orientation->addItems({tr("Horizontal"), tr("Vertical"), tr("Diagonal")});
    line.opacity = percentSlider();
    form->addRow(tr("Ends"), line.cap);
    form->addRow(tr("Orientation"), line.orientation);
    form->addRow(tr("Opacity"), line.opacity);
    body(line_tab)->layout()->addWidget(box);

    bind(Plain_Field(line.cap, line_tab, QStringLiteral("_line_cap_style")));
    bind(Plain_Field(line.orientation, line_tab, QStringLiteral("_line_ori")));
    bind(Percent_Field(line.opacity, line_tab, QStringLiteral("alpha_val_stroke")));
}

void ControlPanels::buildShapeTab()
{
    auto *kindBox = new QGroupBox(tr("Shape"));
    auto *kindForm = new QFormLayout(kindBox);
    shape.type = new QComboBox;
    shape.type->addItems({tr("Rectangle"), tr("Circle"), tr("Rounded Rectangle"), tr("Triangle"), tr("Diamond"),
                          tr("Star"), tr("Double Star"), tr("Polygon")});
    shape.cornerRadius = new QDoubleSpinBox;
    shape.cornerRadius->setRange(0, 500);
    shape.cornerRadius->setDecimals(1);
    shape.cornerRadius->setKeyboardTracking(false);
    shape.doubleStar = new QComboBox;
    shape.doubleStar->addItems({tr("7 points"), tr("9 points"), tr("11 points"), tr("13 points"), tr("15 points")});
    shape.polygon = new QComboBox;
    shape.polygon->addItems({tr("Four-point star"), tr("Pentagon"), tr("Hexagon"), tr("Heptagon"), tr("Octagon")});
    shape.rotation = rotationBox();
    kindForm->addRow(tr("Shape"), shape.type);
    kindForm->addRow(tr("Corner radius"), shape.cornerRadius);
    kindForm->addRow(tr("Star"), shape.doubleStar);
    kindForm->addRow(tr("Polygon"), shape.polygon);
    kindForm->addRow(tr("Rotation"), shape.rotation);

    auto *fillBox = new QGroupBox(tr("Fill"));
    auto *fillForm = new QFormLayout(fillBox);
    shape.fillOn = new QCheckBox(tr("Fill the shape"));
    shape.fillKind = new QComboBox;
    shape.fillKind->addItems({tr("Solid"), tr("Gradient"), tr("Hatch")});
    shape.fillColor = new ColorWell(Qt::white);
    shape.gradient1 = new ColorWell(Qt::white);
    shape.gradient2 = new ColorWell(Qt::white);
    shape.gradientAngle = new QSpinBox;
    shape.gradientAngle->setRange(0, 360);
    shape.gradientAngle->setKeyboardTracking(false);
    shape.hatch = new QComboBox;
    shape.hatch->addItems(Get_Files_Array_At_Path(Resource_Path + QStringLiteral("Fill_Style_Image"), 1));
    shape.hatchBack = new ColorWell(Qt::white);
    shape.fillOpacity = percentSlider();
    fillForm->addRow(shape.fillOn);
    fillForm->addRow(tr("Style"), shape.fillKind);
    fillForm->addRow(tr("Colour"), shape.fillColor);
    fillForm->addRow(tr("Gradient from"), shape.gradient1);
    fillForm->addRow(tr("Gradient to"), shape.gradient2);
    fillForm->addRow(tr("Angle"), shape.gradientAngle);
    fillForm->addRow(tr("Hatch"), shape.hatch);
    fillForm->addRow(tr("Hatch colour"), shape.hatchBack);
    fillForm->addRow(tr("Opacity"), shape.fillOpacity);

    auto *strokeBox = new QGroupBox(tr("Outline"));
    new QFormLayout(strokeBox);
    body(shape_tab)->layout()->addWidget(kindBox);
    body(shape_tab)->layout()->addWidget(fillBox);
    body(shape_tab)->layout()->addWidget(strokeBox);

    bind(Code_Field(shape.type, shape_tab, QStringLiteral("_shape_type"), kShapeCodes));
    bind(Plain_Field(shape.cornerRadius, shape_tab, QStringLiteral("cor_rad_val")));
    bind(Choice_Field(shape.doubleStar, shape_tab, QStringLiteral("double_star_type"), 1));
    bind(Choice_Field(shape.polygon, shape_tab, QStringLiteral("polygon_type"), 1));
    bind(Plain_Field(shape.rotation, shape_tab, QStringLiteral("text_rotation")));
    bind(Plain_Field(shape.fillOn, shape_tab, QStringLiteral("_isDrawingFill")));
    // A hatch needs a pattern: a control that has none gets the first one offered.
    PanelField kind = Code_Field(shape.fillKind, shape_tab, QStringLiteral("_fill_type"), kFillCodes);
    kind.write = [this, write = kind.write](SKTGraphic &g, const QVariant &v) {
        SKTGraphic::ChangeScope scope(g);
        write(g, v);
        if (g._fill_type == QLatin1String("H") && g._fill_hatch_type.isEmpty() && shape.hatch->count() > 0)
            g.setField(&SKTGraphic::_fill_hatch_type, shape.hatch->itemText(0));
    };
    bind(kind);
    bind(Opaque_Color_Field(shape.fillColor, shape_tab, QStringLiteral("_fillColor")));
    bind(Plain_Field(shape.gradient1, shape_tab, QStringLiteral("_fill_Grad_clr1")));
    bind(Plain_Field(shape.gradient2, shape_tab, QStringLiteral("_fill_Grad_clr2")));
    bind(Plain_Field(shape.gradientAngle, shape_tab, QStringLiteral("_fill_grad_angle")));
    bind({shape.hatch, shape_tab, [this](SKTGraphic &g) { return QVariant(shape.hatch->findText(g._fill_hatch_type)); },
          [this](SKTGraphic &g, const QVariant &v) {
              g.setField(&SKTGraphic::_fill_hatch_type, shape.hatch->itemText(v.toInt()));
          }});
    bind(Opaque_Color_Field(shape.hatchBack, shape_tab, QStringLiteral("_fill_htch_clr")));
    bind(Percent_Field(shape.fillOpacity, shape_tab, QStringLiteral("alpha_val")));
    shape.stroke = addStroke(shape_tab, strokeBox, true, tr("Draw the outline"));
}
