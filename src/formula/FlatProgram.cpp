// The token program translated once more, into a flat list of stack instructions,
// so the sampling loops run one tight switch instead of the recursive descent.
//
// The grammar's control flow depends only on the tokens, never on the values, so
// walking the grammar once over the token program and recording each step it would
// take gives a straight-line program that computes the same values, raises the same
// codes in the same order and counts the same divisions.
#include <algorithm>

#include "formula/FlatInstructions.h"
#include "formula/FormulaOperations.h"
#include "formula/FormulaParser.h"

namespace lw {

using namespace formula_internal;

namespace {

std::uint8_t KindOfPowerOperator(std::uint8_t c) {
  switch (c) {
    case '^':
      return KindPower;
    case '$':
      return KindGcd;
    case '&':
      return KindLogarithm;
    case '#':
      return KindMaximum;
    default:
      return KindMinimum;
  }
}

}  // namespace

class FormulaParser::FlatCompiler {
 public:
  explicit FlatCompiler(const FormulaParser& parser) : parser_(parser) {}

  // Returns the program and the deepest the value stack gets.
  std::size_t Build(std::vector<Instruction>& program) {
    program_ = &program;
    Next();
    Assignment();
    if (tokenCursor_ != parser_.programTypes_.size()) {
      Emit(OpRaise, SyntaxError);
      Emit(OpPop);
      EmitConstant(0.0);
    }
    Fuse();
    return maxDepth_ + 1;
  }

 private:
  bool IsOperator(char c) const { return type_ == TokenOperator && character_ == std::uint8_t(c); }

  void Next() {
    const auto& types = parser_.programTypes_;
    if (tokenCursor_ == types.size()) {
      type_ = TokenNone;
      return;
    }
    type_ = types[tokenCursor_++];
    if (type_ == TokenNumber) {
      number_ = parser_.programNumbers_[numberCursor_++];
    } else {
      character_ = parser_.programCharacters_[characterCursor_++];
    }
  }

  void Emit(std::uint8_t op, std::uint8_t arg = 0, std::uint8_t slot = 0, double value = 0.0) {
    program_->push_back(Instruction{op, arg, slot, 0, value});
    if (op == OpLoadVariable || op == OpLoadConstant) {
      maxDepth_ = std::max(maxDepth_, ++depth_);
    } else if (op == OpPop || (IsBinary(op) && FormOf(op) == FormStack)) {
      --depth_;
    }
  }
  void EmitConstant(double value) { Emit(OpLoadConstant, 0, 0, value); }

  void Assignment() {
    // assignment := variable "=" additive | additive
    const auto& types = parser_.programTypes_;
    const bool assignment = type_ == TokenVariable && tokenCursor_ < types.size() &&
                            types[tokenCursor_] == TokenOperator &&
                            parser_.programCharacters_[characterCursor_] == '=';
    if (!assignment) {
      Additive();
      return;
    }
    const std::uint8_t slot = std::uint8_t(UpperLetter(char(character_)) - 'A');
    Next();
    Next();
    Additive();
    Emit(OpStore, 0, slot);
  }

  void Additive() {
    // additive := term { ("+" | "-") term }
    Multiplicative();
    while (IsOperator('+') || IsOperator('-')) {
      const std::uint8_t op = BinaryOp(character_ == '+' ? KindAdd : KindSubtract, FormStack);
      Next();
      Multiplicative();
      Emit(op);
    }
  }

  void Multiplicative() {
    // term := signed { ("*" | "/" | "%") signed }
    Signed();
    while (IsOperator('*') || IsOperator('/') || IsOperator('%')) {
      const std::uint8_t kind =
          character_ == '*' ? KindMultiply : (character_ == '/' ? KindDivide : KindRemainder);
      const std::uint8_t op = BinaryOp(kind, FormStack);
      Next();
      Signed();
      Emit(op);
    }
  }

  void Signed() {
    // signed := [ "+" | "-" ] power
    const bool negate = IsOperator('-');
    if (negate || IsOperator('+')) Next();
    PowerLevel();
    if (negate) Emit(OpNegate);
  }

  void PowerLevel() {
    // power := function { ("^" | "$" | "&" | "#" | "@") function }
    FunctionLevel();
    while (type_ == TokenOperator && IsPowerOperator(char(character_))) {
      const std::uint8_t op = BinaryOp(KindOfPowerOperator(character_), FormStack);
      Next();
      FunctionLevel();
      Emit(op);
    }
  }

  void FunctionLevel() {
    // function := primary [ function-name primary ], applying the first token's function
    const std::uint8_t code = type_ == TokenFunction ? character_ : 0;
    bool hasValue = Primary();
    if (type_ == TokenFunction) {
      Next();
      // The second primary overwrites the first one's value, if it yields one.
      if (hasValue && type_ != TokenFunction) Emit(OpPop);
      hasValue = Primary() || hasValue;
      if (code != 0) {
        if (!hasValue) EmitConstant(0.0);
        hasValue = true;
        Emit(FunctionOp(code, false));
      }
    }
    // A level whose primaries yielded nothing leaves its fresh accumulator, 0.0.
    if (!hasValue) EmitConstant(0.0);
  }

