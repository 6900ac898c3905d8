#include "ui/pages/page_utenti.h"

#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/dbcontrols.h"
#include "platform/gridpaint.h"
#include "ui/pages/pagelayout.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace {
const QString kNome = QStringLiteral("_Nome");
const QString kCodice = QStringLiteral("_Codice");
const QString kTipol = QStringLiteral("_TipolUtenti");
const QString kFourDigits = QStringLiteral("9999;1;_");
const QString kSixDigits = QStringLiteral("999999;1;_");

// Partition column n (1..8) or group column (9..12 for groups 1..4); 0 for any other field.
int flagColumnNumber(const QString& fieldName) {
    for (auto [prefix, base, count] : {std::tuple{"_Pz", 0, 8}, std::tuple{"_Grp", 8, 4}}) {
        const QLatin1String p(prefix);
        if (fieldName.startsWith(p)) {
            bool ok = false;
            const int n = QStringView(fieldName).mid(p.size()).toInt(&ok);
            return ok && n >= 1 && n <= count ? base + n : 0;
        }
    }
    return 0;
}

// Models with eight partitions (and an unknown model, which shows everything).
bool hasEightPartitions(int systemType) {
    return systemType == 3 || systemType == 6 || systemType == 0;
}
} // namespace

TPageUtenti::TPageUtenti(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet4"));
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);
    GroupBox14 = PageLayout::groupBox(this, "GroupBox14", QStringLiteral("UTENTE"));

    std::vector<PageLayout::Column> columns = {{"_ID", "N°", 20, true},
                                              {"_Nome", "NOME UTENTE", 61},
                                              {"_Codice", "CODICE", 62},
                                              {"_TipolUtenti", "PRIVILEGI", 102}};
    for (int n = 1; n <= 8; ++n)
        columns.push_back({QStringLiteral("_Pz%1").arg(n), QStringLiteral("PARZIALI %1").arg(n), 64});
    for (int n = 1; n <= 4; ++n)
        columns.push_back({QStringLiteral("_Grp%1").arg(n), QStringLiteral("GRUPPO %1").arg(n), 64});
    DBGrid6 = PageLayout::grid(GroupBox14, "DBGrid6",
                              GridOption::Tabs | GridOption::ConfirmDelete | GridOption::CancelOnExit |
                                  GridOption::MultiSelect,
                              columns);

    auto* bottom = new QHBoxLayout;
    GroupBox14->layout()->addItem(bottom);
    DBRadioGroup1 = new DBRadioGroup(QStringLiteral("LUNGHEZZA CODICI"), GroupBox14);
    DBRadioGroup1->setObjectName(QStringLiteral("DBRadioGroup1"));
    DBRadioGroup1->setItems(Lang::ComboItems(QStringLiteral("DBRadioGroup1")));
    DBRadioGroup1->setValues({QStringLiteral("0"), QStringLiteral("1")});
    DBRadioGroup1->setColumns(2);
    DBRadioGroup1->setDataField(QStringLiteral("_Lunghezza_codici"));
    bottom->addWidget(DBRadioGroup1);
    GroupBoxCodiceTecnico = new QGroupBox(QStringLiteral("CODICE TECNICO"), GroupBox14);
    GroupBoxCodiceTecnico->setObjectName(QStringLiteral("GroupBoxCodiceTecnico"));
    auto* codeLay = new QHBoxLayout(GroupBoxCodiceTecnico);
    DBEdit13 = new DBEdit(GroupBoxCodiceTecnico);
    DBEdit13->setObjectName(QStringLiteral("DBEdit13"));
    DBEdit13->setDataField(QStringLiteral("_PswInstallatore"));
    DBEdit13->setMinimumWidth(90);
    codeLay->addWidget(DBEdit13);
    bottom->addWidget(GroupBoxCodiceTecnico);
    bottom->addStretch(1);

    DBGrid6->onDrawColumnCell = [this](DBGrid& grid, QPainter& p, const QRect& r, int dataCol,
                                       DBGridColumn& column, GridDrawState state) {
        DBGridUtentiDrawColumnCell(grid, p, r, dataCol, column, state);
    };
    DBGrid6->onCellClick = [this](DBGridColumn& c) { DBGridUtentiCellClick(c); };
    connect(DBGrid6, &DBGrid::currentCellChanged, this, &TPageUtenti::currentCellChanged);
    // The code column shows codes by the chosen length; masks follow the stored length.
    connect(DBRadioGroup1, &DBRadioGroup::valueShown, this, [this] {
        applyCodeMasks();
        DBGrid6->viewport()->update();
    });
    connect(DBRadioGroup1, &DBRadioGroup::changedByUser, this, [this] {
        applyCodeMasks();
        DBGrid6->viewport()->update();
    });

    if (!DM)
        return;
    DBGrid6->setDataSource(DM->DataSource_Utenti);
    DBRadioGroup1->setDataSource(DM->DataSource_ParVari);
    DBEdit13->setDataSource(DM->DataSource_Tabulon);
}

