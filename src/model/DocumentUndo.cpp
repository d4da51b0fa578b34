#include "DocumentUndo.h"

#include "Log.h"
#include "SKTGraphicList.h"
#include "SKTImage.h"
#include "SKTLine.h"

#include <QTimer>

// ---- Keyed access ----

std::optional<UndoValue> Undo_Key_Value(const SKTGraphic &g, const QString &key)
{
    if (key == SKTGraphicIsDrawingFillKey) return g._isDrawingFill;
    if (key == SKTGraphicFillColorKey) return g._fillColor;
    if (key == SKTGraphicIsDrawingStrokeKey) return g._isDrawingStroke;
    if (key == SKTGraphicStrokeColorKey) return g._strokeColor;
    if (key == SKTGraphicStrokeWidthKey) return g._strokeWidth;
    if (key == SKTGraphicBoundsKey) return g.bounds();
    if (g.kind() == GraphicKind::Line) {
        const auto &line = static_cast<const SKTLine &>(g);
        if (key == SKTLineBeginPointKey) return line.beginPoint();
        if (key == SKTLineEndPointKey) return line.endPoint();
    }
    if (g.kind() == GraphicKind::Image) {
        if (key == SKTImageContentsKey) return g._contents;
        if (key == SKTImageIsFlippedHorizontallyKey) return g._isFlippedHorizontally;
        if (key == SKTImageIsFlippedVerticallyKey) return g._isFlippedVertically;
    }
    return std::nullopt;
}

bool Set_Undo_Key_Value(SKTGraphic &g, const QString &key, const UndoValue &value)
{
    const std::optional<UndoValue> now = Undo_Key_Value(g, key);
    if (!now || now->index() != value.index()) return false;
    if (key == SKTGraphicIsDrawingFillKey) g.setDrawingFill(std::get<bool>(value));
    else if (key == SKTGraphicFillColorKey) g.setFillColor(std::get<QColor>(value));
    else if (key == SKTGraphicIsDrawingStrokeKey) g.setDrawingStroke(std::get<bool>(value));
    else if (key == SKTGraphicStrokeColorKey) g.setStrokeColor(std::get<QColor>(value));
    else if (key == SKTGraphicStrokeWidthKey) g.setStrokeWidth(std::get<double>(value));
    else if (key == SKTGraphicBoundsKey) g.setBounds(std::get<QRectF>(value));
    else if (key == SKTLineBeginPointKey) static_cast<SKTLine &>(g).setBeginPoint(std::get<QPointF>(value));
    else if (key == SKTLineEndPointKey) static_cast<SKTLine &>(g).setEndPoint(std::get<QPointF>(value));
    else if (key == SKTImageIsFlippedHorizontallyKey) g.setFlippedHorizontally(std::get<bool>(value));
    else if (key == SKTImageIsFlippedVerticallyKey) g.setFlippedVertically(std::get<bool>(value));
    else if (key == SKTImageContentsKey) {
        SKTGraphic::ChangeScope scope(g);
        g.setField(&SKTGraphic::_contents, std::get<Picture>(value));
        static_cast<SKTImage &>(g).setFileNSImage_Variable(Picture());  // made again when drawn
    }
    return true;
}

QString Presentable_Property_Name(const SKTGraphic &g, const QString &key)
{
    if (!g.keysForValuesToObserveForUndo().contains(key)) return QString();
    if (g.kind() == GraphicKind::Line) {
        if (key == SKTLineBeginPointKey) return QStringLiteral("Beginpoint");
        if (key == SKTLineEndPointKey) return QStringLiteral("Endpoint");
    }
    if (g.kind() == GraphicKind::Image) {
        if (key == SKTImageIsFlippedHorizontallyKey) return QStringLiteral("Horizontal Flipping");
        if (key == SKTImageIsFlippedVerticallyKey) return QStringLiteral("Vertical Flipping");
    }
    return QLatin1String("");
}

