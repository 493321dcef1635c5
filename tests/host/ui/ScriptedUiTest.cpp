// The scripted person of the tests: answers from queues, records what was shown, and
// fails the test on whatever the program asks that the test did not foresee.

#include "UiTestData.h"

#include "support/ScriptedUi.h"
#include "support/Widgets.h"

#include "host/core/Messages.h"
#include "host/ui/Halvore.h"
#include "host/ui/MessageBoxes.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace host;
using testsupport::ScriptedUi;

namespace {

// A dialog with an edit and the confirm and cancel buttons of the system's dialogs.
class SmallDialog : public QDialog
{
public:
    SmallDialog()
    {
        auto* layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("medCdRegiao"));
        auto* confirm = new QPushButton(QStringLiteral("Confirmar"), this);
        confirm->setObjectName(QStringLiteral("sbtConfirma"));
        auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
        cancel->setObjectName(QStringLiteral("sbtCancel"));
        layout->addWidget(edit);
        layout->addWidget(confirm);
        layout->addWidget(cancel);
        connect(confirm, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
    QLineEdit* edit;
};

} // namespace

TEST(ScriptedUiTest, IsTheCurrentUiForItsLifetime)
{
    Ui* before = &Ui::current();
    {
        ScriptedUi ui;
        EXPECT_EQ(&Ui::current(), &ui);
    }
    EXPECT_EQ(&Ui::current(), before);
}

TEST(ScriptedUiTest, AnswersQuestionsAndAlertsInQueueOrderAndRecordsThem)
{
    ScriptedUi ui;
    ui.answerYes().answerNo().answer(10);

    EXPECT_EQ(ui.ask(MessageKind::Confirmation, QStringLiteral("Confirma a exclusão do registro?"),
                     MessageButtons::YesNo),
              mrYes);
    EXPECT_EQ(ui.ask(MessageKind::Confirmation, QStringLiteral("Deseja gravar?"),
                     MessageButtons::YesNoCancel),
              mrNo);
    EXPECT_EQ(ui.alert(MessageKind::Error, QStringLiteral("Sem conexão"),
                       {{QStringLiteral("Sim"), 10}, {QStringLiteral("Não"), 11}}),
              10);

    ASSERT_EQ(ui.questions().size(), 3);
    EXPECT_EQ(ui.questions()[0].text, QStringLiteral("Confirma a exclusão do registro?"));
    EXPECT_EQ(ui.questions()[0].captions,
              QStringList({QStringLiteral("Sim"), QStringLiteral("Não")}));
    EXPECT_EQ(ui.questions()[1].answer, mrNo);
    EXPECT_EQ(ui.questions()[2].captions,
              QStringList({QStringLiteral("Sim"), QStringLiteral("Não")}));
    EXPECT_EQ(ui.pendingAnswers(), 0);
}

TEST(ScriptedUiTest, UnforeseenQuestionsFailTheTestAndBackOut)
{
    ScriptedUi ui;
    int answer = -1;
    EXPECT_NONFATAL_FAILURE(answer = ui.ask(MessageKind::Confirmation, QStringLiteral("Confirma?"),
                                            MessageButtons::YesNo),
                            "Unexpected question: \"Confirma?\"");
    EXPECT_EQ(answer, mrNo);

    EXPECT_NONFATAL_FAILURE(
        answer = ui.alert(MessageKind::Error, QStringLiteral("Tentar de novo?"),
                          {{QStringLiteral("Sim"), 10}, {QStringLiteral("Não"), 11}}),
        "Unexpected question");
    EXPECT_EQ(answer, 11);

    // An answer that is not one of the buttons is a fault of the test.
    ui.answer(mrOk);
    EXPECT_NONFATAL_FAILURE(
        ui.ask(MessageKind::Confirmation, QStringLiteral("Sair?"), MessageButtons::YesNo),
        "is not one of the buttons");
}

TEST(ScriptedUiTest, AnswersLeftOverAtTheEndFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            ui.answerYes();
        },
        "never asked for");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUi ui;
            ui.onModal(QStringLiteral("SUP01703"), [](QDialog& d) { d.reject(); });
        },
        "SUP01703 was never shown");
}

