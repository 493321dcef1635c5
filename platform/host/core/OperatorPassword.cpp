#include "OperatorPassword.h"

#include "Database.h"
#include "Exceptions.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace host {

std::optional<PasswordHash> readOperatorPassword(host::Database& db, const QString& operatorCode)
{
    QSqlQuery query(db.sql());
    query.prepare(QStringLiteral("SELECT DSSENHAHASH, DSSENHASALT, NRSENHAITER FROM OPERADOR "
                                 "WHERE CDOPERADOR = :P_CDOPERADOR"));
    query.bindValue(QStringLiteral(":P_CDOPERADOR"), operatorCode);
    if (!query.exec())
        throw host::EDatabaseError(
            QStringLiteral("Erro ao ler a senha do operador: %1").arg(query.lastError().text()));
    if (!query.next())
        return std::nullopt;
    PasswordHash hash;
    hash.key = QByteArray::fromHex(query.value(0).toString().toLatin1());
    hash.salt = QByteArray::fromHex(query.value(1).toString().toLatin1());
    hash.iterations = query.value(2).toInt();
    if (!hash.isValid())
        return std::nullopt;
    return hash;
}

void storeOperatorPassword(host::Database& db, const QString& operatorCode,
                           const PasswordHash& hash)
{
    QSqlQuery query(db.sql());
    query.prepare(QStringLiteral(
        "UPDATE OPERADOR SET DSSENHAHASH = :P_DSSENHAHASH, DSSENHASALT = :P_DSSENHASALT, "
        "NRSENHAITER = :P_NRSENHAITER WHERE CDOPERADOR = :P_CDOPERADOR"));
    query.bindValue(QStringLiteral(":P_DSSENHAHASH"), QString::fromLatin1(hash.key.toHex()));
    query.bindValue(QStringLiteral(":P_DSSENHASALT"), QString::fromLatin1(hash.salt.toHex()));
    query.bindValue(QStringLiteral(":P_NRSENHAITER"), hash.iterations);
    query.bindValue(QStringLiteral(":P_CDOPERADOR"), operatorCode);
    if (!query.exec())
        throw host::EDatabaseError(
            QStringLiteral("Erro ao gravar a senha do operador: %1").arg(query.lastError().text()));
    if (query.numRowsAffected() != 1)
        throw host::EDatabaseError(
            QStringLiteral("Operador \"%1\" não cadastrado.").arg(operatorCode.trimmed()));
}

void setOperatorPassword(host::Database& db, const QString& operatorCode, const QString& password)
{
    storeOperatorPassword(db, operatorCode, hashPassword(password));
}

bool checkOperatorPassword(host::Database& db, const QString& operatorCode, const QString& password)
{
    const std::optional<PasswordHash> stored = readOperatorPassword(db, operatorCode);
    if (stored)
        return verifyPassword(password, *stored);
    // Same work as a real check, against a key nobody's password derives.
    static const PasswordHash decoy{QByteArray(kPasswordKeyBytes, '\0'),
                                    QByteArray(kPasswordSaltBytes, '\x5a'), kPasswordIterations};
    verifyPassword(password, decoy);
    return false;
}

} // namespace host
