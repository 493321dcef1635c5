#include "QuotationRecordChanges.h"

#include "Rights.h"
#include "TransactionLocks.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <array>

namespace appserver::modules {
namespace {

using rpc::Refusal;

enum class Kind
{
    Text,
    Date
};

// What the quotation list may do with a column of the record.
enum class Role
{
    Key,            // identifies the quotation; never changes
    Fixed,          // set when the quotation is created; the list never changes it
    Buyer,          // reassigned by a manager of the buyer
    CollectionType, // changed by the buyer or his manager
    ListFlag,       // "Lista": changed by the buyer or his manager
};

struct Column
{
    const char* name;
    Kind kind;
    int width; // characters, for text columns
    Role role;
};

// The stored columns of COLETAPR, in the order the record is read. The list's packet also
// carries the buyer's name and calculated texts, which are not stored and are ignored.
constexpr std::array<Column, 10> kColumns = {{
    {"CDFILIAL", Kind::Text, module::Width::Branch, Role::Key},
    {"NRCOLEPRECO", Kind::Text, module::Width::QuotationNumber, Role::Key},
    {"DTCOLEPREC", Kind::Date, 0, Role::Fixed},
    {"NRSEMAINIC", Kind::Text, module::Width::Week, Role::Fixed},
    {"NRSEMAFINAL", Kind::Text, module::Width::Week, Role::Fixed},
    {"DTINIVALCOL", Kind::Date, 0, Role::Fixed},
    {"DTFINVALCOL", Kind::Date, 0, Role::Fixed},
    {"CDOPERADOR", Kind::Text, module::Width::Operator, Role::Buyer},
    {"IDTIPCOLREG", Kind::Text, module::Width::Flag, Role::CollectionType},
    {"IDDISMONTLIS", Kind::Text, module::Width::Flag, Role::ListFlag},
}};
constexpr size_t kBranch = 0;
constexpr size_t kNumber = 1;
constexpr size_t kBuyer = 7;
constexpr size_t kCollectionType = 8;
constexpr size_t kListFlag = 9;

// Collection types a quotation may have: e-mail, web, not yet sent ("L" or empty) and
// priced on the worksheet.
const QStringList kCollectionTypes = {QString(), QStringLiteral("E"), QStringLiteral("W"),
                                      QStringLiteral("L"), QStringLiteral("G")};

using Values = std::array<QString, kColumns.size()>;
using Stored = std::array<QVariant, kColumns.size()>;
// Position of each stored column in the packet's fields; -1 when the packet lacks it.
using Layout = std::array<int, kColumns.size()>;

QString columnName(size_t column)
{
    return QString::fromLatin1(kColumns[column].name);
}

[[noreturn]] void refuseBadPacket(const QString& reason)
{
    throw Refusal(QStringLiteral("O pacote de alterações das cotações é inválido: %1").arg(reason));
}

[[noreturn]] void refuseConflict(const QString& number)
{
    throw Refusal(QStringLiteral("A cotação %1 foi alterada por outro operador. Atualize a lista "
                                 "e repita a alteração.")
                      .arg(number));
}

// A value as the database stores it: dates as ISO text, null as "".
QString storedForm(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        return moment.time() == QTime(0, 0) ? moment.date().toString(Qt::ISODate)
                                            : moment.toString(Qt::ISODate);
    }
    default:
        return value.toString();
    }
}

bool fitsKind(Kind kind, host::FieldType type)
{
    if (kind == Kind::Text)
        return type == host::FieldType::String || type == host::FieldType::Memo;
    return type == host::FieldType::Date || type == host::FieldType::DateTime ||
           type == host::FieldType::String;
}

// Finds the stored columns among the packet's fields and checks their types.
Layout mapColumns(const host::Delta& delta)
{
    // The codec already refuses a packet that names a field twice.
    Layout layout;
    for (size_t c = 0; c < kColumns.size(); ++c) {
        layout[c] = delta.indexOf(columnName(c));
        if (layout[c] < 0) {
            if (kColumns[c].role == Role::Key)
                refuseBadPacket(QStringLiteral("falta o campo %1.").arg(columnName(c)));
            continue;
        }
        const host::FieldType type = delta.fields[layout[c]].type;
        if (!fitsKind(kColumns[c].kind, type))
            refuseBadPacket(QStringLiteral("o campo %1 deve ser %2.")
                                .arg(columnName(c), kColumns[c].kind == Kind::Text
                                                        ? QStringLiteral("texto")
                                                        : QStringLiteral("data")));
    }
    return layout;
}

