// A seeded random walk over the reception desk's events on every bundled template,
// without the main window: typing (a box emptied too), the tick boxes, texts changed on
// the card, the photo buttons, the Image tab (Browse, Library, Crop), Delete, Cut, Copy,
// Paste, Copy to Other Side, the side switch, Undo, Redo, clicks on pictures, Add to
// Database, a second visitor from the same pass, and Save As with the design read again.
// The walk keeps its own model of what the clerk should see, made from the events alone:
// each side's photo, its picture, each fixed field's tick and box, and a stack of those
// per undo step, so that Undo and Redo bring back what the events recorded. After every
// step it checks one photo per side, the one the events named; IDs unique on a side; the
// history as deep as the events made it, its last state the card as it is; the ticks and
// boxes of both panels (a placeholder is never a value: an emptied box reads ""); and at
// a record, the photo and every field stored. A failing walk prints its seed and the
// shortest sequence of steps that still fails, naming the step that broke the rule.
// PHOTO_WALK_SEED=<n> starts at another seed (1 unless set), PHOTO_WALKS=<n> walks that
// many seeds (50 unless set, shared out over five tests), each on every template, from
// the front or the back.
#include "HistoryDesk.h"
#include "StandInPictures.h"
#include "WalkShares.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <array>
#include <cctype>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>
#include <random>
#include <set>

