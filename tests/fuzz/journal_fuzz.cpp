// Fuzzes the journal parser: any text parses or is refused with a line number, never crashes,
// and whatever parses formats back to lines that parse the same.
#include <standin/journal.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<standin::JournalEvent> events;
  int line = 0;
  std::string error;
  if (!standin::ParseJournal(text, &events, &line, &error)) {
    if (line < 1 || error.empty()) abort();
    return 0;
  }
  std::string again;
  for (const standin::JournalEvent& e : events)
    again += standin::FormatJournalEvent(e) + "\n";
  std::vector<standin::JournalEvent> reparsed;
  if (!standin::ParseJournal(again, &reparsed, &line, &error) || reparsed.size() != events.size()) abort();
  for (size_t i = 0; i < events.size(); ++i)
    if (standin::FormatJournalEvent(reparsed[i]) != standin::FormatJournalEvent(events[i])) abort();
  return 0;
}
