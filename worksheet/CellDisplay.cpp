// What the worksheet's cells show, and the selected cell: its identities in the unit
// globals, the detail panel below the grid and the list of its validation errors.

#include "Worksheet.h"

#include "DetailList.h"
#include "HistoryPanel.h"

#include "module/entry/Cli_Sup01700.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/consiste/Consiste.h"
#include "host/ui/Halvore.h"
#include "host/widgets/NumberEdit.h"
#include "host/widgets/SystemColors.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace module {

namespace {

using PivotState = host::TNewDecisionGrid::PivotState;
using GridState = host::TNewDecisionGrid::GridState;

// A cell whose supplier has not quoted the product.
const QString kNotQuoted = QStringLiteral("    -     ");
// Product names in the row labels: cut to 30 characters, padded to 33, then the brand.
constexpr int kProductNameLength = 30;
constexpr int kProductNameWidth = 33;
// A tree code read from another line of the product is at most this long.
constexpr int kTreeCodeLength = 20;

// The validation errors of an item, in the order of its IDERRO flags.
const char* const kErrorKeys[] = {"Marc_NQualif", "N_PrdQfoProdForn", "Forn_N_Reg", "Prod_NFilReg",
                                  "Prod_NFilCor", "PrNCadForn",       "Marc_NProd"};

QString textAfter(const QString& text, const QString& separator)
{
    const qsizetype at = text.indexOf(separator);
    return at < 0 ? QString() : text.mid(at + separator.size());
}

QLineEdit* readOnlyEdit(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

host::TNumberEdit* numberEdit(QWidget* parent, const QString& name, int decimals)
{
    auto* edit = new host::TNumberEdit(parent);
    edit->setObjectName(name);
    edit->SetDecimals(decimals);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

} // namespace

// ---- the detail panel ------------------------------------------------------------------------

void Worksheet::createDetailPanel(QWidget* parent)
{
    panDados = new QWidget(parent);
    panDados->setObjectName(QStringLiteral("panDados"));
    auto* grid = new QGridLayout(panDados);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    const host::Messages& texts = m_form.msgPadrao;
    auto label = [&](const char* key, QWidget* buddy) {
        auto* caption = new QLabel(texts.Msg(QString::fromLatin1(key)), panDados);
        caption->setBuddy(buddy);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return caption;
    };

    edtProduto = readOnlyEdit(panDados, QStringLiteral("edtProduto"));
    edtUN = readOnlyEdit(panDados, QStringLiteral("edtUN"));
    edtUN->setMaximumWidth(50);
    nedQtde = numberEdit(panDados, QStringLiteral("nedQtde"), 3);
    edtNMMarca = readOnlyEdit(panDados, QStringLiteral("edtNMMarca"));
    nedPrecoEcon = numberEdit(panDados, QStringLiteral("nedPrecoEcon"), 5);
    nedPrecoEconPI = numberEdit(panDados, QStringLiteral("nedPrecoEconPI"), 5);
    edtDesconto = readOnlyEdit(panDados, QStringLiteral("edtDesconto"));
    edtDesconto->setAlignment(Qt::AlignRight);
    nedDiferenca = numberEdit(panDados, QStringLiteral("nedDiferenca"), 5);
    for (QWidget* number :
         {static_cast<QWidget*>(nedQtde), static_cast<QWidget*>(nedPrecoEcon),
          static_cast<QWidget*>(nedPrecoEconPI), static_cast<QWidget*>(edtDesconto),
          static_cast<QWidget*>(nedDiferenca)})
        number->setMaximumWidth(120);

    // Product, unit and quantity above; brand, prices, discount and net price below.
    grid->addWidget(edtProduto, 0, 0, 1, 4);
    grid->addWidget(edtUN, 0, 4);
    grid->addWidget(label("Lbl_Qtde", nedQtde), 0, 5);
    grid->addWidget(nedQtde, 0, 6);
    grid->addWidget(label("Lbl_Marca", edtNMMarca), 1, 0);
    grid->addWidget(edtNMMarca, 1, 1);
    grid->addWidget(label("Lbl_PrecoEcon", nedPrecoEcon), 1, 2);
    grid->addWidget(nedPrecoEcon, 1, 3);
    grid->addWidget(label("Lbl_PrecoEconPI", nedPrecoEconPI), 1, 4, 1, 2);
    grid->addWidget(nedPrecoEconPI, 1, 6);
    grid->addWidget(label("Lbl_Desconto", edtDesconto), 1, 7);
    grid->addWidget(edtDesconto, 1, 8);
    grid->addWidget(nedDiferenca, 1, 9);
    lblNota = new QLabel(panDados);
    lblNota->setObjectName(QStringLiteral("lblNota"));
    lblNota->hide();
    grid->addWidget(lblNota, 0, 7, 1, 3);
    grid->setColumnStretch(1, 1);
}

void Worksheet::fillDetailPanel(const DetailLine& line, bool hasLine)
{
    using namespace Cli_Sup01700;
    const QString picture = host::Halvore::instance().DBPict(host::Halvore::ProductPicture);
    edtProduto->setText(stNmProduto + QStringLiteral("  ") +
                        host::FormatMaskText(picture, stCdArvProd));
    edtUN->setText(line.unit);
    nedQtde->SetValue(host::FloatMaskOut(line.quantity));
    edtNMMarca->setText(stNmMarca);
    nedPrecoEcon->SetValue(host::FloatMaskOut(line.economicPrice));
    const double economicPI = host::FloatMaskOut(line.economicPricePI);
    nedPrecoEconPI->SetValue(economicPI);
    QPalette palette = nedPrecoEconPI->palette();
    palette.setColor(QPalette::Text, economicPI < 0 ? QColor(Qt::red) : QColor(Qt::black));
    nedPrecoEconPI->setPalette(palette);

    const QString discount = line.discount.isEmpty() ? QStringLiteral("0") : line.discount;
    edtDesconto->setText(discount);
    // The unit price net of the discount ("12,50 %": the number before the blank and "%").
    const double price = hasLine ? host::FloatMaskOut(line.unitPrice) : 0.0;
    const qsizetype percent = discount.indexOf(QLatin1Char('%'));
    const double rate = discount == QLatin1String("0") || percent < 1
                            ? 0.0
                            : host::FloatMaskOut(discount.left(percent - 1));
    nedDiferenca->SetValue(price - rate * price / 100.0);
}

// ---- drawing -------------------------------------------------------------------------------

void Worksheet::degCotacaoDecisionDrawCell(int col, int row, QString& text, QColor& background,
                                           host::TNewDecisionGrid::GridStates grid,
                                           host::TNewDecisionGrid::PivotStates pivot)
{
    const QStringList* lines = Cli_Sup01700::stlCotacao.get();
    if (!lines)
        return;
    // Painting starts at the top left corner: the first product row shows its name again.
    if (col == -degCotacao->FixedCols() && row == -degCotacao->FixedRows())
        stCdProdAnterior.clear();

    if (pivot.testFlag(PivotState::Data)) {
        DetailLine line;
        const QString key = CalcIndex(col, row);
        if (LocateCotacao(*lines, key, line) < 0) {
            text = kNotQuoted;
        } else {
            text = line.unitPrice;
            background = host::clInfoBk();
            const bool changed = line.changed == QLatin1String("S");
            if (changed)
                background = QColor(255, 255, 0);
            if (host::FloatMaskOut(line.unitPrice) == 0.0)
                background = host::clInactiveCaption();
            // A marked item is bold; its light green gives way to the mark of a change.
            if (IsMarkedItem && IsMarkedItem(key)) {
                if (!changed)
                    background = QColor(204, 240, 204);
                degCotacao->EmphasizeCell();
            }
        }
    } else if (pivot.testFlag(PivotState::ColCaption)) {
        const host::DataSet& counters = m_form.cdsCount;
        const double suppliers = counters.Active() && !counters.IsEmpty()
                                     ? counters.FieldByName(QStringLiteral("NRFORN")).AsFloat()
                                     : 0.0;
        if (suppliers < 2)
            text = m_form.msgPadrao.Msg(QStringLiteral("captionFR"));
    } else if (pivot.testFlag(PivotState::RowLabel)) {
        text = productLabel(text);
    } else if (pivot.testFlag(PivotState::ColLabel)) {
        // Regions and suppliers show their names only.
        if (text.contains(kCodeSeparator))
            text = textAfter(text, kCodeSeparator);
    }
    if (grid.testFlag(GridState::Selected))
        selectCell(col, row);
}

QString Worksheet::productLabel(const QString& value)
{
    if (!value.contains(kCodeSeparator))
        return value;
    QString name = productNameOf(value).left(kProductNameLength);
    name = name.leftJustified(kProductNameWidth, QLatin1Char(' '));
    // Further brands of the product drawn just before show the brand only.
    const QString code = productCodeOf(value);
    if (code != stCdProdAnterior)
        stCdProdAnterior = code;
    else
        name = QString(kProductNameWidth, QLatin1Char(' '));
    return name + brandNameOf(value);
}

// ---- the selected cell ---------------------------------------------------------------------

void Worksheet::selectCell(int col, int row)
{
    using namespace Cli_Sup01700;
    const bool historyNeeded = row != ActiveRow && panHistorico && panHistorico->isVisible();
    ActiveRow = row;
    ActiveCol = col;
    // A sum cell stands for no item.
    if (!degCotacao->CellKind(col, row).testFlag(PivotState::Data))
        return;

    std::array<QPoint, 3> labels;
    const QString key = CalcIndex(col, row, &labels);
    auto labelText = [this](const QPoint& at) { return degCotacao->Cells(at.x(), at.y()); };
    const QString region = labelText(labels[0]);
    const QString supplier = labelText(labels[1]);
    const QString product = labelText(labels[2]);
    stCdRegiao = regionCodeOf(region);
    stNmRegiao = regionNameOf(region);
    stCdForneced = supplierCodeOf(supplier);
    stNmForneced = supplierNameOf(supplier);
    stCdProduto = productCodeOf(product);
    stNmProduto = productNameOf(product);
    stCdMarca = brandCodeOf(product);
    stNmMarca = brandNameOf(product);

    DetailLine line;
    const bool hasLine = LocateCotacao(*stlCotacao, key, line) >= 0;
    stCdArvProd = treeCodeOf(stCdProduto, line.treeCode);
    fillDetailPanel(line, hasLine);
    const QString note = SelectionNote ? SelectionNote(region, product) : QString();
    lblNota->setText(note);
    lblNota->setVisible(!note.isEmpty());
    // Never from inside a paint: after it, once, for the selection as it is then.
    if (historyNeeded)
        queueHistory();
    PreencheErrosCota();
}

QString Worksheet::treeCodeOf(const QString& productCode, const QString& lineTreeCode)
{
    if (!lineTreeCode.isEmpty())
        return lineTreeCode;
    // A cell not quoted: the tree code of another line of the product, else the database's.
    if (productCode == m_treeCodeProduct)
        return m_treeCode;
    const QStringList& lines = *Cli_Sup01700::stlCotacao;
    const int other = FindString(lines, kCodeSeparator + productCode + kBrandSeparator);
    QString treeCode =
        other < 0 ? QString() : textAfter(lines.at(other), kTreeSeparator).left(kTreeCodeLength);
    if (treeCode.isEmpty())
        treeCode = BuscaCdArvProd(productCode);
    m_treeCodeProduct = productCode;
    m_treeCode = treeCode;
    return treeCode;
}

void Worksheet::PreencheErrosCota()
{
    if (!cdsErrosCota.Active() || cdsErrosCota.IsEmpty())
        return;
    using namespace Cli_Sup01700;
    lsbErrosCota->show();
    lsbErrosCota->clear();
    const bool found = cdsErrosCota.Locate(
        QStringLiteral("CDREGIAO;CDFORNECED;CDPRODUTO;CDMARCA"),
        QVariantList{stCdRegiao, stCdForneced, stCdProduto, stCdMarca}, host::LoCaseInsensitive);
    if (!found)
        return;
    const QString flags = cdsErrosCota.FieldByName(QStringLiteral("IDERRO")).AsString();
    if (host::EmptyString(flags))
        return;
    for (int i = 0; i < int(std::size(kErrorKeys)) && i < flags.size(); ++i)
        if (flags.at(i) == QLatin1Char('S'))
            lsbErrosCota->addItem(m_form.msgPadrao.Msg(QString::fromLatin1(kErrorKeys[i])));
}

} // namespace module
