#include "Cli_Sup01700.h"

namespace Cli_Sup01700 {

module::TfrmPlanCotaPrec* frmPlanCotaPrec = nullptr;
bool boStCriado = false;
QString stCdCentCmp;
QString stCdForneced, stNmForneced;
QString stCdProduto, stCdArvProd, stNmProduto;
QString stCdRegiao, stNmRegiao;
QString stCdMarca, stNmMarca;
std::unique_ptr<QStringList> stlCotacao;
std::unique_ptr<QStringList> stlOldCotacao;
int ActiveRow = 0;
int ActiveCol = 0;
QChar chKeyNum;

void ResetSelection()
{
    for (QString* s : {&stCdForneced, &stNmForneced, &stCdProduto, &stCdArvProd, &stNmProduto,
                       &stCdRegiao, &stNmRegiao, &stCdMarca, &stNmMarca})
        s->clear();
    ActiveRow = ActiveCol = 0;
    chKeyNum = QChar();
}

} // namespace Cli_Sup01700
