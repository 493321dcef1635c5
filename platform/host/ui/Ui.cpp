#include "Ui.h"

#include "host/core/Exceptions.h"

#include <QtGlobal>

namespace host {

namespace {

// Until the application installs its Ui, whatever would wait on a person is refused
// loudly instead of blocking a program that has no one to ask.
class NoUi final : public Ui
{
public:
    void message(MessageKind, const QString& text, QWidget*) override
    {
        qWarning("%s", qPrintable(text));
    }
    int ask(MessageKind, const QString& text, MessageButtons, QWidget*) override { refuse(text); }
    int alert(MessageKind, const QString& text, const QList<AlertButton>&, QWidget*) override
    {
        refuse(text);
    }
    int execModal(QDialog&, const QString& screenCode) override { refuse(screenCode); }
    bool Pesquisar(const SearchRequest& r) override { refuse(r.title); }
    std::optional<QString> PesquisaLista(const MultiSearchRequest& r) override { refuse(r.title); }
    bool PesquisaArvore(const TreeSearchRequest& r) override { refuse(r.title); }
    bool Procura(DataSet&, const QStringList&, QWidget*) override { refuse(QString()); }
    bool CriaConfSenha(const QString& op, QWidget*) override { refuse(op); }
    void busyShow(QWidget*, int, const QString&) override {}
    void busyHide() override {}
    void loadScreen(const QString& code, const QVariantList&) override { refuse(code); }

private:
    [[noreturn]] static void refuse(const QString& what)
    {
        throw Exception(
            QStringLiteral("Nenhuma interface com o usuário disponível (%1).").arg(what));
    }
};

Ui*& currentUi()
{
    static NoUi none;
    static Ui* ui = &none;
    return ui;
}

} // namespace

Ui::~Ui() = default;

Ui& Ui::current()
{
    return *currentUi();
}

Ui* Ui::install(Ui* ui)
{
    Ui* previous = currentUi();
    currentUi() = ui;
    return previous;
}

} // namespace host
