#include "TfrmRelDupCotacao.h"

#include "TfrmExportCota.h"

#include "module/entry/Cli_Sup01700.h"

#include "host/core/Database.h"
#include "host/core/SqlTexts.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"

namespace module {

namespace {

const QString kScreen = QStringLiteral("SUP01721");
const QString kReportCode = QStringLiteral("SUP017");

} // namespace

TfrmRelDupCotacao::TfrmRelDupCotacao(const TfrmExportCota& duplication, QWidget* parent)
    : host::TfrmDadosGerRel(kReportCode, QString(), parent), msgPadrao(host::formMessages(kScreen)),
      m_duplication(duplication)
{
    setObjectName(QStringLiteral("frmRelDupCotacao"));
    setWindowTitle(msgPadrao.Msg(QStringLiteral("Caption")));
    host::Database* db = host::Halvore::instance().database();
    rpddPadrao.sql = host::SqlTexts::forScreen(kScreen).text(
        QStringLiteral("qryRelDupCotacao"), db ? db->dialect() : QString());
    host::ReportLayout& layout = rpddPadrao.layout;
    layout.title = msgPadrao.Msg(QStringLiteral("Titulo"));
    layout.headerLines = {msgPadrao.Msg(QStringLiteral("Registros"))
                              .arg(duplication.stNrCotIni, duplication.stNrCotFin)};
    layout.columns = {
        {QStringLiteral("NRCOTNDUP"), msgPadrao.Msg(QStringLiteral("Registro"))},
        {QStringLiteral("NRCOLEPRECO"), msgPadrao.Msg(QStringLiteral("Cotacao"))},
        {QStringLiteral("NMCOMPRADOR"), msgPadrao.Msg(QStringLiteral("Comprador"))},
        {QStringLiteral("DSVALIDADE"), msgPadrao.Msg(QStringLiteral("Validade"))},
        {QStringLiteral("DSMOTIVO"), msgPadrao.Msg(QStringLiteral("Motivo"))},
    };
    layout.emptyText = msgPadrao.Msg(QStringLiteral("Sem_Registros"));
    rpddPadrao.BeforeGetQueryParams = [this](host::ReportParams& params) {
        rpddPadraoBeforeGetQueryParams(params);
    };
}

void TfrmRelDupCotacao::rpddPadraoBeforeGetQueryParams(host::ReportParams& params) const
{
    const std::pair<const char*, QString> values[] = {
        {"P_CDFILIAL", Cli_Sup01700::stCdCentCmp},
        {"P_NRCOTINICIAL", m_duplication.stNrCotIni},
        {"P_NRCOTFINAL", m_duplication.stNrCotFin},
    };
    for (const auto& [name, value] : values)
        if (host::ExistParam(params, QString::fromLatin1(name)))
            params.set(QString::fromLatin1(name), value);
}

void CriaRelDupCotacao(TfrmExportCota& duplication)
{
    host::Database* db = host::Halvore::instance().database();
    if (!db)
        host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
    TfrmRelDupCotacao report(duplication, &duplication);
    {
        host::WaitCursor hourglass;
        report.refresh(*db);
    }
    host::Ui::current().execModal(report, kScreen);
}

} // namespace module
