// Crossing of a segment with an axis-parallel segment in integer pixels, and tagged trace output.
#pragma once

// Where the segment (x1, y1)-(x2, y2) crosses the horizontal segment at height hy from hx1 to hx2.
// Answers 1 with the crossing in ix, iy, else 0 (ix, iy then hold working values).
int LinesIntersectH(int x1, int y1, int x2, int y2, int hx1, int hy, int hx2, int* ix, int* iy);
// Where the segment crosses the vertical segment at vx from vy1 to vy2.
int LinesIntersectV(int x1, int y1, int x2, int y2, int vx, int vy1, int vy2, int* ix, int* iy);

// Prints "\n", then "tag\t" when the tag is not empty, then the formatted message, on stdout.
void EngineLogTrace(const char* tag, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
