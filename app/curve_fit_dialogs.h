#pragma once

// Dialogs of the least-squares curve fit: the order and the generated
// points.

namespace merva::app {

// "LEASTSQUARES": the order within 0..highest; false on Cancel.
bool FitOrderDialog(int& order, int highest);

// "GENERATEPOINTS": the number of points (more than 1) and the X limits;
// false on Cancel.
bool GeneratePointsDialog(long long& points, double& lower, double& upper);

}  // namespace merva::app
