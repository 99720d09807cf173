// Shortcuts by the key's place on the keyboard. With only a non-Latin layout (one
// Ukrainian layout, say) no key gives a Latin letter, so Ctrl+B and the like could
// never be typed; such a key stands for the Latin key at the same place on a US
// keyboard, as users of such layouts expect. No widgets here.
#pragma once

#include <QtCore/qnamespace.h>
#include <cstdint>
#include <optional>

namespace lw {

// The US-layout key at an X11 key code (evdev numbering, as X servers and Xwayland
// give it): letters, digits and the punctuation between them; none for other keys.
std::optional<Qt::Key> UsKeyAtX11Keycode(std::uint32_t keycode);

// Whether a key stands for a character of a non-Latin script, so that a shortcut
// must be found by the key's place instead of its character.
bool IsNonLatinCharacterKey(int key);

}  // namespace lw
