#include "ui/radiochannels.h"

#include "model/datamodule.h"
#include "model/lang.h"
#include "platform/dataset.h"
#include "platform/dbgrid.h"
#include "platform/dialogs.h"
#include "platform/gridpaint.h"

#include <QAbstractItemView>

namespace RadioChannels {

namespace {
const QStringList& names(Range range, int tipo) {
    return range == Range::R400 ? Lang::channelNames400(tipo) : Lang::channelNames800(tipo);
}
} // namespace

int channelCount(Range range, int tipo) {
    return int(names(range, tipo).size());
}

QString channelName(Range range, int tipo, int channel) {
    const QStringList& list = names(range, tipo);
    return channel >= 1 && channel <= list.size() ? list.at(channel - 1) : QString();
}

namespace {
QString decorated(const QString& inputName, Range range, int tipo, int channel) {
    return inputName + QStringLiteral(" (") + channelName(range, tipo, channel) + QLatin1Char(')');
}
} // namespace

QString associationText(const DataSet& inputs, Range range, int tipo, int channel, int inputId,
                        const QString& stored) {
    if (inputId < 1 || inputId > inputs.recordCount())
        return stored;
    return decorated(GetNameTable(inputs, QStringLiteral("_Nome"), inputId), range, tipo, channel);
}

std::vector<Choice> choices(const DataSet& zones, const DataSet& inputs, Range range, int tipo, int channel) {
    std::vector<Choice> list;
    const int idIdx = zones.fieldByName(QStringLiteral("_ID")).index();
    const int nameIdx = zones.fieldByName(QStringLiteral("_Nome")).index();
    const int inputNameIdx = inputs.fieldByName(QStringLiteral("_Nome")).index();
    for (int r = 1; r <= zones.recordCount(); ++r) {
        const int id = zones.integerAt(r, idIdx);
        QString text = zones.stringAt(r, nameIdx);
        if (r > 1 && id >= 1 && id <= inputs.recordCount())
            text = decorated(inputs.stringAt(id, inputNameIdx), range, tipo, channel);
        list.push_back({r == 1 ? 0 : id, text});
    }
    return list;
}

} // namespace RadioChannels

ChannelEditor::ChannelEditor(RadioChannels::Range range, DataSource* devices, int channel, QWidget* parent)
    : QComboBox(parent), m_range(range), m_devices(devices), m_channel(channel) {
    setObjectName(QString());
    hide();
    connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int index) { choose(index); });
}

ChannelEditor* ChannelEditor::over(DBGrid& grid, RadioChannels::Range range, int channel,
                                   const QString& name) {
    auto* editor = new ChannelEditor(range, grid.dataSource(), channel);
    editor->setObjectName(name);
    grid.attachCellEditor(editor);
    return editor;
}

void ChannelEditor::open() {
    show();
    setFocus();
    showPopup();
}

QString ChannelEditor::dataField() const {
    return QStringLiteral("_Input%1").arg(m_channel);
}

void ChannelEditor::fillList() {
    DataSet* devices = m_devices ? m_devices->dataSet() : nullptr;
    if (!DM || !devices || devices->isEmpty())
        return;
    const int tipo = devices->fieldByName(QStringLiteral("_Tipo")).asInteger();
    m_choices = RadioChannels::choices(*DM->CDSet_ZoneRadio, *DM->CDSet_Ingressi, m_range, tipo, m_channel);
    const int current = devices->fieldByName(QStringLiteral("_In%1").arg(m_channel)).asInteger();
    clear();
    int shown = 0;
    for (size_t i = 0; i < m_choices.size(); ++i) {
        addItem(m_choices[i].text, m_choices[i].inputId);
        if (m_choices[i].inputId == current)
            shown = int(i);
    }
    setCurrentIndex(shown);
    // The list is as wide as its longest entry.
    const QFontMetrics fm(view()->font());
    int widest = width();
    for (const auto& c : m_choices)
        widest = qMax(widest, fm.horizontalAdvance(c.text) + 32);
    view()->setMinimumWidth(widest);
}

bool ChannelEditor::choose(int index) {
    DataSet* devices = m_devices ? m_devices->dataSet() : nullptr;
    if (!devices || devices->isEmpty() || index < 0 || index >= int(m_choices.size()))
        return false;
    try {
        devices->edit();
        devices->fieldByName(dataField()).setAsString(m_choices[size_t(index)].text);
        devices->fieldByName(QStringLiteral("_In%1").arg(m_channel))
            .setAsInteger(m_choices[size_t(index)].inputId);
        devices->post();
    } catch (const DataSetError& e) {
        devices->cancel();
        ShowMessage(e.message());
        return false;
    }
    return true;
}

void ChannelEditor::showPopup() {
    fillList();
    QComboBox::showPopup();
}

void ChannelEditor::hidePopup() {
    QComboBox::hidePopup();
    // Focus goes back to the grid before the editor goes: hiding a focused child makes Qt pass
    // the focus on as a Tab would, which moves the grid's current cell one column right (on the
    // last channel, to the next device, which the choice would then be written to).
    if (hasFocus())
        for (QWidget* p = parentWidget(); p; p = p->parentWidget())
            if (auto* grid = qobject_cast<DBGrid*>(p)) {
                grid->setFocus(Qt::OtherFocusReason);
                break;
            }
    hide();
}

#include "moc_radiochannels.cpp"
