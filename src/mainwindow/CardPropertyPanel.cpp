#include "AdjustmentChain.h"
#include "CardPropertyPanel.h"

#include "Card_Property.h"
#include "ColorWell.h"
#include "Dialogs.h"
#include "Globals.h"
#include "ScopedFlag.h"
#include "MainWindowLayout.h"
#include "PanelField.h"
#include "Picture.h"
#include "PropertyPanelHost.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "Scroll_Panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace {
using W = Row_Widget;
const QStringList kBorderStyles = {"S", "DA", "DO", "DD", "DDD"};
const QStringList kFillStyles = {"S", "G", "H", "I"};
const QStringList kShapes = {"R", "RR", "E"};
const char *kUnitNames[3] = {"in", "cm", "mm"};

// A code shown as its index in the list (an unknown code as the first item).
int indexOf(const QStringList &codes, const QString &code) { return int(std::max<qsizetype>(0, codes.indexOf(code))); }
// A fraction 0..1 shown on a percent slider (100.0, a new card's, shows as 100).
QVariant percent(float fraction) { return int(std::min(100.0, double(fraction) * 100.0)); }
} // namespace

CardPropertyPanel::CardPropertyPanel(PropertyPanelHost &host, MainWindowLayout &ui, QObject *parent)
    : QObject(parent), m_host(host), m_ui(ui)
{
    buildCardTab();
    buildSizeTab();
    buildBackgroundTab();
    buildBorderTab();
    buildGeometryBox();
}

void CardPropertyPanel::buildTab(int tab, const std::vector<Card_Row> &rows)
{
    // The page scrolls when the window is too low for it.
    auto *body = new QWidget;
    auto *page = new QVBoxLayout(body);
    page->setContentsMargins(0, 0, 0, 0);
    m_ui.tabPages[size_t(tab)]->layout()->addWidget(Scrolling_Page(body));
    std::vector<Form_Row> forms;
    for (const Card_Row &row : rows) forms.push_back(row.form);
    const std::vector<QWidget *> widgets = Build_Form_Rows(page, forms);
    page->addStretch(1);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].shown) m_bound.emplace_back(widgets[i], rows[i]);
        if (rows[i].notify) On_Widget_Edited(widgets[i], this, [this](bool) { changed(); });
    }
}

void CardPropertyPanel::buildCardTab()
{
    const QString box = tr("Card");
    buildTab(card_setting_tab, {
        {{.box = box, .label = tr("Name"), .kind = W::Line, .made = Keep(Card_Name_Text)},
         [](const Card_Property &p) { return QVariant(p.Card_Name()); },
         [](Card_Property &p, const QVariant &v) {
             const QString name = v.toString().trimmed();
             p.setCard_Name(name.isEmpty() ? default_file_name : name);
         },
         true},
        {{.box = box, .label = tr("Sides"), .kind = W::Choice, .items = {tr("Two sides"), tr("One side")},
          .made = Keep(Sides_ComboBox)},
         [](const Card_Property &p) { return QVariant(p.Card_Side() == QLatin1String("1") ? 1 : 0); },
         [](Card_Property &p, const QVariant &v) { p.setCard_Side(v.toInt() == 1 ? QStringLiteral("1") : QStringLiteral("2")); },
         true},
        {{.box = box, .label = tr("Shape"), .kind = W::Choice,
          .items = {tr("Rectangle"), tr("Rounded Rectangle"), tr("Ellipse")}, .made = Keep(Shape_ComboBox)},
         [](const Card_Property &p) { return QVariant(indexOf(kShapes, p.Card_Shape())); },
         [](Card_Property &p, const QVariant &v) { p.setCard_Shape(kShapes.value(v.toInt(), QStringLiteral("R"))); },
         true},
    });
}

void CardPropertyPanel::buildGeometryBox()
{
    const QString box = tr("Position and Size");
    const Row_Range position{-10000, 10000, 2}, size{0, 10000, 2};
    std::vector<QGroupBox *> boxes;
    const std::vector<QWidget *> fields = Build_Form_Rows(
        static_cast<QVBoxLayout *>(m_ui.Right_Prop_Box->layout()),
        {
            {.box = box, .label = tr("X (pt)"), .kind = W::Decimal, .range = position, .made = Keep(X_Text)},
            {.box = box, .label = tr("Y (pt)"), .kind = W::Decimal, .range = position, .made = Keep(Y_Text)},
            {.box = box, .kind = W::Decimal, .range = size, .made = Keep(Ctrl_Width_Text), .labelMade = Keep(ctrl_width_label)},
            {.box = box, .kind = W::Decimal, .range = size, .made = Keep(Ctrl_Height_Text), .labelMade = Keep(ctrl_height_label)},
        },
        &boxes);
    geometryBox = boxes.front();
    geometryBox->setObjectName(QStringLiteral("geometryBox"));
    for (QWidget *f : fields)
        connect(static_cast<QDoubleSpinBox *>(f), &QDoubleSpinBox::valueChanged, this, &CardPropertyPanel::geometryTyped);
    showControlGeometry(nullptr);
}

