// The slot of every global sprite table the catalogue's rows fill, made from its targets' table:
// each table is addressed by its declared type, and its declaration must have its row's shape.
#include <cstddef>

#include "catalogue.h"

using catalogue::Target;

namespace {

// A single pointer, an array or a two-dimensional array, as rows x columns.
template <class T> struct Extents { static constexpr int rows = 1, columns = 1; };
template <class T, size_t N> struct Extents<T[N]> { static constexpr int rows = (int)N, columns = 1; };
template <class T, size_t R, size_t C> struct Extents<T[R][C]> {
  static constexpr int rows = (int)R, columns = (int)C;
};

// Slots by the global's own extents, so a row can never reach past an array.
template <class T, size_t R, size_t C> T** At(T* (&table)[R][C], int i, int j) {
  return i >= 0 && (size_t)i < R && j >= 0 && (size_t)j < C ? &table[i][j] : nullptr;
}
template <class T, size_t N> T** At(T* (&table)[N], int i, int j) {
  return i >= 0 && (size_t)i < N && j == 0 ? &table[i] : nullptr;
}
template <class T> T** At(T*& single, int i, int j) { return i == 0 && j == 0 ? &single : nullptr; }

#define CATALOGUE_DECLARED_AS_ITS_ROW(t, g, r, c)                                                            \
  static_assert(Extents<decltype(g)>::rows == (r) && Extents<decltype(g)>::columns == (c),                   \
                #g " is declared with the shape of its row in CATALOGUE_TARGETS");
#define CATALOGUE_NOTHING(t, name, r, c)
CATALOGUE_TARGETS(CATALOGUE_DECLARED_AS_ITS_ROW, CATALOGUE_NOTHING)
CATALOGUE_DECLARED_AS_ITS_ROW(RectDummies, g_rectDummies, catalogue::ShapeOf(Target::RectDummies).rows,
                              catalogue::ShapeOf(Target::RectDummies).columns)

} // namespace

Surface** SpriteSlot(Target target, int i, int j) {
  switch (target) {
#define CATALOGUE_SLOT(t, g, r, c)                                                                           \
  case Target::t:                                                                                            \
    return At(g, i, j);
    CATALOGUE_TARGETS(CATALOGUE_SLOT, CATALOGUE_NOTHING)
#undef CATALOGUE_SLOT
  default:
    return nullptr; // the kept targets have loaders of their own
  }
}

SurfaceDummy** PlaceholderSlot(int type, int frame) { return At(g_rectDummies, type, frame); }
