#pragma once

// Fonts for the form, set up before the window is built.
//
// The form was laid out for Arial: the group boxes, the tab bar and the port
// box name it, and every other text of the window takes the application's
// default face, whose width depends on the desktop (DejaVu Sans, common on
// Linux, is so wide that "-60dBm" loses its minus sign and "1000" scrolls in
// the servo boxes). So the window's texts all get the family "Arial", and
// Arial is backed by faces with its metrics where it is missing (Liberation
// Sans, Arimo). Chinese characters come from a fallback face; the common
// Noto Sans CJK has an ascent of 1.16 em against Arial's 0.905, and a title
// line that holds one of its characters grows so tall that the columns of
// the programmable-mix boxes cover the bottom of their titles. WenQuanYi
// Micro Hei, with an ascent of 1.0 em, is named first for them.
//
// The application font rather than the window's: a widget under a style
// sheet takes the application font, not its parent's, unless a rule names a
// family. Substitutions rather than a fontconfig alias: they cost nothing at
// start, need no file outside the program and apply to this program only.
// Call after the application object exists.
void installFormFonts();
