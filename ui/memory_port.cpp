#include "ui/memory_port.h"

#include "ui/dialog_ids.h"

namespace cog {

MemoryPort::MemoryPort() { texts_[IDC_TARGET_RATIO] = "0.12345"; }

std::string MemoryPort::ItemText(int id) {
  const auto it = texts_.find(id);
  return it == texts_.end() ? std::string() : it->second;
}

void MemoryPort::SetItemText(int id, const std::string& text) { texts_[id] = text; }

int MemoryPort::CheckState(int id) {
  const auto it = checks_.find(id);
  return it == checks_.end() ? 0 : it->second;
}

void MemoryPort::SetControlColors(int id, std::int32_t text, std::int32_t background) {
  // Only the colour's low 24 bits count.
  auto cut = [](std::int32_t c) { return c == kDefaultColor ? c : (c & 0xFFFFFF); };
  colors_[id] = {cut(text), cut(background)};
}

void MemoryPort::ShowMessage(const std::string& text, const std::string& caption) {
  messages_.push_back({text, caption});
}

std::pair<std::int32_t, std::int32_t> MemoryPort::Colors(int id) const {
  const auto it = colors_.find(id);
  return it == colors_.end() ? std::make_pair(kDefaultColor, kDefaultColor) : it->second;
}

}  // namespace cog
