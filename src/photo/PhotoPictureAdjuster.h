#pragma once
// The picture adjuster of image controls: the loaded picture through the adjustment
// chain at the pixels it is drawn at, turned into its box. Neutral settings at the
// source's own size give back the source itself.
#include "PictureAdjuster.h"

class QThreadPool;

class PhotoPictureAdjuster final : public PictureAdjuster {
public:
    // pool: the owner's pool (a window's, sized to the cores), on which large pictures
    // are split into bands; none for a batch worker, whose cards are the parallel work.
    explicit PhotoPictureAdjuster(QThreadPool *pool = nullptr) : m_pool(pool) {}
    Picture adjusted(const Picture &source, const ImageAdjustments &settings, QSize pixelSize) const override;

private:
    QThreadPool *m_pool;
};
