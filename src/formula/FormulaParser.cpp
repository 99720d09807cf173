#include "formula/FormulaParser.h"

#include <utility>

#include "formula/FormulaOperations.h"

namespace lw {

using namespace formula_internal;

FormulaParser::FormulaParser(DivisionCounts* trackedCounts) : trackedCounts_(trackedCounts) {
  ClearVariables();
  SetConstants();
}

FormulaParser::~FormulaParser() = default;

void FormulaParser::ClearVariables() {
  variables_.fill(0.0);
}

void FormulaParser::SetVariable(std::string_view name, double value) {
  if (!name.empty() && IsLetter(name.front())) variables_[UpperLetter(name.front()) - 'A'] = value;
}

void FormulaParser::SetConstants() {
  variables_['P' - 'A'] = Pi;
  variables_['E' - 'A'] = EulerE;
}

double FormulaParser::Variable(char letter) const {
  return IsLetter(letter) ? variables_[UpperLetter(letter) - 'A'] : 0.0;
}

double& FormulaParser::VariableSlot(char letter) {
  // A caller passing something other than a letter gets a slot no formula reads.
  return IsLetter(letter) ? variables_[UpperLetter(letter) - 'A'] : spareSlot_;
}

void FormulaParser::Normalize(std::string& text) {
  for (char& c : text) c = c == ',' ? '.' : UpperLetter(c);
  // Delimiters a user leaves at the end of a line; the first character always stays.
  constexpr std::string_view kTrailing(" ;,.+-<>/*%^$&=!@#|`~(\t\r");
  while (text.size() > 1 && kTrailing.find(text.back()) != std::string_view::npos) text.pop_back();
}

double FormulaParser::Evaluate(std::string_view text) {
  return EvaluateText(text);
}

double FormulaParser::EvaluateNormalized(std::string& text) {
  Normalize(text);
  return EvaluateText(text);
}

double FormulaParser::EvaluateText(std::string_view text) {
  ClearCounts();
  hasError_ = false;
  errorCode_ = NoFormulaError;
  if (ScanTokens(text).Refused()) {
    Raise(SyntaxError);
    return 0.0;
  }
  path_ = Path::Text;
  cursor_ = text.data();
  textEnd_ = text.data() + text.size();
  NextToken();
  if (tokenType_ == TokenNone) {
    Raise(NotAnExpression);
    return 0.0;
  }
  const double value = Assignment();
  if (tokenType_ != TokenNone) {
    Raise(SyntaxError);
    return 0.0;
  }
  return value;
}

void FormulaParser::Compile(std::string_view normalizedText) {
  ReleaseCompiled();
  const TokenScan scan = ScanTokens(normalizedText);
  if (scan.Refused()) {
    programRefused_ = true;
    return;
  }
  programTypes_.reserve(scan.tokens + 7);
  programCharacters_.reserve(scan.characters + 7);
  programNumbers_.reserve(scan.numbers + 7);
  const char* cursor = normalizedText.data();
  const char* end = cursor + normalizedText.size();
  for (;;) {
    const TextToken token = ReadTextToken(cursor, end);
    if (token.type == TokenNone) break;
    programTypes_.push_back(token.type);
    if (token.type == TokenNumber) {
      programNumbers_.push_back(ReadNumber(token.text));
    } else {
      programCharacters_.push_back(token.character);
    }
  }
  if (programTypes_.empty()) return;
  flatKind_ = trackedCounts_ != nullptr ? FlatKind::Counting : FlatKind::Plain;
  BuildFlatProgram();
  BuildNativeCode();
  BuildBatchPlan();
  SelectPaths();
}

void FormulaParser::ReleaseCompiled() {
  programTypes_ = {};
  programCharacters_ = {};
  programNumbers_ = {};
  flatProgram_ = {};
  flatStack_ = {};
  batchStack_ = {};
  batchUniform_ = {};
  flatKind_ = FlatKind::None;
  nativeCode_.Release();
  nativeEntry_ = nullptr;
  programRefused_ = false;
  SelectPaths();
}

void FormulaParser::UseFlatProgram(bool enabled) {
  flatEnabled_ = enabled;
  SelectPaths();
}

void FormulaParser::UseNativeCode(bool enabled) {
  nativeEnabled_ = enabled;
  SelectPaths();
}

void FormulaParser::UseCodePages(formula_internal::PageCalls calls) {
  nativeCode_.UsePageCalls(std::move(calls));
  nativeEntry_ = nullptr;
  SelectPaths();
}

void FormulaParser::SelectPaths() {
  activeFlat_ = flatEnabled_ ? flatKind_ : FlatKind::None;
  activeNative_ = flatEnabled_ && nativeEnabled_ ? nativeEntry_ : nullptr;
}

double FormulaParser::EvaluateCompiled() {
  // The sampling loops' path: straight to the machine code or the flat program.
  ClearCounts();
  if (activeNative_ != nullptr) return RunNative(activeNative_);
  if (activeFlat_ != FlatKind::None) {
    hasError_ = false;
    errorCode_ = NoFormulaError;
    return RunFlat(trackedCounts_);
  }
  return EvaluateProgram();
}

double FormulaParser::EvaluateProgram() {
  hasError_ = false;
  errorCode_ = NoFormulaError;
  if (programRefused_) {
    Raise(SyntaxError);
    return 0.0;
  }
  if (programTypes_.empty()) {
    Raise(NotAnExpression);
    return 0.0;
  }
  path_ = Path::Program;
  tokenCursor_ = characterCursor_ = numberCursor_ = 0;
  NextToken();
  const double value = Assignment();
  // The success test is that every token was fetched, so one final token the grammar
  // did not use passes.
  if (tokenCursor_ != programTypes_.size()) {
    Raise(SyntaxError);
    return 0.0;
  }
  return value;
}

bool FormulaParser::HasFlatProgram() const {
  return activeFlat_ != FlatKind::None;
}

bool FormulaParser::HasNativeCode() const {
  return activeNative_ != nullptr;
}

void FormulaParser::SeedRandom(std::uint32_t seed) {
  randomState_ = seed;
}

const std::vector<std::uint8_t>& FormulaParser::ProgramTypes() const {
  return programTypes_;
}
const std::vector<std::uint8_t>& FormulaParser::ProgramCharacters() const {
  return programCharacters_;
}
const std::vector<double>& FormulaParser::ProgramNumbers() const {
  return programNumbers_;
}

void FormulaParser::NextToken() {
  if (path_ == Path::Text) {
    const TextToken token = ReadTextToken(cursor_, textEnd_);
    tokenType_ = token.type;
    tokenCharacter_ = token.character;
    if (token.type == TokenNumber) tokenNumber_ = ReadNumber(token.text);
    return;
  }
  if (tokenCursor_ == programTypes_.size()) {
    tokenType_ = TokenNone;
    return;
  }
  tokenType_ = programTypes_[tokenCursor_++];
  if (tokenType_ == TokenNumber) {
    tokenNumber_ = programNumbers_[numberCursor_++];
  } else {
    tokenCharacter_ = programCharacters_[characterCursor_++];
  }
}

bool FormulaParser::AssignmentAhead() const {
  if (path_ == Path::Text) {
    const char* cursor = cursor_;
    const TextToken next = ReadTextToken(cursor, textEnd_);
    return next.type == TokenOperator && next.character == '=';
  }
  return tokenCursor_ < programTypes_.size() && programTypes_[tokenCursor_] == TokenOperator &&
         programCharacters_[characterCursor_] == '=';
}

double FormulaParser::Assignment() {
  // assignment := variable "=" additive | additive
  if (tokenType_ == TokenVariable && AssignmentAhead()) {
    const int slot = UpperLetter(char(tokenCharacter_)) - 'A';
    NextToken();
    NextToken();
    const double value = Additive();
    // Stored even when the right-hand side failed, as the value computed with 0.0.
    variables_[slot] = value;
    return value;
  }
  return Additive();
}

double FormulaParser::Additive() {
  // additive := term { ("+" | "-") term }
  double accumulator = Term();
  while (tokenType_ == TokenOperator && (tokenCharacter_ == '+' || tokenCharacter_ == '-')) {
    const char op = char(tokenCharacter_);
    NextToken();
    const double right = Term();
    accumulator = op == '+' ? accumulator + right : accumulator - right;
  }
  return accumulator;
}

double FormulaParser::Term() {
  // term := signed { ("*" | "/" | "%") signed }
  double accumulator = Signed();
  while (tokenType_ == TokenOperator &&
         (tokenCharacter_ == '*' || tokenCharacter_ == '/' || tokenCharacter_ == '%')) {
    const char op = char(tokenCharacter_);
    NextToken();
    const double right = Signed();
    if (op == '*') {
      accumulator *= right;
    } else if (right == 0.0) {
      Raise(DivisionByZero);
      accumulator = 0.0;
    } else if (op == '/') {
      if (trackedCounts_ != nullptr) {
        ++(right > 0.0 ? trackedCounts_->positive : trackedCounts_->negative);
      }
      accumulator /= right;
    } else {
      accumulator = std::fmod(accumulator, right);
    }
  }
  return accumulator;
}

double FormulaParser::Signed() {
  // signed := [ "+" | "-" ] power
  bool negate = false;
  if (tokenType_ == TokenOperator && (tokenCharacter_ == '+' || tokenCharacter_ == '-')) {
    negate = tokenCharacter_ == '-';
    NextToken();
  }
  const double value = PowerLevel();
  return negate ? -value : value;
}

double FormulaParser::PowerLevel() {
  // power := function { ("^" | "$" | "&" | "#" | "@") function }
  double accumulator = FunctionLevel();
  while (tokenType_ == TokenOperator && IsPowerOperator(char(tokenCharacter_))) {
    const char op = char(tokenCharacter_);
    NextToken();
    const double right = FunctionLevel();
    if (const MaybeError error = ApplyPowerOperator(op, accumulator, right)) {
      Raise(*error);
    }
  }
  return accumulator;
}

double FormulaParser::FunctionLevel() {
  // function := primary [ function-name primary ], applying the first token's function
  const std::uint8_t code = tokenType_ == TokenFunction ? tokenCharacter_ : 0;
  double accumulator = 0.0;
  Primary(accumulator);
  if (tokenType_ == TokenFunction) {
    NextToken();
    Primary(accumulator);
    if (code != 0) {
      if (const MaybeError error = ApplyFunction(code, accumulator, randomState_)) {
        Raise(*error);
      }
    }
  }
  return accumulator;
}

void FormulaParser::Primary(double& accumulator) {
  // primary := "(" additive ")" | variable | number; a function name yields nothing
  if (tokenType_ == TokenOperator && tokenCharacter_ == '(') {
    NextToken();
    accumulator = Additive();
    if (tokenType_ != TokenOperator || tokenCharacter_ != ')') Raise(UnbalancedParentheses);
    NextToken();
    return;
  }
  switch (tokenType_) {
    case TokenVariable:
      accumulator = variables_[UpperLetter(char(tokenCharacter_)) - 'A'];
      NextToken();
      return;
    case TokenNumber:
      accumulator = tokenNumber_;
      NextToken();
      return;
    case TokenFunction:
      return;
    default:
      Raise(SyntaxError);
      accumulator = 0.0;
      return;
  }
}

}  // namespace lw
