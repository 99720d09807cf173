// Names for the cases of parameterised tests, so that ctest lists what each case is
// about and a failure says which case failed, instead of a dump of the case's bytes.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace lw::test {

// A test name spelt from any text: ASCII letters, digits and '_' stay, every other
// character becomes a word between underscores ("2+X" gives "2_plus_X"), so two
// different texts give two different names.
inline std::string NameFromText(std::string_view text) {
  struct Spelling {
    char c;
    const char* word;
  };
  static constexpr std::array<Spelling, 22> spellings = {{
      {'+', "plus"},    {'-', "minus"},   {'*', "times"},  {'/', "slash"},     {'^', "caret"},
      {'%', "percent"}, {'$', "dollar"},  {'#', "hash"},   {'@', "at"},        {'&', "amp"},
      {'<', "less"},    {'>', "greater"}, {'=', "equals"}, {';', "semicolon"}, {'(', "open"},
      {')', "close"},   {'.', "dot"},     {',', "comma"},  {' ', "space"},     {'\t', "tab"},
      {'!', "bang"},    {':', "colon"},
  }};
  if (text.empty()) return "empty";
  std::string name;
  auto word = [&name](std::string_view w) {
    if (!name.empty() && name.back() != '_') name += '_';
    name += w;
    name += '_';
  };
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_') {
      name += c;
      continue;
    }
    const char* spelt = nullptr;
    for (const Spelling& s : spellings) {
      if (s.c == c) spelt = s.word;
    }
    if (spelt) {
      word(spelt);
    } else {
      static constexpr char hex[] = "0123456789ABCDEF";
      word(std::string{'x', hex[u >> 4], hex[u & 15]});
    }
  }
  while (name.size() > 1 && name.back() == '_') name.pop_back();
  return name;
}

// The name generator of a suite whose cases carry their own `name`.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
    return NameFromText(info.param.name);
  }
};

}  // namespace lw::test
