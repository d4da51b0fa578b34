#include "PhotoPictureAdjuster.h"

#include "AdjustmentChain.h"

Picture PhotoPictureAdjuster::adjusted(const Picture &source, const ImageAdjustments &s, QSize pixelSize) const
{
    return Get_Processed_Image_Full_Combined(source, s, true, pixelSize, m_pool);
}
