// Parsing of the host's options (--name value or --name=value).
#include "host_options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

bool ToLong(const std::string& text, long lo, long hi, long* out) {
  if (text.empty() || text[0] == '+' || text[0] == ' ') return false;
  errno = 0;
  char* end = nullptr;
  long long v = strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
  *out = (long)v;
  return true;
}

} // namespace

const char* HostUsage() {
  return "Usage: sprocklet [options]\n"
         "  --headless            render off-screen (no display needed); input from --journal;\n"
         "                        without an end (--frames, a journal's nav exit) 60 frames a\n"
         "                        second until SIGINT or SIGTERM\n"
         "  --display WxH         display size in pixels (default 1024x600)\n"
         "  --orientation ANGLE   orientation the navigator reports: 0, 90, 180 or 270 (default 0)\n"
         "  --frames N            exit after frame N\n"
         "  --journal FILE        replay the platform events of FILE (docs/journal.md)\n"
         "  --record FILE         write the input the run was fed to FILE as a journal\n"
         "  --shot N:FILE.png     write frame N as a PNG (repeatable)\n"
         "  --root DIR            runtime root to run in (default: the per-user data directory)\n"
         "  --seed N              fix the random seed\n"
         "  --audio OUT           sound output: sdl, none or wav:FILE (default sdl, none headless)\n"
         "  --level N             start straight into level N (0..399) after the start-up\n"
         "  --character C         with character C (0..7; default 0); needs --level\n"
         "  --developer           run the developer build (levels read from data/, the editor)\n"
         "  --data DIR            directory holding the asset pack _game_bb.pak (default: the\n"
         "                        build's or installation's own)\n"
         "  --help                show this text\n";
}

bool ParseHostOptions(int argc, const char* const* argv, HostOptions* o, std::string* error) {
  *o = HostOptions();
  auto fail = [&](const std::string& why) {
    *error = why;
    return false;
  };
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::string name = arg, value;
    bool inlineValue = false;
    size_t eq = arg.find('=');
    if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      inlineValue = true;
    }
    bool flag = name == "--headless" || name == "--help" || name == "--developer";
    bool known = flag || name == "--display" || name == "--orientation" || name == "--frames" ||
                 name == "--journal" || name == "--record" || name == "--shot" || name == "--root" ||
                 name == "--seed" || name == "--audio" || name == "--level" || name == "--character" ||
                 name == "--data";
    if (!known) {
      if (arg.rfind("-", 0) == 0) return fail("unknown option '" + name + "'");
      return fail("unexpected argument '" + arg + "'");
    }
    if (flag) {
      if (inlineValue) return fail(name + " takes no value");
      if (name == "--headless")
        o->headless = true;
      else if (name == "--developer")
        o->developer = true;
      else
        o->help = true;
      continue;
    }
    if (!inlineValue) {
      if (i + 1 >= argc) return fail(name + " needs a value");
      value = argv[++i];
    }
    long n = 0;
    if (name == "--display") {
      size_t x = value.find('x');
      long w = 0, h = 0;
      if (x == std::string::npos || !ToLong(value.substr(0, x), 1, 16384, &w) ||
          !ToLong(value.substr(x + 1), 1, 16384, &h))
        return fail("--display needs WxH with both sizes in 1..16384, not '" + value + "'");
      o->displayWidth = (int)w;
      o->displayHeight = (int)h;
    } else if (name == "--orientation") {
      if (!ToLong(value, 0, 270, &n) || n % 90 != 0)
        return fail("--orientation needs 0, 90, 180 or 270, not '" + value + "'");
      o->orientation = (int)n;
    } else if (name == "--frames") {
      if (!ToLong(value, 1, INT_MAX, &n))
        return fail("--frames needs a positive number, not '" + value + "'");
      o->frames = (int)n;
    } else if (name == "--shot") {
      size_t colon = value.find(':');
      if (colon == std::string::npos || !ToLong(value.substr(0, colon), 0, INT_MAX, &n) ||
          colon + 1 >= value.size())
        return fail("--shot needs FRAME:FILE.png, not '" + value + "'");
      o->shots.emplace_back((int)n, value.substr(colon + 1));
    } else if (name == "--seed") {
      if (!ToLong(value, 0, (long)UINT_MAX, &n))
        return fail("--seed needs a number 0..4294967295, not '" + value + "'");
      o->hasSeed = true;
      o->seed = (unsigned)n;
    } else if (name == "--audio") {
      if (value != "sdl" && value != "none" && (value.rfind("wav:", 0) != 0 || value.size() == 4))
        return fail("--audio needs sdl, none or wav:FILE, not '" + value + "'");
      o->audio = value.substr(0, 3) == "wav" ? "wav" : value;
      o->audioFile = o->audio == "wav" ? value.substr(4) : std::string();
    } else if (name == "--level") {
      if (!ToLong(value, 0, 399, &n)) return fail("--level needs a level number 0..399, not '" + value + "'");
      o->level = (int)n;
    } else if (name == "--character") {
      if (!ToLong(value, 0, 7, &n)) return fail("--character needs a character 0..7, not '" + value + "'");
      o->character = (int)n;
    } else if (value.empty()) {
      return fail(name + " needs a non-empty value");
    } else if (name == "--journal") {
      o->journal = value;
    } else if (name == "--record") {
      o->record = value;
    } else if (name == "--data") {
      o->data = value;
    } else {
      o->root = value;
    }
  }
  if (o->character >= 0 && o->level < 0) return fail("--character needs --level");
  return true;
}
