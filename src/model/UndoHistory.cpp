#include "UndoHistory.h"

#include "Log.h"

#include <exception>
#include <numeric>
#include <unordered_set>

namespace {

qint64 stringBytes(const QString &s) { return qint64(s.size()) * 2; }

qint64 valueBytes(const KeyedArchive::Value &v)
{
    if (const QString *s = std::get_if<QString>(&v)) return stringBytes(*s);
    if (const TextRecord *t = std::get_if<TextRecord>(&v)) return stringBytes(t->text) + stringBytes(t->font.family()) + 64;
    if (const QFont *f = std::get_if<QFont>(&v)) return stringBytes(f->family()) + 64;
    return 0;  // numbers, geometry and colours live in the entry itself
}

qint64 pictureBytes(const Picture &p) { return p.vector() ? 0 : p.image().sizeInBytes(); }

// What the snapshot holds beyond the one beneath it (all of it when none).
qint64 snapshotCost(const SideSnapshot &snapshot, const SideSnapshot *beneath)
{
    std::unordered_set<const void *> shared;
    std::unordered_set<qint64> pictures;
    if (beneath)
        for (const KeyedArchive &a : *beneath) {
            shared.insert(a.entriesId());
            for (const auto &[key, value] : a.entries())
                if (const Picture *p = std::get_if<Picture>(&value); p && !p->vector()) pictures.insert(p->image().cacheKey());
        }
    qint64 cost = 0;
    for (const KeyedArchive &a : snapshot) {
        if (shared.count(a.entriesId())) continue;
        cost += qint64(sizeof(KeyedArchive)) + stringBytes(a.className());
        for (const auto &[key, value] : a.entries()) {
            cost += qint64(sizeof(std::pair<QString, KeyedArchive::Value>)) + stringBytes(key) + valueBytes(value);
            if (const Picture *p = std::get_if<Picture>(&value); p && !p->vector() && !pictures.count(p->image().cacheKey()))
                cost += pictureBytes(*p);
        }
    }
    return cost;
}

} // namespace

Card_Size_Record Card_Size_Of(const Card_Property &front, const Card_Property &back)
{
    auto names = [](const Card_Property &p) {
        return Card_Size_Record::Names{p.Card_Preset(), p.Card_Category(), p.Card_Sub_Category(), p.Card_Cat_index()};
    };
    return {front.Card_Size(), names(front), names(back)};
}

void Give_Card_Size(const Card_Size_Record &record, Card_Property &front, Card_Property &back)
{
    for (auto [prop, names] : {std::pair{&front, &record.front}, std::pair{&back, &record.back}}) {
        prop->setCard_Size(record.size);
        prop->setCard_Preset(names->preset);
        prop->setCard_Category(names->category);
        prop->setCard_Sub_Category(names->sizeName);
        prop->setCard_Cat_index(names->row);
    }
}

std::optional<int> UndoHistory::stepsToCard(int side, const QSizeF &size, bool undoing) const
{
    const auto takenOn = [&](const SideSnapshot &s) { return s.card && s.card->size == size; };
    const std::vector<SideSnapshot> &undone = undoStack(side);
    if (!undone.empty() && takenOn(undone.back())) return 0;
    // Undoing walks down the undo stack below its top; redoing walks down the redo stack.
    const std::vector<SideSnapshot> &states = undoing ? undone : redoStack(side);
    const int top = undoing ? int(states.size()) - 1 : int(states.size());
    for (int i = top - 1; i >= 0; --i)
        if (takenOn(states[size_t(i)])) return top - i;
    return std::nullopt;
}

std::optional<int> UndoHistory::redosToDepth(int side, int depth, const QSizeF &size) const
{
    const std::vector<SideSnapshot> &states = redoStack(side);
    if (depth < 0 || depth >= int(states.size())) return std::nullopt;
    const SideSnapshot &reached = states[size_t(depth)];
    if (!reached.card || reached.card->size != size) return std::nullopt;
    return int(states.size()) - depth;
}