namespace photo_walk_test {

namespace {
using C = SKTGraphicView::Command;

enum class Step {
    Type, Tick, TextOnCard, PhotoFromFile, Camera, ImageTab, Library, Crop, Delete, Cut, Copy, Paste, CopyToOtherSide,
    SwitchSide, Undo, Redo, ClickPicture, AddToDatabase, SecondVisitor, SaveAndReopen, Count
};
const char *const kStepNames[] = {"type into a box", "tick a field", "a text changed on the card", "Photo from File...",
                                  "Camera...", "the Image tab's Browse", "the Image tab's Library", "the Image tab's Crop",
                                  "Delete", "Cut", "Copy", "Paste", "Copy to Other Side", "switch sides", "Undo", "Redo",
                                  "a click on a picture", "Add to Database", "a second visitor from the same pass",
                                  "Save As and reopen"};
// How often each step comes, in the order of Step: typing, Undo and Redo most, a
// reopen seldom.
const int kWeights[] = {5, 3, 2, 2, 2, 2, 1, 1, 2, 2, 2, 3, 2, 2, 4, 3, 1, 2, 1, 1};
static_assert(std::size(kWeights) == size_t(Step::Count) && std::size(kStepNames) == size_t(Step::Count));
constexpr int kFields = kDateField;  // the fixed fields but the date and the time, which the desk stamps

// One step and the numbers that pick what it acts on.
struct Move {
    Step step;
    unsigned pick, choice;
};

std::string describe(const Move &m)
{
    return std::string(kStepNames[int(m.step)]) + " (" + std::to_string(m.pick) + ", " + std::to_string(m.choice) + ")";
}
std::string quoted(const QString &s) { return "\"" + s.toStdString() + "\""; }
// The rule a failure names: its text without what it quotes and without numbers (a
// shorter sequence breaks the same rule with other values).
std::string ruleOf(const std::string &failure)
{
    std::string rule;
    bool inQuote = false;
    for (char c : failure) {
        if (c == '"') inQuote = !inQuote;
        else if (!inQuote && !std::isdigit(static_cast<unsigned char>(c))) rule += c;
    }
    return rule;
}

// Where two states of a side first differ: the control and the key ("" when they are
// the same state). The picture an image keeps of its picture with its settings applied
// is made when it is drawn, and is no part of the state.
std::string firstDifference(const SideSnapshot &a, const SideSnapshot &b)
{
    const QString derived = QStringLiteral("_contents_with_settings");
    if (a.size() != b.size()) return std::to_string(a.size()) + " controls against " + std::to_string(b.size());
    if (a.photo != b.photo) return "photo " + std::to_string(a.photo) + " against " + std::to_string(b.photo);
    const QString stamped[] = {QLatin1String(Visitor_Fixed_Fields()[kDateField].value_id),
                               QLatin1String(Visitor_Fixed_Fields()[kTimeField].value_id)};
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        if (a[i].className() != b[i].className()) return "control " + std::to_string(i) + ", its class";
        // The desk stamps a shown date and time when it reads a card; that is no step.
        const QString id = a[i].decodeString(QStringLiteral("control_ID"));
        if (id == stamped[0] || id == stamped[1]) continue;
        for (const auto *pair : {&a, &b}) {
            const KeyedArchive &one = (*pair)[i], &other = pair == &a ? b[i] : a[i];
            for (const auto &[key, value] : one.entries()) {
                if (key == derived) continue;
                bool same = false;
                for (const auto &[otherKey, otherValue] : other.entries())
                    if (otherKey == key) same = otherValue == value;
                if (!same) {
                    std::string detail;
                    for (const KeyedArchive *x : {&a[i], &b[i]})
                        for (const auto &[k, v] : x->entries())
                            if (k == key) {
                                if (const TextRecord *t = std::get_if<TextRecord>(&v))
                                    detail += " [" + t->text.toStdString() + "|" + t->font.toString().toStdString() + "]";
                                if (const QString *t = std::get_if<QString>(&v)) detail += " [" + t->toStdString() + "]";
                            }
                    return "control " + std::to_string(i) + ", " + key.toStdString() + detail;
                }
            }
        }
    }
    return std::string();
}

// What a box or a record holds of a design's picture: nothing for a stand-in.
QString shownPath(const QString &path) { return Is_Stand_In_Picture(path, Resource_Path) ? QString() : path; }
QString valueID(int f) { return QLatin1String(Visitor_Fixed_Fields()[size_t(f)].value_id); }

// What the clerk should see of one fixed field: its tick, and its box (not known for a
// field not ticked whose box the desk filled from a hidden text).
struct Field {
    bool shown = false;
    std::optional<QString> box;
};
// What the clerk should see of a side, as the events made it.
struct Side {
    std::array<Field, kFields> fields;
    QString photoPath;  // the photo's picture as its box shows it ("" for none, or the design's stand-in)
    int photoAt = -1;   // the photo's place among the side's controls, as recorded
    void forgetHidden()
    {
        for (Field &f : fields)
            if (!f.shown) f.box.reset();
    }
};

class Walk {
public:
    Walk(const QString &design, int startSide, const QStringList &pictures) : m_pictures(pictures)
    {
        m_opened = d.open(design);
        if (!m_opened) return;
        // The template's own values are the start.
        for (int s : {0, 1}) {
            m_expected[s] = d.document.Visitor_Photo(s);
            m_now[s].photoPath = m_expected[s] ? shownPath(m_expected[s]->FilePath()) : QString();
            for (int f = 0; f < kFields; ++f) {
                const SKTGraphic *g = d.view(s).Selcect_Ctrl_With_ID(valueID(f));
                if (g && g->ctrl_is_visible) m_now[s].fields[size_t(f)] = {true, placeholderless(g->Text_Value)};
            }
        }
        started(0);  // the design read: the front's history starts
        if (startSide == 1) step({Step::CopyToOtherSide, 0, 0});
    }
    bool opened() const { return m_opened; }

