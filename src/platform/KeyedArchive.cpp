#include "KeyedArchive.h"

#include <QStringList>
#include <cstring>

namespace {
template <class T> bool sameBits(const T &a, const T &b) { return std::memcmp(&a, &b, sizeof(T)) == 0; }
bool sameValue(double a, double b) { return sameBits(a, b); }
bool sameValue(float a, float b) { return sameBits(a, b); }
bool sameValue(const QRectF &a, const QRectF &b)
{
    return sameValue(a.x(), b.x()) && sameValue(a.y(), b.y()) && sameValue(a.width(), b.width()) &&
           sameValue(a.height(), b.height());
}
bool sameValue(const QPointF &a, const QPointF &b) { return sameValue(a.x(), b.x()) && sameValue(a.y(), b.y()); }
bool sameValue(const QSizeF &a, const QSizeF &b)
{
    return sameValue(a.width(), b.width()) && sameValue(a.height(), b.height());
}
template <class T> bool sameValue(const T &a, const T &b) { return a == b; }

bool sameValue(const KeyedArchive::Value &a, const KeyedArchive::Value &b)
{
    if (a.index() != b.index()) return false;
    return std::visit([&](const auto &x) { return sameValue(x, std::get<std::decay_t<decltype(x)>>(b)); }, a);
}
} // namespace

bool KeyedArchive::operator==(const KeyedArchive &o) const
{
    if (m_className != o.m_className) return false;
    if (d == o.d) return true;
    const auto &a = d->entries, &b = o.d->entries;
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].first != b[i].first || !sameValue(a[i].second, b[i].second)) return false;
    return true;
}

void KeyedArchive::set(const QString &key, Value v)
{
    for (auto &e : d->entries)
        if (e.first == key) {
            e.second = std::move(v);
            return;
        }
    d->entries.emplace_back(key, std::move(v));
}

const KeyedArchive::Value *KeyedArchive::find(const QString &key) const
{
    for (const auto &e : d->entries)
        if (e.first == key) return &e.second;
    return nullptr;
}

QStringList KeyedArchive::keys() const
{
    QStringList k;
    for (const auto &e : d->entries) k << e.first;
    return k;
}

void KeyedArchive::encodeString(const QString &key, const QString &v)
{
    if (!v.isNull()) set(key, v);
}
void KeyedArchive::encodeColor(const QString &key, const QColor &v)
{
    if (v.isValid()) set(key, v);
}
void KeyedArchive::encodeFont(const QString &key, const std::optional<QFont> &v)
{
    if (v) set(key, *v);
}
void KeyedArchive::encodePicture(const QString &key, const Picture &v)
{
    if (!v.isNull()) set(key, v);
}
void KeyedArchive::encodeText(const QString &key, const std::optional<TextRecord> &v)
{
    if (v) set(key, *v);
}

bool KeyedArchive::decodeBool(const QString &key) const { return get<bool>(key); }
int32_t KeyedArchive::decodeInt(const QString &key) const { return get<int32_t>(key); }
float KeyedArchive::decodeFloat(const QString &key) const { return get<float>(key); }
double KeyedArchive::decodeDouble(const QString &key) const { return get<double>(key); }
QRectF KeyedArchive::decodeRect(const QString &key) const { return get<QRectF>(key); }
QPointF KeyedArchive::decodePoint(const QString &key) const { return get<QPointF>(key); }
QSizeF KeyedArchive::decodeSize(const QString &key) const
{
    // QSizeF{} is the invalid size -1 x -1; a missing size reads as 0 x 0.
    if (const Value *v = find(key))
        if (const QSizeF *s = std::get_if<QSizeF>(v)) return *s;
    return QSizeF(0, 0);
}
QString KeyedArchive::decodeString(const QString &key) const { return get<QString>(key); }
QColor KeyedArchive::decodeColor(const QString &key) const { return get<QColor>(key); }
Picture KeyedArchive::decodePicture(const QString &key) const { return get<Picture>(key); }

std::optional<QFont> KeyedArchive::decodeFont(const QString &key) const
{
    if (const Value *v = find(key))
        if (const QFont *f = std::get_if<QFont>(v)) return *f;
    return std::nullopt;
}

std::optional<TextRecord> KeyedArchive::decodeText(const QString &key) const
{
    if (const Value *v = find(key))
        if (const TextRecord *t = std::get_if<TextRecord>(v)) return *t;
    return std::nullopt;
}
