#pragma once

#include <QByteArray>
#include <QString>

#include <charconv>
#include <cstdint>

// How the search looks for a keyword: in the texts of the bookings it reads, and in the trigram
// index of the bookingfile.
namespace SearchKeyword {

// A keyword matcher for the rows of one fill: Searchform::Matches's answer, found without
// making a QString wherever the text allows it. An ASCII keyword is sought byte by byte in
// lower case; an ASCII text cannot hold a keyword with a letter whose case folds outside
// ASCII (such as æ, ø, å); the booking number is sought only by a keyword that a number's
// text can hold. Anything else is left to QString's case-blind search.
class KeywordMatch
{
public:
    explicit KeywordMatch(const QString &keyword) : m_keyword(keyword)
    {
        for (QChar c : keyword) {
            m_ascii = m_ascii && c.unicode() < 0x80;
            m_foldsToAscii = m_foldsToAscii && c.toCaseFolded().unicode() < 0x80;
            m_numeric = m_numeric && (c == ' ' || c == '-' || (c >= '0' && c <= '9'));
            m_lower.append(char(lower(uchar(c.unicode()))));
        }
    }

    bool empty() const { return m_keyword.isEmpty(); }

    // The booking number as text with one leading blank.
    bool number(int32_t bookingnr) const
    {
        if (!m_numeric)
            return false;
        char text[16] = {' '};
        const auto end = std::to_chars(text + 1, text + sizeof text, bookingnr).ptr;
        return asciiFind(text, int(end - text));
    }

    // A UTF-8 text; null holds nothing.
    bool holds(const char *text, int bytes) const
    {
        if (!text)
            return false;
        if (m_ascii) {
            if (asciiFind(text, bytes))
                return true;   // an ASCII byte of UTF-8 is a whole character
            if (isAscii(text, bytes))
                return false;
        } else if (!m_foldsToAscii && isAscii(text, bytes)) {
            return false;
        }
        return QString::fromUtf8(text, bytes).contains(m_keyword, Qt::CaseInsensitive);
    }

    bool holds(const QString &text) const
    {
        return text.contains(m_keyword, Qt::CaseInsensitive);
    }

private:
    static uchar lower(uchar c) { return c >= 'A' && c <= 'Z' ? uchar(c + ('a' - 'A')) : c; }

    static bool isAscii(const char *text, int bytes)
    {
        uchar any = 0;
        for (int i = 0; i < bytes; ++i)
            any |= uchar(text[i]);
        return any < 0x80;
    }

    // Whether the ASCII keyword occurs in the text without regard to ASCII case.
    bool asciiFind(const char *text, int bytes) const
    {
        const auto *t = reinterpret_cast<const uchar *>(text);
        const auto *k = reinterpret_cast<const uchar *>(m_lower.constData());
        const int n = int(m_lower.size());
        if (n == 0)
            return true;
        for (int i = 0; i + n <= bytes; ++i) {
            if (lower(t[i]) != k[0])
                continue;
            int j = 1;
            while (j < n && lower(t[i + j]) == k[j])
                ++j;
            if (j == n)
                return true;
        }
        return false;
    }

    QString m_keyword;
    QByteArray m_lower;   // the keyword in ASCII lower case; used only when it is all ASCII
    bool m_ascii = true;
    bool m_foldsToAscii = true;   // every character's case folds to ASCII
    bool m_numeric = true;        // only blanks, minus signs and digits
};

// The query of the trigram index that every text holding the keyword (without regard to case)
// answers: each sequence of three characters of the keyword, in every spelling its cases allow.
// Empty when the index cannot answer it: a keyword of fewer than three characters, or one with a
// lone surrogate, which the index holds in no text.
QString trigramQuery(const QString &keyword);

} // namespace SearchKeyword
