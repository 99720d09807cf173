// The machine-code encoder against bytes checked with an independent assembler, and
// its refusal of instructions it cannot encode.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "formula/X86Assembler.h"

namespace lw::formula_internal {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct EncodingCase {
  const char* name;
  std::function<void(X86Assembler&)> emit;
  Bytes expected;
};

std::ostream& operator<<(std::ostream& out, const EncodingCase& c) {
  return out << c.name;
}

// Without pool constants the code ends at the padding to a cache line.
Bytes Body(Bytes code) {
  while (!code.empty() && code.back() == 0xCC) code.pop_back();
  return code;
}

const EncodingCase kEncodings[] = {
    {"addsd_xmm1_xmm2",
     [](X86Assembler& a) { a.Sse(Addsd, 1, Operand::InXmm(2)); },
     {0xF2, 0x0F, 0x58, 0xCA}},
    {"addsd_xmm9_xmm10_needs_REX_RB",
     [](X86Assembler& a) { a.Sse(Addsd, 9, Operand::InXmm(10)); },
     {0xF2, 0x45, 0x0F, 0x58, 0xCA}},
    {"movsd_load_from_rdi_plus_disp32",
     [](X86Assembler& a) { a.Sse(MovsdLoad, 0, Operand::At(Rdi, 0x10000)); },
     {0xF2, 0x0F, 0x10, 0x87, 0x00, 0x00, 0x01, 0x00}},
    {"movsd_store_to_rsp_needs_a_SIB_byte",
     [](X86Assembler& a) { a.Sse(MovsdStore, 3, Operand::At(Rsp, 0x10000)); },
     {0xF2, 0x0F, 0x11, 0x9C, 0x24, 0x00, 0x00, 0x01, 0x00}},
    {"mulsd_from_rbx_plus_rax_times_2",
     [](X86Assembler& a) { a.Sse(Mulsd, 2, Operand::AtRaxTimesTwo(Rbx, 0x20000)); },
     {0xF2, 0x0F, 0x59, 0x94, 0x43, 0x00, 0x00, 0x02, 0x00}},
    {"ucomisd_xmm15_xmm0",
     [](X86Assembler& a) { a.Sse(Ucomisd, 15, Operand::InXmm(0)); },
     {0x66, 0x44, 0x0F, 0x2E, 0xF8}},
    {"movapd_xmm0_xmm15",
     [](X86Assembler& a) { a.Sse(Movapd, 0, Operand::InXmm(15)); },
     {0x66, 0x41, 0x0F, 0x28, 0xC7}},
    {"andpd_xmm12_xmm1",
     [](X86Assembler& a) { a.Sse(Andpd, 12, Operand::InXmm(1)); },
     {0x66, 0x44, 0x0F, 0x54, 0xE1}},
    {"sqrtsd_xmm5_xmm5",
     [](X86Assembler& a) { a.Sse(Sqrtsd, 5, Operand::InXmm(5)); },
     {0xF2, 0x0F, 0x51, 0xED}},
    {"byte_store_with_its_immediate_last",
     [](X86Assembler& a) { a.StoreByte(Rdi, 0x100, 4); },
     {0xC6, 0x87, 0x00, 0x01, 0x00, 0x00, 0x04}},
    {"word_increment",
     [](X86Assembler& a) { a.IncrementWord(Operand::At(Rbx, 0x30000)); },
     {0x66, 0xFF, 0x83, 0x00, 0x00, 0x03, 0x00}},
    {"xor_eax_eax_then_setbe_al",
     [](X86Assembler& a) {
       a.ClearEax();
       a.SetBelowOrEqualAl();
     },
     {0x31, 0xC0, 0x0F, 0x96, 0xC0}},
    {"frame_of_push_mov_add_pop_ret",
     [](X86Assembler& a) {
       a.Push(Rbx);
       a.MoveRegister(Rbx, Rdi);
       a.AdjustStack(-128);
       a.Pop(Rbx);
       a.Return();
     },
     {0x53, 0x48, 0x89, 0xFB, 0x48, 0x81, 0xC4, 0x80, 0xFF, 0xFF, 0xFF, 0x5B, 0xC3}},
    {"endbr64", [](X86Assembler& a) { a.BranchTarget(); }, {0xF3, 0x0F, 0x1E, 0xFA}},
    {"call_through_rax",
     [](X86Assembler& a) { a.CallAbsolute(reinterpret_cast<const void*>(0x1122334455667788)); },
     {0x48, 0xB8, 0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11, 0xFF, 0xD0}},
    {"forward_jump_over_one_byte",
     [](X86Assembler& a) {
       const X86Assembler::Label over = a.NewLabel();
       a.Jump(over);
       a.Return();
       a.Bind(over);
       a.Return();
     },
     {0xE9, 0x01, 0x00, 0x00, 0x00, 0xC3, 0xC3}},
    {"jump_if_parity_to_the_very_next_instruction",
     [](X86Assembler& a) {
       const X86Assembler::Label next = a.NewLabel();
       a.JumpIf(Parity, next);
       a.Bind(next);
       a.Return();
     },
     {0x0F, 0x8A, 0x00, 0x00, 0x00, 0x00, 0xC3}},
};

class Encoding : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(Encoding, MatchesKnownBytes) {
  X86Assembler assembler;
  GetParam().emit(assembler);
  EXPECT_EQ(Body(assembler.Finish()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Instructions, Encoding, ::testing::ValuesIn(kEncodings), test::CaseName());

TEST(EncodingPool, MasksComeFirstAndOperandsPointAtTheirEntries) {
  X86Assembler assembler;
  assembler.Sse(MovsdLoad, 0, assembler.Constant(1.0));
  assembler.Sse(Xorpd, 1, assembler.Mask(0x8000000000000000u));
  assembler.Sse(Addsd, 0, assembler.Constant(1.0));
  const Bytes code = assembler.Finish();
  // Three 8-byte instructions, padding to 64, a 16-byte mask, then the one constant.
  ASSERT_EQ(code.size(), 64u + 16u + 8u);
  // Each displacement counts from the end of its own instruction.
  const auto target = [&code](std::size_t displacementAt) {
    std::int32_t relative = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      relative |= std::int32_t(code[displacementAt + i]) << (8 * i);
    }
    return std::size_t(std::int64_t(displacementAt) + 4 + relative);
  };
  EXPECT_EQ(target(4), 80u);
  EXPECT_EQ(target(12), 64u);
  EXPECT_EQ(target(20), 80u);
  EXPECT_EQ(Bytes(code.begin() + 80, code.end()),
            (Bytes{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F}));
  EXPECT_EQ(Bytes(code.begin() + 64, code.begin() + 80),
            (Bytes{0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0, 0, 0, 0, 0, 0, 0x80}));
}

// Code the encoder cannot write correctly comes back empty, so the caller keeps the
// flat program instead of running it.
struct RefusalCase {
  const char* name;
  std::function<void(X86Assembler&)> emit;
};

std::ostream& operator<<(std::ostream& out, const RefusalCase& c) {
  return out << c.name;
}

const RefusalCase kRefusals[] = {
    {"jump_to_a_label_never_bound",
     [](X86Assembler& a) {
       a.Jump(a.NewLabel());
       a.Return();
     }},
    {"label_bound_twice",
     [](X86Assembler& a) {
       const X86Assembler::Label label = a.NewLabel();
       a.Bind(label);
       a.Return();
       a.Bind(label);
     }},
    {"base_register_beyond_the_first_eight",
     [](X86Assembler& a) { a.Sse(MovsdLoad, 0, Operand::At(Register(9), 0)); }},
    {"pushed_register_beyond_the_first_eight", [](X86Assembler& a) { a.Push(Register(12)); }},
    {"xmm_register_beyond_fifteen", [](X86Assembler& a) { a.Sse(Addsd, 16, Operand::InXmm(0)); }},
};

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, GivesNoCode) {
  X86Assembler assembler;
  GetParam().emit(assembler);
  EXPECT_TRUE(assembler.Finish().empty());
}

INSTANTIATE_TEST_SUITE_P(Assumptions, Refusal, ::testing::ValuesIn(kRefusals), test::CaseName());

}  // namespace
}  // namespace lw::formula_internal
