#pragma once

#include <QString>
#include <QVariantMap>
#include <memory>

namespace host {
class Query;
}

namespace module {

class TfrmPlanCotaPrec;

// Who may work on the current item of the main window (the selection globals of
// Cli_Sup01700 within the current quotation), as every page and tool checks it before it
// changes or negotiates an item. Each check fails with its message (MensErro, abort).

// The operator is a buyer ("Oper_NComp") and, unless each product has its own buyer, the
// quotation's buyer ("Cot_NComp").
void vd_OperSistema(TfrmPlanCotaPrec& form);
// The selected product is negotiated by the quotation's buyer ("ProdNComp") or, when each
// product has its own buyer, by the operator ("Oper_N_Autoriz" when by another buyer).
void vd_ProdComprador(TfrmPlanCotaPrec& form);
// The selected supplier is qualified at the quotation's date ("Qualif_Forn") and active
// ("Forn_Inativ").
void vd_Fornecedor(TfrmPlanCotaPrec& form);
// The message key of what keeps a supplier from being quoted at the quotation's date:
// "Qualif_Forn", "Forn_Inativ", or "" when nothing does.
const char* supplierQualificationProblem(const TfrmPlanCotaPrec& form, const QString& supplier);

// A query of the main window's screen ("SUP01700"), its parameters set by name, opened.
std::unique_ptr<host::Query> openFormQuery(const QString& name, const QVariantMap& params);

} // namespace module
