// The card view's clipboard (copy, cut, paste), the stacking order of the selection,
// select all, rulers and grid, and its commands with their validation and the
// right-click menu.
#include "SKTGraphicView.h"

#include "CardViewHost.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGrid.h"
#include "SKTRenderingView.h"
#include "SKTZoomingScrollView.h"

#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QUuid>
#include <algorithm>
#include <exception>

const QString SKTGraphicView::SKTGraphicViewPasteboardType = QStringLiteral("application/x-dozo-card-controls");
const QString SKTGraphicView::SKTGraphicViewPasteboardTokenType =
    QStringLiteral("application/x-dozo-card-controls-token");
const QString SKTGraphicView::SKTGraphicViewPasteboardPhotoType =
    QStringLiteral("application/x-dozo-card-controls-photo");

namespace {
const QString kLockedMessage = QStringLiteral("Selected control is locked.");

// What the clipboard offers first of the private type and file names: the private type
// wins; otherwise local files count as file names.
enum class ClipboardKind { Controls, FileNames, Other };
ClipboardKind clipboardKind(const QMimeData *data)
{
    if (!data) return ClipboardKind::Other;
    if (data->hasFormat(SKTGraphicView::SKTGraphicViewPasteboardType)) return ClipboardKind::Controls;
    for (const QUrl &url : data->urls())
        if (!Convert_Path_From_URL(url).isEmpty()) return ClipboardKind::FileNames;
    return ClipboardKind::Other;
}

SKTZoomingScrollView *enclosingZoomingScrollView(const QWidget *w)
{
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (auto *z = qobject_cast<SKTZoomingScrollView *>(p)) return z;
    return nullptr;
}

// The context menu, top to bottom; an empty title is a divider.
struct MenuRow {
    const char *title;
    SKTGraphicView::Command command;
};
using C = SKTGraphicView::Command;
const MenuRow kContextMenu[] = {
    {"Cut", C::Cut},
    {"Copy", C::Copy},
    {"Paste", C::Paste},
    {"", C::Cut},
    {"Delete", C::Delete},
    {"", C::Cut},
    {"Bring to Front", C::BringToFront},
    {"Send to Back", C::SendToBack},
    {"", C::Cut},
    {"Lock", C::Lock},
    {"Unlock", C::Unlock},
    {"", C::Cut},
    {"Card Properties", C::CardProperties},
    {"Card Background", C::CardBackground},
    {"", C::Cut},
    {"Show/Hide Grid", C::ShowHideGrid},
    {"", C::Cut},
    {"Export ID Card", C::ExportCard},
    {"Export as Template", C::ExportTemplate},
    {"Mail ID Card", C::MailCard},
    {"Print ID Card", C::PrintCard},
};

// The main window's commands, by the view's command.
struct WindowRow {
    SKTGraphicView::Command command;
    CardViewHost::WindowCommand windowCommand;
};
const WindowRow kWindowCommands[] = {
    {C::Lock, CardViewHost::WindowCommand::Lock},
    {C::Unlock, CardViewHost::WindowCommand::Unlock},
    {C::CardProperties, CardViewHost::WindowCommand::CardProperties},
    {C::CardBackground, CardViewHost::WindowCommand::CardBackground},
    {C::ExportCard, CardViewHost::WindowCommand::ExportCard},
    {C::ExportTemplate, CardViewHost::WindowCommand::ExportTemplate},
    {C::MailCard, CardViewHost::WindowCommand::MailCard},
    {C::PrintCard, CardViewHost::WindowCommand::PrintCard},
};

bool isOneOf(C c, std::initializer_list<C> set) { return std::find(set.begin(), set.end(), c) != set.end(); }
} // namespace

// ---- Clipboard ----

bool SKTGraphicView::clipboardHoldsControls()
{
    return clipboardKind(QGuiApplication::clipboard()->mimeData()) == ClipboardKind::Controls;
}

