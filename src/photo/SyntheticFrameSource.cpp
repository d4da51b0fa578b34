#include "SyntheticFrameSource.h"

#include <QPainter>

SyntheticFrameSource::SyntheticFrameSource(std::vector<CameraDevice> devices, int patternIntervalMs, QObject *parent)
    : QObject(parent), m_devices(std::move(devices))
{
    if (patternIntervalMs > 0) {
        m_timer = new QTimer(this);
        m_timer->setInterval(patternIntervalMs);
        connect(m_timer, &QTimer::timeout, this, [this] { push(Test_Pattern(m_frame++)); });
    }
}

std::vector<CameraDevice> SyntheticFrameSource::devices() const
{
    const std::lock_guard lock(m_mutex);
    return m_devices;
}

void SyntheticFrameSource::setDevices(std::vector<CameraDevice> devices)
{
    const std::lock_guard lock(m_mutex);
    m_devices = std::move(devices);
}

void SyntheticFrameSource::setOpenFailure(const QString &why)
{
    const std::lock_guard lock(m_mutex);
    m_openFailure = why;
}

QString SyntheticFrameSource::startedDevice() const
{
    const std::lock_guard lock(m_mutex);
    return m_device;
}

QString SyntheticFrameSource::start(const QString &deviceId)
{
    stop();
    {
        const std::lock_guard lock(m_mutex);
        ++m_starts;
        if (!m_openFailure.isEmpty()) return m_openFailure;
        bool known = false;
        for (const CameraDevice &d : m_devices) known = known || d.id == deviceId;
        if (!known) return QStringLiteral("The device %1 is not connected.").arg(deviceId);
        m_device = deviceId;
    }
    m_running = true;
    if (m_timer) m_timer->start();
    return {};
}

void SyntheticFrameSource::stop()
{
    if (!m_running.exchange(false)) return;
    ++m_stops;
    // The timer belongs to the thread that made the source; a stop from elsewhere
    // reaches it through that thread's loop.
    if (m_timer) QMetaObject::invokeMethod(m_timer, &QTimer::stop, Qt::AutoConnection);
}

void SyntheticFrameSource::push(const QImage &image)
{
    if (!m_running) return;
    deliver(std::make_shared<ImageFrame>(image));
}

QImage SyntheticFrameSource::Test_Pattern(int n, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    const QColor bars[] = {Qt::white, Qt::yellow, Qt::cyan, Qt::green, Qt::magenta, Qt::red, Qt::blue};
    const int w = size.width() / 7 + 1;
    for (int i = 0; i < 7; ++i) p.fillRect(i * w, 0, w, size.height(), bars[i]);
    const int x = (n * 8) % std::max(1, size.width());
    p.fillRect(x, 0, 16, size.height(), Qt::black);
    p.setPen(Qt::black);
    p.drawText(QRect(0, size.height() - 40, size.width(), 40), Qt::AlignCenter, QStringLiteral("frame %1").arg(n));
    return img;
}

std::unique_ptr<SyntheticFrameSource> Make_Synthetic_Camera()
{
    return std::make_unique<SyntheticFrameSource>(
        std::vector<CameraDevice>{{QStringLiteral("synthetic-0"), QStringLiteral("Synthetic camera")}}, 66);
}
