#include "CardPropertyPanel.h"

#include "Card_Property.h"
#include "ColorWell.h"
#include "Dialogs.h"
#include "Globals.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const QStringList kBorderStyles = {"S", "DA", "DO", "DD", "DDD"};
const QStringList kFillStyles = {"S", "G", "H", "I"};
const QStringList kShapes = {"R", "RR", "E"};
const char *kUnitNames[3] = {"in", "cm", "mm"};

QVBoxLayout *pageLayout(SKTWindowController *c, int tab)
{
    return static_cast<QVBoxLayout *>(c->ui.tabPages[size_t(tab)]->layout());
}

QSlider *percentSlider()
{
    auto *s = new QSlider(Qt::Horizontal);
    s->setRange(0, 100);
    return s;
}
} // namespace

CardPropertyPanel::CardPropertyPanel(SKTWindowController *controller) : QObject(controller), m_controller(controller)
{
    buildCardTab();
    buildSizeTab();
    buildBackgroundTab();
    buildBorderTab();
    buildGeometryBox();
}

void CardPropertyPanel::buildCardTab()
{
    auto *box = new QGroupBox(tr("Card"));
    auto *form = new QFormLayout(box);
    Card_Name_Text = new QLineEdit;
    Sides_ComboBox = new QComboBox;
    Sides_ComboBox->addItems({tr("Two sides"), tr("One side")});
    Shape_ComboBox = new QComboBox;
    Shape_ComboBox->addItems({tr("Rectangle"), tr("Rounded Rectangle"), tr("Ellipse")});
    form->addRow(tr("Name"), Card_Name_Text);
    form->addRow(tr("Sides"), Sides_ComboBox);
    form->addRow(tr("Shape"), Shape_ComboBox);
    pageLayout(m_controller, card_setting_tab)->addWidget(box);
    pageLayout(m_controller, card_setting_tab)->addStretch(1);
    connect(Card_Name_Text, &QLineEdit::editingFinished, this, &CardPropertyPanel::changed);
    connect(Sides_ComboBox, &QComboBox::currentIndexChanged, this, &CardPropertyPanel::changed);
    connect(Shape_ComboBox, &QComboBox::currentIndexChanged, this, &CardPropertyPanel::changed);

}

void CardPropertyPanel::buildGeometryBox()
{
    geometryBox = new QGroupBox(tr("Position and Size"));
    geometryBox->setObjectName(QStringLiteral("geometryBox"));
    auto *form = new QFormLayout(geometryBox);
    X_Text = new QDoubleSpinBox;
    Y_Text = new QDoubleSpinBox;
    Ctrl_Width_Text = new QDoubleSpinBox;
    Ctrl_Height_Text = new QDoubleSpinBox;
    for (QDoubleSpinBox *s : {X_Text, Y_Text, Ctrl_Width_Text, Ctrl_Height_Text}) {
        s->setRange(-10000, 10000);
        s->setDecimals(2);
        s->setKeyboardTracking(false);
        connect(s, &QDoubleSpinBox::valueChanged, this, &CardPropertyPanel::geometryTyped);
    }
    Ctrl_Width_Text->setMinimum(0);
    Ctrl_Height_Text->setMinimum(0);
    ctrl_width_label = new QLabel;
    ctrl_height_label = new QLabel;
    form->addRow(tr("X (pt)"), X_Text);
    form->addRow(tr("Y (pt)"), Y_Text);
    form->addRow(ctrl_width_label, Ctrl_Width_Text);
    form->addRow(ctrl_height_label, Ctrl_Height_Text);
    m_controller->ui.Right_Prop_Box->layout()->addWidget(geometryBox);
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
    m_controller->Insert_In_Undo_Redo();
}

