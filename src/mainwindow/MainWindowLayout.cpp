#include "MainWindowLayout.h"

#include "Globals.h"
#include "Repeat_Image.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

namespace {
QIcon icon(const QString &name) { return QIcon(Resource_Path + QStringLiteral("Icons/") + name + QStringLiteral(".png")); }

struct CommandDef {
    const char *name;
    const char *label;
    const char *iconName;
    bool separatorBefore;
};
// The first command of the viewing bar and of the desk's bar.
const char *const kViewStart = "ZoomIn";
const char *const kDeskStart = "CardProp";

// Keeps the command bars whole: a bar that does not fit beside the bars before it
// starts a new row, and goes back up once the window is wide enough again.
class Toolbar_Rows : public QObject {
public:
    Toolbar_Rows(QMainWindow *window, std::vector<QToolBar *> bars)
        : QObject(window), m_window(window), m_bars(std::move(bars))
    {
        window->installEventFilter(this);
        for (QToolBar *bar : m_bars) bar->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool relevant = watched == m_window ? event->type() == QEvent::Resize || event->type() == QEvent::Show
                                                  : event->type() == QEvent::LayoutRequest;
        if (relevant && !m_busy) reflow();
        return false;
    }

private:
    // Room between bars side by side, with some to spare.
    static constexpr int kBarSpacing = 8;

    void reflow()
    {
        m_busy = true;
        const int available = m_window->width();
        int row = 0;
        for (size_t i = 0; i < m_bars.size(); ++i) {
            QToolBar *bar = m_bars[i];
            const int width = bar->sizeHint().width() + kBarSpacing;
            const bool newRow = i > 0 && row + width > available;
            if (newRow != m_window->toolBarBreak(bar)) {
                if (newRow)
                    m_window->insertToolBarBreak(bar);
                else
                    m_window->removeToolBarBreak(bar);
            }
            row = newRow ? width : row + width;
        }
        m_busy = false;
    }

    QMainWindow *m_window;
    std::vector<QToolBar *> m_bars;
    bool m_busy = false;
};
// The command toolbar, left to right.
const CommandDef kCommands[] = {
    {"New", "New", "new", false},          {"Open", "Open", "open", false},
    {"Save", "Save", "save", false},       {"SaveAs", "Save As", "save", false},
    {"Print", "Print", "print", true},
    {"Export", "Export", "export", false}, {"Mail", "Mail", "mail", false},
    {"MailSettings", "E-mail Settings", "", false},
    {"Undo", "Undo", "undo", true},        {"Redo", "Redo", "redo", false},
    {"Cut", "Cut", "cut", true},           {"Copy", "Copy", "copy", false},
    {"Paste", "Paste", "paste", false},    {"Delete", "Delete", "delete", false},
    {"Front", "Bring to Front", "front", true}, {"Back", "Send to Back", "back", false},
    {"Align", "Align", "align_left", false},
    {"Lock", "Lock", "lock", true},        {"Unlock", "Unlock", "unlock", false},
    {"ZoomIn", "Zoom In", "zoom_in", true}, {"ZoomOut", "Zoom Out", "zoom_out", false},
    {"ActualSize", "Actual Size", "", false}, {"Rulers", "Rulers", "", false},
    {"Grid", "Grid", "grid", false},
    {"CardProp", "Card", "", true},        {"CardBackground", "Background", "", false},
    {"CopySide", "Copy to Other Side", "", false},
    {"Crop", "Crop", "crop", true},
    {"VisitorLog", "Visitor Log", "visitor_log", false}, {"GroupMode", "Group Mode", "", false},
    {"Profile", "Profile", "profile", false},
    {"Help", "Help", "help", true},
};

const char *kToolNames[16] = {"Arrow", "Line", "Text", "Rectangle", "Circle", "Rounded Rectangle", "Triangle",
                              "Diamond", "Image", "Image Library", "Barcode", "Signature", "Fingerprint", "Star",
                              "Double Star", "Polygon"};

const char *kTabTitles[15] = {"Card", "Information", "Size", "Background", "Border", "Line", "Shape",
                              "Text", "Text Style", "Image", "Signature", "Data Source", "Alignment",
                              "Barcode", "Lock"};
} // namespace

