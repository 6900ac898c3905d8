#include "platform/datasetfilter.h"
#include "platform/datasetprivate.h"

#include <cmath>

namespace {

enum class Tok { End, Name, Number, Text, LParen, RParen, Op };

struct Token {
    Tok kind = Tok::End;
    QString text; // name, literal text, or operator
    double number = 0;
    int at = 0;
};

enum class Domain { Number, Text, Boolean, DateTime };
enum class CmpOp { Eq, Ne, Lt, Le, Gt, Ge };

struct Operand {
    int field = -1; // >= 0: a field of the table
    bool isNumber = false;
    bool isBool = false;
    double number = 0;
    bool boolean = false;
    QString text;
    qint64 stamp = 0; // date-time literal, encoded as the cells are
};

} // namespace

struct FilterProgram::Node {
    enum Kind { And, Or, Not, Compare, Like, IsNull } kind = Compare;
    std::unique_ptr<Node> a, b;
    Operand left, right;
    CmpOp op = CmpOp::Eq;
    Domain domain = Domain::Text;
    QStringList likeParts; // the pattern split at %
    bool negate = false;
};

namespace {

using Node = FilterProgram::Node;

class Parser {
public:
    Parser(const QString& expr, const DataSetPrivate& table) : m_expr(expr), m_table(table) { advance(); }

    std::unique_ptr<Node> parse() {
        auto n = expression();
        if (m_tok.kind != Tok::End)
            fail(QStringLiteral("unexpected '%1'").arg(m_tok.text));
        return n;
    }

private:
    [[noreturn]] void fail(const QString& why) const {
        throw DataSetError(QStringLiteral("Invalid filter expression \"%1\": %2").arg(m_expr, why));
    }

    bool isKeyword(const char* kw) const {
        return m_tok.kind == Tok::Name && m_tok.text.compare(QLatin1String(kw), Qt::CaseInsensitive) == 0 &&
               !m_tokQuotedName;
    }

    void advance() {
        const int n = int(m_expr.size());
        while (m_i < n && m_expr[m_i].isSpace())
            ++m_i;
        m_tok = Token{};
        m_tokQuotedName = false;
        m_tok.at = m_i;
        if (m_i >= n)
            return;
        const QChar c = m_expr[m_i];
        if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            m_tok.kind = c == QLatin1Char('(') ? Tok::LParen : Tok::RParen;
            m_tok.text = c;
            ++m_i;
        } else if (c == QLatin1Char('\'')) {
            QString s;
            ++m_i;
            for (;;) {
                if (m_i >= n)
                    fail(QStringLiteral("unterminated text"));
                if (m_expr[m_i] == QLatin1Char('\'')) {
                    if (m_i + 1 < n && m_expr[m_i + 1] == QLatin1Char('\'')) {
                        s += QLatin1Char('\'');
                        m_i += 2;
                        continue;
                    }
                    ++m_i;
                    break;
                }
                s += m_expr[m_i++];
            }
            m_tok.kind = Tok::Text;
            m_tok.text = s;
        } else if (c == QLatin1Char('[')) {
            const int close = int(m_expr.indexOf(QLatin1Char(']'), m_i + 1));
            if (close < 0)
                fail(QStringLiteral("missing ']'"));
            m_tok.kind = Tok::Name;
            m_tok.text = m_expr.mid(m_i + 1, close - m_i - 1);
            m_tokQuotedName = true;
            m_i = close + 1;
        } else if (c.isDigit() || (c == QLatin1Char('.') && m_i + 1 < n && m_expr[m_i + 1].isDigit())) {
            int j = m_i;
            while (j < n && (m_expr[j].isDigit() || m_expr[j] == QLatin1Char('.')))
                ++j;
            if (j < n && (m_expr[j] == QLatin1Char('e') || m_expr[j] == QLatin1Char('E'))) {
                int k = j + 1;
                if (k < n && (m_expr[k] == QLatin1Char('+') || m_expr[k] == QLatin1Char('-')))
                    ++k;
                if (k < n && m_expr[k].isDigit()) {
                    j = k;
                    while (j < n && m_expr[j].isDigit())
                        ++j;
                }
            }
            bool ok = false;
            m_tok.text = m_expr.mid(m_i, j - m_i);
            m_tok.number = m_tok.text.toDouble(&ok);
            if (!ok)
                fail(QStringLiteral("bad number '%1'").arg(m_tok.text));
            m_tok.kind = Tok::Number;
            m_i = j;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int j = m_i;
            while (j < n && (m_expr[j].isLetterOrNumber() || m_expr[j] == QLatin1Char('_')))
                ++j;
            m_tok.kind = Tok::Name;
            m_tok.text = m_expr.mid(m_i, j - m_i);
            m_i = j;
        } else {
            static const char* const ops[] = {"<>", "<=", ">=", "!=", "=", "<", ">", "-"};
            for (const char* op : ops) {
                const QLatin1String o(op);
                if (QStringView(m_expr).mid(m_i).startsWith(o)) {
                    m_tok.kind = Tok::Op;
                    m_tok.text = o;
                    m_i += int(o.size());
                    return;
                }
            }
            fail(QStringLiteral("unexpected character '%1'").arg(c));
        }
    }

