#pragma once

#include "host/core/Messages.h"
#include "host/forms/TfrmDadosGerRel.h"

namespace module {

class TfrmExportCota;

// "Duplicação de Cotação" (screen "SUP01721"): the quotations the last duplication could
// not copy, with their buyer, validity and the reason, read from the log of the centre
// between the two log numbers the duplication dialog keeps.
class TfrmRelDupCotacao final : public host::TfrmDadosGerRel
{
    Q_OBJECT
public:
    TfrmRelDupCotacao(const TfrmExportCota& duplication, QWidget* parent);

    host::Messages msgPadrao;

private:
    // Sets the parameters the report's query has (the centre and the two log numbers).
    void rpddPadraoBeforeGetQueryParams(host::ReportParams& params) const;

    const TfrmExportCota& m_duplication;
};

// Opens the report of quotations not duplicated, modally, over the duplication dialog.
void CriaRelDupCotacao(TfrmExportCota& duplication);

} // namespace module
