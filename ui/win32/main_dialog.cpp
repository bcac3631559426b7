#include "ui/win32/main_dialog.h"

#include <vector>

#include "ui/control_colors.h"
#include "ui/dialog_layout.h"
#include "ui/win32/bold_font.h"
#include "ui/win32/control_color_answer.h"
#include "ui/win32/dialog_controls.h"
#include "ui/win32/dialog_template.h"
#include "ui/win32/gdi_brush_source.h"
#include "ui/win32/win32_port.h"

namespace cog {
namespace {

class MainDialog {
 public:
  MainDialog(HINSTANCE instance, DialogCallback& callback)
      : instance_(instance),
        callback_(callback),
        colors_(brushes_),
        gear_font_(GearFontSpec()),
        times_font_(TimesFontSpec()) {}
  MainDialog(const MainDialog&) = delete;
  MainDialog& operator=(const MainDialog&) = delete;
  ~MainDialog() {
    if (dialog_ != nullptr && IsWindow(dialog_)) DestroyWindow(dialog_);
    DeleteFonts();
  }

  // Creates the hidden dialog with its controls and fonts; false when the
  // dialog itself cannot be created.
  bool Build(HWND parent);

  // Initialises through the callback, shows the dialog and runs it until it
  // is destroyed. Returns the result it was ended with.
  int Run();

  // The gear font goes first. REQUIRES: the dialog is gone.
  void DeleteFonts() {
    gear_font_.Delete();
    times_font_.Delete();
  }

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR CallCallback(UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR DefaultHandling(UINT message, WPARAM wparam, LPARAM lparam);
  void EndWithResult(int result);
  void RunMessageLoop();

  HINSTANCE instance_;
  DialogCallback& callback_;
  HWND dialog_ = nullptr;
  GdiBrushSource brushes_;  // declared before colors_, which deletes through it
  ControlColors colors_;
  BoldFont gear_font_;
  BoldFont times_font_;
  bool callback_recorded_ = false;
  int* result_ = nullptr;
};

bool MainDialog::Build(HWND parent) {
  const DialogSpec& layout = MainDialogSpec();
  const std::vector<WORD> dialog_template = HiddenDialogTemplate(layout);
  dialog_ = CreateDialogIndirectParamA(instance_,
                                       reinterpret_cast<LPCDLGTEMPLATEA>(dialog_template.data()),
                                       parent, &DialogProcedure, 0);
  if (dialog_ == nullptr) return false;
  SetWindowLongPtrA(dialog_, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
  SetWindowTextA(dialog_, layout.title);
  CreateControls(dialog_, instance_, MainDialogControls());
  ApplyBoldFonts(dialog_, MainDialogControls(), gear_font_, times_font_);
  return true;
}

int MainDialog::Run() {
  int result = 0;
  if (dialog_ == nullptr) return result;
  // The program's start-up (the table build among it) happens here, while
  // the window is still hidden.
  CallCallback(WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog_), 0);
  RECT client = {};
  GetClientRect(dialog_, &client);
  CallCallback(WM_SIZE, SIZE_RESTORED,
               MAKELPARAM(client.right - client.left, client.bottom - client.top));
  result_ = &result;
  callback_recorded_ = true;
  // Always the normal size and place, whatever show command started us.
  ShowWindow(dialog_, SW_SHOW);
  RunMessageLoop();
  result_ = nullptr;
  return result;
}

// Polls rather than waits so that the loop notices at once when the dialog
// is gone, whichever message destroyed it.
void MainDialog::RunMessageLoop() {
  const HWND dialog = dialog_;
  MSG message;
  while (IsWindow(dialog)) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      Sleep(1);
      continue;
    }
    if (!IsDialogMessageA(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

INT_PTR CALLBACK MainDialog::DialogProcedure(HWND dialog, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  // Messages sent while the window is being created, its own WM_INITDIALOG
  // among them, arrive before the object is attached: the system's defaults
  // do for them.
  auto* self = reinterpret_cast<MainDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (self == nullptr) return FALSE;
  return self->HandleMessage(message, wparam, lparam);
}

INT_PTR MainDialog::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  // Activation belongs to the dialog manager (it moves the focus in and out);
  // the program never sees it.
  if (message == WM_ACTIVATE) return FALSE;
  if (callback_recorded_) {
    const INT_PTR answer = CallCallback(message, wparam, lparam);
    if (answer != 0) {
      if (GetWindowLongPtrA(dialog_, DWLP_MSGRESULT) == 0) {
        SetWindowLongPtrA(dialog_, DWLP_MSGRESULT, answer);
      }
      return answer;
    }
  }
  return DefaultHandling(message, wparam, lparam);
}

INT_PTR MainDialog::CallCallback(UINT message, WPARAM wparam, LPARAM lparam) {
  Win32Port port(dialog_, colors_);
  return callback_.OnMessage(port, dialog_, message, wparam, lparam);
}

INT_PTR MainDialog::DefaultHandling(UINT message, WPARAM wparam, LPARAM lparam) {
  if (IsControlColorMessage(message)) {
    return AnswerControlColor(colors_, reinterpret_cast<HDC>(wparam),
                              reinterpret_cast<HWND>(lparam));
  }
  switch (message) {
    case WM_SYSCOMMAND:
      // The title bar's close is the only way out.
      if ((wparam & 0xFFF0) != SC_CLOSE) return FALSE;
      EndWithResult(0);
      return TRUE;
    case WM_PARENTNOTIFY:
      // A control going away on its own must not keep a brush alive.
      if (LOWORD(wparam) == WM_DESTROY) colors_.Forget(static_cast<ControlKey>(lparam));
      return FALSE;
    case WM_NCDESTROY:
      colors_.Clear();
      SetWindowLongPtrA(dialog_, DWLP_USER, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

void MainDialog::EndWithResult(int result) {
  SendMessageA(dialog_, WM_CLOSE, 0, 0);
  if (result_ != nullptr) *result_ = result;
  DestroyWindow(dialog_);
}

}  // namespace

int CreateMainDialog(HINSTANCE instance, HWND parent, DialogCallback& callback) {
  MainDialog dialog(instance, callback);
  int result = 0;
  if (dialog.Build(parent)) result = dialog.Run();
  dialog.DeleteFonts();
  return result;
}

}  // namespace cog
