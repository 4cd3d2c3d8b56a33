// The GL state cache and vertex batcher: every textured quad and triangle the engine draws goes
// through one set of vertex arrays and one glDrawElements per batch, with the blend function,
// texture environment and bound texture cached so that only real changes reach GL. Blending and
// the texture environment reach GL with the first triangle that needs them: a change and its
// undoing with nothing drawn between cost nothing.
#pragma once

#include <GLES/gl.h>

#include <cstdint>
#include <vector>

#include "quellar_types.h"

class CAppGraphics;
class IDibBitmap;

enum {
  GLES_MAX_VERTICES = 1000,
  GLES_MAX_INDEXES = 1000,
};

// Blend modes of Renderer_SetBlendMode.
typedef int Renderer_BlendMode;
enum {
  RENDERER_BLEND_NORMAL = 0,        // source alpha over
  RENDERER_BLEND_ADDITIVE = 1,      // source alpha added
  RENDERER_BLEND_TINTED = 2,        // texture environment GL_BLEND with the environment colour
  RENDERER_BLEND_OPAQUE = 3,        // blending off
  RENDERER_BLEND_PREMULTIPLIED = 4, // GL_ONE, GL_ONE_MINUS_SRC_ALPHA
};

// Texture wrap modes: 1 repeats, anything else clamps to the edge.
typedef int Renderer_TextureMapMode;
enum {
  RENDERER_TEXTURE_CLAMP = 0,
  RENDERER_TEXTURE_REPEAT = 1,
};

// Vertex arrays: positions are pixels x 256 (24.8), texture coordinates 16.16.
extern GLfixed g_GLES_Coords[GLES_MAX_VERTICES * 3];
extern GLfixed g_GLES_TexCoords[GLES_MAX_VERTICES * 2];
extern GLubyte g_GLES_Colors[GLES_MAX_VERTICES * 4];
extern GLushort g_GLES_Indexes[GLES_MAX_INDEXES];
extern u32 g_GLES_NumVertexUsed;
extern u32 g_GLES_NumIndexesUsed;

// State cache; it is never read back from GL.
extern int g_GLES_BlendModeEnabled;
extern GLenum g_GLES_BlendSourceFactor;
extern GLenum g_GLES_BlendDestFactor;
extern GLint g_GLES_TextEnvironmentMode;
extern u32 g_TextEnvironmentColorARGB;
extern GLuint g_Current_texName; // 0 while texturing is off
extern int g_GLES_ColorBufferUsed;
extern GLint g_prefer_GL_LINEAR;  // filter of new textures
extern GLint g_prefer_GL_NEAREST; // passed to GLES_SelectTexture, which ignores it

// Frame state shared with the hardware bitmap.
extern int g_bRenderingMode2D; // triangles off screen are skipped only in 2D mode
extern int g_bViewportSetUp;   // the viewport is set once per context
extern int g_bUpdate;          // the first HWBeginScene has set GL up

// Every GL call the renderer, the textures and the GL drawing helpers make is counted here; the
// benchmark reports these and tests check them.
struct GLES_CallCounts {
  u32 drawCalls;       // glDrawElements
  u32 indicesDrawn;    // indices those draws referenced
  u32 blendFuncs;      // glBlendFunc
  u32 blendSwitches;   // glEnable / glDisable of GL_BLEND
  u32 texEnvs;         // glTexEnv* (mode and colour)
  u32 textureBinds;    // glBindTexture
  u32 textureSwitches; // glEnable / glDisable of GL_TEXTURE_2D
  u32 textureUploads;  // glTexImage2D and glCompressedTexImage2D
  u32 texturesCreated;
  u32 texturesDeleted;
  u32 StateChanges() const { return blendFuncs + blendSwitches + texEnvs + textureBinds + textureSwitches; }
};
extern GLES_CallCounts g_GLES_CallCounts;

// What the rasteriser is given to fill, counted only while a benchmark asks for it: the area of
// every triangle drawn, clipped to the screen, in whole screens, apart for draws with blending off
// and on. Culled triangles count nothing; batches drawn in the 3D projection are not counted.
struct GLES_FillCounts {
  double opaque;
  double blended;
};
extern GLES_FillCounts g_GLES_FillCounts;
// Counts from now on against a screen of w x h pixels of the 2D projection; 0 x 0 stops counting.
void GLES_CountFill(int w, int h);

