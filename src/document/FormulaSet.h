// Several formulas evaluated together at each sample (the coordinates of a curve or
// a surface point): each compiled on an engine of its own that starts from the
// variables of a base engine (the constants the build bound), and copied once per
// worker slot of a parallel loop.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/WorkerParsers.h"
#include "formula/FormulaParser.h"

namespace lw {

template <class Parser>
class FormulaSet {
 public:
  // Normalises and compiles every text; `base` is only read.
  FormulaSet(const FormulaParser& base, std::vector<std::string> texts) : texts_(std::move(texts)) {
    for (std::string& text : texts_) {
      FormulaParser::Normalize(text);
      auto engine = std::make_unique<Parser>();
      for (char letter = 'A'; letter <= 'Z'; ++letter)
        engine->VariableSlot(letter) = base.Variable(letter);
      engine->Compile(text);
      sources_.push_back(std::move(engine));
    }
  }

  std::size_t Size() const { return sources_.size(); }
  // Sets a variable on every formula's engine; before MakeWorkers, so the copies share it.
  void SetVariable(char letter, double value) {
    for (auto& engine : sources_) engine->VariableSlot(letter) = value;
  }
  Parser& Source(std::size_t i) { return *sources_[i]; }

  // Evaluates every formula once with the variable `letter` at value; the first error
  // that says a formula is wrong in itself (codes 0..2), if any.
  std::optional<FormulaError> Trial(char letter, double value, char letter2 = 0,
                                    double value2 = 0) {
    for (auto& engine : sources_) {
      engine->VariableSlot(letter) = value;
      if (letter2 != 0) engine->VariableSlot(letter2) = value2;
      engine->EvaluateCompiled();
      if (const auto error = engine->Error(); error && FormulaTextIsWrong(*error)) return error;
    }
    return std::nullopt;
  }

  // The threads a loop over all the formulas may use under control.
  int Threads(const WorkControl* control) const {
    int threads = WorkerSlots(control);
    for (const auto& engine : sources_) threads = std::min(threads, ThreadsFor(control, *engine));
    return threads;
  }

  // Copies every formula's engine for `slots` worker slots (slot 0 is the source).
  void MakeWorkers(int slots) {
    workers_.clear();
    for (std::size_t i = 0; i < sources_.size(); ++i) {
      workers_.push_back(std::make_unique<WorkerParsers<Parser>>(*sources_[i], texts_[i], slots));
    }
  }
  Parser& Worker(std::size_t formula, int slot) { return (*workers_[formula])[slot]; }

 private:
  std::vector<std::string> texts_;
  std::vector<std::unique_ptr<Parser>> sources_;
  std::vector<std::unique_ptr<WorkerParsers<Parser>>> workers_;
};

}  // namespace lw
