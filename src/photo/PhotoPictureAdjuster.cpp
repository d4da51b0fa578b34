#include "PhotoPictureAdjuster.h"

Picture PhotoPictureAdjuster::adjusted(const Picture &source, const ImageAdjustments &s) const
{
    if (source.isNull() || (!s.flipHorizontally && !s.flipVertically)) return source;
    return Picture(source.image().mirrored(s.flipHorizontally, s.flipVertically), source.size());
}
