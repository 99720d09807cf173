#include "document/BuildParameters.h"

namespace lw {

BuildParameters::BuildParameters()
    : fields{"10", "10", "-20", "20",  "-20", "20", "X", "Y", "-6",  "0.2", "6", "0.1", "-6",
             "6",  "X",  "Y",   "0.4", "0.4", "Z",  "0", "0", "-40", "-6",  "6", "0.4"} {}

ViewFields2D ViewFieldsOf(const BuildParameters& parameters) {
  ViewFields2D view;
  for (std::size_t i = 0; i < view.texts.size(); ++i) view.texts[i] = parameters.fields[i];
  view.Centering = parameters.Centering;
  return view;
}

bool StoreViewFields(BuildParameters& parameters, const ViewFields2D& view) {
  if (ViewFieldsOf(parameters) == view) return false;
  for (std::size_t i = 0; i < view.texts.size(); ++i) parameters.fields[i] = view.texts[i];
  parameters.Centering = view.Centering;
  return true;
}

}  // namespace lw
