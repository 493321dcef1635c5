#include "FilterExpression.h"

#include "Exceptions.h"

#include <QVariant>
#include <cmath>
#include <vector>

namespace host {

namespace {

enum class Tok { End, Field, String, Number, Word, LParen, RParen, Op };

struct Token
{
    Tok kind = Tok::End;
    QString text;
    int pos = 0;  // 1-based column
};

[[noreturn]] void fail(int pos, const QString& what)
{
    throw EFilterError(QStringLiteral("Erro no filtro, posição %1: %2").arg(pos).arg(what), pos);
}

std::vector<Token> tokenize(const QString& s)
{
    std::vector<Token> tokens;
    int i = 0;
    const int n = int(s.size());
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token t;
        t.pos = i + 1;
        if (c == QLatin1Char('[')) {
            const int close = int(s.indexOf(QLatin1Char(']'), i + 1));
            if (close < 0)
                fail(t.pos, QStringLiteral("falta \"]\""));
            t.kind = Tok::Field;
            t.text = s.mid(i + 1, close - i - 1).trimmed();
            if (t.text.isEmpty())
                fail(t.pos, QStringLiteral("nome de campo vazio"));
            i = close + 1;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const QChar quote = c;
            t.kind = Tok::String;
            ++i;
            bool closed = false;
            while (i < n) {
                if (s[i] == quote) {
                    if (i + 1 < n && s[i + 1] == quote) {
                        t.text += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                t.text += s[i++];
            }
            if (!closed)
                fail(t.pos, QStringLiteral("texto sem aspas de fechamento"));
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && s[i + 1].isDigit())) {
            t.kind = Tok::Number;
            while (i < n && (s[i].isDigit() || s[i] == QLatin1Char('.')))
                t.text += s[i++];
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            t.kind = Tok::Word;
            while (i < n && (s[i].isLetterOrNumber() || s[i] == QLatin1Char('_')))
                t.text += s[i++];
        } else if (c == QLatin1Char('(')) {
            t.kind = Tok::LParen;
            ++i;
        } else if (c == QLatin1Char(')')) {
            t.kind = Tok::RParen;
            ++i;
        } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')) {
            t.kind = Tok::Op;
            t.text = c;
            ++i;
            if (i < n && (s[i] == QLatin1Char('=') || (c == QLatin1Char('<') && s[i] == QLatin1Char('>')))) {
                t.text += s[i];
                ++i;
            }
        } else if (c == QLatin1Char('-')) {
            t.kind = Tok::Number;
            t.text = c;
            ++i;
            if (i >= n || !(s[i].isDigit() || s[i] == QLatin1Char('.')))
                fail(t.pos, QStringLiteral("número inválido"));
            while (i < n && (s[i].isDigit() || s[i] == QLatin1Char('.')))
                t.text += s[i++];
        } else {
            fail(t.pos, QStringLiteral("caractere inesperado \"%1\"").arg(c));
        }
        tokens.push_back(std::move(t));
    }
    Token end;
    end.pos = n + 1;
    tokens.push_back(end);
    return tokens;
}

bool isWord(const Token& t, const char* word)
{
    return t.kind == Tok::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

enum class CmpOp { Eq, Ne, Lt, Gt, Le, Ge };

bool applyOp(CmpOp op, int cmp)
{
    switch (op) {
    case CmpOp::Eq:
        return cmp == 0;
    case CmpOp::Ne:
        return cmp != 0;
    case CmpOp::Lt:
        return cmp < 0;
    case CmpOp::Gt:
        return cmp > 0;
    case CmpOp::Le:
        return cmp <= 0;
    case CmpOp::Ge:
        return cmp >= 0;
    }
    return false;
}

} // namespace

// An operand: a stored field, or a constant already converted when compared to a field.
struct Operand
{
    int field = -1;
    QVariant constant;
    bool isField() const { return field >= 0; }
};

struct FilterExpression::Node
{
    enum class Kind { And, Or, Not, Compare, Like, IsNull };
    Kind kind = Kind::Compare;
    std::unique_ptr<Node> left, right;
    Operand a, b;
    CmpOp op = CmpOp::Eq;
    bool negate = false;
    bool caseInsensitive = false;
    // Cached outcome per string id of a text field compared to a constant:
    // 0 unknown, 1 false, 2 true.
    std::vector<quint8> cache;