// ---- The record ----

Document_Undo::Document_Undo(SKTGraphicList &front, QObject *parent) : QObject(parent), m_front(front)
{
    for (const GraphicPtr &g : m_front.items()) observe(g);
    connect(&m_front, &SKTGraphicList::inserted, this, &Document_Undo::graphicInserted);
    connect(&m_front, &SKTGraphicList::removed, this, &Document_Undo::graphicRemoved);
    connect(&m_front, &SKTGraphicList::moved, this, &Document_Undo::graphicMoved);
    connect(&m_front, &SKTGraphicList::reset, this, &Document_Undo::sideReset);
    connect(&m_front, &SKTGraphicList::changed, this, [this](SKTGraphic *g) { graphicChanged(g); });
}

Document_Undo::~Document_Undo() = default;

int Document_Undo::undoCount() const { return int(m_undo.size()) + (m_open && !m_open->empty() ? 1 : 0); }

void Document_Undo::removeAllActions()
{
    m_lastGroupFromGrouping = false;
    m_undo.clear();
    m_redo.clear();
    m_open.reset();
    m_building.reset();
    endGroupBookkeeping();
}

void Document_Undo::registerUndo(std::function<void()> action)
{
    if (!m_enabled) return;
    if (m_undoing || m_redoing) {
        if (!m_building) m_building.emplace();
        m_building->push_back(std::move(action));
        return;
    }
    m_redo.clear();
    if (!m_open) m_open.emplace();
    m_open->push_back(std::move(action));
    // Without an explicit grouping the group ends at the next turn of the event loop.
    if (m_nesting == 0 && !m_checkpointPending) {
        m_checkpointPending = true;
        QTimer::singleShot(0, this, [this] {
            m_checkpointPending = false;
            checkpoint();
        });
    }
}

void Document_Undo::endGroupBookkeeping()
{
    m_insertedInGroup.clear();
    m_oldProperties.reset();
    m_presentableName.reset();
    m_multipleProperties = false;
}

void Document_Undo::closeOpenGroup()
{
    if (m_open && !m_open->empty()) {
        m_undo.push_back(std::move(*m_open));
        if (int(m_undo.size()) > kLevelsOfUndo) m_undo.erase(m_undo.begin());
        m_lastGroupFromGrouping = false;
    }
    m_open.reset();
}

void Document_Undo::checkpoint()
{
    if (m_nesting > 0) return;
    closeOpenGroup();
    endGroupBookkeeping();
}

void Document_Undo::beginUndoGrouping()
{
    // The group still open ends first (checkpoint does nothing once a grouping is open),
    // so that taking the grouping back leaves what came before it.
    if (m_nesting == 0) checkpoint();
    ++m_nesting;
}

void Document_Undo::endUndoGrouping()
{
    if (m_nesting == 0) return;
    if (--m_nesting > 0) return;
    const bool recorded = m_open && !m_open->empty();
    checkpoint();
    m_lastGroupFromGrouping = recorded;
}

void Document_Undo::undoNestedGroup()
{
    if (m_nesting > 0 || m_undo.empty() || !m_lastGroupFromGrouping) return;
    m_lastGroupFromGrouping = false;
    Group group = std::move(m_undo.back());
    m_undo.pop_back();
    runGroup(std::move(group), true);
}

void Document_Undo::runGroup(Group group, bool undoing)
{
    m_lastGroupFromGrouping = false;
    endGroupBookkeeping();
    (undoing ? m_undoing : m_redoing) = true;
    m_building.reset();
    // Last registered, first undone.
    for (auto it = group.rbegin(); it != group.rend(); ++it) (*it)();
    (undoing ? m_undoing : m_redoing) = false;
    if (m_building && !m_building->empty()) (undoing ? m_redo : m_undo).push_back(std::move(*m_building));
    m_building.reset();
    endGroupBookkeeping();
}

