#include "TfrmForneDelete.h"

#include "ItemBatch.h"
#include "LookupField.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"
#include "module/records/SupplierDisplay.h"
#include "module/records/WorksheetValues.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/ui/Guard.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/MaskEdit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace module {

namespace {

const QString kType = QStringLiteral("IDTPIJURFORN");
const QString kNumber = QStringLiteral("NRINSJURFORN");
const QString kCompanyName = QStringLiteral("NMRAZSOCFORN");

// Caption of the number for a person type.
QString numberCaptionKey(const QString& type)
{
    const QString code = type.trimmed();
    if (code == QLatin1String("J"))
        return QStringLiteral("CGC");
    if (code == QLatin1String("F"))
        return QStringLiteral("CPF");
    if (code == QLatin1String("I"))
        return QStringLiteral("JUR");
    if (code == QLatin1String("O"))
        return QStringLiteral("OUTROS");
    return QString();
}

} // namespace

TfrmForneDelete::TfrmForneDelete(TfrmPlanCotaPrec& form)
    : MaintenanceDialog(form, QStringLiteral("SUP01708"), QStringLiteral("Exclusão de Fornecedor"))
{
    m_supplierCodes = worksheetList(QStringLiteral("F"), false);
    host::Query& search = suppliers();
    search.SetFieldDefs({hidden(supplierCodeField()),
                         supplierDocumentField(QStringLiteral("Inscrição")),
                         supplierPersonTypeField(QStringLiteral("Tipo")),
                         supplierLegalNameField(QStringLiteral("Razão Social"))});
    bindSupplierDisplay(search, msgPadrao);
    search.FieldByName(kType).OnGetText = [this](const host::Field& field, QString& text, bool) {
        const QString key = personTypeSearchMessageKey(field.AsString());
        text = key.isEmpty() ? QString() : msgPadrao.Msg(key);
    };
    // The quotation's suppliers as a list "_c1_c2_": a code is in it when it occurs
    // between two underscores.
    search.SetParam(QStringLiteral("P_CDFORNECED"),
                    m_supplierCodes.isEmpty()
                        ? QString()
                        : QLatin1Char('_') + m_supplierCodes.join(QLatin1Char('_')) +
                              QLatin1Char('_'));
    buildControls();
}

host::Query& TfrmForneDelete::suppliers()
{
    return query(QStringLiteral("qryPesqForn"));
}

void TfrmForneDelete::buildControls()
{
    fornecedor = new LookupField(fieldGrid(), 0, QStringLiteral("Fornecedor"), QString(),
                                 {QStringLiteral("medNrInsJurForn"), QStringLiteral("btnPesqForn"),
                                  QStringLiteral("edtNmRazSocForn"), {}, {}},
                                 this);
    fornecedor->code->setMaxLength(Width::SupplierDocument);
    fornecedor->code->installEventFilter(this);
    fornecedor->search->OnPesquisa = [this] {
        host::Query& search = suppliers();
        search.Open();
        host::SearchRequest request;
        request.source = &search;
        request.keyField = kNumber;
        request.title = QStringLiteral("Fornecedor");
        request.emptyText = QStringLiteral("Não há fornecedor cadastrado na cotação");
        request.columns = {kNumber, kType, kCompanyName};
        request.parent = this;
        return host::Ui::current().Pesquisar(request);
    };
    fornecedor->search->AfterPesq = [this] {
        host::Query& chosen = suppliers();
        showSupplier(chosen.FieldByName(kType).AsString(), chosen.FieldByName(kNumber).AsString(),
                     chosen.FieldByName(kCompanyName).AsString());
    };
}

void TfrmForneDelete::showEvent(QShowEvent* event)
{
    MaintenanceDialog::showEvent(event);
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    host::guarded([this] {
        // The selected cell's supplier is proposed.
        host::Query& current = query(QStringLiteral("qryForne"));
        current.SetParam(QStringLiteral("P_CDFORNECED"), Cli_Sup01700::stCdForneced);
        current.Open();
        if (!current.IsEmpty())
            showSupplier(current.FieldByName(kType).AsString(),
                         current.FieldByName(kNumber).AsString(),
                         current.FieldByName(kCompanyName).AsString());
        fornecedor->code->setFocus();
    });
}

bool TfrmForneDelete::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == fornecedor->code) {
        if (event->type() == QEvent::FocusIn && !fornecedor->code->EditMaskText().isEmpty()) {
            // A number is typed as plain digits, whatever its person type.
            QString digits;
            for (const QChar c : fornecedor->code->Text())
                if (c.isLetterOrNumber())
                    digits.append(c);
            fornecedor->code->SetEditMask(QString());
            fornecedor->code->SetText(digits);
        } else if (event->type() == QEvent::KeyRelease &&
                   static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab) {
            // Tab released on the number checks it as it stands and selects it.
            host::guarded([this] {
                Vd_Fornecedor(false);
                fornecedor->code->selectAll();
            });
        }
    }
    return MaintenanceDialog::eventFilter(watched, event);
}

void TfrmForneDelete::showSupplier(const QString& type, const QString& number,
                                   const QString& companyName)
{
    fornecedor->code->SetEditMask(host::PictPess(type));
    fornecedor->setText(number.trimmed(), companyName);
    const QString caption = numberCaptionKey(type);
    if (!caption.isEmpty())
        fornecedor->label->setText(msgPadrao.Msg(caption));
}

void TfrmForneDelete::Vd_Fornecedor(bool force)
{
    m_supplierCode.clear();
    m_tradeName.clear();
    if (fornecedor->isEmpty()) {
        if (force)
            fail(fornecedor->code, QStringLiteral("Forn_N_Inf"));
        return;
    }
    // The number is looked up as stored: digits only, of the type its length tells.
    QString number = fornecedor->code->Text();
    const host::Inscricao typed = host::Ajusta_Inscricao(number);
    host::Query& supplier = query(QStringLiteral("qryDadForn"));
    supplier.SetParam(QStringLiteral("P_NRINSJURFORN"), number);
    supplier.SetParam(QStringLiteral("P_IDTPIJURFORN"), typed.type);
    supplier.Open();
    if (supplier.IsEmpty())
        fail(fornecedor->code, QStringLiteral("Forn_N_Cad"));
    showSupplier(supplier.FieldByName(kType).AsString(), supplier.FieldByName(kNumber).AsString(),
                 supplier.FieldByName(kCompanyName).AsString());
    m_supplierCode = supplier.FieldByName(QStringLiteral("CDFORNECED")).AsString();
    m_tradeName = supplier.FieldByName(QStringLiteral("NMFANTFORN")).AsString().trimmed();
}

void TfrmForneDelete::sbtConfirmaClick()
{
    Vd_Fornecedor(true);
    if (!m_supplierCodes.contains(m_supplierCode, Qt::CaseInsensitive))
        fail(fornecedor->code, QStringLiteral("For_N_Cad_Cot"));
    bool removed = false;
    {
        ItemBatch batch(worksheet());
        removed =
            batch.removeMatching(ItemBatch::equals(QStringLiteral("COCFORNECED"),
                                                   supplierValue(m_supplierCode, m_tradeName))) > 0;
        batch.items().SetFiltered(false);
        worksheet().addDisplayCopy();
        batch.commit();
    }
    if (removed)
        mainForm().boExcForn = true;
    refreshAssignmentView();
    accept();
}

} // namespace module