void CardPropertyPanel::buildSizeTab()
{
    sizeBox = new QGroupBox(tr("Card Size (mm)"));
    sizeBox->setObjectName(QStringLiteral("sizeBox"));
    auto *form = new QFormLayout(sizeBox);
    Unit_ComboBox = new QComboBox;
    Unit_ComboBox->addItems({tr("Inch"), tr("Centimetre"), tr("Millimetre")});
    Unit_ComboBox->setCurrentIndex(2);
    Category_ComboBox = new QComboBox;
    Category_ComboBox->addItems({QStringLiteral("PVC Card"), QStringLiteral("Paper Card")});
    Preset_ComboBox = new QComboBox;
    Preset_ComboBox->addItems({QStringLiteral("Horizontal"), QStringLiteral("Vertical"), QStringLiteral("Custom")});
    ColList = new QListWidget;
    ColList->setMaximumHeight(150);
    width_Text = new QDoubleSpinBox;
    height_Text = new QDoubleSpinBox;
    for (QDoubleSpinBox *s : {width_Text, height_Text}) {
        s->setRange(0.01, 10000);
        s->setDecimals(3);
    }
    width_label = new QLabel;
    height_label = new QLabel;
    auto *apply = new QPushButton(tr("Apply"));
    form->addRow(tr("Unit"), Unit_ComboBox);
    form->addRow(tr("Category"), Category_ComboBox);
    form->addRow(tr("Preset"), Preset_ComboBox);
    form->addRow(ColList);
    form->addRow(width_label, width_Text);
    form->addRow(height_label, height_Text);
    form->addRow(apply);
    pageLayout(m_controller, card_size_tab)->addWidget(sizeBox);
    pageLayout(m_controller, card_size_tab)->addStretch(1);

    auto fillList = [this] {
        ColList->blockSignals(true);
        ColList->clear();
        ColList->addItems(Category_ComboBox->currentIndex() == 0 ? m_controller->pvc_card_arry
                                                                 : m_controller->paper_card_arry);
        ColList->blockSignals(false);
    };
    fillList();
    connect(Category_ComboBox, &QComboBox::currentIndexChanged, this, [fillList] { fillList(); });
    connect(ColList, &QListWidget::currentRowChanged, this, &CardPropertyPanel::presetChosen);
    connect(Preset_ComboBox, &QComboBox::currentIndexChanged, this, &CardPropertyPanel::presetChosen);
    connect(apply, &QPushButton::clicked, this, &CardPropertyPanel::applyTypedSize);
    connect(Unit_ComboBox, &QComboBox::currentIndexChanged, this, [this](int unit) {
        last_unit_val = Measument_Unit_Is;
        Measument_Unit_Is = unit;
        m_controller->Apply_unit_Chaneg_Values();
        m_controller->_setLabels();
        last_unit_val = Measument_Unit_Is;
    });
}

void CardPropertyPanel::buildBackgroundTab()
{
    auto *box = new QGroupBox(tr("Fill"));
    auto *form = new QFormLayout(box);
    Card_fill_chk = new QCheckBox(tr("Fill the card"));
    Fill_Style_ComboBox = new QComboBox;
    Fill_Style_ComboBox->addItems({tr("Solid"), tr("Gradient"), tr("Hatch"), tr("Picture")});
    Card_fill_clr = new ColorWell(Qt::white);
    Card_fill_Grd_1_clr = new ColorWell(Qt::white);
    Card_fill_Grd_2_clr = new ColorWell(Qt::white);
    Card_grad_Stepper = new QSpinBox;
    Card_grad_Stepper->setRange(0, 360);
    Card_hatch_style = new QComboBox;
    Card_hatch_bk_clr = new ColorWell(Qt::white);
    Card_alpha_Slider = percentSlider();
    imageBrowser = new QListWidget;
    imageBrowser->setViewMode(QListView::IconMode);
    imageBrowser->setIconSize(QSize(80, 51));
    imageBrowser->setMaximumHeight(160);
    Card_image_layout = new QComboBox;
    Card_image_layout->addItems({QStringLiteral("Tile"), QStringLiteral("Stretch")});
    Card_BG_Path = new QLineEdit;
    Card_BG_Path->setReadOnly(true);
    auto *browse = new QPushButton(tr("Browse..."));
    form->addRow(Card_fill_chk);
    form->addRow(tr("Style"), Fill_Style_ComboBox);
    form->addRow(tr("Colour"), Card_fill_clr);
    form->addRow(tr("Gradient from"), Card_fill_Grd_1_clr);
    form->addRow(tr("Gradient to"), Card_fill_Grd_2_clr);
    form->addRow(tr("Angle"), Card_grad_Stepper);
    form->addRow(tr("Hatch"), Card_hatch_style);
    form->addRow(tr("Hatch colour"), Card_hatch_bk_clr);
    form->addRow(tr("Opacity"), Card_alpha_Slider);
    form->addRow(imageBrowser);
    form->addRow(tr("Layout"), Card_image_layout);
    form->addRow(Card_BG_Path, browse);
    pageLayout(m_controller, card_bkgd_tab)->addWidget(box);
    pageLayout(m_controller, card_bkgd_tab)->addStretch(1);

    connect(Card_fill_chk, &QCheckBox::toggled, this, &CardPropertyPanel::changed);
    connect(Fill_Style_ComboBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        showFillChoice(kFillStyles.value(i));
        changed();
    });
    for (ColorWell *w : {Card_fill_clr, Card_fill_Grd_1_clr, Card_fill_Grd_2_clr, Card_hatch_bk_clr})
        connect(w, &ColorWell::colorChanged, this, &CardPropertyPanel::changed);
    connect(Card_grad_Stepper, &QSpinBox::valueChanged, this, &CardPropertyPanel::changed);
    connect(Card_hatch_style, &QComboBox::currentIndexChanged, this, &CardPropertyPanel::changed);
    connect(Card_alpha_Slider, &QSlider::valueChanged, this, &CardPropertyPanel::changed);
    connect(Card_image_layout, &QComboBox::currentIndexChanged, this, &CardPropertyPanel::changed);
    connect(imageBrowser, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        m_bgPath = imageBrowser->item(row)->data(Qt::UserRole).toString();
        Card_BG_Path->setText(m_bgPath);
        Fill_Style_ComboBox->setCurrentIndex(3);
        Card_fill_chk->setChecked(true);
        changed();
    });
    connect(browse, &QPushButton::clicked, this, [this] {
        FilePanelRequest r;
        r.title = tr("Choose a background picture");
        r.extensions = m_controller->Allowd_Image_fileTypes;
        const QStringList chosen = Run_File_Panel(r);
        if (chosen.isEmpty()) return;
        m_bgPath = chosen.front();
        Card_BG_Path->setText(m_bgPath);
        Fill_Style_ComboBox->setCurrentIndex(3);
        Card_fill_chk->setChecked(true);
        changed();
    });
}

