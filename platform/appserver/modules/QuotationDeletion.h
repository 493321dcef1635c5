#pragma once

#include <QString>

namespace host {
class Database;
}

namespace appserver::modules {

// Deletes a quotation of a branch together with its items and their payment terms and
// taxes, on behalf of an operator: only the quotation's buyer or a manager of that buyer
// may. Runs inside the caller's transaction, so that either everything goes or nothing.
// Throws rpc::Refusal with the text shown to the operator when the quotation does not
// exist, when the operator may not delete it, or when the database refuses a deletion.
void deleteQuotation(host::Database& db, const QString& operatorCode, const QString& branch,
                     const QString& number);

} // namespace appserver::modules
