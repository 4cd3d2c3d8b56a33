// Journal text: parsing, whole-file loading and formatting of platform input events.
#include "standin/journal.h"

#include <screen/screen.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

namespace standin {
namespace {

bool ToInt(const std::string& token, long lo, long hi, int* out) {
  if (token.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long v = strtol(token.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
  *out = (int)v;
  return true;
}

bool ToFloat(const std::string& token, float* out) {
  if (token.empty()) return false;
  errno = 0;
  char* end = nullptr;
  float v = strtof(token.c_str(), &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(v)) return false;
  *out = v;
  return true;
}

std::vector<std::string> Tokens(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  std::string t;
  while (in >> t) {
    if (t[0] == '#') break;
    out.push_back(t);
  }
  return out;
}

LineResult Bad(std::string* error, const std::string& why) {
  if (error) *error = why;
  return LineResult::Malformed;
}

LineResult ParseStore(const std::vector<std::string>& t, JournalEvent* e, std::string* error) {
  // t: frame store purchase|restore success|cancel|error DELAY [ID [TEXT...]]
  if (t.size() < 5) return Bad(error, "store needs: purchase|restore success|cancel|error DELAY");
  if (t[2] == "purchase")
    e->kind = JournalEvent::Kind::StorePurchase;
  else if (t[2] == "restore")
    e->kind = JournalEvent::Kind::StoreRestore;
  else
    return Bad(error, "store answers 'purchase' or 'restore', not '" + t[2] + "'");
  if (!ToInt(t[4], 0, INT_MAX, &e->delayFrames)) return Bad(error, "bad delay '" + t[4] + "'");
  if (t[3] == "success" || t[3] == "cancel") {
    if (t.size() != 5) return Bad(error, "unexpected text after the delay");
    e->outcome = t[3] == "success" ? JournalEvent::Outcome::Success : JournalEvent::Outcome::Cancel;
    return LineResult::Event;
  }
  if (t[3] != "error") return Bad(error, "store outcome is success, cancel or error, not '" + t[3] + "'");
  if (t.size() < 6) return Bad(error, "store error needs an error id");
  e->outcome = JournalEvent::Outcome::Error;
  if (!ToInt(t[5], 0, INT_MAX, &e->errorId)) return Bad(error, "bad error id '" + t[5] + "'");
  for (size_t i = 6; i < t.size(); ++i)
    e->errorText += (i > 6 ? " " : "") + t[i];
  return LineResult::Event;
}

// Why the bytes of a line are no journal text, or empty: a journal is UTF-8 text without control
// characters other than tabs (and a carriage return before the line feed).
std::string NotText(const std::string& line) {
  char hex[8];
  for (size_t i = 0; i < line.size(); ++i) {
    unsigned char c = (unsigned char)line[i];
    if (c == 0) return "a NUL byte: a journal is text";
    if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F) {
      snprintf(hex, sizeof hex, "0x%02X", c);
      return std::string("the control byte ") + hex + ": a journal is text";
    }
    if (c < 0x80) continue;
    // One UTF-8 sequence: its lead byte says how many continuation bytes follow.
    int more = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
    if (more < 0 || c == 0xC0 || c == 0xC1 || c > 0xF4) return "bytes that are not UTF-8 text";
    for (int k = 1; k <= more; ++k)
      if (i + k >= line.size() || ((unsigned char)line[i + k] & 0xC0) != 0x80)
        return "bytes that are not UTF-8 text";
    i += (size_t)more;
  }
  return std::string();
}

} // namespace

LineResult ParseJournalLine(const std::string& line, JournalEvent* event, std::string* error) {
  std::string garbage = NotText(line);
  if (!garbage.empty()) return Bad(error, "the line holds " + garbage);
  std::vector<std::string> t = Tokens(line);
  if (t.empty()) return LineResult::Blank;
  JournalEvent e;
  if (!ToInt(t[0], 0, INT_MAX, &e.frame)) return Bad(error, "bad frame number '" + t[0] + "'");
  if (t.size() < 2) return Bad(error, "missing service after the frame number");
  const std::string& service = t[1];
  if (service == "touch") {
    if (t.size() != 6) return Bad(error, "touch needs: down|move|up ID X Y");
    e.kind = JournalEvent::Kind::Touch;
    if (t[2] == "down")
      e.touchType = SCREEN_EVENT_MTOUCH_TOUCH;
    else if (t[2] == "move")
      e.touchType = SCREEN_EVENT_MTOUCH_MOVE;
    else if (t[2] == "up")
      e.touchType = SCREEN_EVENT_MTOUCH_RELEASE;
    else
      return Bad(error, "touch is down, move or up, not '" + t[2] + "'");
    if (!ToInt(t[3], 0, INT_MAX, &e.touchId)) return Bad(error, "bad touch id '" + t[3] + "'");
    if (!ToInt(t[4], INT_MIN, INT_MAX, &e.x) || !ToInt(t[5], INT_MIN, INT_MAX, &e.y))
      return Bad(error, "bad touch position");
  } else if (service == "tilt") {
    if (t.size() != 5) return Bad(error, "tilt needs: X Y Z");
    e.kind = JournalEvent::Kind::Tilt;
    for (int i = 0; i < 3; ++i)
      if (!ToFloat(t[2 + i], &e.tilt[i])) return Bad(error, "bad tilt value '" + t[2 + i] + "'");
  } else if (service == "key") {
    if (t.size() != 3 || t[2] != "back") return Bad(error, "key needs: back");
    e.kind = JournalEvent::Kind::KeyBack;
  } else if (service == "nav") {
    if (t.size() < 3) return Bad(error, "nav needs: exit|window STATE|swipedown|orientation ANGLE");
    const std::string& what = t[2];
    if (what == "exit" || what == "swipedown") {
      if (t.size() != 3) return Bad(error, "unexpected text after 'nav " + what + "'");
      e.kind = what == "exit" ? JournalEvent::Kind::NavExit : JournalEvent::Kind::NavSwipeDown;
    } else if (what == "window") {
      if (t.size() != 4 || !ToInt(t[3], 0, 2, &e.value))
        return Bad(error, "nav window needs a state 0, 1 or 2");
      e.kind = JournalEvent::Kind::NavWindow;
    } else if (what == "orientation") {
      if (t.size() != 4 || !ToInt(t[3], 0, 270, &e.value) || e.value % 90 != 0)
        return Bad(error, "nav orientation needs an angle 0, 90, 180 or 270");
      e.kind = JournalEvent::Kind::NavOrientation;
    } else {
      return Bad(error, "unknown navigator event '" + what + "'");
    }
  } else if (service == "store") {
    LineResult r = ParseStore(t, &e, error);
    if (r != LineResult::Event) return r;
  } else {
    return Bad(error, "unknown service '" + service + "'");
  }
  if (event) *event = e;
  return LineResult::Event;
}

bool ParseJournal(const std::string& text, std::vector<JournalEvent>* events, int* badLine,
                  std::string* error) {
  events->clear();
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    JournalEvent e;
    LineResult r = ParseJournalLine(line, &e, error);
    if (r == LineResult::Blank) continue;
    if (r == LineResult::Event && !events->empty() && e.frame < events->back().frame) {
      if (error)
        *error =
            "frame " + std::to_string(e.frame) + " comes after frame " + std::to_string(events->back().frame);
      r = LineResult::Malformed;
    }
    if (r == LineResult::Malformed) {
      if (badLine) *badLine = number;
      return false;
    }
    events->push_back(e);
  }
  return true;
}

bool LoadJournal(const std::string& path, std::vector<JournalEvent>* events, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = "cannot read journal " + path + ": " + why;
    return false;
  };
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return fail(strerror(errno));
  if (S_ISDIR(st.st_mode)) return fail("it is a directory, not a file");
  if (!S_ISREG(st.st_mode)) return fail("it is not a regular file");
  std::ifstream file(path, std::ios::binary);
  if (!file) return fail(strerror(errno));
  std::stringstream text;
  text << file.rdbuf();
  if (file.bad()) return fail("a read failed");
  int line = 0;
  std::string why;
  if (ParseJournal(text.str(), events, &line, &why)) return true;
  if (error) *error = path + ":" + std::to_string(line) + ": " + why;
  return false;
}

