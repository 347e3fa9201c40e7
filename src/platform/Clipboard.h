#pragma once

// The clipboard as the program pastes from it.
namespace Clipboard {

// True when the clipboard holds text to paste. Under X11, with nothing ever
// copied, Qt may hand out clipboard data that a text editor cannot insert
// (and crashes on): every paste asks this first and does nothing on false.
bool hasText();

} // namespace Clipboard
