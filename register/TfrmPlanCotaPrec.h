#pragma once

#include "host/core/DataSet.h"
#include "host/forms/TfrmPadraoGrid.h"
#include "host/net/NetConnection.h"

#include <memory>

class QLineEdit;

namespace host {
class TTabSheet;
}

namespace module {

// The price quotation worksheet's main window (screen "SUP01700"): its pages, its two
// connections to the application server, the tables it shares with its dialogs and the
// markers the maintenance dialogs set for the next save.
class TfrmPlanCotaPrec : public host::TfrmPadraoGrid
{
    Q_OBJECT
public:
    explicit TfrmPlanCotaPrec(host::RemoteSession& session, QWidget* parent = nullptr);
    ~TfrmPlanCotaPrec() override;

    // Connections to the two remote modules.
    host::TNetConnection netPlanCotaPrec;
    host::TNetConnection netSuprimentos;

    // Pages of pgcPadrao in tab order (tshPadrao is the worksheet, "Produtos Cotados").
    host::TTabSheet* tshIncCotacao = nullptr;
    host::TTabSheet* tshCotacao = nullptr;
    host::TTabSheet* tshRegiao = nullptr;
    host::TTabSheet* tshProdForn = nullptr;
    host::TTabSheet* tshFornProd = nullptr;

    // Page selection menu items.
    QAction* mnuIncCotacao = nullptr;
    QAction* mnuCotacao = nullptr;
    QAction* mnuPadrao = nullptr;
    QAction* mnuProdForn = nullptr;
    QAction* mnuFornProd = nullptr;

    // Name of the purchasing centre, beside the tool bar.
    QLineEdit* edtCentCmp = nullptr;

    // Tables shared with the pages and dialogs.
    host::DataSet cdsColetapr{QStringLiteral("cdsColetapr")};
    host::DataSet cdsFornCotados{QStringLiteral("cdsFornCotados")};
    host::DataSet cdsServRegiao{QStringLiteral("cdsServRegiao")};
    host::DataSet cdsParaSupri{QStringLiteral("cdsParaSupri")};
    host::DataSet cdsCount{QStringLiteral("cdsCount")};

    // Register-changed markers, set by the maintenance dialogs and sent by the next save.
    bool boExcForn = false;
    bool boExcProd = false;
    bool boAltMarca = false;
    bool boIncRegiao = false;
    bool boAplicaRegioes = false;

    // Why the selected region/supplier pair may not be changed on the assignment pages
    // (supplier does not serve the region, not qualified, inactive): "S" or "N".
    QString stFornNaoAtende = QStringLiteral("N");
    QString stFornNaoQualif = QStringLiteral("N");
    QString stFornInativo = QStringLiteral("N");

    // The answer of GetBanco at creation.
    QString stBanco;

    // Shows the form as its screen size asks (maximised on a 480-pixel screen).
    void showForm();
    // The pages a confirmed filter shows: the worksheet and region pages when the
    // quotations are worked "Em Planilha", the two assignment pages otherwise; the page
    // menu items follow their tabs.
    void MostraPaginasPlanilha(bool emPlanilha);

protected:
    void FormCreate() override;
    void FormActivate() override;
    void FormClose() override;

private:
    void createPages();
    void createPageMenu();
    void loadPurchasingCentre();

    bool m_firstTime = true;
};

} // namespace module
