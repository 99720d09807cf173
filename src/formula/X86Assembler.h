// Just enough of an x86-64 assembler for formula code: scalar double arithmetic in
// the SSE2 registers, byte and word stores for the error fields and the division
// counters, calls through a register, forward jumps and a pool of constants placed
// after the code and addressed relative to the instruction pointer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace lw::formula_internal {

// General-purpose registers by their encoding. The encoder writes no REX.B bit for a
// base or pushed register, so only the first eight can be named.
enum Register : std::uint8_t { Rax = 0, Rbx = 3, Rsp = 4, Rdi = 7 };
static_assert(Rax < 8 && Rbx < 8 && Rsp < 8 && Rdi < 8);

// Condition codes for the jumps, as ucomisd leaves the flags.
enum Condition : std::uint8_t {
  Below = 0x2,
  Equal = 0x4,
  BelowOrEqual = 0x6,
  Above = 0x7,
  Parity = 0xA,
};

// SSE2 operations: the mandatory prefix in the high byte, the opcode after 0F in the low.
enum SseOp : std::uint16_t {
  MovsdLoad = 0xF210,
  MovsdStore = 0xF211,
  Movapd = 0x6628,
  Addsd = 0xF258,
  Mulsd = 0xF259,
  Subsd = 0xF25C,
  Divsd = 0xF25E,
  Sqrtsd = 0xF251,
  Minsd = 0xF25D,
  Maxsd = 0xF25F,
  Andpd = 0x6654,
  Xorpd = 0x6657,
  Ucomisd = 0x662E,
};

// An operand of an SSE2 instruction: an xmm register, [base + displacement],
// [base + rax * 2 + displacement], or a pool constant.
struct Operand {
  enum Kind : std::uint8_t { Xmm, Based, BasedIndexed, Pool };
  Kind kind = Xmm;
  std::uint8_t reg = 0;
  std::int32_t displacement = 0;
  std::size_t entry = 0;

  static Operand InXmm(int xmm) { return {Xmm, std::uint8_t(xmm), 0, 0}; }
  static Operand At(Register base, std::int32_t displacement) {
    return {Based, base, displacement, 0};
  }
  static Operand AtRaxTimesTwo(Register base, std::int32_t displacement) {
    return {BasedIndexed, base, displacement, 0};
  }
};

class X86Assembler {
 public:
  using Label = std::size_t;

  // The pool entry of an 8-byte constant, or of a 16-byte mask for the packed ops.
  Operand Constant(double value);
  Operand Mask(std::uint64_t bits);

  void Sse(SseOp op, int xmm, const Operand& operand);
  void StoreByte(Register base, std::int32_t displacement, std::uint8_t value);
  void IncrementWord(const Operand& memory);
  void ClearEax();
  void SetBelowOrEqualAl();
  void Push(Register reg);
  void Pop(Register reg);
  void MoveRegister(Register to, Register from);
  void AdjustStack(std::int32_t bytes);
  void CallAbsolute(const void* function);
  void Return();
  void Trap();
  void BranchTarget();

  Label NewLabel();
  void Bind(Label label);
  void Jump(Label label);
  void JumpIf(Condition condition, Label label);

  // The code with the pool after it; the entry point is at the start. Empty when an
  // instruction broke an assumption of this encoder (a register it cannot encode, an
  // immediate after an instruction-relative operand, a label bound twice or never),
  // so the caller keeps a slower path rather than running wrong code.
  std::vector<std::uint8_t> Finish();

 private:
  void Byte(std::uint8_t byte) { code_.push_back(byte); }
  void Require(bool holds) { valid_ = valid_ && holds; }
  void Word32(std::uint32_t value);
  // The ModRM byte and what follows it; trailingBytes counts the immediate the caller
  // writes after it, which an instruction-relative operand cannot have (its
  // displacement is patched relative to its own end, taken as the instruction's end).
  void ModRm(int reg, const Operand& operand, int trailingBytes = 0);
  void LabelReference(Label label);

  struct Patch {
    std::size_t at = 0;
    std::size_t target = 0;
  };
  std::vector<std::uint8_t> code_;
  // Pool entries by their bits; masks take 16 bytes, constants 8.
  std::vector<std::uint64_t> pool_;
  std::vector<bool> poolIsMask_;
  std::map<std::pair<std::uint64_t, bool>, std::size_t> poolIndex_;
  std::vector<Patch> poolPatches_;
  std::vector<std::size_t> labels_;
  std::vector<Patch> labelPatches_;
  bool valid_ = true;
};

}  // namespace lw::formula_internal