void Document_Undo::undo()
{
    checkpoint();
    if (m_nesting > 0 || m_undo.empty()) return;
    m_lastGroupFromGrouping = false;
    Group group = std::move(m_undo.back());
    m_undo.pop_back();
    runGroup(std::move(group), true);
}

void Document_Undo::redo()
{
    checkpoint();
    if (m_nesting > 0 || m_redo.empty()) return;
    Group group = std::move(m_redo.back());
    m_redo.pop_back();
    runGroup(std::move(group), false);
}

void Document_Undo::setGraphicProperties(const Graphic_Properties &properties)
{
    for (const auto &[raw, entry] : properties.perGraphic)
        for (const auto &[key, value] : entry.values)
            if (!Set_Undo_Key_Value(*entry.graphic, key, value))
                Show_NSLog_Message(QStringLiteral("The undo of \"%1\" does not fit its control").arg(key));
}

// ---- Observation of the front controls ----

std::map<QString, UndoValue> Document_Undo::observedValues(const SKTGraphic &g) const
{
    std::map<QString, UndoValue> values;
    for (const QString &key : g.keysForValuesToObserveForUndo())
        if (std::optional<UndoValue> v = Undo_Key_Value(g, key)) values.emplace(key, std::move(*v));
    return values;
}

void Document_Undo::observe(const GraphicPtr &g)
{
    if (g) m_observed[g.get()] = {g, observedValues(*g)};
}

void Document_Undo::graphicInserted(int index, SKTGraphic *g)
{
    if (index < 0 || index >= m_front.count() || m_front.at(index).get() != g) return;
    const GraphicPtr graphic = m_front.at(index);
    observe(graphic);
    registerUndo([this, raw = g] { m_front.remove(raw); });
    if (m_enabled) m_insertedInGroup.insert(g);
}

void Document_Undo::graphicRemoved(int index, SKTGraphic *g)
{
    const auto it = m_observed.find(g);
    if (it == m_observed.end()) return;
    GraphicPtr graphic = it->second.first;
    m_observed.erase(it);
    registerUndo([this, graphic, index] { m_front.insert(graphic, index); });
}

void Document_Undo::graphicMoved(int from, int to)
{
    registerUndo([this, from, to] { m_front.move(to, from); });
}

void Document_Undo::sideReset()
{
    // A side replaced as a whole (a snapshot restored) starts the record afresh: the
    // recorded steps name controls that left.
    m_observed.clear();
    for (const GraphicPtr &g : m_front.items()) observe(g);
    removeAllActions();
}

void Document_Undo::graphicChanged(SKTGraphic *g)
{
    const auto it = m_observed.find(g);
    if (it == m_observed.end()) return;
    std::map<QString, UndoValue> now = observedValues(*g);
    std::map<QString, UndoValue> &before = it->second.second;
    const GraphicPtr graphic = it->second.first;
    const bool inserted = m_insertedInGroup.count(g) > 0;
    for (const auto &[key, value] : now) {
        const auto old = before.find(key);
        // A key that just came under observation has no old value to go back to.
        if (old == before.end() || old->second == value || inserted || !m_enabled) continue;
        if (!m_oldProperties) {
            m_oldProperties = std::make_shared<Graphic_Properties>();
            registerUndo([this, properties = m_oldProperties] { setGraphicProperties(*properties); });
        }
        Graphic_Properties::Entry &entry = m_oldProperties->perGraphic[g];
        entry.graphic = graphic;
        entry.values.emplace(key, old->second);  // the first old value of the group stays
        if (m_undoing || m_redoing || m_multipleProperties) continue;
        const QString name = Presentable_Property_Name(*g, key);
        if (name.isNull()) Show_NSLog_Message(QStringLiteral("No undo name for the key \"%1\"").arg(key));
        if (!m_presentableName) {
            m_presentableName = name;
        } else if (*m_presentableName != name) {
            m_multipleProperties = true;
            m_presentableName.reset();
        }
    }
    before = std::move(now);
}
