#include "QtUi.h"

#include "BusyPanel.h"
#include "FindDialog.h"
#include "Halvore.h"
#include "ListSearchDialog.h"
#include "PasswordDialog.h"
#include "SearchDialog.h"
#include "SearchSupport.h"
#include "TreeSearchDialog.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/core/OperatorPassword.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>

namespace host {

using namespace Internal;

namespace {

QWidget* dialogParent(QWidget* parent)
{
    if (parent)
        return parent->window();
    QWidget* active = QApplication::activeModalWidget();
    return active ? active : QApplication::activeWindow();
}

QString titleOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return hostText(QStringLiteral("Tit_Informacao"));
    case MessageKind::Warning:
        return hostText(QStringLiteral("Tit_Atencao"));
    case MessageKind::Error:
        return hostText(QStringLiteral("Tit_Erro"));
    case MessageKind::Confirmation:
        return hostText(QStringLiteral("Tit_Confirmacao"));
    }
    return {};
}

QMessageBox::Icon iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

AlertButton button(const char* key, int code)
{
    return {hostText(QString::fromLatin1(key)), code};
}

// The operator as stored: codes arrive padded to their width, the table may hold them
// without the padding.
struct StoredOperator
{
    QString code;
    QString name;
};

StoredOperator findOperator(Database& db, const QString& code)
{
    QSqlQuery query(db.sql());
    query.prepare(QStringLiteral(
        "SELECT CDOPERADOR, NMOPERADOR FROM OPERADOR WHERE CDOPERADOR = :P_CDOPERADOR"));
    for (const QString& candidate : {code, code.trimmed()}) {
        query.bindValue(QStringLiteral(":P_CDOPERADOR"), candidate);
        if (!query.exec())
            throw EDatabaseError(query.lastError().text());
        if (query.next())
            return {query.value(0).toString(), query.value(1).toString()};
    }
    return {code, QString()};
}

} // namespace

// While a person answers a modal window, the busy panel steps aside and the pointer is
// the normal arrow; both come back when the window closes.
class QtUi::ModalScope
{
public:
    explicit ModalScope(QtUi& ui) : m_panel(ui.m_busy.get())
    {
        if (m_panel)
            m_panel->suspend();
        m_arrow = QApplication::overrideCursor() != nullptr;
        if (m_arrow)
            QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
    ~ModalScope()
    {
        if (m_arrow)
            QApplication::restoreOverrideCursor();
        if (m_panel)
            m_panel->resume();
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    BusyPanel* m_panel;
    bool m_arrow = false;
};

QtUi::QtUi() = default;
QtUi::~QtUi() = default;

BusyPanel& QtUi::busyPanel()
{
    if (!m_busy)
        m_busy = std::make_unique<BusyPanel>();
    return *m_busy;
}

int QtUi::showBox(MessageKind kind, const QString& text, const QList<AlertButton>& buttons,
                  int escapeIndex, QWidget* parent)
{
    QMessageBox box(iconOf(kind), titleOf(kind), text, QMessageBox::NoButton, dialogParent(parent));
    box.setObjectName(QStringLiteral("msgHost"));
    QList<QPushButton*> pushButtons;
    for (const AlertButton& b : buttons)
        pushButtons.append(box.addButton(b.caption, QMessageBox::ActionRole));
    if (!pushButtons.isEmpty()) {
        box.setDefaultButton(pushButtons.first());
        box.setEscapeButton(pushButtons.at(qBound(0, escapeIndex, int(pushButtons.size()) - 1)));
    }
    ModalScope modal(*this);
    box.exec();
    const int clicked = int(pushButtons.indexOf(qobject_cast<QPushButton*>(box.clickedButton())));
    if (clicked >= 0)
        return buttons.at(clicked).code;
    return buttons.isEmpty() ? mrOk
                             : buttons.at(qBound(0, escapeIndex, int(buttons.size()) - 1)).code;
}

void QtUi::message(MessageKind kind, const QString& text, QWidget* parent)
{
    showBox(kind, text, {button("OK", mrOk)}, 0, parent);
}

int QtUi::ask(MessageKind kind, const QString& text, MessageButtons buttons, QWidget* parent)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return showBox(kind, text, {button("OK", mrOk)}, 0, parent);
    case MessageButtons::OkCancel:
        return showBox(kind, text, {button("OK", mrOk), button("Cancelar", mrCancel)}, 1, parent);
    case MessageButtons::YesNo:
        return showBox(kind, text, {button("Sim", mrYes), button("Nao", mrNo)}, 1, parent);
    case MessageButtons::YesNoCancel:
        return showBox(kind, text,
                       {button("Sim", mrYes), button("Nao", mrNo), button("Cancelar", mrCancel)}, 2,
                       parent);
    }
    return mrNone;
}

