#pragma once

#include "MaintenanceDialog.h"

namespace module {

class LookupField;

// The dialogs that give the selected product a brand (brand insertion and brand change):
// the brand fields with their search and marks, and the brand's checks.
class BrandDialog : public MaintenanceDialog
{
    Q_OBJECT
public:
    using MaintenanceDialog::MaintenanceDialog;

protected:
    // A brand field on a row of the field grid, with its search over all brands and its
    // qualified/not-qualified marks; `suffix` ends the controls' names ("01", "").
    LookupField* addBrandField(int row, const QString& caption, const QString& suffix);

    // The selected product's item value with another brand.
    static QString itemKey(const QString& brandCode, const QString& brandName);

    // The brand of `field`: given (when forced), registered, different from `other`'s (when
    // given), not yet quoted for the selected product (when `newItem`), and with force
    // qualified and registered for the product on the server, the marks showing the answer.
    void Vd_Marca(LookupField& field, bool force, LookupField* other, bool newItem);
};

} // namespace module
