#pragma once

#include "TfrmRotiGeral.h"

#include "host/ui/OptionStore.h"

class QGroupBox;

namespace host {

class TButtonFlat;

// Base of the filter dialogs: a dialog whose filter group (grbFiltro) the form fills, and
// two buttons that save and load the person's chosen options of the screen through the
// session's option store. The base keeps the list of name=value options; a form puts its
// own values into it before the base saves (putOptions) and reads them back after the
// base loads (takeOptions).
class TfrmFiltroPadrao : public TfrmRotiGeral
{
    Q_OBJECT
public:
    TfrmFiltroPadrao(const QString& screenCode, const QString& caption, QWidget* parent = nullptr);

    QGroupBox* grbFiltro = nullptr;
    TButtonFlat* btfSaveOpc = nullptr;
    TButtonFlat* btfLoadOpc = nullptr;

    // The options as last saved or loaded.
    const OptionList& options() const { return m_options; }

protected:
    // "Salvar Opções": the form's values go into the list, which is then saved for the
    // screen and the operator.
    virtual void btfSaveOpcClick();
    // "Carregar Opções": the saved list is read and handed to the form; when nothing was
    // saved yet the person is told so and the form keeps its values.
    virtual void btfLoadOpcClick();

    // The form's values into the options, before they are saved.
    virtual void putOptions(OptionList& options);
    // The form's values from the options just loaded.
    virtual void takeOptions(const OptionList& options);

private:
    OptionList m_options;
};

} // namespace host