TEST(ScriptedUiTest, MessagesAreRecordedWithTheBusyStateOfTheirMoment)
{
    ScriptedUi ui;
    ui.message(MessageKind::Information, QStringLiteral("Antes"));
    ui.busyShow(nullptr, 1, QStringLiteral("Gravando..."));
    ui.message(MessageKind::Error, QStringLiteral("Durante"));
    ui.busyHide();

    ASSERT_EQ(ui.messages().size(), 2);
    EXPECT_EQ(ui.messages()[0].busyDepth, 0);
    EXPECT_EQ(ui.messages()[1].busyDepth, 1);
    EXPECT_EQ(ui.messageTexts(MessageKind::Error), QStringList{QStringLiteral("Durante")});
    EXPECT_EQ(ui.lastMessage(), QStringLiteral("Durante"));
}

TEST(ScriptedUiTest, ModalScriptWorksTheDialogsControls)
{
    ScriptedUi ui;
    SmallDialog dialog;
    ui.onModal(QStringLiteral("SUP01707"), [](QDialog& d) {
        EXPECT_TRUE(d.isVisible());
        testsupport::typeInto(d, QStringLiteral("medCdRegiao"), QStringLiteral("004"));
        testsupport::click(d, QStringLiteral("sbtConfirma"));
    });

    EXPECT_EQ(ui.execModal(dialog, QStringLiteral("SUP01707")), int(QDialog::Accepted));
    EXPECT_EQ(dialog.edit->text(), QStringLiteral("004"));
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(ui.modals().size(), 1);
    EXPECT_EQ(ui.modals()[0].screen, QStringLiteral("SUP01707"));

    // A script registered for every showing stays; a one-time script is used up.
    int runs = 0;
    ui.onEveryModal(QStringLiteral("SUP01716"), [&](QDialog& d) {
        ++runs;
        testsupport::click(d, QStringLiteral("sbtCancel"));
    });
    EXPECT_EQ(ui.execModal(dialog, QStringLiteral("SUP01716")), int(QDialog::Rejected));
    EXPECT_EQ(ui.execModal(dialog, QStringLiteral("sup01716")), int(QDialog::Rejected));
    EXPECT_EQ(runs, 2);
}

TEST(ScriptedUiTest, UnscriptedOrUnfinishedModalDialogsFailAndAreRejected)
{
    ScriptedUi ui;
    SmallDialog dialog;
    int result = -1;
    EXPECT_NONFATAL_FAILURE(result = ui.execModal(dialog, QStringLiteral("SUP01713")),
                            "Unscripted modal dialog of screen SUP01713");
    EXPECT_EQ(result, int(QDialog::Rejected));

    ui.onModal(QStringLiteral("SUP01713"), [](QDialog&) {});
    EXPECT_NONFATAL_FAILURE(result = ui.execModal(dialog, QStringLiteral("SUP01713")),
                            "left its dialog open");
    EXPECT_EQ(result, int(QDialog::Rejected));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ScriptedUiTest, SearchAnswersPositionTheSourceOrCancel)
{
    ScriptedUi ui;
    DataSet buyers;
    loadBuyers(buyers);
    SearchRequest request{&buyers, QStringLiteral("CDOPERADOR"), QStringLiteral("Comprador")};

    ui.answerSearch(QStringLiteral("daniela.lima")).cancelNextSearch();
    EXPECT_TRUE(ui.Pesquisar(request));
    EXPECT_EQ(fieldText(buyers, "NMOPERADOR"), QStringLiteral("Daniela Souza Lima"));
    EXPECT_FALSE(ui.Pesquisar(request));
    EXPECT_EQ(fieldText(buyers, "CDOPERADOR"), QStringLiteral("DANIELA.LIMA"));

    // By another field than the key.
    ui.answerSearch(QStringLiteral("Carlos Eduardo Nunes"), QStringLiteral("NMOPERADOR"));
    EXPECT_TRUE(ui.Pesquisar(request));
    EXPECT_EQ(fieldText(buyers, "CDOPERADOR"), QStringLiteral("CARLOS.NUNES"));

    ASSERT_EQ(ui.searches().size(), 3);
    EXPECT_TRUE(ui.searches()[0].answered);
    EXPECT_FALSE(ui.searches()[1].answered);
    EXPECT_EQ(ui.searches()[2].title, QStringLiteral("Comprador"));

    ui.answerSearch(QStringLiteral("JOAO.NINGUEM"));
    EXPECT_NONFATAL_FAILURE(ui.Pesquisar(request), "No record with CDOPERADOR");
    EXPECT_NONFATAL_FAILURE(ui.Pesquisar(request), "Unexpected search \"Comprador\"");
}

