// Tab pages, flat and search buttons, enabling a group, pictures in cells and colours.

#include "GridTestSupport.h"
#include "host/ui/Guard.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/CellImage.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/SetChildEnabled.h"
#include "host/widgets/SystemColors.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QTabBar>

using namespace host;

namespace {

class PageControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        pages = new TPageControl(&window);
        layout->addWidget(pages);
        entry = pages->AddPage(new TTabSheet(QStringLiteral("Inclusão de Cotação")));
        list = pages->AddPage(new TTabSheet(QStringLiteral("Cotação")));
        worksheet = pages->AddPage(new TTabSheet(QStringLiteral("Produtos Cotados")));
        entry->SetTabVisible(false);
        pages->SetActivePage(list);
        pages->OnChanging = [this](TTabSheet* target, bool& allow) {
            log.append(QStringLiteral("changing:") + target->Caption() + QStringLiteral(" from:") +
                       pages->ActivePage()->Caption());
            allow = allowChange;
            if (failChange)
                MensErro(QStringLiteral("Esta cotação pertence a outro comprador."));
        };
        pages->OnChange = [this] {
            log.append(QStringLiteral("change:") + pages->ActivePage()->Caption());
        };
        showActive(window);
    }

    void clickTab(TTabSheet* page)
    {
        QTabBar* bar = pages->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page->PageIndex()).center());
    }

    RecordingUi ui;
    QWidget window;
    TPageControl* pages = nullptr;
    TTabSheet* entry = nullptr;
    TTabSheet* list = nullptr;
    TTabSheet* worksheet = nullptr;
    QStringList log;
    bool allowChange = true;
    bool failChange = false;
};

} // namespace