// The stored columns of one side of a change, checked for width and date form.
Values readSide(const QVariantList& row, const Layout& layout)
{
    Values values;
    for (size_t c = 0; c < kColumns.size(); ++c) {
        if (layout[c] < 0)
            continue;
        values[c] = storedForm(row[layout[c]]);
        if (kColumns[c].kind == Kind::Text && values[c].size() > kColumns[c].width)
            refuseBadPacket(QStringLiteral("o valor do campo %1 excede o tamanho do campo (%2).")
                                .arg(columnName(c))
                                .arg(kColumns[c].width));
        if (kColumns[c].kind == Kind::Date && !values[c].isEmpty() &&
            !QDate::fromString(values[c], Qt::ISODate).isValid() &&
            !QDateTime::fromString(values[c], Qt::ISODate).isValid())
            refuseBadPacket(
                QStringLiteral("o valor do campo %1 não é uma data.").arg(columnName(c)));
    }
    return values;
}

QString selectRecordSql()
{
    QStringList names;
    for (size_t c = 0; c < kColumns.size(); ++c)
        names.append(columnName(c));
    return QStringLiteral("SELECT %1 FROM COLETAPR WHERE CDFILIAL = ? AND NRCOLEPRECO = ?")
        .arg(names.join(QStringLiteral(", ")));
}

// The quotation as it is stored now, locked until the call ends so that no other call
// changes it between the comparison with what the buyer saw and the write; false when it
// no longer exists.
bool readRecord(host::Database& db, const QString& branch, const QString& number, Stored& stored)
{
    static const QString sql = selectRecordSql();
    QSqlQuery query(db.sql());
    query.prepare(sql + forUpdate(db));
    query.addBindValue(branch);
    query.addBindValue(number);
    if (!query.exec())
        throw host::EDatabaseError(
            QStringLiteral("Erro no banco de dados: %1").arg(query.lastError().text()));
    if (!query.next())
        return false;
    for (size_t c = 0; c < kColumns.size(); ++c)
        stored[c] = query.value(int(c));
    return true;
}

// What one change asks of the record, once checked.
struct RecordChange
{
    bool buyer = false;
    bool collectionType = false;
    bool listFlag = false;
    Values values; // the new values (the buyer padded to its width)

    bool any() const { return buyer || collectionType || listFlag; }
};

RecordChange wantedChange(const Values& oldValues, const Values& newValues, const Layout& layout,
                          const QString& number)
{
    RecordChange change;
    change.values = newValues;
    change.values[kBuyer] = host::Ajusta(newValues[kBuyer], module::Width::Operator);
    for (size_t c = 0; c < kColumns.size(); ++c) {
        if (layout[c] < 0 || kColumns[c].role == Role::Key || change.values[c] == oldValues[c])
            continue;
        switch (kColumns[c].role) {
        case Role::Buyer:
            change.buyer = true;
            break;
        case Role::CollectionType:
            change.collectionType = true;
            break;
        case Role::ListFlag:
            change.listFlag = true;
            break;
        default:
            throw Refusal(QStringLiteral("O campo %1 da cotação %2 não pode ser alterado na lista "
                                         "de cotações.")
                              .arg(columnName(c), number));
        }
    }
    return change;
}

// The mark price entry sets: a quotation not yet sent ("L" or empty) priced on the worksheet.
bool marksPriced(const RecordChange& change, const Stored& stored)
{
    const QString before = storedForm(stored[kCollectionType]);
    return change.collectionType && !change.buyer && !change.listFlag &&
           (before.isEmpty() || before == QLatin1String("L")) &&
           change.values[kCollectionType] == QLatin1String("G");
}

void checkRights(host::Database& db, const QuotationSaveTarget& target, const Stored& stored,
                 const RecordChange& change)
{
    const QString& operatorCode = target.operatorCode;
    const QString buyer = stored[kBuyer].toString();
    const QString& number = target.number;
    if (target.pricesItems && marksPriced(change, stored))
        return;
    const bool manager = managesBuyer(db, operatorCode, buyer);
    if (change.buyer) {
        if (!manager)
            throw Refusal(QStringLiteral("Somente o gerente do comprador da cotação %1 pode "
                                         "transferi-la para outro comprador.")
                              .arg(number));
        const QString newBuyer = change.values[kBuyer];
        if (newBuyer.isEmpty())
            throw Refusal(QStringLiteral("Comprador deve ser informado."));
        if (!managesBuyer(db, operatorCode, newBuyer) || !isBuyer(db, newBuyer))
            throw Refusal(
                QStringLiteral("Comprador não cadastrado para o gerente logado no sistema."));
    }
    if ((change.collectionType || change.listFlag) && operatorCode != buyer && !manager)
        throw Refusal(QStringLiteral("Cotação pertence a outro comprador."));
}

