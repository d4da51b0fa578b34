#include "SKTGraphic.h"
#include "UndoHistory.h"

#include <gtest/gtest.h>

namespace {
SideSnapshot state(int n)
{
    KeyedArchive a(QStringLiteral("Marker"));
    a.encodeInt(QStringLiteral("n"), n);
    return {a};
}
int numberOf(const SideSnapshot &s) { return s.empty() ? -1 : s.front().decodeInt(QStringLiteral("n")); }

// Plays a script on one side as the window does: a digit records that state, 'u'
// undoes, 'r' redoes; `shown` follows what the side shows.
struct Player {
    UndoHistory history;
    int shown[2] = {0, 0};
    void play(int side, const char *script)
    {
        for (const char *c = script; *c; ++c) {
            if (*c >= '0' && *c <= '9') {
                shown[side] = *c - '0';
                history.record(side, state(shown[side]));
            } else if (*c == 'u') {
                if (const SideSnapshot *s = history.undo(side, state(shown[side]))) shown[side] = numberOf(*s);
            } else if (*c == 'r') {
                if (auto s = history.redo(side)) {
                    shown[side] = numberOf(*s);
                    history.push(side, std::move(*s));
                }
            }
        }
    }
};
} // namespace

TEST(UndoHistory, ScriptsOnOneSide)
{
    struct Row {
        const char *script;
        int shown, undos, redos;
        bool canUndo, canRedo;
    } rows[] = {
        {"", 0, 0, 0, false, false},
        {"1", 1, 1, 0, false, false},          // the loaded state: nothing before it
        {"1u", 1, 1, 0, false, false},         // undo with nothing before changes nothing
        {"123", 3, 3, 0, true, false},
        {"123uu", 1, 1, 2, false, true},       // back to the loaded state, which stays
        {"123uuu", 1, 1, 2, false, true},
        {"123uurr", 3, 3, 0, true, false},
        {"123uurrr", 3, 3, 0, true, false},    // redo with nothing undone
        {"123u4", 4, 3, 0, true, false},       // a new change ends the redo
        {"12u3ur", 3, 2, 0, true, false},
        {"1r", 1, 1, 0, false, false},
    };
    for (const Row &r : rows) {
        Player p;
        p.play(0, r.script);
        SCOPED_TRACE(r.script);
        EXPECT_EQ(p.shown[0], r.shown);
        EXPECT_EQ(p.history.undoCount(0), r.undos);
        EXPECT_EQ(p.history.redoCount(0), r.redos);
        EXPECT_EQ(p.history.canUndo(0), r.canUndo);
        EXPECT_EQ(p.history.canRedo(0), r.canRedo);
        EXPECT_EQ(p.history.undoCount(1) + p.history.redoCount(1), 0) << "the back is untouched";
    }
}

TEST(UndoHistory, SidesKeepTheirOwnStacks)
{
    Player p;
    p.play(0, "123u");
    p.play(1, "5");
    p.history.makeSureOfBase(1, [] { return state(9); });
    p.history.makeSureOfBase(0, [] {
        ADD_FAILURE() << "a side with history is not asked for its state";
        return state(9);
    });
    p.play(1, "6uu");
    EXPECT_EQ(p.shown[1], 5);
    EXPECT_EQ(p.shown[0], 2);
    EXPECT_EQ(p.history.Ucontrol.size(), 2u);
    EXPECT_EQ(p.history.Rcontrol.size(), 1u);
    EXPECT_EQ(p.history.Ucontrol_back.size(), 1u);
    EXPECT_EQ(p.history.Rcontrol_back.size(), 1u);

    p.history.clear();
    for (int side : {0, 1}) EXPECT_EQ(p.history.undoCount(side) + p.history.redoCount(side), 0);

    // A side without history takes its present state as the base, then its change.
    p.history.makeSureOfBase(1, [] { return state(7); });
    p.history.record(1, state(8));
    EXPECT_EQ(numberOf(*p.history.undo(1, state(8))), 7);
}

