#include "SKTDocument.h"

#include "DocumentUndo.h"
#include "Globals.h"
#include "Helpers.h"

#include <QFileInfo>

#include <algorithm>
#include <set>
#include <utility>

SKTDocument::SKTDocument(QObject *parent)
    : QObject(parent), All_Text_font(Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size))
{
    for (SKTGraphicList *list : {&m_graphics, &m_graphicsBack, &m_graphicsTemp}) list->setDocument(this);
    m_undo = std::make_unique<Document_Undo>(m_graphics);
    // The card's own rules hear every change of the front and the back first (they are
    // connected before anything else can be).
    for (SKTGraphicList *list : {&m_graphics, &m_graphicsBack}) {
        connect(list, &SKTGraphicList::changed, this, [this](SKTGraphic *g, QRectF, QRectF) { controlChanged(g); },
                Qt::DirectConnection);
        connect(list, &SKTGraphicList::inserted, this, [this](int, SKTGraphic *g) { controlInserted(g); },
                Qt::DirectConnection);
    }
}

QRectF SKTDocument::cardBounds() const
{
    const QSizeF size = Front_card_Prop.Card_Size();
    if (size.width() > 0 && size.height() > 0) return QRectF(QPointF(0, 0), size);
    return QRectF(QPointF(0, 0), canvasSize(true, size));
}

SKTDocument::~SKTDocument() = default;

QString SKTDocument::displayName() const
{
    // A name too long for the display server's title is cut.
    const QString name = Elided_For_Display(Front_card_Prop.Card_Name());
    if (!Project_File_Name.isEmpty() && QFileInfo::exists(Project_File_Name))
        return QStringLiteral("%1 ( %2 - %3 )").arg(App_Name, name, QFileInfo(Project_File_Name).fileName());
    return QStringLiteral("%1 ( %2 )").arg(App_Name, name);
}

bool SKTDocument::insertGraphics(const std::vector<GraphicPtr> &graphics, const std::vector<int> &indexes)
{
    if (graphics.size() != indexes.size()) return false;
    std::vector<std::pair<int, GraphicPtr>> pairs;
    std::set<const SKTGraphic *> seen;
    for (size_t i = 0; i < graphics.size(); ++i) {
        if (!graphics[i] || m_graphics.contains(graphics[i].get()) || !seen.insert(graphics[i].get()).second)
            return false;
        pairs.emplace_back(indexes[i], graphics[i]);
    }
    std::sort(pairs.begin(), pairs.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    // Each index must be reachable once the controls before it are in.
    int count = m_graphics.count();
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i].first < 0 || pairs[i].first > count || (i > 0 && pairs[i].first == pairs[i - 1].first))
            return false;
        ++count;
    }
    for (auto &[index, g] : pairs) m_graphics.insert(g, index);
    return true;
}

bool SKTDocument::removeGraphicsAtIndexes(const std::vector<int> &indexes)
{
    const std::set<int> unique(indexes.begin(), indexes.end());
    if (unique.size() != indexes.size()) return false;
    if (!unique.empty() && (*unique.begin() < 0 || *unique.rbegin() >= m_graphics.count())) return false;
    for (auto it = unique.rbegin(); it != unique.rend(); ++it) m_graphics.removeAt(*it);
    return true;
}

void SKTDocument::copySideToOther(int source)
{
    source = source == 1 ? 1 : 0;
    std::vector<GraphicPtr> copies;
    // The other side's photo is the copy of this side's.
    const SKTGraphic *photo = Visitor_Photo(source);
    for (const GraphicPtr &g : sideList(source).items())
        if (GraphicPtr copy = SKTGraphic::decode(g->encode())) {
            copy->Set_Visitor_Photo_Mark(g.get() == photo);
            copies.push_back(std::move(copy));
        }
    sideList(1 - source).replaceAll(std::move(copies));
    Card_Property &to = source == 1 ? Front_card_Prop : Back_card_Prop;
    const QString sideName = to.Card_Side_Name();
    to = source == 1 ? Back_card_Prop : Front_card_Prop;
    to.setCard_Side_Name(sideName);
    if (source == 0)
        m_columnChoices.excel_cb_value12 = m_columnChoices.excel_cb_value11;
    else
        m_columnChoices.excel_cb_value11 = m_columnChoices.excel_cb_value12;
}

void SKTDocument::Enable_Disable_Undo_Registraion(bool enable) { m_undo->setRegistrationEnabled(enable); }
bool SKTDocument::isUndoRegistrationEnabled() const { return m_undo->isRegistrationEnabled(); }
void SKTDocument::setGraphicProperties(const Graphic_Properties &properties) { m_undo->setGraphicProperties(properties); }

void SKTDocument::Clear_All_Undo_Redo()
{
    m_undo->removeAllActions();
    Enable_Disable_Undo_Registraion(false);
    std::vector<int> all(static_cast<size_t>(m_graphics.count()));
    for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    removeGraphicsAtIndexes(all);
    Enable_Disable_Undo_Registraion(true);
}

QSizeF SKTDocument::canvasSize(bool useDefault, const QSizeF &size) { return useDefault ? QSizeF(243, 154) : size; }

void Window_Controller_Factory::make(SKTDocument &document)
{
    // The first call takes the maker: a factory makes one controller.
    const std::function<void(SKTDocument &)> maker = std::exchange(m_make, {});
    if (maker) maker(document);
}

void SKTDocument::makeWindowControllers(Window_Controller_Factory &factory) { factory.make(*this); }

bool SKTDocument::setPrintInfo(const Document_Print_Info &info)
{
    if (info == m_printInfo) return false;
    m_printInfo = info;
    emit printInfoChanged();
    return true;
}
