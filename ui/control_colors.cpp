#include "ui/control_colors.h"

#include "ui/dialog_port.h"

namespace cog {
namespace {

std::int32_t Normalised(std::int32_t color) {
  return color == kDefaultColor ? color : (color & 0x00FFFFFF);
}

}  // namespace

void ControlColors::Set(ControlKey control, std::int32_t text, std::int32_t background) {
  text = Normalised(text);
  background = Normalised(background);
  const BrushHandle brush = AcquireBrush(background);

  auto [it, inserted] = records_.try_emplace(control, ControlColorRecord{text, background, brush});
  if (!inserted) {
    const ControlColorRecord previous = it->second;
    it->second = ControlColorRecord{text, background, brush};
    ReleaseBrush(previous);
  }
}

const ControlColorRecord* ControlColors::Find(ControlKey control) const {
  const auto it = records_.find(control);
  return it == records_.end() ? nullptr : &it->second;
}

void ControlColors::Forget(ControlKey control) {
  const auto it = records_.find(control);
  if (it == records_.end()) return;
  const ControlColorRecord previous = it->second;
  records_.erase(it);
  ReleaseBrush(previous);
}

void ControlColors::Clear() {
  records_.clear();
  for (const auto& [color, shared] : brushes_by_color_) brushes_.DeleteBrush(shared.handle);
  brushes_by_color_.clear();
}

BrushHandle ControlColors::AcquireBrush(std::int32_t background) {
  if (background == kDefaultColor) return 0;
  const auto it = brushes_by_color_.find(background);
  if (it != brushes_by_color_.end()) {
    ++it->second.users;
    return it->second.handle;
  }
  const BrushHandle created = brushes_.CreateBrush(background);
  // Without a brush there is nothing to share; the next user of the colour
  // tries again.
  if (created != 0) brushes_by_color_.emplace(background, SharedBrush{created, 1});
  return created;
}

void ControlColors::ReleaseBrush(const ControlColorRecord& record) {
  // A record without a brush never counted as a user of the shared one.
  if (record.brush == 0) return;
  const auto it = brushes_by_color_.find(record.background);
  if (it == brushes_by_color_.end()) return;
  if (--it->second.users > 0) return;
  brushes_.DeleteBrush(it->second.handle);
  brushes_by_color_.erase(it);
}

}  // namespace cog