void CardPropertyPanel::geometryTyped()
{
    if (Not_Draw_Only_Prop_Change || !shownControlAlive()) return;
    const std::shared_ptr<SKTGraphic> shown = m_shownControl.lock();
    SKTGraphic *g = shown.get();
    if (g->ctrl_is_locked) return;
    const double toPoints = MM_to_Points_Convert(Get_Unit_Convertor(Measument_Unit_Is, 2));
    QRectF r(X_Text->value(), Y_Text->value(), g->width(), g->height());
    if (g->kind() != GraphicKind::Barcode)
        r.setSize(QSizeF(Ctrl_Width_Text->value() * toPoints, Ctrl_Height_Text->value() * toPoints));
    if (r == g->bounds()) return;
    g->setBounds(r);
    SKTGraphicView::check_barcode_and_set_control_bounds(g);
    m_host.Insert_In_Undo_Redo();
}

void CardPropertyPanel::buildSizeTab()
{
    const QString box = tr("Card Size (mm)");
    const Row_Range size{0.01, Largest_Card_Side_Shown(2), 3};
    buildTab(card_size_tab, {
        {{.box = box, .label = tr("Unit"), .kind = W::Choice, .items = {tr("Inch"), tr("Centimetre"), tr("Millimetre")},
          .made = [this](QWidget *w) {
              Unit_ComboBox = qobject_cast<QComboBox *>(w);
              Unit_ComboBox->setCurrentIndex(2);
              sizeBox = qobject_cast<QGroupBox *>(w->parentWidget());
              sizeBox->setObjectName(QStringLiteral("sizeBox"));
          }}},
        {{.box = box, .label = tr("Category"), .kind = W::Choice,
          .items = {QStringLiteral("PVC Card"), QStringLiteral("Paper Card")}, .made = Keep(Category_ComboBox)},
         [](const Card_Property &p) { return QVariant(p.Card_Category() == QLatin1String("PVC Card") ? 0 : 1); },
         [this](Card_Property &p, const QVariant &) { p.setCard_Category(Category_ComboBox->currentText()); }},
        {{.box = box, .label = tr("Preset"), .kind = W::Choice,
          .items = {QStringLiteral("Horizontal"), QStringLiteral("Vertical"), QStringLiteral("Custom")},
          .made = Keep(Preset_ComboBox)},
         [this](const Card_Property &p) { return QVariant(std::max(0, Preset_ComboBox->findText(p.Card_Preset()))); },
         [this](Card_Property &p, const QVariant &) { p.setCard_Preset(Preset_ComboBox->currentText()); }},
        {{.box = box, .kind = W::List, .made = [this](QWidget *w) {
              ColList = qobject_cast<QListWidget *>(w);
              ColList->setMaximumHeight(150);
          }}},
        {{.box = box, .kind = W::Decimal, .range = size, .live = true, .made = Keep(width_Text), .labelMade = Keep(width_label)}},
        {{.box = box, .kind = W::Decimal, .range = size, .live = true, .made = Keep(height_Text), .labelMade = Keep(height_label)}},
        {{.box = box, .label = tr("Apply"), .kind = W::Button, .made = [this](QWidget *w) {
              connect(static_cast<QPushButton *>(w), &QPushButton::clicked, this, &CardPropertyPanel::applyTypedSize);
          }}},
    });

    auto fillList = [this] {
        ColList->blockSignals(true);
        ColList->clear();
        ColList->addItems(m_host.Card_Size_Names(Category_ComboBox->currentIndex() == 0));
        ColList->blockSignals(false);
    };
    fillList();
    connect(Category_ComboBox, &QComboBox::currentIndexChanged, this, [fillList] { fillList(); });
    connect(ColList, &QListWidget::currentRowChanged, this, &CardPropertyPanel::presetChosen);
    connect(Preset_ComboBox, &QComboBox::currentIndexChanged, this, &CardPropertyPanel::presetChosen);
    connect(Unit_ComboBox, &QComboBox::currentIndexChanged, this, [this](int unit) {
        last_unit_val = Measument_Unit_Is;
        Measument_Unit_Is = unit;
        m_host.Apply_unit_Chaneg_Values();
        m_host._setLabels();
        last_unit_val = Measument_Unit_Is;
    });
}

