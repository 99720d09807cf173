#include "formula/FormulaOperations.h"

#include <array>
#include <charconv>
#include <limits>

namespace lw {

const std::array<std::string_view, 11> FormulaErrorMessages = {
    "Синтаксична помилка",  "Непарні круглі скобки", "Це не вираз",
    "Помилка\xC2\xA0 sqrt", "Ділення на нуль",       "Помилка\xC2\xA0 tg",
    "Помилка\xC2\xA0 ctg",  "Помилка arcsin",        "Помилка\xC2\xA0 arccos",
    "Помилка\xC2\xA0 log",  "Переповнення",
};

}  // namespace lw

namespace lw::formula_internal {
namespace {

// Searched in order; the position + 1 is the function code.
constexpr std::array<std::string_view, FunctionCount> kFunctionNames = {
    "SIN",  "COS", "TG", "CTG", "ARCSIN", "ARCCOS", "ARCTG", "ARCCTG",
    "SQRT", "ABS", "LN", "EXP", "INT",    "FRACT",  "SIGN",  "RAND",
};

std::size_t DigitsFrom(std::string_view text, std::size_t position) {
  while (position < text.size() && IsDigit(text[position])) ++position;
  return position;
}

}  // namespace

std::uint8_t FindFunction(std::string_view identifier) {
  for (std::size_t i = 0; i < kFunctionNames.size(); ++i) {
    if (kFunctionNames[i] == identifier) return std::uint8_t(i + 1);
  }
  return 0;
}

double ReadNumber(std::string_view token) {
  // digits [ "." digits ] [ ("E" | "e") digits ]
  std::size_t end = DigitsFrom(token, 0);
  if (end < token.size() && token[end] == '.') end = DigitsFrom(token, end + 1);
  if (end + 1 < token.size() && (token[end] == 'E' || token[end] == 'e') &&
      IsDigit(token[end + 1])) {
    end = DigitsFrom(token, end + 1);
  }
  double value = 0.0;
  const auto [last, error] = std::from_chars(token.data(), token.data() + end, value);
  // A number token carries no exponent sign ("-" ends it), so out of range means too
  // large, which reads as infinity like any text-to-double conversion.
  if (error == std::errc::result_out_of_range) return std::numeric_limits<double>::infinity();
  (void)last;
  return value;
}

TextToken ReadTextToken(const char*& cursor, const char* end) {
  TextToken token;
  while (cursor != end && IsBlank(*cursor)) ++cursor;
  if (cursor == end) return token;
  const char c = *cursor;
  if (IsOperatorCharacter(c)) {
    token.type = TokenOperator;
    token.character = std::uint8_t(c);
    token.text = std::string_view(cursor, 1);
    ++cursor;
    return token;
  }
  if (!IsLetter(c) && !IsDigit(c)) return token;
  const char* start = cursor;
  while (cursor != end && !IsTerminator(*cursor)) ++cursor;
  token.text = std::string_view(start, std::size_t(cursor - start));
  if (IsDigit(c)) {
    token.type = TokenNumber;
    return token;
  }
  const std::uint8_t function = FindFunction(token.text);
  token.type = function != 0 ? TokenFunction : TokenVariable;
  token.character = function != 0 ? function : std::uint8_t(c);
  return token;
}

TokenScan ScanTokens(std::string_view text) {
  TokenScan scan;
  const char* cursor = text.data();
  const char* end = text.data() + text.size();
  int depth = 0;
  for (;;) {
    const TextToken token = ReadTextToken(cursor, end);
    if (token.type == TokenNone) break;
    ++scan.tokens;
    if (token.type == TokenNumber) {
      ++scan.numbers;
    } else {
      ++scan.characters;
    }
    if (token.text.size() > MaxTokenLength) scan.tokenTooLong = true;
    if (token.type == TokenOperator && token.character == '(') {
      if (++depth > MaxNesting) scan.nestedTooDeep = true;
    } else if (token.type == TokenOperator && token.character == ')' && depth > 0) {
      --depth;
    }
  }
  return scan;
}

}  // namespace lw::formula_internal
