// The machine code made from the flat program: it must be in use where the generator
// can translate the program, step aside where it cannot, and agree with the flat
// program and the grammar bit for bit, in every code and counter.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "CaseNames.h"
#include "FormulaTestSupport.h"
#include "formula/FormulaParser.h"

namespace lw {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Values reaching the edges of every domain rule, both zeros, infinities and NaN.
const std::vector<double> kEdgeValues = {0.0,    -0.0,  1.0,    -1.0, 0.5,   -0.5,
                                         2.0,    -2.0,  3.0,    1e16, -1e16, 709.79,
                                         1e-310, 1e308, -1e308, kInf, -kInf, kNaN};

// Two evaluations in a row (the second continues the random sequence and reads what
// the first assigned), and the variable A afterwards.
struct TwoOutcomes {
  Outcome first;
  Outcome second;
  Outcome assigned;
  bool operator==(const TwoOutcomes& other) const {
    return first == other.first && second == other.second && assigned == other.assigned;
  }
};

std::ostream& operator<<(std::ostream& out, const TwoOutcomes& outcomes) {
  return out << outcomes.first << " then " << outcomes.second << ", A " << outcomes.assigned;
}

// A text compiled once, one way, on a division tracker, evaluated for many X and Y.
class CompiledWay {
 public:
  CompiledWay(const std::string& text, Way way) {
    parser_.Compile(text);
    SelectWay(parser_, way);
  }
  bool Native() const { return parser_.HasNativeCode(); }
  TwoOutcomes Run(double x, double y) {
    parser_.ClearVariables();
    parser_.SetConstants();
    parser_.SetVariable("X", x);
    parser_.SetVariable("Y", y);
    parser_.SeedRandom(11);
    const Outcome first = Read(parser_, parser_.EvaluateCompiled());
    const Outcome second = Read(parser_, parser_.EvaluateCompiled());
    return {first, second, Outcome{parser_.Variable('A')}};
  }

 private:
  DivisionTrackingParser parser_;
};

TwoOutcomes CompiledOutcome(const std::string& text, Way way, double x, double y, bool* native) {
  CompiledWay compiled(text, way);
  if (native != nullptr) *native = compiled.Native();
  return compiled.Run(x, y);
}

// Expects the machine code in use and agreeing with both slower ways for every pair
// of edge values.
void ExpectAgreementOnEdges(const std::string& text) {
  CompiledWay machine(text, Way::Compiled);
  CompiledWay flat(text, Way::Flat);
  CompiledWay grammar(text, Way::Grammar);
  EXPECT_EQ(machine.Native(), kNativeCodeExpected) << text;
  int failures = 0;
  for (const double x : kEdgeValues) {
    for (const double y : kEdgeValues) {
      const TwoOutcomes expected = grammar.Run(x, y);
      const TwoOutcomes byMachine = machine.Run(x, y);
      const TwoOutcomes byFlat = flat.Run(x, y);
      if (!(byMachine == expected) || !(byFlat == expected)) {
        ADD_FAILURE() << text << " X=" << x << " Y=" << y << ": native " << byMachine << ", flat "
                      << byFlat << ", grammar " << expected;
        if (++failures > 5) return;
      }
    }
  }
}

TEST(NativeCode, EveryFunctionOnEdgeValues) {
  for (const char* name : {"SIN", "COS", "TG", "CTG", "ARCSIN", "ARCCOS", "ARCTG", "ARCCTG", "SQRT",
                           "ABS", "LN", "EXP", "INT", "FRACT", "SIGN", "RAND"}) {
    const std::string function = name;
    for (const std::string& text :
         {function + "(X)", function + " Y", "Y+" + function + "(X)*2",
          "(Y-1)*(X+2)/(Y+3)-" + function + "(X-Y)", "-" + function + "(X)#Y"}) {
      ExpectAgreementOnEdges(text);
    }
  }
}

TEST(NativeCode, EveryOperatorOnEdgeValues) {
  for (const char* op : {"+", "-", "*", "/", "%", "^", "$", "&", "#", "@"}) {
    const std::string o = op;
    for (const std::string& text :
         {"X" + o + "Y", "X" + o + "X", "Y" + o + "2", "2" + o + "Y", "(X+1)" + o + "(Y-1)",
          "1+(X*2)" + o + "Y", "X" + o + "0", "X" + o + "(0*(-1))", "A=X" + o + "Y",
          "(X" + o + "Y)" + o + "(Y" + o + "X)" + o + "(X" + o + "0.5)"}) {
      ExpectAgreementOnEdges(text);
    }
  }
}

TEST(NativeCode, ErrorsInEvaluationOrderLastWins) {
  for (const char* text :
       {"1/0+SQRT(-1)", "SQRT(-1)+1/0", "1/X+LN(Y)", "LN(Y)+1/X", "(X+1", "CTG(X)*ARCSIN(Y)/X",
        "X%Y+Y%X", "(1/X)&(Y/X)^0.5", "SIN COS X", "X COS Y", "((1/0", "X+1)", "A=(1/X+SQRT(Y)"}) {
    ExpectAgreementOnEdges(text);
  }
}

// 1+(1+(1+(...(X)...))) keeps one more value on the stack per level.
std::string Nested(int depth, const std::string& leaf, const std::string& step) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += step + "(";
  text += leaf;
  return text + std::string(std::size_t(depth), ')');
}