void CardPropertyPanel::buildBackgroundTab()
{
    const QString box = tr("Fill");
    const QColor white = Qt::white;
    buildTab(card_bkgd_tab, {
        {{.box = box, .label = tr("Fill the card"), .kind = W::Check, .made = Keep(Card_fill_chk)},
         [](const Card_Property &p) { return QVariant(p.Card_fill_chk()); },
         [](Card_Property &p, const QVariant &v) { p.setCard_fill_chk(v.toBool()); },
         true},
        {{.box = box, .label = tr("Style"), .kind = W::Choice, .items = {tr("Solid"), tr("Gradient"), tr("Hatch"), tr("Picture")},
          .made = Keep(Fill_Style_ComboBox)},
         [](const Card_Property &p) { return QVariant(indexOf(kFillStyles, p.Card_fill_style())); },
         [](Card_Property &p, const QVariant &v) { p.setCard_fill_style(kFillStyles.value(v.toInt(), QStringLiteral("S"))); }},
        // The solid colour is shown opaque; it takes the card's opacity when stored.
        {{.box = box, .label = tr("Colour"), .kind = W::Colour, .colour = white, .made = Keep(Card_fill_clr)},
         [](const Card_Property &p) {
             QColor solid = p.Card_fill_clr();
             solid.setAlphaF(1);
             return QVariant(solid);
         },
         [this](Card_Property &p, const QVariant &v) {
             QColor solid = v.value<QColor>();
             solid.setAlphaF(float(Card_alpha_Slider->value() / 100.0));
             p.setCard_fill_clr(solid);
         },
         true},
        {{.box = box, .label = tr("Gradient from"), .kind = W::Colour, .colour = white, .made = Keep(Card_fill_Grd_1_clr)},
         [](const Card_Property &p) { return QVariant(p.Card_fill_Grd_1_clr()); },
         [](Card_Property &p, const QVariant &v) { p.setCard_fill_Grd_1_clr(v.value<QColor>()); },
         true},
        {{.box = box, .label = tr("Gradient to"), .kind = W::Colour, .colour = white, .made = Keep(Card_fill_Grd_2_clr)},
         [](const Card_Property &p) { return QVariant(p.Card_fill_Grd_2_clr()); },
         [](Card_Property &p, const QVariant &v) { p.setCard_fill_Grd_2_clr(v.value<QColor>()); },
         true},
        {{.box = box, .label = tr("Angle"), .kind = W::Whole, .range = {0, 360}, .live = true, .made = Keep(Card_grad_Stepper)},
         [](const Card_Property &p) { return QVariant(p.Card_grad_Stepper()); },
         [](Card_Property &p, const QVariant &v) { p.setCard_grad_Stepper(v.toInt()); },
         true},
        {{.box = box, .label = tr("Hatch"), .kind = W::Choice, .made = Keep(Card_hatch_style)},
         [this](const Card_Property &p) { return QVariant(std::max(0, Card_hatch_style->findText(p.Card_hatch_style()))); },
         [this](Card_Property &p, const QVariant &) { p.setCard_hatch_style(Card_hatch_style->currentText()); },
         true},
        {{.box = box, .label = tr("Hatch colour"), .kind = W::Colour, .colour = white, .made = Keep(Card_hatch_bk_clr)},
         [](const Card_Property &p) { return QVariant(p.Card_hatch_bk_clr()); },
         [](Card_Property &p, const QVariant &v) { p.setCard_hatch_bk_clr(v.value<QColor>()); },
         true},
        {{.box = box, .label = tr("Opacity"), .kind = W::Percent, .made = Keep(Card_alpha_Slider)},
         [](const Card_Property &p) { return percent(p.Card_alpha_Stepper()); },
         [](Card_Property &p, const QVariant &v) { p.setCard_alpha_Stepper(float(v.toInt() / 100.0)); },
         true},
        {{.box = box, .kind = W::List, .made = [this](QWidget *w) {
              imageBrowser = qobject_cast<QListWidget *>(w);
              imageBrowser->setViewMode(QListView::IconMode);
              imageBrowser->setIconSize(QSize(80, 51));
              imageBrowser->setMaximumHeight(160);
          }}},
        {{.box = box, .label = tr("Layout"), .kind = W::Choice, .items = {QStringLiteral("Tile"), QStringLiteral("Stretch")},
          .made = Keep(Card_image_layout)},
         [](const Card_Property &p) { return QVariant(p.Card_BG_Image_Layout() == QLatin1String("Tile") ? 0 : 1); },
         [this](Card_Property &p, const QVariant &) { p.setCard_BG_Image_Layout(Card_image_layout->currentText()); },
         true},
        {{.box = box, .kind = W::Path, .made = Keep(Card_BG_Path)}},
        {{.box = box, .label = tr("Browse..."), .kind = W::Button, .beside = true, .made = [this](QWidget *w) {
              connect(static_cast<QPushButton *>(w), &QPushButton::clicked, this, [this] {
                  FilePanelRequest r;
                  r.title = tr("Choose a background picture");
                  r.extensions = m_host.Panel_Image_File_Types();
                  const QStringList chosen = Run_File_Panel(r);
                  // A file that is no picture is refused with a message: the background stays.
                  if (!chosen.isEmpty() && Picture_File_Opens(chosen.front())) chooseBackground(chosen.front());
              });
          }}},
    });
    connect(Fill_Style_ComboBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        showFillChoice(kFillStyles.value(i));
        changed();
    });
    connect(imageBrowser, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) chooseBackground(imageBrowser->item(row)->data(Qt::UserRole).toString());
    });
}