QWidget *MainWindowLayout::commandWidget(QAction *action) const
{
    for (QToolBar *bar : {commandBar, viewBar, deskBar})
        if (QWidget *w = bar ? bar->widgetForAction(action) : nullptr) return w;
    return nullptr;
}

QAction *MainWindowLayout::command(const QString &name) const
{
    for (const auto &c : commands)
        if (c.first == name) return c.second;
    return nullptr;
}

QRect Normal_Window_Geometry(const QRect &available, const QMargins &frame)
{
    return available.marginsRemoved(frame.isNull() ? kAssumedWindowFrame : frame);
}

MainWindowLayout Build_Main_Window_Layout()
{
    MainWindowLayout l;
    l.window = new QMainWindow;
    l.window->setObjectName(QStringLiteral("DrawWindow"));
    l.window->setWindowTitle(App_Name);
    QPalette pal = l.window->palette();
    pal.setColor(QPalette::Window, QColor::fromRgbF(241 / 255.0f, 244 / 255.0f, 250 / 255.0f));
    l.window->setPalette(pal);

    auto commandBar = [&](const QString &title, const QString &name) {
        QToolBar *bar = l.window->addToolBar(title);
        bar->setObjectName(name);
        bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        bar->setIconSize(QSize(24, 24));
        bar->setMovable(false);
        return bar;
    };
    l.commandBar = commandBar(QObject::tr("Commands"), QStringLiteral("commandBar"));
    l.viewBar = commandBar(QObject::tr("View"), QStringLiteral("viewBar"));
    l.deskBar = commandBar(QObject::tr("Desk"), QStringLiteral("deskBar"));
    QToolBar *bar = l.commandBar;
    int i = 0;
    for (const CommandDef &c : kCommands) {
        if (qstrcmp(c.name, kViewStart) == 0) bar = l.viewBar;
        else if (qstrcmp(c.name, kDeskStart) == 0) bar = l.deskBar;
        else if (c.separatorBefore) bar->addSeparator();
        QAction *a = bar->addAction(icon(QLatin1String(c.iconName)), QObject::tr(c.label));
        a->setObjectName(QLatin1String(c.name));
        l.commands[i++] = {QLatin1String(c.name), a};
    }
    new Toolbar_Rows(l.window, {l.commandBar, l.viewBar, l.deskBar});

    l.toolBar = new QToolBar(QObject::tr("Tools"));
    l.toolBar->setObjectName(QStringLiteral("toolBar"));
    l.toolBar->setIconSize(QSize(24, 24));
    l.toolBar->setMovable(false);
    l.window->addToolBar(Qt::LeftToolBarArea, l.toolBar);
    for (int t = 0; t < 16; ++t) {
        QAction *a = l.toolBar->addAction(icon(QStringLiteral("tool_%1").arg(t)), QObject::tr(kToolNames[t]));
        a->setObjectName(QStringLiteral("tool_%1").arg(t));
        a->setCheckable(t == 0);
        l.toolActions[t] = a;
    }

    // Banner strip and link row above the three panes.
    auto *central = new QWidget;
    auto *centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    l.banner = new Repeat_Image;
    l.banner->setObjectName(QStringLiteral("banner"));
    l.banner->setFixedHeight(90);
    centralLayout->addWidget(l.banner);
    l.link_row = new QWidget;
    l.link_row->setObjectName(QStringLiteral("link_row"));
    auto *linkLayout = new QHBoxLayout(l.link_row);
    linkLayout->setContentsMargins(8, 2, 8, 2);
    centralLayout->addWidget(l.link_row);
    l.splitter = new QSplitter(Qt::Horizontal);
    centralLayout->addWidget(l.splitter, 1);
    l.window->setCentralWidget(central);

    // Visitor panels.
    l.Visitor_Panel_Area = new QWidget;
    l.Visitor_Panel_Area->setObjectName(QStringLiteral("Visitor_Panel_Area"));
    auto *vl = new QVBoxLayout(l.Visitor_Panel_Area);
    vl->setContentsMargins(0, 0, 0, 0);
    l.scrollView = new QScrollArea;
    l.scrollView->setFrameShape(QFrame::NoFrame);
    l.scrollView->setWidgetResizable(true);
    l.visitor_stack = new QStackedWidget;
    l.front_vistr_view = new QWidget;
    l.front_vistr_view->setObjectName(QStringLiteral("front_vistr_view"));
    l.back_vistr_view = new QWidget;
    l.back_vistr_view->setObjectName(QStringLiteral("back_vistr_view"));
    l.visitor_stack->addWidget(l.front_vistr_view);
    l.visitor_stack->addWidget(l.back_vistr_view);
    l.scrollView->setWidget(l.visitor_stack);
    vl->addWidget(l.scrollView);
    l.Visitor_Panel_Area->setMinimumWidth(380);

    // Card area: side buttons and label above the three side containers.
    l.card_area = new QWidget;
    auto *cl = new QVBoxLayout(l.card_area);
    cl->setContentsMargins(0, 0, 0, 0);
    auto *sideRow = new QHBoxLayout;
    l.Front_Side_btn = new QToolButton;
    l.Front_Side_btn->setObjectName(QStringLiteral("Front_Side_btn"));
    l.Back_Side_btn = new QToolButton;
    l.Back_Side_btn->setObjectName(QStringLiteral("Back_Side_btn"));
    l.Temp_Side_btn = new QToolButton;
    l.Temp_Side_btn->setObjectName(QStringLiteral("Temp_Side_btn"));
    for (QToolButton *b : {l.Front_Side_btn, l.Back_Side_btn}) {
        b->setIconSize(QSize(90, 28));
        b->setAutoRaise(true);
    }
    l.Front_Side_btn->setText(QObject::tr("Front"));
    l.Back_Side_btn->setText(QObject::tr("Back"));
    l.Temp_Side_btn->setText(QObject::tr("Scratch"));
    l.Temp_Side_btn->setToolTip(QObject::tr("A copy of the side shown, to try things on"));
    l.Front_back_label = new QLabel(QObject::tr("Front"));
    l.Front_back_label->setObjectName(QStringLiteral("Front_back_label"));
    sideRow->addWidget(l.Front_Side_btn);
    sideRow->addWidget(l.Back_Side_btn);
    sideRow->addWidget(l.Temp_Side_btn);
    sideRow->addStretch(1);
    sideRow->addWidget(l.Front_back_label);
    cl->addLayout(sideRow);
    l.myTargetView = new QStackedWidget;
    l.myTargetView->setObjectName(QStringLiteral("myTargetView"));
    for (QWidget **w : {&l.first_view, &l.second_view, &l.temp_design_view}) {
        *w = new QWidget;
        auto *wl = new QVBoxLayout(*w);
        wl->setContentsMargins(0, 0, 0, 0);
        l.myTargetView->addWidget(*w);
    }
    cl->addWidget(l.myTargetView, 1);

    // Property tabs.
    l.Right_Prop_Box = new QWidget;
    l.Right_Prop_Box->setObjectName(QStringLiteral("Right_Prop_Box"));
    auto *rl = new QVBoxLayout(l.Right_Prop_Box);
    rl->setContentsMargins(0, 0, 0, 0);
    l.sett_tab = new QTabWidget;
    l.sett_tab->setObjectName(QStringLiteral("sett_tab"));
    l.sett_tab->setUsesScrollButtons(true);
    for (int t = 0; t < 15; ++t) {
        l.tabTitles[t] = QObject::tr(kTabTitles[t]);
        l.tabPages[t] = new QWidget;
        l.tabPages[t]->setObjectName(QStringLiteral("tab_%1").arg(t));
        new QVBoxLayout(l.tabPages[t]);
        l.sett_tab->addTab(l.tabPages[t], l.tabTitles[t]);
    }
    rl->addWidget(l.sett_tab);
    l.Right_Prop_Box->setMinimumWidth(340);

    l.group_control_view = new QWidget;
    l.group_control_view->setObjectName(QStringLiteral("group_control_view"));
    l.group_control_view->hide();
    l.splitter->addWidget(l.group_control_view);
    l.splitter->addWidget(l.Visitor_Panel_Area);
    l.splitter->addWidget(l.card_area);
    l.splitter->addWidget(l.Right_Prop_Box);
    l.splitter->setStretchFactor(0, 0);
    l.splitter->setStretchFactor(1, 0);
    l.splitter->setStretchFactor(2, 1);
    l.splitter->setStretchFactor(3, 0);
    return l;
}