TEST(NativeCode, DeeperThanTheRegistersFallsBackToTheFlatProgram) {
  int translated = 0;
  for (int depth = 8; depth <= 20; ++depth) {
    for (const std::string& text : {Nested(depth, "X", "Y+"), Nested(depth, "SIN(X)", "COS(Y)*"),
                                    Nested(depth, "X/Y", "1/X-"), Nested(depth, "X^Y", "Y%")}) {
      bool native = false;
      const TwoOutcomes machine = CompiledOutcome(text, Way::Compiled, 0.7, -1.3, &native);
      const TwoOutcomes grammar = CompiledOutcome(text, Way::Grammar, 0.7, -1.3, nullptr);
      EXPECT_TRUE(machine == grammar) << text << ": " << machine << " vs " << grammar;
      translated += native;
      if (depth >= 16) {
        EXPECT_FALSE(native) << "needs more registers than there are: " << text;
      } else if (depth <= 13) {
        EXPECT_EQ(native, kNativeCodeExpected) << text;
      }
    }
  }
  EXPECT_EQ(translated > 20, kNativeCodeExpected);
}

TEST(NativeCode, ValuesSavedAcrossHelperCallsAtEveryDepth) {
  // Each level leaves values in registers while the functions inside are called.
  for (int depth = 1; depth <= 13; ++depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "(X+" + std::to_string(i) + ")*(EXP(Y)+";
    text += "SIN(X)^COS(Y)$(X&3)";
    for (int i = 0; i < depth; ++i) text += "))";
    bool native = false;
    const TwoOutcomes machine = CompiledOutcome(text, Way::Compiled, 1.25, 0.5, &native);
    const TwoOutcomes grammar = CompiledOutcome(text, Way::Grammar, 1.25, 0.5, nullptr);
    // Two values per level: the product's left operand and the sum's.
    if (depth <= 6) {
      EXPECT_EQ(native, kNativeCodeExpected) << depth;
    }
    EXPECT_TRUE(machine == grammar) << text << ": " << machine << " vs " << grammar;
  }
}

TEST(NativeCode, DivisionCountersWrapAt16Bits) {
  std::string formula = "X";
  for (int i = 0; i < 65538; ++i) formula += "/Y";
  for (const double y : {1.0, -1.0, kNaN}) {
    DivisionTrackingParser parser;
    parser.SetVariable("X", 1);
    parser.SetVariable("Y", y);
    parser.Compile(formula);
    ASSERT_EQ(parser.HasNativeCode(), kNativeCodeExpected);
    const Outcome machine = Read(parser, parser.EvaluateCompiled());
    SelectWay(parser, Way::Grammar);
    const Outcome grammar = Read(parser, parser.EvaluateCompiled());
    EXPECT_TRUE(machine == grammar) << machine << " vs " << grammar;
    EXPECT_EQ(machine.positive + machine.negative, 2) << "65538 divisions, 16-bit counters";
  }
}

TEST(NativeCode, InUseOnEveryKindOfParserAndSwitchable) {
  FormulaParser plain;
  DivisionTrackingParser tracking;
  for (FormulaParser* parser : {&plain, static_cast<FormulaParser*>(&tracking)}) {
    parser->Compile("(X+1)*(X-2)*(X+3)/(X*X+1)");
    EXPECT_EQ(parser->HasNativeCode(), kNativeCodeExpected);
    parser->UseNativeCode(false);
    EXPECT_FALSE(parser->HasNativeCode());
    EXPECT_TRUE(parser->HasFlatProgram());
    parser->UseNativeCode(true);
    parser->UseFlatProgram(false);
    EXPECT_FALSE(parser->HasNativeCode()) << "the grammar was asked for";
    parser->UseFlatProgram(true);
    EXPECT_EQ(parser->HasNativeCode(), kNativeCodeExpected);
  }
}