    std::unique_ptr<Node> expression() {
        auto left = term();
        while (isKeyword("or")) {
            advance();
            auto n = std::make_unique<Node>();
            n->kind = Node::Or;
            n->a = std::move(left);
            n->b = term();
            left = std::move(n);
        }
        return left;
    }

    std::unique_ptr<Node> term() {
        auto left = factor();
        while (isKeyword("and")) {
            advance();
            auto n = std::make_unique<Node>();
            n->kind = Node::And;
            n->a = std::move(left);
            n->b = factor();
            left = std::move(n);
        }
        return left;
    }

    std::unique_ptr<Node> factor() {
        if (++m_depth > 200)
            fail(QStringLiteral("nested too deeply"));
        std::unique_ptr<Node> result;
        if (isKeyword("not")) {
            advance();
            result = std::make_unique<Node>();
            result->kind = Node::Not;
            result->a = factor();
        } else if (m_tok.kind == Tok::LParen) {
            advance();
            result = expression();
            if (m_tok.kind != Tok::RParen)
                fail(QStringLiteral("missing ')'"));
            advance();
        } else {
            result = comparison();
        }
        --m_depth;
        return result;
    }

    Operand operand() {
        Operand o;
        if (m_tok.kind == Tok::Op && m_tok.text == QLatin1String("-")) {
            advance();
            if (m_tok.kind != Tok::Number)
                fail(QStringLiteral("a number must follow '-'"));
            o.isNumber = true;
            o.number = -m_tok.number;
            o.text = QLatin1Char('-') + m_tok.text;
        } else if (m_tok.kind == Tok::Number) {
            o.isNumber = true;
            o.number = m_tok.number;
            o.text = m_tok.text;
        } else if (m_tok.kind == Tok::Text) {
            o.text = m_tok.text;
        } else if (m_tok.kind == Tok::Name && !m_tokQuotedName && (isKeyword("true") || isKeyword("false"))) {
            o.isBool = true;
            o.boolean = isKeyword("true");
            o.text = o.boolean ? QStringLiteral("True") : QStringLiteral("False");
        } else if (m_tok.kind == Tok::Name) {
            Field* f = m_table.q->findField(m_tok.text);
            if (!f)
                fail(QStringLiteral("field '%1' not found").arg(m_tok.text));
            if (f->dataType() == FieldType::Nested)
                fail(QStringLiteral("field '%1' cannot be compared").arg(m_tok.text));
            o.field = f->index();
        } else {
            fail(m_tok.kind == Tok::End ? QStringLiteral("unexpected end")
                                        : QStringLiteral("unexpected '%1'").arg(m_tok.text));
        }
        advance();
        return o;
    }