void CardPropertyPanel::chooseBackground(const QString &path)
{
    m_bgPath = path;
    Card_BG_Path->setText(m_bgPath);
    Fill_Style_ComboBox->setCurrentIndex(3);
    Card_fill_chk->setChecked(true);
    changed();
}

void CardPropertyPanel::buildBorderTab()
{
    const QString border = tr("Border"), mark = tr("Watermark");
    buildTab(card_brdr_tab, {
        {{.box = border, .label = tr("Draw a border"), .kind = W::Check, .made = Keep(Card_border_chk)},
         [](const Card_Property &p) { return QVariant(p.Card_border_chk()); },
         [](Card_Property &p, const QVariant &v) { p.setCard_border_chk(v.toBool()); },
         true},
        {{.box = border, .label = tr("Colour"), .kind = W::Colour, .made = Keep(Card_bordr_clr)},
         [](const Card_Property &p) { return QVariant(p.Card_bordr_clr()); },
         [](Card_Property &p, const QVariant &v) { p.setCard_bordr_clr(v.value<QColor>()); },
         true},
        {{.box = border, .label = tr("Width"), .kind = W::Whole, .range = {1, 50}, .live = true, .made = Keep(Card_bor_Stepper)},
         [](const Card_Property &p) { return QVariant(p.Card_bor_Stepper()); },
         [](Card_Property &p, const QVariant &v) { p.setCard_bor_Stepper(v.toInt()); },
         true},
        {{.box = border, .label = tr("Style"), .kind = W::Choice, .items = Dash_Style_Names(), .made = Keep(Card_border_style)},
         [](const Card_Property &p) { return QVariant(indexOf(kBorderStyles, p.Card_border_style())); },
         [](Card_Property &p, const QVariant &v) { p.setCard_border_style(kBorderStyles.value(v.toInt(), QStringLiteral("S"))); },
         true},
        {{.box = mark, .label = tr("Show a watermark"), .kind = W::Check, .made = Keep(Watermark_chk)},
         [](const Card_Property &p) { return QVariant(p.Watermark_Used()); },
         [](Card_Property &p, const QVariant &v) { p.setWatermark_Used(v.toBool()); },
         true},
        {{.box = mark, .label = tr("Text"), .kind = W::Line, .made = Keep(Watermark_Text)},
         [](const Card_Property &p) { return QVariant(p.Watermark_Text()); },
         [](Card_Property &p, const QVariant &v) { p.setWatermark_Text(v.toString()); },
         true},
        {{.box = mark, .label = tr("Colour"), .kind = W::Colour, .made = Keep(Watermark_Color)},
         [](const Card_Property &p) { return QVariant(p.Watermark_Color()); },
         [](Card_Property &p, const QVariant &v) { p.setWatermark_Color(v.value<QColor>()); },
         true},
        {{.box = mark, .label = tr("Opacity"), .kind = W::Percent, .made = Keep(Watermark_Transp_Slider)},
         [](const Card_Property &p) { return percent(p.Watermark_Transp()); },
         [](Card_Property &p, const QVariant &v) { p.setWatermark_Transp(float(v.toInt() / 100.0)); },
         true},
        {{.box = mark, .label = tr("Placement"), .kind = W::Choice, .items = {tr("Top"), tr("Middle"), tr("Bottom")},
          .made = Keep(Watermark_Alignment)},
         [](const Card_Property &p) { return QVariant(p.Watermark_Alignment()); },
         [](Card_Property &p, const QVariant &v) { p.setWatermark_Alignment(v.toInt()); },
         true},
    });
}