    // Runs the moves; the first failure found, or "" when every step held.
    std::string run(const std::vector<Move> &moves, size_t *failedAt = nullptr)
    {
        for (size_t i = 0; i < moves.size(); ++i) {
            std::string failure = step(moves[i]);
            if (failure.empty()) failure = check(moves[i].step);
            if (!failure.empty()) {
                if (failedAt) *failedAt = i;
                return failure;
            }
        }
        return std::string();
    }

private:
    static QString placeholderless(const QString &text) { return text == "Text here" ? QString() : text; }
    int side() const { return d.document.currentSide(); }
    const std::vector<GraphicPtr> &controls() { return d.document.sideList(side()).items(); }
    std::vector<SKTGraphic *> of(GraphicKind kind)
    {
        std::vector<SKTGraphic *> found;
        for (const GraphicPtr &g : controls())
            if (g->kind() == kind) found.push_back(g.get());
        return found;
    }
    static SKTGraphic *pickOf(const std::vector<SKTGraphic *> &from, unsigned pick)
    {
        return from.empty() ? nullptr : from[pick % from.size()];
    }
    QString picture(unsigned pick) const { return m_pictures[int(pick % unsigned(m_pictures.size()))]; }
    // The fixed field whose value the control shows (-1 for none).
    static int fieldOf(const SKTGraphic *g)
    {
        for (int f = 0; g && f < kFields; ++f)
            if (g->kind() == GraphicKind::Text && g->control_ID == valueID(f)) return f;
        return -1;
    }

    // ---- The model's history ----
    // The model as a step leaves it, each side's photo placed among its controls.
    std::array<Side, 2> placed(std::array<Side, 2> model)
    {
        for (int s : {0, 1}) model[s].photoAt = m_expected[s] ? d.document.sideList(s).indexOf(m_expected[s]) : -1;
        return model;
    }
    // A history's start: the side as it is, its only step.
    void started(int s)
    {
        m_undo[s] = {placed(m_now)[s]};
        m_redo[s].clear();
    }
    // What an action recorded on the side shown, `steps` undo steps as the events say:
    // the last holds the side as the action left it, any before it the side before the
    // action (the state Delete, Cut and Paste record before they change the side). A
    // record starts the other side's history from its present state when it has none.
    void recorded(const std::array<Side, 2> &before, int steps)
    {
        const std::array<Side, 2> after = placed(m_now);
        const int s = side();
        if (steps > 0 && m_undo[1 - s].empty()) m_undo[1 - s].push_back(after[1 - s]);
        for (int i = 0; i < steps; ++i) m_undo[s].push_back(i + 1 < steps ? before[s] : after[s]);
        if (steps > 0) m_redo[s].clear();
    }
    // Runs one action of a step that records `steps` undo steps (the action may say
    // otherwise, a refused one none), kept in the model.
    void act(int steps, const std::function<void(int &steps)> &action)
    {
        const std::array<Side, 2> before = placed(m_now);
        action(steps);
        recorded(before, steps);
    }
    // Undo or Redo: the side comes back as the events recorded it.
    void restore(bool undo)
    {
        const int s = side();
        std::vector<Side> &from = undo ? m_undo[s] : m_redo[s];
        m_restored = !(undo ? from.size() < 2 : from.empty());
        if (!m_restored) {
            undo ? d.undo() : d.redo();
            return;
        }
        if (undo) {
            m_redo[s].push_back(m_undo[s].back());
            m_undo[s].pop_back();
            m_now[s] = m_undo[s].back();
        } else {
            m_now[s] = m_redo[s].back();
            m_redo[s].pop_back();
            m_undo[s].push_back(m_now[s]);
        }
        undo ? d.undo() : d.redo();
        // The side's controls are made again: the photo is the one at the recorded place.
        const std::vector<GraphicPtr> &items = d.document.sideList(s).items();
        const int at = m_now[s].photoAt;
        m_expected[s] = at >= 0 && size_t(at) < items.size() ? items[size_t(at)].get() : nullptr;
        // A field not ticked shows what its hidden text holds, or nothing without one.
        m_now[s].forgetHidden();
    }

