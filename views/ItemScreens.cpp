// The two item screens opened by code: "SUP01802" (negotiation and simulation) and
// "SUP01803" (the worksheet's information on an item).

#include "ItemScreen.h"

#include "host/core/Query.h"
#include "host/core/consiste/DisplayFormat.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/NumberEdit.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>

namespace module {

namespace {

QString money(double value)
{
    return host::FormatFloat(QStringLiteral("#,##0.00000"), value);
}

QString shortDate(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

// "Negociação/Simulação": the item's payment terms and taxes, and the net price of a
// typed price and discount, computed here and never stored.
class TfrmNegociacao final : public TfrmItemScreen
{
public:
    explicit TfrmNegociacao(QWidget* parent) : TfrmItemScreen(QStringLiteral("SUP01802"), parent) {}

    host::TNumberEdit* nedPreco = nullptr;
    host::TNumberEdit* nedDesconto = nullptr;
    host::TNumberEdit* nedLiquido = nullptr;

protected:
    void showItem() override
    {
        addTable(QStringLiteral("Grb_FormaPgto"), QStringLiteral("qryFormaPgto"),
                 {{"NRPARCPGTO", "Col_Parcela", 70},
                  {"NRDIAPGTO", "Col_Dias", 70},
                  {"VRPERCPARC", "Col_Percentual", 90, "#0.00"},
                  {"CDFORMPGTO", "Col_Forma", 70}});
        addTable(QStringLiteral("Grb_Impostos"), QStringLiteral("qryImpostos"),
                 {{"CDIMPOSTO", "Col_Imposto", 90}, {"VRALIQIMPOS", "Col_Aliquota", 100, "#0.00"}});

        auto* simulation = new QGroupBox(msgPadrao.Msg(QStringLiteral("Grb_Simulacao")), clientArea());
        auto* form = new QFormLayout(simulation);
        auto number = [simulation](const char* name, int decimals) {
            auto* edit = new host::TNumberEdit(simulation);
            edit->setObjectName(QString::fromLatin1(name));
            edit->SetDecimals(decimals);
            edit->SetAllowNegative(false);
            return edit;
        };
        nedPreco = number("nedPreco", 5);
        nedDesconto = number("nedDesconto", 2);
        nedDesconto->SetIntegerDigits(3);
        nedLiquido = number("nedLiquido", 5);
        nedLiquido->setReadOnly(true);
        form->addRow(msgPadrao.Msg(QStringLiteral("Lbl_Preco")), nedPreco);
        form->addRow(msgPadrao.Msg(QStringLiteral("Lbl_Desconto")), nedDesconto);
        form->addRow(msgPadrao.Msg(QStringLiteral("Lbl_Liquido")), nedLiquido);
        clientLayout()->addWidget(simulation);
        for (host::TNumberEdit* edit : {nedPreco, nedDesconto})
            connect(edit, &host::TNumberEdit::valueChanged, this, [this](double) { simulate(); });
        nedPreco->SetValue(item().FieldByName(QStringLiteral("VRPRECUNIITM")).AsFloat());
        nedDesconto->SetValue(item().FieldByName(QStringLiteral("VRPERDESITM")).AsFloat());
        simulate();
    }

private:
    void simulate()
    {
        const double price = nedPreco->Value();
        nedLiquido->SetValue(price - price * nedDesconto->Value() / 100.0);
    }
};

// "Informações da Planilha": the item's figures, and the prices of the other suppliers of
// the same product and brand in the region, lowest first.
class TfrmInfoPlanilha final : public TfrmItemScreen
{
public:
    explicit TfrmInfoPlanilha(QWidget* parent) : TfrmItemScreen(QStringLiteral("SUP01803"), parent) {}

protected:
    void showItem() override
    {
        const host::Query& i = item();
        auto value = [&i](const char* field) { return i.FieldByName(QString::fromLatin1(field)); };
        addLine(QStringLiteral("Lbl_PrecoUnit"), money(value("VRPRECUNIITM").AsFloat()));
        addLine(QStringLiteral("Lbl_PrecoEco"), money(value("VRPRECECOITM").AsFloat()));
        addLine(QStringLiteral("Lbl_PrecoEcoPI"), money(value("VRPRECECOPIITM").AsFloat()));
        addLine(QStringLiteral("Lbl_Qtde"),
                host::FormatFloat(QStringLiteral("#,##0.000"), value("QTACMPITMCOL").AsFloat()) +
                    QLatin1Char(' ') + value("CDUNIDMED").AsString().trimmed());
        addLine(QStringLiteral("Lbl_Desconto"),
                host::FormatFloat(QStringLiteral("#0.00"), value("VRPERDESITM").AsFloat()));
        addLine(QStringLiteral("Lbl_Validade"), shortDate(value("DTINIVALITM").AsDate()) +
                                                    QLatin1Char(' ') + msgPadrao.Msg(QStringLiteral("msgA")) +
                                                    QLatin1Char(' ') +
                                                    shortDate(value("DTFINVALITM").AsDate()));
        const QString freight = value("IDTIPFREITM").AsString().trimmed();
        addLine(QStringLiteral("Lbl_Frete"),
                freight == QLatin1String("C") || freight == QLatin1String("F")
                    ? msgPadrao.Msg(QStringLiteral("Frete_") + freight)
                    : freight);
        addLine(QStringLiteral("Lbl_Obs"), value("DSOBSITMCOL").AsString());
        addTable(QStringLiteral("Grb_Outros"), QStringLiteral("qryOutrosForn"),
                 {{"NMFANTFORN", "Col_Fornecedor", 240},
                  {"VRPRECUNIITM", "Col_PrecoUnit", 110, "#,##0.00000"},
                  {"VRPRECECOITM", "Col_PrecoEco", 110, "#,##0.00000"},
                  {"DTINIVALITM", "Col_ValIni", 100},
                  {"DTFINVALITM", "Col_ValFin", 100}});
    }
};

void CriaNegociacao(const QVariantList& values)
{
    TfrmNegociacao screen(QApplication::activeWindow());
    runItemScreen(screen, values, 0);
}

void CriaInfoPlanilha(const QVariantList& values)
{
    TfrmInfoPlanilha screen(QApplication::activeWindow());
    // The first value says the screen was opened from the worksheet.
    if (values.isEmpty() || values.first().metaType().id() != QMetaType::Bool)
        host::MensErro(screen.msgPadrao.Msg(QStringLiteral("Valores_Inv")).arg(screen.screenCode()));
    runItemScreen(screen, values, 1);
}

} // namespace

void registerItemScreens()
{
    host::Halvore::instance().registerScreen(QStringLiteral("SUP01802"), &CriaNegociacao);
    host::Halvore::instance().registerScreen(QStringLiteral("SUP01803"), &CriaInfoPlanilha);
}

} // namespace module
