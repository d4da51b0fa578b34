// The test programs' own guards, seen as a run shows them: this program run again with
// planted tests (they exist only when DOZO_PLANTED_GUARDS is set) whose checker never
// ends and is given 1 ms, once in a test and once in its suite's set-up. The run must
// fail each planted test with one failure that names what was run, and judge nothing
// after it.
#include "TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace test_guard_reports_test {

namespace {

constexpr const char *kPlantedVariable = "DOZO_PLANTED_GUARDS";

// A checker that never ends by itself, given a bound of 1 ms once it has started.
void checkerOutOfTime()
{
    QProcess p;
    p.start(QStringLiteral("sleep"), {QStringLiteral("infinity")});
    ASSERT_TRUE(p.waitForStarted()) << "sleep could not start";
    ASSERT_TRUE(testsupport::checkerFinished(p, 1));
    ADD_FAILURE() << "judged after the checker's time ran out";
}

struct PlantedTest : ::testing::Test {
    void TestBody() override { checkerOutOfTime(); }
};

struct PlantedSetUp : ::testing::Test {
    static void SetUpTestSuite() { checkerOutOfTime(); }
    void TestBody() override { ADD_FAILURE() << "ran after its suite's set-up failed"; }
};

[[maybe_unused]] const bool kPlanted = [] {
    if (qEnvironmentVariableIsEmpty(kPlantedVariable)) return false;
    ::testing::RegisterTest("PlantedGuard", "CheckerOutOfTime", nullptr, nullptr, __FILE__, __LINE__,
                            []() -> PlantedTest * { return new PlantedTest; });
    ::testing::RegisterTest("PlantedSetUp", "AnyTest", nullptr, nullptr, __FILE__, __LINE__,
                            []() -> PlantedSetUp * { return new PlantedSetUp; });
    return true;
}();

} // namespace

TEST(TestGuardReports, ACheckerOutOfTimeFailsWhatItGuards)
{
    const std::string timedOut = "C++ exception with description \"checker timed out after 0 s: sleep infinity\" thrown in ";
    const struct Row {
        const char *filter;
        std::vector<std::string> shown;  // lines of the run's output, in this order
    } rows[] = {
        {"PlantedGuard.*",
         {timedOut + "the test body.", "[  PASSED  ] 0 tests.", "[  FAILED  ] PlantedGuard.CheckerOutOfTime", " 1 FAILED TEST"}},
        // GoogleTest alone would skip the suite's tests.
        {"PlantedSetUp.*",
         {"the set-up of PlantedSetUp failed:", timedOut + "SetUpTestSuite().", "[  PASSED  ] 0 tests.",
          "[  FAILED  ] PlantedSetUp.AnyTest", " 1 FAILED TEST"}},
    };
    for (const Row &r : rows) {
        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : environment.keys())
            if (name.startsWith(QLatin1String("GTEST_"))) environment.remove(name);
        environment.insert(kPlantedVariable, QStringLiteral("1"));
        run.setProcessEnvironment(environment);
        run.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--gtest_filter=") + r.filter, QStringLiteral("--gtest_color=no")});
        ASSERT_TRUE(testsupport::processFinished(run, "the planted run")) << r.filter;
        const QString output = QString::fromUtf8(run.readAllStandardOutput());
        EXPECT_EQ(run.exitCode(), 1) << r.filter << "\n" << output.toStdString();
        const QStringList lines = output.split(u'\n');
        qsizetype at = 0;
        for (const std::string &line : r.shown) {
            at = lines.indexOf(QString::fromStdString(line), at);
            EXPECT_GE(at, 0) << r.filter << ": no line \"" << line << "\" (in order) in\n" << output.toStdString();
            if (at < 0) break;
        }
        for (const char *never : {"judged after", "ran after", "[  SKIPPED ]", "[       OK ]"})
            EXPECT_FALSE(output.contains(QLatin1String(never))) << r.filter << ": " << never;
    }
}

} // namespace test_guard_reports_test
