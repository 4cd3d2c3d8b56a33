// Shared set-up of the widget tests: an application object at 60 frames per second that records
// the messages reaching it, templates parsed from text, and template files in its UI directory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "files.h"
#include "template_reader.h"
#include "test_application.h"
#include "xroot.h"

class WidgetApp : public CTestApplication {
public:
  struct Message {
    CXElement* sender;
    int code;
    std::string text; // p1 as a name text
  };

  WidgetApp() {
    m_nFps = 60;
    m_bUsePacks = 0; // templates come from the disk
  }
  int OnMessage(CXElement* sender, int message, intptr_t p1, intptr_t) override {
    const char* text = XMessageText(p1);
    messages.push_back({sender, message, text ? text : ""});
    return 0;
  }
  // The messages with that code, in order.
  std::vector<Message> Received(int code) const {
    std::vector<Message> out;
    for (const Message& m : messages)
      if (m.code == code) out.push_back(m);
    return out;
  }

  std::vector<Message> messages;
};

// A template read from text through the reader, as a file would be.
inline std::unique_ptr<TTemplate> ParseTemplate(const std::string& text) {
  CMemoryFile file;
  void* copy = malloc(text.size() + 1);
  memcpy(copy, text.data(), text.size());
  file.Attach(copy, (int)text.size());
  CTemplateReader reader;
  reader.currentTemplate = new TTemplate();
  reader.ReadTemplate(&file);
  return std::unique_ptr<TTemplate>(reader.currentTemplate);
}

// Writes a file of the application's UI directory (relative to the working directory).
inline void WriteUiFile(const std::string& name, const std::string& text) {
  std::filesystem::create_directories("ui/ui_iphone");
  std::ofstream("ui/ui_iphone/" + name, std::ios::binary) << text;
}

inline void Steps(CXElement* element, int n) {
  for (int i = 0; i < n; i++)
    element->RunProcess();
}
