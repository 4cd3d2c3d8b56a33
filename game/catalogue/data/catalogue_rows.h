// Short forms for writing the catalogue's rows, and MakeSet, which checks them as they compile; used by
// the table sources (and by the tables' test to plant bad rows).
#pragma once

#include "catalogue_data.h"

namespace catalogue {
namespace rows {

const Source A = Source::Atlas;
const Source P = Source::Png;
const Source J = Source::Jpeg;

// Types t0..t1, frame 0 of each, named p with first, first + 1, ...
constexpr Run Types(int16_t t0, int16_t t1, const char* p, int16_t first, Source s = A,
                    Target target = Target::Rects) {
  return Run{target, t0, t1, 0, 0, p, first, 1, s};
}
// Frame 0 of type t.
constexpr Run Type(int16_t t, const char* name, Source s = A, Target target = Target::Rects) {
  return Run{target, t, t, 0, 0, name, 0, 1, s};
}
// Frames f0..f1 of type (or row) t.
constexpr Run Frames(int16_t t, int16_t f0, int16_t f1, const char* p, int16_t first = 1, int8_t step = 1,
                     Source s = A, Target target = Target::Rects) {
  return Run{target, t, t, f0, f1, p, first, step, s};
}
// Frame f of type (or row) t.
constexpr Run At(int16_t t, int16_t f, const char* name, Source s = A, Target target = Target::Rects) {
  return Run{target, t, t, f, f, name, 0, 1, s};
}
// Deferred pictures at frame 0 of types t0..t1.
constexpr Run Deferred(int16_t t0, int16_t t1, const char* p, int16_t first = 0) {
  return Run{Target::RectDummies, t0, t1, 0, 0, p, first, 1, Source::Deferred};
}

// Entries i0..i1 of a one-dimensional global (or the single pointer when i0 = i1 = 0).
constexpr Run Entries(Target target, int16_t i0, int16_t i1, const char* p, int16_t first = 1, Source s = A) {
  return Run{target, i0, i1, 0, 0, p, first, 1, s};
}
constexpr Run Entry(Target target, int16_t i, const char* name, Source s = A) {
  return Run{target, i, i, 0, 0, name, 0, 1, s};
}
// Entry [i][j] of a two-dimensional global.
constexpr Run Cell(Target target, int16_t i, int16_t j, const char* name, Source s = A) {
  return Run{target, i, i, j, j, name, 0, 1, s};
}
// Row i, columns j0..j1 of a two-dimensional global.
constexpr Run RowRun(Target target, int16_t i, int16_t j0, int16_t j1, const char* p, int16_t first = 1) {
  return Run{target, i, i, j0, j1, p, first, 1, A};
}

// Never defined: a row that breaks a rule makes its set's constant initialisation call one of
// these, which the compiler refuses, naming the rule (and a set made at run time fails to link).
void RowSpansTypesAndFramesOrRunsBackwards();
void RowNameDoesNotExpand();
void RowSlotOutsideItsGlobal();

// A set of rows, each checked as the set is made. Sets are constexpr, so a bad row fails the build.
template <int N> constexpr Set MakeSet(const char* loader, const char* atlas, const Run (&runs)[N]) {
  for (const Run& run : runs) {
    switch (CheckRow(run)) {
    case RowFault::None:
      break;
    case RowFault::NoSlots:
      RowSpansTypesAndFramesOrRunsBackwards();
      break;
    case RowFault::NotExpanding:
      RowNameDoesNotExpand();
      break;
    case RowFault::OutsideGlobal:
      RowSlotOutsideItsGlobal();
      break;
    }
  }
  return Set{loader, atlas, runs, N};
}
// A set with no rows yet.
constexpr Set EmptySet(const char* loader, const char* atlas = nullptr) {
  return Set{loader, atlas, nullptr, 0};
}
// Entry [i][j] of a screen's own globals.
constexpr Run Own(int16_t i, int16_t j, const char* name, Source s = A) {
  return Run{Target::Screen, i, i, j, j, name, 0, 1, s};
}
// Entries [i][j0..j1] of a screen's own globals, named p with first, first + 1, ...
constexpr Run OwnRun(int16_t i, int16_t j0, int16_t j1, const char* p, int16_t first = 1, Source s = A) {
  return Run{Target::Screen, i, i, j0, j1, p, first, 1, s};
}

} // namespace rows
} // namespace catalogue
