#pragma once

#include "EditMask.h"

#include <QLineEdit>

namespace host {

// A line edit with an edit mask in the screens' notation ("999;0; ", "99.99.999", ...).
// Text() is the value as the screens store it: without the literals when the mask says
// so ("99.999.999/9999-99;0;_" gives "11222333000181"), with them otherwise.
class TMaskEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TMaskEdit(QWidget* parent = nullptr);

    // Empty: no mask (free text).
    void SetEditMask(const QString& mask);
    const QString& EditMaskText() const { return m_mask.source(); }
    const EditMask& editMask() const { return m_mask; }

    // The value (see EditMask::valueOf); without a mask, the plain text.
    QString Text() const;
    // Shows a value, with or without its literals.
    void SetText(const QString& value);
    // Nothing typed.
    bool IsEmpty() const { return Text().trimmed().isEmpty(); }

Q_SIGNALS:
    // The focus went to another control of the window (the field's OnExit), whether the
    // text changed or not; not when a message box or a popup takes it for a while.
    void exited();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    EditMask m_mask;
};

} // namespace host
