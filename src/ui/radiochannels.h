#pragma once
// Channel associations of the radio devices: which channels a device type has, what an
// association cell shows, and the editor that ties a channel to one of the installation's radio
// inputs. Both radio ranges use them, each with its own type table.
//
// An association is kept by the input's number (`_In1`..`_In5`), never by its name: two inputs
// may carry the same name, and a renamed input keeps its channels. The text field beside it
// (`_Input1`..`_Input5`) keeps the text shown when the choice was made.

#include <QComboBox>
#include <QString>

#include <vector>

class DataSet;
class DataSource;
class DBGrid;

namespace RadioChannels {

enum class Range : quint8 { R400, R800 };

// Channels of a device type (the length of its channel-name table; 0 for a type without one).
int channelCount(Range range, int tipo);
inline bool hasChannel(Range range, int tipo, int channel) {
    return channel >= 1 && channel <= channelCount(range, tipo);
}
// Name of `channel` (1-based) of the type; empty past the type's table.
QString channelName(Range range, int tipo, int channel);

// The text of an association cell: the associated input's current name with the channel's name
// in brackets; the stored text when no input is associated or the input no longer exists.
QString associationText(const DataSet& inputs, Range range, int tipo, int channel, int inputId,
                        const QString& stored);

// One entry of the radio-input list of a channel editor.
struct Choice {
    int inputId; // 0: the "no input" entry
    QString text;
};
// The radio inputs (`zones`: the "no input" row first, then one row per radio input) as a
// channel editor offers them: each input's name from `inputs` with the channel's name in
// brackets. An input whose number is beyond the inputs keeps the list's own text.
std::vector<Choice> choices(const DataSet& zones, const DataSet& inputs, Range range, int tipo, int channel);

} // namespace RadioChannels

// The list editor of one channel column, laid over the current cell of a device grid. It opens
// with the decorated radio-input list of the current device and writes the choice (the input's
// number and the entry's text) into the device row; closing it without a choice writes nothing.
class ChannelEditor : public QComboBox {
    Q_OBJECT
public:
    ChannelEditor(RadioChannels::Range range, DataSource* devices, int channel, QWidget* parent = nullptr);
    // The editor `name` of `channel` over `grid`'s current cell, on the grid's data source.
    static ChannelEditor* over(DBGrid& grid, RadioChannels::Range range, int channel, const QString& name);

    int channel() const { return m_channel; }
    QString dataField() const; // "_Input<channel>"
    // Fills the list for the current device (the drop-down decoration).
    void fillList();
    // Stores entry `index` in the current device row and posts it. False when refused (shown).
    bool choose(int index);

    // Shows the editor with its list open (a click in its channel's cell).
    void open();

    void showPopup() override;
    void hidePopup() override; // closing the list hides the editor

private:
    RadioChannels::Range m_range;
    DataSource* m_devices;
    int m_channel;
    std::vector<RadioChannels::Choice> m_choices;
};
