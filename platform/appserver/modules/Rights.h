#pragma once

#include <QString>
#include <optional>

namespace host {
class Database;
}

namespace appserver::rpc {
class CallContext;
}

namespace appserver::modules {

// Who may do what with a quotation: an operator sees and changes only the quotations of
// his purchasing centre; a buyer works on his own quotations; a manager (GERECOMP) on
// those of the buyers he manages.

// Branch argument `i` of a call, padded to its width. A branch other than the purchasing
// centre of the session is refused (rpc::Refusal), so nothing of another centre is read
// or written.
QString centreArg(const rpc::CallContext& call, int i);
// Branch argument `i` that names the operator's own branch: it must be the session's.
QString operatorBranchArg(const rpc::CallContext& call, int i);

bool isBuyer(host::Database& db, const QString& operatorCode);
bool managesBuyer(host::Database& db, const QString& manager, const QString& buyer);
// The buyer of a quotation; nothing when the quotation does not exist.
std::optional<QString> quotationBuyer(host::Database& db, const QString& branch,
                                      const QString& number);

} // namespace appserver::modules
