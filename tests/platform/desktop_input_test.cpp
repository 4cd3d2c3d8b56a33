// The desktop backend's input, in-process on a private Xvfb server: mouse, keys and window events
// become platform events and are recorded as a journal that parses back to the same events.
#include <gtest/gtest.h>

#include "temp_dir.h"

#include <SDL.h>
#include <bps/navigator.h>
#include <bps/screen.h>
#include <bps/sensor.h>
#include <standin/standin.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// An Xvfb server on a free display number, made the DISPLAY while it lives. Other tests start
// servers at the same time, so a number that turns out taken is given up for the next one.
class Xvfb {
public:
  Xvfb() {
    for (int attempt = 0; attempt < 8 && !m_ok; ++attempt) {
      int number = 100 + (int)((getpid() * 13 + attempt * 37) % 800);
      std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
      std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
      if (access(lock.c_str(), F_OK) == 0 || access(socket.c_str(), F_OK) == 0) continue;
      std::string display = ":" + std::to_string(number);
      m_pid = fork();
      if (m_pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "1280x800x24", "-nolisten", "tcp",
               (char*)nullptr);
        _exit(127);
      }
      for (int wait = 0; wait < 100 && m_pid > 0; ++wait) {
        if (access(socket.c_str(), F_OK) == 0) {
          m_ok = true;
          break;
        }
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) m_pid = -1; // lost the race for this number
        usleep(50000);
      }
      if (m_ok) {
        const char* old = getenv("DISPLAY");
        if (old) m_previous = old;
        setenv("DISPLAY", display.c_str(), 1);
      } else if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
      }
    }
  }
  ~Xvfb() {
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
    if (!m_ok) return;
    if (m_previous.empty())
      unsetenv("DISPLAY");
    else
      setenv("DISPLAY", m_previous.c_str(), 1);
  }
  bool ok() const { return m_ok; }

private:
  pid_t m_pid = -1;
  bool m_ok = false;
  std::string m_previous;
};

void Push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1) << SDL_GetError(); }

SDL_Event Mouse(Uint32 type, int x, int y) {
  SDL_Event e = {};
  e.type = type;
  if (type == SDL_MOUSEMOTION) {
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = SDL_BUTTON_LMASK;
  } else {
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
  }
  return e;
}

SDL_Event Key(Uint32 type, SDL_Keycode key) {
  SDL_Event e = {};
  e.type = type;
  e.key.keysym.sym = key;
  return e;
}

SDL_Event Window(Uint8 what) {
  SDL_Event e = {};
  e.type = SDL_WINDOWEVENT;
  e.window.event = what;
  return e;
}

// Takes every pending event of this frame; answers them as journal-like text.
std::vector<std::string> Drain() {
  std::vector<std::string> out;
  for (;;) {
    bps_event_t* event = nullptr;
    EXPECT_EQ(bps_get_event(&event, 0), BPS_SUCCESS);
    if (!event) return out;
    int domain = bps_event_get_domain(event);
    if (domain == screen_get_domain()) {
      screen_event_t se = screen_event_get_event(event);
      int type = 0, pos[2] = {0, 0}, id = -1;
      screen_get_event_property_iv(se, SCREEN_PROPERTY_TYPE, &type);
      screen_get_event_property_iv(se, SCREEN_PROPERTY_SOURCE_POSITION, pos);
      screen_get_event_property_iv(se, SCREEN_PROPERTY_TOUCH_ID, &id);
      out.push_back("screen " + std::to_string(type) + " " + std::to_string(id) + " " +
                    std::to_string(pos[0]) + " " + std::to_string(pos[1]));
    } else if (domain == navigator_get_domain()) {
      out.push_back("navigator " + std::to_string(bps_event_get_code(event)) + " " +
                    std::to_string(navigator_event_get_window_state(event)));
    } else if (domain == sensor_get_domain()) {
      float x, y, z;
      sensor_event_get_xyz(event, &x, &y, &z);
      out.push_back("sensor " + std::to_string(x) + " " + std::to_string(y));
    }
  }
}

