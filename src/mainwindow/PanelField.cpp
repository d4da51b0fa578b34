#include "PanelField.h"

#include "ColorWell.h"
#include "GraphicFields.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QSpinBox>
#include <cmath>

QVariant Widget_Value(const QWidget *w)
{
    if (auto *c = qobject_cast<const ColorWell *>(w)) return c->color();
    if (auto *b = qobject_cast<const QAbstractButton *>(w)) return b->isChecked();
    if (auto *c = qobject_cast<const QComboBox *>(w)) return c->currentIndex();
    if (auto *s = qobject_cast<const QDoubleSpinBox *>(w)) return s->value();
    if (auto *s = qobject_cast<const QSpinBox *>(w)) return s->value();
    if (auto *s = qobject_cast<const QAbstractSlider *>(w)) return s->value();
    if (auto *e = qobject_cast<const QLineEdit *>(w)) return e->text();
    if (auto *e = qobject_cast<const QPlainTextEdit *>(w)) return e->toPlainText();
    return {};
}

void Set_Widget_Value(QWidget *w, const QVariant &v)
{
    const QVariant n = Widget_Normalised(w, v);
    if (auto *well = qobject_cast<ColorWell *>(w)) well->setColor(n.value<QColor>());
    else if (auto *button = qobject_cast<QAbstractButton *>(w)) button->setChecked(n.toBool());
    else if (auto *combo = qobject_cast<QComboBox *>(w)) combo->setCurrentIndex(n.toInt());
    else if (auto *decimal = qobject_cast<QDoubleSpinBox *>(w)) decimal->setValue(n.toDouble());
    else if (auto *whole = qobject_cast<QSpinBox *>(w)) whole->setValue(n.toInt());
    else if (auto *slider = qobject_cast<QAbstractSlider *>(w)) slider->setValue(n.toInt());
    else if (auto *line = qobject_cast<QLineEdit *>(w)) line->setText(n.toString());
    else if (auto *text = qobject_cast<QPlainTextEdit *>(w)) {
        // Setting the same text again would move the cursor of someone typing.
        if (text->toPlainText() != n.toString()) text->setPlainText(n.toString());
    }
}

QVariant Widget_Normalised(const QWidget *w, const QVariant &v)
{
    auto whole = [&v](int lo, int hi) {
        const double d = v.toDouble();
        if (!std::isfinite(d)) return lo;
        return int(std::lround(std::clamp(d, double(lo), double(hi))));
    };
    if (qobject_cast<const ColorWell *>(w)) return v.value<QColor>();
    if (qobject_cast<const QAbstractButton *>(w)) return v.toBool();
    if (auto *c = qobject_cast<const QComboBox *>(w)) return whole(-1, c->count() - 1);
    if (auto *s = qobject_cast<const QDoubleSpinBox *>(w)) {
        // As the spin box rounds a value it is given: to its decimals, then its range.
        double d = v.toDouble();
        if (!std::isfinite(d)) d = s->minimum();
        d = QString::number(d, 'f', s->decimals()).toDouble();
        return std::clamp(d, s->minimum(), s->maximum());
    }
    if (auto *s = qobject_cast<const QSpinBox *>(w)) return whole(s->minimum(), s->maximum());
    if (auto *s = qobject_cast<const QAbstractSlider *>(w)) return whole(s->minimum(), s->maximum());
    return v.toString();
}

void On_Widget_Edited(QWidget *w, QObject *context, const std::function<void(bool)> &edited)
{
    auto now = [edited] { edited(true); };
    if (auto *well = qobject_cast<ColorWell *>(w)) QObject::connect(well, &ColorWell::colorChanged, context, now);
    else if (auto *button = qobject_cast<QAbstractButton *>(w)) QObject::connect(button, &QAbstractButton::toggled, context, now);
    else if (auto *combo = qobject_cast<QComboBox *>(w)) QObject::connect(combo, &QComboBox::currentIndexChanged, context, now);
    else if (auto *decimal = qobject_cast<QDoubleSpinBox *>(w)) QObject::connect(decimal, &QDoubleSpinBox::valueChanged, context, now);
    else if (auto *whole = qobject_cast<QSpinBox *>(w)) QObject::connect(whole, &QSpinBox::valueChanged, context, now);
    else if (auto *slider = qobject_cast<QAbstractSlider *>(w)) {
        QObject::connect(slider, &QAbstractSlider::valueChanged, context, [slider, edited] { edited(!slider->isSliderDown()); });
        QObject::connect(slider, &QAbstractSlider::sliderReleased, context, now);
    } else if (auto *line = qobject_cast<QLineEdit *>(w)) QObject::connect(line, &QLineEdit::editingFinished, context, now);
    // A multi-line text box is applied by its panel (after a pause in typing).
}

