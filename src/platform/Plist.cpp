#include "Plist.h"

#include "FileWrite.h"

#include <QFile>
#include <plist/plist.h>

namespace {
QVariant toVariant(plist_t node)
{
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t v = 0;
        plist_get_bool_val(node, &v);
        return bool(v);
    }
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        return qint64(v);
    }
    case PLIST_REAL: {
        double v = 0;
        plist_get_real_val(node, &v);
        return v;
    }
    case PLIST_STRING: {
        char *s = nullptr;
        plist_get_string_val(node, &s);
        QString r = QString::fromUtf8(s ? s : "");
        free(s);
        return r;
    }
    case PLIST_DATA: {
        char *d = nullptr;
        uint64_t len = 0;
        plist_get_data_val(node, &d, &len);
        QByteArray r(d, qsizetype(len));
        free(d);
        return r;
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t n = plist_array_get_size(node);
        for (uint32_t i = 0; i < n; ++i) list << toVariant(plist_array_get_item(node, i));
        return list;
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        for (;;) {
            char *key = nullptr;
            plist_t val = nullptr;
            plist_dict_next_item(node, it, &key, &val);
            if (!val) break;
            map.insert(QString::fromUtf8(key ? key : ""), toVariant(val));
            free(key);
        }
        free(it);
        return map;
    }
    default:
        return {};
    }
}

plist_t fromVariant(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return plist_new_bool(v.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return plist_new_uint(uint64_t(v.toLongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return plist_new_real(v.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        return plist_new_data(b.constData(), uint64_t(b.size()));
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        plist_t a = plist_new_array();
        for (const QVariant &item : v.toList()) plist_array_append_item(a, fromVariant(item));
        return a;
    }
    case QMetaType::QVariantMap: {
        plist_t d = plist_new_dict();
        const QVariantMap m = v.toMap();
        for (auto it = m.begin(); it != m.end(); ++it)
            plist_dict_set_item(d, it.key().toUtf8().constData(), fromVariant(it.value()));
        return d;
    }
    default:
        return plist_new_string(v.toString().toUtf8().constData());
    }
}
} // namespace

std::optional<QVariant> Plist_From_Bytes(const QByteArray &bytes)
{
    if (bytes.isEmpty() || bytes.size() > 0x7fffffff) return std::nullopt;
    plist_t root = nullptr;
    plist_from_memory(bytes.constData(), uint32_t(bytes.size()), &root);
    if (!root) return std::nullopt;
    QVariant v = toVariant(root);
    plist_free(root);
    if (!v.isValid()) return std::nullopt;
    return v;
}

QByteArray Plist_To_Bytes(const QVariant &root, PlistFormat format)
{
    plist_t node = fromVariant(root);
    char *out = nullptr;
    uint32_t len = 0;
    if (format == PlistFormat::Xml)
        plist_to_xml(node, &out, &len);
    else
        plist_to_bin(node, &out, &len);
    QByteArray bytes(out, qsizetype(len));
    free(out);
    plist_free(node);
    return bytes;
}

std::optional<QVariant> Plist_Read_File(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return Plist_From_Bytes(f.readAll());
}

bool Plist_Write_File(const QString &path, const QVariant &root, PlistFormat format, int permissions)
{
    return Write_File_Whole(path, Plist_To_Bytes(root, format), permissions);
}
