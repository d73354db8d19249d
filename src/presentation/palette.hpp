#pragma once
// The seven colours the status widget is drawn with. Each has a light and a dark value and is
// resolved afresh at every drawing, so one colour object follows the desktop between its light and
// dark appearance. Each colour is created on first use, once, also when threads race to that first
// use, and kept for the life of the process. The dark value is taken only on a positive match of
// the dark appearance (host::Appearance::isDark); light otherwise.
#include "host/view/color.hpp"

namespace zuvo {

struct Palette {
  static const host::Color& widgetBackground();  // the whole widget, behind its content
  static const host::Color& primaryText();       // figures, values, button titles, agent names
  static const host::Color& secondaryText();     // labels beside figures, secondary lines
  static const host::Color& tertiaryText();      // small captions
  static const host::Color& track();             // unfilled usage bar, link button outline
  static const host::Color& accent();            // accent glyphs and figures, usage below 0.8
  static const host::Color& attention();         // what needs the user, usage at 0.8 and above
};

}  // namespace zuvo