TEST(UndoHistory, SnapshotsKeepOrderAndShareTheirPictures)
{
    auto image = SKTGraphic::create(GraphicKind::Image);
    image->_contents = Picture(QImage(4, 4, QImage::Format_ARGB32));
    auto shape = SKTGraphic::create(GraphicKind::Shape);
    SideSnapshot s = Side_Snapshot({image, nullptr, shape});
    ASSERT_EQ(s.size(), 2u);
    s.insert(s.begin() + 1, KeyedArchive(QStringLiteral("NoSuchControl")));

    const std::vector<GraphicPtr> back = Controls_From_Snapshot(s);
    ASSERT_EQ(back.size(), 2u) << "an archive that cannot be read is left out";
    EXPECT_EQ(back[0]->kind(), GraphicKind::Image);
    EXPECT_EQ(back[1]->kind(), GraphicKind::Shape);
    EXPECT_NE(back[0].get(), image.get());
    EXPECT_EQ(back[0]->_contents.image().cacheKey(), image->_contents.image().cacheKey());
}

namespace {
// A side of `controls` archives, each changed by `step` (so shared with no other step).
SideSnapshot moved(int controls, int step)
{
    SideSnapshot s;
    for (int i = 0; i < controls; ++i) {
        KeyedArchive a(QStringLiteral("SKTText"));
        a.encodeInt(QStringLiteral("n"), step);
        a.encodeString(QStringLiteral("Text_Value"), QString(100, QChar(u'a' + i % 26)));
        s.push_back(a);
    }
    return s;
}
} // namespace

// Past its budget a side's history drops its oldest steps above the bottom snapshot:
// it keeps within the budget, the bottom and the newest steps stay, and undo still
// walks back through what is kept to the bottom.
TEST(UndoHistory, KeepsWithinItsBudget)
{
    const qint64 perStep = [] {
        UndoHistory h;
        h.record(0, moved(50, 0));
        return h.bytes(0);
    }();
    EXPECT_EQ(perStep, 50 * Archive_Bytes(moved(1, 0).front()));
    UndoHistory history(perStep * 10);
    for (int step = 0; step < 300; ++step) {
        history.record(0, moved(50, step));
        ASSERT_LE(history.bytes(0), history.budget()) << "step " << step;
    }
    EXPECT_EQ(history.undoCount(0), 10);
    EXPECT_EQ(history.Ucontrol.front().front().decodeInt(QStringLiteral("n")), 0) << "the bottom snapshot stays";
    std::vector<int> seen;
    SideSnapshot shown = moved(50, 299);
    while (const SideSnapshot *s = history.undo(0, shown)) {
        seen.push_back(s->front().decodeInt(QStringLiteral("n")));
        shown = *s;
    }
    EXPECT_EQ(seen, (std::vector<int>{298, 297, 296, 295, 294, 293, 292, 291, 0}));
    EXPECT_EQ(history.undoCount(0), 1);
    // The back side's history is its own.
    EXPECT_EQ(history.bytes(1), 0);

    // Steps that share their archives with the step beneath cost only what changed.
    UndoHistory sharing;
    const SideSnapshot base = moved(50, 0);
    sharing.record(0, base);
    SideSnapshot one = base;
    one[0] = moved(1, 1).front();
    sharing.record(0, one);
    EXPECT_EQ(sharing.bytes(0), 51 * Archive_Bytes(moved(1, 0).front()));
}

// A picture shared by the steps counts once, in the step that brought it.
TEST(UndoHistory, ASharedPictureCountsOnce)
{
    QImage img(100, 100, QImage::Format_ARGB32);
    img.fill(Qt::red);
    auto withPicture = [&](int n) {
        KeyedArchive a(QStringLiteral("SKTImage"));
        a.encodeInt(QStringLiteral("n"), n);
        a.encodePicture(QStringLiteral("_contents"), Picture(img, QSizeF(100, 100)));
        return SideSnapshot{a};
    };
    UndoHistory history;
    history.record(0, withPicture(0));
    const qint64 first = history.bytes(0);
    EXPECT_GE(first, img.sizeInBytes());
    history.record(0, withPicture(1));
    EXPECT_EQ(history.bytes(0) - first, Archive_Bytes(withPicture(1).front()) - img.sizeInBytes());
}

