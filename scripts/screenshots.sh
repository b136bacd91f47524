#!/usr/bin/env bash
# Regenerates docs/screenshots (the start screen and every lesson as the tour opens it, and
# the notes and statistics in notes/ and stats/) and
# docs/lessons.png, the contact sheet the README shows. Needs a build (./test.sh or ./run.sh)
# and ImageMagick's montage.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
shots="$root/docs/screenshots"
SDL_VIDEODRIVER=offscreen "$root/build/bin/lumivia-tour" --out "$shots" >/dev/null
# The learner's aids: the notes on the start screen and in one lesson, the frame statistics.
SDL_VIDEODRIVER=offscreen "$root/build/bin/lumivia-tour" --notes --out "$shots/notes" \
    MatrixTransform >/dev/null
SDL_VIDEODRIVER=offscreen "$root/build/bin/lumivia-tour" --stats --out "$shots/stats" \
    Lighting >/dev/null
# The sheet in the order of the lesson list, the start screen first.
order=(start RenderToTexture RenderToCubeMap ShadowMap ViewportScissor Stencil Mipmap
    RS_FillShadeCull RS_Depth RS_AlphaBlend RS_AlphaTest Test01 Test02 DeviceCapability Primitive
    VertexIndexBuffer MatrixTransform Lighting UseCubeMap TextureSampling)
files=()
for name in "${order[@]}"; do
    files+=("$shots/$name.png")
done
montage -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 13 -fill white \
    -background '#202020' -label '%t' -geometry 256x144+4+4 -tile 5x "${files[@]}" \
    "$root/docs/lessons.png"
echo "Screenshots in $shots, contact sheet in $root/docs/lessons.png"
