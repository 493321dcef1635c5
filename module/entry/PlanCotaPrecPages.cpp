// The one place that knows every page of the main window: it creates the window and puts
// each page's logic into it.

#include "PlanCotaPrecPages.h"

#include "maintenance/MaintenanceMenus.h"
#include "maintenance/locate/LocateScreen.h"
#include "register/NewQuotationPage.h"
#include "register/PrintQuotationScreen.h"
#include "register/QuotationListPage.h"
#include "register/RegionPage.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "spreadsheet/SpreadsheetMenu.h"
#include "spreadsheet/bestprice/BestPriceMark.h"
#include "spreadsheet/export/SpreadsheetExport.h"
#include "spreadsheet/import/PriceImport.h"
#include "spreadsheet/print/WorksheetPrint.h"
#include "views/ItemCommands.h"
#include "views/ItemScreen.h"
#include "views/ProductSupplierPage.h"
#include "views/SupplierProductPage.h"
#include "views/TfrmExportCota.h"
#include "views/WorksheetTools.h"
#include "worksheet/Worksheet.h"

#include <stdexcept>

namespace module {

namespace {

template <typename Page>
Page& pageOf(const TfrmPlanCotaPrec& form, host::TTabSheet* sheet)
{
    auto* page = dynamic_cast<Page*>(form.pageHandler(sheet));
    if (!page)
        throw std::logic_error("the main window lacks one of its pages");
    return *page;
}

} // namespace

TfrmPlanCotaPrec* NovoPlanCotaPrec(host::RemoteSession& session)
{
    auto* form = new TfrmPlanCotaPrec(session);
    auto list = std::make_unique<QuotationListPage>(*form);
    auto regions = std::make_unique<RegionPage>(*form, list->dbgForns);
    form->installPage(form->tshCotacao, std::move(list));
    form->installPage(form->tshRegiao, std::move(regions));
    auto entry = std::make_unique<NewQuotationPage>(*form);
    NewQuotationPage* newQuotation = entry.get();
    listPageOf(*form).onOpenNewQuotation = [newQuotation] { newQuotation->CriaInclusaoCotacao(); };
    form->installPage(form->tshIncCotacao, std::move(entry));
    form->installPage(form->tshPadrao, std::make_unique<Worksheet>(*form));
    form->installPage(form->tshProdForn, std::make_unique<ProductSupplierPage>(*form));
    form->installPage(form->tshFornProd, std::make_unique<SupplierProductPage>(*form));
    // The commands on the current item and the tools over the quotation (owned by the form).
    new ItemCommands(*form);
    new WorksheetTools(*form);
    form->setCommandHandler(form->mnuCopiarCota, [form] { CriaCopyCota(*form); });
    // The menus of the dialogs that add and remove the quotation's suppliers, regions,
    // products and brands.
    new MaintenanceMenus(*form);
    // Spreadsheet files, the best price marked and the worksheet printed.
    auto* spreadsheet = new SpreadsheetMenu(*form);
    installBestPriceMark(*spreadsheet);
    installWorksheetPrint(*spreadsheet);
    installPriceImport(*spreadsheet);
    installSpreadsheetExport(*spreadsheet);
    // The quotation's printed form is a screen of the system, opened by its number.
    registerPrintQuotationScreen();
    registerItemScreens();
    registerLocateScreen();
    return form;
}

QuotationListPage& listPageOf(const TfrmPlanCotaPrec& form)
{
    return pageOf<QuotationListPage>(form, form.tshCotacao);
}

RegionPage& regionPageOf(const TfrmPlanCotaPrec& form)
{
    return pageOf<RegionPage>(form, form.tshRegiao);
}

Worksheet& worksheetOf(const TfrmPlanCotaPrec& form)
{
    return pageOf<Worksheet>(form, form.tshPadrao);
}

} // namespace module
