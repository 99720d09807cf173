// The formula engine: one-letter variables A..Z, sixteen named functions and
// thirteen operator characters, evaluated either straight from the text or from
// a token program compiled once and evaluated many times by the sampling loops.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formula/ExecutableMemory.h"

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

// An error as a byte, as ErrorCode() and the batch outputs give it: the error's own
// value, or NoFormulaError when the evaluation raised nothing.
inline constexpr std::uint8_t NoFormulaError = 255;

// Messages for the codes 0..10, UTF-8. Codes 0..2 mean the formula itself is wrong;
// 3..10 mean it has no value for the current variables.
extern const std::array<std::string_view, 11> FormulaErrorMessages;
inline bool FormulaTextIsWrong(FormulaError error) {
  return error <= NotAnExpression;
}

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
  FormulaParser() : FormulaParser(nullptr) {}
  ~FormulaParser();
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

  double Evaluate(std::string_view text);
  double EvaluateNormalized(std::string& text);

  // Builds the token program from a normalised text; replaces any earlier program.
  void Compile(std::string_view normalizedText);
  double EvaluateCompiled();
  void ReleaseCompiled();

  bool HasError() const { return hasError_; }
  // What the last evaluation raised, if anything.
  std::optional<FormulaError> Error() const {
    return hasError_ ? std::optional(FormulaError(errorCode_)) : std::nullopt;
  }
  // The same as a byte (NoFormulaError for none), the form the batch outputs hold.
  std::uint8_t ErrorCode() const { return errorCode_; }
  // The division counts of the last evaluation, packed as in BatchOutput.
  std::uint32_t LastDivisionPair() const {
    return trackedCounts_ == nullptr ? 0
                                     : std::uint32_t(trackedCounts_->positive) |
                                           (std::uint32_t(trackedCounts_->negative) << 16);
  }

  // Where EvaluateBatch puts each point's outcome: its value, its ErrorCode() and,
  // when divisions is given, its division counts packed as positive | negative << 16
  // (always 0 for a parser that does not count). Each array holds one entry per input.
  struct BatchOutput {
    double* values = nullptr;
    std::uint8_t* codes = nullptr;
    std::uint32_t* divisions = nullptr;
  };
  // One free variable of a batch and its value at each point.
  struct BatchInput {
    char letter = 'X';
    std::span<const double> values;
  };
  // Evaluates the compiled program once per point, in order, with each free variable
  // set to its value at the point and every other variable as it stands: the same
  // values, codes and counts as setting the variables and calling EvaluateCompiled()
  // for each point in turn, and the parser is left as that loop would leave it. Every
  // input holds one value per point, or one value held at every point (an input with
  // none means there are no points); a letter named
  // twice takes the later input's values. Programs that keep state between points (an
  // assignment, RAND) run point by point.
  void EvaluateBatch(std::span<const BatchInput> inputs, const BatchOutput& output);
  void EvaluateBatch(char letter, std::span<const double> values, const BatchOutput& output) {
    const BatchInput input{letter, values};
    EvaluateBatch(std::span(&input, 1), output);
  }

  // The RAND function draws from the parser's own generator (values 0..32767).
  void SeedRandom(std::uint32_t seed);
  // The generator's state, so that a copy of the engine can continue its sequence.
  std::uint32_t RandomState() const { return randomState_; }

  // Token program, for tests and diagnostics.
  const std::vector<std::uint8_t>& ProgramTypes() const;
  const std::vector<std::uint8_t>& ProgramCharacters() const;
  const std::vector<double>& ProgramNumbers() const;

 protected:
  // Divisions by a positive and by a negative divisor during one evaluation.
  struct DivisionCounts {
    std::uint16_t positive = 0;
    std::uint16_t negative = 0;
  };
  // A parser given counters counts every division into them, on every path: the
  // grammar, the flat program and its machine code. They are cleared at the start of
  // each evaluation.
  explicit FormulaParser(DivisionCounts* trackedCounts);

 public:
  // For tests: evaluate the token program by the grammar even where the faster flat
  // translation of it, or that translation's machine code, exists (all must agree in
  // every value, code and counter).
  void UseFlatProgram(bool enabled);
  // Whether the current program has a flat translation in use.
  bool HasFlatProgram() const;
  // For tests: run the flat program even where it was translated into machine code.
  void UseNativeCode(bool enabled);
  // Whether the current program runs as machine code.
  bool HasNativeCode() const;
  // For tests: obtain the pages for machine code through calls from now on (to make
  // the system refuse them); the current program keeps running without its code.
  void UseCodePages(formula_internal::PageCalls calls);

 private:
  // Machine code for the program; called with the parser, returns the value.
  using NativeEntry = double (*)(FormulaParser*);

  enum class Path : std::uint8_t { Text, Program };
  enum class FlatKind : std::uint8_t { None, Plain, Counting };
  struct Instruction {
    std::uint8_t op = 0;
    // An operator character, function or error code, depending on op.
    std::uint8_t arg = 0;
    // Variable indexes, for the instructions that read or write variables.
    std::uint8_t slot = 0;
    std::uint8_t slot2 = 0;
    double value = 0.0;
  };
  class FlatCompiler;
  class NativeCompiler;

  double EvaluateText(std::string_view text);
  // Evaluates the token program, by its flat translation where one is in use.
  double EvaluateProgram();
  double RunNative(NativeEntry entry) {
    hasError_ = false;
    errorCode_ = NoFormulaError;
    return entry(this);
  }
  void Raise(FormulaError error) {
    hasError_ = true;
    errorCode_ = error;
  }
  void ClearCounts() {
    if (trackedCounts_ != nullptr) *trackedCounts_ = {};
  }

  // Grammar levels shared by both paths.
  double Assignment();
  double Additive();
  // The multiplicative level, counting into trackedCounts_ when there are counters.
  double Term();
  double Signed();
  double PowerLevel();
  double FunctionLevel();
  void Primary(double& accumulator);
  void NextToken();
  bool AssignmentAhead() const;
  void BuildFlatProgram();
  double RunFlat(DivisionCounts* counts);
  double FlatDivide(double a, double b, DivisionCounts* counts);
  double FlatRemainder(double a, double b);
  double FlatPower(double a, double b);
  double FlatLogarithm(double a, double b);
  double FlatFunction(std::uint8_t code, double x);
  void BuildNativeCode();
  void SelectPaths();
  void BuildBatchPlan();
  void EvaluatePointByPoint(std::span<const BatchInput> inputs, std::size_t count,
                            const BatchOutput& output);
  // Rows of the free variables' values by variable index, null for the others.
  using BatchRows = std::array<const double*, 26>;
  void RunBatchBlock(const BatchRows& rows, std::size_t count, const BatchOutput& output);

  // The text being evaluated.
  const char* cursor_ = nullptr;
  const char* textEnd_ = nullptr;
  Path path_ = Path::Text;
  // The current token: its type, its character entry (operator character, function
  // code or variable letter) and, for a number, its value.
  std::uint8_t tokenType_ = TokenNone;
  std::uint8_t tokenCharacter_ = 0;
  double tokenNumber_ = 0.0;

  // The token program and its read cursors.
  std::vector<std::uint8_t> programTypes_;
  std::vector<std::uint8_t> programCharacters_;
  std::vector<double> programNumbers_;
  std::size_t tokenCursor_ = 0;
  std::size_t characterCursor_ = 0;
  std::size_t numberCursor_ = 0;
  // Set when the compiled text held a token too long or nesting too deep to accept.
  bool programRefused_ = false;

  // The same program as a flat instruction list with its value stack, sized once.
  std::vector<Instruction> flatProgram_;
  std::vector<double> flatStack_;
  FlatKind flatKind_ = FlatKind::None;
  bool flatEnabled_ = true;
  // flatKind_ while the flat program is enabled, else None.
  FlatKind activeFlat_ = FlatKind::None;

  // The flat program as machine code, where the generator could translate it, and
  // its entry for each kind while enabled.
  // Scratch for EvaluateBatch: one row of kBatchBlock values per stack position, and
  // the division counts of each point of a block. Sized at Compile; empty when the
  // program must run point by point.
  std::vector<double> batchStack_;
  std::vector<std::uint8_t> batchUniform_;
  std::vector<std::uint16_t> batchPositive_;
  std::vector<std::uint16_t> batchNegative_;

  formula_internal::ExecutableMemory nativeCode_;
  NativeEntry nativeEntry_ = nullptr;
  bool nativeEnabled_ = true;
  // nativeEntry_ while the flat program and the machine code are enabled.
  NativeEntry activeNative_ = nullptr;
  DivisionCounts* trackedCounts_ = nullptr;

  std::array<double, 26> variables_{};
  double spareSlot_ = 0.0;
  bool hasError_ = false;
  std::uint8_t errorCode_ = NoFormulaError;
  std::uint32_t randomState_ = 1;
};

// Counts, during each evaluation, the divisions by a positive and by a negative
// divisor. A change of the pair between neighbouring samples means a divisor
// changed sign between them, so a pole may lie there.
class DivisionTrackingParser final : public FormulaParser {
 public:
  DivisionTrackingParser() : FormulaParser(&counts_) {}

  std::uint16_t PositiveDivisions() const { return counts_.positive; }
  std::uint16_t NegativeDivisions() const { return counts_.negative; }

 private:
  DivisionCounts counts_;
};

}  // namespace lw
