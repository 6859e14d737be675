#include "platform/db/jetsql.h"

#include "platform/db/dberror.h"

#include <QDateTime>
#include <QStringList>

#include <iterator>
#include <vector>

namespace Dao {
namespace {

enum class Kind { Space, Word, Name, String, Number, Op, Group };

struct Node
{
    Kind kind = Kind::Op;
    QString text;
    int pos = 0;
    std::vector<Node> children;   // Group only, without its parentheses
};

using Nodes = std::vector<Node>;

Node make(Kind kind, const QString &text, int pos = 0) { return Node{kind, text, pos, {}}; }

QString sqlLiteral(const QString &content)
{
    QString out = content;
    out.replace('\'', "''");
    return '\'' + out + '\'';
}

QString jetDateLiteral(const QString &raw)
{
    const QString text = raw.simplified();
    static const char *const dateTimes[] = {
        "M/d/yyyy H:mm:ss", "M/d/yyyy h:mm:ss AP", "M/d/yyyy H:mm", "M/d/yyyy h:mm AP",
        "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd H:mm:ss", "yyyy-MM-dd H:mm"};
    for (const char *f : dateTimes) {
        const QDateTime dt = QDateTime::fromString(text, QString::fromLatin1(f));
        if (dt.isValid())
            return sqlLiteral(dt.toString("yyyy-MM-dd HH:mm:ss"));
    }
    for (const char *f : {"M/d/yyyy", "yyyy-MM-dd"}) {
        const QDate d = QDate::fromString(text, QString::fromLatin1(f));
        if (d.isValid())
            return sqlLiteral(d.toString("yyyy-MM-dd") + " 00:00:00");
    }
    for (const char *f : {"H:mm:ss", "h:mm:ss AP", "H:mm", "h:mm AP"}) {
        const QTime t = QTime::fromString(text, QString::fromLatin1(f));
        if (t.isValid())   // a time alone is a time of Jet's day zero
            return sqlLiteral("1899-12-30 " + t.toString("HH:mm:ss"));
    }
    throw DbError(QString("Syntax error in date in query expression '#%1#'.").arg(raw));
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == '_'; }

// Splits text into tokens. In Jet's dialect "..." is a string and #...# a date; in SQLite's
// "..." is a name.
Nodes tokenize(const QString &sql, bool jet)
{
    Nodes out;
    const int n = int(sql.size());
    out.reserve(n / 2 + 1);
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        const int start = i;
        if (c.isSpace()) {
            while (i < n && sql[i].isSpace())
                ++i;
            out.push_back(make(Kind::Space, sql.mid(start, i - start), start));
        } else if (c == '\'' || (c == '"' && jet)) {
            QString content;
            ++i;
            bool closed = false;
            while (i < n) {
                if (sql[i] == c) {
                    if (i + 1 < n && sql[i + 1] == c) {
                        content += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                content += sql[i++];
            }
            if (!closed)
                throw DbError(QString("Syntax error in string in query expression '%1'.")
                                  .arg(sql.mid(start)));
            out.push_back(make(Kind::String, sqlLiteral(content), start));
        } else if (c == '[' || c == '`' || c == '"') {
            const QChar close = c == '[' ? QChar(']') : c;
            int j = i + 1;
            while (j < n && sql[j] != close)
                ++j;
            if (j >= n)
                throw DbError(QString("Syntax error: a name that starts with %1 is not closed in "
                                      "'%2'.").arg(c).arg(sql));
            out.push_back(make(Kind::Name, sql.mid(i, j + 1 - i), start));
            i = j + 1;
        } else if (c == '#' && jet) {
            const int j = int(sql.indexOf('#', i + 1));
            if (j < 0)
                throw DbError(QString("Syntax error in date in query expression '%1'.")
                                  .arg(sql.mid(start)));
            out.push_back(make(Kind::String, jetDateLiteral(sql.mid(i + 1, j - i - 1)), start));
            i = j + 1;
        } else if (c.isDigit() || (c == '.' && i + 1 < n && sql[i + 1].isDigit())) {
            while (i < n && (sql[i].isDigit() || sql[i] == '.'))
                ++i;
            if (i < n && (sql[i] == 'e' || sql[i] == 'E')) {
                int j = i + 1;
                if (j < n && (sql[j] == '+' || sql[j] == '-'))
                    ++j;
                if (j < n && sql[j].isDigit()) {
                    i = j;
                    while (i < n && sql[i].isDigit())
                        ++i;
                }
            }
            out.push_back(make(Kind::Number, sql.mid(start, i - start), start));
        } else if (isWordChar(c)) {
            while (i < n && isWordChar(sql[i]))
                ++i;
            out.push_back(make(Kind::Word, sql.mid(start, i - start), start));
        } else {
            static const QStringList pairs = {"<=", ">=", "<>", "!=", "==", "||", "<<", ">>"};
            const QString two = sql.mid(i, 2);
            const int len = pairs.contains(two) ? 2 : 1;
            out.push_back(make(Kind::Op, sql.mid(i, len), start));
            i += len;
        }
    }
    return out;
}

// Nests the tokens by parentheses.
Nodes buildTree(Nodes tokens, const QString &sql)
{
    std::vector<Nodes> stack(1);
    std::vector<int> openPos;
    for (Node &t : tokens) {
        if (t.kind == Kind::Op && t.text == "(") {
            stack.emplace_back();
            openPos.push_back(t.pos);
        } else if (t.kind == Kind::Op && t.text == ")") {
            if (stack.size() < 2)
                throw DbError(QString("Syntax error: unbalanced parentheses in '%1'.").arg(sql));
            Node group = make(Kind::Group, QString(), openPos.back());
            group.children = std::move(stack.back());
            stack.pop_back();
            openPos.pop_back();
            stack.back().push_back(std::move(group));
        } else {
            stack.back().push_back(std::move(t));
        }
    }
    if (stack.size() != 1)
        throw DbError(QString("Syntax error: unbalanced parentheses in '%1'.").arg(sql));
    return std::move(stack.front());
}

void emitNodes(const Nodes &nodes, QString &out)
{
    for (const Node &node : nodes) {
        if (node.kind == Kind::Group) {
            out += '(';
            emitNodes(node.children, out);
            out += ')';
        } else {
            out += node.text;
        }
    }
}

bool isWord(const Node &node, const char *word)
{
    return node.kind == Kind::Word
           && node.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isOp(const Node &node, const char *op)
{
    return node.kind == Kind::Op && node.text == QLatin1String(op);
}

int nextSolid(const Nodes &nodes, int i)
{
    for (int j = i + 1; j < int(nodes.size()); ++j)
        if (nodes[j].kind != Kind::Space)
            return j;
    return -1;
}

int prevSolid(const Nodes &nodes, int i)
{
    for (int j = i - 1; j >= 0; --j)
        if (nodes[j].kind != Kind::Space)
            return j;
    return -1;
}

// Words that end an operand of "&" (all operators below "&" and the clause keywords).
bool isStopWord(const Node &node)
{
    static const QStringList words = {
        "SELECT", "FROM", "WHERE", "AND", "OR", "NOT", "XOR", "EQV", "IMP", "LIKE", "IS", "IN",
        "BETWEEN", "AS", "ON", "JOIN", "INNER", "LEFT", "RIGHT", "OUTER", "CROSS", "GROUP",
        "ORDER", "BY", "HAVING", "SET", "VALUES", "INTO", "CASE", "WHEN", "THEN", "ELSE", "END",
        "DISTINCT", "ASC", "DESC", "UNION", "ALL", "TOP", "ESCAPE", "EXISTS", "UPDATE", "DELETE",
        "INSERT", "LIMIT", "GLOB", "REGEXP", "MATCH", "COLLATE"};
    return node.kind == Kind::Word && words.contains(node.text, Qt::CaseInsensitive);
}

bool isOperandPart(const Node &node)
{
    switch (node.kind) {
    case Kind::Space:
    case Kind::Name:
    case Kind::String:
    case Kind::Number:
    case Kind::Group:
        return true;
    case Kind::Word:
        return !isStopWord(node);
    case Kind::Op:
        return node.text == "+" || node.text == "-" || node.text == "*" || node.text == "/"
               || node.text == "%" || node.text == "." || node.text == "||" || node.text == "?"
               || node.text == "~";
    }
    return false;
}

// The operand that ends at index i (inclusive, solid), walking left: its first index.
int operandStart(const Nodes &nodes, int i)
{
    int j = i;
    while (j - 1 >= 0 && isOperandPart(nodes[j - 1]))
        --j;
    while (j < i && nodes[j].kind == Kind::Space)
        ++j;
    return j;
}

// The operand that starts at index i (solid), walking right: its last index.
int operandEnd(const Nodes &nodes, int i)
{
    int j = i;
    while (j + 1 < int(nodes.size()) && isOperandPart(nodes[j + 1]))
        ++j;
    while (j > i && nodes[j].kind == Kind::Space)
        --j;
    return j;
}

// Moves nodes[from..to] out of nodes; the emptied places are dropped by the caller.
Nodes take(Nodes &nodes, int from, int to)
{
    return Nodes(std::make_move_iterator(nodes.begin() + from),
                 std::make_move_iterator(nodes.begin() + to + 1));
}

// The parenthesised argument list of a call; the caller puts the function's name before it.
Node argumentList(std::vector<Nodes> &&arguments)
{
    Node group = make(Kind::Group, QString());
    for (size_t a = 0; a < arguments.size(); ++a) {
        if (a > 0) {
            group.children.push_back(make(Kind::Op, ","));
            group.children.push_back(make(Kind::Space, " "));
        }
        group.children.insert(group.children.end(), std::make_move_iterator(arguments[a].begin()),
                              std::make_move_iterator(arguments[a].end()));
    }
    return group;
}

int lastSolid(const Nodes &nodes) { return prevSolid(nodes, int(nodes.size())); }

// Each pass below reads one level's nodes and appends what it makes to a new list, so that no
// rewrite moves the rest of the text: the work stays linear in the length of the statement.
// What lies left of the place being rewritten is already in the new list, what lies right of
// it is still in the old one.

void rewriteTokens(Nodes &nodes)
{
    Nodes out;
    out.reserve(nodes.size() + nodes.size() / 4);
    for (int i = 0; i < int(nodes.size()); ++i) {
        Node &node = nodes[i];
        const int prev = lastSolid(out);
        const bool qualified = prev >= 0 && isOp(out[prev], ".");
        if (node.kind == Kind::Op && node.text == "!") {
            const int next = nextSolid(nodes, i);
            const bool nameBefore = prev >= 0
                                    && (out[prev].kind == Kind::Word
                                        || out[prev].kind == Kind::Name);
            const bool nameAfter = next >= 0
                                   && (nodes[next].kind == Kind::Word
                                       || nodes[next].kind == Kind::Name);
            if (nameBefore && nameAfter)
                node.text = ".";
        } else if (node.kind == Kind::Op && node.text == "/") {
            out.push_back(make(Kind::Op, "*"));
            out.push_back(make(Kind::Number, "1.0"));
        } else if (qualified) {
        } else if (isWord(node, "True") || isWord(node, "False")) {
            node = make(Kind::Number, isWord(node, "True") ? "1" : "0", node.pos);
        } else if (isWord(node, "Mod")) {
            node = make(Kind::Op, "%", node.pos);
        } else if (isWord(node, "DISTINCTROW")) {
            if (i + 1 < int(nodes.size()) && nodes[i + 1].kind == Kind::Space)
                ++i;
            continue;
        } else if (isWord(node, "Date") || isWord(node, "Now")) {
            const int next = nextSolid(nodes, i);
            if (next >= 0 && nodes[next].kind == Kind::Group
                && nextSolid(nodes[next].children, -1) < 0) {
                node.text = isWord(node, "Date") ? "jet_date" : "jet_now";
                out.push_back(std::move(node));
                i = next - 1;   // "Date ()": the blanks before the parentheses go
                continue;
            }
        }
        out.push_back(std::move(node));
    }
    nodes = std::move(out);
}

void rewriteConcatenation(Nodes &nodes)
{
    Nodes out;
    out.reserve(nodes.size());
    for (int i = 0; i < int(nodes.size()); ++i) {
        if (!isOp(nodes[i], "&")) {
            out.push_back(std::move(nodes[i]));
            continue;
        }
        const int leftEnd = lastSolid(out);
        if (leftEnd < 0 || !isOperandPart(out[leftEnd]))
            throw DbError("Syntax error: '&' without a value before it.");
        const int first = operandStart(out, leftEnd);
        std::vector<Nodes> operands;
        operands.push_back(take(out, first, leftEnd));
        out.resize(first);
        int amp = i;
        int last = i;
        while (amp >= 0 && isOp(nodes[amp], "&")) {
            const int rightStart = nextSolid(nodes, amp);
            if (rightStart < 0 || !isOperandPart(nodes[rightStart]))
                throw DbError("Syntax error: '&' without a value after it.");
            last = operandEnd(nodes, rightStart);
            operands.push_back(take(nodes, rightStart, last));
            amp = nextSolid(nodes, last);
        }
        out.push_back(make(Kind::Word, "jet_concat"));
        out.push_back(argumentList(std::move(operands)));
        i = last;
    }
    nodes = std::move(out);
}

// x [Not] Like p  ->  [NOT] jet_like(x, p): Jet's wildcards, case-blind as Jet compares.
void rewriteLike(Nodes &nodes)
{
    Nodes out;
    out.reserve(nodes.size());
    for (int i = 0; i < int(nodes.size()); ++i) {
        if (!isWord(nodes[i], "LIKE")) {
            out.push_back(std::move(nodes[i]));
            continue;
        }
        int opStart = int(out.size());
        const int before = lastSolid(out);
        bool negated = false;
        if (before >= 0 && isWord(out[before], "NOT")) {
            negated = true;
            opStart = before;
        }
        const int leftEnd = prevSolid(out, opStart);
        const int rightStart = nextSolid(nodes, i);
        if (leftEnd < 0 || rightStart < 0 || !isOperandPart(out[leftEnd])
            || !isOperandPart(nodes[rightStart]))
            throw DbError("Syntax error: 'Like' needs a value on each side.");
        const int first = operandStart(out, leftEnd);
        const int last = operandEnd(nodes, rightStart);
        std::vector<Nodes> arguments;
        arguments.push_back(take(out, first, leftEnd));
        arguments.push_back(take(nodes, rightStart, last));
        out.resize(first);
        if (negated) {
            out.push_back(make(Kind::Word, "NOT"));
            out.push_back(make(Kind::Space, " "));
        }
        out.push_back(make(Kind::Word, "jet_like"));
        out.push_back(argumentList(std::move(arguments)));
        i = last;
    }
    nodes = std::move(out);
}

void rewriteLevel(Nodes &nodes)
{
    for (Node &node : nodes)
        if (node.kind == Kind::Group)
            rewriteLevel(node.children);
    rewriteTokens(nodes);
    rewriteConcatenation(nodes);
    rewriteLike(nodes);
}

bool isAnyWord(const Node &node, std::initializer_list<const char *> words)
{
    for (const char *w : words)
        if (isWord(node, w))
            return true;
    return false;
}

// Words that end a join's source or its ON condition.
bool endsJoinPart(const Node &node)
{
    return isAnyWord(node, {"INNER", "LEFT", "RIGHT", "FULL", "CROSS", "JOIN", "NATURAL", "ON",
                            "WHERE", "GROUP", "ORDER", "HAVING", "LIMIT", "UNION", "INTERSECT",
                            "EXCEPT", "WINDOW", "USING"})
           || isOp(node, ",") || isOp(node, ";");
}

// "name [[AS] alias]": one table or view, nothing joined.
bool isSingleSource(const Nodes &nodes, int from, int to)
{
    int solid = 0;
    for (int k = from; k <= to; ++k) {
        if (nodes[k].kind == Kind::Space)
            continue;
        ++solid;
        const bool name = nodes[k].kind == Kind::Name
                          || (nodes[k].kind == Kind::Word && !isStopWord(nodes[k]));
        if (!name && !(solid == 2 && isWord(nodes[k], "AS")))
            return false;
    }
    return solid >= 1 && solid <= 3;
}

// "A RIGHT JOIN B ON c" -> "B LEFT JOIN A ON c", where A is one table opening its join (after
// FROM or an opening parenthesis) and B one table or a parenthesised join. The rows are the
// same; SQLite can then carry a condition on B into B's keys, which it cannot do through the
// right side of a RIGHT JOIN. Groups that hold a query of their own are left alone.
void rewriteRightJoins(Nodes &nodes, int from)
{
    int right = -1;
    for (int k = from; k < int(nodes.size()); ++k) {
        if (nodes[k].kind == Kind::Group) {
            const int head = nextSolid(nodes[k].children, -1);
            if (head < 0 || !isWord(nodes[k].children[head], "SELECT"))
                rewriteRightJoins(nodes[k].children, 0);
        }
        if (right < 0 && isWord(nodes[k], "RIGHT"))
            right = k;
        if (isAnyWord(nodes[k], {"WHERE", "GROUP", "ORDER", "HAVING", "LIMIT"}))
            break;
    }
    if (right < 0)
        return;
    int join = nextSolid(nodes, right);
    if (join >= 0 && isWord(nodes[join], "OUTER"))
        join = nextSolid(nodes, join);
    if (join < 0 || !isWord(nodes[join], "JOIN"))
        return;
    const int leftStart = nextSolid(nodes, from - 1);
    const int leftEnd = prevSolid(nodes, right);
    if (leftStart < 0 || leftEnd < leftStart || !isSingleSource(nodes, leftStart, leftEnd))
        return;
    const int rightStart = nextSolid(nodes, join);
    int on = rightStart;
    while (on >= 0 && !endsJoinPart(nodes[on]))
        on = nextSolid(nodes, on);
    if (rightStart < 0 || on < 0 || on == rightStart || !isWord(nodes[on], "ON"))
        return;
    const int rightEnd = prevSolid(nodes, on);
    const bool rightIsGroup = rightStart == rightEnd && nodes[rightStart].kind == Kind::Group;
    if (!rightIsGroup && !isSingleSource(nodes, rightStart, rightEnd))
        return;
    const int condStart = nextSolid(nodes, on);
    int after = condStart;
    while (after >= 0 && !endsJoinPart(nodes[after]))
        after = nextSolid(nodes, after);
    if (condStart < 0 || (after >= 0 && isWord(nodes[after], "ON")))
        return;
    const int condEnd = after < 0 ? prevSolid(nodes, int(nodes.size())) : prevSolid(nodes, after);

    Nodes out;
    out.reserve(nodes.size() + 2);
    for (int k = 0; k < leftStart; ++k)
        out.push_back(std::move(nodes[k]));
    for (int k = rightStart; k <= rightEnd; ++k)
        out.push_back(std::move(nodes[k]));
    for (const char *w : {" ", "LEFT", " ", "JOIN", " "})
        out.push_back(make(*w == ' ' ? Kind::Space : Kind::Word, w));
    for (int k = leftStart; k <= leftEnd; ++k)
        out.push_back(std::move(nodes[k]));
    for (const char *w : {" ", "ON", " "})
        out.push_back(make(*w == ' ' ? Kind::Space : Kind::Word, w));
    for (int k = condStart; k <= condEnd; ++k)
        out.push_back(std::move(nodes[k]));
    for (int k = condEnd + 1; k < int(nodes.size()); ++k)
        out.push_back(std::move(nodes[k]));
    nodes = std::move(out);
}

// The joins of a SELECT whose select list names its columns: with "*" the order of the
// columns follows the order of the tables, so those are left as they are.
void rewriteSelectJoins(Nodes &nodes, int head)
{
    int from = -1;
    for (int k = head + 1; k < int(nodes.size()); ++k) {
        if (isAnyWord(nodes[k], {"UNION", "INTERSECT", "EXCEPT"}))
            return;
        if (from >= 0)
            continue;
        if (isWord(nodes[k], "FROM")) {
            from = k;
        } else if (isOp(nodes[k], "*")) {
            const int prev = prevSolid(nodes, k);
            if (prev < 0 || !isOp(nodes[prev], "."))
                return;
        }
    }
    if (from >= 0)
        rewriteRightJoins(nodes, from + 1);
}

void rewriteStatement(Nodes &nodes)
{
    const int head = nextSolid(nodes, -1);
    if (head < 0)
        return;
    if (isWord(nodes[head], "DELETE")) {
        // Jet names the fields to delete ("t.*, t.f"); SQLite deletes whole rows.
        for (int i = head + 1; i < int(nodes.size()); ++i) {
            if (isWord(nodes[i], "FROM")) {
                nodes.erase(nodes.begin() + head + 1, nodes.begin() + i);
                nodes.insert(nodes.begin() + head + 1, make(Kind::Space, " "));
                break;
            }
        }
    } else if (isWord(nodes[head], "UPDATE")) {
        // SQLite takes no table name before a column that SET assigns.
        Nodes out;
        out.reserve(nodes.size());
        bool inSet = false;
        bool atTarget = false;
        int i = 0;
        for (; i < int(nodes.size()); ++i) {
            if (i > head && isWord(nodes[i], "WHERE"))
                break;
            if (i > head && (isWord(nodes[i], "SET") || (inSet && isOp(nodes[i], ",")))) {
                inSet = true;
                atTarget = true;
            } else if (atTarget && nodes[i].kind != Kind::Space) {
                atTarget = false;
                const int dot = nextSolid(nodes, i);
                const int column = dot >= 0 ? nextSolid(nodes, dot) : -1;
                if (column >= 0 && isOp(nodes[dot], ".")
                    && (nodes[i].kind == Kind::Word || nodes[i].kind == Kind::Name)
                    && (nodes[column].kind == Kind::Word || nodes[column].kind == Kind::Name))
                    i = column;
            }
            out.push_back(std::move(nodes[i]));
        }
        for (; i < int(nodes.size()); ++i)
            out.push_back(std::move(nodes[i]));
        nodes = std::move(out);
    }
    while (!nodes.empty() && (nodes.back().kind == Kind::Space || isOp(nodes.back(), ";")))
        nodes.pop_back();
    if (head < int(nodes.size()) && isWord(nodes[head], "SELECT"))
        rewriteSelectJoins(nodes, head);
}

QString unquoteName(const Node &node)
{
    if (node.kind != Kind::Name)
        return node.text;
    QString inner = node.text.mid(1, node.text.size() - 2);
    if (node.text.startsWith('"'))
        inner.replace("\"\"", "\"");
    return inner;
}

} // namespace

QString JetSql::toSqlite(const QString &jetSql)
{
    Nodes nodes = buildTree(tokenize(jetSql, true), jetSql);
    rewriteLevel(nodes);
    rewriteStatement(nodes);
    QString out;
    emitNodes(nodes, out);
    return out;
}

JetSql::SelectShape JetSql::shapeOf(const QString &sqliteSql)
{
    SelectShape shape;
    Nodes nodes;
    try {
        nodes = buildTree(tokenize(sqliteSql, false), sqliteSql);
    } catch (const DbError &) {
        return shape;
    }
    int i = nextSolid(nodes, -1);
    if (i < 0 || !isWord(nodes[i], "SELECT"))
        return shape;
    shape.isSelect = true;
    i = nextSolid(nodes, i);
    if (i < 0 || isWord(nodes[i], "DISTINCT") || isWord(nodes[i], "ALL"))
        return shape;
    const int listOffset = nodes[i].pos;
    static const QStringList aggregates = {"count", "sum", "avg", "min", "max", "total",
                                           "group_concat"};
    for (; i < int(nodes.size()) && !isWord(nodes[i], "FROM"); ++i) {
        const int next = nextSolid(nodes, i);
        if (nodes[i].kind == Kind::Word && aggregates.contains(nodes[i].text, Qt::CaseInsensitive)
            && next >= 0 && nodes[next].kind == Kind::Group)
            return shape;
    }
    i = nextSolid(nodes, i);
    if (i < 0
        || !(nodes[i].kind == Kind::Name
             || (nodes[i].kind == Kind::Word && !isStopWord(nodes[i]))))
        return shape;
    const QString source = unquoteName(nodes[i]);
    i = nextSolid(nodes, i);
    if (i >= 0 && isWord(nodes[i], "AS"))
        i = nextSolid(nodes, i);   // the alias follows
    if (i >= 0 && (nodes[i].kind == Kind::Name
                   || (nodes[i].kind == Kind::Word && !isStopWord(nodes[i]))))
        i = nextSolid(nodes, i);
    if (i >= 0 && !isWord(nodes[i], "WHERE") && !isWord(nodes[i], "ORDER")
        && !isWord(nodes[i], "LIMIT"))
        return shape;
    for (; i >= 0 && i < int(nodes.size()); ++i) {
        static const QStringList compound = {"GROUP", "HAVING", "UNION", "INTERSECT", "EXCEPT",
                                             "WINDOW", "JOIN"};
        if ((nodes[i].kind == Kind::Word && compound.contains(nodes[i].text, Qt::CaseInsensitive)))
            return shape;
    }
    shape.singleSource = source;
    shape.listOffset = listOffset;
    return shape;
}

QString JetSql::leadingKeyword(const QString &sqliteSql)
{
    for (const Node &node : tokenize(sqliteSql, false)) {
        if (node.kind == Kind::Space || isOp(node, "("))
            continue;
        return node.kind == Kind::Word ? node.text.toUpper() : QString();
    }
    return QString();
}

QString JetSql::quoteName(const QString &name)
{
    QString inner = name;
    inner.replace('"', "\"\"");
    return '"' + inner + '"';
}

} // namespace Dao
