#include "search/SizeValue.h"

#include <cmath>
#include <limits>

namespace quorvex {

namespace {

// The entry read as a decimal number; a comma counts as the decimal separator too.
double ReadNumber(const QString& text)
{
    QString s = text.trimmed();
    s.replace(u',', u'.');
    bool ok = false;
    const double v = s.toDouble(&ok);
    return ok && std::isfinite(v) && v > 0 ? v : 0.0;
}

struct TNormalized {
    double Value; // whole number
    int Unit;
};

TNormalized Normalize(const QString& text, int unit)
{
    unit = unit < suBytes ? suBytes : unit > suTB ? suTB : unit;
    double v = ReadNumber(text);
    if (v != std::floor(v) && unit > suBytes) {
        v *= 1024;
        --unit;
    }
    return {std::floor(v), unit};
}

double Bytes(const TNormalized& n) { return std::ldexp(n.Value, 10 * n.Unit); }

} // namespace

int32_t SizeValue(QString& text, int& unit)
{
    const TNormalized n = Normalize(text, unit);
    text = QString::number(n.Value, 'f', 0);
    unit = n.Unit;
    const double bytes = Bytes(n);
    return bytes > std::numeric_limits<int32_t>::max() ? -1 : static_cast<int32_t>(bytes);
}

int64_t SizeValueBytes(const QString& text, int unit)
{
    const double bytes = Bytes(Normalize(text, unit));
    // 2^63 is the first double past the int64 range.
    return bytes >= 9223372036854775808.0 ? std::numeric_limits<int64_t>::max()
                                          : static_cast<int64_t>(bytes);
}

} // namespace quorvex
