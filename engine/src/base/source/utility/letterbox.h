#pragma once
// A picture of fixed size shown in a target of any size: scaled to fit, its aspect ratio
// kept, centred between black bars. The window's presentation and the mapping of pointer
// positions back into the picture share this one placement.

namespace Halvex::Base
{

struct Letterbox
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool IsEmpty() const { return width <= 0 || height <= 0; }
};

// The largest rectangle of the picture's aspect ratio that fits the target, centred (sizes
// rounded to whole pixels). Empty when either size is not positive.
Letterbox FitLetterbox(int pictureWidth, int pictureHeight, int targetWidth, int targetHeight);

// A target position in the picture's pixels; false when it lies on a bar (the result then
// lies outside the picture, as a drag beyond a window's edge does).
bool TargetToPicture(const Letterbox& box, int pictureWidth, int pictureHeight, float targetX,
                     float targetY, float* pPictureX, float* pPictureY);

// A picture position in the target's pixels.
void PictureToTarget(const Letterbox& box, int pictureWidth, int pictureHeight, float pictureX,
                     float pictureY, float* pTargetX, float* pTargetY);

} // namespace Halvex::Base
