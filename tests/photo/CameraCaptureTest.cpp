#include "CameraCapture.h"
#include "SyntheticFrameSource.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <thread>

namespace camera_capture_test {

namespace {

QImage filled(QRgb colour)
{
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

// A frame that records where it was converted and whether it is still alive.
class WatchedFrame final : public CameraFrame {
public:
    WatchedFrame(QRgb colour, std::vector<QRgb> &converted) : m_colour(colour), m_converted(converted) {}
    QImage toImage() const override
    {
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread()) << "converted on the GUI thread";
        m_converted.push_back(m_colour);
        return filled(m_colour);
    }

private:
    QRgb m_colour;
    std::vector<QRgb> &m_converted;
};

struct Session {
    SyntheticFrameSource *source;
    CameraSession session;
    std::vector<QRgb> shown;

    Session()
        : source(new SyntheticFrameSource({{"cam-1", "Front camera"}, {"cam-2", "Desk camera"}})),
          session(std::unique_ptr<FrameSource>(source))
    {
        QObject::connect(&session, &CameraSession::frameShown,
                         [this](const QImage &img) { shown.push_back(img.pixel(0, 0)); });
    }
    void start(const QString &id = "cam-1")
    {
        session.selected_camera = id;
        session.Select_Camera_for_Capture_Action();
    }
    // Pushes frames from a second thread and waits for it.
    void pushFromAnotherThread(const std::vector<QRgb> &colours)
    {
        std::thread worker([this, colours] {
            for (QRgb c : colours) source->push(filled(c));
        });
        worker.join();
    }
};

} // namespace

TEST(CameraReceiver, TheNewestFrameWinsAndIsShownOnce)
{
    Session s;
    s.start();
    ASSERT_TRUE(s.session.isRunning());
    s.pushFromAnotherThread({qRgb(255, 0, 0), qRgb(0, 255, 0)});
    EXPECT_TRUE(s.session.capture()->holdsFrame());
    QCoreApplication::processEvents();
    EXPECT_EQ(s.shown, std::vector<QRgb>{qRgb(0, 255, 0)});
    EXPECT_FALSE(s.session.capture()->holdsFrame());
    EXPECT_EQ(s.session.capture()->final_image.pixel(0, 0), qRgb(0, 255, 0));

    // Capture freezes: the picture on show is taken, later frames are not shown.
    const QImage taken = s.session.freeze();
    EXPECT_EQ(taken.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_FALSE(s.source->isRunning());
    EXPECT_EQ(s.source->stopCount(), 1);
    // A frame already on its way when the source stopped: received, never shown, and
    // the source is told to stop again.
    s.session.capture()->captureOutput(std::make_shared<ImageFrame>(filled(qRgb(0, 0, 255))));
    QCoreApplication::processEvents();
    EXPECT_EQ(s.shown.size(), 1u);
    EXPECT_EQ(s.session.capture()->final_image.pixel(0, 0), qRgb(0, 255, 0)) << "the last shown, not the last delivered";
    EXPECT_EQ(s.session.freeze().pixel(0, 0), qRgb(0, 255, 0)) << "Capture again takes the same picture";
}

TEST(CameraReceiver, ConvertsOnlyOnTheGuiThreadAndLetsTheHeldFrameGo)
{
    std::atomic<bool> stopped{false};
    SyntheticFrameSource source({});
    std::vector<QRgb> converted;
    std::weak_ptr<const CameraFrame> held;
    {
        Capture receiver("CAM", source, stopped, {});
        EXPECT_EQ(receiver.call_from, "CAM");
        auto frame = std::make_shared<WatchedFrame>(qRgb(1, 2, 3), converted);
        held = frame;
        std::thread worker([&receiver, f = std::move(frame)]() mutable {
            receiver.captureOutput(std::move(f));
            receiver.save();  // not the GUI thread: nothing is shown
        });
        worker.join();
        EXPECT_TRUE(converted.empty());
        EXPECT_FALSE(held.expired());
        stopped = true;
        QCoreApplication::processEvents();
        EXPECT_TRUE(converted.empty()) << "nothing is shown after the stop flag";
        EXPECT_FALSE(held.expired()) << "the held frame stays held";
    }
    EXPECT_TRUE(held.expired()) << "the receiver lets it go when it goes";
}

TEST(CameraSession, StartsFailuresAndTearDowns)
{
    Session s;
    // No device chosen: nothing happens.
    s.session.Select_Camera_for_Capture_Action();
    EXPECT_EQ(s.session.capture(), nullptr);
    EXPECT_EQ(s.source->startCount(), 0);
    EXPECT_EQ(s.session.Get_And_Fill_Camera_List(),
              (std::vector<CameraDevice>{{"cam-1", "Front camera"}, {"cam-2", "Desk camera"}}));

    // A second start tears the first down and builds a fresh receiver.
    s.start("cam-1");
    const Capture *first = s.session.capture();
    ASSERT_NE(first, nullptr);
    s.start("cam-2");
    EXPECT_EQ(s.source->startCount(), 2);
    EXPECT_EQ(s.source->stopCount(), 1);
    EXPECT_EQ(s.source->startedDevice(), "cam-2");
    EXPECT_TRUE(s.session.isRunning());
    EXPECT_FALSE(s.session.stopped());

    // The device cannot be opened: "[error] %@", a receiver without a running source,
    // and Capture takes nothing.
    s.source->setOpenFailure("Camera is in use by another application.");
    testsupport::boxes().clear();
    s.start("cam-1");
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\n[error] Camera is in use by another application."});
    ASSERT_NE(s.session.capture(), nullptr);
    EXPECT_FALSE(s.session.isRunning());
    EXPECT_FALSE(s.session.stopped()) << "every start lowers the stop flag";
    s.pushFromAnotherThread({qRgb(9, 9, 9)});
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.shown.empty());
    EXPECT_TRUE(s.session.freeze().isNull());

    // A source that fails after starting reports the same way.
    s.source->setOpenFailure({});
    s.start("cam-1");
    s.source->failNow("The camera was disconnected.");
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\n[error] The camera was disconnected."});

    // Stop: the flag is raised, so a frame still on its way is not shown.
    s.session.Stop_Camera_Reading();
    EXPECT_TRUE(s.session.stopped());
    EXPECT_FALSE(s.source->isRunning());
    s.session.capture()->captureOutput(std::make_shared<ImageFrame>(filled(qRgb(7, 7, 7))));
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.shown.empty());

