#include "PageItemChange.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <QSet>

#include <array>
#include <cmath>

namespace appserver::modules {

const QString kPageItemPacket = QStringLiteral("O pacote de alterações do item é inválido");

namespace {

using Op = host::Change::Op;

[[noreturn]] void refuse(const QString& reason)
{
    throw rpc::Refusal(kPageItemPacket + QStringLiteral(": ") + reason);
}

// The columns the server reads; any other column of the pages is only shown there.
enum Column
{
    Branch,
    Number,
    Region,
    Supplier,
    Product,
    Brand,
    Price,
    Discount,
    ColumnCount,
    Shown = ColumnCount,
};

struct PageField
{
    const char* name;
    int column;
    int width; // codes only
};

constexpr PageField kPageFields[] = {
    {"CDFILIAL", Branch, module::Width::Branch},
    {"NRCOLEPRECO", Number, module::Width::QuotationNumber},
    {"CDREGIAO", Region, module::Width::Region},
    {"CDFORNECED", Supplier, module::Width::Supplier},
    {"CDPRODUTO", Product, module::Width::Product},
    {"CDMARCA", Brand, module::Width::Brand},
    {"VRPRECUNIITM", Price, 0},
    {"VRPERDESITM", Discount, 0},
    {"VRPRECECOITM", Shown, 0},
    {"QTACMPITMCOL", Shown, 0},
    {"DTINIVALITM", Shown, 0},
    {"DTFINVALITM", Shown, 0},
    {"IDITMCOTPREC", Shown, 0},
    {"IDTIPFREITM", Shown, 0},
    {"NMPRODUTO", Shown, 0},
    {"NMMARCA", Shown, 0},
    {"CDARVPROD", Shown, 0},
    {"NMREGIAO", Shown, 0},
    {"IDTPIJURFORN", Shown, 0},
    {"NRINSJURFORN", Shown, 0},
    {"NMFANTFORN", Shown, 0},
};

const PageField& fieldOf(int column)
{
    for (const PageField& field : kPageFields)
        if (field.column == column)
            return field;
    Q_UNREACHABLE();
}

QString nameOf(int column)
{
    return QString::fromLatin1(fieldOf(column).name);
}

using Layout = std::array<int, ColumnCount>; // position of each column read, -1 when absent

Layout pageLayout(const host::FieldDefs& fields)
{
    Layout at;
    at.fill(-1);
    QSet<QString> seen;
    for (int i = 0; i < fields.size(); ++i) {
        const QString name = fields[i].name.toUpper();
        const PageField* known = nullptr;
        for (const PageField& field : kPageFields)
            if (name == QLatin1String(field.name))
                known = &field;
        if (!known)
            refuse(QStringLiteral("o campo %1 não pertence à tabela de itens da cotação.")
                       .arg(shownValue(fields[i].name)));
        if (seen.contains(name))
            refuse(QStringLiteral("o campo %1 aparece mais de uma vez.").arg(name));
        seen.insert(name);
        if (known->column == Shown)
            continue;
        const host::FieldType type = fields[i].type;
        const bool numeric = known->column == Price || known->column == Discount;
        if (numeric ? type != host::FieldType::Float && type != host::FieldType::Integer
                    : type != host::FieldType::String)
            refuse(QStringLiteral("o campo %1 deve ser %2.")
                       .arg(name, numeric ? QStringLiteral("número") : QStringLiteral("texto")));
        at[size_t(known->column)] = i;
    }
    for (const int column : {Region, Supplier, Product, Brand, Price, Discount})
        if (at[size_t(column)] < 0)
            refuse(QStringLiteral("falta o campo %1.").arg(nameOf(column)));
    return at;
}

// Codes are letters and digits, possibly with blanks and the punctuation of document-like
// codes; anything else (quotes, separators, control characters) is not a code.
bool codeCharacters(const QString& code)
{
    for (const QChar c : code)
        if (!c.isLetterOrNumber() && !QStringView(u" .-/_").contains(c))
            return false;
    return true;
}

// A code of the row, padded to its width.
QString readCode(const QVariantList& row, const Layout& at, int column)
{
    const QString name = nameOf(column);
    const QString text = readItemText(row[at[size_t(column)]], name, kPageItemPacket).trimmed();
    const int width = fieldOf(column).width;
    const QString code = host::Ajusta(text, width);
    if (text.isEmpty() || code.size() > width || !codeCharacters(code))
        refuse(QStringLiteral("valor malformado no campo %1: \"%2\".").arg(name, shownValue(text)));
    return code;
}

double readDiscount(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return 0; // an item without discount
    const int type = value.metaType().id();
    const bool number = type == QMetaType::Double || type == QMetaType::LongLong ||
                        type == QMetaType::Int || type == QMetaType::Float;
    const double discount = value.toDouble();
    if (!number || !std::isfinite(discount) || discount < 0 || discount > kMaxItemDiscount)
        refuse(QStringLiteral("desconto inválido (%1): o desconto deve ser um número de 0 a 100.")
                   .arg(shownValue(value.toString())));
    return discount;
}

// One side (original or new values) of the row.
struct PageItem
{
    ItemKey key;
    double price = 0;
    double discount = 0;
};

PageItem readItem(const QVariantList& row, const Layout& at, bool isNew, const QString& branch,
                  const QString& number)
{
    for (const auto& [column, expected] : {std::pair{int(Branch), branch}, {int(Number), number}}) {
        const int i = at[size_t(column)];
        // A new row names its quotation only once the page fills it in.
        if (i < 0 || row[i].isNull())
            continue;
        if (readCode(row, at, column) != expected)
            refuse(QStringLiteral("o item não pertence à cotação %1.").arg(number));
    }
    PageItem item;
    item.key = {readCode(row, at, Region), readCode(row, at, Supplier), readCode(row, at, Product),
                readCode(row, at, Brand)};
    item.price = readItemPrice(row[at[Price]], isNew, kPageItemPacket);
    item.discount = readDiscount(row[at[Discount]]);
    return item;
}

ItemChange inserting(const PageItem& item)
{
    ItemChange change;
    change.op = Op::Insert;
    change.newKey = item.key;
    change.newPrice = item.price;
    change.newDiscount = item.discount;
    return change;
}

ItemChange deleting(const PageItem& item)
{
    ItemChange change;
    change.op = Op::Delete;
    change.oldKey = item.key;
    change.oldPrice = item.price;
    change.oldDiscount = item.discount;
    return change;
}

} // namespace

ItemDelta readPageItemChange(const host::Delta& delta, const QString& branch, const QString& number)
{
    const Layout at = pageLayout(delta.fields);
    if (delta.changes.size() != 1)
        refuse(QStringLiteral("o pacote deve trazer a alteração de um só item (traz %1).")
                   .arg(delta.changes.size()));
    const host::Change& change = delta.changes.front();
    const qsizetype fieldCount = delta.fields.size();
    const bool hasOld = change.op != Op::Insert;
    const bool hasNew = change.op != Op::Delete;
    if ((hasOld && change.oldValues.size() != fieldCount) ||
        (hasNew && change.newValues.size() != fieldCount))
        refuse(QStringLiteral("a alteração tem número errado de valores."));

    std::vector<ItemChange> changes;
    if (!hasOld) {
        changes.push_back(inserting(readItem(change.newValues, at, true, branch, number)));
    } else if (!hasNew) {
        changes.push_back(deleting(readItem(change.oldValues, at, false, branch, number)));
    } else {
        const PageItem old = readItem(change.oldValues, at, false, branch, number);
        const PageItem now = readItem(change.newValues, at, true, branch, number);
        const bool sameItem = old.key.region == now.key.region &&
                              old.key.supplier == now.key.supplier &&
                              old.key.product == now.key.product;
        if (sameItem) {
            ItemChange update = inserting(now);
            update.op = Op::Update;
            update.oldKey = old.key;
            update.oldPrice = old.price;
            update.oldDiscount = old.discount;
            changes.push_back(update);
        } else {
            changes.push_back(deleting(old));
            changes.push_back(inserting(now));
        }
    }
    return ItemDelta(std::move(changes));
}

} // namespace appserver::modules
