#pragma once

#include "host/ui/Guard.h"
#include "host/ui/Ui.h"

namespace module {

class TfrmPlanCotaPrec;

// A maintenance dialog made for one use: created under the hourglass, shown modally over
// the main window and destroyed when it closes.
template <typename Dialog> void showNew(TfrmPlanCotaPrec& form)
{
    host::WaitCursor hourglass;
    Dialog dialog(form);
    host::Ui::current().execModal(dialog, dialog.screenCode());
}

} // namespace module
