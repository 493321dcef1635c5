#pragma once

namespace host {
class RemoteSession;
}

namespace module {

class QuotationListPage;
class RegionPage;
class TfrmPlanCotaPrec;
class Worksheet;

// Creates the main window over a session to the application server, with the logic of
// each of its pages installed (list, regions, worksheet), and makes the screens it opens
// by code known to the session. Its creation and activation have not run yet.
TfrmPlanCotaPrec* NovoPlanCotaPrec(host::RemoteSession& session);

// The pages of a window made by NovoPlanCotaPrec.
QuotationListPage& listPageOf(const TfrmPlanCotaPrec& form);
RegionPage& regionPageOf(const TfrmPlanCotaPrec& form);
Worksheet& worksheetOf(const TfrmPlanCotaPrec& form);

} // namespace module
