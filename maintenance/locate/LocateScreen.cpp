#include "LocateScreen.h"

#include "host/pivot/NewDecisionGrid.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/ui/Ui.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QtDebug>
#include <algorithm>
#include <functional>

namespace module {

namespace {

const QString kScreen = QStringLiteral("SUP01717");

// The product-and-brand label of the worksheet's rows:
// NAME¤¤<product code, 10>¥¥<brand code, 5>¤¤BRAND NAME.
const QString kCodeSeparator = QStringLiteral("¤¤");
const QString kBrandSeparator = QStringLiteral("¥¥");
constexpr int kProductCodeLength = 10;
constexpr int kBrandCodeLength = 5;

QPointer<TfrmLocaliza> g_frmLocaliza;

// The text as the buyer compares it: without accents, in one case.
QString folded(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString plain;
    plain.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            plain.append(c);
    return plain.toCaseFolded();
}

// The code part of a label that starts right after `separator`; empty when the label has
// no such part.
QString codePart(const QString& label, const QString& separator, int length)
{
    const qsizetype at = label.indexOf(separator);
    return at < 0 ? QString() : label.mid(at + separator.size(), length);
}

using LabelTest = std::function<bool(const QString& label)>;

// First row (not a sum line) from `from` to the end, then from the top up to `from`,
// with a label cell that passes the test; -1 when none does.
int findRow(const host::TNewDecisionGrid& grid, int from, const LabelTest& matches)
{
    const int rows = grid.DataRowCount();
    const int labelCols = grid.FixedCols();
    for (int step = 0; step < rows; ++step) {
        const int row = (from + step) % rows;
        if (grid.IsSumRow(row))
            continue;
        for (int col = -labelCols; col < 0; ++col) {
            const QString label = grid.Cells(col, row);
            if (!label.isEmpty() && matches(label))
                return row;
        }
    }
    return -1;
}

bool moveToRow(host::TNewDecisionGrid& grid, int row)
{
    if (row < 0)
        return false;
    return grid.GotoCell(std::max(grid.Col(), 0), row);
}

host::TNewDecisionGrid* gridOf(const QVariant& value)
{
    return qobject_cast<host::TNewDecisionGrid*>(value.value<QObject*>());
}

void openFindWindow(host::TNewDecisionGrid* grid)
{
    if (!g_frmLocaliza)
        g_frmLocaliza = new TfrmLocaliza(grid->window());
    TfrmLocaliza& window = *g_frmLocaliza;
    window.setGrid(grid);
    window.show();
    window.raise();
    window.activateWindow();
    window.edtProcura->setFocus();
    window.edtProcura->selectAll();
}

} // namespace

bool LocalizaTexto(host::TNewDecisionGrid& grid, const QString& text)
{
    const QString wanted = folded(text);
    if (wanted.trimmed().isEmpty() || grid.DataRowCount() == 0)
        return false;
    const int from = grid.Row() + 1; // the first row when the grid has none current
    return moveToRow(grid, findRow(grid, from, [&wanted](const QString& label) {
                         return folded(label).contains(wanted);
                     }));
}

bool LocalizaCodigo(host::TNewDecisionGrid& grid, const QString& code, int startRow)
{
    const int rows = grid.DataRowCount();
    if (code.isEmpty() || rows == 0)
        return false;
    LabelTest matches;
    if (code.size() == kProductCodeLength)
        matches = [&code](const QString& label) {
            return codePart(label, kCodeSeparator, kProductCodeLength)
                .contains(code, Qt::CaseInsensitive);
        };
    else if (code.size() == kBrandCodeLength)
        matches = [&code](const QString& label) {
            return codePart(label, kBrandSeparator, kBrandCodeLength)
                .contains(code, Qt::CaseInsensitive);
        };
    else
        matches = [&code](const QString& label) {
            return label.contains(code, Qt::CaseInsensitive);
        };
    return moveToRow(grid, findRow(grid, std::clamp(startRow, 0, rows - 1), matches));
}

// --- the find window -------------------------------------------------------------------

TfrmLocaliza::TfrmLocaliza(QWidget* parent) : host::TfrmRotiGeral(kScreen, QString(), parent)
{
    setWindowTitle(msgPadrao.Msg(QStringLiteral("Caption")));
    setModal(false);
    setKeptOnClose(true);
    // The search has one command of its own; the window's close button (or Escape)
    // closes it.
    sbtConfirma->hide();
    sbtCancel->hide();

    auto* panProcura = new QWidget(clientArea());
    panProcura->setObjectName(QStringLiteral("panProcura"));
    auto* row = new QHBoxLayout(panProcura);
    row->setContentsMargins(0, 0, 0, 0);
    auto* lblProcura = new QLabel(msgPadrao.Msg(QStringLiteral("Lbl_Procura")), panProcura);
    lblProcura->setObjectName(QStringLiteral("lblProcura"));
    edtProcura = new QLineEdit(panProcura);
    edtProcura->setObjectName(QStringLiteral("edtProcura"));
    lblProcura->setBuddy(edtProcura);
    sbtProximo = new QToolButton(panProcura);
    sbtProximo->setObjectName(QStringLiteral("sbtProximo"));
    sbtProximo->setText(msgPadrao.Msg(QStringLiteral("Btn_Proximo")));
    sbtProximo->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    sbtProximo->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    row->addWidget(lblProcura);
    row->addWidget(edtProcura, 1);
    row->addWidget(sbtProximo);
    clientLayout()->addWidget(panProcura);
    host::connectGuarded(sbtProximo, &QToolButton::clicked, this, [this] { LocalizaProximo(); });
    resize(460, sizeHint().height());
}

TfrmLocaliza::~TfrmLocaliza() = default;

void TfrmLocaliza::setGrid(host::TNewDecisionGrid* grid)
{
    m_grid = grid;
}

bool TfrmLocaliza::LocalizaProximo()
{
    const QString text = edtProcura->text();
    if (!m_grid || text.trimmed().isEmpty())
        return false;
    if (LocalizaTexto(*m_grid, text))
        return true;
    host::Ui::current().message(host::MessageKind::Information,
                                msgPadrao.Msg(QStringLiteral("Nao_Encontrado")), this);
    return false;
}

void TfrmLocaliza::keyPressEvent(QKeyEvent* event)
{
    // Enter finds the next row, wherever the focus is in the window.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        host::guarded([this] { LocalizaProximo(); });
        event->accept();
        return;
    }
    host::TfrmRotiGeral::keyPressEvent(event);
}

