#pragma once

namespace module {

class SpreadsheetMenu;
class TfrmPlanCotaPrec;

// Gives the command "Imprimir Planilha..." of the menu "Planilha" its work.
void installWorksheetPrint(SpreadsheetMenu& menu);

// The worksheet in the host's print preview (screen "VISUALIZAR_IMPRESSAO"), on A4 landscape
// by default; the preview's own commands change the page, print it or save it as PDF.
void ImprimePlanilha(TfrmPlanCotaPrec& form);

} // namespace module
