// The token program translated once more, into a flat list of stack instructions,
// so the sampling loops run one tight switch instead of the recursive descent.
//
// The grammar's control flow depends only on the tokens, never on the values, so
// walking the grammar once over the token program and recording each step it would
// take gives a straight-line program that computes the same values, raises the same
// codes in the same order and counts the same divisions.
#include <algorithm>

#include "FormulaOperations.h"
#include "FormulaParser.h"

namespace lw {

using namespace formula_internal;

namespace {

enum Op : std::uint8_t {
  OpEnd,
  OpLoadVariable,  // push the accumulator, load a variable
  OpLoadConstant,  // push the accumulator, load a constant
  OpPop,           // drop the accumulator, take the value below
  OpNegate,
  OpRaise,  // record an error code, value unchanged
  OpStore,
  OpFunction,
  // Binary operators: the left operand is below the accumulator; the fused forms
  // take their right operand from a variable or a constant instead.
  OpAdd,
  OpAddVariable,
  OpAddConstant,
  OpSubtract,
  OpSubtractVariable,
  OpSubtractConstant,
  OpMultiply,
  OpMultiplyVariable,
  OpMultiplyConstant,
  OpDivide,
  OpDivideVariable,
  OpDivideConstant,
  OpRemainder,
  OpRemainderVariable,
  OpRemainderConstant,
  OpPower,  // the five power-level operators; the character is in arg
  OpPowerVariable,
  OpPowerConstant,
};

// Position of the variable and constant forms after each stack form.
constexpr std::uint8_t kVariableForm = 1;
constexpr std::uint8_t kConstantForm = 2;

bool IsFusable(std::uint8_t op) {
  return op == OpAdd || op == OpSubtract || op == OpMultiply || op == OpDivide ||
         op == OpRemainder || op == OpPower;
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
    Emit(OpEnd);
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
    program_->push_back(Instruction{op, arg, slot, value});
    if (op == OpLoadVariable || op == OpLoadConstant) {
      maxDepth_ = std::max(maxDepth_, ++depth_);
    } else if (op == OpPop || op >= OpAdd) {
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
      const std::uint8_t op = character_ == '+' ? OpAdd : OpSubtract;
      Next();
      Multiplicative();
      Emit(op);
    }
  }

  void Multiplicative() {
    // term := signed { ("*" | "/" | "%") signed }
    Signed();
    while (IsOperator('*') || IsOperator('/') || IsOperator('%')) {
      const std::uint8_t op =
          character_ == '*' ? OpMultiply : (character_ == '/' ? OpDivide : OpRemainder);
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
      const std::uint8_t op = character_;
      Next();
      FunctionLevel();
      Emit(OpPower, op);
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
        Emit(OpFunction, code);
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

  // A load directly followed by a binary operator becomes the operator's fused form.
  void Fuse() {
    std::vector<Instruction>& program = *program_;
    std::size_t out = 0;
    for (std::size_t i = 0; i < program.size(); ++i) {
      const Instruction& current = program[i];
      const bool isLoad = current.op == OpLoadVariable || current.op == OpLoadConstant;
      if (isLoad && i + 1 < program.size() && IsFusable(program[i + 1].op)) {
        Instruction fused = current;
        fused.arg = program[i + 1].arg;
        fused.op = std::uint8_t(program[i + 1].op +
                                (current.op == OpLoadVariable ? kVariableForm : kConstantForm));
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

double FormulaParser::RunFlat(DivisionCounts* counts) {
  double* top = flatStack_.data();
  double accumulator = 0.0;
  double right = 0.0;
  for (const Instruction* ip = flatProgram_.data();; ++ip) {
    switch (ip->op) {
      case OpEnd:
        return accumulator;
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
        Raise(ip->arg);
        continue;
      case OpStore:
        variables_[ip->slot] = accumulator;
        continue;
      case OpFunction:
        if (const std::uint8_t error = ApplyFunction(ip->arg, accumulator, randomState_);
            error != NoFormulaError) {
          Raise(error);
        }
        continue;
      case OpAdd:
        accumulator = *--top + accumulator;
        continue;
      case OpAddVariable:
        accumulator += variables_[ip->slot];
        continue;
      case OpAddConstant:
        accumulator += ip->value;
        continue;
      case OpSubtract:
        accumulator = *--top - accumulator;
        continue;
      case OpSubtractVariable:
        accumulator -= variables_[ip->slot];
        continue;
      case OpSubtractConstant:
        accumulator -= ip->value;
        continue;
      case OpMultiply:
        accumulator = *--top * accumulator;
        continue;
      case OpMultiplyVariable:
        accumulator *= variables_[ip->slot];
        continue;
      case OpMultiplyConstant:
        accumulator *= ip->value;
        continue;
      // The remaining operators share their code below, once the operands are in
      // place: the left one in the accumulator, the right one in right.
      case OpDivide:
      case OpRemainder:
      case OpPower:
        right = accumulator;
        accumulator = *--top;
        break;
      case OpDivideVariable:
      case OpRemainderVariable:
      case OpPowerVariable:
        right = variables_[ip->slot];
        break;
      default:
        right = ip->value;
        break;
    }
    const std::uint8_t op = ip->op;
    if (op >= OpPower) {
      if (const std::uint8_t error = ApplyPowerOperator(char(ip->arg), accumulator, right);
          error != NoFormulaError) {
        Raise(error);
      }
    } else if (right == 0.0) {
      Raise(DivisionByZero);
      accumulator = 0.0;
    } else if (op <= OpDivideConstant) {
      if (counts != nullptr) ++(right > 0.0 ? counts->positive : counts->negative);
      accumulator /= right;
    } else {
      accumulator = std::fmod(accumulator, right);
    }
  }
}

}  // namespace lw
