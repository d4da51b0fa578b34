#pragma once
// SKTSignature: a signature ("S") or fingerprint ("F") picture; a new one shows the
// sample picture of its kind from the resources.
#include "SKTGraphic.h"

class SKTSignature : public SKTGraphic {
public:
    static std::shared_ptr<SKTSignature> create()
    {
        return std::static_pointer_cast<SKTSignature>(SKTGraphic::create(GraphicKind::Signature));
    }
    // Shows `contents` (the loaded sample of the kind), centred on the point.
    static std::shared_ptr<SKTSignature> initWithPosition(const QPointF &point, const Picture &contents,
                                                          const QString &sign_or_FP);
    // Loads the picture of the path ("Default": the sample), centred on the point.
    static std::shared_ptr<SKTSignature> initWithPath(const QPointF &point, const QString &path, const QString &sign_or_FP);

    // The resources' sample picture of a kind: "sign_sample.png" for "S", else
    // "fingerprints.png", in the resource folder (ending in "/"; Resource_Path when not
    // given).
    static QString samplePath(const QString &sign_or_FP);
    static QString samplePath(const QString &sign_or_FP, const QString &resourceFolder);
    // Sets the picture's path ("Default" stands for the sample of the current kind) and
    // loads the picture.
    void setFilePath(const QString &path);

    bool isDrawingFill() const override { return false; }

    // The picture stretched into the bounds, then the border. A picture path changed
    // through the base (panel, archive, design file) is loaded first. Without a
    // picture only the border is drawn.
    void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited, const DrawContext &context) override;
    // An unlocked control with a picture takes the picture's size, origin kept.
    void makeNaturalSize() override;

    Picture _contents_img;  // the picture shown
    QString file_path;      // the path _contents_img was loaded from

private:
    friend class SKTGraphic;
    SKTSignature() : SKTGraphic(GraphicKind::Signature) {}
    void centreOn(const QPointF &point);
    // Sets file_path from the path ("Default": the sample of the kind, re-pointed into
    // the resource folder) and loads _contents_img from it, reporting nothing.
    void loadPicture(const QString &path, const QString &resourceFolder);
};