    bool eval(const Table& table, quint32 slot);

private:
    bool evalTextConstant(const Table& table, quint32 slot);
    bool evalGeneral(const Table& table, quint32 slot) const;
    bool testText(const QString& value) const;
};

namespace {

// Compares two non-null values of compatible kinds; texts by the case rule.
int compareValues(const QVariant& x, const QVariant& y, bool ci)
{
    const int tx = x.metaType().id();
    const int ty = y.metaType().id();
    auto numeric = [](int t) {
        return t == QMetaType::Double || t == QMetaType::LongLong || t == QMetaType::Int ||
               t == QMetaType::Bool;
    };
    if (numeric(tx) && numeric(ty)) {
        const double a = x.toDouble(), b = y.toDouble();
        return a < b ? -1 : (a > b ? 1 : 0);
    }
    if (tx == QMetaType::QDate && ty == QMetaType::QDate) {
        const qint64 a = x.toDate().toJulianDay(), b = y.toDate().toJulianDay();
        return a < b ? -1 : (a > b ? 1 : 0);
    }
    if (tx == QMetaType::QDateTime && ty == QMetaType::QDateTime) {
        const QDateTime a = x.toDateTime(), b = y.toDateTime();
        return a < b ? -1 : (a > b ? 1 : 0);
    }
    const int c = QString::compare(x.toString(), y.toString(),
                                   ci ? Qt::CaseInsensitive : Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

class Parser
{
public:
    Parser(const QString& text, const Table& table, bool ci)
        : m_tokens(tokenize(text)), m_table(table), m_ci(ci)
    {
    }

    std::unique_ptr<FilterExpression::Node> parse()
    {
        if (m_tokens.front().kind == Tok::End)
            return nullptr;
        auto node = parseOr();
        if (peek().kind != Tok::End)
            fail(peek().pos, QStringLiteral("\"%1\" inesperado").arg(describe(peek())));
        return node;
    }

private:
    using NodePtr = std::unique_ptr<FilterExpression::Node>;
    using Kind = FilterExpression::Node::Kind;

    const Token& peek() const { return m_tokens[m_at]; }
    const Token& take() { return m_tokens[m_at++]; }

    static QString describe(const Token& t)
    {
        switch (t.kind) {
        case Tok::End:
            return QStringLiteral("fim do texto");
        case Tok::Field:
            return QLatin1Char('[') + t.text + QLatin1Char(']');
        case Tok::String:
            return QLatin1Char('\'') + t.text + QLatin1Char('\'');
        case Tok::LParen:
            return QStringLiteral("(");
        case Tok::RParen:
            return QStringLiteral(")");
        default:
            return t.text;
        }
    }

    NodePtr binary(Kind kind, NodePtr l, NodePtr r)
    {
        auto n = std::make_unique<FilterExpression::Node>();
        n->kind = kind;
        n->left = std::move(l);
        n->right = std::move(r);
        return n;
    }

    NodePtr parseOr()
    {
        NodePtr l = parseAnd();
        while (isWord(peek(), "or")) {
            take();
            l = binary(Kind::Or, std::move(l), parseAnd());
        }
        return l;
    }

    NodePtr parseAnd()
    {
        NodePtr l = parseNot();
        while (isWord(peek(), "and")) {
            take();
            l = binary(Kind::And, std::move(l), parseNot());
        }
        return l;
    }

    NodePtr parseNot()
    {
        // Parentheses and NOT nest by recursion: a text nested deeper than any person
        // writes is refused before it can exhaust the stack.
        if (++m_depth > kMaxNesting)
            fail(peek().pos, QStringLiteral("parênteses ou NOT aninhados demais"));
        NodePtr node = parseNested();
        --m_depth;
        return node;
    }

    NodePtr parseNested()
    {
        if (isWord(peek(), "not")) {
            take();
            auto n = std::make_unique<FilterExpression::Node>();
            n->kind = Kind::Not;
            n->left = parseNot();
            return n;
        }
        if (peek().kind == Tok::LParen) {
            const int pos = take().pos;
            NodePtr inner = parseOr();
            if (peek().kind != Tok::RParen)
                fail(peek().kind == Tok::End ? pos : peek().pos,
                     QStringLiteral("falta \")\""));
            take();
            return inner;
        }
        return parseComparison();
    }

    Operand parseOperand()
    {
        const Token& t = take();
        Operand o;
        switch (t.kind) {
        case Tok::Field:
            o.field = resolveField(t);
            return o;
        case Tok::String:
            o.constant = t.text;
            return o;
        case Tok::Number: {
            bool ok = false;
            const double d = t.text.toDouble(&ok);
            if (!ok)
                fail(t.pos, QStringLiteral("número inválido \"%1\"").arg(t.text));
            o.constant = d;
            return o;
        }
        case Tok::Word:
            if (isWord(t, "true") || isWord(t, "false")) {
                o.constant = isWord(t, "true");
                return o;
            }
            if (isWord(t, "and") || isWord(t, "or") || isWord(t, "not") || isWord(t, "like") ||
                isWord(t, "is") || isWord(t, "null"))
                fail(t.pos, QStringLiteral("valor esperado antes de \"%1\"").arg(t.text));
            o.field = resolveField(t);
            return o;
        default:
            fail(t.pos, QStringLiteral("valor esperado, encontrado %1").arg(describe(t)));
        }
    }

    int resolveField(const Token& t)
    {
        const int f = m_table.indexOf(t.text);
        if (f < 0)
            fail(t.pos, QStringLiteral("campo \"%1\" não existe").arg(t.text));
        return f;
    }

    // Converts a constant compared with a field to the field's type.
    void convertFor(const Operand& fieldSide, Operand& constant, int pos)
    {
        if (!fieldSide.isField() || constant.isField())
            return;
        QVariant converted;
        const FieldType type = m_table.type(fieldSide.field);
        QVariant input = constant.constant;
        if (isTextType(type) && input.metaType().id() == QMetaType::Double) {
            const double d = input.toDouble();
            input = d == std::floor(d) ? QString::number(qint64(d)) : QString::number(d);
        }
        if (!convertToFieldType(input, type, converted) || converted.isNull())
            fail(pos, QStringLiteral("valor \"%1\" incompatível com o campo %2")
                          .arg(constant.constant.toString(), m_table.defs()[fieldSide.field].name));
        constant.constant = converted;
    }

    NodePtr parseComparison()
    {
        const int leftPos = peek().pos;
        Operand a = parseOperand();
        auto n = std::make_unique<FilterExpression::Node>();
        n->caseInsensitive = m_ci;
        const Token& t = peek();
        if (isWord(t, "is")) {
            take();
            n->kind = Kind::IsNull;
            if (isWord(peek(), "not")) {
                take();
                n->negate = true;
            }
            if (!isWord(peek(), "null"))
                fail(peek().pos, QStringLiteral("NULL esperado após IS"));
            take();
            if (!a.isField())
                fail(leftPos, QStringLiteral("IS NULL exige um campo"));
            n->a = a;
            return n;
        }
        bool negateLike = false;
        if (isWord(t, "not")) {
            take();
            negateLike = true;
            if (!isWord(peek(), "like"))
                fail(peek().pos, QStringLiteral("LIKE esperado após NOT"));
        }
        if (isWord(peek(), "like")) {
            take();
            const int patternPos = peek().pos;
            Operand pattern = parseOperand();
            if (pattern.isField() || pattern.constant.metaType().id() != QMetaType::QString)
                fail(patternPos, QStringLiteral("LIKE exige um texto entre aspas"));
            if (!a.isField())
                fail(leftPos, QStringLiteral("LIKE exige um campo à esquerda"));
            n->kind = Kind::Like;
            n->negate = negateLike;
            n->a = a;
            n->b = pattern;
            return n;
        }
        if (peek().kind != Tok::Op)
            fail(peek().pos, QStringLiteral("operador esperado, encontrado %1").arg(describe(peek())));
        const QString op = take().text;
        n->kind = Kind::Compare;
        if (op == QLatin1String("="))
            n->op = CmpOp::Eq;
        else if (op == QLatin1String("<>"))
            n->op = CmpOp::Ne;
        else if (op == QLatin1String("<"))
            n->op = CmpOp::Lt;
        else if (op == QLatin1String(">"))
            n->op = CmpOp::Gt;
        else if (op == QLatin1String("<="))
            n->op = CmpOp::Le;
        else
            n->op = CmpOp::Ge;
        const int rightPos = peek().pos;
        Operand b = parseOperand();
        convertFor(a, b, rightPos);
        convertFor(b, a, leftPos);
        n->a = a;
        n->b = b;
        return n;
    }

    std::vector<Token> m_tokens;
    static constexpr int kMaxNesting = 200;

    size_t m_at = 0;
    int m_depth = 0;
    const Table& m_table;
    bool m_ci;
};

QVariant operandValue(const Operand& o, const Table& table, quint32 slot)
{
    if (!o.isField())
        return o.constant;
    QVariant v = table.value(slot, o.field);
    if (v.isNull() && isTextType(table.type(o.field)))
        return QString();
    return v;
}

} // namespace

bool FilterExpression::Node::testText(const QString& value) const
{
    if (kind == Kind::Like) {
        const bool m = FilterExpression::like(value, b.constant.toString(), caseInsensitive);
        return m != negate;
    }
    return applyOp(op, compareValues(value, b.constant, caseInsensitive));
}

bool FilterExpression::Node::evalTextConstant(const Table& table, quint32 slot)
{
    const auto id = quint32(table.cell(slot, a.field));
    if (id >= cache.size())
        cache.resize(size_t(table.pool(a.field).size()) + 64, 0);
    quint8& known = cache[id];
    if (!known)
        known = testText(table.pool(a.field).at(id)) ? 2 : 1;
    return known == 2;
}

bool FilterExpression::Node::evalGeneral(const Table& table, quint32 slot) const
{
    const QVariant x = operandValue(a, table, slot);
    const QVariant y = operandValue(b, table, slot);
    if (x.isNull() || y.isNull())
        return op == CmpOp::Ne && !(x.isNull() && y.isNull());
    return applyOp(op, compareValues(x, y, caseInsensitive));
}

bool FilterExpression::Node::eval(const Table& table, quint32 slot)
{
    switch (kind) {
    case Kind::And:
        return left->eval(table, slot) && right->eval(table, slot);
    case Kind::Or:
        return left->eval(table, slot) || right->eval(table, slot);
    case Kind::Not:
        return !left->eval(table, slot);
    case Kind::IsNull:
        return table.isNull(slot, a.field) != negate;
    case Kind::Like:
        return evalTextConstant(table, slot);
    case Kind::Compare:
        if (a.isField() && !b.isField() && isTextType(table.type(a.field)))
            return evalTextConstant(table, slot);
        return evalGeneral(table, slot);
    }
    return false;
}

FilterExpression::FilterExpression(const QString& text, const Table& table, bool caseInsensitive)
{
    Parser parser(text, table, caseInsensitive);
    m_root = parser.parse();
}

FilterExpression::~FilterExpression() = default;

bool FilterExpression::matches(const Table& table, quint32 slot)
{
    return !m_root || m_root->eval(table, slot);
}

bool FilterExpression::like(QStringView value, QStringView pattern, bool caseInsensitive)
{
    auto same = [caseInsensitive](QChar x, QChar y) {
        return caseInsensitive ? x.toCaseFolded() == y.toCaseFolded() : x == y;
    };
    // Greedy match with backtracking to the last '%'.
    qsizetype v = 0, p = 0, starP = -1, starV = 0;
    const qsizetype nv = value.size(), np = pattern.size();
    while (v < nv) {
        if (p < np && pattern[p] == QLatin1Char('%')) {
            starP = p++;
            starV = v;
        } else if (p < np && (pattern[p] == QLatin1Char('_') || same(pattern[p], value[v]))) {
            ++p;
            ++v;
        } else if (starP >= 0) {
            p = starP + 1;
            v = ++starV;
        } else {
            return false;
        }
    }
    while (p < np && pattern[p] == QLatin1Char('%'))
        ++p;
    return p == np;
}

} // namespace host
