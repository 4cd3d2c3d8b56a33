// The test program's application object: the engine's test application extended into a demo that
// shows what the platform delivers, so that tests prove the host, the journal, the screenshots and
// the desktop backend without the game. The screen's colour
// follows the last touch (red across, green down, blue while held), a white marker sits on it,
// cyan markers on further fingers, and a red dot leans with the accelerometer. When the runtime
// root holds the asset pack, two of its pictures are drawn over the background.
#include <sys/stat.h>

#include "dib_bitmap.h"
#include "image_loaders.h"
#include "platform_services.h"
#include "test_application.h"

namespace {

class CDemoGame : public CTestApplication {
public:
  // The demo draws with plain alpha blending, which wants straight (not premultiplied) colour.
  CDemoGame() { m_bPremultiplyAlpha = 0; }

  // The engine's start-up chain draws the screen through the GL render target; the pack is
  // optional here, so the demo also runs in an empty runtime root.
  bool Init(int w, int h) override {
    struct stat st;
    m_bUsePacks = stat(GetCommonGamePackName().c_str(), &st) == 0 ? 1 : 0;
    if (!CTestApplication::Init(w, h)) return false;
    SetFpsControl(60, true, false);
    Accel_Init();
    LoadPictures();
    return true;
  }

  ~CDemoGame() override {
    SafeDelete(m_pBadge);
    SafeDelete(m_pPhoto);
  }

  int NotifyPointerEvent(int x, int y, int type) override {
    m_bTouched = true;
    m_nTouchX = x;
    m_nTouchY = y;
    if (type == 1) m_bHeld = true;
    if (type == 2) m_bHeld = false;
    return 1;
  }

  int NotifyMultiTouchPointerEvent(int x, int y, int id, int type) override {
    if (id > 0 && id < kFingers) {
      m_Fingers[id].down = type != 2;
      m_Fingers[id].x = x;
      m_Fingers[id].y = y;
    }
    return 1;
  }

  void Draw() override {
    IDibBitmap* screen = m_pDoubleBuffer;
    if (m_bTouched)
      screen->FillRectangle(0, 0, m_nScreenWidth, m_nScreenHeight, Channel(m_nTouchX, m_nScreenWidth),
                            Channel(m_nTouchY, m_nScreenHeight), m_bHeld ? 255 : 0);
    else
      screen->FillRectangle(0, 0, m_nScreenWidth, m_nScreenHeight, 26, 26, 26);
    if (m_pBadge) m_pBadge->Draw(screen, 20, 20, 0, 0, 0, 0);
    if (m_pPhoto) m_pPhoto->Draw(screen, 20, 80, 0, 0, 0, 0);

    double ax = 0, ay = 0, az = 0;
    if (Accel_GetValues(ax, ay, az))
      Square(m_nScreenWidth / 2 - (int)(ax * 100), m_nScreenHeight / 2 - (int)(ay * 100), 4, 255, 0, 0);
    for (int i = 1; i < kFingers; ++i)
      if (m_Fingers[i].down) Square(m_Fingers[i].x, m_Fingers[i].y, 6, 0, 255, 255);
    if (m_bTouched) Square(m_nTouchX, m_nTouchY, 6, 255, 255, 255);
  }

private:
  static constexpr int kFingers = 10;
  struct Finger {
    bool down = false;
    int x = 0;
    int y = 0;
  };

  // A PNG with alpha and a JPEG with its "_a.jpg" alpha map, read from the pack like the game's
  // images; without the pack the demo runs without them.
  void LoadPictures() {
    if (!m_pCommonPack) return;
    m_pBadge = ImageLoad(this, "images\\demo_badge", nullptr);
    m_pPhoto = ImageLoad(this, "images\\demo_photo", nullptr);
  }

  // v across size as a colour channel 0..255.
  static int Channel(int v, int size) {
    return size > 1 ? (int)(255.0f * (float)v / (float)(size - 1) + 0.5f) : 0;
  }

  // A filled square of half-size r (logical pixels) centred on (x, y).
  void Square(int x, int y, int r, int red, int green, int blue) {
    m_pDoubleBuffer->FillRectangle(x - r, y - r, 2 * r, 2 * r, red, green, blue);
  }

  bool m_bTouched = false;
  bool m_bHeld = false;
  int m_nTouchX = 0;
  int m_nTouchY = 0;
  Finger m_Fingers[kFingers];
  IDibBitmap* m_pBadge = nullptr;
  IDibBitmap* m_pPhoto = nullptr;
};

} // namespace

CGameBase* CreateGameObject() { return new CDemoGame(); }
