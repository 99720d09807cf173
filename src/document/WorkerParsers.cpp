#include "document/WorkerParsers.h"

#include <cstddef>

#include "formula/FormulaOperations.h"

namespace lw {

bool DependsOnSampleOrder(const FormulaParser& compiled) {
  const std::vector<std::uint8_t>& types = compiled.ProgramTypes();
  const std::vector<std::uint8_t>& characters = compiled.ProgramCharacters();
  std::size_t c = 0;
  for (const std::uint8_t type : types) {
    if (type == TokenNumber) continue;
    if (c >= characters.size()) break;
    const std::uint8_t character = characters[c++];
    if (type == TokenOperator && character == '=') return true;
    if (type == TokenFunction && character == formula_internal::FnRand) return true;
  }
  return false;
}

int ThreadsFor(const WorkControl* control, const FormulaParser& compiled) {
  if (DependsOnSampleOrder(compiled)) return 1;
  return WorkerSlots(control);
}

}  // namespace lw
