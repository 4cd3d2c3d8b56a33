// How a test that needs headless GL ends when it cannot have it: skipped on a machine without it,
// failed where SPROCKLET_REQUIRE_GL is set (.ci/run sets it), so CI cannot pass by skipping.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include <standin/headless_gl.h>

inline bool GLRequired() {
  const char* v = getenv("SPROCKLET_REQUIRE_GL");
  return v && *v && strcmp(v, "0") != 0;
}

// After an Open of gl (or of a screen built on it) answered false. A failure after GL was had is
// the test's own and always fails.
#define SKIP_OR_FAIL_WITHOUT_GL(gl)                                                                          \
  do {                                                                                                       \
    if ((gl).IsOpen()) GTEST_FAIL() << "headless GL is there, but the screen on it could not be made";       \
    if (GLRequired()) GTEST_FAIL() << "no headless GL: " << (gl).Why() << " (SPROCKLET_REQUIRE_GL is set)";  \
    GTEST_SKIP() << "no headless GL: " << (gl).Why();                                                        \
  } while (0)
