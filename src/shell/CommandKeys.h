#pragma once
// The keys of the main window's button commands. Every speed button can be pressed from the
// keyboard, and its hint names the key. Buttons that share a command with a menu item use the
// item's shortcut; the others get a key of their own, bound here.

namespace lumarc {

class TToolDiscMain;

// Binds the keys and names them in the hints. Call once, after the window's commands are
// connected.
void BindCommandKeys(TToolDiscMain& window);

}  // namespace lumarc
