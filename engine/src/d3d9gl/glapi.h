#pragma once
// The GL interface d3d9gl is written against: libepoxy's dispatch on the desktop (desktop GL
// or OpenGL ES, chosen when the context is made), the OpenGL ES 3.0 headers under Emscripten.
// Shared tables name a few desktop-only enums; the ES build defines their values so the
// tables compile, and the ES profile never passes them to GL.

#ifdef __EMSCRIPTEN__
#include <GLES3/gl3.h>
// The extension header after the core one, which it builds on.
#include <GLES2/gl2ext.h>

#define GLAPIENTRY
#define GL_BGR 0x80E0
#define GL_BGRA 0x80E1
#define GL_UNSIGNED_INT_8_8_8_8_REV 0x8367
#define GL_UNSIGNED_SHORT_1_5_5_5_REV 0x8366
#define GL_UNSIGNED_SHORT_4_4_4_4_REV 0x8365
#define GL_R16 0x822A
#define GL_RG16 0x822C
#define GL_RGBA16 0x805B
#define GL_DEPTH_COMPONENT32 0x81A7
#define GL_CLAMP_TO_BORDER 0x812D
#define GL_MIRROR_CLAMP_TO_EDGE 0x8743
#define GL_TEXTURE_BORDER_COLOR 0x1004
#define GL_TEXTURE_LOD_BIAS 0x8501
#define GL_POINT 0x1B00
#define GL_LINE 0x1B01
#define GL_FILL 0x1B02
#define GL_POLYGON_OFFSET_LINE 0x2A02
#define GL_POLYGON_OFFSET_POINT 0x2A01
#define GL_TEXTURE_SWIZZLE_RGBA 0x8E46
#define GL_MAX_VERTEX_ATTRIB_STRIDE 0x82E5
#define GL_POINT_SIZE_RANGE 0x0B12
#else
#include <epoxy/gl.h>
#endif