    std::unique_ptr<Node> comparison() {
        auto n = std::make_unique<Node>();
        n->left = operand();
        if (isKeyword("is")) {
            advance();
            n->kind = Node::IsNull;
            if (isKeyword("not")) {
                n->negate = true;
                advance();
            }
            if (!isKeyword("null"))
                fail(QStringLiteral("'null' expected after 'is'"));
            advance();
            if (n->left.field < 0)
                fail(QStringLiteral("'is null' needs a field"));
            return n;
        }
        if (isKeyword("not")) {
            n->negate = true;
            advance();
            if (!isKeyword("like"))
                fail(QStringLiteral("'like' expected after 'not'"));
        }
        if (isKeyword("like")) {
            advance();
            n->kind = Node::Like;
            Operand pattern = operand();
            if (pattern.field >= 0)
                fail(QStringLiteral("'like' needs a text pattern"));
            n->likeParts = pattern.text.split(QLatin1Char('%'));
            return n;
        }
        if (m_tok.kind != Tok::Op || m_tok.text == QLatin1String("-"))
            fail(m_tok.kind == Tok::End ? QStringLiteral("comparison expected at the end")
                                        : QStringLiteral("comparison expected before '%1'").arg(m_tok.text));
        const QString op = m_tok.text;
        n->op = op == QLatin1String("=")    ? CmpOp::Eq
                : op == QLatin1String("<")  ? CmpOp::Lt
                : op == QLatin1String("<=") ? CmpOp::Le
                : op == QLatin1String(">")  ? CmpOp::Gt
                : op == QLatin1String(">=") ? CmpOp::Ge
                                            : CmpOp::Ne;
        advance();
        n->right = operand();
        typeComparison(*n);
        return n;
    }

    Domain domainOf(int field) const {
        switch (m_table.schema->fields[size_t(field)].type) {
        case FieldType::Integer:
        case FieldType::Float:
            return Domain::Number;
        case FieldType::Boolean:
            return Domain::Boolean;
        case FieldType::DateTime:
            return Domain::DateTime;
        default:
            return Domain::Text;
        }
    }

    // Two fields of different kinds: numbers and Booleans compare as numbers (a Boolean
    // counts 1 or 0); anything else compares as the texts the fields show. Each cell is
    // then read as what it is, never as the other field's type.
    static Domain commonDomain(Domain a, Domain b) {
        if (a == b)
            return a;
        const auto numeric = [](Domain d) { return d == Domain::Number || d == Domain::Boolean; };
        return numeric(a) && numeric(b) ? Domain::Number : Domain::Text;
    }

    void typeComparison(Node& n) {
        const int field = n.left.field >= 0 ? n.left.field : n.right.field;
        if (n.left.field >= 0 && n.right.field >= 0) {
            n.domain = commonDomain(domainOf(n.left.field), domainOf(n.right.field));
        } else if (field >= 0) {
            n.domain = domainOf(field);
        } else {
            n.domain = n.left.isNumber && n.right.isNumber ? Domain::Number : Domain::Text;
        }
        convertLiteral(n.left, n.domain);
        convertLiteral(n.right, n.domain);
    }

    void convertLiteral(Operand& o, Domain domain) {
        if (o.field >= 0)
            return;
        switch (domain) {
        case Domain::Number:
            if (!o.isNumber) {
                bool ok = false;
                o.number = o.isBool ? (o.boolean ? 1 : 0) : o.text.trimmed().toDouble(&ok);
                if (!o.isBool && !ok)
                    fail(QStringLiteral("'%1' is not a number").arg(o.text));
            }
            break;
        case Domain::Boolean:
            if (o.isNumber) {
                o.boolean = o.number != 0;
            } else if (!o.isBool) {
                bool ok = false;
                o.boolean = datastore::parseBoolean(o.text, &ok);
                if (!ok)
                    fail(QStringLiteral("'%1' is not a boolean value").arg(o.text));
            }
            break;
        case Domain::DateTime: {
            const QDateTime dt = datastore::parseDateTime(o.text);
            if (o.isNumber || o.isBool || !dt.isValid())
                fail(QStringLiteral("'%1' is not a date and time").arg(o.text));
            o.stamp = datastore::encodeDateTime(dt);
            break;
        }
        case Domain::Text:
            break;
        }
    }

    QString m_expr;
    const DataSetPrivate& m_table;
    int m_i = 0;
    int m_depth = 0;
    Token m_tok;
    bool m_tokQuotedName = false;
};

