#pragma once
// Frames from a camera through Qt Multimedia. A camera object is made only for a
// device that the system lists; starting is asynchronous, and a failure after it
// ("[error] ..." in the window) comes through the error sink.
#include "FrameSource.h"

#include <QObject>

#include <atomic>
#include <memory>

class QCamera;
class QMediaCaptureSession;
class QVideoSink;

class QtCameraSource : public QObject, public FrameSource {
public:
    explicit QtCameraSource(QObject *parent = nullptr);
    ~QtCameraSource() override;

    std::vector<CameraDevice> devices() const override;
    QString start(const QString &deviceId) override;
    void stop() override;
    bool isRunning() const override { return m_running; }

private:
    void release();

    std::atomic<bool> m_running{false};
    std::unique_ptr<QCamera> m_camera;
    std::unique_ptr<QMediaCaptureSession> m_session;
    std::unique_ptr<QVideoSink> m_sink;
};

// The frame source of camera windows: a synthetic camera when the environment
// variable DOZO_CAMERA_SOURCE is "synthetic", else the system's cameras.
std::unique_ptr<FrameSource> Make_Camera_Source();
