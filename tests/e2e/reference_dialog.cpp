#include "tests/e2e/reference_dialog.h"

#include <cstring>

#include "tests/e2e/dialog_table.h"
#include "tests/e2e/win_handles.h"
#include "tests/e2e/window_find.h"

namespace cog::e2e {
namespace {

// DLGTEMPLATEEX has no declaration in the Windows headers: it is laid out here
// word by word.
class TemplateWriter {
 public:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Text(const char* ascii) {
    for (; *ascii; ++ascii) Word(static_cast<unsigned char>(*ascii));
    Word(0);
  }
  const void* data() const { return words_.data(); }

 private:
  std::vector<WORD> words_;
};

TemplateWriter MainDialogTemplate() {
  TemplateWriter t;
  t.Word(1);       // dlgVer
  t.Word(0xFFFF);  // signature
  t.Dword(0);      // helpID
  t.Dword(kDialogExStyle);
  t.Dword(kDialogStyle & ~WS_VISIBLE);  // created hidden, shown once filled
  t.Word(0);                            // no items: controls come from CreateWindowExA
  t.Word(kDialogX);
  t.Word(kDialogY);
  t.Word(kDialogWidth);
  t.Word(kDialogHeight);
  t.Word(0);  // no menu
  t.Word(0);  // standard dialog class
  t.Text(" ");
  t.Word(kDialogFontPoints);
  t.Word(FW_NORMAL);
  t.Word(0);  // italic 0, charset 0
  t.Text(kDialogFontFace);
  return t;
}

INT_PTR CALLBACK ReferenceProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

ReferenceDialog BuildReferenceDialog() {
  ReferenceDialog reference;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const TemplateWriter dialog_template = MainDialogTemplate();
  OwnWindow dialog(CreateDialogIndirectParamA(
      instance, static_cast<LPCDLGTEMPLATEA>(dialog_template.data()), nullptr, ReferenceProc, 0));
  if (!dialog) return reference;
  SetWindowTextA(dialog.get(), kDialogTitle);
  const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog.get(), WM_GETFONT, 0, 0));
  for (const ControlLayout& layout : MainDialogControls()) {
    RECT r{layout.x, layout.y, layout.x + layout.width, layout.y + layout.height};
    MapDialogRect(dialog.get(), &r);
    HWND control = CreateWindowExA(layout.ex_style, layout.class_name, layout.text, layout.style,
                                   r.left, r.top, r.right - r.left, r.bottom - r.top, dialog.get(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                                   instance, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  ShowWindow(dialog.get(), SW_SHOW);
  PumpMessages();

  reference.dialog = {static_cast<DWORD>(GetWindowLongA(dialog.get(), GWL_STYLE)),
                      static_cast<DWORD>(GetWindowLongA(dialog.get(), GWL_EXSTYLE))};
  for (const ControlLayout& layout : MainDialogControls()) {
    HWND control = GetDlgItem(dialog.get(), layout.id);
    reference.controls.push_back({static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)),
                                  static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE))});
  }
  reference.base_units = {0, 0, 4, 8};
  MapDialogRect(dialog.get(), &reference.base_units);
  if (font) GetObjectA(font, sizeof reference.dialog_font, &reference.dialog_font);
  reference.built = true;
  return reference;
}

}  // namespace cog::e2e
