// Handlers run inside the host's guard: an abort ends only its own handler after its
// message, other failures become error boxes, and nothing reaches Qt's event loop.

#include "UiTestData.h"

#include "support/ScriptedUi.h"

#include "host/ui/Guard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <stdexcept>

using namespace host;
using testsupport::ScriptedUi;

namespace {

struct TwoButtons
{
    TwoButtons()
    {
        auto* layout = new QVBoxLayout(&window);
        outer = new QPushButton(QStringLiteral("Confirmar"), &window);
        inner = new QPushButton(QStringLiteral("Validar"), &window);
        layout->addWidget(outer);
        layout->addWidget(inner);
        window.show();
    }
    QWidget window;
    QPushButton* outer;
    QPushButton* inner;
};

} // namespace

TEST(GuardTest, AbortInANestedHandlerEndsOnlyThatHandlerAfterItsMessage)
{
    ScriptedUi ui;
    TwoButtons form;
    QStringList steps;
    connectGuarded(form.inner, &QPushButton::clicked, &form.window, [&](bool) {
        steps << QStringLiteral("inner");
        MensErro(QStringLiteral("Comprador deve ser informado."));
        steps << QStringLiteral("inner after the abort");
    });
    connectGuarded(form.outer, &QPushButton::clicked, &form.window, [&](bool) {
        steps << QStringLiteral("outer");
        form.inner->click();
        steps << QStringLiteral("outer goes on");
    });

    QTest::mouseClick(form.outer, Qt::LeftButton);

    EXPECT_EQ(steps, QStringList({QStringLiteral("outer"), QStringLiteral("inner"),
                                  QStringLiteral("outer goes on")}));
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("Comprador deve ser informado."));
}

TEST(GuardTest, MensErroWithoutAbortLetsTheHandlerGoOn)
{
    ScriptedUi ui;
    TwoButtons form;
    bool finished = false;
    // A handler may leave out the signal's arguments, as with Qt's own connect.
    connectGuarded(form.outer, &QPushButton::clicked, &form.window, [&] {
        MensErro(QStringLiteral("Aviso ao comprador."), false);
        finished = true;
    });
    QTest::mouseClick(form.outer, Qt::LeftButton);
    EXPECT_TRUE(finished);
    EXPECT_EQ(ui.messageTexts(MessageKind::Error),
              QStringList{QStringLiteral("Aviso ao comprador.")});
}

TEST(GuardTest, OtherFailuresAreShownAsErrorBoxesAndStopAtTheHandler)
{
    ScriptedUi ui;
    TwoButtons form;
    int failure = 0;
    connectGuarded(form.outer, &QPushButton::clicked, &form.window, [&](bool) {
        switch (failure) {
        case 0:
            throw ERemote(QStringLiteral("Cotação alterada por outro operador."));
        case 1:
            throw std::runtime_error("disk full");
        default:
            throw 42;
        }
    });

    for (failure = 0; failure < 3; ++failure)
        QTest::mouseClick(form.outer, Qt::LeftButton);

    EXPECT_EQ(ui.messageTexts(MessageKind::Error),
              QStringList({QStringLiteral("Cotação alterada por outro operador."),
                           QStringLiteral("disk full"), QStringLiteral("Erro inesperado.")}));
}

TEST(GuardTest, AFailureInsideABusyScopeHidesTheAnimationBeforeTheErrorShows)
{
    ScriptedUi ui;
    guarded([&] {
        BusyScope outer(nullptr, QStringLiteral("Gravando cotação de preços no servidor..."));
        BusyScope inner(nullptr, QStringLiteral("Validando itens..."), 6);
        throw EConnectionLost(QStringLiteral("Conexão perdida."));
    });

    ui.expectNoBusyShown();
    ASSERT_EQ(ui.messages().size(), 1);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("Conexão perdida."));
    EXPECT_EQ(ui.messages()[0].busyDepth, 0);
    ASSERT_EQ(ui.busyEvents().size(), 4);
    EXPECT_EQ(ui.busyEvents()[2].text, QStringLiteral("Validando itens..."));
    EXPECT_FALSE(ui.busyEvents()[3].shown);
}

TEST(GuardTest, BusyScopeHiddenEarlyIsNotHiddenTwice)
{
    ScriptedUi ui;
    {
        BusyScope busy(nullptr, QStringLiteral("Recebendo regiões..."));
        busy.hide();
        ui.message(MessageKind::Error, QStringLiteral("Erro do servidor."));
    }
    ui.expectNoBusyShown();
    EXPECT_EQ(ui.busyEvents().size(), 2);
    EXPECT_EQ(ui.messages()[0].busyDepth, 0);
}