  // Returns whether the primary yielded a value.
  bool Primary() {
    // primary := "(" additive ")" | variable | number; a function name yields nothing
    if (IsOperator('(')) {
      Next();
      Additive();
      if (!IsOperator(')')) Emit(OpRaise, UnbalancedParentheses);
      Next();
      return true;
    }
    switch (type_) {
      case TokenVariable:
        Emit(OpLoadVariable, 0, std::uint8_t(UpperLetter(char(character_)) - 'A'));
        Next();
        return true;
      case TokenNumber:
        EmitConstant(number_);
        Next();
        return true;
      case TokenFunction:
        return false;
      default:
        EmitConstant(0.0);
        Emit(OpRaise, SyntaxError);
        return true;
    }
  }

  // A load directly followed by a binary operator becomes the operator's variable or
  // constant form; then a variable or constant load before such a form, or before a
  // function, joins it as well.
  void Fuse() {
    std::vector<Instruction>& program = *program_;
    FusePairs(program, [](const Instruction& load, const Instruction& next, Instruction& fused) {
      if (!IsBinary(next.op) || FormOf(next.op) != FormStack) return false;
      fused = load;
      fused.op = WithForm(next.op, load.op == OpLoadVariable ? FormVariable : FormConstant);
      return true;
    });
    FusePairs(program, [](const Instruction& load, const Instruction& next, Instruction& fused) {
      fused = next;
      if (load.op == OpLoadVariable && IsFunctionOnAccumulator(next.op)) {
        fused.op = std::uint8_t(next.op + 1);
        fused.slot = load.slot;
        return true;
      }
      if (!IsBinary(next.op)) return false;
      const std::uint8_t form = FormOf(next.op);
      if (load.op == OpLoadVariable && form == FormVariable) {
        fused.op = WithForm(next.op, FormVariableVariable);
        fused.slot = load.slot;
        fused.slot2 = next.slot;
        return true;
      }
      if (load.op == OpLoadVariable && form == FormConstant) {
        fused.op = WithForm(next.op, FormVariableConstant);
        fused.slot = load.slot;
        return true;
      }
      if (load.op == OpLoadConstant && form == FormVariable) {
        fused.op = WithForm(next.op, FormConstantVariable);
        fused.value = load.value;
        fused.slot2 = next.slot;
        return true;
      }
      return false;
    });
  }

  template <class Rule>
  static void FusePairs(std::vector<Instruction>& program, Rule rule) {
    std::size_t out = 0;
    for (std::size_t i = 0; i < program.size(); ++i) {
      const Instruction& current = program[i];
      const bool isLoad = current.op == OpLoadVariable || current.op == OpLoadConstant;
      Instruction fused;
      if (isLoad && i + 1 < program.size() && rule(current, program[i + 1], fused)) {
        program[out++] = fused;
        ++i;
        continue;
      }
      program[out++] = current;
    }
    program.resize(out);
  }

