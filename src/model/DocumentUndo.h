#pragma once
// The document's own undo record of the front side: inserting or removing a front
// control registers its inverse, and the first old value of each observed key of a
// control changed in a group registers one property restore for the group. A group
// ends at the checkpoint (the next turn of the event loop, or checkpoint()). The
// user's Undo and Redo work on side snapshots instead (UndoHistory); this record
// serves the grouping of control creation and the keyed restore of properties.
#include "Picture.h"
#include "SKTGraphic.h"

#include <QColor>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <variant>
#include <vector>

class SKTGraphicList;

// The value of an observed key.
using UndoValue = std::variant<bool, double, QColor, QRectF, QPointF, Picture>;

// Keyed get and set for the keys a control's keysForValuesToObserveForUndo names:
// "drawingFill", "fillColor", "drawingStroke", "strokeColor", "strokeWidth", "bounds";
// a line's "beginPoint" and "endPoint"; an image's "contents", "flippedHorizontally" and
// "flippedVertically". Another key, or a value of another type: nullopt / false.
std::optional<UndoValue> Undo_Key_Value(const SKTGraphic &g, const QString &key);
bool Set_Undo_Key_Value(SKTGraphic &g, const QString &key, const UndoValue &value);
// The name of the key for the undo menu: "" for the base keys; a line's "Beginpoint"
// and "Endpoint", an image's "Horizontal Flipping" and "Vertical Flipping"; a null
// string for a key the control does not observe.
QString Presentable_Property_Name(const SKTGraphic &g, const QString &key);

// Old values of one group: control to key to the value before the group's first change.
struct Graphic_Properties {
    struct Entry {
        GraphicPtr graphic;
        std::map<QString, UndoValue> values;
    };
    std::map<const SKTGraphic *, Entry> perGraphic;
};

class Document_Undo : public QObject {
    Q_OBJECT
public:
    explicit Document_Undo(SKTGraphicList &front, QObject *parent = nullptr);
    ~Document_Undo() override;

    // Off: nothing is recorded (the design-file reader rebuilds controls so).
    void setRegistrationEnabled(bool enabled) { m_enabled = enabled; }
    bool isRegistrationEnabled() const { return m_enabled; }
    // Empties the undo and redo stacks and the open group.
    void removeAllActions();

    // Ends the open group (unless an explicit grouping is open) and the group's
    // bookkeeping: inserted controls, old values and the presentable name.
    void checkpoint();
    // Explicit grouping (control creation): registrations until the matching end form
    // one group; undoNestedGroup undoes the group the last end closed (nothing when it
    // recorded nothing), keeping a redo of it only while registration is on.
    void beginUndoGrouping();
    void endUndoGrouping();
    void undoNestedGroup();

    bool canUndo() const { return !m_undo.empty() || (m_open && !m_open->empty()); }
    bool canRedo() const { return !m_redo.empty(); }
    int undoCount() const;
    int redoCount() const { return int(m_redo.size()); }
    void undo();
    void redo();
    bool isUndoing() const { return m_undoing; }
    bool isRedoing() const { return m_redoing; }

    // The undo action of a property group: sets each stored value back.
    void setGraphicProperties(const Graphic_Properties &properties);

    // The name of the one property changed in the group so far (nullopt: none yet, or
    // more than one), and whether more than one was changed.
    std::optional<QString> _undoGroupPresentablePropertyName() const { return m_presentableName; }
    bool _undoGroupHasChangesToMultipleProperties() const { return m_multipleProperties; }

    // Groups kept at most; the oldest goes first.
    static constexpr int kLevelsOfUndo = 500;

private:
    using Group = std::vector<std::function<void()>>;
    void registerUndo(std::function<void()> action);
    void endGroupBookkeeping();
    void closeOpenGroup();
    void runGroup(Group group, bool undoing);
    void observe(const GraphicPtr &g);
    std::map<QString, UndoValue> observedValues(const SKTGraphic &g) const;
    void graphicInserted(int index, SKTGraphic *g);
    void graphicRemoved(int index, SKTGraphic *g);
    void graphicMoved(int from, int to);
    void sideReset();
    void graphicChanged(SKTGraphic *g);

    SKTGraphicList &m_front;
    bool m_enabled = true;
    bool m_undoing = false, m_redoing = false;
    int m_nesting = 0;
    bool m_checkpointPending = false;
    bool m_lastGroupFromGrouping = false;  // the newest undo group is the one an end closed
    std::vector<Group> m_undo, m_redo;
    std::optional<Group> m_open;      // the group being recorded
    std::optional<Group> m_building;  // the inverse group built while undoing or redoing
    // Observed front controls with their values as last seen.
    std::map<const SKTGraphic *, std::pair<GraphicPtr, std::map<QString, UndoValue>>> m_observed;
    // The group's bookkeeping.
    std::set<const SKTGraphic *> m_insertedInGroup;
    std::shared_ptr<Graphic_Properties> m_oldProperties;
    std::optional<QString> m_presentableName;
    bool m_multipleProperties = false;
};