// --- the screen --------------------------------------------------------------------------

void CriaLocaliza(const QVariantList& values)
{
    const QString mode = values.value(0).toString().trimmed().toUpper();
    if (mode == QLatin1String("P")) {
        host::TNewDecisionGrid* grid = values.size() == 4 ? gridOf(values.at(1)) : nullptr;
        if (!grid) {
            qWarning() << kScreen << "find window: expected {\"P\", grid, -1, true}, got" << values;
            return;
        }
        openFindWindow(grid);
        return;
    }
    if (mode == QLatin1String("L")) {
        host::TNewDecisionGrid* grid = values.size() == 6 ? gridOf(values.at(3)) : nullptr;
        bool numeric = false;
        const int startRow = values.value(5).toInt(&numeric);
        if (!grid || !numeric) {
            qWarning() << kScreen << "locate: expected {\"L\", code, \"4\", grid, -1, row}, got"
                       << values;
            return;
        }
        LocalizaCodigo(*grid, values.at(1).toString(), startRow);
        return;
    }
    qWarning() << kScreen << "unknown mode" << values.value(0);
}

TfrmLocaliza* frmLocaliza()
{
    return g_frmLocaliza.data();
}

void registerLocateScreen()
{
    host::Halvore::instance().registerScreen(kScreen, &CriaLocaliza);
}

} // namespace module
