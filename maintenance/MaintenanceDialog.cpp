#include "MaintenanceDialog.h"

#include "LookupField.h"

#include "module/controls/FieldChecks.h"
#include "module/entry/PlanCotaPrecPages.h"
#include "module/records/QuotationRecords.h"
#include "module/records/WorksheetValues.h"
#include "shell/ItemChecks.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/widgets/Buttons.h"
#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/MaskEdit.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/grid/DBGrid.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace module {

MaintenanceDialog::MaintenanceDialog(TfrmPlanCotaPrec& form, const QString& screenCode,
                                     const QString& caption)
    : host::TfrmRotiGeral(screenCode, caption, &form),
      m_form(form),
      m_checks(std::make_unique<FieldChecks>(msgPadrao, nullptr))
{
}

MaintenanceDialog::~MaintenanceDialog() = default;

Worksheet& MaintenanceDialog::worksheet() const
{
    return worksheetOf(m_form);
}

QString MaintenanceDialog::quotationNumber() const
{
    return m_form.currentNumber();
}

QDate MaintenanceDialog::collectionDate() const
{
    return m_form.currentDate();
}

QString MaintenanceDialog::quotationBuyer() const
{
    return m_form.quotationBuyer();
}

QString MaintenanceDialog::purchasingParameter(const QString& name) const
{
    return m_form.purchasingParameter(name);
}

QStringList MaintenanceDialog::worksheetList(const QString& kind, bool whole) const
{
    return worksheet().DegRegistros(kind, whole);
}

QString MaintenanceDialog::listText(const QStringList& entries)
{
    QString text;
    for (const QString& entry : entries)
        text += entry + QStringLiteral("\r\n");
    return text;
}

QString MaintenanceDialog::codeBeforeSeparator(const QString& value)
{
    const qsizetype at = value.indexOf(kCodeSeparator);
    return at < 0 ? value : value.left(at);
}

void MaintenanceDialog::fail(QWidget* field, const QString& key)
{
    m_checks->fail(field, key);
}

void MaintenanceDialog::failText(QWidget* field, const QString& text)
{
    m_checks->refocus(field);
    host::MensErro(text);
    throw host::EAbort();
}

void MaintenanceDialog::checkOnExit(LookupField& field, std::function<void()> check)
{
    m_checks->onExit(field.code, std::move(check));
}

bool MaintenanceDialog::supplierOffered(const QString& supplier) const
{
    const auto offered =
        openFormQuery(QStringLiteral("qryVd_Forne"),
                      {{QStringLiteral("P_CDFORNECED"), supplier},
                       {QStringLiteral("P_DTCOLEPREC"), collectionDate().toString(Qt::ISODate)},
                       {QStringLiteral("P_IDULTIDTVALQ"),
                        purchasingParameter(QStringLiteral("IDULTIDTVALQ"))}});
    return !offered->IsEmpty();
}

bool MaintenanceDialog::anySupplierOffered(const QStringList& suppliers) const
{
    for (const QString& supplier : suppliers)
        if (supplierOffered(codeBeforeSeparator(supplier)))
            return true;
    return false;
}

QString MaintenanceDialog::serverText(const QString& busyKey, const QString& method,
                                      const QVariantList& args, int busyKind)
{
    host::BusyScope busy(this, busyKey.isEmpty() ? QString() : msgPadrao.Msg(busyKey), busyKind);
    return host::CheckResultServ(m_form.netPlanCotaPrec.AppServer().call(method, args), false)
        .toString();
}

void MaintenanceDialog::serverCheck(QWidget* field, const QString& busyKey, const QString& method,
                                    const QVariantList& args,
                                    const QList<std::pair<QString, QString>>& codes, int busyKind)
{
    const QString answer = serverText(busyKey, method, args, busyKind);
    if (answer.isEmpty())
        return;
    for (const auto& [code, key] : codes)
        if (answer == code)
            fail(field, key);
    failText(field, answer);
}

host::Packet MaintenanceDialog::serverPacket(const QString& busyKey, const QString& method,
                                             const QVariantList& args)
{
    host::BusyScope busy(this, busyKey.isEmpty() ? QString() : msgPadrao.Msg(busyKey));
    return host::CheckResultServ(m_form.netPlanCotaPrec.AppServer().call(method, args), true)
        .value<host::Packet>();
}

host::Query& MaintenanceDialog::query(const QString& name, const host::FieldDefs& fields)
{
    std::unique_ptr<host::Query>& slot = m_queries[name];
    if (!slot) {
        host::Database* db = host::Halvore::instance().database();
        if (!db)
            host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
        slot = std::make_unique<host::Query>(*db, name);
        if (!fields.empty())
            slot->SetFieldDefs(fields);
        slot->LoadSQL(screenCode());
    }
    return *slot;
}

host::Query& MaintenanceDialog::regions()
{
    return query(QStringLiteral("qryRegiao"), {regionCodeField(QStringLiteral("Código")),
                                               regionNameField(QStringLiteral("Nome"))});
}

