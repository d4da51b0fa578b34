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
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

namespace {
using W = Row_Widget;
// How long typing may pause before the text is written into the control.
constexpr int kTypingPauseMs = 600;
const Row_Range kOffset{-100, 100, 1};

QFont fontOf(SKTGraphic &g)
{
    if (g.text_ctrl_font) return *g.text_ctrl_font;
    return Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size);
}

void setFont(SKTGraphic &g, const QFont &f) { g.setField(&SKTGraphic::text_ctrl_font, std::optional<QFont>(f)); }

// Size, bold and italic each change one part of the control's font.
Field_Binding fontPart(QVariant (*read)(const QFont &), void (*apply)(QFont &, const QVariant &))
{
    return Bind_With([read](SKTGraphic &g) { return read(fontOf(g)); },
                     [apply](SKTGraphic &g, const QVariant &v) {
                         QFont f = fontOf(g);
                         apply(f, v);
                         setFont(g, f);
                     });
}
} // namespace

void ControlPanels::buildTextTabs()
{
    // ---- Value, font and layout ----
    const QString value = tr("Text"), font = tr("Font");
    buildTab(text_edtng_tab, {
        {{.box = value, .kind = W::Text, .made = [this](QWidget *w) {
              text.value = qobject_cast<QPlainTextEdit *>(w);
              text.value->setMaximumHeight(90);
              w->parentWidget()->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
          }},
         Bind_With([](SKTGraphic &g) { return QVariant(g._Text_contents ? g._Text_contents->text : g.Text_Value); },
                   [](SKTGraphic &g, const QVariant &v) { g.Set_text_value(v.toString()); })},
        // The family list holds the installed families; a control's family that is not
        // installed is added, so that it shows as it is and stays unless it is changed.
        {{.box = font, .label = tr("Family"), .kind = W::Choice, .items = QFontDatabase::families(), .made = [this](QWidget *w) {
              text.family = qobject_cast<QComboBox *>(w);
              // Long family names must not widen the whole panel.
              text.family->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
              text.family->setMinimumContentsLength(14);
          }},
         Bind_With(
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
             })},
        {{.box = font, .label = tr("Size"), .kind = W::Decimal, .range = {1, 999, 1}, .made = Keep(text.size)},
         fontPart([](const QFont &f) { return QVariant(f.pointSizeF()); },
                  [](QFont &f, const QVariant &v) { f.setPointSizeF(v.toDouble()); })},
        {{.box = font, .label = tr("Bold"), .kind = W::Check, .made = Keep(text.bold)},
         fontPart([](const QFont &f) { return QVariant(f.bold()); }, [](QFont &f, const QVariant &v) { f.setBold(v.toBool()); })},
        {{.box = font, .label = tr("Italic"), .kind = W::Check, .made = Keep(text.italic)},
         fontPart([](const QFont &f) { return QVariant(f.italic()); },
                  [](QFont &f, const QVariant &v) { f.setItalic(v.toBool()); })},
        {{.box = font, .label = tr("Colour"), .kind = W::Colour, .made = Keep(text.color)}, Bind_Plain(QStringLiteral("txt_clr"))},
        {{.box = font, .label = tr("Alignment"), .kind = W::Choice,
          .items = {tr("Left"), tr("Right"), tr("Centre"), tr("Justified"), tr("Natural")}, .made = Keep(text.align)},
         Bind_Plain(QStringLiteral("text_alignmnet"))},
        {{.box = font, .label = tr("Vertical"), .kind = W::Choice, .items = {tr("Top"), tr("Bottom"), tr("Middle")},
          .made = Keep(text.vertical)},
         Bind_Plain(QStringLiteral("text_alignmnet_Vert"))},
        {{.box = font, .label = tr("Case"), .kind = W::Choice,
          .items = {tr("As typed"), tr("UPPER CASE"), tr("lower case"), tr("Capitalised Words")}, .made = Keep(text.textCase)},
         Bind_Plain(QStringLiteral("text_transfrom_case"))},
        {{.box = font, .label = tr("Letter spacing"), .kind = W::Decimal, .range = {-50, 100, 1}, .made = Keep(text.kerning)},
         Bind_Plain(QStringLiteral("text_kerning"))},
        {{.box = font, .label = tr("Rotation"), .kind = W::Whole, .range = {-360, 360}, .suffix = QStringLiteral("°"),
          .made = Keep(text.rotation)},
         Bind_Plain(QStringLiteral("text_rotation"))},
    });

    // Typing is written after a pause; every keystroke starts the pause again.
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].widget == text.value) m_valueField = i;
    text.valuePause = new QTimer(this);
    text.valuePause->setSingleShot(true);
    text.valuePause->setInterval(kTypingPauseMs);
    connect(text.value, &QPlainTextEdit::textChanged, this, [this] {
        if (!Not_Draw_Only_Prop_Change) text.valuePause->start();
    });
    connect(text.valuePause, &QTimer::timeout, this, [this] { fieldEdited(m_valueField, true); });

    // ---- Background, frame and shadow ----
    const QString fill = tr("Background"), shadow = tr("Shadow");
    std::vector<Panel_Row> rows = {
        {{.box = fill, .label = tr("Fill the background"), .kind = W::Check, .made = Keep(text.fillOn)},
         Bind_Plain(QStringLiteral("_isDrawingFill"))},
        {{.box = fill, .label = tr("Colour"), .kind = W::Colour, .colour = Qt::white, .made = Keep(text.fillColor)},
         Bind_Opaque_Color(QStringLiteral("_fillColor"))},
        {{.box = fill, .label = tr("Opacity"), .kind = W::Percent, .made = Keep(text.fillOpacity)},
         Bind_Percent(QStringLiteral("alpha_val"))},
    };
    const std::vector<Panel_Row> frame = strokeRows(text.frame, tr("Frame"), tr("Draw a frame"));
    rows.insert(rows.end(), frame.begin(), frame.end());
    rows.insert(rows.end(), {
        {{.box = shadow, .label = tr("Draw a shadow"), .kind = W::Check, .made = Keep(text.shadowOn)},
         Bind_Plain(QStringLiteral("Drawing_Shadow"))},
        {{.box = shadow, .label = tr("Colour"), .kind = W::Colour, .colour = Qt::blue, .made = Keep(text.shadowColor)},
         Bind_Opaque_Color(QStringLiteral("Shadow_Color"))},
        {{.box = shadow, .label = tr("Offset X"), .kind = W::Decimal, .range = kOffset, .made = Keep(text.shadowX)},
         Bind_Plain(QStringLiteral("Shadow_offset_X"))},
        {{.box = shadow, .label = tr("Offset Y"), .kind = W::Decimal, .range = kOffset, .made = Keep(text.shadowY)},
         Bind_Plain(QStringLiteral("Shadow_offset_Y"))},
        {{.box = shadow, .label = tr("Blur"), .kind = W::Decimal, .range = {0, 100, 1}, .made = Keep(text.shadowBlur)},
         Bind_Plain(QStringLiteral("Shadow_blur"))},
        {{.box = shadow, .label = tr("Opacity"), .kind = W::Percent, .made = Keep(text.shadowOpacity)},
         Bind_Percent(QStringLiteral("Shadow_transparency"))},
    });
    buildTab(text_prop_tab, rows);
}
