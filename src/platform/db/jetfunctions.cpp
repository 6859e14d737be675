#include "platform/db/jetfunctions.h"

#include "platform/db/sqlvalue.h"
#include "platform/system.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <cmath>

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

QString likePatternToRegex(const QString &pattern)
{
    QString re;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == '*') {
            re += ".*";
        } else if (c == '?') {
            re += '.';
        } else if (c == '#') {
            re += "[0-9]";
        } else if (c == '[') {
            const int close = int(pattern.indexOf(']', i + 1));
            if (close < 0) {
                re += QRegularExpression::escape(c);
                continue;
            }
            QString list = pattern.mid(i + 1, close - i - 1);
            i = close;
            if (list.isEmpty())
                continue;   // "[]" matches the empty string
            QString cls = "[";
            int k = 0;
            if (list[0] == '!' && list.size() > 1) {
                cls += '^';
                k = 1;
            }
            for (; k < list.size(); ++k) {
                const QChar m = list[k];
                if (m == '-' && k > 0 && k + 1 < list.size())
                    cls += '-';
                else if (m == '\\' || m == ']' || m == '[' || m == '^' || m == '-')
                    cls += QString('\\') + m;
                else
                    cls += m;
            }
            re += cls + ']';
        } else {
            re += QRegularExpression::escape(c);
        }
    }
    return "\\A(?:" + re + ")\\z";
}

void deleteRegex(void *p) { delete static_cast<QRegularExpression *>(p); }

void likeFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    auto *re = static_cast<QRegularExpression *>(sqlite3_get_auxdata(context, 1));
    if (!re) {
        re = new QRegularExpression(likePatternToRegex(argText(argv[1])),
                                    QRegularExpression::CaseInsensitiveOption
                                        | QRegularExpression::DotMatchesEverythingOption
                                        | QRegularExpression::UseUnicodePropertiesOption);
        sqlite3_set_auxdata(context, 1, re, deleteRegex);   // kept while the pattern is constant
        re = static_cast<QRegularExpression *>(sqlite3_get_auxdata(context, 1));
        if (!re) {
            sqlite3_result_error_nomem(context);
            return;
        }
    }
    sqlite3_result_int(context, re->match(argText(argv[0])).hasMatch() ? 1 : 0);
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
