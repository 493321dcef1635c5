#pragma once

#include <QString>
#include <optional>

namespace host {
class Database;
}

namespace appserver::modules {

// Who may do what with a quotation: a buyer works on his own quotations; a manager
// (GERECOMP) on those of the buyers he manages.

bool isBuyer(host::Database& db, const QString& operatorCode);
bool managesBuyer(host::Database& db, const QString& manager, const QString& buyer);
// The buyer of a quotation; nothing when the quotation does not exist.
std::optional<QString> quotationBuyer(host::Database& db, const QString& branch,
                                      const QString& number);

} // namespace appserver::modules
