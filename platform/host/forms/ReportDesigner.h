#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>

class QTextDocument;

namespace host {

class Database;
class DataSet;

// One column of a report's detail lines.
struct ReportColumn
{
    QString fieldName;
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft;
    QString displayFormat;  // for numbers, e.g. "####,##0.00000"
};

// The layout of a report: a title, header lines, the detail columns and the fields that
// start a new group (a group heading shows their values).
struct ReportLayout
{
    QString title;
    QStringList headerLines;
    QList<ReportColumn> columns;
    QStringList groupFields;
    QString emptyText = QStringLiteral("Nenhum registro encontrado.");
};

// The parameters of a report's query as the report asks for them; the form's hook sets
// the ones the query has (ExistParam) before the data are fetched.
class ReportParams
{
public:
    explicit ReportParams(QStringList names) : m_names(std::move(names)) {}
    const QStringList& names() const { return m_names; }
    void set(const QString& name, const QVariant& value) { m_values.insert(name.toUpper(), value); }
    const QVariantMap& values() const { return m_values; }

private:
    QStringList m_names;
    QVariantMap m_values;
};

// True when the report's query has the parameter (Qrddlgs.ExistParam).
bool ExistParam(const ReportParams& params, const QString& name);

// The report component of the report forms (rpddPadrao): its query, its layout and the
// hook that supplies the query's parameters; it fetches the rows and lays them out as a
// printable document.
class ReportDesigner
{
public:
    QString sql;
    ReportLayout layout;
    std::function<void(ReportParams&)> BeforeGetQueryParams;

    // Runs the query on `db` (parameters from the hook; a parameter nobody set is an
    // error) and renders the document. Throws EDatabaseError.
    void build(Database& db, QTextDocument& document);
    // Renders rows already fetched.
    static void render(const ReportLayout& layout, DataSet& rows, QTextDocument& document);
};

} // namespace host
