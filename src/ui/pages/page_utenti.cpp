#include "ui/pages/page_utenti.h"

#include "model/datamodule.h"
#include "model/dimensions.h"
#include "model/lang.h"
#include "platform/dbcontrols.h"
#include "platform/gridpaint.h"
#include "ui/celleditors.h"
#include "ui/gridfaces.h"
#include "ui/mainwindow.h"
#include "ui/multiapply.h"
#include "ui/pages/cellfaces.h"
#include "ui/pages/pagegrids.h"

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
    const ModelFeatures* model = modelFeatures(systemType);
    return model ? model->eightPartitions : systemType == 0;
}
} // namespace

TPageUtenti::TPageUtenti(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet4"));
    using O = GridOption;
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 4, 4, 4);

    DBGrid6 = makePageGrid(nullptr, "DBGrid6", DM ? DM->DataSource_Utenti : nullptr,
                           O::Titles | O::ColumnResize | O::ColLines | O::RowLines | O::Tabs |
                               O::ConfirmDelete | O::CancelOnExit | O::MultiSelect,
                           {{"_ID", 20, true, "N°"},
                            {"_Nome", 61, false, "NOME UTENTE"},
                            {"_Codice", 62, false, "CODICE"},
                            {"_TipolUtenti", 102, false, "PRIVILEGI"}});
    for (int n = 1; n <= 8; ++n)
        DBGrid6->addColumn(QStringLiteral("_Pz%1").arg(n), QStringLiteral("PARZIALI %1").arg(n), 64);
    for (int n = 1; n <= 4; ++n)
        DBGrid6->addColumn(QStringLiteral("_Grp%1").arg(n), QStringLiteral("GRUPPO %1").arg(n), 64);
    CellFaces::widenToTitles(*DBGrid6);
    CellFaces::fitWhenShown(*DBGrid6); // the partition columns a model lacks leave no gap
    if (Form6)
        DBComboBox14 = Form6->cellEditors().attach(QStringLiteral("DBComboBox14"), DBGrid6);

    DBRadioGroup1 = new DBRadioGroup(QStringLiteral("LUNGHEZZA CODICI"));
    DBRadioGroup1->setObjectName(QStringLiteral("DBRadioGroup1"));
    DBRadioGroup1->setItems(Lang::ComboItems(QStringLiteral("DBRadioGroup1")));
    DBRadioGroup1->setValues({QStringLiteral("0"), QStringLiteral("1")});
    DBRadioGroup1->setColumns(2);
    DBRadioGroup1->setDataField(QStringLiteral("_Lunghezza_codici"));
    DBEdit13 = new DBEdit;
    DBEdit13->setObjectName(QStringLiteral("DBEdit13"));
    DBEdit13->setDataField(QStringLiteral("_PswInstallatore"));
    DBEdit13->setFixedWidth(90);
    GroupBoxCodiceTecnico =
        makeGroupBox(nullptr, "GroupBoxCodiceTecnico", QStringLiteral("CODICE TECNICO"), DBEdit13);

    auto* content = new QWidget;
    auto* contentLay = new QVBoxLayout(content);
    contentLay->setContentsMargins(0, 0, 0, 0);
    contentLay->addWidget(DBGrid6, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(DBRadioGroup1);
    bottom->addWidget(GroupBoxCodiceTecnico);
    bottom->addStretch(1);
    contentLay->addLayout(bottom);
    GroupBox14 = makeGroupBox(this, "GroupBox14", QStringLiteral("UTENTE"), content);
    lay->addWidget(GroupBox14);

    DBGrid6->onDrawColumnCell = [this](DBGrid& grid, QPainter& p, const QRect& r, int dataCol,
                                       DBGridColumn& column, GridDrawState state) {
        DBGridUtentiDrawColumnCell(grid, p, r, dataCol, column, state);
    };
    DBGrid6->onCellClick = [this](DBGridColumn& c) { DBGridUtentiCellClick(c); };
    connect(DBGrid6, &DBGrid::currentCellChanged, this, &TPageUtenti::currentCellChanged);
    // The masks of the codes follow the stored code length (the grid repaints through the
    // radio group's own handler).
    connect(DBRadioGroup1, &DBRadioGroup::valueShown, this, &TPageUtenti::applyCodeMasks);
    connect(DBRadioGroup1, &DBRadioGroup::changedByUser, this, &TPageUtenti::applyCodeMasks);

    if (!DM)
        return;
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
    if (!modelDimensions(DM->GetSystemType()))
        return;
    const bool four = DM->CDSet_ParVari->fieldByName(QStringLiteral("_Lunghezza_codici")).asInteger() == 1;
    const QString& mask = four ? kFourDigits : kSixDigits;
    DM->CDSet_Utenti->fieldByName(kCodice).editMask = mask;
    DM->CDSet_Tabulon->fieldByName(QStringLiteral("_PswInstallatore")).editMask = mask;
    showInstallerCodeMask();
}

// The installer code is typed in the new number of positions at once. A code typed under the
// old mask is stored first, whole; the stored code is then shown again under the new mask
// (a longer one stays whole in the register until the user types another).
void TPageUtenti::showInstallerCodeMask() {
    const Field* installer = DBEdit13->field();
    if (!installer || DBEdit13->editMask() == installer->editMask)
        return;
    if (DBEdit13->modified())
        DBEdit13->updateRecord();
    DBEdit13->reset();
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
    drawGripFace(grid, painter, rect, text);
    if (flagColumnNumber(field) > 0)
        DrawCheckBoxes(grid, painter, rect, column, columnApplies(field, DM ? DM->GetSystemType() : 0));
}

void TPageUtenti::currentCellChanged() {
    DataSet* users = DBGrid6->dataSet();
    if (!users || !users->active() || users->isEmpty())
        return;
    renumberOnIdCell(*DBGrid6);
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
    MultiApply::MultiSelectChekBox(flag, DBGrid6);
}

#include "moc_page_utenti.cpp"
