#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <memory>

namespace host {

// A form's message table (the screens' "msg..." components): texts by key, loaded from
// forms/<SCREEN>.msg, one "Key|Text" per line (UTF-8; "#" starts a comment line; "\n"
// in a text is a line break). A table may fall back to another one (a form's table over
// the base forms' table "PADRAO"), so that the shared questions are found from any form.
//
// Asking for a key that no table has is a fault of the program: it is reported through
// the missing-key handler (a warning by default) and the text shows the key, never an
// empty string.
class Messages
{
public:
    Messages() = default;
    // Parses a table; throws EDatabaseError on a malformed line or a repeated key.
    static Messages parse(const QString& text, const QString& name);
    // The table of a screen, read from the resource ":/forms/<screen>.msg".
    static Messages load(const QString& screen);
    // The host's shared table ("Sim", "Nao", "Err_Conex", ...).
    static const Messages& shared();
    // The base forms' table ("Excl", "Canc", ...).
    static const Messages& base();

    const QString& name() const { return m_name; }
    void setFallback(std::shared_ptr<const Messages> fallback) { m_fallback = std::move(fallback); }

    bool Has(const QString& key) const;
    QString Msg(const QString& key) const;
    QStringList keys() const { return m_texts.keys(); }

    using MissingKeyHandler = std::function<void(const QString& table, const QString& key)>;
    // Replaces the handler; returns the previous one (tests turn misses into failures).
    static MissingKeyHandler setMissingKeyHandler(MissingKeyHandler handler);

private:
    const QString* find(const QString& key) const;

    QString m_name;
    QHash<QString, QString> m_texts;
    std::shared_ptr<const Messages> m_fallback;
};

// The name the screens know the message tables by.
using TMessages = Messages;

} // namespace host
