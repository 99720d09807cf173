#include "formula/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace lw {

std::string FormatGeneral(double value, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0.0 ? "INF" : "-INF";
  if (value == 0.0) return "0";  // -0 too: a sign on zero means nothing to a reader
  // d.dddddddddddddde±x: the value rounded to 15 significant digits. to_chars does
  // not depend on the C locale, which a desktop toolkit may have changed.
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::scientific, 14);
  (void)error;
  const std::string_view scientific(buffer, std::size_t(end - buffer));
  const std::size_t exponentAt = scientific.find('e');
  std::string digits;
  for (char c : scientific.substr(0, exponentAt)) {
    if (c != '.') digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int exponent = std::atoi(std::string(scientific.substr(exponentAt + 1)).c_str());
  const int k = exponent + 1;  // value = 0.d1d2... * 10^k

  std::string text = value < 0.0 ? "-" : "";
  if (k >= -3 && k <= 15) {
    if (k <= 0) {
      text += '0';
      text += decimalSeparator;
      text.append(std::size_t(-k), '0');
      text += digits;
    } else if (digits.size() <= std::size_t(k)) {
      text += digits;
      text.append(std::size_t(k) - digits.size(), '0');
    } else {
      text += digits.substr(0, std::size_t(k));
      text += decimalSeparator;
      text += digits.substr(std::size_t(k));
    }
    return text;
  }
  text += digits[0];
  if (digits.size() > 1) {
    text += decimalSeparator;
    text += digits.substr(1);
  }
  text += 'E';
  text += std::to_string(exponent);
  return text;
}

std::string CalculatorResultLine(double value, char decimalSeparator) {
  const std::string prefix = "Результат : ";
  if (std::isnan(value)) return prefix + "неозначеність";
  if (std::isinf(value)) return prefix + "нескінченність";
  std::string text = FormatGeneral(value, decimalSeparator);
  if (const std::size_t e = text.find('E'); e != std::string::npos) {
    if (e + 1 < text.size() && text[e + 1] == '-') {
      text.replace(e, 1, "*10^(");
      text += ')';
    } else {
      text.replace(e, 1, "*10^");
    }
  }
  return prefix + text;
}

}  // namespace lw
