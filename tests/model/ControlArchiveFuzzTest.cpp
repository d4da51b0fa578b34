// Mutated control-archive bytes and e-mail settings files fed to their readers: no
// crash, no hang; accepted archives write and read back to the same values, accepted
// settings save and read back, refused settings are set aside with one message.
#include "ControlArchiveBytes.h"
#include "Fuzz.h"
#include "Globals.h"
#include "Plist.h"
#include "Preferences.h"
#include "TestSupport.h"
#include "UnusualValues.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

using namespace designtest;

namespace {

// A value that breaks naive readers, in place of a leaf of a property-list tree.
QVariant nastyValue(fuzz::Mutator &m)
{
    static const QVariantList values = {qQNaN(),  qInf(),  -qInf(), 1e308, -1e308, -1.0, qint64(1) << 40,
                                        qint64(-1), true, QString(), QString("x"), QByteArray("\x89PNG"),
                                        QVariantList{}, QVariantMap{}, QVariantList{1.0, 2.0}};
    return values[m.below(values.size())];
}

// The tree with one leaf (or one whole branch) replaced, or one dictionary entry dropped.
QVariant mutateTree(const QVariant &v, fuzz::Mutator &m)
{
    if (v.typeId() == QMetaType::QVariantList && !v.toList().isEmpty()) {
        QVariantList l = v.toList();
        const int i = m.below(l.size());
        l[i] = m.below(8) ? mutateTree(l[i], m) : nastyValue(m);
        return l;
    }
    if (v.typeId() == QMetaType::QVariantMap && !v.toMap().isEmpty()) {
        QVariantMap map = v.toMap();
        const QString key = map.keys()[m.below(map.size())];
        if (m.below(16) == 0) map.remove(key);
        else map[key] = m.below(8) ? mutateTree(map[key], m) : nastyValue(m);
        return map;
    }
    return nastyValue(m);
}

// The archives that bytes hold, as comparable text (NaN equals NaN, -0 differs from 0).
// The bytes themselves may differ for the same archives: libplist may or may not
// share equal values.
QStringList storedValues(const QByteArray &bytes)
{
    QStringList out;
    for (const KeyedArchive &a : Control_Archives_From_Bytes(bytes).value_or(std::vector<KeyedArchive>{})) {
        const QVariantMap plist = Control_Archive_To_Plist(a);
        for (auto it = plist.begin(); it != plist.end(); ++it) out << it.key() + ": " + QDebug::toString(it.value());
    }
    return out;
}

// Where two lists of stored values first differ, as text.
std::string firstDifference(const QStringList &a, const QStringList &b)
{
    for (qsizetype i = 0; i < qMax(a.size(), b.size()); ++i)
        if (a.value(i) != b.value(i)) return (a.value(i) + " then " + b.value(i)).toStdString();
    return "none";
}

} // namespace

TEST(ControlArchiveFuzz, MutatedArchivesAreReadOrRefusedCleanly)
{
    fuzz::QuietLog quiet;
    fuzz::Watchdog watchdog(std::chrono::seconds(10));
    fuzz::Mutator mutator(1104);
    std::vector<GraphicPtr> unusual, plain;
    for (GraphicKind kind : kEveryKind) {
        unusual.push_back(unusualControl(kind, int(kind)));
        plain.push_back(SKTGraphic::create(kind));
    }
    const QList<QByteArray> seeds = {Graphics_To_Archive_Bytes(unusual), Graphics_To_Archive_Bytes(plain)};
    QList<QVariant> trees;
    for (const QByteArray &s : seeds) trees << *Plist_From_Bytes(s);

    const int rounds = fuzz::rounds(1000);
    int accepted = 0;
    for (int round = 0; round < rounds && !HasFailure(); ++round) {
        const std::string input = "control archive round " + std::to_string(round);
        watchdog.next(input);
        const QByteArray bytes = round % 2 ? mutator.mutate(seeds[round % 4 / 2], seeds[mutator.below(2)])
                                           : Plist_To_Bytes(mutateTree(trees[round % 4 / 2], mutator), PlistFormat::Binary);
        const auto read = Graphics_From_Archive_Bytes(bytes);
        if (!read) continue;
        ++accepted;
        const QByteArray written = Graphics_To_Archive_Bytes(*read);
        const auto again = Graphics_From_Archive_Bytes(written);
        ASSERT_TRUE(again.has_value()) << input;
        const QStringList stored = storedValues(written), restored = storedValues(Graphics_To_Archive_Bytes(*again));
        EXPECT_TRUE(restored == stored) << input << ": " << firstDifference(stored, restored);
    }
    EXPECT_GT(accepted, rounds / 20);
}

TEST(PreferencesFuzz, MutatedSettingsFilesAreReadOrSetAside)
{
    fuzz::QuietLog quiet;
    fuzz::Watchdog watchdog(std::chrono::seconds(10));
    fuzz::Mutator mutator(1121);
    QDir().mkpath(Created_Resource_Path);
    const QString path = Preferences::settingsPath();
    const QByteArray seed = Plist_To_Bytes(QVariantMap{{"SendEmailRecipient", "desk@example.org, gate@example.org"},
                                                      {"SendEmailSender", "Zo\u00eb <zoe@example.org>"},
                                                      {"SendEmailPwd", "p&ss<word>"},
                                                      {"SendEmailSMTP", "smtp.example.org"},
                                                      {"SendEmailPORT", "587"},
                                                      {"SendEnableSSL", "Y"}});
    const int rounds = fuzz::rounds(1000);
    for (int round = 0; round < rounds && !HasFailure(); ++round) {
        const std::string input = "settings file round " + std::to_string(round);
        watchdog.next(input);
        QDir dir(Created_Resource_Path);
        for (const QString &f : dir.entryList({"zuv.iravararirer.plist*"}, QDir::Files)) dir.remove(f);
        testsupport::boxes().clear();
        const QByteArray bytes = mutator.mutate(seed, seed);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();

        Preferences p = Preferences::sharedInstance();
        if (!testsupport::boxes().take().isEmpty()) {
            QFile kept(path + ".broken");
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << input;
            EXPECT_EQ(kept.readAll(), bytes) << input;
            EXPECT_EQ(p.send_email_Password(), QString("")) << input;
            continue;
        }
        ASSERT_TRUE(p.flush()) << input;
        const Preferences again = Preferences::sharedInstance();
        EXPECT_TRUE(testsupport::boxes().take().isEmpty()) << input;
        for (auto get : {&Preferences::send_email_Recipient, &Preferences::send_email_SenderEmail,
                         &Preferences::send_email_Password, &Preferences::send_email_SMTP_server,
                         &Preferences::send_email_PORT_num, &Preferences::send_email_enable_ssl})
            EXPECT_EQ((again.*get)(), (p.*get)()) << input;
    }
}
