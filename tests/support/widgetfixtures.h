#pragma once
// Small tables and helpers for the tests of the data-aware widgets.

#include "platform/dataset.h"

#include <QImage>
#include <QStringList>

#include <memory>

class DBLookupComboBox;
class QWidget;

// A table of `rows` rows with the twenty fields the grid and control tests use:
// _ID, _Nome, _Enable, _Tipo, _Msg1, _Ora (masked), _Partizione1.._Partizione8, _Tempo,
// _Codice (masked), _Lunghezza ("0"/"1"), _Stato ("ON"/"OFF"), _Utente (a user's name), _Nota.
std::unique_ptr<DataSet> makeSampleTable(int rows, const QString& name = QStringLiteral("CDSet_Sample"));

// A table with the given fields, all text of 30 characters, one row per entry of `rows`
// (values separated by '|').
std::unique_ptr<DataSet> makeTextTable(const QString& name, const QStringList& fields,
                                       const QStringList& rows);

// CDSet_Utenti: one field _Nome holding the four users of the sample table.
std::unique_ptr<DataSet> makeUserTable();

// Makes `lookup` list `list`'s _Nome field and store that same name as its key.
void listNames(DBLookupComboBox* lookup, DataSource* list);

// Renders a widget into an image of its size times `ratio` (device pixel ratio).
QImage renderWidget(QWidget& widget, qreal ratio = 1.0);
