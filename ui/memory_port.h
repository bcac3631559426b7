#pragma once
// A dialog held in memory: the command-line tool replays actions on it, and the
// tests watch what the actions do to it.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ui/dialog_port.h"

namespace cog {

class MemoryPort : public DialogPort {
 public:
  // Starts as the dialog does: the target box holds "0.12345", the result boxes
  // are empty, both check boxes are clear, no colours are recorded.
  MemoryPort();

  std::string ItemText(int id) override;
  void SetItemText(int id, const std::string& text) override;
  int CheckState(int id) override;
  void SetControlColors(int id, std::int32_t text, std::int32_t background) override;
  void ShowMessage(const std::string& text, const std::string& caption) override;

  void SetCheckState(int id, int state) { checks_[id] = state; }
  // {text, background}; {kDefaultColor, kDefaultColor} when never set.
  std::pair<std::int32_t, std::int32_t> Colors(int id) const;
  struct Message {
    std::string text;
    std::string caption;
  };
  const std::vector<Message>& messages() const { return messages_; }

 private:
  std::map<int, std::string> texts_;
  std::map<int, int> checks_;
  std::map<int, std::pair<std::int32_t, std::int32_t>> colors_;
  std::vector<Message> messages_;
};

}  // namespace cog
