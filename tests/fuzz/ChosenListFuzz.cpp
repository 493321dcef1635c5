// The chosen-code lists ("_001_004_") on arbitrary text, as the client splits them and as
// the server reads them into bound parameters. A list read into codes is written back as
// the same list, and the server's condition has one placeholder per distinct code.

#include "FuzzSupport.h"

#include "appserver/modules/ChosenCodes.h"
#include "host/core/ChosenList.h"
#include "host/core/Exceptions.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/Codes.h"

#include <QSet>

namespace {

QString buyerCode(const QString& code)
{
    return host::Ajusta(code, 12);
}

void checkClientList(const QString& list)
{
    const QStringList codes = host::splitChosenList(list);
    const std::optional<QString> joined = host::joinChosenList(codes);
    fuzz::check(joined.has_value(), "the codes of a list can be joined again", fuzz::shown(list));
    fuzz::check(host::splitChosenList(*joined) == codes, "a joined list splits into its codes",
                fuzz::shown(list));
}

void checkServerList(const QString& list)
{
    const std::optional<QStringList> parsed = module::parseChosenCodes(list);
    if (parsed) {
        const QString rebuilt =
            parsed->isEmpty() ? QString() : QLatin1Char('_') + parsed->join(QLatin1Char('_')) + QLatin1Char('_');
        fuzz::check(rebuilt == list, "a list read into codes is the list of those codes",
                    fuzz::shown(list));
    }
    for (const auto normalise : {appserver::modules::CodeNormaliser(nullptr), &buyerCode}) {
        appserver::modules::ChosenCodes chosen;
        try {
            chosen = appserver::modules::readChosenCodes(list, QString(), QStringLiteral("códigos"),
                                                         normalise);
        } catch (const host::Exception&) {
            fuzz::check(!parsed || parsed->size() > appserver::modules::kMaxChosenCodes,
                        "a well-formed list is refused only for its size", fuzz::shown(list));
            continue;
        }
        fuzz::check(parsed.has_value(), "the server reads only well-formed lists", fuzz::shown(list));
        fuzz::check(!chosen.all, "a list without the all-marker is not \"all\"");
        fuzz::check(chosen.codes.size() <= appserver::modules::kMaxChosenCodes,
                    "a list keeps at most the most codes allowed");
        fuzz::check(QSet<QString>(chosen.codes.begin(), chosen.codes.end()).size() == chosen.codes.size(),
                    "the codes read are distinct", fuzz::shown(list));
        const appserver::modules::BoundSql condition =
            appserver::modules::inCondition(QStringLiteral("CDCOMPRADOR"), chosen);
        const QString placeholders = QStringList(chosen.codes.size(), QStringLiteral("?")).join(QStringLiteral(", "));
        const QString expected = chosen.codes.isEmpty()
                                     ? QStringLiteral("1 = 0")
                                     : QStringLiteral("CDCOMPRADOR IN (%1)").arg(placeholders);
        fuzz::check(condition.text == expected && condition.values.size() == chosen.codes.size(),
                    "the condition holds one placeholder per code and none of the list's text",
                    fuzz::shown(list) + QLatin1Char('\n') + condition.text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString list = fuzz::text(fuzz::bytes(data, size));
    checkClientList(list);
    checkServerList(list);
    return 0;
}