    // ---- Events ----
    // The control the photo buttons fill: the selected picture, or the side's only one,
    // or a new "Fup_Photo" on a side without pictures (nullptr: refused).
    SKTGraphic *buttonTarget()
    {
        SKTGraphic *selected = d.currentView().Selected_Graphic();
        if (selected && selected->kind() == GraphicKind::Image) return selected;
        const std::vector<SKTGraphic *> images = of(GraphicKind::Image);
        return images.size() == 1 ? images.front() : nullptr;
    }
    void photoButton(const Move &m)
    {
        // With the photo, another picture or nothing selected.
        SKTGraphic *photo = m_expected[side()];
        std::vector<SKTGraphic *> others;
        for (SKTGraphic *g : of(GraphicKind::Image))
            if (g != photo) others.push_back(g);
        SKTGraphic *chosen = m.choice % 3 == 0 ? photo : m.choice % 3 == 1 ? pickOf(others, m.pick) : nullptr;
        chosen ? d.click(chosen) : d.clickEmptyPlace();
        const bool noPictures = of(GraphicKind::Image).empty();
        SKTGraphic *target = buttonTarget();
        const QString path = picture(m.pick);
        // One step once a picture is filled; none when no picture takes it.
        act(1, [&](int &steps) {
            m.step == Step::Camera ? d.camera(path) : d.photoFromFile(path);
            if (noPictures) target = d.currentView().Selcect_Ctrl_With_ID("Fup_Photo");
            if (!target) steps = 0;
            // The filled control is the photo; a user-added photo row keeps its picture apart.
            if (target && !d.panel().Get_Dynamic_Text_Box(target->control_ID)) {
                m_expected[side()] = target;
                m_now[side()].photoPath = path;
            }
        });
    }
    // A new picture for an image on the Image tab: Browse..., Library or Crop.
    void imageTab(const Move &m)
    {
        SKTGraphic *g = pickOf(of(GraphicKind::Image), m.pick);
        if (!g) return;
        d.click(g);
        QString path = m.step == Step::Library ? Resource_Path + "LibraryImage/Business/Person.png" : picture(m.choice);
        // One step; a Crop of a control without a picture changes nothing and records none.
        act(1, [&](int &steps) {
            if (m.step != Step::Crop)
                d.browseOnImageTab(g, path);
            else if ((path = d.cropOnImageTab(g)).isEmpty())
                steps = 0;
            // A side without a photo takes its "Fup_Photo" when that changes.
            if (!m_expected[side()] && g->control_ID == "Fup_Photo") m_expected[side()] = g;
            if (g == m_expected[side()] && !path.isEmpty()) m_now[side()].photoPath = path;
        });
    }
    // Delete, Cut or Copy of one control: the photo every other time when there is one.
    void onOne(const Move &m, C command)
    {
        SKTGraphic *g = m.choice % 2 == 0 && m_expected[side()] ? m_expected[side()] : pickOf(of(GraphicKind::Image), m.pick);
        if (!g || m.choice % 4 == 3) g = controls().empty() ? nullptr : controls()[m.pick % controls().size()].get();
        if (!g) return;
        d.click(g);
        const bool photo = g == m_expected[side()];
        const int f = fieldOf(g);
        if (command != C::Delete)
            m_clip = {true, photo, f, f >= 0 ? m_now[side()].fields[size_t(f)] : Field(), photo ? m_now[side()].photoPath : ""};
        if (command == C::Copy) {
            d.command(command);
            return;
        }
        // Delete and Cut record the side before and after; a locked control is not taken.
        const bool locked = g->ctrl_is_locked;
        act(locked ? 0 : 2, [&](int &) {
            d.command(command);
            if (locked) return;
            if (f >= 0) m_now[side()].fields[size_t(f)].shown = false;
            if (!photo) return;
            m_expected[side()] = nullptr;
            m_now[side()].photoPath.clear();
        });
    }
    void paste()
    {
        if (!m_clip.full) return;
        const bool hadPhoto = m_expected[side()] != nullptr;
        SKTGraphic *pasted = nullptr;
        // Paste records the side before and after.
        act(2, [&](int &) {
            d.command(C::Paste);
            pasted = d.currentView().Selected_Graphic();
            // The photo cut or copied is the photo again on a side that has none.
            if (pasted && !hadPhoto && m_clip.photo) {
                m_expected[side()] = pasted;
                m_now[side()].photoPath = m_clip.path;
            }
            // A field's text pasted under its own ID is the field again, as it was.
            if (m_clip.field >= 0 && fieldOf(pasted) == m_clip.field)
                m_now[side()].fields[size_t(m_clip.field)] = m_clip.value;
        });
    }
    // A field's box ticked on (with a key typed after it every other time) or off.
    void tick(const Move &m)
    {
        const int f = int(m.pick % unsigned(kFields)), s = side();
        Field &field = m_now[s].fields[size_t(f)];
        const bool on = !field.shown;
        // A box whose text the events do not know gives the card what it reads.
        if (on && !field.box) field.box = placeholderless(d.panel().fields[size_t(f)].value->text());
        act(1, [&](int &) {
            d.tick(f, on);
            field.shown = on;
        });
        if (on && m.choice % 2) type(f, *field.box + "x");
    }
    void type(int f, const QString &text)
    {
        Field &field = m_now[side()].fields[size_t(f)];
        if (!field.shown) {
            if (!field.box) field.box = placeholderless(d.panel().fields[size_t(f)].value->text());
            act(1, [&](int &) {
                d.tick(f, true);
                field.shown = true;
            });
        }
        act(1, [&](int &) {
            PanelDesk::type(d.panel().fields[size_t(f)].value, text);
            field.box = text;
        });
    }
    std::string addToDatabase()
    {
        d.addToDatabase();
        if (d.visits.size() != ++m_visits) return "Add to Database stored " + std::to_string(d.visits.size()) + " visits, the events " + std::to_string(m_visits);
        return storedVisit(d.visits.back());
    }
    void copyToOtherSide()
    {
        // The other side's history starts before the copy when it has none; the copy is
        // one step of it.
        if (m_undo[1 - side()].empty()) m_undo[1 - side()].push_back(placed(m_now)[1 - side()]);
        act(1, [&](int &) {
            const int source = side();
            const int photo = m_expected[source] ? d.document.sideList(source).indexOf(m_expected[source]) : -1;
            d.copyToOtherSide();
            m_expected[1 - source] = photo < 0 ? nullptr : d.document.sideList(1 - source).at(photo).get();
            m_now[1 - source] = m_now[source];
            // Both panels are made again from the card.
            for (Side &s : m_now) s.forgetHidden();
        });
    }
    // Save As, and the file read again: each side's photo is the one its design names
    // (its "Fup_Photo", else its first picture without an ID), the boxes as they were.
    std::string saveAndReopen()
    {
        const QString path = testsupport::testHome() + "/walk.zcd";
        int named[2] = {-1, -1};
        QString namedPath[2];
        for (int s : {0, 1}) {
            const std::vector<GraphicPtr> &items = d.document.sideList(s).items();
            for (size_t i = 0; i < items.size(); ++i) {
                if (items[i]->kind() != GraphicKind::Image) continue;
                const QString id = items[i]->control_ID.trimmed();
                if (id == "Fup_Photo" || (id.isEmpty() && named[s] < 0)) named[s] = int(i);
                if (id == "Fup_Photo") break;
            }
            if (named[s] >= 0)
                namedPath[s] = items[size_t(named[s])].get() == m_expected[s] ? m_now[s].photoPath
                                                                              : shownPath(items[size_t(named[s])]->FilePath());
        }
        if (!d.saveAs(path)) return "Save As refused";
        if (!d.reopen(path)) return "the saved design cannot be read";
        for (int s : {0, 1}) {
            const std::vector<GraphicPtr> &items = d.document.sideList(s).items();
            m_expected[s] = named[s] >= 0 && size_t(named[s]) < items.size() ? items[size_t(named[s])].get() : nullptr;
            m_now[s].photoPath = namedPath[s];
            m_now[s].forgetHidden();
            m_undo[s].clear();
            m_redo[s].clear();
        }
        started(0);
        return std::string();
    }

