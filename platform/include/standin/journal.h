// The journal: platform input as text, one event a line, each tagged with the frame at which it
// is delivered. Replayed by both backends and recorded from desktop sessions (docs/journal.md).
#pragma once

#include <string>
#include <vector>

namespace standin {

struct JournalEvent {
  enum class Kind {
    Touch,
    Tilt,
    NavExit,
    NavWindow,
    NavSwipeDown,
    KeyBack,
    NavOrientation,
    StorePurchase,
    StoreRestore
  };
  enum class Outcome { Success, Cancel, Error };

  int frame = 0;
  Kind kind = Kind::NavExit;
  // Touch: SCREEN_EVENT_MTOUCH_TOUCH / _MOVE / _RELEASE, touch id, display pixels.
  int touchType = 0;
  int touchId = 0;
  int x = 0;
  int y = 0;
  // Tilt: accelerometer reading.
  float tilt[3] = {0, 0, 0};
  // NavWindow: window state; NavOrientation: angle.
  int value = 0;
  // StorePurchase / StoreRestore: how the store answers the requests that follow.
  Outcome outcome = Outcome::Success;
  int delayFrames = 0;
  int errorId = 0;
  std::string errorText;
};

enum class LineResult { Event, Blank, Malformed };

// Parses one line. A blank or comment line gives Blank; a malformed one gives Malformed with the
// reason in *error.
LineResult ParseJournalLine(const std::string& line, JournalEvent* event, std::string* error);

// Parses a whole journal text. On a malformed line (or a frame number lower than the line
// before) answers false with its 1-based number in *badLine and the reason in *error.
bool ParseJournal(const std::string& text, std::vector<JournalEvent>* events, int* badLine,
                  std::string* error);

// Reads and parses a journal file; on failure *error is one line naming the file and line.
bool LoadJournal(const std::string& path, std::vector<JournalEvent>* events, std::string* error);

// One journal line (without newline) that parses back to the same event.
std::string FormatJournalEvent(const JournalEvent& event);

} // namespace standin