// The last button answers Escape and the window's close box.
int QtUi::alert(MessageKind kind, const QString& text, const QList<AlertButton>& buttons,
                QWidget* parent)
{
    return showBox(kind, text, buttons, int(buttons.size()) - 1, parent);
}

int QtUi::execModal(QDialog& dialog, const QString& screenCode)
{
    Q_UNUSED(screenCode);
    ModalScope modal(*this);
    return dialog.exec();
}

bool QtUi::Pesquisar(const SearchRequest& request)
{
    const SearchTitle title = splitSearchTitle(request.title, request.emptyText);
    if (isEmptySource(request.source)) {
        message(MessageKind::Information, title.emptyText, request.parent);
        return false;
    }
    SearchDialog dialog(request, title.title, dialogParent(request.parent));
    ModalScope modal(*this);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtUi::PesquisaLista(const MultiSearchRequest& request)
{
    const SearchTitle title = splitSearchTitle(request.title, request.emptyText);
    if (isEmptySource(request.source)) {
        message(MessageKind::Information, title.emptyText, request.parent);
        return std::nullopt;
    }
    ListSearchDialog dialog(request, title.title, dialogParent(request.parent));
    ModalScope modal(*this);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenList();
}

bool QtUi::PesquisaArvore(const TreeSearchRequest& request)
{
    const SearchTitle title = splitSearchTitle(request.title, request.emptyText);
    if (isEmptySource(request.source)) {
        message(MessageKind::Information, title.emptyText, request.parent);
        return false;
    }
    TreeSearchDialog dialog(request, title.title, dialogParent(request.parent));
    ModalScope modal(*this);
    return dialog.exec() == QDialog::Accepted;
}

bool QtUi::Procura(DataSet& source, const QStringList& columns, QWidget* parent)
{
    FindDialog dialog(source, columns, dialogParent(parent));
    ModalScope modal(*this);
    return dialog.exec() == QDialog::Accepted;
}

bool QtUi::CriaConfSenha(const QString& operatorCode, QWidget* parent)
{
    return CriaConfSenha(operatorCode, QString(), QString(), parent);
}

bool QtUi::CriaConfSenha(const QString& operatorCode, const QString& title, const QString& label,
                         QWidget* parent)
{
    Database* db = Halvore::instance().database();
    if (!db)
        throw Exception(hostText(QStringLiteral("Sem_BancoDados")));
    const StoredOperator stored = findOperator(*db, operatorCode);
    const QString whose =
        (label.isEmpty() ? hostText(QStringLiteral("ConfSenha_Operador")) : label) +
        QStringLiteral(": ") + stored.code.trimmed() +
        (stored.name.isEmpty() ? QString() : QStringLiteral(" - ") + stored.name.trimmed());
    PasswordDialog dialog(
        title.isEmpty() ? hostText(QStringLiteral("ConfSenha")) : title, whose,
        [db, code = stored.code](const QString& password) {
            return checkOperatorPassword(*db, code, password);
        },
        dialogParent(parent));
    ModalScope modal(*this);
    return dialog.exec() == QDialog::Accepted;
}

void QtUi::busyShow(QWidget* form, int kind, const QString& text)
{
    busyPanel().push(form, kind, text);
}

void QtUi::busyHide()
{
    if (m_busy)
        m_busy->pop();
}

int QtUi::busyDepth() const
{
    return m_busy ? m_busy->depth() : 0;
}

QString QtUi::busyText() const
{
    return m_busy ? m_busy->currentText() : QString();
}

void QtUi::loadScreen(const QString& screenCode, const QVariantList& values)
{
    const Halvore::ScreenLoader loader = Halvore::instance().screenLoader(screenCode);
    if (!loader) {
        message(MessageKind::Information,
                hostText(QStringLiteral("Tela_N_Disp")).arg(screenCode.trimmed()));
        return;
    }
    loader(values);
}

} // namespace host
