#pragma once
// A keyed archive: an ordered record of key -> typed value, with the name of the
// archived class. A key that is missing reads as zero, false, an empty rectangle or
// an empty object: never as a default of the archived class.
//
// Copies share their entries until one of them is written (Qt's implicit sharing),
// and pictures and strings inside share their data too, so keeping many copies of an
// archive (undo snapshots) costs little.
#include "Picture.h"
#include "TextRecord.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QSharedData>
#include <QSharedDataPointer>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

class KeyedArchive {
public:
    using Value = std::variant<bool, int32_t, float, double, QRectF, QPointF, QSizeF, QString, QColor, QFont,
                               Picture, TextRecord>;

    KeyedArchive() = default;
    explicit KeyedArchive(QString className) : m_className(std::move(className)) {}

    const QString &className() const { return m_className; }
    void setClassName(const QString &name) { m_className = name; }

    void encodeBool(const QString &key, bool v) { set(key, v); }
    void encodeInt(const QString &key, int32_t v) { set(key, v); }
    void encodeFloat(const QString &key, float v) { set(key, v); }
    void encodeDouble(const QString &key, double v) { set(key, v); }
    void encodeRect(const QString &key, const QRectF &v) { set(key, v); }
    void encodePoint(const QString &key, const QPointF &v) { set(key, v); }
    void encodeSize(const QString &key, const QSizeF &v) { set(key, v); }
    // Objects: an absent object (null string, invalid colour, null picture) is not written.
    void encodeString(const QString &key, const QString &v);
    void encodeColor(const QString &key, const QColor &v);
    void encodeFont(const QString &key, const std::optional<QFont> &v);
    void encodePicture(const QString &key, const Picture &v);
    void encodeText(const QString &key, const std::optional<TextRecord> &v);

    bool decodeBool(const QString &key) const;
    int32_t decodeInt(const QString &key) const;
    float decodeFloat(const QString &key) const;
    double decodeDouble(const QString &key) const;
    QRectF decodeRect(const QString &key) const;
    QPointF decodePoint(const QString &key) const;
    QSizeF decodeSize(const QString &key) const;
    QString decodeString(const QString &key) const;  // null QString when missing
    QColor decodeColor(const QString &key) const;    // invalid QColor when missing
    std::optional<QFont> decodeFont(const QString &key) const;
    Picture decodePicture(const QString &key) const;
    std::optional<TextRecord> decodeText(const QString &key) const;

    // Room for this many entries, so an archive of known length is allocated once.
    void reserve(size_t count) { d->entries.reserve(count); }

    bool contains(const QString &key) const { return find(key) != nullptr; }
    const std::vector<std::pair<QString, Value>> &entries() const { return d->entries; }
    QStringList keys() const;

    // Equal when the class and every key and value are the same, numbers bit for bit
    // (no fuzzy comparison of rectangles, points or sizes).
    bool operator==(const KeyedArchive &o) const;
    // Whether the two share one set of entries (one is an unchanged copy of the other).
    bool sharesEntriesWith(const KeyedArchive &o) const { return d == o.d; }
    // The identity of the entries, the same for archives that share them.
    const void *entriesId() const { return d.constData(); }

private:
    void set(const QString &key, Value v);
    const Value *find(const QString &key) const;
    template <class T> T get(const QString &key) const
    {
        if (const Value *v = find(key))
            if (const T *t = std::get_if<T>(v)) return *t;
        return T{};
    }

    struct Data : QSharedData {
        std::vector<std::pair<QString, Value>> entries;
    };
    QString m_className;
    QSharedDataPointer<Data> d{new Data};
};