TEST(ScriptedUiTest, EmptySourceShowsTheEmptyTextWithoutTakingAnAnswer)
{
    ScriptedUi ui;
    DataSet suppliers;
    suppliers.SetFieldDefs({FieldDef::text(QStringLiteral("CDFORNECED"), 21)});
    suppliers.CreateDataSet();

    EXPECT_FALSE(ui.Pesquisar({&suppliers, QStringLiteral("CDFORNECED"),
                               QStringLiteral("Fornecedor|Não há fornecedor cotado.")}));
    EXPECT_FALSE(ui.PesquisaLista({&suppliers, QStringLiteral("CDFORNECED"),
                                   QStringLiteral("Fornecedor Cotado"),
                                   QStringLiteral("Não há fornecedor cotado.")})
                     .has_value());
    EXPECT_EQ(ui.messageTexts(MessageKind::Information),
              QStringList({QStringLiteral("Não há fornecedor cotado."),
                           QStringLiteral("Não há fornecedor cotado.")}));
}

TEST(ScriptedUiTest, ListAnswersComeInTheSourcesOrder)
{
    ScriptedUi ui;
    DataSet regions;
    loadRegions(regions);
    MultiSearchRequest request{&regions, QStringLiteral("CDREGIAO"), QStringLiteral("Região")};
    request.chosen = QStringLiteral("_001_");

    ui.answerList(QStringLiteral("_005_002_")).answerList(QString()).cancelNextSearch();
    EXPECT_EQ(ui.PesquisaLista(request), std::optional<QString>(QStringLiteral("_002_005_")));
    EXPECT_EQ(ui.PesquisaLista(request), std::optional<QString>(QString()));
    EXPECT_EQ(ui.PesquisaLista(request), std::nullopt);
    ASSERT_EQ(ui.searches().size(), 3);
    EXPECT_EQ(ui.searches()[0].chosen, QStringLiteral("_001_"));

    ui.answerList(QStringLiteral("_002_099_"));
    EXPECT_NONFATAL_FAILURE(ui.PesquisaLista(request), "Codes not in the list");
    ui.answerSearch(QStringLiteral("002"));
    EXPECT_NONFATAL_FAILURE(ui.PesquisaLista(request), "single-choice answer");
}

TEST(ScriptedUiTest, TreeAnswersChooseProductsOnly)
{
    ScriptedUi ui;
    DataSet products;
    loadProducts(products);
    TreeSearchRequest request;
    request.source = &products;
    request.title = QStringLiteral("Produto");

    ui.answerSearch(QStringLiteral("0102001")).answerSearch(QStringLiteral("0000000004"));
    EXPECT_TRUE(ui.PesquisaArvore(request));
    EXPECT_EQ(fieldText(products, "NMPRODUTO"), QStringLiteral("ÓLEO DE SOJA REFINADO 900ML"));
    EXPECT_TRUE(ui.PesquisaArvore(request));
    EXPECT_EQ(fieldText(products, "CDARVPROD"), QStringLiteral("0101002"));

    ui.answerSearch(QStringLiteral("0101"));
    EXPECT_NONFATAL_FAILURE(ui.PesquisaArvore(request), "is a group of the product tree");
}

TEST(ScriptedUiTest, FindMovesToTheFirstRecordStartingWithTheValue)
{
    ScriptedUi ui;
    DataSet regions;
    loadRegions(regions);
    ui.answerSearch(QStringLiteral("rio"), QStringLiteral("NMREGIAO"))
        .answerSearch(QStringLiteral("Norte"), QStringLiteral("NMREGIAO"));
    EXPECT_TRUE(ui.Procura(regions, {}));
    EXPECT_EQ(fieldText(regions, "CDREGIAO"), QStringLiteral("003"));
    EXPECT_FALSE(ui.Procura(regions, {}));
    EXPECT_EQ(ui.lastMessage(), QStringLiteral("Registro não encontrado."));
    EXPECT_EQ(fieldText(regions, "CDREGIAO"), QStringLiteral("003"));
}

