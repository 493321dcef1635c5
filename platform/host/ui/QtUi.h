#pragma once

#include "Ui.h"

#include <memory>

namespace host {

namespace Internal {
class BusyPanel;
}

// The desktop's Ui: Qt message boxes with Portuguese captions, the host's search and
// password dialogs, the busy panel and the screens registered in the session (Halvore).
// Needs a QApplication. Each modal window it shows hides the busy panel and the wait
// cursor while a person answers, and brings them back afterwards.
class QtUi final : public Ui
{
public:
    QtUi();
    ~QtUi() override;

    void message(MessageKind kind, const QString& text, QWidget* parent = nullptr) override;
    int ask(MessageKind kind, const QString& text, MessageButtons buttons,
            QWidget* parent = nullptr) override;
    int alert(MessageKind kind, const QString& text, const QList<AlertButton>& buttons,
              QWidget* parent = nullptr) override;
    int execModal(QDialog& dialog, const QString& screenCode) override;

    bool Pesquisar(const SearchRequest& request) override;
    std::optional<QString> PesquisaLista(const MultiSearchRequest& request) override;
    bool PesquisaArvore(const TreeSearchRequest& request) override;
    bool Procura(DataSet& source, const QStringList& columns, QWidget* parent = nullptr) override;
    bool CriaConfSenha(const QString& operatorCode, QWidget* parent = nullptr) override;
    bool CriaConfSenha(const QString& operatorCode, const QString& title, const QString& label,
                       QWidget* parent = nullptr) override;

    void busyShow(QWidget* form, int kind, const QString& text) override;
    void busyHide() override;
    // Depth of the busy shows and the text on top (for the application's own checks).
    int busyDepth() const;
    QString busyText() const;

    void loadScreen(const QString& screenCode, const QVariantList& values) override;

private:
    class ModalScope;
    int showBox(MessageKind kind, const QString& text, const QList<AlertButton>& buttons,
                int escapeIndex, QWidget* parent);
    Internal::BusyPanel& busyPanel();

    std::unique_ptr<Internal::BusyPanel> m_busy;
};

} // namespace host