void CardPropertyPanel::buildBorderTab()
{
    auto *box = new QGroupBox(tr("Border"));
    auto *form = new QFormLayout(box);
    Card_border_chk = new QCheckBox(tr("Draw a border"));
    Card_bordr_clr = new ColorWell(Qt::black);
    Card_bor_Stepper = new QSpinBox;
    Card_bor_Stepper->setRange(1, 50);
    Card_border_style = new QComboBox;
    Card_border_style->addItems({tr("Solid"), tr("Dash"), tr("Dot"), tr("Dash Dot"), tr("Dash Dot Dot")});
    form->addRow(Card_border_chk);
    form->addRow(tr("Colour"), Card_bordr_clr);
    form->addRow(tr("Width"), Card_bor_Stepper);
    form->addRow(tr("Style"), Card_border_style);

    auto *wbox = new QGroupBox(tr("Watermark"));
    auto *wform = new QFormLayout(wbox);
    Watermark_chk = new QCheckBox(tr("Show a watermark"));
    Watermark_Text = new QLineEdit;
    Watermark_Color = new ColorWell(Qt::black);
    Watermark_Transp_Slider = percentSlider();
    Watermark_Alignment = new QComboBox;
    Watermark_Alignment->addItems({tr("Top"), tr("Middle"), tr("Bottom")});
    wform->addRow(Watermark_chk);
    wform->addRow(tr("Text"), Watermark_Text);
    wform->addRow(tr("Colour"), Watermark_Color);
    wform->addRow(tr("Opacity"), Watermark_Transp_Slider);
    wform->addRow(tr("Placement"), Watermark_Alignment);
    pageLayout(m_controller, card_brdr_tab)->addWidget(box);
    pageLayout(m_controller, card_brdr_tab)->addWidget(wbox);
    pageLayout(m_controller, card_brdr_tab)->addStretch(1);

    for (QCheckBox *c : {Card_border_chk, Watermark_chk}) connect(c, &QCheckBox::toggled, this, &CardPropertyPanel::changed);
    for (ColorWell *w : {Card_bordr_clr, Watermark_Color}) connect(w, &ColorWell::colorChanged, this, &CardPropertyPanel::changed);
    connect(Card_bor_Stepper, &QSpinBox::valueChanged, this, &CardPropertyPanel::changed);
    for (QComboBox *c : {Card_border_style, Watermark_Alignment})
        connect(c, &QComboBox::currentIndexChanged, this, &CardPropertyPanel::changed);
    connect(Watermark_Text, &QLineEdit::editingFinished, this, &CardPropertyPanel::changed);
    connect(Watermark_Transp_Slider, &QSlider::valueChanged, this, &CardPropertyPanel::changed);
}

