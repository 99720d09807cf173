#include "formula/X86Assembler.h"

#include <cstring>
#include <utility>

namespace lw::formula_internal {

namespace {
constexpr std::uint8_t kRexW = 0x48;
constexpr std::uint8_t kInt3 = 0xCC;
constexpr std::size_t kUnbound = SIZE_MAX;
}  // namespace

Operand X86Assembler::Constant(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const auto [it, added] = poolIndex_.try_emplace({bits, false}, pool_.size());
  if (added) {
    pool_.push_back(bits);
    poolIsMask_.push_back(false);
  }
  return {Operand::Pool, 0, 0, it->second};
}

Operand X86Assembler::Mask(std::uint64_t bits) {
  const auto [it, added] = poolIndex_.try_emplace({bits, true}, pool_.size());
  if (added) {
    pool_.push_back(bits);
    poolIsMask_.push_back(true);
  }
  return {Operand::Pool, 0, 0, it->second};
}

void X86Assembler::Word32(std::uint32_t value) {
  for (int i = 0; i < 4; ++i) Byte(std::uint8_t(value >> (8 * i)));
}

void X86Assembler::ModRm(int reg, const Operand& operand, int trailingBytes) {
  Require(reg >= 0 && reg < 16);
  Require(operand.kind == Operand::Xmm ? operand.reg < 16 : operand.reg < 8);
  Require(operand.kind != Operand::Pool || trailingBytes == 0);
  const int r = (reg & 7) << 3;
  switch (operand.kind) {
    case Operand::Xmm:
      Byte(std::uint8_t(0xC0 | r | (operand.reg & 7)));
      return;
    case Operand::Based:
      if (operand.reg == Rsp) {
        Byte(std::uint8_t(0x84 | r));
        Byte(0x24);
      } else {
        Byte(std::uint8_t(0x80 | r | operand.reg));
      }
      Word32(std::uint32_t(operand.displacement));
      return;
    case Operand::BasedIndexed:
      // Scale 2, index rax.
      Byte(std::uint8_t(0x84 | r));
      Byte(std::uint8_t(0x40 | (Rax << 3) | operand.reg));
      Word32(std::uint32_t(operand.displacement));
      return;
    case Operand::Pool:
      Byte(std::uint8_t(0x05 | r));
      poolPatches_.push_back({code_.size(), operand.entry});
      Word32(0);
      return;
  }
}

void X86Assembler::Sse(SseOp op, int xmm, const Operand& operand) {
  Require(xmm >= 0 && xmm < 16);
  Byte(std::uint8_t(op >> 8));
  const bool extendedRm = operand.kind == Operand::Xmm && operand.reg >= 8;
  const std::uint8_t rex = std::uint8_t(0x40 | (xmm >= 8 ? 4 : 0) | (extendedRm ? 1 : 0));
  if (rex != 0x40) Byte(rex);
  Byte(0x0F);
  Byte(std::uint8_t(op & 0xFF));
  ModRm(xmm, operand);
}

void X86Assembler::StoreByte(Register base, std::int32_t displacement, std::uint8_t value) {
  Byte(0xC6);
  ModRm(0, Operand::At(base, displacement), 1);
  Byte(value);
}

void X86Assembler::IncrementWord(const Operand& memory) {
  Byte(0x66);
  Byte(0xFF);
  ModRm(0, memory);
}

void X86Assembler::ClearEax() {
  Byte(0x31);
  Byte(0xC0);
}

void X86Assembler::SetBelowOrEqualAl() {
  Byte(0x0F);
  Byte(0x96);
  Byte(0xC0);
}

void X86Assembler::Push(Register reg) {
  Require(reg < 8);
  Byte(std::uint8_t(0x50 + reg));
}

void X86Assembler::Pop(Register reg) {
  Require(reg < 8);
  Byte(std::uint8_t(0x58 + reg));
}

void X86Assembler::MoveRegister(Register to, Register from) {
  Require(to < 8 && from < 8);
  Byte(kRexW);
  Byte(0x89);
  Byte(std::uint8_t(0xC0 | (from << 3) | to));
}

void X86Assembler::AdjustStack(std::int32_t bytes) {
  // add rsp, imm32 (a negative amount reserves space).
  Byte(kRexW);
  Byte(0x81);
  Byte(0xC4);
  Word32(std::uint32_t(bytes));
}

void X86Assembler::CallAbsolute(const void* function) {
  // mov rax, imm64; call rax: the code may lie anywhere relative to the helpers.
  Byte(kRexW);
  Byte(0xB8);
  const auto address = reinterpret_cast<std::uintptr_t>(function);
  for (int i = 0; i < 8; ++i) Byte(std::uint8_t(std::uint64_t(address) >> (8 * i)));
  Byte(0xFF);
  Byte(0xD0);
}

void X86Assembler::Return() {
  Byte(0xC3);
}

void X86Assembler::Trap() {
  Byte(kInt3);
}

void X86Assembler::BranchTarget() {
  // endbr64, a no-op where indirect branch tracking is off.
  for (const std::uint8_t byte : {0xF3, 0x0F, 0x1E, 0xFA}) Byte(byte);
}

X86Assembler::Label X86Assembler::NewLabel() {
  labels_.push_back(kUnbound);
  return labels_.size() - 1;
}

void X86Assembler::Bind(Label label) {
  Require(label < labels_.size() && labels_[label] == kUnbound);
  if (label < labels_.size()) labels_[label] = code_.size();
}

void X86Assembler::LabelReference(Label label) {
  labelPatches_.push_back({code_.size(), label});
  Word32(0);
}

void X86Assembler::Jump(Label label) {
  Byte(0xE9);
  LabelReference(label);
}

void X86Assembler::JumpIf(Condition condition, Label label) {
  Byte(0x0F);
  Byte(std::uint8_t(0x80 | condition));
  LabelReference(label);
}

std::vector<std::uint8_t> X86Assembler::Finish() {
  const auto patch = [this](std::size_t at, std::size_t target) {
    const auto relative = std::uint32_t(std::int64_t(target) - std::int64_t(at + 4));
    for (int i = 0; i < 4; ++i) code_[at + std::size_t(i)] = std::uint8_t(relative >> (8 * i));
  };
  for (const Patch& p : labelPatches_) {
    // A jump to a label never bound would land on whatever follows the code.
    Require(p.target < labels_.size() && labels_[p.target] != kUnbound);
    if (!valid_) return {};
    patch(p.at, labels_[p.target]);
  }
  if (!valid_) return {};
  // The pool starts on a cache line of its own; the masks, read 16 bytes at a time
  // and so aligned to 16, come first.
  while (code_.size() % 64 != 0) Byte(kInt3);
  std::vector<std::size_t> positions(pool_.size());
  for (const bool masks : {true, false}) {
    for (std::size_t i = 0; i < pool_.size(); ++i) {
      if (poolIsMask_[i] != masks) continue;
      positions[i] = code_.size();
      for (int half = 0; half < (masks ? 2 : 1); ++half) {
        for (int b = 0; b < 8; ++b) Byte(std::uint8_t(pool_[i] >> (8 * b)));
      }
    }
  }
  for (const Patch& p : poolPatches_) patch(p.at, positions[p.target]);
  return std::move(code_);
}

}  // namespace lw::formula_internal
