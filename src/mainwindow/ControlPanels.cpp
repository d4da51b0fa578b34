#include "ControlPanels.h"

#include "ColorWell.h"
#include "Globals.h"
#include "ScopedFlag.h"
#include "MessageBox.h"
#include "PropertyPanelHost.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "Scroll_Panel.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {
using W = Row_Widget;
bool contains(const std::vector<int> &v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }
} // namespace

ControlPanels::ControlPanels(PropertyPanelHost &host, MainWindowLayout &ui, QObject *parent)
    : QObject(parent), m_host(host), m_ui(ui)
{
    buildLineTab();
    buildShapeTab();
    buildTextTabs();
    buildImageTab();
    buildSignTab();
    buildLockTab();
    buildBarcodeTab();
    // Leaving the text box writes what was typed at once; so do undo and redo, before
    // their own slots run (connected later), so that they take the typing as the last edit.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *) {
        if (old && old == text.value) commitPendingEdits();
    });
    for (const char *name : {"Undo", "Redo"})
        if (QAction *a = m_ui.command(QLatin1String(name)))
            connect(a, &QAction::triggered, this, &ControlPanels::commitPendingEdits);
    updateEnabled();
}

std::vector<int> ControlPanels::Tabs_For_Kind(GraphicKind kind)
{
    switch (kind) {
    case GraphicKind::Line: return {line_tab, Lock_tab};
    case GraphicKind::Shape: return {shape_tab, Lock_tab};
    case GraphicKind::Text: return {text_edtng_tab, text_prop_tab, datasource_tab, Lock_tab};
    case GraphicKind::Image: return {image_tab, datasource_tab, Lock_tab};
    case GraphicKind::Signature: return {sign_tab, Lock_tab};
    case GraphicKind::Barcode: return {barcode_tab, Lock_tab};
    default: return {Lock_tab};
    }
}

QWidget *ControlPanels::body(int tab)
{
    QWidget *&b = pageBody[size_t(tab)];
    if (!b) {
        // The page scrolls when the window is too low for it.
        b = new QWidget;
        auto *layout = new QVBoxLayout(b);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setAlignment(Qt::AlignTop);
        m_ui.tabPages[size_t(tab)]->layout()->addWidget(Scrolling_Page(b));
    }
    return b;
}

std::vector<QGroupBox *> ControlPanels::buildTab(int tab, const std::vector<Panel_Row> &rows)
{
    std::vector<Form_Row> forms;
    for (const Panel_Row &row : rows) forms.push_back(row.form);
    std::vector<QGroupBox *> boxes;
    const std::vector<QWidget *> widgets = Build_Form_Rows(static_cast<QBoxLayout *>(body(tab)->layout()), forms, &boxes);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].field) bind(rows[i].field(widgets[i], tab));
    return boxes;
}

std::vector<Panel_Row> ControlPanels::strokeRows(StrokeWidgets &s, const QString &box, const QString &switchText)
{
    std::vector<Panel_Row> rows;
    if (!switchText.isEmpty())
        rows.push_back({{.box = box, .label = switchText, .kind = W::Check, .made = Keep(s.on)},
                        Bind_Plain(QStringLiteral("_isDrawingStroke"))});
    rows.push_back({{.box = box, .label = tr("Colour"), .kind = W::Colour, .made = Keep(s.color)},
                    Bind_Opaque_Color(QStringLiteral("_strokeColor"))});
    rows.push_back({{.box = box, .label = tr("Width"), .kind = W::Decimal, .range = {0, 100, 2, 0.5}, .made = Keep(s.width)},
                    Bind_Plain(QStringLiteral("_strokeWidth"))});
    rows.push_back({{.box = box, .label = tr("Style"), .kind = W::Choice, .items = Dash_Style_Names(), .made = Keep(s.style)},
                    Bind_Code(QStringLiteral("_stroke_border_type"), Dash_Codes())});
    return rows;
}

void ControlPanels::buildLockTab()
{
    const QString box = tr("Lock"), flags = tr("Control");
    const std::vector<QGroupBox *> boxes = buildTab(
        Lock_tab,
        {
            {{.box = box, .label = tr("Lock"), .kind = W::Button, .made = Keep(lock.lockBtn)}},
            {{.box = box, .label = tr("Unlock"), .kind = W::Button, .beside = true, .made = Keep(lock.unlockBtn)}},
            {{.box = flags, .label = tr("Show on the card"), .kind = W::Check, .made = Keep(lock.visible)},
             Bind_With([](SKTGraphic &g) { return QVariant(g.ctrl_is_visible); },
                       [](SKTGraphic &g, const QVariant &v) { g.Set_Ctrl_Is_Visible(v.toBool()); })},
            {{.box = flags, .label = tr("Leave out of printing and export"), .kind = W::Check,
              .made = Keep(lock.leaveOutOfPrint)},
             Bind_With([](SKTGraphic &g) { return QVariant(g.print_object == 1); },
                       [](SKTGraphic &g, const QVariant &v) { g.setField(&SKTGraphic::print_object, v.toBool() ? 1 : 0); })},
            {{.box = flags, .label = tr("Control ID"), .kind = W::Path, .made = Keep(lock.controlID)}},
        });
    lock.flags = boxes.back();
    connect(lock.lockBtn, &QPushButton::clicked, this, [this] { m_host.Lock_Clicked(); });
    connect(lock.unlockBtn, &QPushButton::clicked, this, [this] { m_host.Unlock_Clicked(); });
}

