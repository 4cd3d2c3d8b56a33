// A run of the catalogue's names: its slots, how its pattern expands into each slot's name, and
// the rules a row keeps. All constexpr, so a set's rows are checked where they are written.
#pragma once

#include <cstdint>

#include "catalogue_targets.h"

namespace catalogue {

// How a sprite is made from its name.
enum class Source : uint8_t {
  Atlas,    // an entry of the set's atlas
  Png,      // a standalone picture, PNG, loaded at once ("2x_" form first)
  Jpeg,     // a standalone picture, JPEG, loaded at once ("2x_" form first)
  Deferred, // a placeholder whose PNG picture is loaded on first draw
};

// One run of names: slots first..last of one index while the other stays fixed, named by pattern
// with the value first, first + step, ... A pattern holds at most one "%d", "%0Nd" or "%c"; one
// without a conversion names every slot of the run the same.
struct Run {
  Target target;
  int16_t firstIndex, lastIndex; // type, row or entry
  int16_t firstFrame, lastFrame; // frame (or column)
  const char* pattern;
  int16_t first; // number, or character code for "%c"
  int8_t step;   // +1 or -1
  Source source;
};

const int kMaxNameLength = 64;

// A run's slots: how many (0 for one that spans types and frames at once, or runs backwards), and
// the i-th one's indexes.
constexpr int SlotCount(const Run& run) {
  bool range = run.lastIndex >= run.firstIndex && run.lastFrame >= run.firstFrame &&
               (run.lastIndex == run.firstIndex || run.lastFrame == run.firstFrame);
  if (!range) return 0;
  return (run.lastIndex - run.firstIndex + 1) * (run.lastFrame - run.firstFrame + 1);
}

constexpr void SlotAt(const Run& run, int i, int* index, int* frame) {
  if (run.lastIndex > run.firstIndex) {
    *index = run.firstIndex + i;
    *frame = run.firstFrame;
  } else {
    *index = run.firstIndex;
    *frame = run.firstFrame + i;
  }
}

// Writes the i-th name of a run into out (capacity bytes, terminator included). False for a
// malformed pattern, a value a conversion cannot show or a name that does not fit.
constexpr bool ExpandName(const Run& run, int i, char* out, int capacity) {
  if (!run.pattern || !out || capacity <= 0 || i < 0 || i >= SlotCount(run)) return false;
  if (run.step != 1 && run.step != -1) return false;
  const long value = (long)run.first + (long)run.step * i;
  int n = 0;
  auto put = [&](char c) {
    if (n + 1 >= capacity) return false;
    out[n++] = c;
    return true;
  };
  bool converted = false;
  for (const char* p = run.pattern; *p;) {
    if (*p != '%') {
      if (!put(*p++)) return false;
      continue;
    }
    if (converted) return false;
    converted = true;
    ++p;
    int width = 0;
    if (*p == '0') {
      ++p;
      if (*p < '1' || *p > '9') return false;
      width = *p++ - '0';
    }
    if (*p == 'd') {
      if (value < 0) return false;
      char digits[24] = {};
      int count = 0;
      long v = value;
      do {
        digits[count++] = (char)('0' + v % 10);
        v /= 10;
      } while (v > 0);
      for (int pad = count; pad < width; ++pad)
        if (!put('0')) return false;
      while (count > 0)
        if (!put(digits[--count])) return false;
    } else if (*p == 'c' && width == 0) {
      // Letters and digits only: a name never holds a blank, a separator or a control code.
      bool alnum =
          (value >= '0' && value <= '9') || (value >= 'a' && value <= 'z') || (value >= 'A' && value <= 'Z');
      if (!alnum || !put((char)value)) return false;
    } else {
      return false;
    }
    ++p;
  }
  out[n] = 0;
  return n > 0;
}

// What is wrong with a row, checked once for all its slots.
enum class RowFault : uint8_t {
  None,
  NoSlots,       // spans types and frames at once, or runs backwards
  NotExpanding,  // a slot's name does not expand, or holds a blank or a path separator
  OutsideGlobal, // a slot lies outside its target's shape, or the target is none
};

constexpr RowFault CheckRow(const Run& run) {
  const int count = SlotCount(run);
  if (count == 0) return RowFault::NoSlots;
  char name[kMaxNameLength] = {};
  for (int i = 0; i < count; ++i) {
    if (!ExpandName(run, i, name, kMaxNameLength)) return RowFault::NotExpanding;
    for (const char* c = name; *c; ++c)
      if (*c == ' ' || *c == '/' || *c == '\\') return RowFault::NotExpanding;
  }
  if ((int)run.target >= (int)Target::Count) return RowFault::OutsideGlobal;
  const TargetShape& shape = ShapeOf(run.target);
  if (run.firstIndex < 0 || run.lastIndex >= shape.rows || run.firstFrame < 0 ||
      run.lastFrame >= shape.columns)
    return RowFault::OutsideGlobal;
  return RowFault::None;
}

} // namespace catalogue
