// The tests' name for the platform's headless GL context.
#pragma once

#include <standin/headless_gl.h>
