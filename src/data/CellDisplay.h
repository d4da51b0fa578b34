#pragma once
// How a number cell of a workbook shows: dates and times in the sheet's own format
// where it is a common one, else in ISO 8601; other numbers as a sheet shows them in
// its General format. Pure functions of their arguments.
#include <QString>
#include <QStringView>

// The format code of a built-in number format that shows a date or a time (14-22,
// 45-47); empty for every other id.
QString Builtin_Date_Format(int numFmtId);

// True when a format code shows a date or a time: its first section holds one of the
// letters y, m, d, h, s (either case) outside quoted text, brackets and escapes.
// "General", "0.00", "#,##0", "@" and "[Red]0" are not; "yyyy-mm-dd", "h:mm AM/PM"
// and "[h]:mm:ss" are.
bool Is_Date_Format(QStringView formatCode);

// The text of the date serial number `value` (days since the workbook's epoch, the
// fraction being the time of day) in the format `formatCode`. Common formats - made
// only of year, month, day, weekday, hour, minute, second and AM/PM parts, elapsed
// hours, minutes and seconds, quoted and escaped texts and the separators
// " -/.:,()" - show as written, with English month and day names; any other (
// fractions of a second, numbers, locale-dependent system formats) gives ISO 8601:
// "yyyy-mm-dd", then " hh:mm" when there is a time (":ss" added when its seconds are
// not zero), or "hh:mm" alone for a time without a date. The 1900 system counts
// 1 = 1900-01-01 and keeps its day 60 (1900-02-29); the 1904 system counts
// 0 = 1904-01-01. Serials before the epoch or past 9999-12-31 show as numbers.
QString Date_Cell_Text(double value, QStringView formatCode, bool date1904);

// The serial number of an ISO 8601 date or date and time ("2027-01-02",
// "2027-01-02T14:30:00", "14:30:00"), as cells of type "d" hold them; false when the
// text is not one.
bool Iso_To_Serial(QStringView iso, bool date1904, double *serial);

// A number cell's stored value as a sheet shows it in its General format: up to 15
// significant digits, without exponent from 1E-9 up to below 1E+15 ("10000000" for
// "1.0E7" or "1e+07", "0.3" for "0.30000000000000004"), else as "1E+20" or
// "1.23456789012346E+16". A text that is not a number is returned unchanged.
QString Number_Cell_Text(QStringView stored);
