#include "report/row_numbers.h"

namespace cog {
namespace {

const Fraction kInchMm{127, 5};
const Fraction kMicrometres{1000, 1};

// a x b x 1000 exactly when it fits, else at extended precision.
double TimesThousand(const Fraction& a, const Fraction& b) {
  Fraction product, um;
  if (Multiply(a, b, &product) && Multiply(product, kMicrometres, &um)) return ToDouble(um);
  return static_cast<double>(ToExtended(a) * ToExtended(b) * 1000);
}

}  // namespace

RowNumbers NumbersOf(const TrainRow& row, const Lead& target, const Fraction& length_mm) {
  RowNumbers n;
  n.lead_mm = ToDouble(row.lead_mm);
  Fraction tpi;
  n.tpi = Divide(kInchMm, row.lead_mm, &tpi)
              ? ToDouble(tpi)
              : static_cast<double>(ToExtended(kInchMm) / ToExtended(row.lead_mm));
  if (target.exact && row.error.exact) {
    n.error = ToDouble(row.error.value);
    n.exact = row.error.value.num == 0;
    Fraction difference;
    n.error_per_thread_um =
        Subtract(row.lead_mm, target.mm, &difference)
            ? TimesThousand(difference, Whole(1))
            : static_cast<double>((ToExtended(row.lead_mm) - target.approx_mm) * 1000);
    n.drift_um = TimesThousand(row.error.value, length_mm);
  } else {
    n.error = static_cast<double>(row.error.approx);
    n.error_per_thread_um =
        static_cast<double>((ToExtended(row.lead_mm) - target.approx_mm) * 1000);
    n.drift_um = static_cast<double>(row.error.approx * ToExtended(length_mm) * 1000);
  }
  return n;
}

}  // namespace cog
