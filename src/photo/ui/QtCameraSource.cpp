#include "QtCameraSource.h"

#include "SyntheticFrameSource.h"

#include <QCamera>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QVideoFrame>
#include <QVideoSink>

namespace {
class VideoFrame final : public CameraFrame {
public:
    explicit VideoFrame(QVideoFrame frame) : m_frame(std::move(frame)) {}
    QImage toImage() const override { return m_frame.toImage(); }

private:
    QVideoFrame m_frame;
};
} // namespace

QtCameraSource::QtCameraSource(QObject *parent) : QObject(parent) {}

QtCameraSource::~QtCameraSource() { release(); }

std::vector<CameraDevice> QtCameraSource::devices() const
{
    std::vector<CameraDevice> out;
    for (const QCameraDevice &d : QMediaDevices::videoInputs())
        out.push_back({QString::fromUtf8(d.id()), d.description()});
    return out;
}

QString QtCameraSource::start(const QString &deviceId)
{
    release();
    for (const QCameraDevice &d : QMediaDevices::videoInputs()) {
        if (QString::fromUtf8(d.id()) != deviceId) continue;
        m_camera = std::make_unique<QCamera>(d);
        m_session = std::make_unique<QMediaCaptureSession>();
        m_sink = std::make_unique<QVideoSink>();
        m_session->setCamera(m_camera.get());
        m_session->setVideoSink(m_sink.get());
        // Frames may come on the backend's own thread; the receiver holds the newest.
        connect(m_sink.get(), &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame &frame) {
            if (m_running && frame.isValid()) deliver(std::make_shared<VideoFrame>(frame));
        }, Qt::DirectConnection);
        connect(m_camera.get(), &QCamera::errorOccurred, this, [this](QCamera::Error, const QString &why) {
            m_running = false;
            fail(why);
        });
        m_running = true;
        m_camera->start();
        return {};
    }
    return QStringLiteral("The camera is not connected.");
}

void QtCameraSource::stop()
{
    if (!m_running.exchange(false)) return;
    // The camera belongs to the GUI thread; a stop from the delivery thread goes there.
    QMetaObject::invokeMethod(this, [this] {
        if (m_camera) m_camera->stop();
    }, Qt::AutoConnection);
}

void QtCameraSource::release()
{
    m_running = false;
    if (m_camera) m_camera->stop();
    if (m_session) {
        m_session->setVideoSink(nullptr);
        m_session->setCamera(nullptr);
    }
    m_sink.reset();
    m_session.reset();
    m_camera.reset();
}

std::unique_ptr<FrameSource> Make_Camera_Source()
{
    if (qEnvironmentVariable("DOZO_CAMERA_SOURCE") == QLatin1String("synthetic")) return Make_Synthetic_Camera();
    return std::make_unique<QtCameraSource>();
}
