#include "automation/parameter_cells.h"

namespace merva {

ParameterCells& TheParameterCells() {
  static ParameterCells cells;
  return cells;
}

}  // namespace merva