void Confirm_Typing(QWidget *box)
{
    if (auto *number = qobject_cast<QAbstractSpinBox *>(box)) {
        number->interpretText();  // valueChanged when the typed number differs
    } else if (auto *line = qobject_cast<QLineEdit *>(box); line && !line->isReadOnly() && line->isModified()) {
        // Once per edit: the box shows what was written from now on.
        line->setModified(false);
        emit line->editingFinished();
    }
}

// ---- Field ties ----

namespace {
QVariant toVariant(const FieldValue &v)
{
    return std::visit(
        [](const auto &x) -> QVariant {
            using X = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<X, bool> || std::is_same_v<X, int> || std::is_same_v<X, double> ||
                          std::is_same_v<X, QString> || std::is_same_v<X, QColor>)
                return x;
            else if constexpr (std::is_same_v<X, float>)
                return double(x);
            else
                return {};
        },
        v);
}

// The widget's value as a value of the field's own type.
FieldValue like(const FieldValue &field, const QVariant &v)
{
    switch (field.index()) {
    case 0: return v.toBool();
    case 1: return v.toInt();
    case 2: return v.toFloat();
    case 3: return v.toDouble();
    case 5: return v.toString();
    case 6: return v.value<QColor>();
    default: return field;
    }
}

FieldValue valueOf(SKTGraphic &g, const QString &name)
{
    return Graphic_Field_Value(g, name).value_or(FieldValue(false));
}

void store(SKTGraphic &g, const QString &name, const QVariant &v)
{
    Set_Graphic_Field_Value(g, name, like(valueOf(g, name), v));
}
} // namespace

PanelField Plain_Field(QWidget *widget, int tab, const QString &name)
{
    return {widget, tab, [name](SKTGraphic &g) { return toVariant(valueOf(g, name)); },
            [name](SKTGraphic &g, const QVariant &v) { store(g, name, v); }};
}

PanelField Percent_Field(QWidget *widget, int tab, const QString &name)
{
    return {widget, tab,
            [name](SKTGraphic &g) { return std::min(100.0, toVariant(valueOf(g, name)).toDouble() * 100.0); },
            [name](SKTGraphic &g, const QVariant &v) { store(g, name, v.toDouble() / 100.0); }};
}

PanelField Code_Field(QWidget *widget, int tab, const QString &name, const QStringList &codes)
{
    return {widget, tab,
            [name, codes](SKTGraphic &g) {
                return int(std::max<qsizetype>(0, codes.indexOf(toVariant(valueOf(g, name)).toString())));
            },
            [name, codes](SKTGraphic &g, const QVariant &v) { store(g, name, codes.value(v.toInt(), codes.value(0))); }};
}

PanelField Choice_Field(QWidget *widget, int tab, const QString &name, int first)
{
    return {widget, tab,
            [widget, name, first](SKTGraphic &g) {
                const int index = toVariant(valueOf(g, name)).toInt() - first;
                const auto *combo = qobject_cast<const QComboBox *>(widget);
                return index >= 0 && combo && index < combo->count() ? index : 0;
            },
            [name, first](SKTGraphic &g, const QVariant &v) { store(g, name, v.toInt() + first); }};
}

PanelField Opaque_Color_Field(QWidget *widget, int tab, const QString &name)
{
    auto opaque = [](QColor c) {
        if (c.isValid()) c.setAlphaF(1);
        return c;
    };
    return {widget, tab, [name, opaque](SKTGraphic &g) { return opaque(toVariant(valueOf(g, name)).value<QColor>()); },
            [name, opaque](SKTGraphic &g, const QVariant &v) { store(g, name, opaque(v.value<QColor>())); }};
}

Field_Binding Bind_Plain(const QString &name)
{
    return [name](QWidget *w, int tab) { return Plain_Field(w, tab, name); };
}

Field_Binding Bind_Percent(const QString &name)
{
    return [name](QWidget *w, int tab) { return Percent_Field(w, tab, name); };
}

Field_Binding Bind_Code(const QString &name, const QStringList &codes)
{
    return [name, codes](QWidget *w, int tab) { return Code_Field(w, tab, name, codes); };
}

Field_Binding Bind_Choice(const QString &name, int first)
{
    return [name, first](QWidget *w, int tab) { return Choice_Field(w, tab, name, first); };
}

Field_Binding Bind_Opaque_Color(const QString &name)
{
    return [name](QWidget *w, int tab) { return Opaque_Color_Field(w, tab, name); };
}

Field_Binding Bind_With(std::function<QVariant(SKTGraphic &)> shown,
                        std::function<void(SKTGraphic &, const QVariant &)> write)
{
    return [shown, write](QWidget *w, int tab) { return PanelField{w, tab, shown, write}; };
}

const QStringList &Dash_Codes()
{
    static const QStringList codes = {"S", "DA", "DO", "DD", "DDD"};
    return codes;
}

QStringList Dash_Style_Names()
{
    return {QObject::tr("Solid"), QObject::tr("Dash"), QObject::tr("Dot"), QObject::tr("Dash Dot"),
            QObject::tr("Dash Dot Dot")};
}
