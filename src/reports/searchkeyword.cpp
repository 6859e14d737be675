#include "reports/searchkeyword.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <algorithm>

namespace SearchKeyword {
namespace {

// The characters that a case-blind comparison holds equal to each character whose case folds to
// another: Searchform::Matches compares each character by its simple case folding.
const QHash<char32_t, QList<char32_t>> &foldedTogether()
{
    static const QHash<char32_t, QList<char32_t>> classes = [] {
        QHash<char32_t, QList<char32_t>> byFold;
        // No character beyond the first two planes has a case.
        for (char32_t c = 0; c <= 0x1FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const char32_t fold = QChar::toCaseFolded(c);
            if (fold != c)
                byFold[fold].append(c);
        }
        QHash<char32_t, QList<char32_t>> out;
        for (auto it = byFold.cbegin(); it != byFold.cend(); ++it) {
            QList<char32_t> members = *it;
            members.prepend(it.key());
            for (char32_t c : members)
                out.insert(c, members);
        }
        return out;
    }();
    return classes;
}

QList<char32_t> caseVariants(char32_t c)
{
    return foldedTogether().value(c, QList<char32_t>{c});
}

// The most sequences of three characters a keyword is sought by, and the most spellings of one
// sequence in its cases: enough to find a keyword among few bookings.
constexpr int kMaxTrigrams = 12;
constexpr int kMaxSpellings = 64;

} // namespace

QString trigramQuery(const QString &keyword)
{
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        const QChar c = keyword.at(i);
        if (c.isHighSurrogate() && i + 1 < keyword.size() && keyword.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return QString();
    }
    QList<char32_t> chars;
    for (uint c : keyword.toUcs4())
        chars << char32_t(c);
    const int trigrams = int(chars.size()) - 2;
    if (trigrams < 1)
        return QString();
    QStringList groups;
    const int step = std::max(1, (trigrams + kMaxTrigrams - 1) / kMaxTrigrams);
    for (int i = 0; i < trigrams; i += step) {
        QStringList spellings;
        for (char32_t a : caseVariants(chars[i]))
            for (char32_t b : caseVariants(chars[i + 1]))
                for (char32_t c : caseVariants(chars[i + 2])) {
                    const char32_t three[3] = {a, b, c};
                    QString text = QString::fromUcs4(three, 3);
                    spellings << '"' + text.replace('"', QLatin1String("\"\"")) + '"';
                }
        if (spellings.size() > kMaxSpellings)
            continue;   // sought by the other sequences
        spellings.removeDuplicates();
        const QString group = "(" + spellings.join(" OR ") + ")";
        if (!groups.contains(group))
            groups << group;
    }
    return groups.join(" AND ");
}


} // namespace SearchKeyword
