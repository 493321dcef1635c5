#pragma once

namespace module {

class TfrmPlanCotaPrec;

// The maintenance dialogs of the current quotation, each shown modally over the main
// window under the hourglass while it is made. The product insertion is made once and
// kept until the main window closes.
void CriaProdutoInsert(TfrmPlanCotaPrec& form);
void CriaForneInsert(TfrmPlanCotaPrec& form);
void CriaRegiaoInsert(TfrmPlanCotaPrec& form);
void CriaMarcaInsert(TfrmPlanCotaPrec& form);
void CriaMarcaAlter(TfrmPlanCotaPrec& form);
void CriaProdutoDelete(TfrmPlanCotaPrec& form);
void CriaForneDelete(TfrmPlanCotaPrec& form);
void CriaRegiaoDelete(TfrmPlanCotaPrec& form);
void CriaMarcaDelete(TfrmPlanCotaPrec& form);

} // namespace module
