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
    // "fingerprints.png".
    static QString samplePath(const QString &sign_or_FP);
    // Sets the picture's path ("Default" stands for the sample of the current kind) and
    // loads the picture.
    void setFilePath(const QString &path);

    bool isDrawingFill() const override { return false; }

    Picture _contents_img;  // the picture shown
    QString file_path;      // the path _contents_img was loaded from

private:
    friend class SKTGraphic;
    SKTSignature() : SKTGraphic(GraphicKind::Signature) {}
    void centreOn(const QPointF &point);
};
