#pragma once
// How a number cell of a workbook shows: dates and times in the sheet's own format
// where it is a common one, else in ISO 8601; other numbers as a sheet shows them in
// its General format. Pure functions of their arguments.
#include <QString>
#include <QStringView>

// The format code of a built-in number format that shows a date or a time (14-22,
// 45-47, and the East Asian 27-36 and 50-58 as they show in an English setting:
// "m/d/yyyy", or "h:mm:ss" for 32-35); empty for every other id.
QString Builtin_Date_Format(int numFmtId);

// True when a format code shows a date or a time: its first section holds one of the
// letters y, m, d, h, s (either case) outside quoted text, brackets and escapes, or an
// elapsed count in brackets. "General", "0.00", "#,##0", "@" and "[Red]0" are not;
// "yyyy-mm-dd", "h:mm AM/PM", "[h]:mm:ss" and "[mm]" are.
bool Is_Date_Format(QStringView formatCode);

// The text of the date serial number `value` (days since the workbook's epoch, the
// fraction being the time of day) in the format `formatCode`. Common formats - made
// only of year, month, day, weekday, hour, minute, second (with up to three digits of
// its fraction, "ss.0") and AM/PM parts, elapsed hours, minutes and seconds (the
// seconds with a fraction too, "[ss].00"), quoted and escaped texts and the
// separators " -/.:,()", with colours and conditions passed over - show as written,
// with English month and day names, AM/PM in capitals and A/P in small letters; any
// other (numbers, locale-dependent system formats) gives ISO 8601: "yyyy-mm-dd", then
// " hh:mm" when there is a time (":ss" added when its seconds are not zero), or "hh:mm"
// alone for a time without a date. The 1900 system counts
// 1 = 1900-01-01 and keeps its day 60 (1900-02-29); the 1904 system counts
// 0 = 1904-01-01. Serials past 9999-12-31 show as numbers. A code's sections for
// numbers are up to three before a text section ("@"): a value below zero shows its size
// in the second ("(36:00)" for -1.5 in "[h]:mm;([h]:mm)"), zero shows in the third; a
// section of literal text alone shows that text, one that is neither that nor a date
// the size in the General format. With a code of one section a value below zero shows
// as the number, except in a common format with an elapsed count and no date, which
// shows the count after a minus sign ("-1:00" for -1/24 in "[h]:mm"). A time of day
// cuts its seconds, minutes and hours where an elapsed count rounds them ("23:59:59"
// for 86,399.95 s in "hh:mm:ss", the day not moving on; "24:00:00" in "[h]:mm:ss").
// Fractions of a second are rounded, but cut where rounding would reach the next second
// ("00:59.9" for 59.96 s in "mm:ss.0"), except in an elapsed count, where they carry
// ("01:00.0" in "[mm]:ss.0"). A time of day takes its day to fifteen significant digits
// ("00:00:00" for 0.9999999999999999 in "hh:mm:ss") and first rounds its seconds to
// what fifteen digits leave of them, then what is left over the whole seconds to the
// shown digits, half up after fifteen significant digits ("00:04.39" for
// 5.07523148148148e-05 in "mm:ss.00"); an elapsed count rounds its seconds to the shown
// digits straight from the value, as Calc does (90,000.0005 s, stored a little short as
// 1.0416666724537, shows "25:00:00.000" in "[hh]:mm:ss.000", "01:00:00.001" in
// "hh:mm:ss.000").
QString Date_Cell_Text(double value, QStringView formatCode, bool date1904);

// The serial number of an ISO 8601 date or date and time ("2027-01-02",
// "2027-01-02T14:30:00", "14:30:00"), as cells of type "d" hold them; false when the
// text is not one.
bool Iso_To_Serial(QStringView iso, bool date1904, double *serial);

// An ISO 8601 date or date and time ("2027-01-02", "2027-01-02T14:30:15.5") shown
// as a date without a format is: "yyyy-mm-dd", then " hh:mm" when there is a time
// (":ss" added when its seconds, to the nearest, are not zero). A text that is not one
// is returned unchanged.
QString Iso_Date_Text(QStringView iso);

// An ISO 8601 duration of days, hours, minutes and seconds ("PT14H30M00S",
// "P1DT2H") as the hours, minutes and seconds it counts: "hh:mm", ":ss" added when
// the seconds are not zero ("14:30", "26:00"). A text that is not one, or that
// counts years or months, is returned unchanged.
QString Iso_Duration_Text(QStringView duration);

// A number cell's stored value as a sheet shows it in its General format: up to 15
// significant digits, without exponent from 1E-9 up to below 1E+15 ("10000000" for
// "1.0E7" or "1e+07", "0.3" for "0.30000000000000004"), else as "1E+20" or
// "1.23456789012346E+16". A text that is not a number is returned unchanged.
QString Number_Cell_Text(QStringView stored);
