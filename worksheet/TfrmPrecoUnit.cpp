#include "TfrmPrecoUnit.h"

#include "Worksheet.h"

#include "module/entry/Cli_Sup01700.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/ui/Ui.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/NumberEdit.h"
#include "host/widgets/SystemColors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QShortcut>
#include <QStyle>

namespace Cli_Sup01711 {
// The kept price dialog; null until first used and after the main window closed.
QPointer<module::TfrmPrecoUnit> frmPrecoUnit;
} // namespace Cli_Sup01711

namespace module {

namespace {

const QString kScreen = QStringLiteral("SUP01711");
const QString kPrice = QStringLiteral("CONTA");
// The item's key fields in the order of the item table's index, so that finding an item
// is a binary search.
const QString kKeyFields = QStringLiteral("COCFORNECED;COCREGIAO;COCPRODUTO");

std::unique_ptr<host::Query> query(const QString& name)
{
    host::Database* db = host::Halvore::instance().database();
    if (!db)
        host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
    auto q = std::make_unique<host::Query>(*db, name);
    q->LoadSQL(kScreen);
    return q;
}

} // namespace

TfrmPrecoUnit::TfrmPrecoUnit(Worksheet& worksheet)
    : host::TfrmRotiGeral(kScreen, QStringLiteral("Alteração no Preço Unitário"),
                          &worksheet.form()),
      m_sheet(worksheet)
{
    setKeptOnClose(true);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(msgPadrao.Msg(QStringLiteral("Lbl_PrecoUnit")), clientArea());
    nedPrecoUnit = new host::TNumberEdit(clientArea());
    nedPrecoUnit->setObjectName(QStringLiteral("nedPrecoUnit"));
    nedPrecoUnit->SetDecimals(5);
    nedPrecoUnit->SetIntegerDigits(10);
    nedPrecoUnit->SetThousandSeparator(false);
    nedPrecoUnit->SetAllowNegative(false);
    nedPrecoUnit->SetAutoSelect(true);
    QPalette palette = nedPrecoUnit->palette();
    palette.setColor(QPalette::Base, host::clInfoBk());
    nedPrecoUnit->setPalette(palette);
    nedPrecoUnit->setMinimumWidth(160);
    label->setBuddy(nedPrecoUnit);
    row->addWidget(label);
    row->addWidget(nedPrecoUnit, 1);
    clientLayout()->addLayout(row);

    sbtPlanilha = new host::TButtonFlat(buttonBar());
    sbtPlanilha->setObjectName(QStringLiteral("sbtPlanilha"));
    sbtPlanilha->setToolTip(msgPadrao.Msg(QStringLiteral("Hint_Planilha")));
    sbtPlanilha->setIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
    if (auto* bar = qobject_cast<QHBoxLayout*>(buttonBar()->layout()))
        bar->insertWidget(bar->indexOf(sbtAjuda) + 1, sbtPlanilha);
    sbtPlanilha->OnClick = [this] { sbtPlanilhaClick(); };
    auto* planilhaKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), this);
    connect(planilhaKey, &QShortcut::activated, this, [this] {
        if (sbtPlanilha->isEnabled())
            host::guarded([this] { sbtPlanilhaClick(); });
    });

    // Enter in the price confirms it.
    connect(nedPrecoUnit, &QLineEdit::returnPressed, this,
            [this] { host::guarded([this] { sbtConfirmaClick(); }); });
    connect(nedPrecoUnit, &host::TNumberEdit::valueChanged, this, [this](double) {
        if (m_trackChanges)
            nedPrecoUnitChange();
    });
    nedPrecoUnitChange();
}

TfrmPrecoUnit::~TfrmPrecoUnit()
{
    host::Halvore::instance().clearMsgEventForm();
}

void TfrmPrecoUnit::AtualizaItemCole()
{
    m_marker = 0;
    m_trackChanges = false;
    m_openingPrice = 0.0;
    host::DataSet& items = m_sheet.cdsAltCotacao;
    if (items.Active() &&
        items.Locate(kKeyFields,
                     QVariantList{m_sheet.RetornaVlr(QStringLiteral("F")),
                                  m_sheet.RetornaVlr(QStringLiteral("R")),
                                  m_sheet.RetornaVlr(QStringLiteral("P"))},
                     host::LoCaseInsensitive))
        m_openingPrice = items.FieldByName(kPrice).AsFloat();
    const QChar typed = Cli_Sup01700::chKeyNum;
    if (!typed.isNull())
        nedPrecoUnit->StartTyping(QString(typed));
    else
        showOpeningPrice();
    m_trackChanges = true;
    nedPrecoUnitChange();
}

void TfrmPrecoUnit::showOpeningPrice()
{
    nedPrecoUnit->SetValue(m_openingPrice);
    nedPrecoUnit->selectAll();
}

void TfrmPrecoUnit::nedPrecoUnitChange()
{
    sbtPlanilha->setEnabled(nedPrecoUnit->Value() != 0.0);
}

void TfrmPrecoUnit::showEvent(QShowEvent* event)
{
    host::TfrmRotiGeral::showEvent(event);
    nedPrecoUnit->setFocus();
    // With a comma for decimals, the keypad's decimal key and the period type a comma.
    if (host::operatorLocale().decimalPoint() == QLatin1String(","))
        host::Halvore::instance().setMsgEventForm([](host::KeyMessage& message) {
            const bool keypad = message.modifiers & Qt::KeypadModifier;
            if (message.key == Qt::Key_Period || (keypad && message.key == Qt::Key_Comma)) {
                message.key = Qt::Key_Comma;
                message.text = QStringLiteral(",");
            }
        });
}

void TfrmPrecoUnit::hideEvent(QHideEvent* event)
{
    host::Halvore::instance().clearMsgEventForm();
    host::TfrmRotiGeral::hideEvent(event);
}