qint64 Archive_Bytes(const KeyedArchive &archive) { return snapshotCost({archive}, nullptr); }

SideSnapshot Side_Snapshot(const std::vector<GraphicPtr> &controls)
{
    SideSnapshot s;
    s.reserve(controls.size());
    for (const GraphicPtr &g : controls) {
        if (!g) continue;
        try {
            s.push_back(g->encode());
            if (g->Is_Visitor_Photo()) s.photo = int(s.size()) - 1;
        } catch (const std::exception &e) {
            Show_NSLog_Message(QString::fromUtf8(e.what()));
        }
    }
    return s;
}

std::vector<GraphicPtr> Controls_From_Snapshot(const SideSnapshot &snapshot)
{
    std::vector<GraphicPtr> controls;
    controls.reserve(snapshot.size());
    for (size_t i = 0; i < snapshot.size(); ++i) {
        GraphicPtr g;
        try {
            g = SKTGraphic::decode(snapshot[i]);
        } catch (const std::exception &) {
            g = nullptr;
        }
        if (!g) continue;
        if (int(i) == snapshot.photo) g->Set_Visitor_Photo_Mark(true);
        controls.push_back(std::move(g));
    }
    return controls;
}

void UndoHistory::pushOnto(std::vector<SideSnapshot> &stack, std::vector<qint64> &costs, SideSnapshot state)
{
    costs.push_back(snapshotCost(state, stack.empty() ? nullptr : &stack.back()));
    stack.push_back(std::move(state));
}

void UndoHistory::popFrom(std::vector<SideSnapshot> &stack, std::vector<qint64> &costs)
{
    stack.pop_back();
    costs.pop_back();
}

void UndoHistory::keepWithinBudget(int side)
{
    std::vector<SideSnapshot> &undo = undoStack(side);
    std::vector<qint64> &costs = undoCosts(side);
    while (undo.size() > 2 && bytes(side) > m_budget) {
        undo.erase(undo.begin() + 1);
        costs.erase(costs.begin() + 1);
        costs[1] = snapshotCost(undo[1], &undo[0]);  // now beneath it
    }
}

void UndoHistory::record(int side, SideSnapshot state)
{
    redoStack(side).clear();
    redoCosts(side).clear();
    push(side, std::move(state));
}

void UndoHistory::push(int side, SideSnapshot state)
{
    pushOnto(undoStack(side), undoCosts(side), std::move(state));
    keepWithinBudget(side);
}

void UndoHistory::pushRedo(int side, SideSnapshot state)
{
    pushOnto(redoStack(side), redoCosts(side), std::move(state));
}

void UndoHistory::makeSureOfBase(int side, const std::function<SideSnapshot()> &present)
{
    if (undoStack(side).empty()) push(side, present());
}

const SideSnapshot *UndoHistory::undo(int side, SideSnapshot present)
{
    std::vector<SideSnapshot> &undo = undoStack(side);
    if (undo.size() < 2) return nullptr;
    pushRedo(side, std::move(present));
    popFrom(undo, undoCosts(side));
    return &undo.back();
}

std::optional<SideSnapshot> UndoHistory::redo(int side)
{
    std::vector<SideSnapshot> &redo = redoStack(side);
    if (redo.empty()) return std::nullopt;
    SideSnapshot top = std::move(redo.back());
    popFrom(redo, redoCosts(side));
    return top;
}

qint64 UndoHistory::bytes(int side) const
{
    const std::vector<qint64> &u = m_costs[side == 1 ? 1 : 0], &r = m_costs[side == 1 ? 3 : 2];
    return std::accumulate(u.begin(), u.end(), qint64(0)) + std::accumulate(r.begin(), r.end(), qint64(0));
}

void UndoHistory::clear()
{
    for (std::vector<SideSnapshot> *s : {&Ucontrol, &Ucontrol_back, &Rcontrol, &Rcontrol_back}) s->clear();
    for (std::vector<qint64> &c : m_costs) c.clear();
}