std::string FormatJournalEvent(const JournalEvent& e) {
  std::string out = std::to_string(e.frame) + " ";
  char buf[96];
  switch (e.kind) {
  case JournalEvent::Kind::Touch: {
    const char* type = e.touchType == SCREEN_EVENT_MTOUCH_TOUCH  ? "down"
                       : e.touchType == SCREEN_EVENT_MTOUCH_MOVE ? "move"
                                                                 : "up";
    snprintf(buf, sizeof buf, "touch %s %d %d %d", type, e.touchId, e.x, e.y);
    return out + buf;
  }
  case JournalEvent::Kind::Tilt:
    snprintf(buf, sizeof buf, "tilt %.9g %.9g %.9g", e.tilt[0], e.tilt[1], e.tilt[2]);
    return out + buf;
  case JournalEvent::Kind::NavExit:
    return out + "nav exit";
  case JournalEvent::Kind::NavWindow:
    return out + "nav window " + std::to_string(e.value);
  case JournalEvent::Kind::NavSwipeDown:
    return out + "nav swipedown";
  case JournalEvent::Kind::KeyBack:
    return out + "key back";
  case JournalEvent::Kind::NavOrientation:
    return out + "nav orientation " + std::to_string(e.value);
  case JournalEvent::Kind::StorePurchase:
  case JournalEvent::Kind::StoreRestore: {
    out += e.kind == JournalEvent::Kind::StorePurchase ? "store purchase " : "store restore ";
    const char* outcome = e.outcome == JournalEvent::Outcome::Success  ? "success"
                          : e.outcome == JournalEvent::Outcome::Cancel ? "cancel"
                                                                       : "error";
    out += std::string(outcome) + " " + std::to_string(e.delayFrames);
    if (e.outcome == JournalEvent::Outcome::Error) {
      out += " " + std::to_string(e.errorId);
      if (!e.errorText.empty()) out += " " + e.errorText;
    }
    return out;
  }
  }
  return out;
}

} // namespace standin