void TfrmPrecoUnit::done(int result)
{
    // Closed without a new price: the field shows the price the cell has.
    if (m_marker != 99) {
        m_trackChanges = false;
        nedPrecoUnit->SetValue(m_openingPrice);
        m_trackChanges = true;
    }
    host::Halvore::instance().clearMsgEventForm();
    host::TfrmRotiGeral::done(result);
}

void TfrmPrecoUnit::sbtConfirmaClick()
{
    confirmPrice();
    accept();
}

void TfrmPrecoUnit::sbtCancelClick()
{
    m_trackChanges = false;
    nedPrecoUnit->SetValue(m_openingPrice);
    m_trackChanges = true;
    reject();
}

void TfrmPrecoUnit::confirmPrice()
{
    if (host::EmptyString(nedPrecoUnit->text())) {
        nedPrecoUnit->setFocus();
        host::MensErro(msgPadrao.Msg(QStringLiteral("Pre_N_Inf")));
    }
    const double price = nedPrecoUnit->Value();
    if (price != 0.0)
        vd_Comprador();
    PrecoUnit(price);
    if (price != m_openingPrice)
        m_marker = 99;
}

void TfrmPrecoUnit::vd_Comprador()
{
    const QString& operatorCode = host::Halvore::instance().Operador();
    try {
        if (m_sheet.form().purchasingParameter(QStringLiteral("IDUMPRODCMP")) != QLatin1String("S")) {
            auto negotiated = query(QStringLiteral("qryProdComp"));
            negotiated->SetParam(QStringLiteral("P_CDOPERADOR"), operatorCode);
            negotiated->SetParam(QStringLiteral("P_CDARVPROD"), Cli_Sup01700::stCdArvProd);
            negotiated->Open();
            if (negotiated->FieldByName(QStringLiteral("CTPRODOPER")).AsInteger() == 0)
                host::MensErro(msgPadrao.Msg(QStringLiteral("Pr_NComp")));
            return;
        }
        // One buyer per product: the one who negotiates it.
        auto buyer = query(QStringLiteral("qryCompradorProd"));
        buyer->SetParam(QStringLiteral("P_CDARVPROD"), Cli_Sup01700::stCdArvProd);
        buyer->Open();
        if (buyer->IsEmpty())
            host::MensErro(msgPadrao.Msg(QStringLiteral("Pr_NComp")));
        const QString code = buyer->FieldByName(QStringLiteral("CDOPERADOR")).AsString();
        if (code != operatorCode)
            host::MensErro(msgPadrao.Msg(QStringLiteral("Comp_N_Autoriz")) + QLatin1Char(' ') + code +
                           QStringLiteral(" - ") +
                           buyer->FieldByName(QStringLiteral("NMOPERADOR")).AsString());
    } catch (...) {
        nedPrecoUnit->setFocus();
        throw;
    }
}

void TfrmPrecoUnit::PrecoUnit(double price)
{
    host::DataSet& items = m_sheet.cdsAltCotacao;
    const QString region = m_sheet.RetornaVlr(QStringLiteral("R"));
    const QString supplier = m_sheet.RetornaVlr(QStringLiteral("F"));
    const QString product = m_sheet.RetornaVlr(QStringLiteral("P"));
    if (items.Locate(kKeyFields, QVariantList{supplier, region, product}, host::LoCaseInsensitive)) {
        items.Edit();
    } else {
        items.Append();
        items.FieldByName(QStringLiteral("COCPRODUTO")).SetAsString(product);
        items.FieldByName(QStringLiteral("COCFORNECED")).SetAsString(supplier);
        items.FieldByName(QStringLiteral("COCREGIAO")).SetAsString(region);
    }
    items.FieldByName(kPrice).SetAsFloat(price);
    items.Post();

    // A quotation not sent to the suppliers becomes one priced on the worksheet.
    host::DataSet& quotation = m_sheet.form().cdsColetapr;
    host::Field& collectionType = quotation.FieldByName(QStringLiteral("IDTIPCOLREG"));
    const QString type = collectionType.AsString().trimmed();
    if (type.isEmpty() || type == QLatin1String("L")) {
        quotation.Edit();
        collectionType.SetAsString(QStringLiteral("G"));
        quotation.Post();
    }
}

void TfrmPrecoUnit::sbtPlanilhaClick()
{
    confirmPrice();
    accept();
    m_sheet.degCotacao->viewport()->repaint();
    using namespace Cli_Sup01700;
    host::Halvore::instance().LoadBPL(
        QStringLiteral("SUP01803"),
        {true, stCdCentCmp, m_sheet.form().currentNumber(), stCdForneced, stCdProduto, stCdArvProd,
         stCdMarca, stCdRegiao, QString()});
}

bool CriaPrecoUnit(Worksheet& worksheet)
{
    if (Cli_Sup01711::frmPrecoUnit && Cli_Sup01711::frmPrecoUnit->parent() != &worksheet.form())
        DestroiPrecoUnit();
    if (!Cli_Sup01711::frmPrecoUnit)
        Cli_Sup01711::frmPrecoUnit = new TfrmPrecoUnit(worksheet);
    TfrmPrecoUnit& dialog = *Cli_Sup01711::frmPrecoUnit;
    dialog.AtualizaItemCole();
    host::Ui::current().execModal(dialog, dialog.screenCode());
    return dialog.marker() != 0;
}

void DestroiPrecoUnit()
{
    try {
        delete Cli_Sup01711::frmPrecoUnit.data();
    } catch (...) {
        // Closing goes on whatever the dialog's destruction did.
    }
    Cli_Sup01711::frmPrecoUnit.clear();
}

} // namespace module