  const FormulaParser& parser_;
  std::vector<Instruction>* program_ = nullptr;
  std::uint8_t type_ = TokenNone;
  std::uint8_t character_ = 0;
  double number_ = 0.0;
  std::size_t tokenCursor_ = 0;
  std::size_t characterCursor_ = 0;
  std::size_t numberCursor_ = 0;
  int depth_ = 0;
  int maxDepth_ = 0;
};

void FormulaParser::BuildFlatProgram() {
  if (programTypes_.empty()) return;
  FlatCompiler compiler(*this);
  const std::size_t stackSize = compiler.Build(flatProgram_);
  flatStack_.assign(stackSize, 0.0);
}

// Each binary kind in its six forms; APPLY(left, right) gives the result.
#define LW_BINARY_CASES(KIND, APPLY)                                  \
  case BinaryOp(KIND, FormStack): {                                   \
    const double left = *--top;                                       \
    accumulator = APPLY(left, accumulator);                           \
    continue;                                                         \
  }                                                                   \
  case BinaryOp(KIND, FormVariable):                                  \
    accumulator = APPLY(accumulator, variables_[ip->slot]);           \
    continue;                                                         \
  case BinaryOp(KIND, FormConstant):                                  \
    accumulator = APPLY(accumulator, ip->value);                      \
    continue;                                                         \
  case BinaryOp(KIND, FormVariableVariable):                          \
    *top++ = accumulator;                                             \
    accumulator = APPLY(variables_[ip->slot], variables_[ip->slot2]); \
    continue;                                                         \
  case BinaryOp(KIND, FormVariableConstant):                          \
    *top++ = accumulator;                                             \
    accumulator = APPLY(variables_[ip->slot], ip->value);             \
    continue;                                                         \
  case BinaryOp(KIND, FormConstantVariable):                          \
    *top++ = accumulator;                                             \
    accumulator = APPLY(ip->value, variables_[ip->slot2]);            \
    continue;

#define LW_FUNCTION_CASES(CODE)                         \
  case FunctionOp(CODE, false):                         \
    accumulator = function(CODE, accumulator);          \
    continue;                                           \
  case FunctionOp(CODE, true):                          \
    *top++ = accumulator;                               \
    accumulator = function(CODE, variables_[ip->slot]); \
    continue;

// The operations that can fail, each raising its code and giving 0.0 as the grammar does.
inline double FormulaParser::FlatDivide(double a, double b, DivisionCounts* counts) {
  if (b == 0.0) {
    Raise(DivisionByZero);
    return 0.0;
  }
  if (counts != nullptr) ++(b > 0.0 ? counts->positive : counts->negative);
  return a / b;
}

inline double FormulaParser::FlatRemainder(double a, double b) {
  if (const MaybeError error = Remainder(a, b)) Raise(*error);
  return a;
}

inline double FormulaParser::FlatPower(double a, double b) {
  if (const MaybeError error = Power(a, b)) Raise(*error);
  return a;
}

inline double FormulaParser::FlatLogarithm(double a, double b) {
  if (const MaybeError error = Logarithm(a, b)) Raise(*error);
  return a;
}

inline double FormulaParser::FlatFunction(std::uint8_t code, double x) {
  if (const MaybeError error = ApplyFunction(code, x, randomState_)) {
    Raise(*error);
  }
  return x;
}

double FormulaParser::RunFlat(DivisionCounts* counts) {
  const auto add = [](double a, double b) { return a + b; };
  const auto subtract = [](double a, double b) { return a - b; };
  const auto multiply = [](double a, double b) { return a * b; };
  const auto divide = [this, counts](double a, double b) { return FlatDivide(a, b, counts); };
  const auto remainder = [this](double a, double b) { return FlatRemainder(a, b); };
  const auto power = [this](double a, double b) { return FlatPower(a, b); };
  const auto logarithm = [this](double a, double b) { return FlatLogarithm(a, b); };
  const auto function = [this](std::uint8_t code, double x) { return FlatFunction(code, x); };

  double* top = flatStack_.data();
  double accumulator = 0.0;
  const Instruction* const end = flatProgram_.data() + flatProgram_.size();
  for (const Instruction* ip = flatProgram_.data(); ip != end; ++ip) {
    switch (ip->op) {
      case OpLoadVariable:
        *top++ = accumulator;
        accumulator = variables_[ip->slot];
        continue;
      case OpLoadConstant:
        *top++ = accumulator;
        accumulator = ip->value;
        continue;
      case OpPop:
        accumulator = *--top;
        continue;
      case OpNegate:
        accumulator = -accumulator;
        continue;
      case OpRaise:
        Raise(FormulaError(ip->arg));
        continue;
      case OpStore:
        variables_[ip->slot] = accumulator;
        continue;
        LW_BINARY_CASES(KindAdd, add)
        LW_BINARY_CASES(KindSubtract, subtract)
        LW_BINARY_CASES(KindMultiply, multiply)
        LW_BINARY_CASES(KindDivide, divide)
        LW_BINARY_CASES(KindRemainder, remainder)
        LW_BINARY_CASES(KindPower, power)
        LW_BINARY_CASES(KindGcd, Gcd)
        LW_BINARY_CASES(KindLogarithm, logarithm)
        LW_BINARY_CASES(KindMaximum, Maximum)
        LW_BINARY_CASES(KindMinimum, Minimum)
        LW_FUNCTION_CASES(FnSin)
        LW_FUNCTION_CASES(FnCos)
        LW_FUNCTION_CASES(FnTg)
        LW_FUNCTION_CASES(FnCtg)
        LW_FUNCTION_CASES(FnArcsin)
        LW_FUNCTION_CASES(FnArccos)
        LW_FUNCTION_CASES(FnArctg)
        LW_FUNCTION_CASES(FnArcctg)
        LW_FUNCTION_CASES(FnSqrt)
        LW_FUNCTION_CASES(FnAbs)
        LW_FUNCTION_CASES(FnLn)
        LW_FUNCTION_CASES(FnExp)
        LW_FUNCTION_CASES(FnInt)
        LW_FUNCTION_CASES(FnFract)
        LW_FUNCTION_CASES(FnSign)
        LW_FUNCTION_CASES(FnRand)
      default:
        break;
    }
  }
  return accumulator;
}

#undef LW_BINARY_CASES
#undef LW_FUNCTION_CASES

}  // namespace lw
