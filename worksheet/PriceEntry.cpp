// Pricing a cell: who may price it, the price dialog, the cell's detail line, the copy of
// the price to the other regions the supplier serves, and the move to the cell below.

#include "Worksheet.h"

#include "DetailList.h"
#include "TfrmPrecoUnit.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/WorksheetValues.h"
#include "shell/ItemChecks.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/ui/Ui.h"
#include "host/widgets/NumberEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSet>

namespace module {

namespace {

const QString kRegion = QStringLiteral("COCREGIAO");
const QString kSupplier = QStringLiteral("COCFORNECED");
const QString kProduct = QStringLiteral("COCPRODUTO");
const QString kPrice = QStringLiteral("CONTA");

} // namespace

// ---- typing and double-clicking on the grid --------------------------------------------------

void Worksheet::degCotacaoKeyPress(QKeyEvent& event)
{
    const QString typed = event.text();
    if (typed.size() != 1)
        return;
    const QString decimalPoint = host::operatorLocale().decimalPoint();
    QChar c = typed.at(0);
    if (!c.isDigit() && c != QLatin1Char('.') && QString(c) != decimalPoint)
        return;
    if (c == QLatin1Char('.') && decimalPoint == QLatin1String(","))
        c = QLatin1Char(',');
    Cli_Sup01700::chKeyNum = c;
    const auto cleared = qScopeGuard([] { Cli_Sup01700::chKeyNum = QChar(); });
    degCotacaoDblClick();
}

void Worksheet::degCotacaoDblClick()
{
    using namespace Cli_Sup01700;
    // Sums stand for no item.
    if (!selectCurrentItem())
        return;

    stChaveCelula = CalcIndex(ActiveCol, ActiveRow);
    DetailLine oldLine;
    inPosCotacao = LocateCotacao(*stlCotacao, stChaveCelula, oldLine);
    try {
        vd_OperSistema(m_form);
        vd_ProdComprador(m_form);
        vd_Fornecedor(m_form);
    } catch (...) {
        degCotacao->setFocus();
        throw;
    }

    const int col = ActiveCol, row = ActiveRow;
    const QString product = stCdProduto, brand = stCdMarca, supplier = stCdForneced;
    stCdProdAnterior.clear();
    const bool priced = CriaPrecoUnit(*this);
    m_form.repaint();
    if (!priced)
        return;
    m_form.BarraFerramenta();
    rewriteCellLine(oldLine);
    AtualizaStlReg(product, brand, supplier);
    moveBelow(col, row);
}

bool Worksheet::selectCurrentItem()
{
    using namespace Cli_Sup01700;
    // The cell the grid has current, whether painted since or not.
    if (degCotacao->Row() < 0)
        return false;
    if (degCotacao->Row() != ActiveRow || degCotacao->Col() != ActiveCol)
        selectCell(degCotacao->Col(), degCotacao->Row());
    return degCotacao->CellKind(ActiveCol, ActiveRow)
        .testFlag(host::TNewDecisionGrid::PivotState::Data);
}

// ---- after the dialog ------------------------------------------------------------------------

void Worksheet::rewriteCellLine(const DetailLine& oldLine)
{
    QStringList& lines = *Cli_Sup01700::stlCotacao;
    const bool hadLine = inPosCotacao != -1;
    const QString treeCode =
        hadLine ? oldLine.treeCode : BuscaCdArvProd(Cli_Sup01700::stCdProduto);
    const DetailLine line =
        detailLine(stChaveCelula, cdsAltCotacao.FieldByName(kPrice).AsFloat(),
                   nedPrecoEcon->Value(), nedPrecoEconPI->Value(),
                   hadLine ? nedQtde->Value() : 0.0, edtUN->text(),
                   host::FloatMaskOut(edtDesconto->text()), true, treeCode);
    DetailLine current;
    placeDetailLine(lines, LocateCotacao(lines, stChaveCelula, current), line.text());
}

void Worksheet::moveBelow(int col, int row)
{
    // As the Down key moves: over a sum line, never onto the grand total.
    const int last = degCotacao->DataRowCount() - 1;
    int target = row + 1;
    while (target < last && degCotacao->IsSumRow(target))
        ++target;
    if (target <= last && !degCotacao->IsSumRow(target))
        degCotacao->GotoCell(col, target);
    stCdProdAnterior.clear();
    degCotacao->viewport()->update();
}

// ---- the price in the other regions ---------------------------------------------------------

void Worksheet::AtualizaStlReg(const QString& productCode, const QString& brandCode,
                               const QString& supplierCode)
{
    const host::DataSet& counters = m_form.cdsCount;
    const double regions = counters.Active() && !counters.IsEmpty()
                               ? counters.FieldByName(QStringLiteral("NRREGIAO")).AsFloat()
                               : 0.0;
    if (regions <= 1 || !showsAllRegions())
        return;
    if (host::Ui::current().ask(host::MessageKind::Confirmation,
                                m_form.msgPadrao.Msg(QStringLiteral("Atu_Reg")),
                                host::MessageButtons::YesNo, &m_form) != host::mrYes)
        return;

    const double price = cdsAltCotacao.FieldByName(kPrice).AsFloat();
    // The supplier and the product and brand are told by their codes, never by a text
    // that merely contains them (a product code may contain a brand code).
    QString supplierValue, productValue;
    for (const QString& value : DegRegistros(QStringLiteral("F"), true))
        if (supplierCodeOf(value) == supplierCode) {
            supplierValue = value;
            break;
        }
    for (const QString& value : DegRegistros(QStringLiteral("PM"), true))
        if (productCodeOf(value) == productCode && brandCodeOf(value) == brandCode) {
            productValue = value;
            break;
        }
    if (supplierValue.isEmpty() || productValue.isEmpty())
        return;

    const QStringList regionValues = DegRegistros(QStringLiteral("R"), true);
    host::DataSet served(QStringLiteral("cdsRegAtend"));
    {
        host::BusyScope busy(&m_form, QString());
        served.SetData(host::CheckResultServ(
                           m_form.netPlanCotaPrec.AppServer().call(
                               QStringLiteral("GetRegAtend"),
                               {supplierCode, regionValues.join(QLatin1Char('\n')), false}),
                           true)
                           .value<host::Packet>());
    }
    QSet<QString> servedRegions;
    QStringList servedValues;
    for (served.First(); !served.Eof(); served.Next()) {
        const QString value = served.FieldByName(kRegion).AsString();
        servedRegions.insert(regionCodeOf(value).toCaseFolded());
        servedValues.append(value);
    }

    const host::Bookmark back = cdsAltCotacao.GetBookmark();
    cdsAltCotacao.DisableControls();
    const auto restore = qScopeGuard([this, back] {
        if (cdsAltCotacao.BookmarkValid(back))
            cdsAltCotacao.GotoBookmark(back);
        cdsAltCotacao.EnableControls();
    });
    // A served region without the item gets it.
    for (const QString& region : servedValues) {
        if (cdsAltCotacao.Locate(QStringLiteral("COCFORNECED;COCREGIAO;COCPRODUTO"),
                                 QVariantList{supplierValue, region, productValue},
                                 host::LoCaseInsensitive))
            continue;
        cdsAltCotacao.Append();
        cdsAltCotacao.FieldByName(kRegion).SetAsString(region);
        cdsAltCotacao.FieldByName(kSupplier).SetAsString(supplierValue);
        cdsAltCotacao.FieldByName(kProduct).SetAsString(productValue);
        cdsAltCotacao.FieldByName(kPrice).SetAsFloat(price);
        cdsAltCotacao.Post();
    }
    // The item in every served region takes the price.
    for (cdsAltCotacao.First(); !cdsAltCotacao.Eof(); cdsAltCotacao.Next()) {
        const QString supplier = cdsAltCotacao.FieldByName(kSupplier).AsString();
        const QString product = cdsAltCotacao.FieldByName(kProduct).AsString();
        if (supplierCodeOf(supplier) != supplierCode || productCodeOf(product) != productCode ||
            brandCodeOf(product) != brandCode)
            continue;
        const QString region = regionCodeOf(cdsAltCotacao.FieldByName(kRegion).AsString());
        if (!servedRegions.contains(region.toCaseFolded()) ||
            cdsAltCotacao.FieldByName(kPrice).AsFloat() == price)
            continue;
        cdsAltCotacao.Edit();
        cdsAltCotacao.FieldByName(kPrice).SetAsFloat(price);
        cdsAltCotacao.Post();
    }
}

bool Worksheet::showsAllRegions() const
{
    const host::DataSet& regions = m_form.cdsServRegiao;
    return regions.Active() && !regions.IsEmpty() &&
           regions.FieldByName(QStringLiteral("CDREGIAO")).AsString() == QLatin1String("XXX");
}

} // namespace module
