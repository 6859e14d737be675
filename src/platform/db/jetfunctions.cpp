#include "platform/db/jetfunctions.h"

#include "platform/db/sqlvalue.h"
#include "platform/system.h"


#include <sqlite3.h>

#include <cmath>
#include <utility>
#include <vector>

namespace Dao {
namespace {

QString argText(sqlite3_value *value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_value_int64(value));
    case SQLITE_FLOAT: {
        const double d = sqlite3_value_double(value);
        if (d == std::floor(d) && std::abs(d) < 1e15)
            return QString::number(qlonglong(d));   // Jet writes 2, not 2.0
        return QString::number(d, 'g', 15);
    }
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
        return QString::fromUtf8(text, sqlite3_value_bytes(value));
    }
    }
}

void resultText(sqlite3_context *context, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void concatFunction(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    QString out;
    bool any = false;
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            continue;
        any = true;
        out += argText(argv[i]);
    }
    if (any)
        resultText(context, out);
    else
        sqlite3_result_null(context);
}

// A Like pattern read once into single-character tests and runs of "*": Jet's wildcards over
// code points (a character outside the Basic Multilingual Plane is one character), compared
// case-blind. Every character of the pattern is itself but for the wildcards, so a backslash
// is a backslash.
class LikePattern
{
public:
    explicit LikePattern(const QString &pattern)
    {
        const QList<uint> p = pattern.toUcs4();
        for (qsizetype i = 0; i < p.size(); ++i) {
            const uint c = p[i];
            if (c == '*') {
                m_items.push_back({Item::Star});
            } else if (c == '?') {
                m_items.push_back({Item::Any});
            } else if (c == '#') {
                m_items.push_back({Item::Digit});
            } else if (c == '[' && p.indexOf(']', i + 1) >= 0) {
                const qsizetype close = p.indexOf(']', i + 1);
                if (close > i + 1)   // "[]" matches the empty string
                    m_items.push_back(listItem(p.mid(i + 1, close - i - 1)));
                i = close;
            } else {
                m_items.push_back({Item::Char, {{fold(c), fold(c)}}});
            }
        }
    }

    bool matches(const QString &text) const
    {
        const QList<uint> t = text.toUcs4();
        // Every item but "*" takes exactly one character: on a mismatch, the last "*" takes one
        // character more and the items after it are tried again from there.
        qsizetype ti = 0, pi = 0, starItem = -1, starText = 0;
        while (ti < t.size()) {
            if (pi < qsizetype(m_items.size()) && m_items[pi].kind == Item::Star) {
                starItem = pi++;
                starText = ti;
            } else if (pi < qsizetype(m_items.size()) && m_items[pi].takes(t[ti])) {
                ++pi;
                ++ti;
            } else if (starItem >= 0) {
                pi = starItem + 1;
                ti = ++starText;
            } else {
                return false;
            }
        }
        while (pi < qsizetype(m_items.size()) && m_items[pi].kind == Item::Star)
            ++pi;
        return pi == qsizetype(m_items.size());
    }

private:
    static uint fold(uint c) { return QChar::toCaseFolded(char32_t(c)); }

    struct Item
    {
        enum Kind { Char, Any, Digit, Star } kind;
        std::vector<std::pair<uint, uint>> ranges = {};   // folded, inclusive
        bool negated = false;

        bool takes(uint c) const
        {
            switch (kind) {
            case Any:
                return true;
            case Digit:
                return c >= '0' && c <= '9';
            case Star:
                return false;
            case Char:
                break;
            }
            const uint f = fold(c);
            bool in = false;
            for (const auto &[low, high] : ranges)
                in = in || (f >= low && f <= high) || (c >= low && c <= high);
            return in != negated;
        }
    };

    // "[a-cx]", "[!0-9]": characters and ranges; "!" first (and not alone) negates, "-"
    // between two characters is a range and anywhere else itself.
    static Item listItem(const QList<uint> &list)
    {
        Item item{Item::Char};
        qsizetype k = 0;
        if (list.size() > 1 && list[0] == '!') {
            item.negated = true;
            k = 1;
        }
        for (; k < list.size(); ++k) {
            uint low = list[k], high = low;
            if (k + 2 < list.size() && list[k + 1] == '-') {
                high = list[k + 2];
                k += 2;
            }
            item.ranges.push_back({fold(low), fold(high)});
            if (low != fold(low) || high != fold(high))
                item.ranges.push_back({low, high});
        }
        return item;
    }

    std::vector<Item> m_items;
};

void deletePattern(void *p) { delete static_cast<LikePattern *>(p); }

void likeFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    auto *pattern = static_cast<LikePattern *>(sqlite3_get_auxdata(context, 1));
    if (!pattern) {
        sqlite3_set_auxdata(context, 1, new LikePattern(argText(argv[1])), deletePattern);
        // Kept while the pattern is constant; SQLite may also drop it at once.
        pattern = static_cast<LikePattern *>(sqlite3_get_auxdata(context, 1));
        if (!pattern) {
            LikePattern once(argText(argv[1]));
            sqlite3_result_int(context, once.matches(argText(argv[0])) ? 1 : 0);
            return;
        }
    }
    sqlite3_result_int(context, pattern->matches(argText(argv[0])) ? 1 : 0);
}

void dateFunction(sqlite3_context *context, int, sqlite3_value **)
{
    resultText(context, dateText(System::today()));
}

void nowFunction(sqlite3_context *context, int, sqlite3_value **)
{
    resultText(context, dateTimeText(System::now()));
}

} // namespace

bool registerJetFunctions(sqlite3 *db)
{
    // Only our own statements call them: a file's views, triggers and indexes cannot.
    const int pure = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY;
    const int clock = SQLITE_UTF8 | SQLITE_DIRECTONLY;
    return sqlite3_create_function_v2(db, "jet_concat", -1, pure, nullptr, concatFunction,
                                      nullptr, nullptr, nullptr) == SQLITE_OK
           && sqlite3_create_function_v2(db, "jet_like", 2, pure, nullptr, likeFunction, nullptr,
                                         nullptr, nullptr) == SQLITE_OK
           && sqlite3_create_function_v2(db, "jet_date", 0, clock, nullptr, dateFunction, nullptr,
                                         nullptr, nullptr) == SQLITE_OK
           && sqlite3_create_function_v2(db, "jet_now", 0, clock, nullptr, nowFunction, nullptr,
                                         nullptr, nullptr) == SQLITE_OK;
}

} // namespace Dao
