#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QAction;
class QMenu;
class QToolButton;

namespace module {

class TfrmPlanCotaPrec;

// The menus that open the maintenance dialogs: pmnFerramenta below the include or delete
// button of the worksheet (suppliers, regions, products, brands), pmnAlteracao below its
// change button (the brand), and pmnAuto below the automatic registration button on the
// other pages. One table says, per item, which dialogs it opens and which counter of the
// worksheet keeps the last one of its kind from being deleted.
class MaintenanceMenus final : public QObject
{
    Q_OBJECT
public:
    explicit MaintenanceMenus(TfrmPlanCotaPrec& form);

    enum class Mode
    {
        Insert,
        Delete
    };

    QMenu* pmnFerramenta = nullptr;
    QAction* mnuForn = nullptr;
    QAction* mnuRegiao = nullptr;
    QAction* mnuProduto = nullptr;
    QAction* mnuMarca = nullptr;

    QMenu* pmnAuto = nullptr;
    QAction* mnuAutoInsert = nullptr;
    QAction* mnuAutoDelete = nullptr;
    QAction* mnuInsProd = nullptr;
    QAction* mnuDelProd = nullptr;
    QAction* mnuInsForn = nullptr;
    QAction* mnuDelForn = nullptr;
    QAction* mnuInsReg = nullptr;
    QAction* mnuDelReg = nullptr;
    QAction* mnuAlteracaodeMarca = nullptr;

    QMenu* pmnAlteracao = nullptr;
    QAction* Produto1 = nullptr;
    QAction* mnuUpMarca = nullptr;

    Mode mode() const { return m_mode; }
    // Sets the mode and enables pmnFerramenta's items for it from fresh counters.
    void prepareFerramenta(Mode mode);
    // Shows or hides pmnAuto's items for the active page; false on the list page, where it
    // offers nothing.
    bool prepareAuto();

private:
    struct Item
    {
        QAction* action;
        void (*insert)(TfrmPlanCotaPrec&);
        void (*remove)(TfrmPlanCotaPrec&);
        const char* counter;
    };
    void createMenus();
    void ferramentaClick(const Item& item);
    void showBelow(QMenu* menu, QToolButton* button);
    void cadAutClick();
    bool itemsAtHand() const;
    double counter(const char* field) const;

    TfrmPlanCotaPrec& m_form;
    Mode m_mode = Mode::Insert;
    std::vector<Item> m_items;
};

} // namespace module
