#include "ControlArchiveBytes.h"

#include "Plist.h"

#include <QBuffer>
#include <QImage>
#include <QSet>

namespace {

const QString kClassKey = QStringLiteral("$class");
const QString kKeysKey = QStringLiteral("$keys");

template <class... Fs> struct Overloaded : Fs... { using Fs::operator()...; };
template <class... Fs> Overloaded(Fs...) -> Overloaded<Fs...>;

// ---- Writing ----

QVariantList numbers(std::initializer_list<double> values)
{
    QVariantList l;
    for (double v : values) l << v;
    return l;
}

QVariantList colorValue(const QColor &color)
{
    // Colours of other models (HSV, CMYK) are kept as their RGB equivalent.
    const QColor c = color.toRgb();
    float r, g, b, a;
    c.getRgbF(&r, &g, &b, &a);
    return numbers({r, g, b, a});
}

QVariantMap fontValue(const QFont &f)
{
    return {{"family", f.family()},
            {"size", f.pointSizeF()},
            {"weight", qint64(f.weight())},
            {"italic", f.italic()},
            {"description", f.toString()}};
}

QVariantMap pictureValue(const Picture &p)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    p.image().save(&buffer, "PNG");
    return {{"png", png}, {"size", numbers({p.size().width(), p.size().height()})}, {"format", qint64(p.image().format())}};
}

QVariantMap textValue(const TextRecord &t)
{
    QVariantMap m{{"string", t.text}, {"font", fontValue(t.font)}};
    if (t.color.isValid()) m.insert("color", colorValue(t.color));
    return m;
}

QVariantMap typed(const KeyedArchive::Value &value)
{
    return std::visit(Overloaded{
                          [](bool v) { return QVariantMap{{"bool", v}}; },
                          [](int32_t v) { return QVariantMap{{"int", qint64(v)}}; },
                          [](float v) { return QVariantMap{{"float", double(v)}}; },
                          [](double v) { return QVariantMap{{"double", v}}; },
                          [](const QRectF &v) {
                              return QVariantMap{{"rect", numbers({v.x(), v.y(), v.width(), v.height()})}};
                          },
                          [](const QPointF &v) { return QVariantMap{{"point", numbers({v.x(), v.y()})}}; },
                          [](const QSizeF &v) { return QVariantMap{{"size", numbers({v.width(), v.height()})}}; },
                          [](const QString &v) { return QVariantMap{{"string", v}}; },
                          [](const QColor &v) { return QVariantMap{{"color", colorValue(v)}}; },
                          [](const QFont &v) { return QVariantMap{{"font", fontValue(v)}}; },
                          [](const Picture &v) { return QVariantMap{{"picture", pictureValue(v)}}; },
                          [](const TextRecord &v) { return QVariantMap{{"text", textValue(v)}}; },
                      },
                      value);
}

// ---- Reading ----

bool isType(const QVariant &v, QMetaType::Type t) { return v.typeId() == t; }

bool readNumbers(const QVariant &v, int count, QList<double> &out)
{
    if (!isType(v, QMetaType::QVariantList)) return false;
    const QVariantList l = v.toList();
    if (l.size() != count) return false;
    out.clear();
    for (const QVariant &n : l) {
        if (!isType(n, QMetaType::Double)) return false;
        out << n.toDouble();
    }
    return true;
}

bool readColor(const QVariant &v, QColor &out)
{
    QList<double> n;
    if (!readNumbers(v, 4, n)) return false;
    out = QColor::fromRgbF(float(n[0]), float(n[1]), float(n[2]), float(n[3]));
    return true;
}

