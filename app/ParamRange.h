#pragma once

namespace app {

/// The accepted range of one parameter field and the simulation value that receives an
/// accepted entry. A field carries a pointer to its record in its Tag.
struct ParamRange {
  double Min = 0;
  double Max = 0;
  double* Target = nullptr;
};

}  // namespace app
