#pragma once

#include "host/forms/TfrmRotiGeral.h"

class QLabel;
class QTableView;

namespace module {

struct ImportPlan;

// The preview of a price import (SUP01722): how many prices change, stay, or are kept out,
// and a line for each price to change and each row, column or cell kept out with its
// reason. Confirming applies the changes; it is offered only when there are some.
class TfrmImportPrecos final : public host::TfrmRotiGeral
{
    Q_OBJECT
public:
    TfrmImportPrecos(QWidget* parent, const ImportPlan& plan, const host::Messages& texts,
                     const QString& fileName);

    QLabel* lblArquivo = nullptr;
    QLabel* lblResumo = nullptr;
    QTableView* grdPrecos = nullptr;
};

} // namespace module
