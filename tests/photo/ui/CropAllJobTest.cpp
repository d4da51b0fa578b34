// Crop All on its worker: many pictures with progress, Stop keeping the rows done,
// series new and replace (the old series intact when the run fails), direct mode with
// a missing input, faceless rows as empty lines.
#include "CropAllJob.h"

#include "OutsideFolder.h"
#include "QStringPrinter.h"
#include "TestSupport.h"
#include "TsanHandoff.h"
#include "WorkingFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <mutex>
#include <set>

namespace crop_all_job_test {

using namespace testsupport;

namespace {

// A face only in pictures wider than 100 pixels (their previews too).
class WideFaceDetector final : public FaceDetector {
public:
    std::vector<QRectF> Detect_Faces(const QImage &picture) const override
    {
        if (picture.width() <= 100)
            return {};
        return {{10, 10, 30, 20}};
    }
};

QStringList Make_Pictures(const QString &folder, int count, int width)
{
    QDir().mkpath(folder);
    QStringList paths;
    QImage picture(width, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    for (int i = 0; i < count; ++i) {
        const QString path = QStringLiteral("%1/p%2_%3.png").arg(folder).arg(width).arg(i, 3, 10, QChar(u'0'));
        picture.save(path);
        paths << path;
    }
    return paths;
}

QString Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
}

Crop_All_Snapshot Fixed_Snapshot(const QStringList &paths, const QString &out)
{
    Crop_All_Snapshot s;
    s.paths = paths;
    s.cut.mode = Crop_Mode::Fixed;
    s.cut.width = 20;
    s.cut.height = 10;
    s.outputFolder = out;
    s.format = 2;
    return s;
}

// Lets the job's questions run on this (the GUI) thread until it is done, 20 s at most,
// then waits for its worker.
void Run_To_End(Crop_All_Job &job)
{
    QElapsedTimer clock;
    clock.start();
    while (!job.Done() && clock.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    job.Wait();
}

}  // namespace

TEST(CropAllJob, FiveHundredPicturesOneFileEach)
{
    const QString home = testHome();
    const QStringList paths = Make_Pictures(home + "/in", 500, 30);
    auto state = std::make_shared<Output_Run_State>();
    Crop_All_Job job(Fixed_Snapshot(paths, home + "/out"), nullptr, state);
    std::atomic<int> rowsSeen{0};
    QObject::connect(&job, &Crop_All_Job::rowStarted, [&](int) { ++rowsSeen; });
    ASSERT_TRUE(job.Start());
    job.Wait();
    EXPECT_EQ(job.written(), 500);
    EXPECT_EQ(job.counter(), 500);
    EXPECT_EQ(state->curr_card_count.load(), 500);
    EXPECT_EQ(state->show_count.load(), 500);
    EXPECT_EQ(rowsSeen.load(), 500);
    EXPECT_TRUE(state->check_any_card_exported.load());
    EXPECT_EQ(QDir(home + "/out").entryList(QDir::Files).size(), 500);
    EXPECT_TRUE(QFile::exists(home + "/out/Untitled.png"));
    EXPECT_TRUE(QFile::exists(home + "/out/Untitled_499.png"));
    EXPECT_EQ(QImageReader(home + "/out/Untitled_7.png").size(), QSize(20, 10));
    EXPECT_EQ(state->Export_File_Path, home + "/out");
    EXPECT_EQ(state->Export_File_Message, "Image has been cropped successfully.");
}

TEST(CropAllJob, StopKeepsTheRowsDone)
{
    const QString home = testHome();
    const QStringList paths = Make_Pictures(home + "/in", 3, 30);
    auto state = std::make_shared<Output_Run_State>();
    Crop_All_Snapshot s = Fixed_Snapshot(paths, home + "/out");
    s.series = Crop_Series_Output::New;
    s.seriesPath = home + "/Run.txt";
    Crop_All_Job job(s, nullptr, state);
    // Stop asked while the second row is under way: it ends before the third.
    QObject::connect(&job, &Crop_All_Job::rowStarted, &job, [&](int row) {
        if (row == 1) state->Request_Stop();
    }, Qt::DirectConnection);
    ASSERT_TRUE(job.Start());
    job.Wait();
    EXPECT_EQ(job.written(), 2);
    EXPECT_EQ(Read(home + "/Run.txt"), home + "/out/Untitled.png\n" + home + "/out/Untitled_1.png\n");
    EXPECT_FALSE(QFile::exists(home + "/Run.txt.part"));
    EXPECT_EQ(state->Export_File_Message, "Pictures cropped: 2 of 3.\nThe run was stopped after 2 of 3 pictures.");
}

// A run stopped before its first picture is done: Stop answered while its question is
// open from the start, or the window gone then, begins no row and writes no picture;
// Stop while the first picture is under way lets that picture be written, the window
// gone then leaves it unwritten. The series, when the run makes one, holds the rows
// done, and no part file stays beside it.
TEST(CropAllJob, StoppedBeforeItsFirstPictureIsDone)
{
    struct Row {
        const char *what;
        bool whileAsked;  // Stop's question open from the start (else the first row under way)
        bool windowGone;  // the window goes (else Stop answered Yes)
        int begun, written, counter;
        QStringList files;  // in the output folder
        QStringList lines;  // of the series, each a file of the output folder ("" none)
        QString told;
    };
    const Row rows[] = {
        {"stop while asked", true, false, 0, 0, 0, {}, {},
         "Pictures cropped: 0 of 3.\nThe run was stopped after 0 of 3 pictures."},
        {"window gone while asked", true, true, 0, 0, 0, {}, {},
         "Pictures cropped: 0 of 3.\nThe run was stopped after 0 of 3 pictures."},
        {"stop in the first row", false, false, 1, 1, 1, {"Untitled.png"}, {"Untitled.png"},
         "Pictures cropped: 1 of 3.\nThe run was stopped after 1 of 3 pictures."},
        {"window gone in the first row", false, true, 1, 0, 1, {}, {""},
         "Pictures cropped: 0 of 3.\nThe run was stopped after 1 of 3 pictures."},
    };
    const QString home = testHome();
    const QStringList paths = Make_Pictures(home + "/in", 3, 30);
    for (const Row &r : rows) {
        QDir(home + "/out").removeRecursively();
        QFile::remove(home + "/Run.txt");
        auto state = std::make_shared<Output_Run_State>();
        state->paused = r.whileAsked;
        Crop_All_Snapshot s = Fixed_Snapshot(paths, home + "/out");
        s.series = Crop_Series_Output::New;
        s.seriesPath = home + "/Run.txt";
        Crop_All_Job job(s, nullptr, state);
        const auto stop = [&] {
            if (r.windowGone)
                job.Abandon();
            else
                state->Request_Stop();
        };
        std::atomic<int> begun{0};
        QObject::connect(&job, &Crop_All_Job::rowStarted, &job, [&](int row) {
            ++begun;
            if (row == 0 && !r.whileAsked) stop();
        }, Qt::DirectConnection);
        ASSERT_TRUE(job.Start()) << r.what;
        if (r.whileAsked) stop();
        job.Wait();
        EXPECT_EQ(begun.load(), r.begun) << r.what;
        EXPECT_EQ(state->curr_card_count.load(), r.begun) << r.what;
        EXPECT_EQ(job.written(), r.written) << r.what;
        EXPECT_EQ(job.counter(), r.counter) << r.what;
        EXPECT_EQ(state->check_any_card_exported.load(), r.written > 0) << r.what;
        EXPECT_EQ(QDir(home + "/out").entryList(QDir::Files | QDir::Hidden, QDir::Name).join(u'|'), r.files.join(u'|'))
            << r.what;
        QString lines;
        for (const QString &name : r.lines) lines += (name.isEmpty() ? name : home + "/out/" + name) + '\n';
        EXPECT_EQ(Read(home + "/Run.txt"), lines) << r.what;
        EXPECT_FALSE(QFile::exists(home + "/Run.txt.part")) << r.what;
        EXPECT_EQ(state->Export_File_Path, home + "/out") << r.what;
        EXPECT_EQ(state->Export_File_Message, r.told) << r.what;
    }
}

// The files a run could not write are counted and named with the system's reason, beside
// the pictures it could not read and a stop; never "cropped successfully" then.
TEST(CropAllJob, WhatCouldNotBeWrittenIsCountedAndNamed)
{
    const QString home = testHome();
    const QStringList paths = Make_Pictures(home + "/in", 8, 30);
    {
        QFile taken(home + "/taken.txt");  // a file where the output folder should be
        ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    }
    // A disk that fills after the first file.
    const Crop_Picture_Writer fullAfterOne = [](const QImage &cut, const QString &path, File_Write_Sweep *, QString *cause) {
        if (!path.endsWith("/Untitled.png")) {
            *cause = "No space left on device";
            return false;
        }
        return cut.save(path);
    };
    struct Case {
        const char *what;
        QStringList rows;
        QString out;
        Crop_Picture_Writer writer;
        int stopAt;  // the row under way when Stop is asked; -1 none
        int written;
        QString told;
    };
    const Case cases[] = {
        {"disk full", paths, home + "/out", fullAfterOne, -1, 1,
         "Pictures cropped: 1 of 8.\n\nPictures that could not be written: 7\n"
         "Row 2: \"Untitled_1.png\" (No space left on device)\nRow 3: \"Untitled_2.png\" (No space left on device)\n"
         "Row 4: \"Untitled_3.png\" (No space left on device)\nRow 5: \"Untitled_4.png\" (No space left on device)\n"
         "Row 6: \"Untitled_5.png\" (No space left on device)\nand 2 more"},
        {"no folder", paths.mid(0, 2), home + "/taken.txt", {}, -1, 0,
         "Pictures cropped: 0 of 2.\n\nPictures that could not be written: 2\n"
         "Row 1: \"Untitled.png\" (Not a directory)\nRow 2: \"Untitled_1.png\" (Not a directory)"},
        {"unreadable and unwritten", QStringList{paths[0], home + "/in/gone.png"}, home + "/taken.txt", {}, -1, 0,
         "Pictures cropped: 0 of 2.\n\nPictures that could not be read: 1\nRow 2: \"gone.png\"\n\n"
         "Pictures that could not be written: 1\nRow 1: \"Untitled.png\" (Not a directory)"},
        {"disk full, stopped", paths, home + "/out", fullAfterOne, 2, 1,
         "Pictures cropped: 1 of 8.\nThe run was stopped after 3 of 8 pictures.\n\n"
         "Pictures that could not be written: 2\n"
         "Row 2: \"Untitled_1.png\" (No space left on device)\nRow 3: \"Untitled_2.png\" (No space left on device)"},
        {"stopped at the last row", paths.mid(0, 2), home + "/out", {}, 1, 2, "Image has been cropped successfully."},
    };
    for (const Case &c : cases) {
        QDir(home + "/out").removeRecursively();
        auto state = std::make_shared<Output_Run_State>();
        Crop_All_Job job(Fixed_Snapshot(c.rows, c.out), nullptr, state, nullptr, c.writer);
        QObject::connect(&job, &Crop_All_Job::rowStarted, &job, [&](int row) {
            if (row == c.stopAt) state->Request_Stop();
        }, Qt::DirectConnection);
        ASSERT_TRUE(job.Start()) << c.what;
        job.Wait();
        EXPECT_EQ(job.written(), c.written) << c.what;
        EXPECT_EQ(state->check_any_card_exported.load(), c.written > 0) << c.what;
        EXPECT_EQ(state->Export_File_Message, c.told) << c.what;
    }
}

TEST(CropAllJob, SeriesLinesFaceAndDirect)
{
    const QString home = testHome();
    QStringList paths = Make_Pictures(home + "/in", 1, 200);
    paths << Make_Pictures(home + "/in", 1, 50) << home + "/in/missing.png" << Make_Pictures(home + "/in", 1, 150);
    QDir().mkpath(home + "/out");
    {
        QFile taken(home + "/out/p200_000.png");
        ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    }
    struct Row {
        const char *what;
        Crop_Series_Output series;
        bool direct;
        QString lines;
    };
    const Row rows[] = {
        // Faceless and missing rows give empty lines; direct names keep the input's name,
        // made free.
        {"direct", Crop_Series_Output::New, true,
         home + "/out/p200_000 (1).png\n\n\n" + home + "/out/p150_000.png\n"},
    };
    for (const Row &r : rows) {
        auto state = std::make_shared<Output_Run_State>();
        Crop_All_Snapshot s;
        s.paths = paths;
        s.cut.mode = Crop_Mode::Face;
        s.cut.drawing = {0, 0, 300, 300};
        s.outputFolder = home + "/out";
        s.direct = r.direct;
        s.series = r.series;
        s.seriesPath = home + "/S.txt";
        Crop_All_Job job(s, std::make_shared<WideFaceDetector>(), state);
        ASSERT_TRUE(job.Start());
        job.Wait();
        EXPECT_EQ(Read(home + "/S.txt"), r.lines) << r.what;
        EXPECT_EQ(QImageReader(home + "/out/p150_000.png").size(), QSize(30, 20)) << r.what;
    }
}

TEST(CropAllJob, ReplacedSeriesStaysWholeWhenTheRunFails)
{
    const QString home = testHome();
    const QString series = home + "/Old.txt";
    {
        QFile old(series);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old line\n");
    }
    // A part file that cannot be made: a folder stands in its way.
    QDir().mkpath(series + ".part");
    auto state = std::make_shared<Output_Run_State>();
    Crop_All_Snapshot s = Fixed_Snapshot(Make_Pictures(home + "/in", 2, 30), home + "/out");
    s.series = Crop_Series_Output::Replace;
    s.seriesPath = series;
    Crop_All_Job job(s, nullptr, state);
    boxes().clear();
    EXPECT_FALSE(job.Start());
    EXPECT_EQ(boxes().take(), QStringList{"\nError in series file accessing."});  // no title
    EXPECT_EQ(Read(series), "old line\n");
    EXPECT_EQ(state->curr_card_count.load(), 0);

    // Without the obstacle the replacement takes the series' place.
    QDir(series + ".part").removeRecursively();
    Crop_All_Job again(s, nullptr, state);
    ASSERT_TRUE(again.Start());
    again.Wait();
    EXPECT_EQ(Read(series), home + "/out/Untitled.png\n" + home + "/out/Untitled_1.png\n");
}

TEST(CropAllJob, KeepReplaceCancelSkipsItsFileOrStopsTheRun)
{
    // The first name is taken: the first row asks. A plain Cancel writes nothing for
    // that row and the run goes on; Cancel with "Apply to All" ends it there.
    struct Row {
        const char *what;
        int answer;
        int asked;
        QStringList written;
        QString lines;
    };
    const QString home = testHome();
    const QStringList paths = Make_Pictures(home + "/in", 3, 30);
    const Row rows[] = {
        {"cancel", Keep_Replace_Cancel, 1, {"Untitled_1.png", "Untitled_2.png"},
         "\n" + home + "/out/Untitled_1.png\n" + home + "/out/Untitled_2.png\n"},
        {"cancel all", Keep_Replace_Cancel_All, 1, {}, "\n"},
    };
    for (const Row &r : rows) {
        QDir(home + "/out").removeRecursively();
        QDir().mkpath(home + "/out");
        {
            QFile taken(home + "/out/Untitled.png");
            ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
            taken.write("old");
        }
        std::atomic<int> asked{0};
        Set_MessageBox_Answerer([&](MessageBoxKind kind, const QString &) {
            if (kind == MessageBoxKind::KeepReplace) ++asked;
            return r.answer;
        });
        auto state = std::make_shared<Output_Run_State>();
        Crop_All_Snapshot s = Fixed_Snapshot(paths, home + "/out");
        s.series = Crop_Series_Output::New;
        s.seriesPath = home + "/Run.txt";
        Crop_All_Job job(s, nullptr, state);
        ASSERT_TRUE(job.Start());
        // The question runs on this (the GUI) thread while the worker waits.
        QElapsedTimer clock;
        clock.start();
        while (!job.Done() && clock.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        ASSERT_TRUE(job.Done()) << r.what;
        job.Wait();
        installRecordingAnswerer();
        EXPECT_EQ(asked.load(), r.asked) << r.what;
        QStringList expected = r.written;
        expected.prepend("Untitled.png");
        EXPECT_EQ(QDir(home + "/out").entryList(QDir::Files, QDir::Name), expected) << r.what;
        EXPECT_EQ(Read(home + "/out/Untitled.png"), "old") << r.what;
        EXPECT_EQ(Read(home + "/Run.txt"), r.lines) << r.what;
        EXPECT_EQ(job.written(), r.written.size()) << r.what;
    }
}

// Names beginning with ":" are plain names: a custom name, an input's own name and a
// direct name, each kept beside a taken one, land in the output folder and are listed in
// the series as such; nothing is written in the working folder.
TEST(CropAllJob, NamesBeginningWithAColonStayInTheOutputFolder)
{
    struct Row {
        const char *what;
        bool direct, customName;
        const char *taken;
        QStringList written;  // beside the taken file, in name order
        QStringList lines;
    };
    const Row rows[] = {
        {"custom", false, true, ":Crop.png", {":Crop (1).png", ":Crop_1.png"}, {":Crop (1).png", ":Crop_1.png"}},
        {"own name", false, false, ":a.png", {":a (1).png", ":b.png"}, {":a (1).png", ":b.png"}},
        {"direct", true, false, ":a.png", {":a (1).png", ":b.png"}, {":a (1).png", ":b.png"}},
    };
    const QString home = testHome();
    QDir().mkpath(home + "/in");
    QImage picture(30, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    for (const char *name : {":a.png", ":b.png"}) ASSERT_TRUE(picture.save(home + "/in/" + name, "png"));
    for (const Row &r : rows) {
        WorkingFolder work;
        QDir(home + "/out").removeRecursively();
        QDir().mkpath(home + "/out");
        {
            QFile taken(home + "/out/" + r.taken);
            ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
        }
        Set_MessageBox_Answerer([](MessageBoxKind, const QString &) { return Keep_Replace_Keep_All; });
        auto state = std::make_shared<Output_Run_State>();
        Crop_All_Snapshot s = Fixed_Snapshot({home + "/in/:a.png", home + "/in/:b.png"}, home + "/out");
        s.direct = r.direct;
        s.customName = r.customName;
        s.name = ":Crop";
        s.series = Crop_Series_Output::New;
        s.seriesPath = home + "/:Run.txt";
        Crop_All_Job job(s, nullptr, state);
        ASSERT_TRUE(job.Start());
        Run_To_End(job);
        installRecordingAnswerer();
        QStringList expected = r.written;
        expected.prepend(r.taken);
        expected.sort();
        EXPECT_EQ(QDir(home + "/out").entryList(QDir::Files, QDir::Name).join(u'|'), expected.join(u'|')) << r.what;
        QString lines;
        for (const QString &name : r.lines) lines += home + "/out/" + name + '\n';
        EXPECT_EQ(Read(home + "/:Run.txt"), lines) << r.what;
        EXPECT_EQ(QImageReader(home + "/out/" + r.lines.back()).size(), QSize(20, 10)) << r.what;
        EXPECT_EQ(work.written().join(u'|'), "") << r.what;
    }
}

// A link under an output name answered Replace, or under the series' probe beside it,
// to a file elsewhere or leading nowhere: the link is replaced (the probe's removed),
// never written through, and nothing outside the folder changes or appears.
TEST(CropAllJob, ALinkUnderARunsNameIsReplacedNeverWrittenThrough)
{
    struct Row {
        const char *planted, *pointsTo;
    };
    const Row rows[] = {
        {"out/Untitled.png", "thesis.odt"},
        {"out/Untitled.png", "autostart.desktop"},
        {"Run.txt.part", "thesis.odt"},
    };
    const QString home = testHome();
    const QStringList paths = Make_Pictures(home + "/in", 1, 30);
    for (const Row &r : rows) {
        const testsupport::OutsideFolder outside;
        QDir(home + "/out").removeRecursively();
        QDir().mkpath(home + "/out");
        ASSERT_TRUE(outside.link(home + "/" + r.planted, r.pointsTo));
        Set_MessageBox_Answerer([](MessageBoxKind, const QString &) { return int(Keep_Replace_Replace); });
        auto state = std::make_shared<Output_Run_State>();
        Crop_All_Snapshot s = Fixed_Snapshot(paths, home + "/out");
        s.series = Crop_Series_Output::New;
        s.seriesPath = home + "/Run.txt";
        Crop_All_Job job(s, nullptr, state);
        ASSERT_TRUE(job.Start()) << r.planted;
        Run_To_End(job);
        installRecordingAnswerer();
        EXPECT_EQ(outside.contents(), "thesis.odt=thesis;") << r.planted << " " << r.pointsTo;
        const QFileInfo cut(home + "/out/Untitled.png");
        EXPECT_TRUE(cut.isFile() && !cut.isSymLink()) << r.planted << " " << r.pointsTo;
        EXPECT_EQ(QImage(cut.filePath()).size(), QSize(20, 10)) << r.planted << " " << r.pointsTo;
        EXPECT_FALSE(QFileInfo(home + "/Run.txt.part").isSymLink()) << r.planted;
        QFile::remove(home + "/Run.txt");
    }
}

TEST(CropAllJob, EachRowIsCutFromItsAdjustedPreview)
{
    const QString home = testHome();
    QDir().mkpath(home + "/in");
    // 1000 x 800, left half red, right half blue: its preview is 500 x 400, where x 300
    // to 400 is blue (in the whole picture it is red).
    QImage halves(1000, 800, QImage::Format_RGB32);
    halves.fill(Qt::red);
    for (int y = 0; y < 800; ++y)
        for (int x = 500; x < 1000; ++x) halves.setPixel(x, y, qRgb(0, 0, 255));
    ASSERT_TRUE(halves.save(home + "/in/halves.png"));
    // 60 x 40, top half red, bottom half blue; turned 90 degrees clockwise and stretched
    // into its box the red half is on the right, the blue on the left.
    QImage bands(60, 40, QImage::Format_RGB32);
    bands.fill(Qt::blue);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) bands.setPixel(x, y, qRgb(255, 0, 0));
    ASSERT_TRUE(bands.save(home + "/in/bands.png"));

    struct Row {
        const char *what;
        QString input;
        Crop_Mode mode;
        double rotation;
        QSize size;
        QPoint at;
        QRgb colour;
    };
    const Row rows[] = {
        {"preview", home + "/in/halves.png", Crop_Mode::Drawn, 0, {100, 100}, {50, 50}, qRgb(0, 0, 255)},
        {"turned: right", home + "/in/bands.png", Crop_Mode::Fixed, 90, {60, 40}, {50, 35}, qRgb(255, 0, 0)},
        {"turned: left", home + "/in/bands.png", Crop_Mode::Fixed, 90, {60, 40}, {10, 5}, qRgb(0, 0, 255)},
    };
    for (const Row &r : rows) {
        QDir(home + "/out").removeRecursively();
        Crop_All_Snapshot s;
        s.paths = {r.input};
        s.cut.mode = r.mode;
        s.cut.selection = {300, 0, 100, 100};
        s.cut.drawing = {0, 0, 500, 500};
        s.cut.width = 60;
        s.cut.height = 40;
        s.adjustments.rotation = r.rotation;
        s.outputFolder = home + "/out";
        s.format = 2;
        Crop_All_Job job(s, nullptr, std::make_shared<Output_Run_State>());
        ASSERT_TRUE(job.Start());
        job.Wait();
        const QImage cut(home + "/out/Untitled.png");
        ASSERT_EQ(cut.size(), r.size) << r.what;
        EXPECT_EQ(cut.pixel(r.at) | 0xff000000u, r.colour) << r.what;
    }
}

TEST(CropAllJob, RowsWhosePictureCannotBeReadAreCountedAndNamed)
{
    const QString home = testHome();
    QStringList paths = Make_Pictures(home + "/in", 2, 30);
    const auto file = [&](const QString &name, const QByteArray &bytes) {
        QFile f(home + "/in/" + name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i) noise[i] = char((i * 7919) % 251);
    // A whole PNG header (its check sum right) of 60000 x 60000 pixels: beyond the
    // decoder's limit.
    QByteArray huge = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452") + QByteArray::fromHex("0000ea600000ea60")
                      + QByteArray::fromHex("0806000000") + QByteArray::fromHex("80d27542")
                      + QByteArray::fromHex("0000000049454e44ae426082");
    const QStringList bad = {file("empty.png", {}), file("noise.jpg", noise), file("huge.png", huge),
                             home + "/in/gone.png"};
    struct Case {
        const char *what;
        QStringList rows;
        QString told;
    } cases[] = {
        {"all readable", paths, "Image has been cropped successfully."},
        {"four unreadable", QStringList{paths[0], bad[0], "", bad[1], paths[1], bad[2], bad[3]},
         "Pictures cropped: 2 of 7.\n\nPictures that could not be read: 4\nRow 2: \"empty.png\"\nRow 4: \"noise.jpg\"\n"
         "Row 6: \"huge.png\"\nRow 7: \"gone.png\"\n\nRows without a picture: 1\nRow 3: no picture"},
        // An empty line has no picture to cut: alone it keeps "successfully", beside
        // anything told it is named.
        {"empty lines only", QStringList{paths[0], "", paths[1], " "}, "Image has been cropped successfully."},
        {"more than five empty lines", QStringList{bad[3], "", "", "", "", "", "", paths[0]},
         "Pictures cropped: 1 of 8.\n\nPictures that could not be read: 1\nRow 1: \"gone.png\"\n\n"
         "Rows without a picture: 6\nRow 2: no picture\nRow 3: no picture\nRow 4: no picture\nRow 5: no picture\n"
         "Row 6: no picture\nand 1 more"},
        {"more than five", QStringList{bad[0], bad[1], bad[2], bad[3], bad[0], bad[1], bad[2]},
         "Pictures cropped: 0 of 7.\n\nPictures that could not be read: 7\nRow 1: \"empty.png\"\nRow 2: \"noise.jpg\"\n"
         "Row 3: \"huge.png\"\nRow 4: \"gone.png\"\nRow 5: \"empty.png\"\nand 2 more"},
    };
    for (const Case &c : cases) {
        QDir(home + "/out").removeRecursively();
        auto state = std::make_shared<Output_Run_State>();
        Crop_All_Job job(Fixed_Snapshot(c.rows, home + "/out"), nullptr, state);
        ASSERT_TRUE(job.Start());
        job.Wait();
        EXPECT_EQ(state->Export_File_Message, c.told) << c.what;
    }
}

// Face mode: a picture in which no face was found is not cropped, and the run counts and
// names it; "successfully" only when every picture was cut. A file the person chose not
// to write (Cancel at the keep/replace question) is no shortfall.
TEST(CropAllJob, PicturesWithoutAFaceAreCountedAndNamed)
{
    const QString home = testHome();
    const QStringList faces = Make_Pictures(home + "/in", 4, 200);
    const QStringList plain = Make_Pictures(home + "/in", 7, 50);
    struct Case {
        const char *what;
        QStringList rows;
        bool taken;  // "Untitled.png" is there and the question is answered Cancel
        int written;
        QString told;
    } cases[] = {
        {"all with a face", faces.mid(0, 3), false, 3, "Image has been cropped successfully."},
        {"four and four", {faces[0], plain[0], faces[1], plain[1], faces[2], plain[2], faces[3], plain[3]}, false, 4,
         "Pictures cropped: 4 of 8.\n\nNo face found: 4\nRow 2: \"p50_000.png\"\nRow 4: \"p50_001.png\"\n"
         "Row 6: \"p50_002.png\"\nRow 8: \"p50_003.png\""},
        {"unreadable too", {plain[0], home + "/in/gone.png", faces[0]}, false, 1,
         "Pictures cropped: 1 of 3.\n\nPictures that could not be read: 1\nRow 2: \"gone.png\"\n\n"
         "No face found: 1\nRow 1: \"p50_000.png\""},
        {"more than five", plain, false, 0,
         "Pictures cropped: 0 of 7.\n\nNo face found: 7\nRow 1: \"p50_000.png\"\nRow 2: \"p50_001.png\"\n"
         "Row 3: \"p50_002.png\"\nRow 4: \"p50_003.png\"\nRow 5: \"p50_004.png\"\nand 2 more"},
        {"an empty line too", {faces[0], "", plain[0]}, false, 1,
         "Pictures cropped: 1 of 3.\n\nRows without a picture: 1\nRow 2: no picture\n\n"
         "No face found: 1\nRow 3: \"p50_000.png\""},
        {"cancelled by the person", faces.mid(0, 2), true, 1, "Image has been cropped successfully."},
    };
    for (const Case &c : cases) {
        QDir(home + "/out").removeRecursively();
        QDir().mkpath(home + "/out");
        if (c.taken) {
            QFile taken(home + "/out/Untitled.png");
            ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
        }
        Set_MessageBox_Answerer([](MessageBoxKind, const QString &) { return int(Keep_Replace_Cancel); });
        auto state = std::make_shared<Output_Run_State>();
        Crop_All_Snapshot s;
        s.paths = c.rows;
        s.cut.mode = Crop_Mode::Face;
        s.cut.drawing = {0, 0, 300, 300};
        s.outputFolder = home + "/out";
        s.format = 2;
        Crop_All_Job job(s, std::make_shared<WideFaceDetector>(), state);
        ASSERT_TRUE(job.Start());
        Run_To_End(job);
        installRecordingAnswerer();
        EXPECT_EQ(job.written(), c.written) << c.what;
        EXPECT_EQ(state->Export_File_Message.toStdString(), c.told.toStdString()) << c.what;
    }
}

TEST(CropAllJob, NoPartFileStaysBesideTheSeries)
{
    const QString home = testHome();
    const QString series = home + "/Run.txt";
    // One left by a run that was killed goes with the next run.
    {
        QFile stale(series + ".part");
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    auto state = std::make_shared<Output_Run_State>();
    Crop_All_Snapshot s = Fixed_Snapshot(Make_Pictures(home + "/in", 3, 30), home + "/out");
    s.series = Crop_Series_Output::New;
    s.seriesPath = series;
    Crop_All_Job job(s, nullptr, state);
    // While the run works (where a killed run would end) there is none either.
    std::atomic<int> partSeen{0};
    QObject::connect(&job, &Crop_All_Job::rowStarted, &job, [&](int) {
        if (QFile::exists(series + ".part")) ++partSeen;
    }, Qt::DirectConnection);
    ASSERT_TRUE(job.Start());
    job.Wait();
    EXPECT_EQ(partSeen.load(), 0);
    EXPECT_FALSE(QFile::exists(series + ".part"));
    EXPECT_EQ(Read(series), home + "/out/Untitled.png\n" + home + "/out/Untitled_1.png\n" + home + "/out/Untitled_2.png\n");
}

TEST(CropAllJob, WaitsWhileStopIsAsked)
{
    // The Stop question is open from the start: no row is begun until it is answered.
    // The run tells each look at the open question; after its second, none is begun.
    const QString home = testHome();
    auto state = std::make_shared<Output_Run_State>();
    state->paused = true;
    std::atomic<int> looks{0};
    state->on_pause_wait = [&] { ++looks; };
    Crop_All_Job job(Fixed_Snapshot(Make_Pictures(home + "/in", 3, 30), home + "/out"), nullptr, state);
    ASSERT_TRUE(job.Start());
    // A run that does not wait crops every row instead.
    waitUntil([&] { return looks >= 2 || job.Done(); }, "the run waiting on Stop's question or ending");
    EXPECT_GE(looks.load(), 2) << "the run did not wait on Stop's question";
    EXPECT_EQ(state->curr_card_count.load(), 0);
    EXPECT_FALSE(job.Done());
    state->paused = false;  // answered No: the run goes on
    job.Wait();
    EXPECT_EQ(job.written(), 3);
}

// The worker is one thread of the pool the run is given: every row on that thread (the
// one the pool's next task runs on), and the pool counts it busy meanwhile.
TEST(CropAllJob, RunsOnAThreadOfTheGivenPool)
{
    const QString home = testHome();
    const QStringList paths = Make_Pictures(home + "/in", 5, 30);
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    pool.setExpiryTimeout(-1);
    auto state = std::make_shared<Output_Run_State>();
    Crop_All_Job job(Fixed_Snapshot(paths, home + "/out"), nullptr, state, &pool);
    std::mutex mutex;
    std::set<QThread *> threads;
    std::atomic<int> busy{0};
    QObject::connect(&job, &Crop_All_Job::rowStarted, &job, [&](int) {
        std::lock_guard lock(mutex);
        threads.insert(QThread::currentThread());
        busy = pool.activeThreadCount();
    }, Qt::DirectConnection);
    ASSERT_TRUE(job.Start());
    job.Wait();
    EXPECT_EQ(job.written(), 5);
    EXPECT_EQ(busy.load(), 1);
    ASSERT_EQ(threads.size(), 1u);
    QThread *worker = *threads.begin();
    EXPECT_NE(worker, QThread::currentThread());
    std::promise<QThread *> next;
    pool.start(Handed_Over(&pool, [&] { next.set_value(QThread::currentThread()); }));
    EXPECT_EQ(next.get_future().get(), worker);
}

} // namespace crop_all_job_test