    std::string step(const Move &m)
    {
        switch (m.step) {
        case Step::Type:
            // A box emptied one time in five.
            type(int(m.pick % unsigned(kFields)), m.choice % 5 == 0 ? QString() : QStringLiteral("Ann %1").arg(m.choice % 100));
            break;
        case Step::Tick: tick(m); break;
        case Step::TextOnCard:
            if (SKTGraphic *g = pickOf(of(GraphicKind::Text), m.pick)) {
                d.click(g);
                const QString text = QStringLiteral("Bo %1").arg(m.choice % 100);
                act(1, [&](int &) {
                    d.textOnCard(g, text);
                    // The box of a field ticked follows its text on the card.
                    if (const int f = fieldOf(g); f >= 0 && m_now[side()].fields[size_t(f)].shown)
                        m_now[side()].fields[size_t(f)].box = text;
                });
            }
            break;
        case Step::PhotoFromFile:
        case Step::Camera: photoButton(m); break;
        case Step::ImageTab:
        case Step::Library:
        case Step::Crop: imageTab(m); break;
        case Step::Delete: onOne(m, C::Delete); break;
        case Step::Cut: onOne(m, C::Cut); break;
        case Step::Copy: onOne(m, C::Copy); break;
        case Step::Paste: paste(); break;
        case Step::CopyToOtherSide: copyToOtherSide(); break;
        case Step::SwitchSide: d.showSide(1 - side()); break;
        case Step::Undo: restore(true); break;
        case Step::Redo: restore(false); break;
        case Step::ClickPicture:
            if (SKTGraphic *g = pickOf(of(GraphicKind::Image), m.pick)) d.click(g);
            break;
        case Step::AddToDatabase: return addToDatabase();
        case Step::SecondVisitor: {
            // The visitor recorded, the next one typed over the shown fields and recorded.
            if (const std::string f = addToDatabase(); !f.empty()) return "the first visitor: " + f;
            const Visit first = d.visits.back();
            for (int f = 0; f < kFields; ++f)
                if (m_now[side()].fields[size_t(f)].shown) type(f, QStringLiteral("Cy %1").arg((m.choice + unsigned(f)) % 100));
            if (const std::string f = addToDatabase(); !f.empty()) return "the second visitor: " + f;
            if (const std::string f = storedVisit(d.visits[d.visits.size() - 2], &first); !f.empty())
                return "the first visitor read back: " + f;
            break;
        }
        case Step::SaveAndReopen: return saveAndReopen();
        case Step::Count: break;
        }
        return std::string();
    }