// The lines of `all` that are in `wanted`, in order: the window manager may add focus events.
std::vector<std::string> Only(const std::vector<std::string>& all, const std::vector<std::string>& wanted) {
  std::vector<std::string> out;
  for (const std::string& s : all)
    for (const std::string& w : wanted)
      if (s == w) out.push_back(s);
  return out;
}

TEST(DesktopInputTest, MouseKeysAndWindowBecomePlatformEventsAndARecordedJournal) {
  if (system("command -v Xvfb >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "Xvfb is missing (scripts/install-deps.sh installs xvfb): desktop input not run";
  ScopedTempDir dir;
  ASSERT_TRUE(dir.ok());
  Xvfb server;
  ASSERT_TRUE(server.ok());

  standin::Config config;
  config.backend = standin::Backend::Desktop;
  config.recordPath = dir.path() + "/rec.txt";
  standin::Configure(config);
  screen_context_t ctx = nullptr;
  ASSERT_EQ(screen_create_context(&ctx, 0), 0);
  bps_initialize();
  screen_request_events(ctx);
  navigator_request_events(0);
  sensor_request_events(SENSOR_TYPE_ACCELEROMETER);
  screen_window_t window = nullptr;
  ASSERT_EQ(screen_create_window(&window, ctx), 0);
  ASSERT_EQ(screen_create_window_buffers(window, 2), 0);
  // Let the server's own events for the new window (exposure, focus, pointer) pass first.
  for (int i = 0; i < 5; ++i) {
    SDL_Delay(20);
    Drain();
  }

  int first = standin::CurrentFrame() + 1; // the next poll begins the next frame
  Push(Mouse(SDL_MOUSEBUTTONDOWN, 100, 50));
  std::vector<std::string> frame1 = Drain();
  Push(Mouse(SDL_MOUSEMOTION, 200, 60));
  Push(Mouse(SDL_MOUSEBUTTONUP, 200, 60));
  Push(Key(SDL_KEYDOWN, SDLK_LEFT));
  std::vector<std::string> frame2 = Drain();
  Push(Key(SDL_KEYUP, SDLK_LEFT));
  Push(Key(SDL_KEYDOWN, SDLK_ESCAPE));
  Push(Window(SDL_WINDOWEVENT_MINIMIZED));
  Push(Window(SDL_WINDOWEVENT_RESTORED));
  Push(Window(SDL_WINDOWEVENT_CLOSE));
  SDL_Event quit = {};
  quit.type = SDL_QUIT;
  Push(quit);
  std::vector<std::string> frame3 = Drain();

  EXPECT_EQ(frame1, std::vector<std::string>{"screen 100 0 100 50"});
  EXPECT_EQ(frame2, (std::vector<std::string>{"screen 101 0 200 60", "screen 102 0 200 60",
                                              "sensor 0.500000 0.000000"}));
  std::vector<std::string> wanted = {"sensor 0.000000 0.000000", "navigator 4 0", "navigator 3 2",
                                     "navigator 3 0", "navigator 2 0"};
  EXPECT_EQ(Only(frame3, wanted), wanted);
  EXPECT_EQ(std::count(frame3.begin(), frame3.end(), "navigator 2 0"), 1); // one exit for close and quit

  screen_destroy_window(window);
  bps_shutdown();
  screen_destroy_context(ctx);

  std::vector<standin::JournalEvent> recorded;
  std::string error;
  ASSERT_TRUE(standin::LoadJournal(config.recordPath, &recorded, &error)) << error;
  std::vector<std::string> lines;
  for (const standin::JournalEvent& e : recorded)
    lines.push_back(standin::FormatJournalEvent(e));
  // Frame numbers count from the frame in which the mouse went down.
  auto at = [&](int frame, const char* event) { return std::to_string(first + frame) + " " + event; };
  std::vector<std::string> expected = {
      at(0, "touch down 0 100 50"), at(1, "touch move 0 200 60"), at(1, "touch up 0 200 60"),
      at(1, "tilt 0.5 0 0"),        at(2, "tilt 0 0 0"),          at(2, "nav swipedown"),
      at(2, "nav window 2"),        at(2, "nav window 0"),        at(2, "nav exit")};
  EXPECT_EQ(Only(lines, expected), expected);
}

} // namespace