void CardPropertyPanel::changed()
{
    if (Not_Draw_Only_Prop_Change) return;
    m_controller->Update_Card_Graphics();
}

void CardPropertyPanel::loadFrom(const Card_Property &prop)
{
    const char old = Not_Draw_Only_Prop_Change;
    Not_Draw_Only_Prop_Change = 1;
    Card_Name_Text->setText(prop.Card_Name());
    Sides_ComboBox->setCurrentIndex(prop.Card_Side() == QLatin1String("1") ? 1 : 0);
    Shape_ComboBox->setCurrentIndex(std::max<qsizetype>(0, kShapes.indexOf(prop.Card_Shape())));
    Category_ComboBox->setCurrentIndex(prop.Card_Category() == QLatin1String("PVC Card") ? 0 : 1);
    const int preset = Preset_ComboBox->findText(prop.Card_Preset());
    Preset_ComboBox->setCurrentIndex(preset >= 0 ? preset : 0);
    ColList->setCurrentRow(prop.Card_Cat_index());
    Card_fill_chk->setChecked(prop.Card_fill_chk());
    Fill_Style_ComboBox->setCurrentIndex(std::max<qsizetype>(0, kFillStyles.indexOf(prop.Card_fill_style())));
    QColor solid = prop.Card_fill_clr();
    solid.setAlphaF(1);
    Card_fill_clr->setColor(solid);
    Card_fill_Grd_1_clr->setColor(prop.Card_fill_Grd_1_clr());
    Card_fill_Grd_2_clr->setColor(prop.Card_fill_Grd_2_clr());
    Card_grad_Stepper->setValue(prop.Card_grad_Stepper());
    Card_hatch_style->setCurrentIndex(std::max(0, Card_hatch_style->findText(prop.Card_hatch_style())));
    Card_hatch_bk_clr->setColor(prop.Card_hatch_bk_clr());
    // 100.0 (a new card) shows as 100, the same as 1.0.
    Card_alpha_Slider->setValue(int(std::min(100.0, double(prop.Card_alpha_Stepper()) * 100.0)));
    Card_image_layout->setCurrentIndex(prop.Card_BG_Image_Layout() == QLatin1String("Tile") ? 0 : 1);
    m_bgPath = prop.Card_BG_Image_Path();
    Card_BG_Path->setText(m_bgPath);
    Card_border_chk->setChecked(prop.Card_border_chk());
    Card_bordr_clr->setColor(prop.Card_bordr_clr());
    Card_bor_Stepper->setValue(prop.Card_bor_Stepper());
    Card_border_style->setCurrentIndex(std::max<qsizetype>(0, kBorderStyles.indexOf(prop.Card_border_style())));
    Watermark_chk->setChecked(prop.Watermark_Used());
    Watermark_Text->setText(prop.Watermark_Text());
    Watermark_Color->setColor(prop.Watermark_Color());
    Watermark_Transp_Slider->setValue(int(std::min(100.0, double(prop.Watermark_Transp()) * 100.0)));
    Watermark_Alignment->setCurrentIndex(prop.Watermark_Alignment());
    showFillChoice(prop.Card_fill_style());
    if (SKTGraphicView *v = m_controller->_graphicView) {
        const QSizeF pts = v->cardSize();
        showSizeInMM(QSizeF(Points_to_MM_Convert(pts.width()), Points_to_MM_Convert(pts.height())));
        convertShownSize(2, Measument_Unit_Is);
    }
    Not_Draw_Only_Prop_Change = old;
}