// The count of a side's bytes: undo and redo stacks together, each snapshot by what it
// adds to the one beneath, the sides apart; fonts and texts by their strings.
TEST(UndoHistory, CountsEachSidesSnapshotsExactly)
{
    // Steps of different sizes, so a cost kept for the wrong step shows.
    UndoHistory history(20 * Archive_Bytes(moved(1, 0).front()));
    for (int step = 0; step < 12; ++step) history.record(0, moved(1 + step % 4, step));
    auto recounted = [](const std::vector<SideSnapshot> &undo, const std::vector<SideSnapshot> &redo) {
        UndoHistory fresh(1ll << 40);
        for (const SideSnapshot &s : undo) fresh.push(0, s);
        for (const SideSnapshot &s : redo) fresh.pushRedo(0, s);
        return fresh.bytes(0);
    };
    EXPECT_LT(history.undoCount(0), 12) << "some steps went";
    EXPECT_EQ(history.bytes(0), recounted(history.Ucontrol, history.Rcontrol));
    ASSERT_NE(history.undo(0, moved(2, 99)), nullptr);
    ASSERT_EQ(history.redoCount(0), 1);
    EXPECT_EQ(history.bytes(0), recounted(history.Ucontrol, {}) + 2 * Archive_Bytes(moved(1, 0).front()))
        << "the undone state on the redo stack counts with the undo stack";

    // The back side counts its own.
    const qint64 front = history.bytes(0);
    history.record(1, moved(3, 0));
    EXPECT_EQ(history.bytes(1), 3 * Archive_Bytes(moved(1, 0).front()));
    EXPECT_EQ(history.bytes(0), front);

    // A budget below two steps still keeps the bottom snapshot and the newest one.
    UndoHistory tiny(1);
    for (int step = 0; step < 5; ++step) tiny.record(0, moved(2, step));
    ASSERT_EQ(tiny.undoCount(0), 2);
    EXPECT_EQ(tiny.Ucontrol.front().front().decodeInt(QStringLiteral("n")), 0);
    EXPECT_EQ(tiny.Ucontrol.back().front().decodeInt(QStringLiteral("n")), 4);

    // A font and a text record count their strings and a fixed 64 bytes.
    auto one = [](const std::function<void(KeyedArchive &)> &put) {
        KeyedArchive a(QStringLiteral("SKTText"));
        put(a);
        return Archive_Bytes(a);
    };
    const qint64 flag = one([](KeyedArchive &a) { a.encodeBool(QStringLiteral("k"), true); });
    QFont font(QStringLiteral("Liberation Sans"));
    EXPECT_EQ(one([&](KeyedArchive &a) { a.encodeFont(QStringLiteral("k"), font); }) - flag, 15 * 2 + 64);
    EXPECT_EQ(one([&](KeyedArchive &a) { a.encodeText(QStringLiteral("k"), TextRecord{QStringLiteral("Visitor"), font, Qt::red}); }) - flag,
              7 * 2 + 15 * 2 + 64);
    EXPECT_EQ(one([](KeyedArchive &a) { a.encodeString(QStringLiteral("k"), QStringLiteral("abc")); }) - flag, 3 * 2);
}

TEST(UndoHistory, StepsToTheNearestStateTakenOnACardOfASize)
{
    const QSizeF a(243, 154), b(238, 148), c(300, 200);
    UndoHistory h;
    for (const QSizeF &size : {c, a, b, b}) {
        SideSnapshot s = state(0);
        s.card = Card_Size_Record{size, {}, {}};
        h.record(0, std::move(s));
    }
    EXPECT_EQ(h.stepsToCard(0, b, true), 0);
    EXPECT_EQ(h.stepsToCard(0, a, true), 2);
    EXPECT_EQ(h.stepsToCard(0, c, true), 3);
    EXPECT_EQ(h.stepsToCard(0, QSizeF(1, 1), true), std::nullopt);
    EXPECT_EQ(h.stepsToCard(1, a, true), std::nullopt);
    h.undo(0, *h.Ucontrol.rbegin());
    h.undo(0, *h.Ucontrol.rbegin());
    EXPECT_EQ(h.stepsToCard(0, a, false), 0);
    EXPECT_EQ(h.stepsToCard(0, b, false), 1);
}
