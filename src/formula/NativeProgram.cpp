// The flat program translated once more, into x86-64 machine code, so a sampling
// loop pays for the arithmetic and not for dispatching instructions.
//
// The flat program is straight-line and its stack depth at each instruction is known
// when it is built, so every stack position gets an xmm register of its own: position
// p (1 and up) lives in xmm(p - 1) and xmm15 is scratch. Position 0 only ever holds
// the evaluation's starting accumulator, 0.0. Addition, subtraction, multiplication,
// division with its zero test and counters, negation, ABS, SQRT, maximum and minimum
// are written out; every other function and operator calls a helper that applies the
// same shared rule as the flat program. A program this cannot translate (deeper than
// the registers, or anything unexpected) keeps running as the flat program.
#include <array>
#include <cmath>
#include <cstddef>
#include <type_traits>

#include "formula/FlatInstructions.h"
#include "formula/FormulaOperations.h"
#include "formula/FormulaParser.h"
#include "formula/X86Assembler.h"

namespace lw {

using namespace formula_internal;

namespace {

constexpr int kScratch = 15;
constexpr int kMaxPosition = 15;
// Room to save every register live across a helper call, keeping the stack aligned to 16.
constexpr std::int32_t kFrameBytes = 128;
// Padding before the entry point, so nothing reading just before a function's first
// byte leaves the mapping.
constexpr std::size_t kEntryOffset = 16;
constexpr std::uint64_t kSignBit = 0x8000000000000000u;

bool Supported() {
#if defined(__x86_64__) && defined(__linux__)
  return true;
#else
  return false;
#endif
}

}  // namespace

class FormulaParser::NativeCompiler {
 public:
  NativeCompiler(const FormulaParser& parser, bool counting)
      : parser_(parser), counting_(counting) {}

  // Code of ours the machine code should lie near.
  static const void* Anchor() { return reinterpret_cast<const void*>(&CallGcd); }

  // The code, or nothing when the program is beyond this generator.
  std::vector<std::uint8_t> Build() {
    if (!Supported()) return {};
    // Programs without helper calls need no frame; the first attempt finds out.
    for (const bool frame : {false, true}) {
      X86Assembler assembler;
      assembler_ = &assembler;
      frame_ = frame;
      needsFrame_ = false;
      if (Translate()) return assembler.Finish();
      if (!needsFrame_) return {};
    }
    return {};
  }

 private:
  // The right operand of a binary operation.
  struct Right {
    enum Kind : std::uint8_t { InRegister, InVariable, IsConstant };
    Kind kind = InRegister;
    int xmm = 0;
    std::uint8_t slot = 0;
    double value = 0.0;
  };
  // Failing paths placed after the body: raise the code, zero the register, jump back.
  struct ColdPath {
    X86Assembler::Label entry = 0;
    X86Assembler::Label back = 0;
    FormulaError code = SyntaxError;
    int xmm = 0;
  };

  using UnaryHelper = double (*)(double, FormulaParser*);

  // The code counts a division by incrementing the word at trackedCounts_ plus 0 for a
  // positive divisor and plus 2 for a negative one, the second taken as rax * 2 with
  // rax the comparison's 0 or 1; and it raises an error by storing single bytes.
  static constexpr std::int32_t kNegativeCounter = 2;
  static_assert(std::is_standard_layout_v<DivisionCounts>);
  static_assert(offsetof(DivisionCounts, positive) == 0);
  static_assert(offsetof(DivisionCounts, negative) == kNegativeCounter);
  static_assert(sizeof(DivisionCounts::positive) == 2 && sizeof(DivisionCounts::negative) == 2);
  static_assert(sizeof(FormulaParser::hasError_) == 1 && sizeof(FormulaParser::errorCode_) == 1);

  static int Xmm(int position) { return position - 1; }
  Register Base() const { return frame_ ? Rbx : Rdi; }
  std::int32_t OffsetOf(const void* field) const {
    return std::int32_t(static_cast<const char*>(field) - reinterpret_cast<const char*>(&parser_));
  }
  Operand VariableOperand(std::uint8_t slot) const {
    return Operand::At(Base(), OffsetOf(&parser_.variables_[slot]));
  }
  Operand RightOperand(const Right& right) {
    switch (right.kind) {
      case Right::InRegister:
        return Operand::InXmm(right.xmm);
      case Right::InVariable:
        return VariableOperand(right.slot);
      default:
        return assembler_->Constant(right.value);
    }
  }