bool readFont(const QVariant &v, QFont &out)
{
    if (!isType(v, QMetaType::QVariantMap)) return false;
    const QVariantMap m = v.toMap();
    QFont f;
    const QVariant description = m.value("description"), family = m.value("family"), size = m.value("size"),
                   weight = m.value("weight"), italic = m.value("italic");
    // The description is comma-separated: a family holding a comma is read from its parts.
    if (isType(description, QMetaType::QString) && f.fromString(description.toString()) &&
        (!isType(family, QMetaType::QString) || f.family() == family.toString())) {
        out = f;
        return true;
    }
    if (!isType(family, QMetaType::QString) || !isType(size, QMetaType::Double)) return false;
    f = QFont();
    f.setFamily(family.toString());
    if (size.toDouble() > 0) f.setPointSizeF(size.toDouble());
    if (isType(weight, QMetaType::LongLong)) f.setWeight(QFont::Weight(qBound(qint64(1), qint64(weight.toLongLong()), qint64(1000))));
    if (isType(italic, QMetaType::Bool)) f.setItalic(italic.toBool());
    out = f;
    return true;
}

bool readPicture(const QVariant &v, Picture &out)
{
    if (!isType(v, QMetaType::QVariantMap)) return false;
    const QVariantMap m = v.toMap();
    const QVariant png = m.value("png"), format = m.value("format");
    QList<double> size;
    if (!isType(png, QMetaType::QByteArray) || !readNumbers(m.value("size"), 2, size)) return false;
    QImage image = QImage::fromData(png.toByteArray(), "PNG");
    if (image.isNull()) return false;
    if (isType(format, QMetaType::LongLong)) {
        const qint64 f = format.toLongLong();
        if (f > QImage::Format_Invalid && f < QImage::NImageFormats && f != image.format())
            image = image.convertToFormat(QImage::Format(f));
    }
    out = Picture(std::move(image), QSizeF(size[0], size[1]));
    return true;
}

bool readText(const QVariant &v, TextRecord &out)
{
    if (!isType(v, QMetaType::QVariantMap)) return false;
    const QVariantMap m = v.toMap();
    TextRecord t;
    const QVariant s = m.value("string");
    if (!isType(s, QMetaType::QString) || !readFont(m.value("font"), t.font)) return false;
    t.text = s.toString();
    t.color = QColor();
    if (m.contains("color") && !readColor(m.value("color"), t.color)) return false;
    out = t;
    return true;
}

// Adds one typed value to the archive; false when it is not one.
bool readTyped(KeyedArchive &a, const QString &key, const QVariant &node)
{
    if (!isType(node, QMetaType::QVariantMap) || node.toMap().size() != 1) return false;
    const QVariantMap m = node.toMap();
    const QString type = m.firstKey();
    const QVariant v = m.first();
    QList<double> n;
    if (type == "bool" && isType(v, QMetaType::Bool)) a.encodeBool(key, v.toBool());
    else if (type == "int" && isType(v, QMetaType::LongLong) && v.toLongLong() >= INT32_MIN && v.toLongLong() <= INT32_MAX)
        a.encodeInt(key, int32_t(v.toLongLong()));
    else if (type == "float" && isType(v, QMetaType::Double)) {
        if (Is_Adjustment_Key(key) && !Is_Sound_Stored_Adjustment(v.toDouble())) return false;  // a picture adjustment
        a.encodeFloat(key, float(v.toDouble()));
    }
    else if (type == "double" && isType(v, QMetaType::Double)) a.encodeDouble(key, v.toDouble());
    else if (type == "rect" && readNumbers(v, 4, n) && Is_Sound_Stored_Geometry(QRectF(n[0], n[1], n[2], n[3])))
        a.encodeRect(key, QRectF(n[0], n[1], n[2], n[3]));  // a control's bounds
    else if (type == "point" && readNumbers(v, 2, n)) a.encodePoint(key, QPointF(n[0], n[1]));
    else if (type == "size" && readNumbers(v, 2, n)) a.encodeSize(key, QSizeF(n[0], n[1]));
    else if (type == "string" && isType(v, QMetaType::QString)) a.encodeString(key, v.toString());
    else if (type == "color") {
        QColor c;
        if (!readColor(v, c)) return false;
        a.encodeColor(key, c);
    } else if (type == "font") {
        QFont f;
        if (!readFont(v, f)) return false;
        a.encodeFont(key, f);
    } else if (type == "picture") {
        Picture p;
        if (!readPicture(v, p)) return false;
        a.encodePicture(key, p);
    } else if (type == "text") {
        TextRecord t;
        if (!readText(v, t)) return false;
        a.encodeText(key, t);
    } else
        return false;
    return true;
}

