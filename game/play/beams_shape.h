// The level end's beams as a shape drawn in place of their picture (beams_look.h).
#pragma once

struct ShapeCorner;

// The triangles, three corners each, across the beams' picture; made once.
const ShapeCorner* BeamsShape(int* corners);
