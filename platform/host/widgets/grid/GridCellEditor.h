#pragma once

#include "host/widgets/MaskEdit.h"

class QToolButton;

namespace host::internal {

// The in-place editor of a grid cell: the field's text under its edit mask, and — for a
// column that has one — the ellipsis button at the right.
class GridCellEditor : public TMaskEdit
{
    Q_OBJECT
public:
    explicit GridCellEditor(QWidget* parent = nullptr);

    void setButtonVisible(bool visible);
    bool buttonVisible() const;
    QToolButton* button() const { return m_button; }

Q_SIGNALS:
    void buttonClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeButton();

    QToolButton* m_button;
};

} // namespace host::internal
