// The benchmarks' allocation count, which these tests and the screens benchmark go by: what the
// program allocates is its own even when a library does it on the program's behalf, and what the GL
// driver allocates is not, even when it does so through the C++ library or another library (its
// shader compiler is written in C++).
#include <GLES/gl.h>
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "alloc_count.h"
#include "gl_renderer.h"
#include "running_level.h"

namespace {

class AllocationCount : public RunningLevelTest {};

TEST_F(AllocationCount, TheProgramsOwnAreCountedThroughLibrariesAndTheDriversAreNot) {
  if (!AllocationsCounted()) GTEST_SKIP() << "a sanitizer's allocator is its own";
  ASSERT_TRUE(Running());
  {
    const AllocationMark mark;
    char* copy = strdup("through the C library");
    const long own = mark.Own();
    free(copy);
    EXPECT_EQ(own, 1) << "strdup";
  }
  {
    const AllocationMark mark;
    std::string grown;
    for (int i = 0; i < 200; ++i)
      grown += "grown through the C++ library ";
    EXPECT_GT(mark.Own(), 0) << "a string's growth";
  }
  {
    const AllocationMark mark;
    z_stream z{};
    ASSERT_EQ(deflateInit(&z, 9), Z_OK);
    deflateEnd(&z);
    EXPECT_GT(mark.Own(), 0) << "zlib, for the program";
  }
  // A draw in a state no screen uses makes the driver compile a new shader.
  Cycles(2);
  const AllocationMark mark;
  const GLfloat xy[6] = {0, 0, 0.5f, 0, 0, 0.5f};
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_TEXTURE_2D);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_NOTEQUAL, 0.37f);
  glEnable(GL_FOG);
  glFogf(GL_FOG_MODE, GL_EXP2);
  glVertexPointer(2, GL_FLOAT, 0, xy);
  glDrawArrays(GL_TRIANGLES, 0, 3);
  glFinish();
  glDisable(GL_FOG);
  glDisable(GL_ALPHA_TEST);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  GLES_RestoreCachingSupport();
  EXPECT_GT(mark.Driver(), 0) << "the driver allocated nothing: no shader was made";
  EXPECT_EQ(mark.Own(), 0);
}

} // namespace
