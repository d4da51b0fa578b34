#pragma once
// SKTImage: a picture from a file, the image library, the camera or a data source,
// kept as loaded (_contents) and with the user's adjustments (_contents_with_settings).
// The adjusted picture is made when the control is drawn, by the adjuster of the
// drawing's context at the pixels the control covers there, and kept until the
// source, the settings or those pixels change.
#include "PictureAdjuster.h"
#include "SKTGraphic.h"

#include <mutex>

class SKTImage : public SKTGraphic {
public:
    static std::shared_ptr<SKTImage> create() { return std::static_pointer_cast<SKTImage>(SKTGraphic::create(GraphicKind::Image)); }
    // Centred on the point at the picture's size; path Library_Selected_Image; no
    // adjusted picture yet.
    static std::shared_ptr<SKTImage> initWithPosition(const QPointF &point, const Picture &contents);
    // Loads the file (the path also becomes the text value) and centres on the point.
    static std::shared_ptr<SKTImage> initWithPath(const QPointF &point, const QString &path);
    // As initWithPath, with the control ID set first.
    static std::shared_ptr<SKTImage> initWithPath_With_ID(const QPointF &point, const QString &path, const QString &ctrl_id);

    // Stores the path (re-pointed into the resources), also as the text value when the
    // flag is set and the path is not empty, and loads the picture.
    void setFilePath(const QString &path, bool set_txt_path_also);
    void setFileNSImage(const QString &path);
    void setFileNSImage_Variable(const Picture &picture);
    void flipHorizontally() override { setFlippedHorizontally(!_isFlippedHorizontally); }
    void flipVertically() override { setFlippedVertically(!_isFlippedVertically); }
    // Store the flag; the next drawing shows the flip.
    void setFlippedHorizontally(bool f) override;
    void setFlippedVertically(bool f) override;
    // Store an adjustment field (grey, sepia, invert, hue ... rotation); the next
    // drawing shows it.
    template <class T>
    void setAdjustment(T SKTGraphic::*field, T value)
    {
        if (this->*field == value) return;
        ChangeScope scope(*this);
        setField(field, value);
    }

    // The adjusted picture (made or kept, see shownPicture) stretched into the bounds at
    // opacity img_trnsp_val / 100, then the border. A control without path or picture
    // draws only its border.
    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited, const DrawContext &context) override;
    // An unlocked control with a picture takes the picture's size (origin kept) and
    // loses both flips.
    void makeNaturalSize() override;

    // The picture with the adjustments for `pixels` (empty: the source's own size),
    // made by the adjuster when the source, the settings or the pixels differ from those
    // it was last made for, else the one kept in _contents_with_settings. Safe to call
    // from several threads.
    Picture shownPicture(const PictureAdjuster &adjuster, QSize pixels);

    bool isDrawingFill() const override { return false; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }

    QVariantMap properties() override;
    void initWithProperties(const QVariantMap &properties) override;
    QStringList keysForValuesToObserveForUndo() const override;
    static QStringList keyPathsForValuesAffectingDrawingContents();
    QStringList drawingContentsKeys() const override { return keyPathsForValuesAffectingDrawingContents(); }

private:
    friend class SKTGraphic;
    SKTImage() : SKTGraphic(GraphicKind::Image) {}
    void centreOn(const QPointF &point);

    // What _contents_with_settings was made from.
    struct MadeFor {
        qint64 source = 0;
        ImageAdjustments settings;
        QSize pixels;
        bool operator==(const MadeFor &) const = default;
    };
    std::mutex m_shownMutex;
    std::optional<MadeFor> m_madeFor;
};

extern const QString SKTImageContentsKey;                // "contents"
extern const QString SKTImageIsFlippedHorizontallyKey;  // "flippedHorizontally"
extern const QString SKTImageIsFlippedVerticallyKey;    // "flippedVertically"