    // ---- Checks ----
    using Visit = HistoryDesk::Visit;
    // A stored visit against the model (or against the visit as first stored).
    std::string storedVisit(const Visit &stored, const Visit *asFirst = nullptr)
    {
        for (int s : {0, 1}) {
            const std::string where = s ? "back: " : "front: ";
            const QString photo = asFirst ? asFirst->photo[s] : m_expected[s] ? m_now[s].photoPath : QString();
            if (stored.photo[s] != photo)
                return where + "the record stores photo " + quoted(stored.photo[s]) + ", the events named " + quoted(photo);
            for (int f = 0; f < kFields; ++f) {
                const Field &field = m_now[s].fields[size_t(f)];
                const QString want = asFirst ? asFirst->values[s][f] : field.shown ? field.box.value_or("?") : QString();
                if (stored.values[s][f] != want)
                    return where + "the record stores " + valueID(f).toStdString() + " " + quoted(stored.values[s][f]) +
                           ", the clerk sees " + quoted(want);
            }
        }
        return std::string();
    }

    std::string check(Step last)
    {
        for (int s : {0, 1}) {
            const std::string where = s ? "back: " : "front: ";
            int marks = 0;
            std::set<QString> ids;
            for (const GraphicPtr &g : d.document.sideList(s).items()) {
                marks += g->Is_Visitor_Photo();
                if (!g->control_ID.isEmpty() && !ids.insert(g->control_ID).second)
                    return where + "two controls hold the ID " + quoted(g->control_ID);
            }
            if (marks > 1) return where + std::to_string(marks) + " controls carry the photo mark";
            SKTGraphic *photo = d.document.Visitor_Photo(s);
            if (photo != m_expected[s])
                return where + "the photo is " + (photo ? quoted(photo->control_ID) : "none") + ", the events named " +
                       (m_expected[s] ? quoted(m_expected[s]->control_ID) : "none");
            if (photo && !m_now[s].photoPath.isEmpty() && photo->FilePath() != m_now[s].photoPath)
                return where + "the photo shows " + quoted(photo->FilePath()) + ", the events put " + quoted(m_now[s].photoPath);
            if (d.history.undoCount(s) != int(m_undo[s].size()) || d.history.redoCount(s) != int(m_redo[s].size()))
                return where + "the history holds " + std::to_string(d.history.undoCount(s)) + " undo and " +
                       std::to_string(d.history.redoCount(s)) + " redo steps, the events " + std::to_string(m_undo[s].size()) +
                       " and " + std::to_string(m_redo[s].size());
            const std::vector<SideSnapshot> &stack = s ? d.history.Ucontrol_back : d.history.Ucontrol;
            if (const std::string diff = stack.empty() ? "" : firstDifference(stack.back(), d.present(s)); !diff.empty())
                return where + "the last recorded state is not the card as it is (" + diff + ")";
            if (const std::string f = boxes(s); !f.empty()) return where + f;
        }
        // After an Undo or a Redo the photo box shows the side's photo.
        if ((last == Step::Undo || last == Step::Redo) && m_restored) {
            const QString box = d.panel().image_path_val->text(), want = m_expected[side()] ? m_now[side()].photoPath : QString();
            if (box != want) return std::string(side() ? "back: " : "front: ") + "the photo box reads " + quoted(box) + ", the photo is " + quoted(want);
        }
        return std::string();
    }

