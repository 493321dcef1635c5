#include "TfrmObsItmCol.h"

#include "host/core/Query.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/ui/Ui.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace module {

namespace {

const QString kScreen = QStringLiteral("SUP01719");

} // namespace

TfrmObsItmCol::TfrmObsItmCol(QWidget* parent)
    : host::TfrmRotiGeral(kScreen, QString(), parent)
{
    setWindowTitle(msgPadrao.Msg(QStringLiteral("Caption")));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // No commands: the window's close button closes it.
    buttonBar()->hide();
    auto* panObsItm = new QWidget(clientArea());
    panObsItm->setObjectName(QStringLiteral("panObsItm"));
    auto* layout = new QVBoxLayout(panObsItm);
    layout->setContentsMargins(0, 0, 0, 0);
    dbmObsItm = new QPlainTextEdit(panObsItm);
    dbmObsItm->setObjectName(QStringLiteral("dbmObsItm"));
    dbmObsItm->setReadOnly(true);
    layout->addWidget(dbmObsItm);
    clientLayout()->addWidget(panObsItm);
    resize(460, 260);
}

TfrmObsItmCol::~TfrmObsItmCol() = default;

void TfrmObsItmCol::Carrega(const QString& branch, const QString& number, const QString& region,
                            const QString& supplier, const QString& product, const QString& brand)
{
    host::Database* db = host::Halvore::instance().database();
    if (!db)
        host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
    qryObsItmCol = std::make_unique<host::Query>(*db, QStringLiteral("qryObsItmCol"));
    qryObsItmCol->LoadSQL(kScreen);
    const std::pair<const char*, QString> params[] = {
        {"P_CDFILIAL", branch},     {"P_NRCOLEPRECO", number}, {"P_CDREGIAO", region},
        {"P_CDFORNECED", supplier}, {"P_CDPRODUTO", product},  {"P_CDMARCA", brand}};
    for (const auto& [name, value] : params)
        qryObsItmCol->SetParam(QString::fromLatin1(name), value);
    qryObsItmCol->Open();
    dbmObsItm->setPlainText(
        qryObsItmCol->IsEmpty()
            ? QString()
            : qryObsItmCol->FieldByName(QStringLiteral("DSOBSITMCOL")).AsString());
}

void CriaObsItmCol(const QString& branch, const QString& number, const QString& region,
                   const QString& supplier, const QString& product, const QString& brand,
                   QWidget* parent)
{
    TfrmObsItmCol dialog(parent);
    dialog.Carrega(branch, number, region, supplier, product, brand);
    host::Ui::current().execModal(dialog, dialog.screenCode());
}

} // namespace module
