#pragma once

#include <QPointer>
#include <QString>

namespace module {
class TfrmFiltroCotacao;
}

// Module-wide state of the quotation filter: which buyers, regions and suppliers the
// quotation list is filtered by, and whether a validity period applies. Each list is the
// chosen codes in the list format ("_001_004_"); beside it goes its all-marker: "T" means
// every code (the list is ignored), "" means the list applies. Everything runs on the
// user-interface thread.
namespace Cli_Sup01701 {

// The kept filter dialog; null until first created and after it is destroyed.
extern QPointer<module::TfrmFiltroCotacao> frmFiltroCotacao;

extern QString stComprador;  // chosen buyers
extern QString stTComprador; // "T": all buyers
extern QString stPesqRegiao; // chosen regions
extern QString stTRegiao;    // "T": all regions
extern QString stPesqForn;   // chosen suppliers
extern QString stTForn;      // "T": all suppliers
extern QString stTPeriodo;   // "T": no validity period

// Back to every buyer, region and supplier with no period and empty lists.
void ResetCriteria();

} // namespace Cli_Sup01701
