#pragma once

#include "host/forms/TfrmRotiGeral.h"

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace module {

// "Inclusão de Cotação" (screen "SUP01716"): why the server created no quotation, and on
// request the details of each stage of its search (GetDetalhes).
class TfrmErrInsCota final : public host::TfrmRotiGeral
{
    Q_OBJECT
public:
    explicit TfrmErrInsCota(QWidget* parent = nullptr);

    QLabel* lblErro = nullptr;
    QPushButton* btnDetalhes = nullptr;
    QPushButton* btnOk = nullptr;
    QPlainTextEdit* memErro = nullptr;
    // Asks the server for the details (the entry's values at this moment).
    std::function<QString()> details;

private:
    void btnDetalhesClick();
};

// Shows why the inclusion failed; `details` gives the server's details on request.
void CriaErroInclusao(const QString& message, std::function<QString()> details,
                      QWidget* parent);

} // namespace module
