#pragma once

#include <QString>
#include <QStringList>
#include <memory>

namespace module {
class TfrmPlanCotaPrec;
}

// Module-wide state of the main unit: the main form, the purchasing centre of the
// operator's branch, and the identities of the worksheet's current cell that the
// dialogs read. Everything runs on the user-interface thread.
namespace Cli_Sup01700 {

// The main form; null until CriaPlanCotaPrec creates it and after it closes.
extern module::TfrmPlanCotaPrec* frmPlanCotaPrec;
// True while the main form exists.
extern bool boStCriado;

// Branch code of the purchasing centre of the operator's branch (4 characters).
extern QString stCdCentCmp;

// The worksheet's current cell.
extern QString stCdForneced, stNmForneced;
extern QString stCdProduto, stCdArvProd, stNmProduto;
extern QString stCdRegiao, stNmRegiao;
extern QString stCdMarca, stNmMarca;

// Per-cell detail lines and their copy as loaded; created at the main form's first
// activation and destroyed when it closes.
extern std::unique_ptr<QStringList> stlCotacao;
extern std::unique_ptr<QStringList> stlOldCotacao;

// Worksheet cursor state.
extern int ActiveRow;
extern int ActiveCol;
extern QChar chKeyNum;

// Clears the selection identities (module load and unload).
void ResetSelection();

} // namespace Cli_Sup01700
