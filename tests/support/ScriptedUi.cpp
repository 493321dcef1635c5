#include "ScriptedUi.h"

#include "TestApplication.h"

#include "host/core/DataSet.h"
#include "host/core/OperatorPassword.h"
#include "host/core/ChosenList.h"
#include "host/ui/Halvore.h"
#include "host/ui/SearchSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QSet>

namespace testsupport {

using host::Internal::hostText;
using host::Internal::isEmptySource;
using host::Internal::searchText;
using host::Internal::splitSearchTitle;

namespace {

std::string text(const QString& s)
{
    return s.toStdString();
}

QString screenKey(const QString& code)
{
    return code.trimmed().toUpper();
}

} // namespace

ScriptedUi::ScriptedUi()
{
    application();
    m_previous = host::Ui::install(this);
}

ScriptedUi::~ScriptedUi()
{
    host::Ui::install(m_previous);
    if (!m_answers.empty())
        ADD_FAILURE() << m_answers.size() << " queued answer(s) to questions were never asked for";
    if (!m_searchAnswers.empty())
        ADD_FAILURE() << m_searchAnswers.size() << " queued search answer(s) were never used";
    if (!m_passwordAnswers.empty())
        ADD_FAILURE() << m_passwordAnswers.size() << " queued password answer(s) were never used";
    for (auto it = m_modalScripts.cbegin(); it != m_modalScripts.cend(); ++it)
        for (const ModalEntry& entry : it.value())
            if (!entry.everyTime)
                ADD_FAILURE() << "The dialog of screen " << text(it.key()) << " was never shown";
    if (m_busyDepth > 0)
        ADD_FAILURE() << "The busy animation is still shown (\"" << text(busyText()) << "\")";
}

// ---- records ----------------------------------------------------------------------------

QStringList ScriptedUi::messageTexts() const
{
    QStringList texts;
    for (const Message& m : m_messages)
        texts.append(m.text);
    return texts;
}

QStringList ScriptedUi::messageTexts(host::MessageKind kind) const
{
    QStringList texts;
    for (const Message& m : m_messages)
        if (m.kind == kind)
            texts.append(m.text);
    return texts;
}

QString ScriptedUi::lastMessage() const
{
    return m_messages.isEmpty() ? QString() : m_messages.last().text;
}

void ScriptedUi::clearRecords()
{
    m_messages.clear();
    m_questions.clear();
    m_screens.clear();
    m_busy.clear();
    m_searches.clear();
    m_passwords.clear();
    m_modals.clear();
}

// ---- queues -----------------------------------------------------------------------------

ScriptedUi& ScriptedUi::answer(int code)
{
    m_answers.push_back(code);
    return *this;
}

ScriptedUi& ScriptedUi::onModal(const QString& screenCode, ModalScript script)
{
    m_modalScripts[screenKey(screenCode)].push_back({std::move(script), false});
    return *this;
}

ScriptedUi& ScriptedUi::onEveryModal(const QString& screenCode, ModalScript script)
{
    m_modalScripts[screenKey(screenCode)].push_back({std::move(script), true});
    return *this;
}

ScriptedUi& ScriptedUi::answerSearch(const QVariant& key, const QString& field)
{
    m_searchAnswers.push_back({SearchAnswer::Choose, key, field, QString()});
    return *this;
}

ScriptedUi& ScriptedUi::answerList(const QString& list)
{
    m_searchAnswers.push_back({SearchAnswer::List, QVariant(), QString(), list});
    return *this;
}

ScriptedUi& ScriptedUi::cancelNextSearch()
{
    m_searchAnswers.push_back({SearchAnswer::Cancel, QVariant(), QString(), QString()});
    return *this;
}

ScriptedUi& ScriptedUi::confirmPassword(bool confirmed)
{
    m_passwordAnswers.push_back({confirmed, QString()});
    return *this;
}

ScriptedUi& ScriptedUi::typePassword(const QString& password)
{
    m_passwordAnswers.push_back({std::nullopt, password});
    return *this;
}

int ScriptedUi::pendingAnswers() const
{
    return int(m_answers.size() + m_searchAnswers.size() + m_passwordAnswers.size());
}

QString ScriptedUi::busyText() const
{
    return m_busyTexts.isEmpty() ? QString() : m_busyTexts.last();
}

void ScriptedUi::expectNoBusyShown(const QString& where) const
{
    if (m_busyDepth > 0)
        ADD_FAILURE() << "The busy animation is still shown"
                      << (where.isEmpty() ? std::string() : " " + text(where)) << " (depth "
                      << m_busyDepth << ", \"" << text(busyText()) << "\")";
}

// ---- messages and questions -------------------------------------------------------------

void ScriptedUi::message(host::MessageKind kind, const QString& text, QWidget*)
{
    m_messages.append({kind, text, m_busyDepth});
}

int ScriptedUi::nextAnswer(const QString& question, const QList<int>& allowed, int fallback)
{
    if (m_answers.empty()) {
        ADD_FAILURE() << "Unexpected question: \"" << text(question) << "\"";
        return fallback;
    }
    const int code = m_answers.front();
    m_answers.pop_front();
    if (!allowed.contains(code))
        ADD_FAILURE() << "The answer " << code << " is not one of the buttons of \""
                      << text(question) << "\"";
    return code;
}

int ScriptedUi::ask(host::MessageKind kind, const QString& question, host::MessageButtons buttons,
                    QWidget*)
{
    using namespace host;
    QList<int> allowed;
    QStringList captions;
    const auto offer = [&](const char* key, int code) {
        captions.append(hostText(QString::fromLatin1(key)));
        allowed.append(code);
    };
    switch (buttons) {
    case MessageButtons::Ok:
        offer("OK", mrOk);
        break;
    case MessageButtons::OkCancel:
        offer("OK", mrOk);
        offer("Cancelar", mrCancel);
        break;
    case MessageButtons::YesNo:
        offer("Sim", mrYes);
        offer("Nao", mrNo);
        break;
    case MessageButtons::YesNoCancel:
        offer("Sim", mrYes);
        offer("Nao", mrNo);
        offer("Cancelar", mrCancel);
        break;
    }
    // A box with OK alone asks nothing.
    const int answer = buttons == MessageButtons::Ok ? mrOk : nextAnswer(question, allowed, mrNo);
    m_questions.append({kind, question, captions, answer});
    return answer;
}

int ScriptedUi::alert(host::MessageKind kind, const QString& question,
                      const QList<host::AlertButton>& buttons, QWidget*)
{
    QList<int> allowed;
    QStringList captions;
    for (const host::AlertButton& b : buttons) {
        allowed.append(b.code);
        captions.append(b.caption);
    }
    // Unforeseen, the last button (the one that backs out) is taken.
    const int answer =
        nextAnswer(question, allowed, buttons.isEmpty() ? host::mrNo : buttons.last().code);
    m_questions.append({kind, question, captions, answer});
    return answer;
}

// ---- modal dialogs ----------------------------------------------------------------------

int ScriptedUi::execModal(QDialog& dialog, const QString& screenCode)
{
    const QString key = screenKey(screenCode);
    auto scripts = m_modalScripts.find(key);
    if (scripts == m_modalScripts.end() || scripts->empty()) {
        ADD_FAILURE() << "Unscripted modal dialog of screen " << text(key);
        dialog.reject();
        m_modals.append({key, dialog.result()});
        return dialog.result();
    }
    ModalEntry entry = scripts->front();
    if (!entry.everyTime)
        scripts->pop_front();

    dialog.setResult(QDialog::Rejected);
    dialog.show();
    dialog.activateWindow();
    QCoreApplication::processEvents();
    try {
        entry.script(dialog);
    } catch (...) {
        dialog.reject();
        throw;
    }
    if (dialog.isVisible()) {
        ADD_FAILURE() << "The script of screen " << text(key) << " left its dialog open";
        dialog.reject();
    }
    m_modals.append({key, dialog.result()});
    return dialog.result();
}

// ---- searches ---------------------------------------------------------------------------

std::optional<ScriptedUi::SearchAnswer> ScriptedUi::nextSearch(SearchCall call, const char* what)
{
    m_searches.append(call);
    if (m_searchAnswers.empty()) {
        ADD_FAILURE() << "Unexpected " << what << " \"" << text(call.title) << "\"";
        return std::nullopt;
    }
    SearchAnswer answer = m_searchAnswers.front();
    m_searchAnswers.pop_front();
    return answer;
}

bool ScriptedUi::chooseByKey(host::DataSet& source, const QStringList& fields, const QVariant& key,
                             int options)
{
    for (const QString& field : fields)
        if (!field.isEmpty() && source.FindField(field) && source.Locate(field, key, options))
            return true;
    ADD_FAILURE() << "No record with " << text(fields.join(QLatin1Char('/'))) << " = \""
                  << text(key.toString()) << "\" to choose";
    return false;
}

bool ScriptedUi::Pesquisar(const host::SearchRequest& request)
{
    const auto title = splitSearchTitle(request.title, request.emptyText);
    if (isEmptySource(request.source)) {
        m_searches.append({SearchKind::Single, request.title, request.keyField, {}, false});
        message(host::MessageKind::Information, title.emptyText);
        return false;
    }
    const auto answer =
        nextSearch({SearchKind::Single, request.title, request.keyField, {}, false}, "search");
    if (!answer || answer->kind == SearchAnswer::Cancel)
        return false;
    if (answer->kind != SearchAnswer::Choose) {
        ADD_FAILURE() << "A list answer was queued for the single-choice search \""
                      << text(request.title) << "\"";
        return false;
    }
    const QString field = answer->field.isEmpty() ? request.keyField : answer->field;
    const bool chosen = chooseByKey(*request.source, {field}, answer->key, host::LoCaseInsensitive);
    m_searches.last().answered = chosen;
    return chosen;
}

std::optional<QString> ScriptedUi::PesquisaLista(const host::MultiSearchRequest& request)
{
    const auto title = splitSearchTitle(request.title, request.emptyText);
    const SearchCall call{SearchKind::List, request.title, request.keyField, request.chosen, false};
    if (isEmptySource(request.source)) {
        m_searches.append(call);
        message(host::MessageKind::Information, title.emptyText);
        return std::nullopt;
    }
    const auto answer = nextSearch(call, "multi-choice search");
    if (!answer || answer->kind == SearchAnswer::Cancel)
        return std::nullopt;
    if (answer->kind != SearchAnswer::List) {
        ADD_FAILURE() << "A single-choice answer was queued for the list \"" << text(request.title)
                      << "\"";
        return std::nullopt;
    }
    const QStringList wanted = host::splitChosenList(answer->list);
    if (!answer->list.isEmpty() && wanted.isEmpty())
        ADD_FAILURE() << "Malformed list answer \"" << text(answer->list) << "\"";
    QSet<QString> missing;
    for (const QString& code : wanted)
        missing.insert(code.trimmed());

    host::DataSet& source = *request.source;
    const host::Field& key = source.FieldByName(request.keyField);
    QStringList chosen;
    for (int row = 0; row < source.RecordCount(); ++row) {
        const host::DataSet::RowPeek peek(source, row);
        const QString code = key.AsString();
        if (missing.remove(code.trimmed()))
            chosen.append(code);
    }
    if (!missing.isEmpty())
        ADD_FAILURE() << "Codes not in the list \"" << text(request.title)
                      << "\": " << text(QStringList(missing.values()).join(QLatin1Char(' ')));
    const std::optional<QString> list = host::joinChosenList(chosen);
    if (!list) {
        ADD_FAILURE() << "Chosen codes cannot be written as a list";
        return std::nullopt;
    }
    m_searches.last().answered = true;
    return *list;
}

bool ScriptedUi::PesquisaArvore(const host::TreeSearchRequest& request)
{
    const auto title = splitSearchTitle(request.title, request.emptyText);
    const SearchCall call{SearchKind::Tree, request.title, request.codeField, {}, false};
    if (isEmptySource(request.source)) {
        m_searches.append(call);
        message(host::MessageKind::Information, title.emptyText);
        return false;
    }
    const auto answer = nextSearch(call, "tree search");
    if (!answer || answer->kind == SearchAnswer::Cancel)
        return false;
    if (answer->kind != SearchAnswer::Choose) {
        ADD_FAILURE() << "A list answer was queued for the tree search \"" << text(request.title)
                      << "\"";
        return false;
    }
    const QStringList fields = answer->field.isEmpty()
                                   ? QStringList{request.treeCodeField, request.codeField}
                                   : QStringList{answer->field};
    host::DataSet& source = *request.source;
    if (!chooseByKey(source, fields, answer->key, host::LoCaseInsensitive))
        return false;
    const host::Field* level = source.FindField(request.levelField);
    if (level && level->AsInteger() < request.productLevel) {
        ADD_FAILURE() << "\"" << text(answer->key.toString())
                      << "\" is a group of the product tree; only products can be chosen";
        return false;
    }
    m_searches.last().answered = true;
    return true;
}

bool ScriptedUi::Procura(host::DataSet& source, const QStringList& columns, QWidget*)
{
    const auto answer = nextSearch({SearchKind::Find, QString(), QString(), {}, false}, "find");
    if (!answer || answer->kind == SearchAnswer::Cancel)
        return false;
    if (answer->kind != SearchAnswer::Choose) {
        ADD_FAILURE() << "A list answer was queued for a find";
        return false;
    }
    QString field = answer->field;
    if (field.isEmpty()) {
        const auto shown = host::Internal::searchColumns(source, columns);
        field = shown.isEmpty() ? QString() : shown.first().fieldName;
    }
    if (!field.isEmpty() &&
        source.Locate(field, answer->key, host::LoCaseInsensitive | host::LoPartialKey)) {
        m_searches.last().answered = true;
        return true;
    }
    message(host::MessageKind::Information, searchText(QStringLiteral("Reg_N_Encontrado")));
    return false;
}

// ---- password ---------------------------------------------------------------------------

bool ScriptedUi::CriaConfSenha(const QString& operatorCode, QWidget* parent)
{
    return CriaConfSenha(operatorCode, QString(), QString(), parent);
}

bool ScriptedUi::CriaConfSenha(const QString& operatorCode, const QString& title,
                               const QString& label, QWidget*)
{
    m_passwords.append({operatorCode, title, label, false});
    if (m_passwordAnswers.empty()) {
        ADD_FAILURE() << "Unexpected password confirmation for \"" << text(operatorCode) << "\"";
        return false;
    }
    const PasswordAnswer answer = m_passwordAnswers.front();
    m_passwordAnswers.pop_front();
    bool confirmed = false;
    if (answer.confirmed) {
        confirmed = *answer.confirmed;
    } else if (host::Database* db = host::Halvore::instance().database()) {
        confirmed = host::checkOperatorPassword(*db, operatorCode, answer.password) ||
                    (operatorCode.trimmed() != operatorCode &&
                     host::checkOperatorPassword(*db, operatorCode.trimmed(), answer.password));
        if (!confirmed)
            message(host::MessageKind::Error, hostText(QStringLiteral("Senha_Invalida")));
    } else {
        ADD_FAILURE() << "A typed password needs the session's database (Halvore)";
    }
    m_passwords.last().confirmed = confirmed;
    return confirmed;
}

// ---- busy animation and screens ---------------------------------------------------------

void ScriptedUi::busyShow(QWidget*, int kind, const QString& shown)
{
    ++m_busyDepth;
    m_busyTexts.append(shown);
    m_busy.append({true, kind, shown});
}

void ScriptedUi::busyHide()
{
    if (m_busyDepth == 0) {
        ADD_FAILURE() << "The busy animation was hidden while none was shown";
        return;
    }
    --m_busyDepth;
    m_busy.append({false, 0, m_busyTexts.takeLast()});
}

void ScriptedUi::loadScreen(const QString& screenCode, const QVariantList& values)
{
    m_screens.append({screenCode, values});
    if (const auto loader = host::Halvore::instance().screenLoader(screenCode))
        loader(values);
}

} // namespace testsupport
