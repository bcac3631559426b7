#pragma once
// The text and background colours that individual controls paint with, and the
// solid brushes behind the backgrounds. Controls with the same background share
// one brush; a brush is deleted as soon as no control uses its colour.

#include <cstddef>
#include <cstdint>
#include <map>

namespace cog {

// Opaque handles of the platform: a brush, and the control a record belongs to
// (its window handle). 0 is "none".
using BrushHandle = std::uintptr_t;
using ControlKey = std::uintptr_t;

// Where brushes come from: each shell makes and frees them with its platform's
// drawing calls.
class BrushSource {
 public:
  virtual ~BrushSource() = default;
  // A solid brush of `color` (0x00BBGGRR), or 0 when none can be made.
  virtual BrushHandle CreateBrush(std::int32_t color) = 0;
  virtual void DeleteBrush(BrushHandle brush) = 0;
};

struct ControlColorRecord {
  std::int32_t text;        // kDefaultColor (-1) or 0x00BBGGRR
  std::int32_t background;  // kDefaultColor (-1) or 0x00BBGGRR
  BrushHandle brush;        // 0 for the default background or when none could be made
};

class ControlColors {
 public:
  // `brushes` must outlive this object.
  explicit ControlColors(BrushSource& brushes) : brushes_(brushes) {}
  ControlColors(const ControlColors&) = delete;
  ControlColors& operator=(const ControlColors&) = delete;
  // Deletes every brush still held.
  ~ControlColors() { Clear(); }

  // Records the two colours of `control`; a value other than -1 keeps only its
  // low 24 bits. The new background's brush is taken (shared or created)
  // before the old one is given up, so a control that keeps its colour never
  // makes its brush be deleted and created again.
  void Set(ControlKey control, std::int32_t text, std::int32_t background);

  // The record of `control`, or nullptr when its colours were never set (or it
  // was forgotten since). Valid until the next change to this object.
  const ControlColorRecord* Find(ControlKey control) const;

  // The control is gone: drops its record and gives up its brush.
  void Forget(ControlKey control);

  // Drops every record and deletes every brush.
  void Clear();

  std::size_t BrushCount() const { return brushes_by_color_.size(); }

 private:
  struct SharedBrush {
    BrushHandle handle;
    int users;
  };

  BrushHandle AcquireBrush(std::int32_t background);
  void ReleaseBrush(const ControlColorRecord& record);

  BrushSource& brushes_;
  std::map<ControlKey, ControlColorRecord> records_;
  std::map<std::int32_t, SharedBrush> brushes_by_color_;
};

}  // namespace cog
