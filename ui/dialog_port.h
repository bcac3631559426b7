#pragma once
// What the dialog's actions need from a dialog. The Win32 shell implements it
// over the real controls; the command-line tool and the tests over memory.

#include <cstdint>
#include <string>

namespace cog {

// Colours are 0x00BBGGRR (red in the low byte, the top byte 0); kDefaultColor
// means the platform's own colour for the control.
inline constexpr std::int32_t kDefaultColor = -1;
inline constexpr std::int32_t kBlack = 0x000000;
inline constexpr std::int32_t kGreyColor = 0xC0C0C0;  // background of a 1:1 pair

class DialogPort {
 public:
  virtual ~DialogPort() = default;

  // The item's window text; "" when there is no such item.
  virtual std::string ItemText(int id) = 0;
  virtual void SetItemText(int id, const std::string& text) = 0;
  // 1 when checked, 0 otherwise (also for a missing item).
  virtual int CheckState(int id) = 0;
  // Records the colours the item paints with from its next repaint on; does not
  // repaint by itself.
  virtual void SetControlColors(int id, std::int32_t text, std::int32_t background) = 0;
  // A task-modal box with one OK button and no icon; returns once it is closed.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
};

}  // namespace cog
