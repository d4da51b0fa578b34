#pragma once
// A keyed archive: an ordered record of key -> typed value, with the name of the
// archived class. A key that is missing reads as zero, false, an empty rectangle or
// an empty object: never as a default of the archived class.
#include "Picture.h"
#include "TextRecord.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
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

    bool contains(const QString &key) const { return find(key) != nullptr; }
    const std::vector<std::pair<QString, Value>> &entries() const { return m_entries; }
    QStringList keys() const;

    bool operator==(const KeyedArchive &o) const { return m_className == o.m_className && m_entries == o.m_entries; }

private:
    void set(const QString &key, Value v);
    const Value *find(const QString &key) const;
    template <class T> T get(const QString &key) const
    {
        if (const Value *v = find(key))
            if (const T *t = std::get_if<T>(v)) return *t;
        return T{};
    }

    QString m_className;
    std::vector<std::pair<QString, Value>> m_entries;
};