QString TPageUtenti::shownCode(const QString& code, int lengthItem) {
    switch (lengthItem) {
    case 0:
        return code;
    case 1:
        return code.size() < 4 ? QStringLiteral("----") : code.left(4);
    default:
        return {};
    }
}

bool TPageUtenti::columnApplies(const QString& fieldName, int systemType) {
    const int n = flagColumnNumber(fieldName);
    if (n == 0)
        return false;
    return n <= 4 || n > 8 || hasEightPartitions(systemType);
}

void TPageUtenti::applyCodeMasks() {
    if (!DM || !DM->CDSet_ParVari->active() || DM->CDSet_ParVari->isEmpty())
        return;
    const int type = DM->GetSystemType();
    if (type < 1 || type > 6)
        return;
    const bool four = DM->CDSet_ParVari->fieldByName(QStringLiteral("_Lunghezza_codici")).asInteger() == 1;
    const QString& mask = four ? kFourDigits : kSixDigits;
    DM->CDSet_Utenti->fieldByName(kCodice).editMask = mask;
    DM->CDSet_Tabulon->fieldByName(QStringLiteral("_PswInstallatore")).editMask = mask;
    DBEdit13->update();
}

void TPageUtenti::DBGridUtentiDrawColumnCell(DBGrid& grid, QPainter& painter, const QRect& rect, int dataCol,
                                             DBGridColumn& column, GridDrawState state) {
    ColoraGriglia(grid, painter, rect, dataCol, column, state);
    if (dataCol == 0 || !grid.dataActive())
        return;
    painter.setClipRect(rect, Qt::IntersectClip);
    const QString& field = column.fieldName();
    const QString text = field == kCodice ? shownCode(grid.paintedText(column), DBRadioGroup1->itemIndex())
                                          : grid.paintedText(column);
    PageLayout::drawValueCell(grid, painter, rect, text);
    if (flagColumnNumber(field) > 0)
        DrawCheckBoxes(grid, painter, rect, column, columnApplies(field, DM ? DM->GetSystemType() : 0));
}

void TPageUtenti::currentCellChanged() {
    DataSet* users = DBGrid6->dataSet();
    if (!users || !users->active() || users->isEmpty())
        return;
    PageLayout::renumberOnIdCell(*DBGrid6);
    // Names and codes are typed in; every other column marks rows for a multi-row apply.
    const DBGridColumn* column = DBGrid6->selectedColumn();
    const bool typed = column && (column->fieldName() == kNome || column->fieldName() == kCodice);
    DBGrid6->setOption(GridOption::MultiSelect, !typed);
    DBGrid6->setOption(GridOption::Editing, typed);
    if (users->state() == DataSetState::Edit || users->state() == DataSetState::Insert)
        users->post();
    if (typed)
        applyCodeMasks();
}

void TPageUtenti::DBGridUtentiCellClick(DBGridColumn& column) {
    DataSet* users = DBGrid6->dataSet();
    if (!users || !users->active() || users->isEmpty() || !DM)
        return;
    const QString& field = column.fieldName();
    if (flagColumnNumber(field) == 0 || !columnApplies(field, DM->GetSystemType()))
        return;
    users->edit();
    Field& flag = users->fieldByName(field);
    flag.setAsBoolean(!flag.asBoolean());
    users->post();
    applyCheckToMarkedRows(field);
}

void TPageUtenti::applyCheckToMarkedRows(const QString& field) {
    Q_UNUSED(field);
}

#include "moc_page_utenti.cpp"
