#include "Buttons.h"

#include "host/ui/Guard.h"

#include <QPainter>

namespace host {
namespace {

// A magnifying glass for the search buttons.
QIcon searchIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1.6));
    p.setBrush(QColor(200, 225, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(QColor(40, 40, 40), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    return QIcon(pixmap);
}

} // namespace

TButtonFlat::TButtonFlat(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QToolButton::clicked, this, [this] {
        if (const std::function<void()> handler = OnClick)
            guarded(handler);
    });
}

TBtnPesquisa::TBtnPesquisa(QWidget* parent) : TButtonFlat(parent)
{
    setIcon(searchIcon());
    setToolTip(QStringLiteral("Pesquisar"));
    OnClick = [this] { Execute(); };
}

void TBtnPesquisa::SetSearch(const SearchRequest& request)
{
    OnPesquisa = [request] { return Ui::current().Pesquisar(request); };
}

void TBtnPesquisa::SetTreeSearch(const TreeSearchRequest& request)
{
    OnPesquisa = [request] { return Ui::current().PesquisaArvore(request); };
}

bool TBtnPesquisa::Execute()
{
    if (BeforePesq)
        BeforePesq();
    const bool chosen = OnPesquisa && OnPesquisa();
    if (chosen && AfterPesq)
        AfterPesq();
    return chosen;
}

} // namespace host
