#include "windows/KeyPositions.h"

#include <array>

namespace lw {

namespace {

struct Row {
  std::uint32_t firstKeycode;
  std::array<Qt::Key, 13> keys;
  int count;
};

// The four rows of character keys, left to right, each from the key code of its
// first key.
constexpr std::array<Row, 4> rows = {{
    {10,
     {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8,
      Qt::Key_9, Qt::Key_0, Qt::Key_Minus, Qt::Key_Equal},
     12},
    {24,
     {Qt::Key_Q, Qt::Key_W, Qt::Key_E, Qt::Key_R, Qt::Key_T, Qt::Key_Y, Qt::Key_U, Qt::Key_I,
      Qt::Key_O, Qt::Key_P, Qt::Key_BracketLeft, Qt::Key_BracketRight},
     12},
    {38,
     {Qt::Key_A, Qt::Key_S, Qt::Key_D, Qt::Key_F, Qt::Key_G, Qt::Key_H, Qt::Key_J, Qt::Key_K,
      Qt::Key_L, Qt::Key_Semicolon, Qt::Key_Apostrophe, Qt::Key_QuoteLeft},
     12},
    {51,
     {Qt::Key_Backslash, Qt::Key_Z, Qt::Key_X, Qt::Key_C, Qt::Key_V, Qt::Key_B, Qt::Key_N,
      Qt::Key_M, Qt::Key_Comma, Qt::Key_Period, Qt::Key_Slash},
     11},
}};

}  // namespace

std::optional<Qt::Key> UsKeyAtX11Keycode(std::uint32_t keycode) {
  for (const Row& row : rows) {
    if (keycode >= row.firstKeycode && keycode < row.firstKeycode + row.count) {
      return row.keys[keycode - row.firstKeycode];
    }
  }
  return std::nullopt;
}

bool IsNonLatinCharacterKey(int key) {
  // Qt names a character key by its (upper-case) code point; keys that are no
  // character (F-keys, arrows, modifiers) start at Key_Escape.
  return key > 0xFF && key < Qt::Key_Escape;
}

}  // namespace lw