TEST(NativeCode, CompiledTwiceReleasedAndRecompiled) {
  DivisionTrackingParser parser;
  double& x = parser.VariableSlot('X');
  parser.Compile("1/(X-1)");
  x = 3;
  EXPECT_EQ(parser.EvaluateCompiled(), 0.5);
  EXPECT_EQ(parser.PositiveDivisions(), 1);
  parser.Compile("X*X-1");
  EXPECT_EQ(parser.HasNativeCode(), kNativeCodeExpected);
  EXPECT_EQ(parser.EvaluateCompiled(), 8.0);
  EXPECT_EQ(parser.PositiveDivisions(), 0);
  parser.ReleaseCompiled();
  EXPECT_FALSE(parser.HasNativeCode());
  EXPECT_EQ(parser.EvaluateCompiled(), 0.0);
  EXPECT_EQ(parser.ErrorCode(), NotAnExpression);
  parser.Compile("1/(X-1)");
  x = 1;
  EXPECT_EQ(parser.EvaluateCompiled(), 0.0);
  EXPECT_EQ(parser.ErrorCode(), DivisionByZero);
  parser.Compile("(X");
  EXPECT_EQ(parser.EvaluateCompiled(), 1.0);
  EXPECT_EQ(parser.ErrorCode(), UnbalancedParentheses);
  parser.Compile("");
  EXPECT_FALSE(parser.HasNativeCode());
  EXPECT_EQ(parser.EvaluateCompiled(), 0.0);
  EXPECT_EQ(parser.ErrorCode(), NotAnExpression);
}

TEST(NativeCode, ReadsTheSlotsAndAssignsPersistently) {
  FormulaParser parser;
  parser.Compile("A=A+X");
  ASSERT_EQ(parser.HasNativeCode(), kNativeCodeExpected);
  double& x = parser.VariableSlot('X');
  for (int i = 1; i <= 4; ++i) {
    x = i;
    parser.EvaluateCompiled();
  }
  EXPECT_EQ(parser.Variable('A'), 10.0);
  EXPECT_FALSE(parser.HasError());
}

// A division tracker gets machine code of its own that counts, as the plain parser
// gets code that does not.
TEST(NativeCode, UsedForTheDivisionTracker) {
  DivisionTrackingParser parser;
  parser.SetVariable("X", 4);
  parser.Compile("X/2");
  EXPECT_EQ(parser.HasNativeCode(), kNativeCodeExpected);
  EXPECT_EQ(parser.EvaluateCompiled(), 2.0);
  EXPECT_EQ(parser.PositiveDivisions(), 1);
}

// When the system refuses the pages for machine code, at either step, the program
// runs as the flat program with the same outcomes, and no page is kept.
struct PageRefusal {
  const char* name;
  bool refuseMap;
  bool refuseSeal;
};

std::ostream& operator<<(std::ostream& out, const PageRefusal& refusal) {
  return out << refusal.name;
}

class RefusedPages : public ::testing::TestWithParam<PageRefusal> {};

TEST_P(RefusedPages, FallBackToTheFlatProgram) {
  const std::string text = "(Y-1)*(X+2)/(Y+3)-SIN(X-Y)";
  int mapped = 0;
  int unmapped = 0;
  formula_internal::PageCalls calls = formula_internal::SystemPageCalls();
  const auto systemMap = calls.map;
  const auto systemSeal = calls.seal;
  const auto systemUnmap = calls.unmap;
  calls.map = [&](void* hint, std::size_t size) -> void* {
    if (GetParam().refuseMap) return nullptr;
    ++mapped;
    return systemMap(hint, size);
  };
  calls.seal = [&](void* pages, std::size_t size) {
    return !GetParam().refuseSeal && systemSeal(pages, size);
  };
  calls.unmap = [&](void* pages, std::size_t size) {
    ++unmapped;
    systemUnmap(pages, size);
  };
  {
    DivisionTrackingParser refused;
    refused.UseCodePages(calls);
    refused.Compile(text);
    EXPECT_FALSE(refused.HasNativeCode());
    EXPECT_TRUE(refused.HasFlatProgram());
    for (const double x : kEdgeValues) {
      refused.SetVariable("X", x);
      refused.SetVariable("Y", -x);
      const Outcome byFlat = Read(refused, refused.EvaluateCompiled());
      const Outcome expected = CompiledOutcome(text, Way::Grammar, x, -x, nullptr).first;
      EXPECT_EQ(byFlat, expected) << "X=" << x;
    }
  }
  EXPECT_EQ(mapped, unmapped);
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefusedPages,
                         ::testing::Values(PageRefusal{"pages_not_mapped", true, false},
                                           PageRefusal{"pages_not_made_executable", false, true}),
                         test::CaseName());

}  // namespace
}  // namespace lw
