// Moving in the worksheet with the keyboard: the selection steps over the sum lines, never
// lands on the grand totals, and End does nothing.

#include "Worksheet.h"

#include "module/entry/Cli_Sup01700.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <utility>

namespace module {

bool Worksheet::degCotacaoKeyDown(QKeyEvent& event)
{
    using namespace Cli_Sup01700;
    // The selection as the grid has it (a key sent again works ahead of the grid).
    const QScopedValueRollback<int> depth(m_keyDepth, m_keyDepth + 1);
    if (m_keyDepth == 1 && degCotacao->Row() >= 0) {
        ActiveRow = degCotacao->Row();
        ActiveCol = degCotacao->Col();
    }
    const int key = event.key();
    if (key == Qt::Key_Space)
        m_spaceOnGrid = true;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        degCotacaoDblClick();
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        return stepsOverSum(event, true, -1);
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        return stepsOverSum(event, true, +1);
    case Qt::Key_End:
        return true;
    case Qt::Key_Left:
        return stepsOverSum(event, false, -1);
    case Qt::Key_Right:
        return stepsOverSum(event, false, +1);
    case Qt::Key_Tab:
        if (!(event.modifiers() & Qt::ShiftModifier))
            return stepsOverSum(event, false, +1);
        return false;
    default:
        return false;
    }
}

// The line one step away is a sum line: the key is discarded when that is the last line
// (the grand total); otherwise the same key is sent once more, so that together they
// step over it. True when the key is used up.
bool Worksheet::stepsOverSum(const QKeyEvent& event, bool vertical, int step)
{
    int& position = vertical ? Cli_Sup01700::ActiveRow : Cli_Sup01700::ActiveCol;
    const int next = position + step;
    if (!(vertical ? degCotacao->IsSumRow(next) : degCotacao->IsSumCol(next)))
        return false;
    const int last = (vertical ? degCotacao->DataRowCount() : degCotacao->DataColCount()) - 1;
    if (next == last)
        return true;
    position = next;
    degCotacao->SendKey(event.key(), event.modifiers(), event.text());
    return false;
}

void Worksheet::degCotacaoKeyUp(QKeyEvent& event)
{
    // Releasing the space bar loads the selected item's history again.
    // The history command's short cut took the press when it did not reach the grid.
    if (event.key() == Qt::Key_Space && std::exchange(m_spaceOnGrid, false))
        sbtHistoricoClick();
}

void Worksheet::degCotacaoTopLeftChanged()
{
    stCdProdAnterior.clear();
    degCotacao->viewport()->update();
}

} // namespace module
