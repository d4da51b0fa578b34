#pragma once
// Where camera frames come from: a list of devices, one of which is started; frames
// then arrive from any thread until it is stopped. A frame is converted to a picture
// only when asked (the receiver asks on the GUI thread, for the frames it shows).
#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct CameraDevice {
    QString id;
    QString name;
    bool operator==(const CameraDevice &) const = default;
};

// One frame as the source delivered it.
class CameraFrame {
public:
    virtual ~CameraFrame() = default;
    virtual QImage toImage() const = 0;
};
using CameraFramePtr = std::shared_ptr<const CameraFrame>;

class FrameSource {
public:
    using FrameSink = std::function<void(CameraFramePtr)>;
    using ErrorSink = std::function<void(const QString &)>;

    virtual ~FrameSource() = default;
    virtual std::vector<CameraDevice> devices() const = 0;
    // Starts the device (stopping any other first). Empty on success, else why not.
    // A source may also fail later, through the error sink.
    virtual QString start(const QString &deviceId) = 0;
    // Stops delivering; callable from any thread.
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;

    // The receivers of frames (called on any thread) and of failures after start
    // (called on the GUI thread). Set before start.
    void setFrameSink(FrameSink sink) { m_frameSink = std::move(sink); }
    void setErrorSink(ErrorSink sink) { m_errorSink = std::move(sink); }

protected:
    void deliver(CameraFramePtr frame) const
    {
        if (m_frameSink) m_frameSink(std::move(frame));
    }
    void fail(const QString &why) const
    {
        if (m_errorSink) m_errorSink(why);
    }

private:
    FrameSink m_frameSink;
    ErrorSink m_errorSink;
};

// A frame that is already a picture.
class ImageFrame final : public CameraFrame {
public:
    explicit ImageFrame(QImage image) : m_image(std::move(image)) {}
    QImage toImage() const override { return m_image; }

private:
    QImage m_image;
};
