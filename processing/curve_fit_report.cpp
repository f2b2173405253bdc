#include "processing/curve_fit_report.h"

#include <cmath>

#include "core/number_text.h"

namespace merva {

namespace {

const char* const CRLF = "\r\n";
const char* const COMMON_LOG_NOTE = "(log() = common logarithm)";
const char* const NATURAL_LOG_NOTE = "(ln() = natural logarithm)";

std::string Header(FitHeader header) {
  switch (header) {
    case FitHeader::LogY:
      return std::string("log(y) = C(0) + C(1)*x + C(2)*x**2 + ...") + CRLF + COMMON_LOG_NOTE;
    case FitHeader::LogX:
      return std::string("y = C(0) + C(1)*log(x) + C(2)*(log(x))**2 +...") + CRLF + COMMON_LOG_NOTE;
    case FitHeader::LogLog:
      return std::string("log(y) = C(0) + C(1)*log(x) + C(2)*(log(x))**2+ ...") + CRLF +
             COMMON_LOG_NOTE;
    case FitHeader::Probability:
      return "P(x) = C(0) + C(1)*x + C(2)*x**2 + ...";
    case FitHeader::Linear:
      break;
  }
  return "y = C(0) + C(1)*x + C(2)*x**2 + ...";
}

// "C(3) = value": the index takes two digits from 10 on.
std::string CoefficientLine(char letter, std::size_t k, double value) {
  return std::string(1, letter) + "(" + std::to_string(k) + ") = " + FormatG(value) + CRLF;
}

}  // namespace

std::string CurveFitReport(const CurveFit& fit) {
  std::string text = Header(fit.coordinates.header) + CRLF;
  for (std::size_t k = 0; k < fit.coefficients.size(); ++k)
    text += CoefficientLine('C', k, fit.coefficients[k]);
  const double ln10 = std::log(10.0);
  if (fit.coordinates.natural == NaturalForm::LnY) {
    text += std::string("or") + CRLF + "ln(y) = D(0) + D(1)*x + D(2)*x**2 + ..." + CRLF +
            NATURAL_LOG_NOTE + CRLF;
    for (std::size_t k = 0; k < fit.coefficients.size(); ++k)
      text += CoefficientLine('D', k, fit.coefficients[k] * ln10);
  } else if (fit.coordinates.natural == NaturalForm::LnX) {
    text += std::string("or") + CRLF + "y = D(0) + D(1)*ln(x) + D(2)*(ln(x))**2 +..." + CRLF +
            NATURAL_LOG_NOTE + CRLF;
    for (std::size_t k = 0; k < fit.coefficients.size(); ++k)
      text += CoefficientLine('D', k, fit.coefficients[k] / std::pow(ln10, static_cast<double>(k)));
  }
  text += "Correlation coefficient is " + FormatG(fit.correlation);
  return text;
}

std::string CurveFitLegend(int order) {
  const int lastTwo = order % 100;
  const char* suffix = "th";
  if (lastTwo < 11 || lastTwo > 13) {
    switch (order % 10) {
      case 1:
        suffix = "st";
        break;
      case 2:
        suffix = "nd";
        break;
      case 3:
        suffix = "rd";
        break;
      default:
        break;
    }
  }
  return std::to_string(order) + suffix + " Order Curve Fit";
}

}  // namespace merva
