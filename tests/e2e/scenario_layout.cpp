// The main dialog as it stands right after start-up: nothing has been clicked,
// so every style is the one the program gave and nothing has moved the focus.

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/dialog_table.h"
#include "tests/e2e/font_probe.h"
#include "tests/e2e/program_run.h"
#include "tests/e2e/reference_dialog.h"
#include "tests/e2e/remote_dialog.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/text_format.h"
#include "tests/e2e/window_find.h"

namespace cog::e2e {
namespace {

// The dialog base units, in pixels per 4 horizontal and 8 vertical dialog units.
struct BaseUnits {
  int x;
  int y;
};

RECT ToPixels(const BaseUnits& base, int x, int y, int width, int height) {
  return {MulDiv(x, base.x, 4), MulDiv(y, base.y, 8), MulDiv(x + width, base.x, 4),
          MulDiv(y + height, base.y, 8)};
}

std::string RectText(const RECT& r) {
  return "{" + Dec(r.left) + ", " + Dec(r.top) + ", " + Dec(r.right) + ", " + Dec(r.bottom) + "}";
}

std::string UpperClassName(HWND window) {
  char name[64];
  const int length = GetClassNameA(window, name, sizeof name);
  std::string upper(name, length > 0 ? length : 0);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  return upper;
}

// Another process's dialog cannot be asked with MapDialogRect; the client size
// is a whole number of base units, so they follow from it.
BaseUnits DeriveBaseUnits(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  return {(client.right * 4 + kDialogWidth / 2) / kDialogWidth,
          (client.bottom * 8 + kDialogHeight / 2) / kDialogHeight};
}

void CheckFrame(CheckLog& log, HWND dialog, const ReferenceDialog& reference,
                const BaseUnits& base) {
  log.Equal("title", kDialogTitle, WindowTitle(dialog));
  log.True("no owner", GetWindow(dialog, GW_OWNER) == nullptr);
  log.EqualHex("dialog style", reference.dialog.style | WS_VISIBLE,
               static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)));
  log.EqualHex("dialog extended style", reference.dialog.ex_style,
               static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
  // 8-point MS Sans Serif at 96 dpi; anything else means the face fell back.
  log.Equal("horizontal base unit", 6, base.x);
  log.Equal("vertical base unit", 13, base.y);
  log.Equal("horizontal base unit of the reference", reference.base_units.right, base.x);
  log.Equal("vertical base unit of the reference", reference.base_units.bottom, base.y);

  RECT client{};
  GetClientRect(dialog, &client);
  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  const RECT expected = ToPixels(base, kDialogX, kDialogY, kDialogWidth, kDialogHeight);
  const RECT actual{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
  log.Equal("client area on the screen", RectText(expected), RectText(actual));
}

void CheckControls(CheckLog& log, HWND dialog, const ReferenceDialog& reference,
                   const BaseUnits& base) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  const auto controls = MainDialogControls();
  log.Equal("number of controls", static_cast<long long>(controls.size()),
            static_cast<long long>(children.size()));

  for (size_t i = 0; i < controls.size(); ++i) {
    const ControlLayout& layout = controls[i];
    const std::string name = layout.name;
    if (i < children.size())
      log.Equal(name + ": ID at creation position " + Dec(static_cast<long long>(i + 1)), layout.id,
                GetDlgCtrlID(children[i]));
    HWND control = GetDlgItem(dialog, layout.id);
    if (!log.True(name + ": exists", control != nullptr)) continue;
    log.Equal(name + ": class", layout.class_name, UpperClassName(control));
    log.Equal(name + ": text", layout.text, ControlText(control));
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    log.Equal(name + ": rectangle",
              RectText(ToPixels(base, layout.x, layout.y, layout.width, layout.height)),
              RectText(r));
    if (i < reference.controls.size()) {
      log.EqualHex(name + ": style", reference.controls[i].style,
                   static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)));
      log.EqualHex(name + ": extended style", reference.controls[i].ex_style,
                   static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE)));
    }
  }
  log.Equal("check state of IDC_SINGLE_ONLY at start", BST_UNCHECKED,
            SendMessageA(GetDlgItem(dialog, IDC_SINGLE_ONLY), BM_GETCHECK, 0, 0));
  log.Equal("check state of IDC_EVEN_ONLY at start", BST_UNCHECKED,
            SendMessageA(GetDlgItem(dialog, IDC_EVEN_ONLY), BM_GETCHECK, 0, 0));
}

