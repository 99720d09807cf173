// The flat program run over a block of points at once: each instruction sweeps a
// row of values, one per point, so the arithmetic that IEEE rounding makes exact
// (+ - * /, square root, negation, absolute value, floor, the selects) runs as wide
// loops, and every other function calls the same shared rule per point as the
// per-point paths. Errors and division counts are kept per point, in instruction
// order, so the last failure wins exactly as it does one point at a time.
#include <algorithm>
#include <cmath>
#include <type_traits>

#include "formula/FlatInstructions.h"
#include "formula/FormulaOperations.h"
#include "formula/FormulaParser.h"

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
    if (const MaybeError error = rule(acc[i], right[i])) {
      block.codes[i] = *error;
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
    if (const MaybeError error = ApplyFunction(Code, acc[i], unused)) {
      block.codes[i] = *error;
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
  batchUniform_.assign(flatStack_.size() + 1, 0);
  if (flatKind_ == FlatKind::Counting) {
    batchPositive_.assign(kBlock, 0);
    batchNegative_.assign(kBlock, 0);
  }
}

void FormulaParser::EvaluateBatch(std::span<const BatchInput> inputs, const BatchOutput& output) {
  // An input without values means no points, whatever the others hold.
  std::size_t count = 0;
  for (const BatchInput& input : inputs) {
    if (input.values.empty()) return;
    count = std::max(count, input.values.size());
  }
  if (count == 0) return;
  bool letters = true;
  for (const BatchInput& input : inputs) letters = letters && IsLetter(input.letter);
  if (batchStack_.empty() || activeFlat_ == FlatKind::None || !letters) {
    EvaluatePointByPoint(inputs, count, output);
    return;
  }
  for (std::size_t start = 0; start < count; start += kBlock) {
    BatchRows rows{};
    for (const BatchInput& input : inputs) {
      const auto index = std::size_t(UpperLetter(input.letter) - 'A');
      const bool held = input.values.size() == 1;
      if (held) variables_[index] = input.values.front();
      rows[index] = held ? nullptr : input.values.data() + start;
    }
    const BatchOutput part{output.values + start, output.codes + start,
                           output.divisions == nullptr ? nullptr : output.divisions + start};
    RunBatchBlock(rows, std::min(kBlock, count - start), part);
  }
  // Leave the parser as the last point's evaluation would.
  const std::size_t last = count - 1;
  for (const BatchInput& input : inputs) {
    VariableSlot(input.letter) = input.values[input.values.size() == 1 ? 0 : last];
  }
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
    for (const BatchInput& input : inputs) {
      VariableSlot(input.letter) = input.values[input.values.size() == 1 ? 0 : i];
    }
    output.values[i] = EvaluateCompiled();
    output.codes[i] = errorCode_;
    if (output.divisions != nullptr) output.divisions[i] = LastDivisionPair();
  }
}

namespace {

// The outcome of an operation done once for a block whose operands are the same at
// every point: its error code and division counts, to be given to every point.
struct OnePoint {
  std::uint8_t code = NoFormulaError;
  std::uint16_t positive = 0;
  std::uint16_t negative = 0;

  Block Of(const Block& block) {
    return {1, &code, block.positive != nullptr ? &positive : nullptr,
            block.positive != nullptr ? &negative : nullptr};
  }
  void Spread(const Block& block) const {
    if (code != NoFormulaError) std::fill_n(block.codes, block.count, code);
    if (block.positive == nullptr) return;
    for (std::size_t i = 0; i < block.count; ++i) {
      block.positive[i] = std::uint16_t(block.positive[i] + positive);
      block.negative[i] = std::uint16_t(block.negative[i] + negative);
    }
  }
};

}  // namespace

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
  // A row marked uniform holds one value for every point, in its first entry only: an
  // operation on uniform operands is done once, not once per point.
  std::uint8_t* uniform = batchUniform_.data();
  const auto level = [this](int depth) { return batchStack_.data() + std::size_t(depth) * kBlock; };
  const auto set = [&](int depth, double value) {
    level(depth)[0] = value;
    uniform[depth] = 1;
  };
  const auto load = [&](int depth, std::uint8_t variable) {
    if (rows[variable] == nullptr) return set(depth, variables_[variable]);
    std::copy_n(rows[variable], count, level(depth));
    uniform[depth] = 0;
  };
  const auto materialise = [&](int depth) {
    if (uniform[depth] == 0) return;
    std::fill_n(level(depth) + 1, count - 1, level(depth)[0]);
    uniform[depth] = 0;
  };
  // acc (row depth) op right, where right is a row (null for a value) or a value.
  const auto apply = [&](std::uint8_t kind, int depth, const double* right, bool rightUniform,
                         double value) {
    double* acc = level(depth);
    if (right != nullptr && rightUniform) value = right[0];
    if (rightUniform && uniform[depth] != 0) {
      OnePoint one;
      ApplyBinary(kind, acc, Broadcast{value}, one.Of(block));
      return one.Spread(block);
    }
    materialise(depth);
    if (rightUniform) return ApplyBinary(kind, acc, Broadcast{value}, block);
    ApplyBinary(kind, acc, Row{right}, block);
  };
  const auto applyVariable = [&](std::uint8_t kind, int depth, std::uint8_t variable) {
    apply(kind, depth, rows[variable], rows[variable] == nullptr, variables_[variable]);
  };
  int depth = 0;
  set(0, 0.0);
  for (const Instruction& ip : flatProgram_) {
    const std::uint8_t op = ip.op;
    if (op == OpLoadVariable) {
      load(++depth, ip.slot);
    } else if (op == OpLoadConstant) {
      set(++depth, ip.value);
    } else if (op == OpPop) {
      --depth;
    } else if (op == OpNegate) {
      double* acc = level(depth);
      const std::size_t n = uniform[depth] != 0 ? 1 : count;
      for (std::size_t i = 0; i < n; ++i) acc[i] = -acc[i];
    } else if (op == OpRaise) {
      std::fill_n(block.codes, count, ip.arg);
    } else if (IsBinary(op)) {
      const std::uint8_t kind = KindOf(op);
      switch (FormOf(op)) {
        case FormStack:
          --depth;
          apply(kind, depth, level(depth + 1), uniform[depth + 1] != 0, 0.0);
          break;
        case FormVariable:
          applyVariable(kind, depth, ip.slot);
          break;
        case FormConstant:
          apply(kind, depth, nullptr, true, ip.value);
          break;
        case FormVariableVariable:
          load(++depth, ip.slot);
          applyVariable(kind, depth, ip.slot2);
          break;
        case FormVariableConstant:
          load(++depth, ip.slot);
          apply(kind, depth, nullptr, true, ip.value);
          break;
        default:
          set(++depth, ip.value);
          applyVariable(kind, depth, ip.slot2);
          break;
      }
    } else {
      if (!IsFunctionOnAccumulator(op)) load(++depth, ip.slot);
      if (uniform[depth] != 0) {
        OnePoint one;
        ApplyFunctionToRow(FunctionCodeOf(op), level(depth), one.Of(block));
        one.Spread(block);
      } else {
        ApplyFunctionToRow(FunctionCodeOf(op), level(depth), block);
      }
    }
  }
  materialise(depth);
  std::copy_n(level(depth), count, output.values);
  if (output.divisions == nullptr) return;
  for (std::size_t i = 0; i < count; ++i) {
    output.divisions[i] =
        counting ? std::uint32_t(block.positive[i]) | (std::uint32_t(block.negative[i]) << 16) : 0u;
  }
}

}  // namespace lw
