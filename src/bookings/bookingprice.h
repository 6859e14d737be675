#pragma once

#include <QString>

#include <optional>

// The arithmetic of the booking form's price, tax and total, apart from the form so that it
// reads and tests as plain values.
namespace BookingPrice {

// The number a price box holds: a finite decimal number written with a point, blanks around it
// allowed. Empty text and anything else give no number.
std::optional<double> amountOf(const QString &text);

// The list price: whole hours times the item's fee per hour, as the default text of a number
// ("200", "62.5"), without a fixed number of decimals.
QString listPriceText(int hours, double feePerHour);

struct TaxAndTotal
{
    QString tax;     // "0" when no tax applies, else the tax with two decimals ("50.00")
    QString total;   // price plus the tax as shown, with two decimals ("250.00")
};

// Tax at taxPct percent when taxed and the rate is above 0; the total adds the tax as it is
// shown (rounded to cents) to the price.
TaxAndTotal taxAndTotal(double price, bool taxed, double taxPct);

} // namespace BookingPrice