void CardPropertyPanel::changed()
{
    if (Not_Draw_Only_Prop_Change) return;
    m_host.Update_Card_Graphics();
}

void CardPropertyPanel::loadFrom(const Card_Property &prop)
{
    const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
    for (const auto &[widget, row] : m_bound) Set_Widget_Value(widget, row.shown(prop));
    ColList->setCurrentRow(prop.Card_Cat_index());
    m_bgPath = prop.Card_BG_Image_Path();
    Card_BG_Path->setText(m_bgPath);
    showFillChoice(prop.Card_fill_style());
    if (!m_host.Panel_Card_Size().isEmpty()) {
        const QSizeF pts = m_host.Panel_Card_Size();
        showSizeInMM(QSizeF(Points_to_MM_Convert(pts.width()), Points_to_MM_Convert(pts.height())));
        convertShownSize(2, Measument_Unit_Is);
    }
}

void CardPropertyPanel::storeInto(Card_Property &prop) const
{
    for (const auto &[widget, row] : m_bound) row.store(prop, Widget_Value(widget));
    if (prop.Card_BG_Image_Path() != m_bgPath) {
        prop.setCard_BG_Image_Path(m_bgPath);
        prop.setCard_BG_Image(Set_Dimaension(Picture::fromFile(m_bgPath)));
    }
    if (ColList->currentItem()) prop.setCard_Sub_Category(ColList->currentItem()->text());
    prop.setCard_Cat_index(ColList->currentRow());
    prop.setCard_Create_Mode(QStringLiteral("W"));
    if (!m_host.Panel_Card_Size().isEmpty()) {
        prop.setCard_Location(QPointF(0, 0));
        prop.setCard_Size(m_host.Panel_Card_Size());
    }
}

void CardPropertyPanel::setUnitLabels(int unit)
{
    const QString u = QLatin1String(kUnitNames[unit == 0 ? 0 : unit == 1 ? 1 : 2]);
    sizeBox->setTitle(QStringLiteral("Card Size (%1)").arg(u));
    width_label->setText(QStringLiteral("Width (%1)").arg(u));
    height_label->setText(QStringLiteral("Height (%1)").arg(u));
    ctrl_width_label->setText(QStringLiteral("Width (%1)").arg(u));
    ctrl_height_label->setText(QStringLiteral("Height (%1)").arg(u));
    showControlGeometry(shownControlAlive() ? m_shownControl.lock().get() : nullptr);
}

double Largest_Card_Side_Shown(int unit)
{
    // Cut (not rounded) to the fields' three decimals, so that the longest side typed in
    // inches or centimetres is never a hair over the bound.
    return std::floor(kLargestCardSideMM * Get_Unit_Convertor(2, unit) * 1000 + 1e-6) / 1000;
}

void CardPropertyPanel::convertShownSize(int fromUnit, int toUnit)
{
    const double f = Get_Unit_Convertor(fromUnit, toUnit);
    const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
    const double width = width_Text->value() * f, height = height_Text->value() * f;
    for (QDoubleSpinBox *s : {width_Text, height_Text}) s->setMaximum(Largest_Card_Side_Shown(toUnit));
    width_Text->setValue(width);
    height_Text->setValue(height);
}

void CardPropertyPanel::showSizeInMM(QSizeF mm)
{
    // Shown in millimetres until the caller converts them into the chosen unit.
    for (QDoubleSpinBox *s : {width_Text, height_Text}) s->setMaximum(Largest_Card_Side_Shown(2));
    width_Text->setValue(mm.width());
    height_Text->setValue(mm.height());
}