void checkValues(const RecordChange& change, const QString& number)
{
    const QString& flag = change.values[kListFlag];
    if (change.listFlag && flag != QLatin1String("S") && flag != QLatin1String("N"))
        throw Refusal(
            QStringLiteral("O indicador \"Lista\" da cotação %1 deve ser S ou N.").arg(number));
    if (change.collectionType && !kCollectionTypes.contains(change.values[kCollectionType]))
        throw Refusal(QStringLiteral("Tipo de coleta \"%1\" inválido para a cotação %2.")
                          .arg(change.values[kCollectionType], number));
}

QVariant nullWhenEmpty(const QString& value)
{
    return value.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(value);
}

void writeRecord(host::Database& db, const QString& branch, const QString& number,
                 const Stored& stored, const RecordChange& change)
{
    QSqlQuery query(db.sql());
    query.prepare(QStringLiteral("UPDATE COLETAPR SET CDOPERADOR = ?, IDTIPCOLREG = ?, "
                                 "IDDISMONTLIS = ? WHERE CDFILIAL = ? AND NRCOLEPRECO = ?"));
    query.addBindValue(change.buyer ? QVariant(change.values[kBuyer]) : stored[kBuyer]);
    query.addBindValue(change.collectionType ? nullWhenEmpty(change.values[kCollectionType])
                                             : stored[kCollectionType]);
    query.addBindValue(change.listFlag ? QVariant(change.values[kListFlag]) : stored[kListFlag]);
    query.addBindValue(branch);
    query.addBindValue(number);
    if (!query.exec())
        throw Refusal(QStringLiteral("Não foi possível gravar a cotação %1: %2")
                          .arg(number, query.lastError().text()));
    if (query.numRowsAffected() != 1)
        refuseConflict(number);
}

void applyChange(host::Database& db, const host::Change& change, const Layout& layout,
                 int fieldCount, const QuotationSaveTarget& target)
{
    if (change.op == host::Change::Op::Insert)
        throw Refusal(QStringLiteral("A gravação da lista não inclui cotações: uma cotação nova "
                                     "é incluída pela Inclusão de Cotação."));
    if (change.op == host::Change::Op::Delete)
        throw Refusal(QStringLiteral("A gravação da lista não exclui cotações: uma cotação é "
                                     "excluída pelo comando Excluir da lista."));
    if (change.oldValues.size() != fieldCount || change.newValues.size() != fieldCount)
        refuseBadPacket(QStringLiteral("uma alteração tem número errado de valores."));

    const Values oldValues = readSide(change.oldValues, layout);
    const Values newValues = readSide(change.newValues, layout);
    const QString branch = host::Ajusta(oldValues[kBranch], module::Width::Branch);
    const QString number = host::Ajusta(oldValues[kNumber], module::Width::QuotationNumber);
    if (branch != target.branch || number != target.number)
        throw Refusal(
            QStringLiteral("A alteração da cotação %1 não pertence à cotação gravada (%2).")
                .arg(number, target.number));
    if (host::Ajusta(newValues[kBranch], module::Width::Branch) != branch ||
        host::Ajusta(newValues[kNumber], module::Width::QuotationNumber) != number)
        throw Refusal(QStringLiteral("A filial e o número da cotação %1 não podem ser alterados.")
                          .arg(number));

    Stored stored;
    if (!readRecord(db, branch, number, stored))
        throw Refusal(
            QStringLiteral("A cotação %1 foi excluída por outro operador. Atualize a lista.")
                .arg(number));
    for (size_t c = 0; c < kColumns.size(); ++c)
        if (layout[c] >= 0 && kColumns[c].role != Role::Key &&
            storedForm(stored[c]) != oldValues[c])
            refuseConflict(number);

    const RecordChange wanted = wantedChange(oldValues, newValues, layout, number);
    if (!wanted.any())
        return;
    checkRights(db, target, stored, wanted);
    checkValues(wanted, number);
    writeRecord(db, branch, number, stored, wanted);
}

} // namespace

void applyQuotationRecordChanges(host::Database& db, const host::Delta& delta,
                                 const QuotationSaveTarget& target)
{
    if (delta.isEmpty())
        return;
    const Layout layout = mapColumns(delta);
    for (const host::Change& change : delta.changes)
        applyChange(db, change, layout, int(delta.fields.size()), target);
}

} // namespace appserver::modules