TEST_F(PageControlTest, ProgramChangesFireNoEvents)
{
    EXPECT_EQ(pages->ActivePage(), list);
    pages->SetActivePage(worksheet);
    EXPECT_EQ(pages->ActivePage(), worksheet);
    // A hidden tab's page can still be activated by the program.
    pages->SetActivePage(entry);
    EXPECT_EQ(pages->ActivePage(), entry);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(PageControlTest, UserChangeAsksFirstThenTells)
{
    clickTab(worksheet);
    EXPECT_EQ(pages->ActivePage(), worksheet);
    EXPECT_EQ(log,
              (QStringList{"changing:Produtos Cotados from:Cotação", "change:Produtos Cotados"}));
}

TEST_F(PageControlTest, RefusedOrFailedChangeKeepsThePage)
{
    allowChange = false;
    clickTab(worksheet);
    EXPECT_EQ(pages->ActivePage(), list);
    EXPECT_EQ(pages->tabBar()->currentIndex(), list->PageIndex());

    allowChange = true;
    failChange = true;
    clickTab(worksheet);
    EXPECT_EQ(pages->ActivePage(), list);
    EXPECT_EQ(pages->tabBar()->currentIndex(), list->PageIndex());
    EXPECT_EQ(ui.texts(), QStringList{"Esta cotação pertence a outro comprador."});
    EXPECT_EQ(log.filter(QStringLiteral("change:")).size(), 0);
}

TEST_F(PageControlTest, HiddenAndDisabledTabsAreOutOfReach)
{
    EXPECT_FALSE(pages->tabBar()->isTabVisible(entry->PageIndex()));
    EXPECT_FALSE(pages->SelectPage(entry));

    worksheet->SetEnabled(false);
    EXPECT_FALSE(worksheet->isEnabled());
    EXPECT_FALSE(pages->tabBar()->isTabEnabled(worksheet->PageIndex()));
    clickTab(worksheet);
    EXPECT_EQ(pages->ActivePage(), list);
    EXPECT_TRUE(log.isEmpty());

    worksheet->SetEnabled(true);
    EXPECT_TRUE(pages->SelectPage(worksheet));
    EXPECT_EQ(pages->ActivePage(), worksheet);

    // Disabling the page shown keeps it shown (its controls go grey), without events.
    log.clear();
    worksheet->SetEnabled(false);
    EXPECT_EQ(pages->ActivePage(), worksheet);
    EXPECT_TRUE(log.isEmpty());
    worksheet->SetEnabled(true);

    // Hiding the active page's tab shows another page, without events.
    log.clear();
    worksheet->SetTabVisible(false);
    EXPECT_NE(pages->ActivePage(), worksheet);
    EXPECT_TRUE(pages->ActivePage()->TabVisible());
    EXPECT_TRUE(log.isEmpty());

    entry->SetTabVisible(true);
    EXPECT_TRUE(pages->tabBar()->isTabVisible(entry->PageIndex()));
    EXPECT_EQ(entry->Caption(), "Inclusão de Cotação");
}

// --- buttons -------------------------------------------------------------------------

TEST(BtnPesquisaTest, RunsBeforeSearchAfterInOrder)
{
    RecordingUi ui;
    TBtnPesquisa button;
    QStringList steps;
    button.BeforePesq = [&] { steps.append(QStringLiteral("before")); };
    button.OnPesquisa = [&] {
        steps.append(QStringLiteral("search"));
        return true;
    };
    button.AfterPesq = [&] { steps.append(QStringLiteral("after")); };
    button.click();
    EXPECT_EQ(steps, (QStringList{"before", "search", "after"}));
    EXPECT_EQ(button.toolTip(), "Pesquisar");
}

TEST(BtnPesquisaTest, NothingChosenOrAFailureStopsTheRest)
{
    RecordingUi ui;
    TBtnPesquisa button;
    QStringList steps;
    bool failBefore = false;
    button.BeforePesq = [&] {
        steps.append(QStringLiteral("before"));
        if (failBefore)
            MensErro(QStringLiteral("Não há produto cadastrado."));
    };
    button.OnPesquisa = [&] {
        steps.append(QStringLiteral("search"));
        return false;
    };
    button.AfterPesq = [&] { steps.append(QStringLiteral("after")); };

    button.click();
    EXPECT_EQ(steps, (QStringList{"before", "search"}));

    steps.clear();
    failBefore = true;
    button.click();
    EXPECT_EQ(steps, QStringList{"before"});
    EXPECT_EQ(ui.texts(), QStringList{"Não há produto cadastrado."});
}

TEST(BtnPesquisaTest, SearchThroughTheHostsDialog)
{
    RecordingUi ui;
    DataSet buyers;
    TBtnPesquisa button;
    SearchRequest request;
    request.source = &buyers;
    request.keyField = QStringLiteral("CDOPERADOR");
    request.title = QStringLiteral("Comprador");
    button.SetSearch(request);
    int after = 0;
    button.AfterPesq = [&] { ++after; };

    button.click();
    ASSERT_EQ(ui.searches.size(), 1);
    EXPECT_EQ(ui.searches[0].source, &buyers);
    EXPECT_EQ(ui.searches[0].title, "Comprador");
    EXPECT_EQ(after, 1);

    ui.searchResult = false;
    button.click();
    EXPECT_EQ(after, 1);
}

TEST(ButtonFlatTest, ClickRunsGuarded)
{
    RecordingUi ui;
    TButtonFlat button;
    EXPECT_TRUE(button.autoRaise());
    EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
    button.OnClick = [] { throw EDatabaseError(QStringLiteral("falhou")); };
    button.click(); // nothing escapes
    EXPECT_EQ(ui.texts(), QStringList{"falhou"});
}

// --- helpers -------------------------------------------------------------------------

TEST(SetChildEnabledTest, ContainerAndEverythingInside)
{
    QGroupBox group;
    auto* layout = new QVBoxLayout(&group);
    auto* check = new QCheckBox(&group);
    auto* inner = new QWidget(&group);
    auto* deep = new QLineEdit(inner);
    layout->addWidget(check);
    layout->addWidget(inner);

    SetChildEnabled(&group, false);
    EXPECT_FALSE(group.isEnabled());
    EXPECT_FALSE(check->isEnabled());
    EXPECT_FALSE(deep->isEnabled());
    SetChildEnabled(&group, true);
    EXPECT_TRUE(check->isEnabled());
    EXPECT_TRUE(deep->isEnabled());
    EXPECT_FALSE(deep->testAttribute(Qt::WA_ForceDisabled));
}

TEST(CellImageTest, TheTransparentColourIsLeftOut)
{
    const QColor transparent = TColorToQColor(0x008080);
    EXPECT_EQ(transparent, QColor(128, 128, 0));
    EXPECT_EQ(TColorToQColor(32896), transparent);

    // A 4×4 picture: its left half in the transparent colour, its right half red.
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(transparent);
    for (int y = 0; y < 4; ++y)
        for (int x = 2; x < 4; ++x)
            picture.setPixelColor(x, y, Qt::red);

    QImage cell(20, 10, QImage::Format_ARGB32);
    cell.fill(Qt::white);
    {
        QPainter painter(&cell);
        InsereImagem(painter, QRect(0, 0, 20, 10), picture, transparent);
    }
    // Centred: the picture covers x 8..11, y 3..6.
    EXPECT_EQ(cell.pixelColor(8, 4), QColor(Qt::white));
    EXPECT_EQ(cell.pixelColor(9, 5), QColor(Qt::white));
    EXPECT_EQ(cell.pixelColor(10, 4), QColor(Qt::red));
    EXPECT_EQ(cell.pixelColor(11, 6), QColor(Qt::red));
    EXPECT_EQ(cell.pixelColor(12, 4), QColor(Qt::white));
    EXPECT_EQ(cell.pixelColor(10, 2), QColor(Qt::white));
}

TEST(SystemColorsTest, InfoBackgroundIsTheHintBackground)
{
    EXPECT_EQ(clInfoBk(), QApplication::palette().color(QPalette::Active, QPalette::ToolTipBase));
    EXPECT_EQ(clBtnFace(), QApplication::palette().color(QPalette::Active, QPalette::Button));
}
