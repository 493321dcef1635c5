#include "GridCellEditor.h"

#include <QToolButton>

namespace host::internal {

GridCellEditor::GridCellEditor(QWidget* parent) : TMaskEdit(parent), m_button(new QToolButton(this))
{
    setFrame(false);
    m_button->setText(QStringLiteral("…"));
    m_button->setToolTip(QStringLiteral("Pesquisar"));
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->hide();
    connect(m_button, &QToolButton::clicked, this, &GridCellEditor::buttonClicked);
}

void GridCellEditor::setButtonVisible(bool visible)
{
    m_button->setVisible(visible);
    placeButton();
}

bool GridCellEditor::buttonVisible() const
{
    return !m_button->isHidden();
}

void GridCellEditor::resizeEvent(QResizeEvent* event)
{
    TMaskEdit::resizeEvent(event);
    placeButton();
}

void GridCellEditor::placeButton()
{
    const int side = height();
    m_button->setGeometry(width() - side, 0, side, side);
    setTextMargins(0, 0, buttonVisible() ? side : 0, 0);
}

} // namespace host::internal