void CheckLogFont(CheckLog& log, const std::string& what, const LOGFONTA& expected,
                  const LOGFONTA& actual) {
  log.Equal(what + ": face", expected.lfFaceName, actual.lfFaceName);
  log.Equal(what + ": height", expected.lfHeight, actual.lfHeight);
  log.Equal(what + ": width", expected.lfWidth, actual.lfWidth);
  log.Equal(what + ": weight", expected.lfWeight, actual.lfWeight);
  log.Equal(what + ": escapement", expected.lfEscapement, actual.lfEscapement);
  log.Equal(what + ": orientation", expected.lfOrientation, actual.lfOrientation);
  log.Equal(what + ": italic", expected.lfItalic, actual.lfItalic);
  log.Equal(what + ": underline", expected.lfUnderline, actual.lfUnderline);
  log.Equal(what + ": strike-out", expected.lfStrikeOut, actual.lfStrikeOut);
  log.Equal(what + ": charset", expected.lfCharSet, actual.lfCharSet);
  log.Equal(what + ": output precision", expected.lfOutPrecision, actual.lfOutPrecision);
  log.Equal(what + ": clipping precision", expected.lfClipPrecision, actual.lfClipPrecision);
  log.Equal(what + ": quality", expected.lfQuality, actual.lfQuality);
  log.Equal(what + ": pitch and family", expected.lfPitchAndFamily, actual.lfPitchAndFamily);
}

LOGFONTA BoldFont(LONG height) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = kBoldWeight;
  lstrcpyA(font.lfFaceName, kDialogFontFace);
  return font;
}

void CheckFonts(CheckLog& log, HWND dialog, const std::string& hook_dll,
                const ReferenceDialog& reference) {
  std::string problem;
  const std::optional<FontReport> report = ProbeFonts(dialog, hook_dll, &problem);
  if (!report) {
    log.Fatal("read the fonts through the hook", problem);
    return;
  }
  log.Equal("LOGPIXELSY in the program", 96, report->logpixels_y);
  if (log.True("dialog font readable", report->dialog.has_logfont != 0))
    CheckLogFont(log, "dialog font", reference.dialog_font, report->dialog.logfont);

  const LOGFONTA gear = BoldFont(-13);   // 10 points at 96 dpi
  const LOGFONTA times = BoldFont(-19);  // 14 points
  DWORD gear_handle = 0;
  for (const ControlLayout& layout : MainDialogControls()) {
    const std::string name = layout.name;
    const FontRecord* record = FindFontRecord(*report, layout.id);
    if (!log.True(name + ": font reported", record != nullptr)) continue;
    if (layout.font == FontUse::kDialog) {
      log.EqualHex(name + ": uses the dialog font", report->dialog.font, record->font);
      continue;
    }
    log.True(name + ": has its own font", record->font != 0 && record->font != report->dialog.font);
    if (!log.True(name + ": font readable", record->has_logfont != 0)) continue;
    CheckLogFont(log, name + " font", layout.font == FontUse::kGear ? gear : times,
                 record->logfont);
    if (layout.font == FontUse::kGear) {
      if (gear_handle == 0) gear_handle = record->font;
      log.EqualHex(name + ": shares the one GearFont", gear_handle, record->font);
    }
  }
}

// Both the dialog manager's own walk and real Tab presses.
void CheckTabOrder(CheckLog& log, HWND window) {
  std::string expected, walked, pressed;
  for (int id : kTabOrder) expected += Dec(id) + " ";
  expected += Dec(kTabOrder[0]);

  HWND control = GetDlgItem(window, kTabOrder[0]);
  walked = Dec(GetDlgCtrlID(control));
  for (size_t i = 0; i < std::size(kTabOrder); ++i) {
    control = GetNextDlgTabItem(window, control, FALSE);
    walked += " " + Dec(GetDlgCtrlID(control));
  }
  log.Equal("tab stops (GetNextDlgTabItem)", expected, walked);

  RemoteDialog dialog(window);
  if (!dialog.FocusItem(kTabOrder[0])) {
    log.Fatal("focus on the first tab stop",
              "focus stayed at " + Dec(GetDlgCtrlID(dialog.Focus())));
    return;
  }
  pressed = Dec(GetDlgCtrlID(dialog.Focus()));
  for (size_t i = 1; i <= std::size(kTabOrder); ++i) {
    HWND before = dialog.Focus();
    dialog.PressKey(VK_TAB);
    PollUntil([&] { return dialog.Focus() != before; }, kWindowTimeoutMs);
    pressed += " " + Dec(GetDlgCtrlID(dialog.Focus()));
  }
  log.Equal("tab stops (Tab key)", expected, pressed);
}

}  // namespace

void CheckLayout(const DriverPaths& paths, CheckLog& log) {
  const ReferenceDialog reference = BuildReferenceDialog();
  if (!reference.built) {
    log.Fatal("build the reference dialog", "CreateDialogIndirectParamA failed");
    return;
  }
  ProgramRun run(paths, "", log);
  HWND dialog = run.WaitForMainDialog();
  if (!dialog) return;
  const BaseUnits base = DeriveBaseUnits(dialog);
  CheckFrame(log, dialog, reference, base);
  CheckControls(log, dialog, reference, base);
  CheckFonts(log, dialog, paths.hook_dll, reference);
  CheckTabOrder(log, dialog);
  run.CloseAndCheckExit();
}

}  // namespace cog::e2e