void SKTGraphicView::copy()
{
    std::vector<GraphicPtr> chosen;
    for (int i : selectionIndexes()) chosen.push_back(m_graphics->at(i));
    if (chosen.empty()) return;
    try {
        auto *mime = new QMimeData;
        mime->setData(SKTGraphicViewPasteboardType, SKTGraphic::pasteboardDataWithGraphics(chosen));
        // Which copied control was its side's visitor photo, beside the archives.
        for (size_t i = 0; i < chosen.size(); ++i)
            if (chosen[i]->Is_Visitor_Photo()) mime->setData(SKTGraphicViewPasteboardPhotoType, QByteArray::number(i));
        const RenderResources resources = Application_Render_Resources(m_adjuster);
        const QByteArray pdf =
            SKTRenderingView::pdfDataWithGraphics_data(chosen, QRectF(QPointF(0, 0), cardSize()), nullptr, resources);
        if (!pdf.isEmpty()) mime->setData(QStringLiteral("application/pdf"), pdf);
        SKTError error;
        const QByteArray tiff = SKTRenderingView::tiffDataWithGraphics(chosen, resources, &error);
        if (!tiff.isEmpty()) {
            mime->setData(QStringLiteral("image/tiff"), tiff);
            QByteArray png;
            QBuffer buffer(&png);
            const QImage image = QImage::fromData(tiff, "TIFF");
            if (!image.isNull() && buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG"))
                mime->setData(QStringLiteral("image/png"), png);
        }
        // Each copy has a token of its own: a paste knows whether it pastes this
        // view's last copy.
        const QByteArray token = QUuid::createUuid().toByteArray(QUuid::WithoutBraces);
        mime->setData(SKTGraphicViewPasteboardTokenType, token);
        QGuiApplication::clipboard()->setMimeData(mime);
        m_pasteboardToken = token;
        m_pasteCascadeNumber = 1;
        m_pasteCascadeDelta = QPointF(10, 10);
        if (m_host) m_host->Set_Paste_Button_Status();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

bool SKTGraphicView::cut()
{
    if (There_Is_Any_Lock_Contrl()) {
        Show_MessageBox(kLockedMessage);
        return false;
    }
    if (selectionIndexes().empty()) return false;
    copy();
    deleteSelection();
    return true;
}

// Paste: the private data makes controls made fresh for pasting, on top and selected.
// A paste of this view's own last copy, and every paste after the first of data that
// came from elsewhere, places them at the window's next free points; the first paste
// of fresh data keeps the copied positions. Without the private data, a picture on
// the clipboard becomes an image control; file names paste nothing.
bool SKTGraphicView::paste()
{
    if (m_host) m_host->Insert_In_Undo_Redo();
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    switch (clipboardKind(mime)) {
    case ClipboardKind::FileNames: return false;
    case ClipboardKind::Other: return makeNewImageFromPasteboard(mime, QPointF(50, 50));
    case ClipboardKind::Controls: break;
    }
    if (!m_graphics) return false;
    SKTError error;
    const Card_Mode mode = m_host ? m_host->Design_Mode() : Card_Mode::Template;
    auto newImageID = [this] { return m_host ? m_host->Generate_Extra_image_control_ID() : QString(); };
    const auto pasted = SKTGraphic::graphicsWithPasteboardData(mime->data(SKTGraphicViewPasteboardType), &error,
                                                               mode, newImageID, Pasted_Photo(mime));
    if (!pasted) {
        Show_MessageBox(error.localizedDescription + QLatin1Char('\n') + error.localizedFailureReason);
        return false;
    }
    const QByteArray token = mime->data(SKTGraphicViewPasteboardTokenType);
    if (token != m_pasteboardToken) {
        m_pasteboardToken = token;
        m_pasteCascadeNumber = 0;
        m_pasteCascadeDelta = QPointF(10, 10);
    }
    if (pasted->empty()) return false;
    // The photo keeps its own ID unless another control of the side has taken it.
    for (const GraphicPtr &g : *pasted)
        if (g->Is_Visitor_Photo() && !g->control_ID.isEmpty() && Selcect_Ctrl_With_ID(g->control_ID))
            g->control_ID = Has_Visitor_Panels(mode) ? newImageID() : QString();
    m_selectedGraphic = pasted->front().get();
    if (m_pasteCascadeNumber > 0) {
        const Card_Side side = Card_Side_Of_Index(m_host ? m_host->Current_Side() : 0);
        auto next = [this, side] { return m_host ? m_host->Control_New_Point(side) : QPointF(10, 10); };
        const QPointF at = next();
        SKTGraphic::Paste_Location_Of_Graphics(*pasted, at.x(), at.y(), next);
    }
    ++m_pasteCascadeNumber;
    std::vector<SKTGraphic *> added;
    for (size_t i = 0; i < pasted->size(); ++i) {
        m_graphics->insert((*pasted)[i], int(i));
        added.push_back((*pasted)[i].get());
    }
    if (m_host) m_host->Controls_Pasted(added);
    selectGraphics(added);
    if (m_host) m_host->Show_RHS_Properties(m_selectedGraphic);
    return true;
}

int SKTGraphicView::Pasted_Photo(const QMimeData *mime) const
{
    // A copy pasted while the side keeps its photo is not the photo.
    if (!m_graphics || !mime->hasFormat(SKTGraphicViewPasteboardPhotoType)) return -1;
    for (const GraphicPtr &g : m_graphics->items())
        if (g->Is_Visitor_Photo()) return -1;
    bool ok = false;
    const int photo = mime->data(SKTGraphicViewPasteboardPhotoType).toInt(&ok);
    return ok && photo >= 0 ? photo : -1;
}

// ---- Order ----

bool SKTGraphicView::reorderSelection(bool toFront)
{
    if (There_Is_Any_Lock_Contrl()) {
        Show_MessageBox(kLockedMessage);
        return false;
    }
    const auto chosen = selectedGraphics();
    if (chosen.empty() || !m_graphics) return false;
    const std::vector<GraphicPtr> before = m_graphics->items();
    for (size_t i = 0; i < chosen.size(); ++i) {
        const int from = m_graphics->indexOf(chosen[i]);
        m_graphics->move(from, toFront ? int(i) : m_graphics->count() - 1);
    }
    selectGraphics(chosen);
    return m_graphics->items() != before;
}

bool SKTGraphicView::bringToFront() { return reorderSelection(true); }
bool SKTGraphicView::sendToBack() { return reorderSelection(false); }

// ---- Selection, rulers, grid ----

void SKTGraphicView::selectAll()
{
    std::vector<int> all(size_t(m_graphics ? m_graphics->count() : 0));
    for (size_t i = 0; i < all.size(); ++i) all[i] = int(i);
    changeSelectionIndexes(all);
}

void SKTGraphicView::showOrHideRulers()
{
    if (SKTZoomingScrollView *z = enclosingZoomingScrollView(this)) z->setRulersVisible(!z->rulersVisible());
}

void SKTGraphicView::show_hide_grid_lines()
{
    if (m_grid) m_grid->setAlwaysShown(!m_grid->isAlwaysShown());
}

// ---- Commands ----

void SKTGraphicView::runCommand(Command command)
{
    for (const WindowRow &row : kWindowCommands)
        if (row.command == command) {
            if (m_host) m_host->Run_Window_Command(row.windowCommand);
            return;
        }
    bool changed = false;
    switch (command) {
    case C::Cut: cut(); break;  // the deletion records its own snapshots
    case C::Copy: copy(); break;
    case C::Paste: changed = paste(); break;
    case C::Delete: deleteSelection(); break;
    case C::BringToFront: changed = bringToFront(); break;
    case C::SendToBack: changed = sendToBack(); break;
    case C::ShowHideGrid: show_hide_grid_lines(); break;
    case C::AlignWithGrid: changed = alignWithGrid(); break;
    case C::MakeSameWidth: changed = makeSameWidth(); break;
    case C::MakeSameHeight: changed = makeSameHeight(); break;
    case C::MakeNaturalSize: changed = makeNaturalSize(); break;
    case C::MakeSameAsLabelSize: changed = makeSameAsLabelSize(); break;
    case C::SelectAll: selectAll(); break;
    case C::DeselectAll: deselectAll(); break;
    case C::ShowOrHideRulers: showOrHideRulers(); break;
    default: changed = alignSelection(command); break;
    }
    if (changed && m_host) m_host->Insert_In_Undo_Redo();
}

bool SKTGraphicView::validateCommand(Command command, QString *title) const
{
    for (const WindowRow &row : kWindowCommands)
        if (row.command == command && m_host && !m_host->Window_Command_Available(row.windowCommand)) return false;
    const bool anySelected = !m_selection.empty();
    if (m_selectedGraphic && m_graphics && m_graphics->contains(m_selectedGraphic)) {
        if (m_selectedGraphic->ctrl_is_locked &&
            (isOneOf(command, {C::Cut, C::Paste, C::Delete, C::BringToFront, C::SendToBack, C::Lock}) ||
             Is_Alignment_Command(command)))
            return false;
        if (!m_selectedGraphic->ctrl_is_locked && command == C::Unlock) return false;
    }
    switch (command) {
    case C::MakeNaturalSize:
        for (SKTGraphic *g : selectedGraphics())
            if (g->canMakeNaturalSize()) return true;
        return false;
    case C::Paste: return clipboardHoldsControls();
    case C::AlignWithGrid: return anySelected && m_grid && m_grid->canAlign();
    case C::Delete:
    case C::BringToFront:
    case C::SendToBack:
    case C::Cut:
    case C::Copy:
    case C::Lock:
    case C::Unlock: return anySelected;
    case C::AlignLeftEdges:
    case C::AlignRightEdges:
    case C::AlignTopEdges:
    case C::AlignBottomEdges:
    case C::AlignHorizontalCenters:
    case C::AlignVerticalCenters:
    case C::MakeSameWidth:
    case C::MakeSameHeight: return m_selection.size() > 1;
    case C::ShowOrHideRulers:
        if (title) {
            const SKTZoomingScrollView *z = enclosingZoomingScrollView(this);
            *title = z && z->rulersVisible() ? tr("Hide Ruler") : tr("Show Ruler");
        }
        return true;
    default: return true;
    }
}

bool SKTGraphicView::Is_Alignment_Command(Command command)
{
    return isOneOf(command, {C::AlignLeftEdges, C::AlignHorizontalCenters, C::AlignRightEdges, C::AlignTopEdges,
                             C::AlignVerticalCenters, C::AlignBottomEdges, C::AlignFormCenter});
}

QAction *SKTGraphicView::addCommandAction(QMenu *menu, const QString &title, Command command)
{
    QAction *action = menu->addAction(title);
    action->setData(int(command));
    return action;
}

void SKTGraphicView::validateMenu(QMenu *menu) const
{
    for (QAction *action : menu->actions()) {
        if (action->isSeparator() || !action->data().isValid()) continue;
        QString title;
        action->setEnabled(validateCommand(Command(action->data().toInt()), &title));
        if (!title.isEmpty()) action->setText(title);
    }
}

QMenu *SKTGraphicView::makeContextMenu()
{
    auto *menu = new QMenu(tr("Contextual Menu"), this);
    for (const MenuRow &row : kContextMenu) {
        if (*row.title == '\0')
            menu->addSeparator();
        else
            addCommandAction(menu, tr(row.title), row.command);
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { validateMenu(menu); });
    connect(menu, &QMenu::triggered, this, [this](QAction *action) {
        if (action->data().isValid()) runCommand(Command(action->data().toInt()));
    });
    return menu;
}

void SKTGraphicView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = makeContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}
