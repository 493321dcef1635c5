#include "BenchUi.h"

#include <QDialog>

int BenchUi::execModal(QDialog& dialog, const QString&)
{
    dialog.setResult(QDialog::Rejected);
    if (onModal)
        onModal(dialog);
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}