// Appends a quad: xy = 4 x (x, y) in 24.8, uv = 4 x (u, v) in 16.16, rgba = 16 bytes or null
// for opaque white. Corners go top-left, top-right, bottom-right, bottom-left (clockwise).
void GLES_RenderQUAD(const int* xy, const int* uv, const unsigned char* rgba);
// Appends a triangle: 3 x (x, y, z), 3 x (u, v), 12 colour bytes or null; answers the index count.
int GLES_RenderTRIANGLE_3D(const int* xyz, const int* uv, const unsigned char* rgba);
void GLES_FlushBuffer();
// Turns texturing off and appends a quad of one colour over pixels x0..x1, y0..y1.
void GLES_RenderFilledQuad(int x0, int y0, int x1, int y1, int r, int g, int b, int a);

// Deferring: from GLES_BeginDeferring on, the batches and state changes bound for GL are held
// back in order and hashed with the key, so that a caller can tell whether a stretch of drawing is
// the same as before (same hash) and then drop it in favour of a copy of its picture. Anything
// that drives GL itself (a public flush, a texture made, uploaded or deleted, a wrap mode) sends
// what was held first and ends the deferring, so that GL sees every call in its order.
void GLES_BeginDeferring(uint64_t key);
bool GLES_Deferring();
uint64_t GLES_DeferredHash();
// Sends what was held to GL, in order, and stops deferring; nothing when not deferring.
void GLES_SendDeferred();
// Forgets what was held (and the batch being built) and stops deferring.
void GLES_DropDeferred();
// While deferring: should what is held be sent to GL as it is (by GLES_SendDeferred, or by anything
// that drives GL itself), the copy is drawn just before it. Forgotten once the held calls are kept,
// dropped or sent. (A picture that is to lie under the held calls, drawn only if they are.)
struct GLES_ScreenCopy;
void GLES_DrawFirstIfSent(const GLES_ScreenCopy* copy);
// A stretch of held drawing kept to be sent to GL later, as often as needed.
struct GLES_HeldOp {
  u8 op;
  u32 a, b;   // the call's values; for a draw, its first vertex and index in the store
  u32 c;      // for a draw, its index count; for an environment colour, its place in the store
  bool blend; // a draw's blending, for the fill count
};
struct GLES_HeldDrawing {
  uint64_t hash = 0;       // the deferring's hash when it was kept
  GLuint startTexture = 0; // bound when the deferring began (0: texturing off)
  std::vector<GLES_HeldOp> ops;
  std::vector<GLfixed> coords, texCoords, envColours;
  std::vector<GLubyte> colours;
  std::vector<GLushort> indexes;
};
// Stops deferring and keeps what was held, and its hash, in `into` instead of sending it: GL stays
// as it was when the deferring began. Without deferring `into` is left empty.
void GLES_KeepDeferred(GLES_HeldDrawing& into);
// Sends a kept stretch to GL, in its order.
void GLES_SendHeld(const GLES_HeldDrawing& held);
// Counts the contexts the state cache has been reset for: textures of another generation are gone.
u32 GLES_ContextGeneration();

// A copy of the pixels of the viewport in a texture of its own, drawn back pixel for pixel over
// the viewport whatever projection the screen has (the copy is of the colour buffer as it is, turned
// or not): for a screen that would otherwise draw the same layers again and again.
struct GLES_ScreenCopy {
  GLuint name = 0;
  int texW = 0, texH = 0;
  GLint view[4] = {0, 0, 0, 0};
  uint32_t generation = 0; // of the context the texture was made in
};
// Copies what was drawn so far into the copy's texture, made or remade as needed; false when
// there is no viewport or no texture could be had.
bool GLES_CopyScreen(GLES_ScreenCopy& copy);
// True when the copy was made in this context for the viewport as it is now.
bool GLES_ScreenCopyFits(const GLES_ScreenCopy& copy);
// Draws the copy over the viewport without blending, and puts GL back as the cache says.
void GLES_DrawScreenCopy(const GLES_ScreenCopy& copy);
// Deletes the copy's texture where its context still stands.
void GLES_ReleaseScreenCopy(GLES_ScreenCopy& copy);