    s.session.Clear_Camera_Objects();
    EXPECT_EQ(s.session.capture(), nullptr);
    EXPECT_FALSE(s.source->isRunning());
    s.session.setStopped(false);
    s.session.Stop_Camera_Reading();  // without a receiver: nothing
    EXPECT_FALSE(s.session.stopped());
}

TEST(CameraSession, ButtonsFollowTheState)
{
    struct Row {
        bool receiver, running;
        CameraButtonState state;
    };
    const Row rows[] = {
        {false, false, {true, false, std::nullopt, ""}},
        {false, true, {true, false, std::nullopt, ""}},
        {true, true, {false, true, false, ""}},
        {true, false, {true, false, true, "Please start camera to capture."}},
    };
    for (const Row &r : rows) EXPECT_EQ(Start_Stop_Btn_State(r.receiver, r.running), r.state) << r.receiver << r.running;
}

TEST(SyntheticCamera, PatternFramesMove)
{
    const QImage a = SyntheticFrameSource::Test_Pattern(0, {140, 40}), b = SyntheticFrameSource::Test_Pattern(5, {140, 40});
    EXPECT_EQ(a.size(), QSize(140, 40));
    EXPECT_EQ(a.pixel(2, 5), qRgb(0, 0, 0)) << "the bar starts at the left";
    EXPECT_EQ(b.pixel(2, 5), qRgb(255, 255, 255));
    EXPECT_EQ(b.pixel(42, 5), qRgb(0, 0, 0));
    EXPECT_EQ(a.pixel(130, 5), qRgb(0, 0, 255));
}

} // namespace camera_capture_test
