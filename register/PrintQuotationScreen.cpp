#include "PrintQuotationScreen.h"

#include "module/records/Codes.h"
#include "module/records/QuotationRecords.h"

#include "host/core/consiste/Consiste.h"
#include "host/forms/TfrmRotiGeral.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"

#include <QApplication>

namespace module {

namespace {

const QString kScreen = QStringLiteral("SUP07000");

host::FieldDefs storedHeaderFields()
{
    host::FieldDefs stored;
    for (const host::FieldDef& field : quotationHeaderFields())
        if (!field.calculated)
            stored.append(field);
    return stored;
}

host::FieldDefs itemFields()
{
    return {regionCodeField(),
            regionNameField(),
            supplierCodeField(),
            supplierTradeNameField(),
            productCodeField(),
            productTreeCodeField(host::Halvore::instance().DBPict(host::Halvore::ProductPicture)),
            productNameField(),
            brandCodeField(),
            brandNameField(),
            unitPriceField()};
}

QString labelled(const QString& label, const QString& value)
{
    return label + QStringLiteral(": ") + value;
}

QString shortDate(const QDate& date)
{
    return date.isValid() ? host::operatorLocale().toString(date, QLocale::ShortFormat) : QString();
}

} // namespace

TfrmImpCotacao::TfrmImpCotacao(QWidget* parent)
    : host::TfrmDadosGerRel(kScreen, QString(), parent), msgPadrao(host::formMessages(kScreen))
{
    setWindowTitle(msgPadrao.Msg(QStringLiteral("Caption")));
}

QStringList TfrmImpCotacao::headerLines(const host::DataSet& header) const
{
    const QString connector = msgPadrao.Msg(QStringLiteral("msgA"));
    auto text = [&header](const char* name) {
        return header.FieldByName(QString::fromLatin1(name)).AsString();
    };
    auto date = [&header](const char* name) {
        return header.FieldByName(QString::fromLatin1(name)).AsDate();
    };
    return {
        labelled(msgPadrao.Msg(QStringLiteral("Numero")), text("NRCOLEPRECO")),
        labelled(msgPadrao.Msg(QStringLiteral("DtColeta")), shortDate(date("DTCOLEPREC"))),
        labelled(msgPadrao.Msg(QStringLiteral("Semanas")),
                 weekRangeText(text("NRSEMAINIC"), text("NRSEMAFINAL"), connector)),
        labelled(msgPadrao.Msg(QStringLiteral("Comprador")),
                 text("CDOPERADOR").trimmed() + QStringLiteral(" - ") + text("NMOPERADOR")),
        labelled(msgPadrao.Msg(QStringLiteral("Validade")),
                 validityRangeText(date("DTINIVALCOL"), date("DTFINVALCOL"), connector)),
    };
}

bool TfrmImpCotacao::Carrega(host::Database& db, const QString& branch, const QString& number)
{
    const QString quotation = normaliseQuotationNumber(number);
    host::Query header(db, QStringLiteral("qryCotacao"));
    header.LoadSQL(kScreen);
    header.SetFieldDefs(storedHeaderFields());
    header.SetParam(QStringLiteral("P_CDFILIAL"), branch);
    header.SetParam(QStringLiteral("P_NRCOLEPRECO"), quotation);
    header.Open();
    if (header.IsEmpty())
        return false;

    m_itens = std::make_unique<host::Query>(db, QStringLiteral("qryItens"));
    m_itens->LoadSQL(kScreen);
    m_itens->SetFieldDefs(itemFields());
    m_itens->SetParam(QStringLiteral("P_CDFILIAL"),
                      header.FieldByName(QStringLiteral("CDFILIAL")).AsString());
    m_itens->SetParam(QStringLiteral("P_NRCOLEPRECO"), quotation);
    m_itens->Open();

    // Group headings name the region and the supplier; the product code shows with the
    // product picture.
    const QString regionLabel = msgPadrao.Msg(QStringLiteral("Regiao"));
    const QString supplierLabel = msgPadrao.Msg(QStringLiteral("Fornecedor"));
    m_itens->FieldByName(QStringLiteral("CDREGIAO")).OnGetText =
        [regionLabel](const host::Field& field, QString& text, bool) {
            const QString name = field.dataSet().FieldByName(QStringLiteral("NMREGIAO")).AsString();
            text = labelled(regionLabel, field.AsString() + QStringLiteral(" - ") + name);
        };
    m_itens->FieldByName(QStringLiteral("CDFORNECED")).OnGetText =
        [supplierLabel](const host::Field& field, QString& text, bool) {
            text = labelled(supplierLabel,
                            field.dataSet().FieldByName(QStringLiteral("NMFANTFORN")).AsString());
        };
    m_itens->FieldByName(QStringLiteral("CDARVPROD")).OnGetText = [](const host::Field& field,
                                                                     QString& text, bool) {
        text = host::FormatMaskText(field.EditMask(), field.AsString().trimmed());
    };

    host::ReportLayout& layout = rpddPadrao.layout;
    layout.title = msgPadrao.Msg(QStringLiteral("Titulo"));
    layout.headerLines = headerLines(header);
    layout.groupFields = {QStringLiteral("CDREGIAO"), QStringLiteral("CDFORNECED")};
    layout.columns = {
        {QStringLiteral("CDARVPROD"), msgPadrao.Msg(QStringLiteral("Codigo"))},
        {QStringLiteral("NMPRODUTO"), msgPadrao.Msg(QStringLiteral("Produto"))},
        {QStringLiteral("NMMARCA"), msgPadrao.Msg(QStringLiteral("Marca"))},
        {QStringLiteral("VRPRECUNIITM"), msgPadrao.Msg(QStringLiteral("PrecoUnit")), Qt::AlignRight,
         QString::fromLatin1(ItemFormat::PriceDisplay)},
    };
    layout.emptyText = msgPadrao.Msg(QStringLiteral("Sem_Itens"));
    rpddPadrao.sql = m_itens->SQL();
    host::ReportDesigner::render(layout, *m_itens, document());
    setWindowTitle(msgPadrao.Msg(QStringLiteral("Caption")) + QStringLiteral(" - ") + quotation);
    return true;
}

void CriaImpCotacao(const QVariantList& values)
{
    host::Halvore& halvore = host::Halvore::instance();
    if (!halvore.database())
        host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
    const QString number = values.value(0).toString();
    TfrmImpCotacao form(QApplication::activeWindow());
    bool found = false;
    {
        host::WaitCursor hourglass;
        found = form.Carrega(*halvore.database(), halvore.FiliProc(), number);
    }
    if (!found) {
        host::Ui::current().message(
            host::MessageKind::Information,
            form.msgPadrao.Msg(QStringLiteral("Cot_N_Encontrada")).arg(number.trimmed()));
        return;
    }
    host::Ui::current().execModal(form, kScreen);
}

void registerPrintQuotationScreen()
{
    host::Halvore::instance().registerScreen(kScreen, &CriaImpCotacao);
}

} // namespace module