void CardPropertyPanel::storeInto(Card_Property &prop) const
{
    const double alpha = Card_alpha_Slider->value() / 100.0;
    prop.setCard_Name(Card_Name_Text->text().trimmed().isEmpty() ? default_file_name : Card_Name_Text->text().trimmed());
    prop.setCard_Side(Sides_ComboBox->currentIndex() == 1 ? QStringLiteral("1") : QStringLiteral("2"));
    prop.setCard_Shape(kShapes.value(Shape_ComboBox->currentIndex(), QStringLiteral("R")));
    prop.setCard_fill_chk(Card_fill_chk->isChecked());
    prop.setCard_fill_style(kFillStyles.value(Fill_Style_ComboBox->currentIndex(), QStringLiteral("S")));
    QColor solid = Card_fill_clr->color();
    solid.setAlphaF(float(alpha));
    prop.setCard_fill_clr(solid);
    prop.setCard_fill_Grd_1_clr(Card_fill_Grd_1_clr->color());
    prop.setCard_fill_Grd_2_clr(Card_fill_Grd_2_clr->color());
    prop.setCard_grad_Stepper(Card_grad_Stepper->value());
    prop.setCard_hatch_style(Card_hatch_style->currentText());
    prop.setCard_hatch_bk_clr(Card_hatch_bk_clr->color());
    prop.setCard_alpha_Stepper(float(alpha));
    prop.setCard_BG_Image_Layout(Card_image_layout->currentText());
    if (prop.Card_BG_Image_Path() != m_bgPath) {
        prop.setCard_BG_Image_Path(m_bgPath);
        prop.setCard_BG_Image(Picture::fromFile(m_bgPath));
    }
    prop.setCard_border_chk(Card_border_chk->isChecked());
    prop.setCard_bordr_clr(Card_bordr_clr->color());
    prop.setCard_bor_Stepper(Card_bor_Stepper->value());
    prop.setCard_border_style(kBorderStyles.value(Card_border_style->currentIndex(), QStringLiteral("S")));
    prop.setWatermark_Used(Watermark_chk->isChecked());
    prop.setWatermark_Text(Watermark_Text->text());
    prop.setWatermark_Color(Watermark_Color->color());
    prop.setWatermark_Transp(float(Watermark_Transp_Slider->value() / 100.0));
    prop.setWatermark_Alignment(Watermark_Alignment->currentIndex());
    prop.setCard_Preset(Preset_ComboBox->currentText());
    prop.setCard_Category(Category_ComboBox->currentText());
    if (ColList->currentItem()) prop.setCard_Sub_Category(ColList->currentItem()->text());
    prop.setCard_Cat_index(ColList->currentRow());
    prop.setCard_Create_Mode(QStringLiteral("W"));
    if (SKTGraphicView *v = m_controller->_graphicView) {
        prop.setCard_Location(QPointF(0, 0));
        prop.setCard_Size(v->cardSize());
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

void CardPropertyPanel::convertShownSize(int fromUnit, int toUnit)
{
    const double f = Get_Unit_Convertor(fromUnit, toUnit);
    const char old = Not_Draw_Only_Prop_Change;
    Not_Draw_Only_Prop_Change = 1;
    width_Text->setValue(width_Text->value() * f);
    height_Text->setValue(height_Text->value() * f);
    Not_Draw_Only_Prop_Change = old;
}

void CardPropertyPanel::showSizeInMM(QSizeF mm)
{
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
    for (SKTGraphicList *side : {&m_controller->Get_Front_Controls_Array(), &m_controller->Get_Back_Controls_Array(),
                                 &m_controller->Get_Temp_Controls_Array()}) {
        const int i = g ? side->indexOf(g) : -1;
        if (i >= 0) m_shownControl = side->at(i);
    }
    const char old = Not_Draw_Only_Prop_Change;
    Not_Draw_Only_Prop_Change = 1;
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
    Not_Draw_Only_Prop_Change = old;
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
    const QSizeF mm = SKTWindowController::Get_My_card_Size(Category_ComboBox->currentText(), orientation, ColList->currentRow());
    m_controller->Set_Card_Size_In_Control(mm);
    applyTypedSize();
}

void CardPropertyPanel::applyTypedSize()
{
    m_controller->Card_Control_Size_Change_or_not(typedSizeInPoints(), Preset_ComboBox->currentText(),
                                                  Category_ComboBox->currentText(), ColList->currentRow());
}

bool CardPropertyPanel::shownControlAlive() const
{
    // The control may have left its side (deleted, undone) since it was shown.
    const std::shared_ptr<SKTGraphic> g = m_shownControl.lock();
    return g && (m_controller->Get_Front_Controls_Array().contains(g.get()) ||
                 m_controller->Get_Back_Controls_Array().contains(g.get()) ||
                 m_controller->Get_Temp_Controls_Array().contains(g.get()));
}
