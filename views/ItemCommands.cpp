#include "ItemCommands.h"

#include "TfrmObsItmCol.h"

#include "module/entry/Cli_Sup01700.h"
#include "shell/ItemChecks.h"
#include "shell/PageHandler.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/PageControl.h"

#include <QAction>

namespace module {

namespace {

// Answers of the item checks that are codes; anything else the server says is a message.
bool isFlagPair(const QString& answer)
{
    static const QStringList pairs = {QStringLiteral("SN"), QStringLiteral("NS"),
                                      QStringLiteral("SS"), QStringLiteral("NN")};
    return pairs.contains(answer);
}

} // namespace

ItemCommands::ItemCommands(TfrmPlanCotaPrec& form) : QObject(&form), m_form(form)
{
    form.setCommandHandler(form.mnuSimulacao, [this] { sbtSimulacaoClick(); });
    form.setCommandHandler(form.mnuPlanilha, [this] { sbtPlanilhaClick(); });
    form.setCommandHandler(form.mnuObs, [this] { spbObsClick(); });
}

bool ItemCommands::selectItem()
{
    PageHandler* page = m_form.pageHandler(m_form.pgcPadrao->ActivePage());
    return page && page->selectCurrentItem() && !m_form.currentNumber().isEmpty();
}

bool ItemCommands::selectWorkableItem()
{
    if (!selectItem())
        return false;
    vd_OperSistema(m_form);
    vd_ProdComprador(m_form);
    vd_Fornecedor(m_form);
    return true;
}

void ItemCommands::sbtSimulacaoClick()
{
    using namespace Cli_Sup01700;
    if (!selectWorkableItem())
        return;
    serverChecks();
    {
        host::BusyScope busy(&m_form, m_form.msgPadrao.Msg(QStringLiteral("Atu_FormPgto")));
        const QString refusal =
            host::CheckResultServ(m_form.netPlanCotaPrec.AppServer().call(
                                      QStringLiteral("InsertFormPgtoNegSim"),
                                      {m_form.currentBranch(), m_form.currentNumber(), stCdRegiao,
                                       stCdForneced, stCdProduto, stCdArvProd, stCdMarca}),
                                  false)
                .toString();
        busy.hide();
        if (!refusal.isEmpty())
            host::MensErro(refusal);
    }
    markWorked();
    m_form.repaint();
    host::Halvore::instance().LoadBPL(QStringLiteral("SUP01802"),
                                      {stCdCentCmp, m_form.currentNumber(), stCdForneced,
                                       stCdProduto, stCdArvProd, stCdMarca, stCdRegiao, QString()});
    m_form.repaint();
    // What was negotiated shows in the page's items.
    m_form.refreshActiveView(true);
}

void ItemCommands::serverChecks()
{
    using namespace Cli_Sup01700;
    const host::Messages& texts = m_form.msgPadrao;
    host::RemoteModule server = m_form.netPlanCotaPrec.AppServer();
    auto answerOf = [](const QVariant& result) {
        return host::CheckResultServ(result, false).toString();
    };
    host::BusyScope busy(&m_form, texts.Msg(QStringLiteral("VdDados")));
    const QDate date = m_form.currentDate();

    const QString brand = answerOf(server.call(
        QStringLiteral("Vd_Marca"),
        {stCdCentCmp, stCdProduto, stCdMarca, date, true,
         m_form.purchasingParameter(QStringLiteral("IDPROSEMMAR")) != QLatin1String("S")}));
    if (brand.startsWith(QLatin1Char('3'))) {
        busy.hide();
        host::MensErro(brand.mid(1));
    }
    if (!brand.isEmpty()) {
        busy.hide();
        if (!isFlagPair(brand))
            host::MensErro(brand);
        QStringList messages;
        if (brand.at(0) == QLatin1Char('S'))
            messages << texts.Msg(QStringLiteral("Marc_Repr"));
        if (brand.at(1) == QLatin1Char('S'))
            messages << texts.Msg(QStringLiteral("Marc_N_Cad_Prod"));
        if (!messages.isEmpty())
            host::MensErro(messages.join(QLatin1Char('\n')));
    }
    // Each check: its code gives the window's message, any other answer is the message.
    auto check = [&](const QString& method, const QVariantList& args,
                     const QList<std::pair<QString, QString>>& codes) {
        const QString answer = answerOf(server.call(method, args));
        if (answer.isEmpty())
            return;
        busy.hide();
        for (const auto& [code, key] : codes)
            if (answer == code)
                host::MensErro(texts.Msg(key));
        host::MensErro(answer);
    };
    check(QStringLiteral("Vd_ProdForn"), {stCdCentCmp, stCdForneced, date, stCdProduto},
          {{QStringLiteral("S"), QStringLiteral("Forn_N_Cad_Prod")}});
    check(QStringLiteral("Vd_FuncaoFili"),
          {host::Halvore::instance().FiliProc(), stCdRegiao, stCdProduto},
          {{QStringLiteral("C"), QStringLiteral("Prod_NFilCor")},
           {QStringLiteral("R"), QStringLiteral("Prod_NFilReg")}});
    check(QStringLiteral("Vd_RefoReg"), {stCdRegiao, stCdForneced, true},
          {{QStringLiteral("S"), QStringLiteral("Reg_N_Cad_Forn_Cor")}});
}

void ItemCommands::markWorked()
{
    host::DataSet& quotation = m_form.cdsColetapr;
    host::Field& type = quotation.FieldByName(QStringLiteral("IDTIPCOLREG"));
    const QString current = type.AsString().trimmed();
    if (!current.isEmpty() && current != QLatin1String("L"))
        return;
    quotation.Edit();
    type.SetAsString(QStringLiteral("G"));
    quotation.Post();
    // Stored at once: nothing else of the worksheet waits for a save here.
    m_form.GravaCotacao();
}

void ItemCommands::sbtPlanilhaClick()
{
    using namespace Cli_Sup01700;
    if (!selectWorkableItem())
        return;
    markWorked();
    m_form.repaint();
    host::Halvore::instance().LoadBPL(
        QStringLiteral("SUP01803"), {true, stCdCentCmp, m_form.currentNumber(), stCdForneced,
                                     stCdProduto, stCdArvProd, stCdMarca, stCdRegiao, QString()});
    m_form.repaint();
    m_form.refreshActiveView(false);
}

void ItemCommands::spbObsClick()
{
    using namespace Cli_Sup01700;
    if (!selectItem())
        return;
    CriaObsItmCol(stCdCentCmp, m_form.currentNumber(), stCdRegiao, stCdForneced, stCdProduto,
                  stCdMarca, &m_form);
}

} // namespace module
