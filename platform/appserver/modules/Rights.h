#pragma once

#include "ProductTree.h"

#include <QString>
#include <optional>
#include <utility>

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

// Operator argument `i`, padded to its width: it must be the session's operator, whose
// rights are the ones checked.
QString sessionOperatorArg(const rpc::CallContext& call, int i);

bool isBuyer(host::Database& db, const QString& operatorCode);
bool managesBuyer(host::Database& db, const QString& manager, const QString& buyer);
// The products and groups a buyer negotiates (PRODCOMP).
TreeNodes negotiatedBy(host::Database& db, const QString& buyer);
// The buyer of a quotation; nothing when the quotation does not exist.
std::optional<QString> quotationBuyer(host::Database& db, const QString& branch,
                                      const QString& number);
// Lets only the quotation's buyer or his manager run a tool that changes its items; refuses
// (rpc::Refusal) anyone else and a quotation that does not exist.
void requireBuyerOrManager(host::Database& db, const QString& operatorCode, const QString& branch,
                           const QString& number);

// Branch (argument i, see centreArg) and number (argument i + 1) of a quotation whose items
// the operator may change, as requireBuyerOrManager decides.
std::pair<QString, QString> changeableQuotationArgs(const rpc::CallContext& call, int i);

// The purchasing centre of the branch aliased `F` (FILIAL) in a statement: its
// CDFILCENTCMP, or the branch itself when it buys for itself.
inline constexpr const char* kBranchCentreSql =
    "COALESCE(NULLIF(TRIM(F.CDFILCENTCMP), ''), F.CDFILIAL)";

} // namespace appserver::modules