    // The ticks and value boxes of the side's panel against what the clerk should see.
    std::string boxes(int s)
    {
        Profile_Panel &panel = s ? d.bp() : d.fp();
        for (int f = 0; f < kFields; ++f) {
            const Profile_Panel::Field_Boxes &b = panel.fields[size_t(f)];
            const Field &field = m_now[s].fields[size_t(f)];
            const std::string id = valueID(f).toStdString();
            if (b.value_chk->isChecked() != field.shown)
                return id + (field.shown ? " is not ticked, the events ticked it" : " is ticked, the events did not");
            if (b.value->text() == "Text here") return id + " reads the placeholder \"Text here\"";
            if (field.shown && field.box && b.value->text() != *field.box)
                return id + " reads " + quoted(b.value->text()) + ", the clerk should see " + quoted(*field.box);
        }
        return std::string();
    }

    struct Clip {
        bool full = false, photo = false;
        int field = -1;  // the fixed field whose text was taken (-1 none)
        Field value;
        QString path;
    };

    HistoryDesk d;
    QStringList m_pictures;
    bool m_opened = false;
    SKTGraphic *m_expected[2] = {nullptr, nullptr};  // each side's photo as the events name it
    std::array<Side, 2> m_now;                       // what the clerk should see now
    std::vector<Side> m_undo[2], m_redo[2];          // each side's recorded states, as the history's
    Clip m_clip;                                     // what a Cut or Copy put on the clipboard
    size_t m_visits = 0;
    bool m_restored = false;  // the last Undo or Redo brought a state back
};

std::vector<Move> randomMoves(std::mt19937 &rng, size_t count)
{
    std::vector<Step> deck;
    for (int s = 0; s < int(Step::Count); ++s) deck.insert(deck.end(), size_t(kWeights[s]), Step(s));
    std::vector<Move> moves;
    for (size_t i = 0; i < count; ++i)
        moves.push_back({deck[rng() % deck.size()], unsigned(rng() % 1000), unsigned(rng() % 1000)});
    return moves;
}

// The shortest sequence found that still fails: chunks taken out while it fails,
// halving, then single steps and pairs (a side switched and back) until none can go.
std::vector<Move> shrink(std::vector<Move> moves, const std::function<bool(const std::vector<Move> &)> &fails)
{
    auto without = [&](size_t i, size_t n) {
        std::vector<Move> shorter(moves.begin(), moves.begin() + long(i));
        shorter.insert(shorter.end(), moves.begin() + long(i + n), moves.end());
        return shorter;
    };
    for (size_t chunk = moves.size() / 2; chunk > 1; chunk /= 2)
        for (size_t i = 0; i + chunk <= moves.size();)
            if (std::vector<Move> shorter = without(i, chunk); fails(shorter))
                moves = std::move(shorter);
            else
                i += chunk;
    for (bool smaller = true; smaller;) {
        smaller = false;
        for (size_t n : {size_t(1), size_t(2)})
            for (size_t i = 0; i + n <= moves.size();)
                if (std::vector<Move> shorter = without(i, n); fails(shorter)) {
                    moves = std::move(shorter);
                    smaller = true;
                } else {
                    ++i;
                }
    }
    return moves;
}
} // namespace

