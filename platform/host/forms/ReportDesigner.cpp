#include "ReportDesigner.h"

#include "host/core/Database.h"
#include "host/core/Query.h"
#include "host/core/consiste/DisplayFormat.h"

#include <QTextDocument>

namespace host {

bool ExistParam(const ReportParams& params, const QString& name)
{
    return params.names().contains(name, Qt::CaseInsensitive);
}

void ReportDesigner::build(Database& db, QTextDocument& document)
{
    Query query(db, QStringLiteral("rpddPadrao"));
    query.SetSQL(sql);
    ReportParams params(query.ParamNames());
    if (BeforeGetQueryParams)
        BeforeGetQueryParams(params);
    for (auto it = params.values().cbegin(); it != params.values().cend(); ++it)
        if (ExistParam(params, it.key()))
            query.SetParam(it.key(), it.value());
    query.Open();
    render(layout, query, document);
}

namespace {

QString cellText(DataSet& rows, const ReportColumn& column)
{
    Field& field = rows.FieldByName(column.fieldName);
    if (!column.displayFormat.isEmpty() && !field.IsNull() &&
        (field.DataType() == FieldType::Float || field.DataType() == FieldType::Integer))
        return FormatFloat(column.displayFormat, field.AsFloat());
    return field.DisplayText();
}

QString alignment(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return QStringLiteral("right");
    if (a & Qt::AlignHCenter)
        return QStringLiteral("center");
    return QStringLiteral("left");
}

} // namespace

void ReportDesigner::render(const ReportLayout& layout, DataSet& rows, QTextDocument& document)
{
    QString html;
    html += QStringLiteral("<html><body style=\"font-family: sans-serif; font-size: 9pt\">");
    html += QStringLiteral("<h2>%1</h2>").arg(layout.title.toHtmlEscaped());
    for (const QString& line : layout.headerLines)
        html += QStringLiteral("<p style=\"margin:0\">%1</p>").arg(line.toHtmlEscaped());

    auto tableStart = [&layout] {
        QString t = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\" "
                                   "border=\"1\" style=\"border-collapse: collapse\"><tr>");
        for (const ReportColumn& c : layout.columns)
            t += QStringLiteral("<th align=\"%1\" bgcolor=\"#dddddd\">%2</th>")
                     .arg(alignment(c.alignment), c.title.toHtmlEscaped());
        return t + QStringLiteral("</tr>");
    };

    if (rows.IsEmpty()) {
        html += QStringLiteral("<p><i>%1</i></p>").arg(layout.emptyText.toHtmlEscaped());
    } else {
        QStringList lastGroup;
        bool open = false;
        for (rows.First(); !rows.Eof(); rows.Next()) {
            QStringList group;
            for (const QString& f : layout.groupFields)
                group.append(rows.FieldByName(f).DisplayText());
            if (!open || group != lastGroup) {
                if (open)
                    html += QStringLiteral("</table>");
                if (!group.isEmpty())
                    html += QStringLiteral("<h4 style=\"margin-bottom:2px\">%1</h4>")
                                .arg(group.join(QStringLiteral(" — ")).toHtmlEscaped());
                html += tableStart();
                open = true;
                lastGroup = group;
            }
            html += QStringLiteral("<tr>");
            for (const ReportColumn& c : layout.columns)
                html += QStringLiteral("<td align=\"%1\">%2</td>")
                            .arg(alignment(c.alignment), cellText(rows, c).toHtmlEscaped());
            html += QStringLiteral("</tr>");
        }
        if (open)
            html += QStringLiteral("</table>");
    }
    html += QStringLiteral("</body></html>");
    document.setHtml(html);
}

} // namespace host