void ControlPanels::buildBarcodeTab()
{
    buildTab(barcode_tab, {{{.box = tr("Barcode"), .label = tr("Barcode Settings..."), .kind = Row_Widget::Button,
                             .made = Keep(barcode.settingsBtn)}}});
    connect(barcode.settingsBtn, &QPushButton::clicked, this, [this] { m_host.Open_Barcode_Window(); });
}

// ---- Fields and edits ----

size_t ControlPanels::bind(PanelField field)
{
    const size_t index = m_fields.size();
    On_Widget_Edited(field.widget, this, [this, index](bool record) { fieldEdited(index, record); });
    m_fields.push_back(std::move(field));
    return index;
}

void ControlPanels::fieldEdited(size_t index, bool record)
{
    // Text still waiting to be written goes first, to the control it was typed for.
    // Writing it refills no widget: the one being edited now keeps its new value.
    const bool typedText = index == m_valueField;
    if (!typedText) commitPendingEdits();
    const PanelField &field = m_fields[index];
    change([this, &field](SKTGraphic &g) { return contains(Tabs_For_Kind(g.kind()), field.tab) && writeIfChanged(field, g); },
           record, !typedText);
}

bool ControlPanels::writeIfChanged(const PanelField &field, SKTGraphic &g)
{
    const QVariant now = Widget_Value(field.widget);
    if (Widget_Normalised(field.widget, field.shown(g)) == now) return false;
    field.write(g, now);
    return true;
}

bool ControlPanels::applyTabs(const std::vector<int> &tabs, bool record)
{
    commitPendingEdits();
    return change(
        [this, &tabs](SKTGraphic &g) {
            const std::vector<int> shown = Tabs_For_Kind(g.kind());
            bool any = false;
            for (const PanelField &f : m_fields)
                if (contains(tabs, f.tab) && contains(shown, f.tab)) any = writeIfChanged(f, g) || any;
            return any;
        },
        record);
}

bool ControlPanels::change(const std::function<bool(SKTGraphic &)> &edit, bool record, bool refill)
{
    if (m_applying || Not_Draw_Only_Prop_Change) return false;
    SKTGraphic *g = shownControl();
    if (!g || g->ctrl_is_locked) return false;
    // The side's history must hold the state before this change.
    if (const int side = sideOf(*g); side >= 0) m_host.Make_Sure_Of_Undo_Base(side);
    m_applying = true;
    const bool changed = edit(*g);
    m_applying = false;
    if (changed) {
        m_unrecorded = true;
        if (refill) load(*g);  // a change may touch more than its own widget
    }
    if (record) recordPending();
    return changed;
}

void ControlPanels::recordPending()
{
    if (!m_unrecorded) return;
    m_unrecorded = false;
    SKTGraphic *g = shownControl();
    const int side = g ? sideOf(*g) : -1;
    if (side < 0) return;  // the scratch side keeps no history
    // Recorded on the control's own side, also when the side shown has just changed
    // (a side switch writes the text still being typed).
    m_host.Record_Side_Change(side);
}

void ControlPanels::commitPendingEdits()
{
    if (!text.valuePause || !text.valuePause->isActive()) return;
    text.valuePause->stop();
    fieldEdited(m_valueField, true);
}

// ---- Showing a control ----

SKTGraphic *ControlPanels::shownControl() const
{
    const GraphicPtr g = m_target.lock();
    if (!g) return nullptr;
    for (int side = 0; side < 3; ++side)
        if (m_host.Panel_Side_Controls(side).contains(g.get())) return g.get();
    return nullptr;
}

int ControlPanels::sideOf(const SKTGraphic &g) const
{
    for (int side = 0; side < 2; ++side)
        if (m_host.Panel_Side_Controls(side).contains(&g)) return side;
    return -1;
}