TEST(ScriptedUiTest, PasswordConfirmationsComeFromTheQueue)
{
    ScriptedUi ui;
    ui.confirmPassword(true).confirmPassword(false);
    EXPECT_TRUE(ui.CriaConfSenha(QStringLiteral("ANA.CARVALHO"), QStringLiteral("Confere Senha"),
                                 QStringLiteral("Comprador")));
    EXPECT_FALSE(ui.CriaConfSenha(QStringLiteral("CARLOS.NUNES")));
    ASSERT_EQ(ui.passwords().size(), 2);
    EXPECT_EQ(ui.passwords()[0].label, QStringLiteral("Comprador"));
    EXPECT_TRUE(ui.passwords()[0].confirmed);
    EXPECT_FALSE(ui.passwords()[1].confirmed);

    EXPECT_NONFATAL_FAILURE(ui.CriaConfSenha(QStringLiteral("ANA.CARVALHO")),
                            "Unexpected password confirmation");
}

TEST(ScriptedUiTest, BusyShowsAreStackedAndMustBalance)
{
    ScriptedUi ui;
    ui.busyShow(nullptr, 1, QStringLiteral("Recebendo cotações..."));
    ui.busyShow(nullptr, 6, QStringLiteral("Validando produto..."));
    EXPECT_EQ(ui.busyText(), QStringLiteral("Validando produto..."));
    ui.busyHide();
    EXPECT_EQ(ui.busyText(), QStringLiteral("Recebendo cotações..."));
    EXPECT_NONFATAL_FAILURE(ui.expectNoBusyShown(), "still shown");
    ui.busyHide();
    ui.expectNoBusyShown();
    EXPECT_NONFATAL_FAILURE(ui.busyHide(), "hidden while none was shown");

    ASSERT_EQ(ui.busyEvents().size(), 4);
    EXPECT_EQ(ui.busyEvents()[1].kind, 6);
    EXPECT_FALSE(ui.busyEvents()[2].shown);
    EXPECT_EQ(ui.busyEvents()[2].text, QStringLiteral("Validando produto..."));
}

TEST(ScriptedUiTest, ScreensOpenedByCodeAreRecordedAndRegisteredOnesRun)
{
    ScriptedUi ui;
    Halvore& session = Halvore::instance();
    session.reset();
    QVariantList received;
    session.registerScreen(QStringLiteral("SUP01803"),
                           [&](const QVariantList& values) { received = values; });

    session.LoadBPL(QStringLiteral("SUP07000"), {QStringLiteral("0000000012")});
    session.LoadBPL(QStringLiteral("SUP01803"), {true, QStringLiteral("0001")});

    ASSERT_EQ(ui.screens().size(), 2);
    EXPECT_EQ(ui.screens()[0].screen, QStringLiteral("SUP07000"));
    EXPECT_EQ(ui.screens()[0].values, QVariantList{QStringLiteral("0000000012")});
    EXPECT_EQ(received, (QVariantList{true, QStringLiteral("0001")}));
    EXPECT_TRUE(ui.messages().isEmpty());
    session.reset();
}

TEST(ScriptedUiTest, ShowMsgAsksTheTextOfTheKeyAndMsgAlertExOffersItsCaptions)
{
    ScriptedUi ui;
    ui.answerYes().answer(10);
    EXPECT_EQ(ShowMsg(Messages::base(), QStringLiteral("Canc")), mrYes);
    EXPECT_EQ(MsgAlertEx(QStringLiteral("Sem conexão."),
                         {{Messages::shared().Msg(QStringLiteral("Sim")), 10},
                          {Messages::shared().Msg(QStringLiteral("Nao")), mrNo}}),
              10);
    ASSERT_EQ(ui.questions().size(), 2);
    EXPECT_EQ(ui.questions()[0].text, QStringLiteral("Confirma o cancelamento das alterações?"));
    EXPECT_EQ(ui.questions()[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(ui.questions()[1].captions,
              QStringList({QStringLiteral("Sim"), QStringLiteral("Não")}));
    EXPECT_EQ(ui.questions()[1].kind, MessageKind::Error);
}
