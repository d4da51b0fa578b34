// String, control and timing helpers (folders and files are in Helpers_Files.cpp).
#include "Helpers.h"

#include "Globals.h"
#include "MessageBox.h"

#include <QMetaObject>
#include <algorithm>

namespace {

// The code point that starts at `i`, and the one that ends just before `end`, so that
// characters outside the basic plane are judged as a whole.
char32_t codePointAt(const QString &s, qsizetype i)
{
    if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(s.at(i), s.at(i + 1));
    return s.at(i).unicode();
}

char32_t codePointBefore(const QString &s, qsizetype end)
{
    if (s.at(end - 1).isLowSurrogate() && end >= 2 && s.at(end - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(s.at(end - 2), s.at(end - 1));
    return s.at(end - 1).unicode();
}

int unitsOf(char32_t c) { return QChar::requiresSurrogates(c) ? 2 : 1; }

template <class Pred> QString trimEnds(const QString &s, Pred strip)
{
    qsizetype begin = 0, end = s.size();
    while (begin < end) {
        const char32_t c = codePointAt(s, begin);
        if (!strip(c)) break;
        begin += unitsOf(c);
    }
    while (end > begin) {
        const char32_t c = codePointBefore(s, end);
        if (!strip(c)) break;
        end -= unitsOf(c);
    }
    if (begin == 0 && end == s.size()) return s;
    return s.mid(begin, end - begin);
}

bool isSpaceOrLineEnd(char32_t c) { return QChar::isSpace(c); }

bool isControlOrFormat(char32_t c)
{
    const QChar::Category cat = QChar::category(c);
    return cat == QChar::Other_Control || cat == QChar::Other_Format;
}

bool isExactly(const QObject *o, const char *className)
{
    return qstrcmp(o->metaObject()->className(), className) == 0;
}

// The controls of a group box; plain container widgets inside it are looked through,
// nested group boxes pass the flag on by themselves.
void passOnToControlsInside(QObject *container, bool enabled)
{
    for (QObject *child : container->children()) {
        if (!child->isWidgetType()) continue;
        SetObjEnabled(child, enabled);
        if (isExactly(child, "QWidget") || isExactly(child, "QFrame")) passOnToControlsInside(child, enabled);
    }
}

} // namespace

QString Trim_Str(const QString &text)
{
    return trimEnds(trimEnds(text, isSpaceOrLineEnd), isControlOrFormat);
}

QString Replace_Char_For_valid(const QString &text) { return Trim_Str(text); }

QString Elided_For_Display(const QString &text, int maxUnits)
{
    if (text.size() <= maxUnits) return text;
    qsizetype cut = std::max(maxUnits - 1, 0);
    if (cut > 0 && text.at(cut - 1).isHighSurrogate()) --cut;
    return text.left(cut) + QChar(0x2026);
}

QString Left_Str_substringToIndex(const QString &text, int n)
{
    n = std::max(n, 0);
    return n < text.size() ? text.left(n) : text;
}

QString Right_Str_substringFromIndex(const QString &text, int n)
{
    n = std::max(n, 0);
    return n >= text.size() ? text : text.right(n);
}

QString Read_Str_FromIndex(const QString &text, int i)
{
    if (i < 0 || i > text.size()) return QStringLiteral("");
    return text.mid(i);
}

QString Read_Str_Upto_Index(const QString &text, int i)
{
    if (i < 0 || i > text.size()) return QStringLiteral("");
    return text.left(i);
}

QString Replace_char_in_string(const QString &text, const QString &target, const QString &replacement)
{
    // QString::replace would insert the replacement between all characters for an
    // empty target.
    if (target.isEmpty()) return text;
    return QString(text).replace(target, replacement, Qt::CaseSensitive);
}

int Find_Str(const QString &text, const QString &part)
{
    if (text.isNull() || part.isEmpty()) return 0;
    return text.contains(part, Qt::CaseSensitive) ? 1 : 0;
}

int Find_Str_Case_Insensitive(const QString &text, const QString &part)
{
    if (text.isNull() || part.isEmpty()) return 0;
    return text.contains(part, Qt::CaseInsensitive) ? 1 : 0;
}

QString Remove_Reserve_Char_In_File_Name(const QString &text)
{
    static const QString reserved = QStringLiteral("/\\?%*|\"<>");
    QString name = trimEnds(text, [](char32_t c) { return c < 0x80 && reserved.contains(QChar(c)); });
    name.replace(u'/', u'_');
    return Trim_Str(name);
}

void SetObjEnabled(QObject *control, bool enabled)
{
    if (!control) return;
    if (control->metaObject()->indexOfMethod("setEnabled(bool)") >= 0)
        QMetaObject::invokeMethod(control, "setEnabled", Qt::DirectConnection, Q_ARG(bool, enabled));
    // Labels and line edits need nothing more: Qt draws disabled text in the
    // palette's disabled colour and enabled text in the normal one.
    if (isExactly(control, "QGroupBox")) passOnToControlsInside(control, enabled);
}

void Calculate_Time_Taken(int flag, const QString &label, const QDateTime &now)
{
    if (flag == 0) {
        // Whole seconds only: the fraction of the start second is dropped.
        mLastActivity_Time = now.toSecsSinceEpoch();
        return;
    }
    const qint64 mark = mLastActivity_Time.load();
    const qint64 elapsed = mark < 0 ? 0 : (now.toMSecsSinceEpoch() - mark * 1000) / 1000;
    const qint64 hours = elapsed / 3600;
    const qint64 minutes = (elapsed % 3600) / 60;
    const qint64 seconds = elapsed % 60;
    // One-pass arg(): a label holding "%2" must not swallow the numbers.
    Show_MessageBox(QStringLiteral("Time Taken in %1 :: %2 Hours : %3 Minutes : %4 Seconds\n")
                        .arg(label, QString::number(hours), QString::number(minutes), QString::number(seconds)));
}
