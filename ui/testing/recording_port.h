#pragma once
// A MemoryPort that also logs every call, so tests can check the order in which
// the actions read and write the dialog.

#include <string>
#include <vector>

#include "ui/memory_port.h"

namespace cog::testing {

class RecordingPort : public MemoryPort {
 public:
  std::string ItemText(int id) override {
    log.push_back("read " + std::to_string(id));
    return MemoryPort::ItemText(id);
  }
  void SetItemText(int id, const std::string& text) override {
    log.push_back("text " + std::to_string(id) + " " + text);
    MemoryPort::SetItemText(id, text);
  }
  int CheckState(int id) override {
    log.push_back("check " + std::to_string(id));
    return MemoryPort::CheckState(id);
  }
  void SetControlColors(int id, std::int32_t text, std::int32_t background) override {
    log.push_back("colors " + std::to_string(id) + " " + std::to_string(text) + " " +
                  std::to_string(background));
    MemoryPort::SetControlColors(id, text, background);
  }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    log.push_back("message " + caption);
    MemoryPort::ShowMessage(text, caption);
  }

  std::vector<std::string> log;
};

}  // namespace cog::testing
