#include "ChoiceGroup.h"

#include "module/records/Codes.h"

#include "host/ui/Guard.h"
#include "host/ui/Ui.h"
#include "host/widgets/Buttons.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QSignalBlocker>

namespace module {

ChoiceGroup::ChoiceGroup(const QString& title, const QString& allCaption, const Names& names,
                         bool listFirst, QString* list, QString* marker, QWidget* parent)
    : QGroupBox(title, parent), m_list(list), m_marker(marker)
{
    setObjectName(QStringLiteral("grb") + names.search.mid(3));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    lista = new QRadioButton(QStringLiteral("Lista"), this);
    lista->setObjectName(names.lista);
    todos = new QRadioButton(allCaption, this);
    todos->setObjectName(names.todos);
    button = new host::TBtnPesquisa(this);
    button->setObjectName(names.search);
    button->setToolTip(QStringLiteral("Pesquisar"));
    row->addWidget(listFirst ? lista : todos);
    row->addWidget(listFirst ? todos : lista);
    row->addWidget(button);
    row->addStretch(1);

    host::connectGuarded(lista, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            optionSelected(true);
    });
    host::connectGuarded(todos, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            optionSelected(false);
    });
    button->OnClick = [this] {
        if (search)
            search();
    };
    lista->installEventFilter(this);
}

void ChoiceGroup::chooseFrom(host::DataSet& source, const QString& keyField, const QString& title)
{
    host::MultiSearchRequest request;
    request.source = &source;
    request.keyField = keyField;
    request.title = title;
    request.chosen = *m_list;
    request.parent = window();
    if (const std::optional<QString> chosen = host::Ui::current().PesquisaLista(request))
        *m_list = *chosen;
}

bool ChoiceGroup::listChosen() const
{
    return lista->isChecked();
}

void ChoiceGroup::select(bool listOption)
{
    {
        const QSignalBlocker blockList(lista);
        const QSignalBlocker blockAll(todos);
        (listOption ? lista : todos)->setChecked(true);
    }
    optionSelected(listOption);
}

void ChoiceGroup::optionSelected(bool listOption)
{
    button->setEnabled(listOption);
    if (listOption) {
        if (m_marker)
            m_marker->clear();
    } else {
        if (m_marker)
            *m_marker = QString::fromLatin1(AllMarker);
        m_list->clear();
    }
}

bool ChoiceGroup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lista && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F9 && lista->isChecked() && search) {
        host::guarded([this] { search(); });
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace module