// The seeds are shared out over several tests, so that each has room within a test's
// time limit on a slow machine.
constexpr int kWalkShares = 5;
class PhotoWalk : public ::testing::TestWithParam<int> {};
TEST_P(PhotoWalk, EveryBundledTemplateFrontAndBack)
{
    const auto [first, walks] = testsupport::Walk_Share(GetParam(), kWalkShares, "PHOTO_WALK_SEED", 1, "PHOTO_WALKS", 50);
    if (walks == 0) return;
    std::cout << "photo walk: seeds " << first << " to " << first + unsigned(walks) - 1 << "\n";
    const QStringList pictures = {Own_Picture("face", QColor(200, 40, 40)), Own_Picture("second", QColor(20, 40, 200)),
                                  Own_Picture("third", QColor(40, 160, 40))};
    const char *const designs[] = {"General ID (h)", "General ID (v)", "Student ID (h)", "Student ID (v)",
                                   "Visitor Pass (h)", "Visitor Pass (v)", "Invitation (h)"};
    constexpr size_t kSteps = 120;
    QElapsedTimer timer;
    timer.start();
    size_t steps = 0;
    for (unsigned seed = first; seed < first + unsigned(walks); ++seed) {
        std::mt19937 rng(seed);
        for (size_t t = 0; t < std::size(designs); ++t) {
            // Every template from the front on one seed and from the back on the next.
            const char *design = designs[t];
            const int startSide = int((seed + t) % 2);
                const std::vector<Move> moves = randomMoves(rng, kSteps);
                const QString path = Bundled_Template(design);
                size_t failedAt = 0;
                std::string failure;
                {
                    // One desk at a time: the panels of a desk are the program's panels.
                    Walk walk(path, startSide, pictures);
                    ASSERT_TRUE(walk.opened()) << design;
                    failure = walk.run(moves, &failedAt);
                }
                steps += failure.empty() ? moves.size() : failedAt + 1;
                if (failure.empty()) continue;
                // A shorter sequence is kept only when it breaks the same rule.
                auto fails = [&](const std::vector<Move> &tried) {
                    const std::string f = Walk(path, startSide, pictures).run(tried);
                    return !f.empty() && ruleOf(f) == ruleOf(failure);
                };
                const std::vector<Move> shortest =
                    shrink(std::vector<Move>(moves.begin(), moves.begin() + long(failedAt + 1)), fails);
                std::string listed;
                for (size_t i = 0; i < shortest.size(); ++i) listed += "\n  " + std::to_string(i + 1) + ". " + describe(shortest[i]);
                size_t at = 0;
                const std::string there = Walk(path, startSide, pictures).run(shortest, &at);
                ADD_FAILURE() << "seed " << seed << ", " << design << (startSide ? ", back" : ", front") << ", step "
                              << failedAt + 1 << ": " << failure << "\nshortest failing steps:" << listed << "\nstep "
                              << at + 1 << " (" << describe(shortest[at]) << ") broke the rule: " << there;
                return;
            }
    }
    std::cout << "photo walk: " << steps << " steps in " << timer.elapsed() << " ms\n";
}
INSTANTIATE_TEST_SUITE_P(Seeds, PhotoWalk, ::testing::Range(0, kWalkShares));

} // namespace photo_walk_test