host::Query& MaintenanceDialog::brands()
{
    return query(QStringLiteral("qryMarca"), {brandCodeField(QStringLiteral("Código")),
                                              brandNameField(QStringLiteral("Nome"))});
}

QGridLayout& MaintenanceDialog::fieldGrid()
{
    if (!m_grid) {
        auto* holder = new QWidget;
        m_grid = new QGridLayout(holder);
        m_grid->setContentsMargins(8, 8, 8, 8);
        m_grid->setColumnStretch(3, 1);
        clientLayout()->addWidget(holder);
    }
    return *m_grid;
}

// ---- regions -----------------------------------------------------------------------------------

void MaintenanceDialog::searchAllRegions(LookupField& field)
{
    field.search->BeforePesq = [this] {
        host::Query& registered = regions();
        registered.SetParam(QStringLiteral("P_CDREGIAO"), QString());
        registered.SetParam(QStringLiteral("P_TREGIAO"), QStringLiteral("T"));
        registered.Open();
    };
    host::SearchRequest search;
    search.keyField = QStringLiteral("CDREGIAO");
    search.title = QStringLiteral("Região");
    search.emptyText = QStringLiteral("Não há região cadastrada.");
    search.parent = this;
    field.search->OnPesquisa = [this, search]() mutable {
        search.source = &regions();
        return host::Ui::current().Pesquisar(search);
    };
    field.search->AfterPesq = [this, &field] {
        host::Query& registered = regions();
        field.setText(registered.FieldByName(QStringLiteral("CDREGIAO")).AsString(),
                      registered.FieldByName(QStringLiteral("NMREGIAO")).AsString());
    };
}

bool MaintenanceDialog::checkRegion(LookupField& field, bool force, const QString& emptyKey)
{
    if (field.isEmpty()) {
        if (force)
            fail(field.code, emptyKey);
        return false;
    }
    const QString code = host::Ajusta(field.text(), Width::Region);
    field.code->SetText(code);
    host::Query& region = regions();
    region.SetParam(QStringLiteral("P_CDREGIAO"), code);
    region.SetParam(QStringLiteral("P_TREGIAO"), QString());
    region.Open();
    if (region.IsEmpty())
        fail(field.code, QStringLiteral("Reg_N_Cad"));
    field.name->setText(region.FieldByName(QStringLiteral("NMREGIAO")).AsString());
    return true;
}

void MaintenanceDialog::fillQuotationRegions(host::DataSet& regions, const QStringList& values)
{
    regions.SetFieldDefs({regionCodeField(QStringLiteral("Código")),
                          regionNameField(QStringLiteral("Nome")),
                          hidden(host::FieldDef::text(QStringLiteral("COCREGIAO"), 35))});
    regions.CreateDataSet();
    for (const QString& value : values) {
        regions.Append();
        regions.FieldByName(QStringLiteral("CDREGIAO")).SetAsString(value.left(Width::Region));
        regions.FieldByName(QStringLiteral("NMREGIAO"))
            .SetAsString(value.mid(Width::Region + kCodeSeparator.size()));
        regions.FieldByName(QStringLiteral("COCREGIAO")).SetAsString(value);
        regions.Post();
    }
    regions.AddIndex(QStringLiteral("OrdReg"), QStringLiteral("CDREGIAO"), host::IxCaseInsensitive);
    regions.SetIndexName(QStringLiteral("OrdReg"));
    regions.First();
}

void MaintenanceDialog::searchQuotationRegions(LookupField& field, host::DataSet& regions)
{
    host::SearchRequest search;
    search.source = &regions;
    search.keyField = QStringLiteral("CDREGIAO");
    search.title = QStringLiteral("Região");
    search.parent = this;
    field.search->OnPesquisa = [search] { return host::Ui::current().Pesquisar(search); };
    field.search->AfterPesq = [&field, &regions] {
        field.setText(regions.FieldByName(QStringLiteral("CDREGIAO")).AsString(),
                      regions.FieldByName(QStringLiteral("NMREGIAO")).AsString());
    };
}

void MaintenanceDialog::checkQuotationRegion(LookupField& field, host::DataSet& regions)
{
    if (!checkRegion(field, false, QString()))
        return;
    if (!regions.Locate(QStringLiteral("CDREGIAO"), field.text(), host::LoCaseInsensitive))
        fail(field.code, QStringLiteral("Reg_NCot"));
}

bool MaintenanceDialog::worksheetShown() const
{
    return m_form.tshPadrao->TabVisible();
}

void MaintenanceDialog::refreshAssignmentView()
{
    host::TTabSheet* page = m_form.pgcPadrao->ActivePage();
    if (worksheetShown() || (page != m_form.tshProdForn && page != m_form.tshFornProd))
        return;
    m_form.refreshActiveView(true);
}

void MaintenanceDialog::locateRow(const QString& code, int row)
{
    host::Halvore::instance().LoadBPL(
        QStringLiteral("SUP01717"),
        {QStringLiteral("L"), code, QStringLiteral("4"),
         QVariant::fromValue<QObject*>(worksheet().degCotacao), -1, row});
}

} // namespace module
