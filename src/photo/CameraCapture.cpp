#include "CameraCapture.h"

#include "Log.h"
#include "MessageBox.h"

#include <QCoreApplication>
#include <QThread>

Capture::Capture(QString tag, FrameSource &source, const std::atomic<bool> &stopped, Show show, QObject *parent)
    : QObject(parent), call_from(std::move(tag)), m_source(source), m_stopped(stopped), m_show(std::move(show))
{
}

Capture::~Capture()
{
    const std::lock_guard lock(m_lock);
    m_current.reset();
}

bool Capture::holdsFrame() const
{
    const std::lock_guard lock(m_lock);
    return bool(m_current);
}

void Capture::captureOutput(CameraFramePtr frame)
{
    CameraFramePtr before;
    {
        const std::lock_guard lock(m_lock);
        before = std::exchange(m_current, std::move(frame));
        QMetaObject::invokeMethod(this, &Capture::save, Qt::QueuedConnection);
    }
    before.reset();  // the frame not shown yet goes, outside the lock
    if (m_stopped) {
        m_source.stop();
        QMetaObject::invokeMethod(this, &Capture::save, Qt::QueuedConnection);
    }
}

void Capture::save()
{
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
        Show_NSLog_Message(QStringLiteral("A camera frame can only be shown on the GUI thread."));
        return;
    }
    const std::lock_guard lock(m_lock);
    if (!m_current || m_stopped) return;
    final_image = m_current->toImage();
    if (m_show) m_show(final_image);
    m_current.reset();
}

CameraButtonState Start_Stop_Btn_State(bool hasReceiver, bool running)
{
    if (!hasReceiver) return {true, false, std::nullopt, QString()};
    if (running) return {false, true, false, QString()};
    return {true, false, true, QStringLiteral("Please start camera to capture.")};
}

CameraSession::CameraSession(std::unique_ptr<FrameSource> source, QString tag, QObject *parent)
    : QObject(parent), m_source(std::move(source)), m_tag(std::move(tag))
{
    m_source->setFrameSink([this](CameraFramePtr frame) {
        // The receiver lives until the next start or tear-down, which stop the source
        // first; frames in flight then find the source stopped.
        const std::lock_guard lock(m_receiverLock);
        if (Capture *c = m_capture.get()) c->captureOutput(std::move(frame));
    });
    m_source->setErrorSink([this](const QString &why) {
        const QString text = QStringLiteral("[error] %1").arg(why);
        Show_NSLog_Message(text);
        Show_MessageBox(text);
        emit stateChanged();
    });
}

CameraSession::~CameraSession()
{
    m_source->stop();
    m_source->setFrameSink({});
    m_source->setErrorSink({});
}

void CameraSession::Select_Camera_for_Capture_Action()
{
    if (selected_camera.isEmpty()) return;
    Stop_Camera_Reading();
    m_stopped = false;
    if (m_capture) Clear_Camera_Objects();
    {
        const std::lock_guard lock(m_receiverLock);
        m_capture = std::make_unique<Capture>(m_tag, *m_source, m_stopped,
                                              [this](const QImage &image) { emit frameShown(image); });
    }
    const QString failure = m_source->start(selected_camera);
    if (!failure.isEmpty()) {
        const QString text = QStringLiteral("[error] %1").arg(failure);
        Show_NSLog_Message(text);
        Show_MessageBox(text);
    }
    emit stateChanged();
}

void CameraSession::Stop_Camera_Reading()
{
    if (!m_capture) return;
    m_stopped = true;
    m_source->stop();
    emit stateChanged();
}

void CameraSession::Clear_Camera_Objects()
{
    m_source->stop();
    std::unique_ptr<Capture> gone;
    {
        const std::lock_guard lock(m_receiverLock);
        gone = std::move(m_capture);
    }
    emit stateChanged();
}

QImage CameraSession::freeze()
{
    if (!m_capture) return {};
    if (m_source->isRunning()) {
        m_stopped = true;
        m_source->stop();
        emit stateChanged();
    }
    return m_capture->final_image;
}
