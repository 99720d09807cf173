// The flat program run over a block of points at once: each instruction sweeps a
// row of values, one per point, so the arithmetic that IEEE rounding makes exact
// (+ - * /, square root, negation, absolute value, floor, the selects) runs as wide
// loops, and every other function calls the same shared rule per point as the
// per-point paths. Errors and division counts are kept per point, in instruction
// order, so the last failure wins exactly as it does one point at a time.
#include <algorithm>
#include <cmath>
#include <type_traits>

#include "FlatInstructions.h"
#include "FormulaOperations.h"
#include "FormulaParser.h"

namespace lw {

using namespace formula_internal;

namespace {

constexpr std::size_t kBlock = kBatchBlock;

// A right operand: a row with one value per point, or one value for all of them.
struct Row {
  const double* values;
  double operator[](std::size_t i) const { return values[i]; }
};
struct Broadcast {
  double value;
  double operator[](std::size_t) const { return value; }
};

// What every sweep of one block shares.
struct Block {
  std::size_t count;
  std::uint8_t* codes;
  std::uint16_t* positive;  // null unless divisions are counted
  std::uint16_t* negative;
};

template <class Right, class Apply>
void Sweep(double* __restrict acc, Right right, std::size_t count, Apply apply) {
  for (std::size_t i = 0; i < count; ++i) acc[i] = apply(acc[i], right[i]);
}

template <class Right>
void Divide(double* __restrict acc, Right right, const Block& block) {
  const std::size_t n = block.count;
  std::uint8_t* __restrict codes = block.codes;
  if constexpr (std::is_same_v<Right, Broadcast>) {
    // One divisor for the whole block: its test is decided once.
    const double b = right.value;
    if (b == 0.0) {
      std::fill_n(acc, n, 0.0);
      std::fill_n(codes, n, std::uint8_t(DivisionByZero));
      return;
    }
    for (std::size_t i = 0; i < n; ++i) acc[i] /= b;
    if (block.positive == nullptr) return;
    std::uint16_t* counter = b > 0.0 ? block.positive : block.negative;
    for (std::size_t i = 0; i < n; ++i) counter[i] = std::uint16_t(counter[i] + 1);
    return;
  }
  for (std::size_t i = 0; i < n; ++i) {
    // The quotient is taken for every point so the loop stays branch-free.
    const double b = right[i];
    const double quotient = acc[i] / b;
    acc[i] = b == 0.0 ? 0.0 : quotient;
  }
  for (std::size_t i = 0; i < n; ++i) {
    codes[i] = right[i] == 0.0 ? std::uint8_t(DivisionByZero) : codes[i];
  }
  if (block.positive == nullptr) return;
  std::uint16_t* __restrict positive = block.positive;
  std::uint16_t* __restrict negative = block.negative;
  for (std::size_t i = 0; i < n; ++i) {
    // A NaN divisor is not zero and not above it, so it counts as negative.
    const double b = right[i];
    positive[i] = std::uint16_t(positive[i] + (b > 0.0 ? 1 : 0));
    negative[i] = std::uint16_t(negative[i] + (b > 0.0 || b == 0.0 ? 0 : 1));
  }
}

// Operations with a rule of their own, applied point by point.
template <class Right, class Rule>
void PerPoint(double* acc, Right right, const Block& block, Rule rule) {
  for (std::size_t i = 0; i < block.count; ++i) {
    if (const std::uint8_t error = rule(acc[i], right[i]); error != NoFormulaError) {
      block.codes[i] = error;
    }
  }
}

template <class Right>
void ApplyBinary(std::uint8_t kind, double* acc, Right right, const Block& block) {
  const std::size_t n = block.count;
  switch (kind) {
    case KindAdd:
      return Sweep(acc, right, n, [](double a, double b) { return a + b; });
    case KindSubtract:
      return Sweep(acc, right, n, [](double a, double b) { return a - b; });
    case KindMultiply:
      return Sweep(acc, right, n, [](double a, double b) { return a * b; });
    case KindDivide:
      return Divide(acc, right, block);
    case KindRemainder:
      return PerPoint(acc, right, block, [](double& a, double b) { return Remainder(a, b); });
    case KindPower:
      if constexpr (std::is_same_v<Right, Broadcast>) {
        // The shared rule squares by one multiplication, and 2 is an integer.
        if (right.value == 2.0) return Sweep(acc, right, n, [](double a, double) { return a * a; });
      }
      return PerPoint(acc, right, block, [](double& a, double b) { return Power(a, b); });
    case KindGcd:
      return Sweep(acc, right, n, [](double a, double b) { return Gcd(a, b); });
    case KindLogarithm:
      return PerPoint(acc, right, block, [](double& a, double b) { return Logarithm(a, b); });
    case KindMaximum:
      return Sweep(acc, right, n, [](double a, double b) { return Maximum(a, b); });
    default:
      return Sweep(acc, right, n, [](double a, double b) { return Minimum(a, b); });
  }
}

template <std::uint8_t Code>
void FunctionPerPoint(double* acc, const Block& block) {
  // No program with RAND runs here, so the generator's state is never touched.
  std::uint32_t unused = 0;
  for (std::size_t i = 0; i < block.count; ++i) {
    if (const std::uint8_t error = ApplyFunction(Code, acc[i], unused); error != NoFormulaError) {
      block.codes[i] = error;
    }
  }
}

void ApplyFunctionToRow(std::uint8_t code, double* __restrict acc, const Block& block) {
  const std::size_t n = block.count;
  std::uint8_t* __restrict codes = block.codes;
  switch (code) {
    case FnSqrt:
      for (std::size_t i = 0; i < n; ++i) {
        const double x = acc[i];
        acc[i] = x < 0.0 ? 0.0 : std::sqrt(x);
        codes[i] = x < 0.0 ? std::uint8_t(SqrtDomain) : codes[i];
      }
      return;
    case FnAbs:
      for (std::size_t i = 0; i < n; ++i) acc[i] = std::fabs(acc[i]);
      return;
    case FnInt:
      for (std::size_t i = 0; i < n; ++i) acc[i] = std::floor(acc[i]);
      return;
    case FnFract:
      for (std::size_t i = 0; i < n; ++i) acc[i] = acc[i] - std::floor(acc[i]);
      return;
    case FnSign:
      for (std::size_t i = 0; i < n; ++i) {
        const double x = acc[i];
        acc[i] = x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
      }
      return;
    case FnSin:
      return FunctionPerPoint<FnSin>(acc, block);
    case FnCos:
      return FunctionPerPoint<FnCos>(acc, block);
    case FnTg:
      return FunctionPerPoint<FnTg>(acc, block);
    case FnCtg:
      return FunctionPerPoint<FnCtg>(acc, block);
    case FnArcsin:
      return FunctionPerPoint<FnArcsin>(acc, block);
    case FnArccos:
      return FunctionPerPoint<FnArccos>(acc, block);
    case FnArctg:
      return FunctionPerPoint<FnArctg>(acc, block);
    case FnArcctg:
      return FunctionPerPoint<FnArcctg>(acc, block);
    case FnLn:
      return FunctionPerPoint<FnLn>(acc, block);
    case FnExp:
      return FunctionPerPoint<FnExp>(acc, block);
    default:
      return;
  }
}

bool KeepsStateBetweenPoints(std::uint8_t op) {
  return op == OpStore || (op >= kFunctionBase && FunctionCodeOf(op) == FnRand);
}

}  // namespace

void FormulaParser::BuildBatchPlan() {
  batchStack_.clear();
  if (flatProgram_.empty()) return;
  for (const Instruction& instruction : flatProgram_) {
    if (KeepsStateBetweenPoints(instruction.op)) return;
  }
  batchStack_.assign((flatStack_.size() + 1) * kBlock, 0.0);
  if (flatKind_ == FlatKind::Counting) {
    batchPositive_.assign(kBlock, 0);
    batchNegative_.assign(kBlock, 0);
  }
}

void FormulaParser::EvaluateBatch(std::span<const BatchInput> inputs, const BatchOutput& output) {
  if (inputs.empty() || inputs.front().values.empty()) return;
  const std::size_t count = inputs.front().values.size();
  bool letters = true;
  for (const BatchInput& input : inputs) letters = letters && IsLetter(input.letter);
  if (batchStack_.empty() || activeFlat_ == FlatKind::None || !letters) {
    EvaluatePointByPoint(inputs, count, output);
    return;
  }
  for (std::size_t start = 0; start < count; start += kBlock) {
    BatchRows rows{};
    for (const BatchInput& input : inputs) {
      rows[std::size_t(UpperLetter(input.letter) - 'A')] = input.values.data() + start;
    }
    const BatchOutput part{output.values + start, output.codes + start,
                           output.divisions == nullptr ? nullptr : output.divisions + start};
    RunBatchBlock(rows, std::min(kBlock, count - start), part);
  }
  // Leave the parser as the last point's evaluation would.
  const std::size_t last = count - 1;
  for (const BatchInput& input : inputs) VariableSlot(input.letter) = input.values[last];
  errorCode_ = output.codes[last];
  hasError_ = errorCode_ != NoFormulaError;
  if (activeFlat_ == FlatKind::Counting) {
    const std::size_t inBlock = last % kBlock;
    trackedCounts_->positive = batchPositive_[inBlock];
    trackedCounts_->negative = batchNegative_[inBlock];
  }
}

void FormulaParser::EvaluatePointByPoint(std::span<const BatchInput> inputs, std::size_t count,
                                         const BatchOutput& output) {
  for (std::size_t i = 0; i < count; ++i) {
    for (const BatchInput& input : inputs) VariableSlot(input.letter) = input.values[i];
    output.values[i] = EvaluateCompiled();
    output.codes[i] = errorCode_;
    if (output.divisions != nullptr) output.divisions[i] = LastDivisionPair();
  }
}

void FormulaParser::RunBatchBlock(const BatchRows& rows, std::size_t count,
                                  const BatchOutput& output) {
  const bool counting = activeFlat_ == FlatKind::Counting;
  const Block block{count, output.codes, counting ? batchPositive_.data() : nullptr,
                    counting ? batchNegative_.data() : nullptr};
  std::fill_n(block.codes, count, NoFormulaError);
  if (counting) {
    std::fill_n(block.positive, count, std::uint16_t(0));
    std::fill_n(block.negative, count, std::uint16_t(0));
  }
  const auto level = [this](int depth) { return batchStack_.data() + std::size_t(depth) * kBlock; };
  // Copies a variable into a row: the inputs for the free variable, else its value.
  const auto load = [&](double* row, std::uint8_t variable) {
    if (rows[variable] != nullptr) {
      std::copy_n(rows[variable], count, row);
    } else {
      std::fill_n(row, count, variables_[variable]);
    }
  };
  const auto binary = [&](std::uint8_t kind, double* acc, std::uint8_t variable) {
    if (rows[variable] != nullptr) {
      ApplyBinary(kind, acc, Row{rows[variable]}, block);
    } else {
      ApplyBinary(kind, acc, Broadcast{variables_[variable]}, block);
    }
  };
  int depth = 0;
  std::fill_n(level(0), count, 0.0);
  for (const Instruction& ip : flatProgram_) {
    const std::uint8_t op = ip.op;
    if (op == OpLoadVariable) {
      load(level(++depth), ip.slot);
    } else if (op == OpLoadConstant) {
      std::fill_n(level(++depth), count, ip.value);
    } else if (op == OpPop) {
      --depth;
    } else if (op == OpNegate) {
      double* acc = level(depth);
      for (std::size_t i = 0; i < count; ++i) acc[i] = -acc[i];
    } else if (op == OpRaise) {
      std::fill_n(block.codes, count, ip.arg);
    } else if (IsBinary(op)) {
      const std::uint8_t kind = KindOf(op);
      switch (FormOf(op)) {
        case FormStack:
          --depth;
          ApplyBinary(kind, level(depth), Row{level(depth + 1)}, block);
          break;
        case FormVariable:
          binary(kind, level(depth), ip.slot);
          break;
        case FormConstant:
          ApplyBinary(kind, level(depth), Broadcast{ip.value}, block);
          break;
        case FormVariableVariable:
          load(level(++depth), ip.slot);
          binary(kind, level(depth), ip.slot2);
          break;
        case FormVariableConstant:
          load(level(++depth), ip.slot);
          ApplyBinary(kind, level(depth), Broadcast{ip.value}, block);
          break;
        default:
          std::fill_n(level(++depth), count, ip.value);
          binary(kind, level(depth), ip.slot2);
          break;
      }
    } else {
      if (!IsFunctionOnAccumulator(op)) load(level(++depth), ip.slot);
      ApplyFunctionToRow(FunctionCodeOf(op), level(depth), block);
    }
  }
  std::copy_n(level(depth), count, output.values);
  if (output.divisions == nullptr) return;
  for (std::size_t i = 0; i < count; ++i) {
    output.divisions[i] =
        counting ? std::uint32_t(block.positive[i]) | (std::uint32_t(block.negative[i]) << 16) : 0u;
  }
}

}  // namespace lw
