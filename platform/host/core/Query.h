#pragma once

#include "DataSet.h"

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <vector>

namespace host {

class Database;

// The SQL text of a query with its named parameters (":P_X") turned into positional
// ones. Quoted texts, quoted names and comments are left alone; "::" is not a parameter.
struct ParsedSql
{
    QString sql;              // with '?' in place of each parameter
    QStringList occurrences;  // parameter names in the order they occur (may repeat)
    QStringList names;        // distinct names, in order of first occurrence

    static ParsedSql parse(const QString& text);
};

// A query on the shared database whose result is a data set (the screens' "qry..."):
// parameters are bound by name (one name may occur several times), the text comes from
// the screen's query file or is set directly, and fields declared before Open give the
// types and presentation of the result's columns.
class Query : public DataSet
{
public:
    explicit Query(Database& db, const QString& name = QString());

    // Uses the text named like the query (or `name`) in forms/<screen>.sql, in the
    // variant for this database's dialect when there is one.
    void LoadSQL(const QString& screen, const QString& name = QString());
    void SetSQL(const QString& text);
    const QString& SQL() const { return m_text; }
    QStringList ParamNames() const { return m_parsed.names; }

    // Throws EDatabaseError when the text has no parameter of that name.
    void SetParam(const QString& name, const QVariant& value);
    QVariant Param(const QString& name) const;
    void ClearParams();

    // Runs the text and loads its rows (closing a previous result first).
    void Open();
    // Runs a statement without result rows; returns the number of rows it changed.
    int ExecSQL();

    // Runs a text with parameters and returns its rows as a packet; the hints give
    // types and presentation of columns by name. Used by the application server too.
    static Packet toPacket(Database& db, const QString& text, const QVariantMap& params,
                           const FieldDefs& hints = {});
    // Prepares and binds a text on a raw query (for statements run in a loop).
    static void prepare(QSqlQuery& query, const ParsedSql& parsed, const QVariantMap& params,
                        const QString& origin);
    // Reads every row of an executed query into a packet.
    static Packet readAll(QSqlQuery& query, const FieldDefs& hints);
    // The value to bind for a parameter on this kind of database.
    static QVariant bindable(const QVariant& value);

private:
    QSqlQuery run();

    Database& m_db;
    QString m_text;
    ParsedSql m_parsed;
    QVariantMap m_params;
};

} // namespace host
