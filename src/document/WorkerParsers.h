// One formula engine per worker slot of a parallel loop: each is a copy of the
// engine the loop was set up on (its variables, then the same compiled formula), so
// no two threads ever share an engine's variables, error state or counters.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "document/ParallelLoop.h"
#include "formula/FormulaParser.h"

namespace lw {

// Whether one evaluation of the compiled formula can change the next one: a formula
// that assigns a variable or draws random numbers depends on the order of its
// samples, so it is sampled in that order on one thread.
bool DependsOnSampleOrder(const FormulaParser& compiled);

// The threads a loop over this compiled formula may use under control.
int ThreadsFor(const WorkControl* control, const FormulaParser& compiled);

template <class Parser>
class WorkerParsers {
 public:
  // Slot 0 is source itself; the others are copies compiled from normalizedText.
  // With one slot nothing is copied, so a serial loop runs exactly as before.
  WorkerParsers(Parser& source, const std::string& normalizedText, int count) {
    engines_.push_back(&source);
    for (int s = 1; s < count; ++s) {
      auto copy = std::make_unique<Parser>();
      for (char letter = 'A'; letter <= 'Z'; ++letter)
        copy->VariableSlot(letter) = source.Variable(letter);
      copy->Compile(normalizedText);
      engines_.push_back(copy.get());
      owned_.push_back(std::move(copy));
    }
  }
  int Slots() const { return static_cast<int>(engines_.size()); }
  Parser& operator[](int slot) { return *engines_[static_cast<std::size_t>(slot)]; }

 private:
  std::vector<Parser*> engines_;
  std::vector<std::unique_ptr<Parser>> owned_;
};

}  // namespace lw
