#pragma once
// The camera road without its window: the frame receiver, which holds only the newest
// frame and shows it on the GUI thread, and the session, which starts, freezes and
// stops one frame source for the window that owns it.
#include "FrameSource.h"

#include <QObject>

#include <atomic>
#include <mutex>
#include <optional>

// Receives the frames of one started source. The delivery thread swaps the newest
// frame in under the lock and schedules the showing on the GUI thread without waiting;
// a frame not shown yet is dropped when a newer one comes. Once the stop flag is
// raised nothing more is shown, and a late frame stops the source again.
class Capture : public QObject {
    Q_OBJECT
public:
    using Show = std::function<void(const QImage &)>;
    // tag: "CAM" (camera window) or "CROP" (cropping window). Made on the GUI thread.
    Capture(QString tag, FrameSource &source, const std::atomic<bool> &stopped, Show show,
            QObject *parent = nullptr);
    ~Capture() override;

    // A frame from the source; any thread.
    void captureOutput(CameraFramePtr frame);
    // Shows the held frame (GUI thread only; elsewhere it logs and does nothing):
    // converts it, keeps it as final_image, hands it to the window and lets it go.
    void save();

    const QString call_from;
    // The frame now on show; the window's Capture takes it.
    QImage final_image;
    bool holdsFrame() const;

private:
    FrameSource &m_source;
    const std::atomic<bool> &m_stopped;
    Show m_show;
    mutable std::recursive_mutex m_lock;
    CameraFramePtr m_current;
};

// The buttons and status line of a camera window for the session's state.
struct CameraButtonState {
    bool startEnabled = true;
    bool stopEnabled = false;
    std::optional<bool> statusShown;  // none: left as it is
    QString statusText;               // empty: left as it is
    bool operator==(const CameraButtonState &) const = default;
};
CameraButtonState Start_Stop_Btn_State(bool hasReceiver, bool running);

// One window's session: its source, the chosen device, the receiver of the running
// start and the stop flag.
class CameraSession : public QObject {
    Q_OBJECT
public:
    explicit CameraSession(std::unique_ptr<FrameSource> source, QString tag = QStringLiteral("CAM"),
                           QObject *parent = nullptr);
    ~CameraSession() override;

    // The devices, in the source's order.
    std::vector<CameraDevice> Get_And_Fill_Camera_List() const { return m_source->devices(); }
    QString selected_camera;

    // Tears any running start down, then builds a fresh receiver and starts the chosen
    // device; a failure shows "[error] %@" (and logs it) and leaves the receiver
    // without a running source. Nothing without a chosen device.
    void Select_Camera_for_Capture_Action();
    // Raises the stop flag and stops the source (when there is a receiver).
    void Stop_Camera_Reading();
    // Stops the source and lets the receiver go.
    void Clear_Camera_Objects();
    // The freeze of Capture: stops a running source; the picture on show is returned
    // (null without one).
    QImage freeze();

    Capture *capture() const { return m_capture.get(); }
    bool isRunning() const { return m_capture && m_source->isRunning(); }
    bool stopped() const { return m_stopped; }
    void setStopped(bool stopped) { m_stopped = stopped; }
    FrameSource &source() { return *m_source; }
    CameraButtonState buttonState() const { return Start_Stop_Btn_State(bool(m_capture), isRunning()); }

signals:
    // A frame is on show (GUI thread).
    void frameShown(const QImage &image);
    // The session started, stopped or was torn down: the buttons follow.
    void stateChanged();

private:
    std::unique_ptr<FrameSource> m_source;
    QString m_tag;
    std::atomic<bool> m_stopped{false};
    // Guards the receiver against the delivery thread while it is replaced.
    std::mutex m_receiverLock;
    std::unique_ptr<Capture> m_capture;
};