template <typename T> bool compareWith(CmpOp op, const T& a, const T& b) {
    switch (op) {
    case CmpOp::Eq:
        return a == b;
    case CmpOp::Ne:
        return !(a == b);
    case CmpOp::Lt:
        return a < b;
    case CmpOp::Le:
        return !(b < a);
    case CmpOp::Gt:
        return b < a;
    case CmpOp::Ge:
        return !(a < b);
    }
    return false;
}

bool likeMatches(const QString& value, const QStringList& parts) {
    if (parts.size() == 1)
        return value.compare(parts[0], Qt::CaseInsensitive) == 0;
    const QString& head = parts.front();
    const QString& tail = parts.back();
    if (value.size() < head.size() + tail.size())
        return false;
    if (!value.startsWith(head, Qt::CaseInsensitive) || !value.endsWith(tail, Qt::CaseInsensitive))
        return false;
    qsizetype from = head.size();
    const qsizetype limit = value.size() - tail.size();
    for (qsizetype i = 1; i + 1 < parts.size(); ++i) {
        if (parts[i].isEmpty())
            continue;
        const qsizetype at = value.indexOf(parts[i], from, Qt::CaseInsensitive);
        if (at < 0 || at + parts[i].size() > limit)
            return false;
        from = at + parts[i].size();
    }
    return true;
}

bool evaluate(const Node& n, const DataSetPrivate& t, const uchar* row) {
    const TableSchema& s = *t.schema;
    switch (n.kind) {
    case Node::And:
        return evaluate(*n.a, t, row) && evaluate(*n.b, t, row);
    case Node::Or:
        return evaluate(*n.a, t, row) || evaluate(*n.b, t, row);
    case Node::Not:
        return !evaluate(*n.a, t, row);
    case Node::IsNull:
        return datastore::hasValue(s, row, n.left.field) == n.negate;
    case Node::Like: {
        const QString v = n.left.field >= 0 ? t.textOf(row, n.left.field) : n.left.text;
        return likeMatches(v, n.likeParts) != n.negate;
    }
    case Node::Compare:
        break;
    }
    const bool leftField = n.left.field >= 0, rightField = n.right.field >= 0;
    if (n.domain != Domain::Text) {
        const bool leftNull = leftField && !datastore::hasValue(s, row, n.left.field);
        const bool rightNull = rightField && !datastore::hasValue(s, row, n.right.field);
        if (leftNull || rightNull)
            return n.op == CmpOp::Ne && !(leftNull && rightNull);
    }
    switch (n.domain) {
    case Domain::Number: {
        const double a = leftField ? t.floatOf(row, n.left.field) : n.left.number;
        const double b = rightField ? t.floatOf(row, n.right.field) : n.right.number;
        return compareWith(n.op, a, b);
    }
    case Domain::Boolean: {
        const int a = leftField ? t.booleanOf(row, n.left.field) : n.left.boolean;
        const int b = rightField ? t.booleanOf(row, n.right.field) : n.right.boolean;
        return compareWith(n.op, a, b);
    }
    case Domain::DateTime: {
        const qint64 a = leftField ? datastore::cell<qint64>(s, row, n.left.field) : n.left.stamp;
        const qint64 b = rightField ? datastore::cell<qint64>(s, row, n.right.field) : n.right.stamp;
        return compareWith(n.op, a, b);
    }
    case Domain::Text: {
        const QString a = leftField ? t.textOf(row, n.left.field) : n.left.text;
        const QString b = rightField ? t.textOf(row, n.right.field) : n.right.text;
        return compareWith(n.op, a, b);
    }
    }
    return false;
}

} // namespace

FilterProgram::~FilterProgram() = default;

std::unique_ptr<FilterProgram> FilterProgram::compile(const QString& expression,
                                                      const DataSetPrivate& table) {
    std::unique_ptr<FilterProgram> program(new FilterProgram);
    if (expression.trimmed().isEmpty())
        return program; // no expression: every row passes
    Parser parser(expression, table);
    program->m_root = parser.parse();
    return program;
}

bool FilterProgram::matches(const DataSetPrivate& table, const uchar* row) const {
    return !m_root || evaluate(*m_root, table, row);
}