  bool Translate();
  bool TranslateInstruction(const Instruction& instruction);
  bool Push();
  void LoadVariable(std::uint8_t slot) {
    assembler_->Sse(MovsdLoad, Xmm(position_), VariableOperand(slot));
  }
  void LoadConstant(double value);
  bool Binary(std::uint8_t kind, std::uint8_t form, const Instruction& instruction);
  bool ApplyBinary(std::uint8_t kind, int left, const Right& right);
  void Divide(int left, const Right& right);
  void Extremum(SseOp op, int left, const Right& right);
  bool Function(std::uint8_t code, int position);
  void Sqrt(int position);
  bool Call(const void* helper, int left, const Right* right);
  void Raise(FormulaError code) {
    assembler_->StoreByte(Base(), OffsetOf(&parser_.hasError_), 1);
    assembler_->StoreByte(Base(), OffsetOf(&parser_.errorCode_), code);
  }
  // Jumps to a cold path that raises code and zeroes the position's register.
  void FailIf(Condition condition, FormulaError code, int position);
  void EmitColdPaths();

  template <std::uint8_t Code>
  static double CallFunction(double x, FormulaParser* parser) {
    if (const MaybeError error = ApplyFunction(Code, x, parser->randomState_)) {
      parser->Raise(*error);
    }
    return x;
  }
  static double CallRemainder(double a, double b, FormulaParser* parser) {
    if (const MaybeError error = Remainder(a, b)) parser->Raise(*error);
    return a;
  }
  static double CallPower(double a, double b, FormulaParser* parser) {
    if (const MaybeError error = Power(a, b)) parser->Raise(*error);
    return a;
  }
  static double CallLogarithm(double a, double b, FormulaParser* parser) {
    if (const MaybeError error = Logarithm(a, b)) parser->Raise(*error);
    return a;
  }
  static double CallGcd(double a, double b, FormulaParser*) { return Gcd(a, b); }
  static UnaryHelper FunctionHelper(std::uint8_t code);

