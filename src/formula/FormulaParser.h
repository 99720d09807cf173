// The formula engine: one-letter variables A..Z, sixteen named functions and
// thirteen operator characters, evaluated either straight from the text or from
// a token program compiled once and evaluated many times by the sampling loops.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lw {

enum FormulaError : std::uint8_t {
  SyntaxError = 0,
  UnbalancedParentheses = 1,
  NotAnExpression = 2,
  SqrtDomain = 3,
  DivisionByZero = 4,
  TanDomain = 5,
  CotDomain = 6,
  ArcsinDomain = 7,
  ArccosDomain = 8,
  LogDomain = 9,
  Overflow = 10,
};

// ErrorCode() when the last evaluation raised nothing.
inline constexpr std::uint8_t NoFormulaError = 255;

// Messages for the codes 0..10, UTF-8. Codes 0..2 mean the formula itself is wrong;
// 3..10 mean it has no value for the current variables.
extern const std::array<std::string_view, 11> FormulaErrorMessages;

inline constexpr double Pi = 3.141592653589793;
inline constexpr double EulerE = 2.718281828459045;

enum TokenType : std::uint8_t {
  TokenNone = 0,
  TokenOperator = 1,
  TokenVariable = 2,
  TokenNumber = 3,
  TokenFunction = 4,
  TokenTransient = 5,
};

class FormulaParser {
 public:
  FormulaParser();
  virtual ~FormulaParser();
  FormulaParser(const FormulaParser&) = delete;
  FormulaParser& operator=(const FormulaParser&) = delete;

  void ClearVariables();
  // The first character of name selects the variable; anything but a letter is ignored.
  void SetVariable(std::string_view name, double value);
  // P := pi, E := e.
  void SetConstants();
  double Variable(char letter) const;
  // The storage slot of a letter ('A'..'Z' or 'a'..'z'), for sampling loops that
  // write the free variable before each EvaluateCompiled.
  double& VariableSlot(char letter);

  // Commas become points, letters upper case, trailing delimiters removed.
  static void Normalize(std::string& text);

  virtual double Evaluate(std::string_view text);
  virtual double EvaluateNormalized(std::string& text);

  // Builds the token program from a normalised text; replaces any earlier program.
  void Compile(std::string_view normalizedText);
  virtual double EvaluateCompiled();
  void ReleaseCompiled();

  bool HasError() const { return hasError_; }
  std::uint8_t ErrorCode() const { return errorCode_; }

  // The RAND function draws from the parser's own generator (values 0..32767).
  void SeedRandom(std::uint32_t seed);

  // Token program, for tests and diagnostics.
  const std::vector<std::uint8_t>& ProgramTypes() const;
  const std::vector<std::uint8_t>& ProgramCharacters() const;
  const std::vector<double>& ProgramNumbers() const;

 protected:
  // The multiplicative level of the compiled and the text paths. The additive level
  // reaches it only through these, so a derived class that overrides them changes
  // both paths.
  virtual double TermCompiled();
  virtual double TermText();

  // ... implementation state: see FormulaParser.cpp
};

// Counts, during each evaluation, the divisions by a positive and by a negative
// divisor. A change of the pair between neighbouring samples means a divisor
// changed sign between them, so a pole may lie there.
class DivisionTrackingParser : public FormulaParser {
 public:
  double Evaluate(std::string_view text) override;
  double EvaluateNormalized(std::string& text) override;
  double EvaluateCompiled() override;

  std::uint16_t PositiveDivisions() const { return positiveDivisions_; }
  std::uint16_t NegativeDivisions() const { return negativeDivisions_; }

 protected:
  double TermCompiled() override;
  double TermText() override;

 private:
  std::uint16_t positiveDivisions_ = 0;
  std::uint16_t negativeDivisions_ = 0;
};

}  // namespace lw
