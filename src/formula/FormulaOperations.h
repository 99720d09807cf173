// The pieces of the formula language that both evaluation paths and the flat
// program share: character classes, the function table, number reading and the
// arithmetic of every function and operator with its domain rule. Keeping them in
// one place is what makes the paths agree to the last bit.
#pragma once

#include <cmath>
#include <cstdint>
#include <string_view>

#include "formula/FormulaParser.h"

namespace lw::formula_internal {

// Beyond 2^53 - 1 a double has no fractional part left, so sine and cosine of it
// say nothing useful.
inline constexpr double TrigBound = 9007199254740991.0;
inline constexpr double ExpBound = 709.782;
inline constexpr std::size_t MaxTokenLength = 99;
// Deeper nesting is refused as a syntax error so the recursive descent cannot
// exhaust the stack.
inline constexpr int MaxNesting = 256;

inline constexpr std::uint8_t FunctionCount = 16;
enum FunctionCode : std::uint8_t {
  FnSin = 1,
  FnCos,
  FnTg,
  FnCtg,
  FnArcsin,
  FnArccos,
  FnArctg,
  FnArcctg,
  FnSqrt,
  FnAbs,
  FnLn,
  FnExp,
  FnInt,
  FnFract,
  FnSign,
  FnRand,
};

inline bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
inline bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
inline bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
inline bool IsOperatorCharacter(char c) {
  return std::string_view("+-*/%^$&#@=()").find(c) != std::string_view::npos;
}
// Characters that end an identifier or a number ("." and LF do not).
inline bool IsTerminator(char c) {
  return c == '\0' || c == '\t' || c == '\r' ||
         std::string_view(" ;,+-<>/*%^$&#@=()").find(c) != std::string_view::npos;
}
inline char UpperLetter(char c) {
  return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

// The function code of an identifier (exact, case-sensitive), or 0 for a variable.
std::uint8_t FindFunction(std::string_view identifier);
// The value of the longest prefix of a number token that reads as a decimal number.
double ReadNumber(std::string_view token);

// The classic linear congruential generator with results 0..32767, one per parser.
inline std::uint32_t NextRandom(std::uint32_t& state) {
  state = state * 214013u + 2531011u;
  return (state >> 16) & 0x7FFFu;
}

// What an operation raised, if anything: an optional FormulaError held in one byte,
// so the loops that apply the operations keep it in a register.
class MaybeError {
 public:
  constexpr MaybeError() = default;
  constexpr MaybeError(FormulaError error) : code_(error) {}
  constexpr explicit operator bool() const { return code_ != NoFormulaError; }
  constexpr FormulaError operator*() const { return FormulaError(code_); }

 private:
  std::uint8_t code_ = NoFormulaError;
};

// Each operation that can fail returns its error after setting the result to 0.0,
// or nothing. The flat program calls this with a constant code from one case per
// function, so it must be inlined for the switch to fold away.
[[gnu::always_inline]] inline MaybeError ApplyFunction(std::uint8_t code, double& x,
                                                       std::uint32_t& randomState) {
  const auto fail = [&x](FormulaError error) {
    x = 0.0;
    return MaybeError(error);
  };
  switch (code) {
    case FnSin:
      if (std::fabs(x) > TrigBound) return fail(Overflow);
      x = std::sin(x);
      break;
    case FnCos:
      if (std::fabs(x) > TrigBound) return fail(Overflow);
      x = std::cos(x);
      break;
    case FnTg:
      if (std::fabs(x) > TrigBound) return fail(Overflow);
      x = std::tan(x);
      break;
    case FnCtg:
      if (x == 0.0) return fail(CotDomain);
      if (std::fabs(x) > TrigBound) return fail(Overflow);
      x = 1.0 / std::tan(x);
      break;
    case FnArcsin:
      if (x < -1.0 || x > 1.0) return fail(ArcsinDomain);
      x = std::asin(x);
      break;
    case FnArccos:
      if (x < -1.0 || x > 1.0) return fail(ArccosDomain);
      x = std::acos(x);
      break;
    case FnArctg:
      x = std::atan(x);
      break;
    case FnArcctg:
      x = Pi * 0.5 - std::atan(x);
      break;
    case FnSqrt:
      if (x < 0.0) return fail(SqrtDomain);
      x = std::sqrt(x);
      break;
    case FnAbs:
      x = std::fabs(x);
      break;
    case FnLn:
      if (x <= 0.0) return fail(LogDomain);
      x = std::log(x);
      break;
    case FnExp:
      if (x > ExpBound) return fail(Overflow);
      x = std::exp(x);
      break;
    case FnInt:
      x = std::floor(x);
      break;
    case FnFract:
      x = x - std::floor(x);
      break;
    case FnSign:
      x = x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
      break;
    case FnRand:
      x = std::fmod(double(NextRandom(randomState)), x);
      break;
    default:
      break;
  }
  return {};
}

// The "%" operator: fmod, the dividend's sign, and no remainder by zero.
inline MaybeError Remainder(double& a, double b) {
  if (b == 0.0) {
    a = 0.0;
    return DivisionByZero;
  }
  a = std::fmod(a, b);
  return {};
}

inline MaybeError Power(double& a, double b) {
  if (std::floor(b) != b && a < 0.0) {
    a = 0.0;
    return LogDomain;
  }
  // x*x is the correctly rounded square, so the common square skips the general power.
  a = b == 2.0 ? a * a : std::pow(a, b);
  return {};
}

inline double Gcd(double a, double b) {
  a = std::floor(std::fabs(a));
  b = std::floor(std::fabs(b));
  while (a > 0.0 && b > 0.0) {
    if (a >= b) {
      a = std::fmod(a, b);
    } else {
      b = std::fmod(b, a);
    }
  }
  return a > 0.0 ? a : b;
}

inline MaybeError Logarithm(double& a, double b) {
  if (!(a > 0.0 && b > 0.0 && b != 1.0)) {
    a = 0.0;
    return LogDomain;
  }
  a = std::log(a) / std::log(b);
  return {};
}

inline double Maximum(double a, double b) {
  return a < b ? b : a;
}
inline double Minimum(double a, double b) {
  return b < a ? b : a;
}

// Applies a power-level operator ("^", "$", "&", "#", "@") to a.
inline MaybeError ApplyPowerOperator(char op, double& a, double b) {
  switch (op) {
    case '^':
      return Power(a, b);
    case '$':
      a = Gcd(a, b);
      break;
    case '&':
      return Logarithm(a, b);
    case '#':
      a = Maximum(a, b);
      break;
    default:
      a = Minimum(a, b);
      break;
  }
  return {};
}

inline bool IsPowerOperator(char c) {
  return c == '^' || c == '$' || c == '&' || c == '#' || c == '@';
}

// One token read from a text: its type, its character entry (operator character,
// function code or the identifier's first letter) and its text.
struct TextToken {
  std::uint8_t type = TokenNone;
  std::uint8_t character = 0;
  std::string_view text;
};
// Reads the token at cursor and advances past it; a character that cannot start a
// token gives the end token and leaves the cursor where it is.
TextToken ReadTextToken(const char*& cursor, const char* end);

// How a text splits into tokens before evaluation or compilation: the counts of
// the token program, and whether the text is acceptable at all.
struct TokenScan {
  std::size_t tokens = 0;
  std::size_t characters = 0;
  std::size_t numbers = 0;
  bool tokenTooLong = false;
  bool nestedTooDeep = false;
  bool Refused() const { return tokenTooLong || nestedTooDeep; }
};
TokenScan ScanTokens(std::string_view text);

}  // namespace lw::formula_internal