QSizeF CardPropertyPanel::typedSizeInPoints() const
{
    // Shown in the chosen unit: convert from that unit, not from millimetres.
    const double toMM = Get_Unit_Convertor(Measument_Unit_Is, 2);
    return QSizeF(MM_to_Points_Convert(width_Text->value() * toMM), MM_to_Points_Convert(height_Text->value() * toMM));
}

void CardPropertyPanel::showControlGeometry(SKTGraphic *g)
{
    m_shownControl.reset();
    for (int side = 0; side < 3; ++side) {
        const SKTGraphicList &list = m_host.Panel_Side_Controls(side);
        const int i = g ? list.indexOf(g) : -1;
        if (i >= 0) m_shownControl = list.at(i);
    }
    const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
    geometryBox->setEnabled(g != nullptr);
    if (g) {
        const double f = Get_Unit_Convertor(2, Measument_Unit_Is);
        X_Text->setValue(g->xPosition());
        Y_Text->setValue(g->yPosition());
        Ctrl_Width_Text->setValue(Points_to_MM_Convert(g->width()) * f);
        Ctrl_Height_Text->setValue(Points_to_MM_Convert(g->height()) * f);
        // A barcode takes its size from its picture.
        Ctrl_Width_Text->setEnabled(g->kind() != GraphicKind::Barcode);
        Ctrl_Height_Text->setEnabled(g->kind() != GraphicKind::Barcode);
    } else {
        // No control: the fields show nothing rather than the last control's numbers.
        for (QDoubleSpinBox *s : {X_Text, Y_Text, Ctrl_Width_Text, Ctrl_Height_Text}) s->clear();
    }
}

void CardPropertyPanel::showFillChoice(const QString &code)
{
    const bool g = code == QLatin1String("G"), h = code == QLatin1String("H"), i = code == QLatin1String("I");
    const bool s = !g && !h && !i;
    Card_fill_clr->setEnabled(s);
    for (QWidget *w : std::initializer_list<QWidget *>{Card_fill_Grd_1_clr, Card_fill_Grd_2_clr, Card_grad_Stepper})
        w->setEnabled(g);
    Card_hatch_style->setEnabled(h);
    Card_hatch_bk_clr->setEnabled(h);
    imageBrowser->setEnabled(i);
    Card_image_layout->setEnabled(i);
    const int index = int(std::max<qsizetype>(0, kFillStyles.indexOf(s ? QStringLiteral("S") : code)));
    if (Fill_Style_ComboBox->currentIndex() != index) {
        const bool blocked = Fill_Style_ComboBox->blockSignals(true);
        Fill_Style_ComboBox->setCurrentIndex(index);
        Fill_Style_ComboBox->blockSignals(blocked);
    }
}

void CardPropertyPanel::fillHatchStyles(const QStringList &names)
{
    Card_hatch_style->clear();
    Card_hatch_style->addItems(names);
    if (!names.isEmpty()) Card_hatch_style->setCurrentIndex(0);
}

void CardPropertyPanel::fillBackgrounds(const QStringList &paths)
{
    imageBrowser->clear();
    for (const QString &p : paths) {
        auto *item = new QListWidgetItem(QIcon(p), QFileInfo(p).completeBaseName());
        item->setData(Qt::UserRole, p);
        imageBrowser->addItem(item);
    }
}

void CardPropertyPanel::presetChosen()
{
    if (Not_Draw_Only_Prop_Change) return;
    if (Preset_ComboBox->currentText() == QLatin1String("Custom")) return;
    const QString orientation = Preset_ComboBox->currentIndex() == 1 ? QStringLiteral("V") : QStringLiteral("H");
    m_host.Set_Card_Size_In_Control(
        m_host.Card_Preset_Size_MM(Category_ComboBox->currentText(), orientation, ColList->currentRow()));
    applyTypedSize();
}

void CardPropertyPanel::applyTypedSize()
{
    m_host.Card_Control_Size_Change_or_not(typedSizeInPoints(), Preset_ComboBox->currentText(),
                                           Category_ComboBox->currentText(), ColList->currentRow());
}

bool CardPropertyPanel::shownControlAlive() const
{
    // The control may have left its side (deleted, undone) since it was shown.
    const std::shared_ptr<SKTGraphic> g = m_shownControl.lock();
    if (!g) return false;
    for (int side = 0; side < 3; ++side)
        if (m_host.Panel_Side_Controls(side).contains(g.get())) return true;
    return false;
}
