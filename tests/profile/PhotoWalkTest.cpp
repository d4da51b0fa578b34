// A seeded random walk over the reception desk's events on every bundled template,
// without the main window: typing, texts changed on the card, the photo buttons, the
// Image tab, Delete, Cut, Copy, Paste, Copy to Other Side, the side switch, Undo, Redo,
// clicks on pictures and Add to Database. After every step the walk checks what a clerk
// relies on: one photo per side, the one the events named; the history's last state is
// the card as it is (so Undo of a later change brings it back); and the photo box and
// the record hold that photo's picture and the shown fields as the card shows them. A
// failing walk prints its seed and the shortest sequence of steps that still fails.
// PHOTO_WALK_SEED=<n> walks another seed.
#include "HistoryDesk.h"
#include "StandInPictures.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <random>

namespace photo_walk_test {

namespace {
using C = SKTGraphicView::Command;

enum class Step {
    Type, TextOnCard, PhotoFromFile, Camera, ImageTab, Delete, Cut, Copy, Paste, CopyToOtherSide, SwitchSide,
    Undo, Redo, ClickPicture, AddToDatabase, Count
};
const char *const kStepNames[] = {"type into a box", "a text changed on the card", "Photo from File...", "Camera...",
                                  "the Image tab", "Delete", "Cut", "Copy", "Paste", "Copy to Other Side",
                                  "switch sides", "Undo", "Redo", "a click on a picture", "Add to Database"};

// One step and the numbers that pick what it acts on.
struct Move {
    Step step;
    unsigned pick, choice;
};

std::string describe(const Move &m)
{
    return std::string(kStepNames[int(m.step)]) + " (" + std::to_string(m.pick) + ", " + std::to_string(m.choice) + ")";
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

// What a record should hold of a side's photo: its picture's path, none for a stand-in.
QString photoPath(const SKTGraphic *photo)
{
    if (!photo) return QString();
    const QString path = photo->FilePath();
    return Is_Stand_In_Picture(path, Resource_Path) ? QString() : path;
}

class Walk {
public:
    Walk(const QString &design, int startSide, const QStringList &pictures) : m_pictures(pictures)
    {
        m_opened = d.open(design);
        if (m_opened && startSide == 1) d.copyToOtherSide();
        for (int s : {0, 1}) m_expected[s] = d.document.Visitor_Photo(s);
    }
    bool opened() const { return m_opened; }

    // Runs the moves; the first failure found, or "" when every step held.
    std::string run(const std::vector<Move> &moves, size_t *failedAt = nullptr)
    {
        for (size_t i = 0; i < moves.size(); ++i) {
            step(moves[i]);
            const std::string failure = check(moves[i].step == Step::AddToDatabase);
            if (!failure.empty()) {
                if (failedAt) *failedAt = i;
                return failure;
            }
        }
        return std::string();
    }

private:
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
        m.step == Step::Camera ? d.camera(path) : d.photoFromFile(path);
        if (noPictures) target = d.currentView().Selcect_Ctrl_With_ID("Fup_Photo");
        // The filled control is the photo; a user-added photo row keeps its picture apart.
        if (target && !d.panel().Get_Dynamic_Text_Box(target->control_ID)) m_expected[side()] = target;
    }
    // Delete, Cut or Copy of one control: the photo every other time when there is one.
    void onOne(const Move &m, C command)
    {
        SKTGraphic *g = m.choice % 2 == 0 && m_expected[side()] ? m_expected[side()] : pickOf(of(GraphicKind::Image), m.pick);
        if (!g || m.choice % 4 == 3) g = controls().empty() ? nullptr : controls()[m.pick % controls().size()].get();
        if (!g) return;
        d.click(g);
        const bool photo = g == m_expected[side()];
        if (command != C::Delete) {
            m_clipboardFull = true;
            m_clipboardPhoto = photo;
        }
        d.command(command);
        if (command != C::Copy && photo) m_expected[side()] = nullptr;
    }

    void step(const Move &m)
    {
        switch (m.step) {
        case Step::Type:
            // Any field but the date and the time, which the desk stamps.
            d.typeInto(int(m.pick % unsigned(kDateField)), QStringLiteral("Ann %1").arg(m.choice % 100));
            break;
        case Step::TextOnCard:
            if (SKTGraphic *g = pickOf(of(GraphicKind::Text), m.pick)) {
                d.click(g);
                d.textOnCard(g, QStringLiteral("Bo %1").arg(m.choice % 100));
            }
            break;
        case Step::PhotoFromFile:
        case Step::Camera: photoButton(m); break;
        case Step::ImageTab:
            if (SKTGraphic *g = pickOf(of(GraphicKind::Image), m.pick)) {
                d.click(g);
                d.browseOnImageTab(g, picture(m.choice));
                // A side without a photo takes its "Fup_Photo" when that changes.
                if (!m_expected[side()] && g->control_ID == "Fup_Photo") m_expected[side()] = g;
            }
            break;
        case Step::Delete: onOne(m, C::Delete); break;
        case Step::Cut: onOne(m, C::Cut); break;
        case Step::Copy: onOne(m, C::Copy); break;
        case Step::Paste: {
            if (!m_clipboardFull) break;
            const bool hadPhoto = m_expected[side()] != nullptr;
            d.command(C::Paste);
            SKTGraphic *pasted = d.currentView().Selected_Graphic();
            // The photo cut or copied is the photo again on a side that has none.
            if (pasted && !hadPhoto && m_clipboardPhoto) m_expected[side()] = pasted;
            break;
        }
        case Step::CopyToOtherSide: {
            const int source = side();
            const int photo = m_expected[source] ? d.document.sideList(source).indexOf(m_expected[source]) : -1;
            d.copyToOtherSide();
            m_expected[1 - source] = photo < 0 ? nullptr : d.document.sideList(1 - source).at(photo).get();
            break;
        }
        case Step::SwitchSide: d.showSide(1 - side()); break;
        case Step::Undo:
        case Step::Redo:
            m.step == Step::Undo ? d.undo() : d.redo();
            // The state comes back as it was recorded; that it was recorded as it was is
            // checked after every step.
            m_expected[side()] = d.document.Visitor_Photo(side());
            break;
        case Step::ClickPicture:
            if (SKTGraphic *g = pickOf(of(GraphicKind::Image), m.pick)) d.click(g);
            break;
        case Step::AddToDatabase: d.addToDatabase(); break;
        case Step::Count: break;
        }
    }

    std::string check(bool recorded)
    {
        for (int s : {0, 1}) {
            const std::string where = s ? "back: " : "front: ";
            int marks = 0;
            for (const GraphicPtr &g : d.document.sideList(s).items()) marks += g->Is_Visitor_Photo();
            if (marks > 1) return where + std::to_string(marks) + " controls carry the photo mark";
            SKTGraphic *photo = d.document.Visitor_Photo(s);
            if (photo != m_expected[s])
                return where + "the photo is " + (photo ? "\"" + photo->control_ID.toStdString() + "\"" : "none") +
                       ", the events named " +
                       (m_expected[s] ? "\"" + m_expected[s]->control_ID.toStdString() + "\"" : "none");
            const std::vector<SideSnapshot> &stack = s ? d.history.Ucontrol_back : d.history.Ucontrol;
            if (const std::string diff = stack.empty() ? "" : firstDifference(stack.back(), d.present(s)); !diff.empty())
                return where + "the last recorded state is not the card as it is (" + diff + ")";
            if (recorded) {
                if (d.visits.empty()) return "no visit recorded";
                const QString want = photoPath(photo);
                const QString stored = d.visits.back().photo[s];
                if (stored != want)
                    return where + "the record stores photo \"" + stored.toStdString() + "\", the card's photo is \"" +
                           want.toStdString() + "\"";
                if (const std::string f = fieldsOf(s); !f.empty()) return where + f;
            }
        }
        return std::string();
    }

    // The fixed fields of the side's panel, as the record reads them, against the card.
    std::string fieldsOf(int s)
    {
        Profile_Panel &panel = s ? d.bp() : d.fp();
        for (int f = 0; f < kVisitorFieldCount; ++f) {
            if (f == kDateField || f == kTimeField) continue;
            const QString id = QLatin1String(Visitor_Fixed_Fields()[f].value_id);
            SKTGraphic *g = d.view(s).Selcect_Ctrl_With_ID(id);
            const bool shown = g && g->ctrl_is_visible;
            const Profile_Panel::Field_Boxes &b = panel.fields[size_t(f)];
            if (b.value_chk->isChecked() != shown)
                return id.toStdString() + (shown ? " is shown on the card, not ticked" : " is ticked, not on the card");
            // A card's "Text here" is a box left empty, or one that names it (after an Undo).
            const QString text = !shown || (g->Text_Value == "Text here" && b.value->text().isEmpty())
                                     ? b.value->text()
                                     : g->Text_Value;
            if (b.value->text() != text)
                return id.toStdString() + " reads \"" + b.value->text().toStdString() + "\", the card \"" +
                       text.toStdString() + "\"";
        }
        return std::string();
    }

    HistoryDesk d;
    QStringList m_pictures;
    bool m_opened = false;
    SKTGraphic *m_expected[2] = {nullptr, nullptr};  // each side's photo as the events name it
    bool m_clipboardFull = false, m_clipboardPhoto = false;
};

std::vector<Move> randomMoves(std::mt19937 &rng, size_t count)
{
    std::vector<Move> moves;
    for (size_t i = 0; i < count; ++i)
        moves.push_back({Step(rng() % unsigned(Step::Count)), unsigned(rng() % 1000), unsigned(rng() % 1000)});
    return moves;
}

// The shortest sequence found that still fails: chunks taken out while it fails, halving.
std::vector<Move> shrink(std::vector<Move> moves, const std::function<bool(const std::vector<Move> &)> &fails)
{
    for (size_t chunk = moves.size() / 2; chunk >= 1; chunk /= 2)
        for (size_t i = 0; i + chunk <= moves.size();) {
            std::vector<Move> shorter(moves.begin(), moves.begin() + long(i));
            shorter.insert(shorter.end(), moves.begin() + long(i + chunk), moves.end());
            if (fails(shorter))
                moves = std::move(shorter);
            else
                i += chunk;
        }
    return moves;
}
} // namespace

TEST(PhotoWalk, EveryBundledTemplateFrontAndBack)
{
    unsigned seed = 95;
    if (const QByteArray given = qgetenv("PHOTO_WALK_SEED"); !given.isEmpty()) seed = given.toUInt();
    std::cout << "photo walk: seed " << seed << "\n";
    const QStringList pictures = {Own_Picture("face", QColor(200, 40, 40)), Own_Picture("second", QColor(20, 40, 200)),
                                  Own_Picture("third", QColor(40, 160, 40))};
    const char *const designs[] = {"General ID (h)", "General ID (v)", "Student ID (h)", "Student ID (v)",
                                   "Visitor Pass (h)", "Visitor Pass (v)", "Invitation (h)"};
    constexpr int kWalksPerSide = 2;
    constexpr size_t kSteps = 120;
    std::mt19937 rng(seed);
    QElapsedTimer timer;
    timer.start();
    size_t steps = 0;
    for (const char *design : designs)
        for (int startSide : {0, 1})
            for (int w = 0; w < kWalksPerSide; ++w) {
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
                auto fails = [&](const std::vector<Move> &tried) { return !Walk(path, startSide, pictures).run(tried).empty(); };
                const std::vector<Move> shortest =
                    shrink(std::vector<Move>(moves.begin(), moves.begin() + long(failedAt + 1)), fails);
                std::string listed;
                for (const Move &m : shortest) listed += "\n  " + describe(m);
                ADD_FAILURE() << "seed " << seed << ", " << design << (startSide ? ", back" : ", front") << ", walk "
                              << w << ", step " << failedAt + 1 << ": " << failure << "\nshortest failing steps:"
                              << listed << "\n  -> " << Walk(path, startSide, pictures).run(shortest);
                return;
            }
    std::cout << "photo walk: " << steps << " steps in " << timer.elapsed() << " ms\n";
}

} // namespace photo_walk_test
