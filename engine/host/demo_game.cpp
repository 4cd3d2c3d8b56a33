// The program's application object until the engine's test application takes this place: a demo
// that shows what the platform delivers. The screen's colour follows the last touch (red across,
// green down, blue while held), a white marker sits on it, cyan markers on further fingers, and a
// red dot leans with the accelerometer.
#include "game_base.h"
#include "platform_services.h"

#include <GLES/gl.h>

namespace {

class CDemoGame : public CGameBase {
public:
  bool Init(int w, int h) override {
    m_nScreenWidth = w;
    m_nScreenHeight = h;
    SetFpsControl(60, true, false);
    Accel_Init();
    return true;
  }

  bool RunGameCycle() override {
    RunProcess();
    Draw();
    bbutil_swap();
    return true;
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
    EGLint sw = 0, sh = 0;
    eglQuerySurface(egl_disp, egl_surf, EGL_WIDTH, &sw);
    eglQuerySurface(egl_disp, egl_surf, EGL_HEIGHT, &sh);
    glViewport(0, 0, sw, sh);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrthof(0, (GLfloat)m_nScreenWidth, (GLfloat)m_nScreenHeight, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    if (m_bTouched)
      glClearColor(Fraction(m_nTouchX, m_nScreenWidth), Fraction(m_nTouchY, m_nScreenHeight),
                   m_bHeld ? 1.0f : 0.0f, 1);
    else
      glClearColor(0.1f, 0.1f, 0.1f, 1);
    glClear(GL_COLOR_BUFFER_BIT);

    double ax = 0, ay = 0, az = 0;
    if (Accel_GetValues(ax, ay, az))
      Square((float)(m_nScreenWidth / 2) - (float)ax * 100, (float)(m_nScreenHeight / 2) - (float)ay * 100, 4,
             1, 0, 0);
    for (int i = 1; i < kFingers; ++i)
      if (m_Fingers[i].down) Square((float)m_Fingers[i].x, (float)m_Fingers[i].y, 6, 0, 1, 1);
    if (m_bTouched) Square((float)m_nTouchX, (float)m_nTouchY, 6, 1, 1, 1);
  }

  bool Pause() override { return true; }
  bool CreateApplicationData() override { return true; }
  bool ReLoadFonts() override { return true; }
  CommonString GetImagesDirectory() override { return CommonString("images\\"); }
  CommonString GetSoundsDirectory() override { return CommonString("Sounds\\"); }
  CommonString GetSaveDirectory() override { return CommonString("data/"); }
  CommonString GetCommonGamePackName() override { return CommonString("app/native/assets/_game_bb.pak"); }
  CommonString GetResolutionSpecificGamePackName() override { return CommonString("_game.pak"); }

private:
  static constexpr int kFingers = 10;
  struct Finger {
    bool down = false;
    int x = 0;
    int y = 0;
  };

  static float Fraction(int v, int size) { return size > 1 ? (float)v / (float)(size - 1) : 0.0f; }

  // A filled square of half-size r (logical pixels) centred on (x, y).
  static void Square(float x, float y, float r, float red, float green, float blue) {
    const GLfloat v[] = {x - r, y - r, x + r, y - r, x - r, y + r, x + r, y + r};
    glColor4f(red, green, blue, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, v);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glDisableClientState(GL_VERTEX_ARRAY);
  }

  bool m_bTouched = false;
  bool m_bHeld = false;
  int m_nTouchX = 0;
  int m_nTouchY = 0;
  Finger m_Fingers[kFingers];
};

} // namespace

CGameBase* CreateGameObject() { return new CDemoGame(); }
