// Draws the program's icon as a PNG at build time: the hero, a round orange runner, jumping over
// a mushroom on grass under a sky, in a rounded square.
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Colour {
  double r, g, b, a;
};

// A picture of size x size pixels, every pixel the average of 4 x 4 samples of the shapes.
class Icon {
public:
  explicit Icon(int size) : m_Size(size), m_Pixels((size_t)size * size) {}

  void Paint() {
    const int n = 4;
    for (int y = 0; y < m_Size; ++y)
      for (int x = 0; x < m_Size; ++x) {
        Colour sum = {0, 0, 0, 0};
        for (int j = 0; j < n; ++j)
          for (int i = 0; i < n; ++i) {
            // Shapes are laid out on a unit square.
            Colour c = At((x + (i + 0.5) / n) / m_Size, (y + (j + 0.5) / n) / m_Size);
            sum.r += c.r * c.a;
            sum.g += c.g * c.a;
            sum.b += c.b * c.a;
            sum.a += c.a;
          }
        Colour& p = m_Pixels[(size_t)y * m_Size + x];
        p.a = sum.a / (n * n);
        if (sum.a > 0) p = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, p.a};
      }
  }

  bool Write(const std::string& path) const {
    std::vector<unsigned char> rgba((size_t)m_Size * m_Size * 4);
    for (size_t i = 0; i < m_Pixels.size(); ++i) {
      const Colour& c = m_Pixels[i];
      const double v[4] = {c.r, c.g, c.b, c.a};
      for (int k = 0; k < 4; ++k)
        rgba[i * 4 + k] = (unsigned char)std::lround(std::clamp(v[k], 0.0, 1.0) * 255);
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = (png_uint_32)m_Size;
    image.height = (png_uint_32)m_Size;
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
  }

private:
  static bool InCircle(double x, double y, double cx, double cy, double r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
  }
  static bool InEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    return (x - cx) * (x - cx) / (rx * rx) + (y - cy) * (y - cy) / (ry * ry) <= 1;
  }
  // A square with rounded corners filling the picture, with a margin.
  static bool InTile(double x, double y) {
    const double m = 0.04, r = 0.18;
    double dx = std::max({m + r - x, 0.0, x - (1 - m - r)}), dy = std::max({m + r - y, 0.0, y - (1 - m - r)});
    return x >= m && x <= 1 - m && y >= m && y <= 1 - m && dx * dx + dy * dy <= r * r;
  }

  // The colour of the picture at (x, y), 0..1 from the top left; transparent outside the tile.
  static Colour At(double x, double y) {
    if (!InTile(x, y)) return {0, 0, 0, 0};
    // The hero: an orange ball with a white eye, mid-jump.
    if (InCircle(x, y, 0.63, 0.58, 0.035)) return {0.1, 0.1, 0.15, 1};
    if (InCircle(x, y, 0.62, 0.57, 0.075)) return {1, 1, 1, 1};
    if (InCircle(x, y, 0.56, 0.62, 0.17)) return {0.98, 0.55, 0.12, 1};
    // A red mushroom with white spots.
    if (y < 0.80 && InEllipse(x, y, 0.26, 0.80, 0.12, 0.18)) {
      if (InCircle(x, y, 0.21, 0.72, 0.03) || InCircle(x, y, 0.31, 0.70, 0.025)) return {1, 1, 1, 1};
      return {0.86, 0.16, 0.16, 1};
    }
    if (x > 0.22 && x < 0.30 && y >= 0.80 && y < 0.86) return {0.97, 0.93, 0.82, 1};
    // Grass, then a sky brightening towards the horizon.
    if (y > 0.86 - 0.015 * std::sin(x * 40)) return {0.25, 0.70, 0.25, 1};
    return {0.35 + 0.35 * y, 0.62 + 0.25 * y, 0.95, 1};
  }

  int m_Size;
  std::vector<Colour> m_Pixels;
};

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: %s SIZE OUT.png\n", argv[0]);
    return 2;
  }
  int size = atoi(argv[1]);
  if (size < 16 || size > 1024) {
    fprintf(stderr, "make_icon: a size of 16 to 1024 pixels, not '%s'\n", argv[1]);
    return 2;
  }
  Icon icon(size);
  icon.Paint();
  if (!icon.Write(argv[2])) {
    fprintf(stderr, "make_icon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
