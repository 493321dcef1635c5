// The real message boxes, the busy panel and the opening of other screens.

#include "QtUiFixture.h"

#include "host/ui/Guard.h"

#include <QLabel>
#include <QTest>

using namespace host;

namespace {

QWidget* busyPanel()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("panBusy"))
            return w;
    return nullptr;
}

QString busyLabel()
{
    QWidget* panel = busyPanel();
    auto* label = panel ? panel->findChild<QLabel*>(QStringLiteral("lblBusy")) : nullptr;
    return label ? label->text() : QString();
}

int overrideShape()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor ? int(cursor->shape()) : -1;
}

// Counts the paintings of a widget.
class PaintCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

TEST_F(QtUiTest, MessageBoxesHavePortugueseTitlesAndButtons)
{
    QString title, text;
    answerNextBox(QStringLiteral("OK"), &title, &text);
    ui.message(MessageKind::Error, QStringLiteral("Comprador não cadastrado."));
    EXPECT_EQ(title, QStringLiteral("Erro"));
    EXPECT_EQ(text, QStringLiteral("Comprador não cadastrado."));

    answerNextBox(QStringLiteral("Não"), &title);
    EXPECT_EQ(ui.ask(MessageKind::Confirmation, QStringLiteral("Confirma a exclusão do registro?"),
                     MessageButtons::YesNo),
              mrNo);
    EXPECT_EQ(title, QStringLiteral("Confirmação"));

    answerNextBox(QStringLiteral("Sim"));
    EXPECT_EQ(
        ui.ask(MessageKind::Warning, QStringLiteral("Deseja gravar?"), MessageButtons::YesNoCancel),
        mrYes);
    answerNextBox(QStringLiteral("Cancelar"), &title);
    EXPECT_EQ(
        ui.ask(MessageKind::Warning, QStringLiteral("Deseja gravar?"), MessageButtons::YesNoCancel),
        mrCancel);
    EXPECT_EQ(title, QStringLiteral("Atenção"));
}

TEST_F(QtUiTest, AlertAnswersTheCodeOfTheClickedCaptionAndEscapeTakesTheLast)
{
    const QList<AlertButton> buttons{{QStringLiteral("Sim"), 10}, {QStringLiteral("Não"), 11}};
    answerNextBox(QStringLiteral("Sim"));
    EXPECT_EQ(ui.alert(MessageKind::Error, QStringLiteral("Restabelecer a conexão?"), buttons), 10);

    testsupport::whenModalShown([](QWidget& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(ui.alert(MessageKind::Error, QStringLiteral("Restabelecer a conexão?"), buttons), 11);
}

TEST_F(QtUiTest, ExecModalAnswersTheDialogsResult)
{
    QDialog dialog;
    testsupport::whenModalShown([](QWidget& modal) { static_cast<QDialog&>(modal).accept(); });
    EXPECT_EQ(ui.execModal(dialog, QStringLiteral("SUP01711")), int(QDialog::Accepted));
}

TEST_F(QtUiTest, BusyPanelIsPaintedBeforeTheCallAndStacksItsTexts)
{
    QWidget form;
    form.resize(600, 400);
    form.show();

    ui.busyShow(&form, 1, QStringLiteral("Recebendo cotações de preços do servidor..."));
    QWidget* panel = busyPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(overrideShape(), int(Qt::WaitCursor));
    EXPECT_EQ(busyLabel(), QStringLiteral("Recebendo cotações de preços do servidor..."));

    // A nested show paints its text at once, without the event loop running.
    PaintCounter paints;
    panel->installEventFilter(&paints);
    ui.busyShow(&form, 6, QStringLiteral("Validando produto no servidor..."));
    EXPECT_GT(paints.count, 0);
    EXPECT_EQ(busyLabel(), QStringLiteral("Validando produto no servidor..."));
    EXPECT_EQ(ui.busyDepth(), 2);
    panel->removeEventFilter(&paints);

    ui.busyHide();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(busyLabel(), QStringLiteral("Recebendo cotações de preços do servidor..."));
    ui.busyHide();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Centred over the form.
    ui.busyShow(&form, 1, QStringLiteral("Aguarde"));
    EXPECT_LE((panel->frameGeometry().center() - form.frameGeometry().center()).manhattanLength(),
              2);
    ui.busyHide();

    ui.busyHide(); // one hide too many changes nothing
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtUiTest, FirstShowPaintsThePanelBeforeReturning)
{
    ui.busyShow(nullptr, 1, QStringLiteral("Gravando..."));
    QWidget* panel = busyPanel();
    ASSERT_NE(panel, nullptr);
    ui.busyHide();
    PaintCounter paints;
    panel->installEventFilter(&paints);
    ui.busyShow(nullptr, 1, QStringLiteral("Gravando de novo..."));
    EXPECT_GT(paints.count, 0);
    EXPECT_TRUE(panel->windowHandle() && panel->windowHandle()->isExposed());
    panel->removeEventFilter(&paints);
    ui.busyHide();
}

TEST_F(QtUiTest, AModalWindowSuspendsThePanelAndTheWaitCursor)
{
    ui.busyShow(nullptr, 1, QStringLiteral("Gravando cotação de preços no servidor..."));
    bool panelShownDuringBox = true;
    int cursorDuringBox = -1;
    testsupport::whenModalShown([&](QWidget& box) {
        panelShownDuringBox = busyPanel()->isVisible();
        cursorDuringBox = overrideShape();
        testsupport::clickBoxButton(box, QStringLiteral("OK"));
    });
    ui.message(MessageKind::Error, QStringLiteral("Erro ao gravar."));

    EXPECT_FALSE(panelShownDuringBox);
    EXPECT_EQ(cursorDuringBox, int(Qt::ArrowCursor));
    EXPECT_TRUE(busyPanel()->isVisible());
    EXPECT_EQ(overrideShape(), int(Qt::WaitCursor));
    ui.busyHide();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtUiTest, AFailureInsideABusyScopeLeavesNoPanelAndNoWaitCursor)
{
    try {
        BusyScope outer(nullptr, QStringLiteral("Recebendo regiões da cotação de preços..."));
        BusyScope inner(nullptr, QStringLiteral("Recebendo cotações de preços..."));
        ASSERT_EQ(ui.busyDepth(), 2);
        throw ERemote(QStringLiteral("Falha no servidor."));
    } catch (const ERemote&) {
    }
    EXPECT_EQ(ui.busyDepth(), 0);
    EXPECT_FALSE(busyPanel()->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtUiTest, LoadBplOpensRegisteredScreensAndTellsWhenOneIsMissing)
{
    Halvore& session = Halvore::instance();
    QVariantList received;
    session.registerScreen(QStringLiteral("SUP01717"),
                           [&](const QVariantList& values) { received = values; });
    session.LoadBPL(QStringLiteral("SUP01717"), {QStringLiteral("L"), QStringLiteral("00002")});
    EXPECT_EQ(received, (QVariantList{QStringLiteral("L"), QStringLiteral("00002")}));

    QString title, text;
    answerNextBox(QStringLiteral("OK"), &title, &text);
    session.LoadBPL(QStringLiteral("SUP07000"), {QStringLiteral("0000000003")});
    EXPECT_EQ(text, QStringLiteral("Tela SUP07000 não disponível."));
    EXPECT_EQ(title, QStringLiteral("Informação"));
}
