// The text pages of the control panels: the value and its font and layout, then the
// background, frame and shadow.
#include "ControlPanels.h"

#include "ColorWell.h"
#include "Globals.h"
#include "SKTText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QLayout>
#include <QPlainTextEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

namespace {
// How long typing may pause before the text is written into the control.
constexpr int kTypingPauseMs = 600;

QFont fontOf(SKTGraphic &g)
{
    if (g.text_ctrl_font) return *g.text_ctrl_font;
    return Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size);
}

void setFont(SKTGraphic &g, const QFont &f) { g.setField(&SKTGraphic::text_ctrl_font, std::optional<QFont>(f)); }

QDoubleSpinBox *decimalBox(double lo, double hi)
{
    auto *s = new QDoubleSpinBox;
    s->setRange(lo, hi);
    s->setDecimals(1);
    s->setKeyboardTracking(false);
    return s;
}

QSlider *percentSlider()
{
    auto *s = new QSlider(Qt::Horizontal);
    s->setRange(0, 100);
    return s;
}
} // namespace

void ControlPanels::buildTextTabs()
{
    // ---- Value, font and layout ----
    auto *valueBox = new QGroupBox(tr("Text"));
    auto *valueLayout = new QVBoxLayout(valueBox);
    text.value = new QPlainTextEdit;
    text.value->setMaximumHeight(90);
    valueLayout->addWidget(text.value);
    valueBox->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    text.valuePause = new QTimer(this);
    text.valuePause->setSingleShot(true);
    text.valuePause->setInterval(kTypingPauseMs);

    auto *fontBox = new QGroupBox(tr("Font"));
    auto *fontForm = new QFormLayout(fontBox);
    text.family = new QComboBox;
    text.family->addItems(QFontDatabase::families());
    // Long family names must not widen the whole panel.
    text.family->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    text.family->setMinimumContentsLength(14);
    text.size = decimalBox(1, 999);
    text.bold = new QCheckBox(tr("Bold"));
    text.italic = new QCheckBox(tr("Italic"));
    text.color = new ColorWell(Qt::black);
    text.align = new QComboBox;
    text.align->addItems({tr("Left"), tr("Right"), tr("Centre"), tr("Justified"), tr("Natural")});
    text.vertical = new QComboBox;
    text.vertical->addItems({tr("Top"), tr("Bottom"), tr("Middle")});
    text.textCase = new QComboBox;
    text.textCase->addItems({tr("As typed"), tr("UPPER CASE"), tr("lower case"), tr("Capitalised Words")});
    text.kerning = decimalBox(-50, 100);
    text.rotation = new QSpinBox;
    text.rotation->setRange(-360, 360);
    text.rotation->setSuffix(QStringLiteral("°"));
    text.rotation->setKeyboardTracking(false);
    fontForm->addRow(tr("Family"), text.family);
    fontForm->addRow(tr("Size"), text.size);
    fontForm->addRow(text.bold);
    fontForm->addRow(text.italic);
    fontForm->addRow(tr("Colour"), text.color);
    fontForm->addRow(tr("Alignment"), text.align);
    fontForm->addRow(tr("Vertical"), text.vertical);
    fontForm->addRow(tr("Case"), text.textCase);
    fontForm->addRow(tr("Letter spacing"), text.kerning);
    fontForm->addRow(tr("Rotation"), text.rotation);
    body(text_edtng_tab)->layout()->addWidget(valueBox);
    body(text_edtng_tab)->layout()->addWidget(fontBox);

    m_valueField = bind({text.value, text_edtng_tab,
                         [](SKTGraphic &g) { return QVariant(g._Text_contents ? g._Text_contents->text : g.Text_Value); },
                         [](SKTGraphic &g, const QVariant &v) { g.Set_text_value(v.toString()); }});
    connect(text.value, &QPlainTextEdit::textChanged, this, [this] {
        if (!Not_Draw_Only_Prop_Change) text.valuePause->start();
    });
    connect(text.valuePause, &QTimer::timeout, this, [this] { fieldEdited(m_valueField, true); });

    // The family list holds the installed families; a control's family that is not
    // installed is added, so that it shows as it is and stays unless it is changed.
    bind({text.family, text_edtng_tab,
          [this](SKTGraphic &g) {
              const QString family = fontOf(g).family();
              if (text.family->findText(family) < 0) text.family->addItem(family);
              return QVariant(text.family->findText(family));
          },
          [this](SKTGraphic &g, const QVariant &v) {
              const QFont now = fontOf(g);
              QFont f = Font_With_Name(text.family->itemText(v.toInt()), now.pointSizeF());
              f.setBold(now.bold());
              f.setItalic(now.italic());
              setFont(g, f);
          }});
    // Size, bold and italic each change one part of the control's font.
    const auto fontPart = [this](QWidget *w, QVariant (*read)(const QFont &), void (*apply)(QFont &, const QVariant &)) {
        bind({w, text_edtng_tab, [read](SKTGraphic &g) { return read(fontOf(g)); },
              [apply](SKTGraphic &g, const QVariant &v) {
                  QFont f = fontOf(g);
                  apply(f, v);
                  setFont(g, f);
              }});
    };
    fontPart(text.size, [](const QFont &f) { return QVariant(f.pointSizeF()); },
             [](QFont &f, const QVariant &v) { f.setPointSizeF(v.toDouble()); });
    fontPart(text.bold, [](const QFont &f) { return QVariant(f.bold()); },
             [](QFont &f, const QVariant &v) { f.setBold(v.toBool()); });
    fontPart(text.italic, [](const QFont &f) { return QVariant(f.italic()); },
             [](QFont &f, const QVariant &v) { f.setItalic(v.toBool()); });
    bind(Plain_Field(text.color, text_edtng_tab, QStringLiteral("txt_clr")));
    bind(Plain_Field(text.align, text_edtng_tab, QStringLiteral("text_alignmnet")));
    bind(Plain_Field(text.vertical, text_edtng_tab, QStringLiteral("text_alignmnet_Vert")));
    bind(Plain_Field(text.textCase, text_edtng_tab, QStringLiteral("text_transfrom_case")));
    bind(Plain_Field(text.kerning, text_edtng_tab, QStringLiteral("text_kerning")));
    bind(Plain_Field(text.rotation, text_edtng_tab, QStringLiteral("text_rotation")));

    // ---- Background, frame and shadow ----
    auto *fillBox = new QGroupBox(tr("Background"));
    auto *fillForm = new QFormLayout(fillBox);
    text.fillOn = new QCheckBox(tr("Fill the background"));
    text.fillColor = new ColorWell(Qt::white);
    text.fillOpacity = percentSlider();
    fillForm->addRow(text.fillOn);
    fillForm->addRow(tr("Colour"), text.fillColor);
    fillForm->addRow(tr("Opacity"), text.fillOpacity);
    bind(Plain_Field(text.fillOn, text_prop_tab, QStringLiteral("_isDrawingFill")));
    bind(Opaque_Color_Field(text.fillColor, text_prop_tab, QStringLiteral("_fillColor")));
    bind(Percent_Field(text.fillOpacity, text_prop_tab, QStringLiteral("alpha_val")));

    auto *frameBox = new QGroupBox(tr("Frame"));
    new QFormLayout(frameBox);
    text.frame = addStroke(text_prop_tab, frameBox, true, tr("Draw a frame"));

    auto *shadowBox = new QGroupBox(tr("Shadow"));
    auto *shadowForm = new QFormLayout(shadowBox);
    text.shadowOn = new QCheckBox(tr("Draw a shadow"));
    text.shadowColor = new ColorWell(Qt::blue);
    text.shadowX = decimalBox(-100, 100);
    text.shadowY = decimalBox(-100, 100);
    text.shadowBlur = decimalBox(0, 100);
    text.shadowOpacity = percentSlider();
    shadowForm->addRow(text.shadowOn);
    shadowForm->addRow(tr("Colour"), text.shadowColor);
    shadowForm->addRow(tr("Offset X"), text.shadowX);
    shadowForm->addRow(tr("Offset Y"), text.shadowY);
    shadowForm->addRow(tr("Blur"), text.shadowBlur);
    shadowForm->addRow(tr("Opacity"), text.shadowOpacity);
    bind(Plain_Field(text.shadowOn, text_prop_tab, QStringLiteral("Drawing_Shadow")));
    bind(Opaque_Color_Field(text.shadowColor, text_prop_tab, QStringLiteral("Shadow_Color")));
    bind(Plain_Field(text.shadowX, text_prop_tab, QStringLiteral("Shadow_offset_X")));
    bind(Plain_Field(text.shadowY, text_prop_tab, QStringLiteral("Shadow_offset_Y")));
    bind(Plain_Field(text.shadowBlur, text_prop_tab, QStringLiteral("Shadow_blur")));
    bind(Percent_Field(text.shadowOpacity, text_prop_tab, QStringLiteral("Shadow_transparency")));

    body(text_prop_tab)->layout()->addWidget(fillBox);
    body(text_prop_tab)->layout()->addWidget(frameBox);
    body(text_prop_tab)->layout()->addWidget(shadowBox);
}
