#include "bookings/bookingprice.h"

#include "core/format.h"

#include <cmath>

namespace BookingPrice {

std::optional<double> amountOf(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString listPriceText(int hours, double feePerHour)
{
    const double price = hours * feePerHour;
    // 15 significant digits, as the default text of a number; never "-0".
    return QString::number(price == 0 ? 0.0 : price, 'g', 15);
}

TaxAndTotal taxAndTotal(double price, bool taxed, double taxPct)
{
    TaxAndTotal out;
    double tax = 0;
    if (taxed && taxPct > 0) {
        out.tax = Format(price * (taxPct / 100), "Standard");
        // The total adds the tax as shown, cents and all.
        tax = Format(price * (taxPct / 100), "0.00").toDouble();
    } else {
        out.tax = QStringLiteral("0");
    }
    out.total = Format(price + tax, "Standard");
    return out;
}

} // namespace BookingPrice