void ControlPanels::showControl(SKTGraphic *g)
{
    if (m_applying) return;
    commitPendingEdits();
    recordPending();

    m_target.reset();
    if (g)
        for (int side = 0; side < 3; ++side)
            for (const GraphicPtr &p : m_host.Panel_Side_Controls(side).items())
                if (p.get() == g) m_target = p;

    QTabWidget *tabs = m_ui.sett_tab;
    const bool controlTabCurrent = tabs->currentIndex() >= 5;
    const std::vector<int> wanted = g ? Tabs_For_Kind(g->kind()) : std::vector<int>();
    setControlTabs(wanted);
    if (!g) {
        if (controlTabCurrent) tabs->setCurrentIndex(0);
        return;
    }
    // The same kind again (another text, or the same control after lock or unlock)
    // keeps the control tab the user was on last; another kind starts at its first tab.
    const bool keep = m_hasShown && m_shownKind == g->kind() && m_lastControlPage && tabs->indexOf(m_lastControlPage) >= 5;
    tabs->setCurrentWidget(keep ? m_lastControlPage : m_ui.tabPages[size_t(wanted.front())]);
    m_shownKind = g->kind();
    m_hasShown = true;
    load(*g);
}

void ControlPanels::Follow_Control(const SKTGraphic *g)
{
    // The panels' own edits show the control again when done.
    if (m_applying || !g) return;
    SKTGraphic *shown = shownControl();
    if (shown != g || (text.valuePause && text.valuePause->isActive())) return;
    load(*shown);
}

void ControlPanels::setControlTabs(const std::vector<int> &wanted)
{
    QTabWidget *tabs = m_ui.sett_tab;
    if (tabs->currentIndex() >= 5) m_lastControlPage = tabs->currentWidget();
    std::vector<int> now;
    for (int i = 5; i < tabs->count(); ++i)
        for (int t = 0; t < 15; ++t)
            if (tabs->widget(i) == m_ui.tabPages[size_t(t)]) now.push_back(t);
    if (now == wanted) return;
    while (tabs->count() > 5) tabs->removeTab(5);
    for (int t : wanted) tabs->addTab(m_ui.tabPages[size_t(t)], m_ui.tabTitles[size_t(t)]);
}

void ControlPanels::load(SKTGraphic &g)
{
    const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
    const std::vector<int> tabs = Tabs_For_Kind(g.kind());
    for (const PanelField &f : m_fields)
        if (contains(tabs, f.tab)) Set_Widget_Value(f.widget, f.shown(g));
    if (text.valuePause) text.valuePause->stop();
    lock.controlID->setText(g.control_ID);
    if (g.kind() == GraphicKind::Image) {
        image.path->setText(g.FilePath());
        refreshInvalidSource(g);
    }
    if (g.kind() == GraphicKind::Signature) {
        sign.kind->setText(g.Sign_Or_FP_Val() == QLatin1String("S") ? tr("Signature") : tr("Fingerprint"));
        sign.path->setText(g.FilePath());
    }
    const bool locked = g.ctrl_is_locked;
    for (int t : tabs)
        if (t != Lock_tab && pageBody[size_t(t)]) pageBody[size_t(t)]->setEnabled(!locked);
    lock.flags->setEnabled(!locked);
    lock.lockBtn->setEnabled(!locked);
    lock.unlockBtn->setEnabled(locked);
    updateEnabled();
}

void ControlPanels::updateEnabled()
{
    auto stroke = [](const StrokeWidgets &s) {
        const bool on = !s.on || s.on->isChecked();
        for (QWidget *w : std::initializer_list<QWidget *>{s.color, s.width, s.style}) w->setEnabled(on);
    };
    stroke(line.stroke);
    stroke(shape.stroke);
    stroke(text.frame);
    stroke(image.border);
    stroke(sign.border);

    const int type = shape.type->currentIndex();
    shape.cornerRadius->setEnabled(type == 2);
    shape.doubleStar->setEnabled(type == 6);
    shape.polygon->setEnabled(type == 7);
    const bool fill = shape.fillOn->isChecked();
    const int kind = shape.fillKind->currentIndex();
    shape.fillKind->setEnabled(fill);
    shape.fillOpacity->setEnabled(fill);
    shape.fillColor->setEnabled(fill && kind == 0);
    for (QWidget *w : std::initializer_list<QWidget *>{shape.gradient1, shape.gradient2, shape.gradientAngle})
        w->setEnabled(fill && kind == 1);
    shape.hatch->setEnabled(fill && kind == 2);
    shape.hatchBack->setEnabled(fill && kind == 2);

    text.fillColor->setEnabled(text.fillOn->isChecked());
    text.fillOpacity->setEnabled(text.fillOn->isChecked());
    for (QWidget *w : std::initializer_list<QWidget *>{text.shadowColor, text.shadowX, text.shadowY, text.shadowBlur,
                                                       text.shadowOpacity})
        w->setEnabled(text.shadowOn->isChecked());
}

bool ControlPanels::Check_Multiple_Image_Selection(const QString &action, bool showMsg) const
{
    SKTGraphicView *view = m_host.currentGraphicView();
    if (!view) return false;
    int images = 0;
    for (SKTGraphic *g : view->selectedGraphics())
        if (g->kind() == GraphicKind::Image) ++images;
    if (images < 2) return false;
    if (showMsg) Show_MessageBox(QStringLiteral("Please select only one image control to '%1 Image'.").arg(action));
    return true;
}
