#include "base/source/utility/letterbox.h"

#include <cstdint>

namespace Halvex::Base
{

Letterbox FitLetterbox(int pictureWidth, int pictureHeight, int targetWidth, int targetHeight)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || targetWidth <= 0 || targetHeight <= 0)
    {
        return {};
    }
    const int64_t pw = pictureWidth;
    const int64_t ph = pictureHeight;
    Letterbox box;
    // Cross-multiplied, so no rounding decides which side the bars go on.
    if (int64_t(targetWidth) * ph <= int64_t(targetHeight) * pw)
    {
        box.width = targetWidth;
        box.height = static_cast<int>((2 * targetWidth * ph + pw) / (2 * pw));
    }
    else
    {
        box.height = targetHeight;
        box.width = static_cast<int>((2 * targetHeight * pw + ph) / (2 * ph));
    }
    box.x = (targetWidth - box.width) / 2;
    box.y = (targetHeight - box.height) / 2;
    return box;
}

bool TargetToPicture(const Letterbox& box, int pictureWidth, int pictureHeight, float targetX,
                     float targetY, float* pPictureX, float* pPictureY)
{
    if (box.IsEmpty())
    {
        *pPictureX = 0.0f;
        *pPictureY = 0.0f;
        return false;
    }
    const float x = (targetX - static_cast<float>(box.x)) * static_cast<float>(pictureWidth) /
                    static_cast<float>(box.width);
    const float y = (targetY - static_cast<float>(box.y)) * static_cast<float>(pictureHeight) /
                    static_cast<float>(box.height);
    *pPictureX = x;
    *pPictureY = y;
    return x >= 0.0f && y >= 0.0f && x < static_cast<float>(pictureWidth) &&
           y < static_cast<float>(pictureHeight);
}

void PictureToTarget(const Letterbox& box, int pictureWidth, int pictureHeight, float pictureX,
                     float pictureY, float* pTargetX, float* pTargetY)
{
    *pTargetX = static_cast<float>(box.x) +
                pictureX * static_cast<float>(box.width) / static_cast<float>(pictureWidth);
    *pTargetY = static_cast<float>(box.y) +
                pictureY * static_cast<float>(box.height) / static_cast<float>(pictureHeight);
}

} // namespace Halvex::Base
