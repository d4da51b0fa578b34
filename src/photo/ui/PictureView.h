#pragma once
// A picture view: draws its picture into its drawing rectangle (its bounds, less the
// inset of a photo frame) by its scaling and alignment, and answers where the picture
// is drawn in its own y-up coordinates (origin at the bottom-left corner). It accepts
// picture files dropped on it.
#include "Picture.h"
#include "PictureViewGeometry.h"

#include <QUrl>
#include <QWidget>

class PictureView : public QWidget {
    Q_OBJECT
public:
    // The inset of the photo frame on every side, in points.
    static constexpr double kPhotoFrameInset = 4;

    explicit PictureView(QWidget *parent = nullptr);

    void setPicture(const Picture &picture);
    const Picture &picture() const { return m_picture; }
    void setImageScaling(ImageScaling scaling);
    ImageScaling imageScaling() const { return m_scaling; }
    // An unknown stored alignment draws nothing (none).
    void setImageAlignment(std::optional<ImageAlignment> alignment);
    std::optional<ImageAlignment> imageAlignment() const { return m_alignment; }
    void setPhotoFrame(bool framed);
    bool photoFrame() const { return m_framed; }

    // The bounds less the frame's inset, y up.
    QRectF drawingRect() const;
    // Where the picture is drawn, y up; the zero rectangle without a picture of at
    // least 1 x 1 point.
    QRectF scaledImageRect() const;
    // Drawn points per picture point; (1, 1) without a picture.
    QSizeF imageRatio() const;
    // A y-up rectangle of the view as a widget rectangle (y down), and back.
    QRectF toWidget(const QRectF &yUp) const;

    // The file of the last picture dragged onto the view.
    QUrl fileURL() const { return m_fileUrl; }
    void setFileURL(const QUrl &url) { m_fileUrl = url; }

signals:
    // The drawn rectangle may have moved: picture, size, scaling, alignment or frame changed.
    void geometryChanged();
    // A picture file was dropped and is now shown.
    void pictureDropped(const QString &path);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Repaints and reports the new drawing geometry.
    void redrawn();
    Picture m_picture;
    ImageScaling m_scaling = ImageScaling::ProportionallyDown;
    std::optional<ImageAlignment> m_alignment = ImageAlignment::Center;
    bool m_framed = false;
    QUrl m_fileUrl;
};
