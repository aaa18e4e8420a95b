#pragma once
// Which input method GTK loads for the program's text controls.

namespace platform {

// With no input method named by the desktop (neither GTK_IM_MODULE nor XMODIFIERS),
// GTK falls back to its X input method module, which turns a focused control into a
// native X child window that wx never repaints: grids and editors then keep stale
// pixels. The program takes GTK's simple module instead; an input method the desktop
// names (ibus, fcitx) is kept. Must run before the toolkit starts.
void UsePaintableInputMethod();

} // namespace platform
