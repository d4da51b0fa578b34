#pragma once
// A frame source without a camera, for tests and for trying the camera window on a
// machine without one: a device list given by its owner, an optional failure to open,
// and frames either pushed by the owner (from any thread) or drawn as a moving test
// pattern on a timer of the thread that started it.
#include "FrameSource.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <mutex>

class SyntheticFrameSource : public QObject, public FrameSource {
    Q_OBJECT
public:
    // With a pattern interval (ms) above 0, a started source draws its own frames.
    explicit SyntheticFrameSource(std::vector<CameraDevice> devices, int patternIntervalMs = 0,
                                  QObject *parent = nullptr);

    std::vector<CameraDevice> devices() const override;
    QString start(const QString &deviceId) override;
    void stop() override;
    bool isRunning() const override { return m_running; }

    void setDevices(std::vector<CameraDevice> devices);
    // The next starts fail with this reason (empty: they succeed).
    void setOpenFailure(const QString &why);
    // Fails a started source as a camera does when it goes away.
    void failNow(const QString &why) { fail(why); }
    // Delivers a frame as a camera would, from the calling thread, while running.
    void push(const QImage &image);

    int startCount() const { return m_starts; }
    int stopCount() const { return m_stops; }
    QString startedDevice() const;

    // The pattern's frame number n: colour bars with a bar moving across.
    static QImage Test_Pattern(int n, QSize size = QSize(640, 480));

private:
    mutable std::mutex m_mutex;
    std::vector<CameraDevice> m_devices;
    QString m_openFailure;
    QString m_device;
    std::atomic<bool> m_running{false};
    std::atomic<int> m_starts{0}, m_stops{0};
    QTimer *m_timer = nullptr;
    int m_frame = 0;
};

// The source the camera window uses when DOZO_CAMERA_SOURCE=synthetic: one device,
// "Synthetic camera", with a moving pattern.
std::unique_ptr<SyntheticFrameSource> Make_Synthetic_Camera();