std::nullopt_t fail(QString *error, const QString &reason)
{
    if (error) *error = reason;
    return std::nullopt;
}

} // namespace

QVariantMap Control_Archive_To_Plist(const KeyedArchive &archive)
{
    QVariantMap root{{kClassKey, archive.className()}};
    QVariantList keys;
    for (const auto &[key, value] : archive.entries()) {
        keys << key;
        root.insert(key, typed(value));
    }
    root.insert(kKeysKey, keys);
    return root;
}

std::optional<KeyedArchive> Control_Archive_From_Plist(const QVariant &value, QString *error)
{
    if (!isType(value, QMetaType::QVariantMap)) return fail(error, "not a control archive");
    const QVariantMap root = value.toMap();
    const QVariant cls = root.value(kClassKey), keys = root.value(kKeysKey);
    if (!isType(cls, QMetaType::QString) || !isType(keys, QMetaType::QVariantList))
        return fail(error, "not a control archive");

    KeyedArchive a(cls.toString());
    QSet<QString> seen;
    for (const QVariant &k : keys.toList()) {
        const QString key = k.toString();
        if (!isType(k, QMetaType::QString) || key.startsWith(u'$') || seen.contains(key) || !root.contains(key))
            return fail(error, QStringLiteral("archive key list is damaged"));
        seen.insert(key);
        if (!readTyped(a, key, root.value(key)))
            return fail(error, QStringLiteral("value of \"%1\" is damaged").arg(key));
    }
    if (root.size() != seen.size() + 2) return fail(error, "archive holds keys outside its key list");
    return a;
}

QByteArray Control_Archive_To_Bytes(const KeyedArchive &archive)
{
    return Plist_To_Bytes(Control_Archive_To_Plist(archive), PlistFormat::Binary);
}

std::optional<KeyedArchive> Control_Archive_From_Bytes(const QByteArray &bytes, QString *error)
{
    const std::optional<QVariant> root = Plist_From_Bytes(bytes);
    if (!root) return fail(error, "not a property list");
    return Control_Archive_From_Plist(*root, error);
}

QByteArray Control_Archives_To_Bytes(const std::vector<KeyedArchive> &archives)
{
    QVariantList list;
    for (const KeyedArchive &a : archives) list << Control_Archive_To_Plist(a);
    return Plist_To_Bytes(list, PlistFormat::Binary);
}

std::optional<std::vector<KeyedArchive>> Control_Archives_From_Bytes(const QByteArray &bytes, QString *error)
{
    const std::optional<QVariant> root = Plist_From_Bytes(bytes);
    if (!root) return fail(error, "not a property list");
    if (!isType(*root, QMetaType::QVariantList)) return fail(error, "not a list of control archives");
    std::vector<KeyedArchive> out;
    for (const QVariant &item : root->toList()) {
        std::optional<KeyedArchive> a = Control_Archive_From_Plist(item, error);
        if (!a) return std::nullopt;
        out.push_back(std::move(*a));
    }
    return out;
}

QByteArray Graphics_To_Archive_Bytes(const std::vector<GraphicPtr> &graphics)
{
    std::vector<KeyedArchive> archives;
    for (const GraphicPtr &g : graphics)
        if (g) archives.push_back(g->encode());
    return Control_Archives_To_Bytes(archives);
}

std::optional<std::vector<GraphicPtr>> Graphics_From_Archive_Bytes(const QByteArray &bytes, QString *error)
{
    const auto archives = Control_Archives_From_Bytes(bytes, error);
    if (!archives) return std::nullopt;
    std::vector<GraphicPtr> out;
    for (const KeyedArchive &a : *archives) {
        GraphicPtr g = SKTGraphic::decode(a);
        if (!g) return fail(error, QStringLiteral("\"%1\" is not a card control").arg(a.className()));
        out.push_back(std::move(g));
    }
    return out;
}
