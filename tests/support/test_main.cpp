#include "Globals.h"
#include "Paths.h"
#include "TestSupport.h"

#ifdef TEST_WITH_WIDGETS
#include "Field_Wheel.h"

#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <QBuffer>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace testsupport {

BoxRecorder &boxes()
{
    static BoxRecorder recorder;
    return recorder;
}

void BoxRecorder::answerNext(int answer)
{
    std::lock_guard lock(mutex);
    answers.push_back(answer);
}

QStringList BoxRecorder::take()
{
    std::lock_guard lock(mutex);
    QStringList s = shown;
    shown.clear();
    return s;
}

void BoxRecorder::clear()
{
    std::lock_guard lock(mutex);
    shown.clear();
    answers.clear();
}

namespace {
std::deque<QStringList> panelAnswers;
QStringList panelTitles;
QString home;
} // namespace

void queueFilePanelAnswer(const QStringList &paths) { panelAnswers.push_back(paths); }
QStringList filePanelRequests() { return panelTitles; }
void clearFilePanels()
{
    panelAnswers.clear();
    panelTitles.clear();
}
QString testHome() { return home; }

bool waitUntil(const std::function<bool()> &done, const char *what, int boundMs)
{
    const QDeadlineTimer guard(boundMs);
    while (!done()) {
        if (guard.hasExpired()) {
            ADD_FAILURE() << what << " did not happen within " << boundMs / 1000 << " s";
            return false;
        }
        QThread::yieldCurrentThread();
    }
    return true;
}

bool processFinished(QProcess &p, const char *what, int boundMs)
{
    if (p.waitForFinished(boundMs)) return true;
    if (p.state() == QProcess::NotRunning) return false;  // it could not start
    p.kill();
    p.waitForFinished();
    throw TimedOut(QStringLiteral("%1 timed out after %2 s: %3")
                       .arg(QLatin1String(what))
                       .arg(boundMs / 1000)
                       .arg((QStringList{p.program()} + p.arguments()).join(u' '))
                       .toStdString());
}

bool checkerFinished(QProcess &p, int boundMs) { return processFinished(p, "checker", boundMs); }

namespace {
QString writeUnderHome(const QString &name, const QByteArray &bytes)
{
    const QString path = testHome() + "/" + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) ADD_FAILURE() << "cannot write " << name.toStdString();
    return path;
}

QByteArray jpegOf(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 4 % 256, y * 3 % 256, (x * y) % 256));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPEG", 90));
    return buffer.data();
}
} // namespace

QString zipNamedAsPicture(const QString &name)
{
    return writeUnderHome(name, QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'));
}

QString jpegCutInHalf(const QString &name)
{
    const QByteArray whole = jpegOf(60, 80);
    return writeUnderHome(name, whole.left(whole.size() / 2));
}

QString jpegPastTheSizeBound(const QString &name)
{
    QByteArray bytes = jpegOf(16, 16);
    const auto at = [&bytes](qsizetype i) { return uchar(bytes.at(i)); };
    for (qsizetype i = 2; i + 8 < bytes.size() && at(i) == 0xFF; i += 2 + (at(i + 2) << 8 | at(i + 3))) {
        if (at(i + 1) != 0xC0) continue;
        const char size[4] = {char(10000 >> 8), char(10000 & 0xFF), char(20000 >> 8), char(20000 & 0xFF)};
        bytes.replace(i + 5, 4, QByteArray(size, 4));
        return writeUnderHome(name, bytes);
    }
    ADD_FAILURE() << "no baseline frame in the JPEG";
    return {};
}

QString bmpCutToAThird(const QString &name)
{
    QImage image(60, 80, QImage::Format_RGB32);
    image.fill(Qt::green);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "BMP"));
    return writeUnderHome(name, buffer.data().left(buffer.data().size() / 3));
}

void installRecordingAnswerer()
{
    Set_MessageBox_Answerer([](MessageBoxKind kind, const QString &text) {
        auto &r = boxes();
        std::lock_guard lock(r.mutex);
        r.shown << text;
        if (!r.answers.empty()) {
            int a = r.answers.front();
            r.answers.pop_front();
            return a;
        }
        // Unanswered: Cancel, No, and for a keep/replace question "Cancel" (4).
        return kind == MessageBoxKind::YesNoCancel ? kAlertCancel : kind == MessageBoxKind::KeepReplace ? 4 : 0;
    });
}

} // namespace testsupport

