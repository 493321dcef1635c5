#include "BrandDialog.h"

#include "LookupField.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"
#include "module/records/WorksheetValues.h"
#include "worksheet/Worksheet.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/MaskEdit.h"

#include <QLineEdit>

namespace module {

LookupField* BrandDialog::addBrandField(int row, const QString& caption, const QString& suffix)
{
    auto* field = new LookupField(fieldGrid(), row, caption, QStringLiteral("99999"),
                                  {QStringLiteral("medMarca") + suffix,
                                   QStringLiteral("btnMarca") + suffix,
                                   QStringLiteral("edtNmMarca") + suffix,
                                   QStringLiteral("imgAutorizMarca") + suffix,
                                   QStringLiteral("imgNaoAutorizMarca") + suffix},
                                  this);
    field->search->BeforePesq = [this] {
        host::Query& registered = brands();
        registered.SetParam(QStringLiteral("P_CDMARCA"), QString());
        registered.SetParam(QStringLiteral("P_TCDMARCA"), QStringLiteral("T"));
        registered.Open();
    };
    host::SearchRequest search;
    search.keyField = QStringLiteral("CDMARCA");
    search.title = QStringLiteral("Marca");
    search.emptyText = msgPadrao.Msg(QStringLiteral("MarNoFound"));
    search.parent = this;
    field->search->OnPesquisa = [this, search]() mutable {
        search.source = &brands();
        return host::Ui::current().Pesquisar(search);
    };
    field->search->AfterPesq = [this, field] {
        host::Query& registered = brands();
        field->setText(registered.FieldByName(QStringLiteral("CDMARCA")).AsString(),
                       registered.FieldByName(QStringLiteral("NMMARCA")).AsString());
        field->hideMarks();
    };
    return field;
}

QString BrandDialog::itemKey(const QString& brandCode, const QString& brandName)
{
    using namespace Cli_Sup01700;
    return stNmProduto.toUpper() + kCodeSeparator + stCdProduto + kBrandSeparator + brandCode +
           kCodeSeparator + brandName.trimmed();
}

void BrandDialog::Vd_Marca(LookupField& field, bool force, LookupField* other, bool newItem)
{
    if (field.isEmpty()) {
        if (force)
            fail(field.code, QStringLiteral("Marc_N_Inf"));
        return;
    }
    const QString code = host::Ajusta(field.text(), Width::Brand);
    field.code->SetText(code);
    host::Query& brand = brands();
    brand.SetParam(QStringLiteral("P_CDMARCA"), code);
    brand.SetParam(QStringLiteral("P_TCDMARCA"), QString());
    brand.Open();
    if (brand.IsEmpty())
        fail(field.code, QStringLiteral("Marc_N_Cad"));
    field.name->setText(brand.FieldByName(QStringLiteral("NMMARCA")).AsString());
    if (other && !other->isEmpty() && host::Ajusta(other->text(), Width::Brand) == code)
        fail(field.code, QStringLiteral("Marc_Difer"));
    if (newItem && worksheet().cdsAltCotacao.Locate(QStringLiteral("COCPRODUTO"),
                                                    itemKey(code, field.name->text()),
                                                    host::LoCaseInsensitive))
        fail(field.code, QStringLiteral("Marc_J_Cad_Prod"));
    if (!force)
        return;

    const QString answer = serverText(
        QStringLiteral("VdMarcSrv"), QStringLiteral("Vd_Marca"),
        {Cli_Sup01700::stCdCentCmp, Cli_Sup01700::stCdProduto, code, collectionDate(), true,
         purchasingParameter(QStringLiteral("IDPROSEMMAR")) != QLatin1String("S")});
    if (answer.contains(QLatin1Char('3')))
        failText(field.code, answer.mid(1));
    if (answer.isEmpty())
        return;
    QStringList messages;
    const bool qualified = answer.at(0) != QLatin1Char('S');
    if (!qualified)
        messages << msgPadrao.Msg(QStringLiteral("Marc_Repr"));
    field.showMark(qualified);
    if (answer.size() > 1 && answer.at(1) == QLatin1Char('S'))
        messages << msgPadrao.Msg(QStringLiteral("Marc_N_Cad_Prod"));
    if (!messages.isEmpty())
        failText(field.code, messages.join(QLatin1Char('\n')));
}

} // namespace module