  const FormulaParser& parser_;
  const bool counting_;
  X86Assembler* assembler_ = nullptr;
  bool frame_ = false;
  bool needsFrame_ = false;
  int position_ = 0;
  std::vector<ColdPath> coldPaths_;
};

bool FormulaParser::NativeCompiler::Translate() {
  X86Assembler& a = *assembler_;
  position_ = 0;
  coldPaths_.clear();
  if (counting_ && parser_.trackedCounts_ == nullptr) return false;
  for (std::size_t i = 0; i < kEntryOffset; ++i) a.Trap();
  a.BranchTarget();
  if (frame_) {
    a.Push(Rbx);
    a.MoveRegister(Rbx, Rdi);
    a.AdjustStack(-kFrameBytes);
  }
  for (const Instruction& instruction : parser_.flatProgram_) {
    if (!TranslateInstruction(instruction)) return false;
  }
  if (position_ == 0) {
    a.Sse(Xorpd, 0, Operand::InXmm(0));
  } else if (position_ > 1) {
    a.Sse(Movapd, 0, Operand::InXmm(Xmm(position_)));
  }
  if (frame_) {
    a.AdjustStack(kFrameBytes);
    a.Pop(Rbx);
  }
  a.Return();
  EmitColdPaths();
  return true;
}

bool FormulaParser::NativeCompiler::TranslateInstruction(const Instruction& instruction) {
  const std::uint8_t op = instruction.op;
  switch (op) {
    case OpLoadVariable:
      if (!Push()) return false;
      LoadVariable(instruction.slot);
      return true;
    case OpLoadConstant:
      if (!Push()) return false;
      LoadConstant(instruction.value);
      return true;
    case OpPop:
      // The value below is already in its register.
      return --position_ >= 0;
    case OpNegate:
      if (position_ < 1) return false;
      assembler_->Sse(Xorpd, Xmm(position_), assembler_->Mask(kSignBit));
      return true;
    case OpRaise:
      Raise(FormulaError(instruction.arg));
      return true;
    case OpStore:
      if (position_ < 1) return false;
      assembler_->Sse(MovsdStore, Xmm(position_), VariableOperand(instruction.slot));
      return true;
    default:
      break;
  }
  if (IsBinary(op)) return Binary(KindOf(op), FormOf(op), instruction);
  if (op < kFunctionBase || FunctionCodeOf(op) > FunctionCount) return false;
  if (!IsFunctionOnAccumulator(op)) {
    if (!Push()) return false;
    LoadVariable(instruction.slot);
  }
  return position_ >= 1 && Function(FunctionCodeOf(op), position_);
}

bool FormulaParser::NativeCompiler::Push() {
  if (position_ >= kMaxPosition) return false;
  ++position_;
  return true;
}

void FormulaParser::NativeCompiler::LoadConstant(double value) {
  if (value == 0.0 && !std::signbit(value)) {
    assembler_->Sse(Xorpd, Xmm(position_), Operand::InXmm(Xmm(position_)));
  } else {
    assembler_->Sse(MovsdLoad, Xmm(position_), assembler_->Constant(value));
  }
}

bool FormulaParser::NativeCompiler::Binary(std::uint8_t kind, std::uint8_t form,
                                           const Instruction& instruction) {
  Right right;
  switch (form) {
    case FormStack:
      if (position_ < 2) return false;
      right = {Right::InRegister, Xmm(position_), 0, 0.0};
      --position_;
      break;
    case FormVariable:
    case FormVariableVariable:
    case FormConstantVariable:
      right = {Right::InVariable, 0, form == FormVariable ? instruction.slot : instruction.slot2,
               0.0};
      break;
    default:
      right = {Right::IsConstant, 0, 0, instruction.value};
      break;
  }
  if (form == FormVariableVariable || form == FormVariableConstant) {
    if (!Push()) return false;
    LoadVariable(instruction.slot);
    // A variable with itself reads memory once.
    if (form == FormVariableVariable && instruction.slot == instruction.slot2) {
      right = {Right::InRegister, Xmm(position_), 0, 0.0};
    }
  } else if (form == FormConstantVariable) {
    if (!Push()) return false;
    LoadConstant(instruction.value);
  }
  return position_ >= 1 && ApplyBinary(kind, position_, right);
}

bool FormulaParser::NativeCompiler::ApplyBinary(std::uint8_t kind, int left, const Right& right) {
  X86Assembler& a = *assembler_;
  switch (kind) {
    case KindAdd:
      a.Sse(Addsd, Xmm(left), RightOperand(right));
      return true;
    case KindSubtract:
      a.Sse(Subsd, Xmm(left), RightOperand(right));
      return true;
    case KindMultiply:
      a.Sse(Mulsd, Xmm(left), RightOperand(right));
      return true;
    case KindDivide:
      Divide(left, right);
      return true;
    case KindRemainder:
      return Call(reinterpret_cast<const void*>(&CallRemainder), left, &right);
    case KindPower:
      // The shared rule squares by one multiplication, and 2 is an integer.
      if (right.kind == Right::IsConstant && right.value == 2.0) {
        a.Sse(Mulsd, Xmm(left), Operand::InXmm(Xmm(left)));
        return true;
      }
      return Call(reinterpret_cast<const void*>(&CallPower), left, &right);
    case KindGcd:
      return Call(reinterpret_cast<const void*>(&CallGcd), left, &right);
    case KindLogarithm:
      return Call(reinterpret_cast<const void*>(&CallLogarithm), left, &right);
    case KindMaximum:
      Extremum(Maxsd, left, right);
      return true;
    case KindMinimum:
      Extremum(Minsd, left, right);
      return true;
    default:
      return false;
  }
}

void FormulaParser::NativeCompiler::Divide(int left, const Right& right) {
  X86Assembler& a = *assembler_;
  const std::int32_t counts = counting_ ? OffsetOf(parser_.trackedCounts_) : 0;
  if (right.kind == Right::IsConstant) {
    // The divisor's test is decided here.
    if (right.value == 0.0) {
      Raise(DivisionByZero);
      a.Sse(Xorpd, Xmm(left), Operand::InXmm(Xmm(left)));
      return;
    }
    if (counting_) {
      a.IncrementWord(Operand::At(Base(), counts + (right.value > 0.0 ? 0 : kNegativeCounter)));
    }
    a.Sse(Divsd, Xmm(left), a.Constant(right.value));
    return;
  }
  int divisor = right.xmm;
  if (right.kind != Right::InRegister) {
    a.Sse(MovsdLoad, kScratch, RightOperand(right));
    divisor = kScratch;
  }
  if (counting_) a.ClearEax();
  a.Sse(Ucomisd, divisor, a.Constant(0.0));
  // Unordered (a NaN divisor) is not zero; equal is.
  const X86Assembler::Label nonzero = a.NewLabel();
  a.JumpIf(Parity, nonzero);
  FailIf(Equal, DivisionByZero, left);
  a.Bind(nonzero);
  if (counting_) {
    // Positive when above zero; below or unordered counts as negative.
    a.SetBelowOrEqualAl();
    a.IncrementWord(Operand::AtRaxTimesTwo(Base(), counts));
  }
  a.Sse(Divsd, Xmm(left), Operand::InXmm(divisor));
  a.Bind(coldPaths_.back().back);
}

void FormulaParser::NativeCompiler::Extremum(SseOp op, int left, const Right& right) {
  // maxsd d, s gives d > s ? d : s, and minsd d < s ? d : s; with d the right operand
  // and s the left that is exactly Maximum(left, right) and Minimum(left, right),
  // NaNs and signed zeros included.
  X86Assembler& a = *assembler_;
  a.Sse(right.kind == Right::InRegister ? Movapd : MovsdLoad, kScratch, RightOperand(right));
  a.Sse(op, kScratch, Operand::InXmm(Xmm(left)));
  a.Sse(Movapd, Xmm(left), Operand::InXmm(kScratch));
}

bool FormulaParser::NativeCompiler::Function(std::uint8_t code, int position) {
  switch (code) {
    case FnAbs:
      assembler_->Sse(Andpd, Xmm(position), assembler_->Mask(~kSignBit));
      return true;
    case FnSqrt:
      Sqrt(position);
      return true;
    default:
      return Call(reinterpret_cast<const void*>(FunctionHelper(code)), position, nullptr);
  }
}

void FormulaParser::NativeCompiler::Sqrt(int position) {
  X86Assembler& a = *assembler_;
  // 0 > x is x < 0, false for a NaN.
  a.Sse(Xorpd, kScratch, Operand::InXmm(kScratch));
  a.Sse(Ucomisd, kScratch, Operand::InXmm(Xmm(position)));
  FailIf(Above, SqrtDomain, position);
  a.Sse(Sqrtsd, Xmm(position), Operand::InXmm(Xmm(position)));
  a.Bind(coldPaths_.back().back);
}

void FormulaParser::NativeCompiler::FailIf(Condition condition, FormulaError code, int position) {
  ColdPath cold{assembler_->NewLabel(), assembler_->NewLabel(), code, Xmm(position)};
  assembler_->JumpIf(condition, cold.entry);
  coldPaths_.push_back(cold);
}

void FormulaParser::NativeCompiler::EmitColdPaths() {
  X86Assembler& a = *assembler_;
  for (const ColdPath& cold : coldPaths_) {
    a.Bind(cold.entry);
    Raise(cold.code);
    a.Sse(Xorpd, cold.xmm, Operand::InXmm(cold.xmm));
    a.Jump(cold.back);
  }
}

bool FormulaParser::NativeCompiler::Call(const void* helper, int left, const Right* right) {
  if (!frame_) {
    needsFrame_ = true;
    return false;
  }
  X86Assembler& a = *assembler_;
  // Every xmm register is the callee's to change: save the positions below the left
  // operand, pass the operands in xmm0 and xmm1 and the parser in rdi.
  const int saved = Xmm(left);
  for (int i = 0; i < saved; ++i) a.Sse(MovsdStore, i, Operand::At(Rsp, 8 * i));
  if (saved != 0) a.Sse(Movapd, 0, Operand::InXmm(saved));
  if (right != nullptr && !(right->kind == Right::InRegister && right->xmm == 1)) {
    a.Sse(right->kind == Right::InRegister ? Movapd : MovsdLoad, 1, RightOperand(*right));
  }
  a.MoveRegister(Rdi, Rbx);
  a.CallAbsolute(helper);
  if (saved != 0) a.Sse(Movapd, saved, Operand::InXmm(0));
  for (int i = 0; i < saved; ++i) a.Sse(MovsdLoad, i, Operand::At(Rsp, 8 * i));
  return true;
}

FormulaParser::NativeCompiler::UnaryHelper FormulaParser::NativeCompiler::FunctionHelper(
    std::uint8_t code) {
  static constexpr std::array<UnaryHelper, FunctionCount> kHelpers = {
      &CallFunction<FnSin>,   &CallFunction<FnCos>,    &CallFunction<FnTg>,
      &CallFunction<FnCtg>,   &CallFunction<FnArcsin>, &CallFunction<FnArccos>,
      &CallFunction<FnArctg>, &CallFunction<FnArcctg>, &CallFunction<FnSqrt>,
      &CallFunction<FnAbs>,   &CallFunction<FnLn>,     &CallFunction<FnExp>,
      &CallFunction<FnInt>,   &CallFunction<FnFract>,  &CallFunction<FnSign>,
      &CallFunction<FnRand>,
  };
  return kHelpers[code - 1];
}

void FormulaParser::BuildNativeCode() {
  NativeCompiler compiler(*this, flatKind_ == FlatKind::Counting);
  const std::vector<std::uint8_t> code = compiler.Build();
  if (code.empty() || !nativeCode_.Load(code, compiler.Anchor())) return;
  const void* entry = nativeCode_.Start() + kEntryOffset;
  nativeEntry_ = reinterpret_cast<NativeEntry>(const_cast<void*>(entry));
}

}  // namespace lw
