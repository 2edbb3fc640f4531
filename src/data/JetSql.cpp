#include "data/JetSql.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace JetSql {

namespace {

const QString Collation = QStringLiteral("JETTEXT");

QString quotedIdentifier(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// A record source that is nothing but a table name, bracketed or not.
bool isBareName(const QString& source)
{
    static const QRegularExpression bare(QStringLiteral(R"(^\s*(\[[^\]]+\]|[\w]+)\s*$)"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    return bare.match(source).hasMatch();
}

QString unbracket(QString name)
{
    name = name.trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        return name.mid(1, name.size() - 2);
    return name;
}

// Reads a quoted literal starting at `pos` (on the opening quote); returns its content unescaped.
QString readLiteral(const QString& jet, qsizetype& pos)
{
    const QChar quote = jet.at(pos);
    QString content;
    ++pos;
    while (pos < jet.size()) {
        const QChar c = jet.at(pos);
        if (c == quote) {
            if (pos + 1 < jet.size() && jet.at(pos + 1) == quote) {
                content.append(quote);
                pos += 2;
                continue;
            }
            ++pos;
            return content;
        }
        content.append(c);
        ++pos;
    }
    return content; // unterminated: SQLite reports the error on the translated text
}

QString sqlLiteral(const QString& content)
{
    return QLatin1Char('\'') + QString(content).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

// One pass over the Jet text: names in brackets become quoted identifiers, literals in either kind
// of quote become SQLite literals compared under JETTEXT, True/False become -1/0, and every term of
// ORDER BY is ordered under JETTEXT.
QString translate(const QString& jet)
{
    const QString collate = QLatin1String(" COLLATE ") + Collation;
    QString out;
    out.reserve(jet.size() + 32);
    bool inOrderBy = false;
    bool termOpen = false;
    int depth = 0;
    QString previousWord;

    // The collation goes right after the term, before the blanks that separate it from ASC/DESC.
    const auto closeTerm = [&] {
        if (termOpen) {
            qsizetype end = out.size();
            while (end > 0 && out.at(end - 1).isSpace())
                --end;
            out.insert(end, collate);
        }
        termOpen = false;
    };

    qsizetype pos = 0;
    while (pos < jet.size()) {
        const QChar c = jet.at(pos);
        if (c == QLatin1Char('[')) {
            const qsizetype close = jet.indexOf(QLatin1Char(']'), pos + 1);
            const qsizetype end = close < 0 ? jet.size() : close;
            out.append(quotedIdentifier(jet.mid(pos + 1, end - pos - 1)));
            pos = end + 1;
            termOpen = inOrderBy;
            previousWord.clear();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            out.append(sqlLiteral(readLiteral(jet, pos)));
            if (inOrderBy)
                termOpen = true;
            else
                out.append(collate);
            previousWord.clear();
        } else if (isNameStart(c)) {
            qsizetype end = pos + 1;
            while (end < jet.size() && isNameChar(jet.at(end)))
                ++end;
            const QString word = jet.mid(pos, end - pos);
            const QString upper = word.toUpper();
            const bool topLevelOrder = inOrderBy && depth == 0;
            if (topLevelOrder && (upper == QLatin1String("ASC") || upper == QLatin1String("DESC"))) {
                closeTerm();
                out.append(word);
            } else if (topLevelOrder && upper == QLatin1String("LIMIT")) {
                closeTerm();
                inOrderBy = false;
                out.append(word);
            } else if (upper == QLatin1String("TRUE") || upper == QLatin1String("FALSE")) {
                out.append(upper == QLatin1String("TRUE") ? QLatin1String("-1") : QLatin1String("0"));
                termOpen = inOrderBy;
            } else {
                out.append(word);
                termOpen = inOrderBy;
            }
            if (upper == QLatin1String("BY") && previousWord == QLatin1String("ORDER")) {
                inOrderBy = true;
                termOpen = false;
            }
            previousWord = upper;
            pos = end;
        } else {
            if (c == QLatin1Char('('))
                ++depth;
            else if (c == QLatin1Char(')'))
                --depth;
            if (inOrderBy && depth == 0 && (c == QLatin1Char(',') || c == QLatin1Char(';'))) {
                closeTerm();
                if (c == QLatin1Char(';'))
                    inOrderBy = false;
            } else if (inOrderBy && !c.isSpace()) {
                termOpen = true;
            }
            out.append(c);
            ++pos;
        }
    }
    closeTerm();
    return out;
}

QChar folded(QChar c)
{
    return c.toCaseFolded();
}

// Matches a [...] set at pattern[pos] (on the '['); advances pos past ']' and says whether `c` is
// in (or, with '!', out of) the set. Returns false in `valid` when the bracket is never closed.
bool matchSet(const QString& pattern, qsizetype& pos, QChar c, bool& valid)
{
    qsizetype close = pattern.indexOf(QLatin1Char(']'), pos + 1);
    if (close == pos + 1 || (close == pos + 2 && pattern.at(pos + 1) == QLatin1Char('!')))
        close = pattern.indexOf(QLatin1Char(']'), close + 1); // "[]]" and "[!]]" hold a literal ]
    if (close < 0) {
        valid = false;
        return false;
    }
    valid = true;
    qsizetype i = pos + 1;
    bool negate = false;
    if (i < close && pattern.at(i) == QLatin1Char('!') && close - i > 1) {
        negate = true;
        ++i;
    }
    const QChar target = folded(c);
    bool found = false;
    while (i < close) {
        const QChar low = folded(pattern.at(i));
        if (i + 2 < close && pattern.at(i + 1) == QLatin1Char('-')) {
            const QChar high = folded(pattern.at(i + 2));
            if (target >= low && target <= high)
                found = true;
            i += 3;
        } else {
            if (target == low)
                found = true;
            ++i;
        }
    }
    pos = close + 1;
    return found != negate;
}

// Whether the one-character item of the pattern at `p` (a literal, ?, # or a [...] set) matches
// `c`; `next` is set past it.
bool itemMatches(const QString& pattern, qsizetype p, QChar c, qsizetype& next)
{
    const QChar pc = pattern.at(p);
    if (pc == QLatin1Char('[')) {
        bool valid = false;
        next = p;
        const bool in = matchSet(pattern, next, c, valid);
        if (valid)
            return in;
        // An unclosed '[' stands for itself.
    }
    next = p + 1;
    if (pc == QLatin1Char('?'))
        return true;
    if (pc == QLatin1Char('#'))
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    return folded(pc) == folded(c);
}

// Every item but * takes exactly one character, so the last * seen is the only one worth taking
// back: on a mismatch it swallows one more character and the items after it are tried again. The
// work stays proportional to text times pattern, however many stars an operator types.
bool matchFrom(const QString& text, const QString& pattern)
{
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype afterStar = -1; // the pattern position after the last *
    qsizetype starText = 0;   // where the text stood when that * began
    while (t < text.size()) {
        if (p < pattern.size() && pattern.at(p) == QLatin1Char('*')) {
            while (p < pattern.size() && pattern.at(p) == QLatin1Char('*'))
                ++p;
            afterStar = p;
            starText = t;
            continue;
        }
        qsizetype next = p;
        if (p < pattern.size() && itemMatches(pattern, p, text.at(t), next)) {
            ++t;
            p = next;
            continue;
        }
        if (afterStar < 0)
            return false;
        p = afterStar;
        t = ++starText;
    }
    while (p < pattern.size() && pattern.at(p) == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

QString textArgument(sqlite3_value* value)
{
    const auto* data = static_cast<const char16_t*>(sqlite3_value_text16(value));
    const int bytes = sqlite3_value_bytes16(value);
    return QString::fromUtf16(data, bytes / 2);
}

// SQLite calls like(pattern, text) for "text LIKE pattern".
void likeFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL || sqlite3_value_type(arguments[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int(context, like(textArgument(arguments[1]), textArgument(arguments[0])) ? 1 : 0);
}

// Called for every comparison of a sort, so it compares SQLite's own buffers without copying them.
int collate(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return QStringView(static_cast<const char16_t*>(a), lengthA / 2)
        .compare(QStringView(static_cast<const char16_t*>(b), lengthB / 2), Qt::CaseInsensitive);
}

// A UTF-8 text read as QString::compare(..., Qt::CaseInsensitive) reads its UTF-16 form: one
// case-folded code unit at a time, without making a copy.
class FoldedUnits
{
public:
    FoldedUnits(const void* text, int bytes)
        : m_at(static_cast<const unsigned char*>(text))
        , m_end(m_at + bytes)
    {
    }

    bool atEnd() const { return m_pendingLow == 0 && m_at >= m_end; }

    // Steps over the bytes both texts share while they are plain ASCII: equal there, whatever the
    // case. Names in a register often share a long start ("Operatore 0...").
    static void skipCommonAscii(FoldedUnits& left, FoldedUnits& right)
    {
        while (left.m_pendingLow == 0 && right.m_pendingLow == 0 && left.m_at < left.m_end &&
               right.m_at < right.m_end && *left.m_at == *right.m_at && *left.m_at < 0x80) {
            ++left.m_at;
            ++right.m_at;
        }
    }

    char16_t next()
    {
        if (m_pendingLow != 0)
            return std::exchange(m_pendingLow, char16_t(0));
        if (*m_at < 0x80) {
            const unsigned char ascii = *m_at++;
            return ascii >= 'A' && ascii <= 'Z' ? char16_t(ascii + ('a' - 'A')) : char16_t(ascii);
        }
        const char32_t folded = QChar::toCaseFolded(decode());
        if (QChar::requiresSurrogates(folded)) {
            m_pendingLow = QChar::lowSurrogate(folded);
            return QChar::highSurrogate(folded);
        }
        return static_cast<char16_t>(folded);
    }

private:
    // One code point; a byte that does not start a valid sequence reads as U+FFFD.
    char32_t decode()
    {
        const unsigned char lead = *m_at++;
        if (lead < 0x80)
            return lead;
        int length = 0;
        char32_t codePoint = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 1;
            codePoint = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 2;
            codePoint = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 3;
            codePoint = lead & 0x07;
        } else {
            return QChar::ReplacementCharacter;
        }
        if (m_end - m_at < length)
            return QChar::ReplacementCharacter;
        for (int i = 0; i < length; ++i) {
            if ((m_at[i] & 0xC0) != 0x80)
                return QChar::ReplacementCharacter;
            codePoint = (codePoint << 6) | (m_at[i] & 0x3F);
        }
        m_at += length;
        return codePoint;
    }

    const unsigned char* m_at;
    const unsigned char* m_end;
    char16_t m_pendingLow = 0;
};

// The same order as collate() for a database kept in UTF-8 (all of ours): SQLite would otherwise
// convert both texts to UTF-16, with two allocations, for every comparison of a sort.
int collateUtf8(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    FoldedUnits left(a, lengthA);
    FoldedUnits right(b, lengthB);
    for (FoldedUnits::skipCommonAscii(left, right); !left.atEnd() && !right.atEnd();
         FoldedUnits::skipCommonAscii(left, right)) {
        const int difference = int(left.next()) - int(right.next());
        if (difference != 0)
            return difference;
    }
    return left.atEnd() ? (right.atEnd() ? 0 : -1) : 1;
}

} // namespace

QString toSqlite(const QString& jet)
{
    if (isBareName(jet))
        return QStringLiteral("SELECT * FROM ") + quotedIdentifier(unbracket(jet));
    return translate(jet);
}

QString tableOf(const QString& source)
{
    if (isBareName(source))
        return unbracket(source);
    static const QRegularExpression from(QStringLiteral(R"(\bfrom\s+(\[[^\]]+\]|\w+))"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = from.match(source);
    return match.hasMatch() ? unbracket(match.captured(1)) : QString();
}

bool like(const QString& text, const QString& pattern)
{
    return matchFrom(text, pattern);
}

int compareText(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

void registerFunctions(sqlite3* db)
{
    sqlite3_create_function_v2(db, "like", 2, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, likeFunction, nullptr,
                               nullptr, nullptr);
    sqlite3_create_collation_v2(db, "JETTEXT", SQLITE_UTF16_ALIGNED, nullptr, collate, nullptr);
    sqlite3_create_collation_v2(db, "JETTEXT", SQLITE_UTF8, nullptr, collateUtf8, nullptr);
}

} // namespace JetSql
