#pragma once
// Normalisation of the time and date texts the editors type under an edit mask. Each returns
// the text to store; a text that is already normal comes back unchanged.
#include <QChar>
#include <QString>

namespace FieldRules {

// Hours and minutes "HH<sep>MM": an empty or short text (one that does not hold both parts)
// becomes "00<sep>00"; an hour above 23 becomes 23, a minute above 59 becomes 59.
QString normaliseTimeOfDay(const QString& text, QChar separator);

// Day and month "DD<sep>MM": empty or short becomes "00<sep>00"; a day above 31 becomes 31,
// a month above 12 becomes 12.
QString normaliseDayMonth(const QString& text, QChar separator);

// Hours, minutes and seconds "HH<sep>MM<sep>SS": empty or short becomes "00<sep>00<sep>00";
// minutes and seconds above 59 become 59 (hours go up to 99, as two digits allow).
QString normaliseDuration(const QString& text, QChar separator);

// Values that would not reach the panel as typed are refused (DataSetError with the reason,
// the old value kept): masked phone numbers and prefixes that break their mask, Contact ID
// codes outside "100".."999", network addresses the transfer cannot convert.
QString phoneTextRefusal(const QString& editMask, const QString& text); // "" when accepted
QString contactIdCodeRefusal(const QString& code);
QString ip4AddressRefusal(const QString& text);

} // namespace FieldRules

class TDM;
namespace FieldRules {
// Installs the refusals above on the data module's fields.
void installInputChecks(TDM& dm);
} // namespace FieldRules
