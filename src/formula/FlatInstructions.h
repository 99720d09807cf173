// The flat program's instruction set, shared by its interpreter and by the code
// generator that translates it into machine code.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lw::formula_internal {

// Points per block of a batch evaluation: each stack position holds one row this
// long, small enough that the rows of a typical formula stay in the first-level cache.
inline constexpr std::size_t kBatchBlock = 128;

enum Op : std::uint8_t {
  OpLoadVariable = 1,  // push the accumulator, load a variable
  OpLoadConstant,      // push the accumulator, load a constant
  OpPop,               // drop the accumulator, take the value below
  OpNegate,
  OpRaise,  // record an error code, value unchanged
  OpStore,
};

// Binary operators come in six forms: the stack form takes its left operand from
// below the accumulator; the others take one or both operands straight from a
// variable or a constant, so a leaf costs no instruction of its own.
enum BinaryKind : std::uint8_t {
  KindAdd,
  KindSubtract,
  KindMultiply,
  KindDivide,
  KindRemainder,
  KindPower,
  KindGcd,
  KindLogarithm,
  KindMaximum,
  KindMinimum,
  KindCount,
};
enum Form : std::uint8_t {
  FormStack,             // below op accumulator
  FormVariable,          // accumulator op variable
  FormConstant,          // accumulator op constant
  FormVariableVariable,  // push; variable op variable
  FormVariableConstant,  // push; variable op constant
  FormConstantVariable,  // push; constant op variable
  FormCount,
};
inline constexpr std::uint8_t kBinaryBase = 8;
inline constexpr std::uint8_t kFunctionBase = kBinaryBase + int(KindCount) * int(FormCount);

constexpr std::uint8_t BinaryOp(std::uint8_t kind, std::uint8_t form) {
  return std::uint8_t(kBinaryBase + kind * FormCount + form);
}
constexpr bool IsBinary(std::uint8_t op) {
  return op >= kBinaryBase && op < kFunctionBase;
}
constexpr std::uint8_t FormOf(std::uint8_t op) {
  return std::uint8_t((op - kBinaryBase) % FormCount);
}
constexpr std::uint8_t WithForm(std::uint8_t op, std::uint8_t form) {
  return std::uint8_t(op - FormOf(op) + form);
}
// Functions come in two forms: applied to the accumulator, or pushing and applied
// to a variable.
constexpr std::uint8_t FunctionOp(std::uint8_t code, bool onVariable) {
  return std::uint8_t(kFunctionBase + (code - 1) * 2 + (onVariable ? 1 : 0));
}
constexpr bool IsFunctionOnAccumulator(std::uint8_t op) {
  return op >= kFunctionBase && (op - kFunctionBase) % 2 == 0;
}
constexpr std::uint8_t KindOf(std::uint8_t op) {
  return std::uint8_t((op - kBinaryBase) / FormCount);
}
constexpr std::uint8_t FunctionCodeOf(std::uint8_t op) {
  return std::uint8_t((op - kFunctionBase) / 2 + 1);
}

}  // namespace lw::formula_internal
