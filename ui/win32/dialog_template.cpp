#include "ui/win32/dialog_template.h"

#include <cstdint>

namespace cog {
namespace {

void AppendDword(std::vector<WORD>& words, std::uint32_t value) {
  words.push_back(static_cast<WORD>(value & 0xFFFF));
  words.push_back(static_cast<WORD>(value >> 16));
}

void AppendShort(std::vector<WORD>& words, int value) {
  words.push_back(static_cast<WORD>(static_cast<std::int16_t>(value)));
}

// Templates hold UTF-16 text; for ASCII, widening each byte is the conversion.
void AppendText(std::vector<WORD>& words, const char* text) {
  for (; *text != '\0'; ++text) words.push_back(static_cast<unsigned char>(*text));
  words.push_back(0);
}

}  // namespace

std::vector<WORD> HiddenDialogTemplate(const DialogSpec& dialog) {
  std::vector<WORD> words;
  words.push_back(1);       // dlgVer
  words.push_back(0xFFFF);  // signature: the extended template
  AppendDword(words, 0);    // helpID
  AppendDword(words, dialog.ex_style);
  // Created hidden so that nothing shows before the table is built.
  AppendDword(words, dialog.style & ~kVisibleStyle);
  words.push_back(0);  // cDlgItems: the controls are added one by one later
  AppendShort(words, dialog.x);
  AppendShort(words, dialog.y);
  AppendShort(words, dialog.width);
  AppendShort(words, dialog.height);
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  // The real title is set with SetWindowTextA once the window exists.
  AppendText(words, " ");
  words.push_back(static_cast<WORD>(dialog.font.points));
  words.push_back(static_cast<WORD>(dialog.font.weight));
  words.push_back(0);  // italic 0 in the low byte, character set 0 in the high byte
  AppendText(words, dialog.font.face);
  return words;
}

}  // namespace cog