namespace {

// The variable that offers the virtual PDF printer (output's Virtual_PDF_Printer_Setting;
// the headless test programs do not link the output library).
constexpr const char *kPdfPrinterSetting = "DOZO_PDF_PRINTER_FILE";
// A CUPS server and configuration folder that cannot exist (/dev/null is no folder):
// the CUPS client lists no queue of this machine and sends no job anywhere.
constexpr const char *kNoPrintServer = "/dev/null/no-print-server";

// Answers file panels from the queue and records their titles.
QStringList answerFilePanel(const FilePanelRequest &req)
{
    testsupport::panelTitles << req.title;
    if (testsupport::panelAnswers.empty()) return QStringList();
    QStringList a = testsupport::panelAnswers.front();
    testsupport::panelAnswers.pop_front();
    return a;
}

// Gives every test a fresh, empty home (and so a fresh per-user data folder), the
// located application paths, and unanswered, unrecorded boxes and panels.
class PerTestHome : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo &) override
    {
        failWhenTheSuiteSetUpFailed();
        m_home = std::make_unique<QTemporaryDir>();
        const QString home = m_home->path();
        testsupport::home = home;
        qputenv("HOME", home.toUtf8());
        qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
        qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
        // The virtual PDF printer, writing into the test's home, is every test's default
        // printer (output/PrinterLayer.h), whatever an earlier test left.
        qputenv(kPdfPrinterSetting, (home + "/printed.pdf").toUtf8());
        Locate_Application_Paths();
        for (QString *path : {&Database_Path, &Cropped_Img_Path, &print_profile_path, &Data_Folder_Path,
                              &Camera_Folder_Path, &Library_Selected_Image})
            path->clear();

        testsupport::boxes().clear();
        testsupport::clearFilePanels();
        testsupport::installRecordingAnswerer();
        Set_File_Panel_Answerer(answerFilePanel);
        Set_Open_Url_Answerer([](const QString &) { return true; });
    }
    void OnTestEnd(const ::testing::TestInfo &) override
    {
        m_home.reset();
        testsupport::home.clear();
    }

private:
    // A suite whose set-up failed (a checker there that failed or ran out of time) fails
    // each of its tests with the set-up's failures: GoogleTest would only skip them, and
    // CTest count them as skipped.
    static void failWhenTheSuiteSetUpFailed()
    {
        const ::testing::TestSuite *suite = ::testing::UnitTest::GetInstance()->current_test_suite();
        if (!suite || !suite->ad_hoc_test_result().Failed()) return;
        std::string reasons;
        for (int i = 0; i < suite->ad_hoc_test_result().total_part_count(); ++i) {
            const ::testing::TestPartResult &part = suite->ad_hoc_test_result().GetTestPartResult(i);
            if (part.failed()) reasons += std::string("\n") + part.message();
        }
        ADD_FAILURE() << "the set-up of " << suite->name() << " failed:" << reasons;
    }

    std::unique_ptr<QTemporaryDir> m_home;
};

} // namespace

int main(int argc, char **argv)
{
    // No test reaches a printer of this machine, whoever runs the program and however:
    // before anything asks for printers, the CUPS client is pointed at no server (what
    // tests/CMakeLists.txt and the repeat scripts set too, stated again for a run by hand).
    qputenv("CUPS_SERVER", kNoPrintServer);
    qputenv("CUPS_SERVERROOT", kNoPrintServer);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);

    // Until the first test starts, the home is a private one too: nothing Qt reads
    // while starting up comes from the user's own folders.
    QTemporaryDir startHome;
    qputenv("HOME", startHome.path().toUtf8());
    qputenv("XDG_DATA_HOME", (startHome.path() + "/.local/share").toUtf8());
    qputenv("XDG_CONFIG_HOME", (startHome.path() + "/.config").toUtf8());
    qputenv(kPdfPrinterSetting, (startHome.path() + "/printed.pdf").toUtf8());

    TestApplication app(argc, argv);
    TestApplication::setApplicationName(App_Name);
#ifdef TEST_WITH_WIDGETS
    Install_Field_Wheel_Rule(app);  // as the application does
#endif

    ::testing::UnitTest::GetInstance()->listeners().Append(new PerTestHome);
    return RUN_ALL_TESTS();
}