// A cover: layers that stand above a glow (a picture added over what lies below it), made once
// from their held drawing over the copy below them. A glow that turns between that copy and the
// layers is then drawn over the cover, as much of it added as the layers let through.
struct GLES_Cover {
  GLES_ScreenCopy whole;   // the layers over the copy below, as the screen showed them
  GLES_ScreenCopy through; // alpha: how much of what lies below the layers shows through them
  // Rectangles (x0, y0, x1, y1 in viewport pixels, in 16 x 16 pixel blocks) where the layers let
  // all of the glow through, and where some of it: under opaque ones it is not drawn at all.
  std::vector<GLint> clear, mixed;
};
// Makes the cover of `front` over `below`: `through` is found by drawing the layers over grey and
// over black. The viewport is drawn over on the way.
bool GLES_CaptureCover(const GLES_HeldDrawing& front, const GLES_ScreenCopy& below, GLES_Cover& cover);
// Makes room in the cover for the viewport as it is, so that making it later allocates nothing.
void GLES_ReserveCover(GLES_Cover& cover);
// Draws the cover's whole over the viewport and the glow under its layers, cut to the rectangles
// where they let it through. Only a glow each draw of which adds its modulated colour times its
// alpha (the additive mode) can be drawn so: false, and nothing drawn, for any other, for one
// drawn in perspective, for a cover not made for the viewport as it is, or where GL has a single
// texture unit and the layers let only part of the glow through somewhere.
bool GLES_DrawCoverWithGlow(const GLES_Cover& cover, const GLES_HeldDrawing& glow);
void GLES_ReleaseCover(GLES_Cover& cover);

// Layers that stand still over others that move, made once from their held drawing into one
// premultiplied picture: its colour over black, its alpha how much they cover. Drawn over the
// viewport in pieces of 16 x 16 pixel blocks: the opaque ones without blending, the clear ones not
// at all, see-through ones of one colour all over (a darkening) in that colour without the texture.
struct GLES_Layers {
  GLES_ScreenCopy picture;
  std::vector<GLfloat> opaque, mixed; // triangles of (x, y, u, v), x and y in viewport pixels
  std::vector<GLfloat> flat;          // triangles of (x, y)
  std::vector<GLubyte> flatColours;   // their corners' premultiplied colours
};
// Makes the picture of `front`; the viewport is drawn over on the way.
bool GLES_CaptureLayers(const GLES_HeldDrawing& front, GLES_Layers& layers);
// Makes room in the layers for the viewport as it is, so that making them later allocates nothing.
void GLES_ReserveLayers(GLES_Layers& layers);
// Draws the layers over what the viewport shows; false, and nothing drawn, when they were not made
// for the viewport as it is.
bool GLES_DrawLayers(const GLES_Layers& layers);
void GLES_ReleaseLayers(GLES_Layers& layers);

// These record the state the next triangles are drawn under; see above.
void GLES_BlendMode(int enable, GLenum src, GLenum dst);
void GLES_SetTextEnvironmentMode(GLint mode);
// Channels in GL fixed point: the 8-bit value shifted left by 8.
void GLES_SetTextEnvironmentColor(GLfixed r, GLfixed g, GLfixed b, GLfixed a);
void GLES_SelectTexture(GLuint name, GLint filter);
void Renderer_SetBlendMode(Renderer_BlendMode mode, IDibBitmap* bitmap = nullptr);
void Renderer_SetTextureMapMode(Renderer_TextureMapMode s, Renderer_TextureMapMode t, IDibBitmap* bitmap);
void GLES_SetupXY_UV_Pointers();
// After code that drove GL directly: forces GL back into the state the cache describes.
void GLES_RestoreCachingSupport();
// Forgets everything cached about GL, for a new context: the next frame sets GL up from scratch.
void GLES_ResetStateCache();

void GLES_Set2DRenderingMode(CAppGraphics* game, IDibBitmap* screen);
void GLES_Set3DRenderingMode(CAppGraphics* game, IDibBitmap* screen);

// The screen bitmap under the GL renderer (sets the renderer type to 5), and any other bitmap.
IDibBitmap* OGLES_InitAndCreateRenderTarget(CAppGraphics* game);
IDibBitmap* OGLES_CreateBitmap(CAppGraphics* game);
void OGLES_RemoveBitmapFromList(IDibBitmap* bitmap);

// Presents the frame. The platform layer installs its swap here; without one the current EGL
// surface is swapped.
extern void (*g_pfnGLES_SwapBuffers)();
void GLES_RenderToScreenOrSwapBuffers();
