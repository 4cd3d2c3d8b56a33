// The GL calls of the renderer, the textures and the GL drawing helpers, each counted in
// g_GLES_CallCounts on its way to GL.
#pragma once

#include <GLES/gl.h>
#include <GLES/glext.h>

#include "gl_renderer.h"

inline void GLC_DrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
  ++g_GLES_CallCounts.drawCalls;
  g_GLES_CallCounts.indicesDrawn += (u32)count;
  glDrawElements(mode, count, type, indices);
}
inline void GLC_BlendFunc(GLenum src, GLenum dst) {
  ++g_GLES_CallCounts.blendFuncs;
  glBlendFunc(src, dst);
}
inline void GLC_SetBlending(bool on) {
  ++g_GLES_CallCounts.blendSwitches;
  on ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
}
inline void GLC_TexEnvMode(GLint mode) {
  ++g_GLES_CallCounts.texEnvs;
  glTexEnvx(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, mode);
}
inline void GLC_TexEnvColor(const GLfixed* rgba) {
  ++g_GLES_CallCounts.texEnvs;
  glTexEnvxv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, rgba);
}
inline void GLC_BindTexture(GLuint name) {
  ++g_GLES_CallCounts.textureBinds;
  glBindTexture(GL_TEXTURE_2D, name);
}
inline void GLC_SetTexturing(bool on) {
  ++g_GLES_CallCounts.textureSwitches;
  on ? glEnable(GL_TEXTURE_2D) : glDisable(GL_TEXTURE_2D);
}
inline void GLC_TexImage2D(GLint level, GLenum format, GLsizei w, GLsizei h, GLenum type, const void* data) {
  GLES_FlushBuffer(); // textures change under GL only after what was drawn before, batched or held
  ++g_GLES_CallCounts.textureUploads;
  glTexImage2D(GL_TEXTURE_2D, level, (GLint)format, w, h, 0, format, type, data);
}
inline void GLC_CompressedTexImage2D(GLint level, GLenum format, GLsizei w, GLsizei h, GLsizei size,
                                     const void* data) {
  GLES_FlushBuffer(); // textures change under GL only after what was drawn before, batched or held
  ++g_GLES_CallCounts.textureUploads;
  glCompressedTexImage2D(GL_TEXTURE_2D, level, format, w, h, 0, size, data);
}
inline GLuint GLC_GenTexture() {
  GLES_FlushBuffer(); // textures change under GL only after what was drawn before, batched or held
  GLuint name = 0;
  glGenTextures(1, &name);
  if (name) ++g_GLES_CallCounts.texturesCreated;
  return name;
}
inline void GLC_DeleteTexture(GLuint name) {
  GLES_FlushBuffer(); // textures change under GL only after what was drawn before, batched or held
  ++g_GLES_CallCounts.texturesDeleted;
  glDeleteTextures(1, &name);
}
