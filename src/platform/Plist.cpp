#include "Plist.h"

#include "FileWrite.h"

#include <QFile>
#include <cstring>
#include <plist/plist.h>
#include <vector>

namespace {

// Containers nested deeper than this are refused before libplist sees them: its parser
// and its free both recurse once per level and would overflow the stack.
constexpr int kDeepestNesting = 256;

bool isContainerTag(const char *at, const char *end, const char *name)
{
    const size_t n = strlen(name);
    if (size_t(end - at) <= n || memcmp(at, name, n) != 0) return false;
    const char next = at[n];
    return next == '>' || next == ' ' || next == '\t' || next == '\n' || next == '\r' || next == '/';
}

// Whether the array and dict elements of an XML property list nest no deeper than
// `limit`. Escaped text never holds a raw '<', so counting tags is enough.
bool xmlNestingWithin(const QByteArray &bytes, int limit)
{
    int depth = 0;
    const char *p = bytes.constData(), *end = p + bytes.size();
    while ((p = static_cast<const char *>(memchr(p, '<', size_t(end - p))))) {
        ++p;
        const bool closing = p < end && *p == '/';
        const char *name = closing ? p + 1 : p;
        if (!isContainerTag(name, end, "array") && !isContainerTag(name, end, "dict")) continue;
        const char *close = static_cast<const char *>(memchr(name, '>', size_t(end - name)));
        if (closing) --depth;
        else if (!(close && close[-1] == '/') && ++depth > limit) return false;
    }
    return true;
}

// Whether a binary property list ("bplist00") can be handed to libplist: its
// containers nest no deeper than `limit` and none of its strings holds a NUL character
// (libplist aborts on one inside a dictionary key). False as well when its object
// table can't be followed.
bool binarySound(const QByteArray &bytes, int limit)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    const quint64 n = quint64(bytes.size());
    if (n < 8 + 32) return false;
    const auto be = [p](quint64 at, int size) {
        quint64 v = 0;
        for (int i = 0; i < size; ++i) v = v << 8 | p[at + quint64(i)];
        return v;
    };
    const int offsetSize = p[n - 26], refSize = p[n - 25];
    const quint64 count = be(n - 24, 8), root = be(n - 16, 8), table = be(n - 8, 8);
    if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8 || table < 8 || table > n - 32 ||
        count == 0 || root >= count || count > (n - 32 - table) / quint64(offsetSize))
        return false;

    // The objects that object `i` refers to (none unless it is a container); false when
    // it can't be read or is a string holding a NUL.
    const auto children = [&](quint64 i, std::vector<quint64> &out) {
        out.clear();
        const quint64 at = be(table + i * quint64(offsetSize), offsetSize);
        if (at < 8 || at >= table) return false;
        const int type = p[at] >> 4;
        const bool ascii = type == 0x5, utf16 = type == 0x6, container = type >= 0xA && type <= 0xD;
        if (!ascii && !utf16 && !container) return true;
        quint64 items = p[at] & 0xF, pos = at + 1;
        if (items == 0xF) {
            if (pos >= table || p[pos] >> 4 != 1) return false;
            const int size = 1 << (p[pos] & 0xF);
            if (size > 8 || pos + 1 + quint64(size) > table) return false;
            items = be(pos + 1, size);
            pos += 1 + quint64(size);
        }
        if (items > table) return false;
        if (!container) {
            const quint64 length = utf16 ? items * 2 : items;
            if (length > table - pos) return false;
            for (quint64 k = 0; k < length; k += utf16 ? 2 : 1)
                if (p[pos + k] == 0 && (ascii || p[pos + k + 1] == 0)) return false;
            return true;
        }
        const quint64 refs = type == 0xD ? items * 2 : items;
        if (refs > (table - pos) / quint64(refSize)) return false;
        for (quint64 k = 0; k < refs; ++k) {
            const quint64 r = be(pos + k * quint64(refSize), refSize);
            if (r >= count) return false;
            out.push_back(r);
        }
        return true;
    };

    // Depth-first, each object once; a reference back into the path is a cycle.
    enum : uchar { Unseen, OnPath, Done };
    std::vector<uchar> state(count, Unseen);
    struct Frame {
        quint64 object;
        std::vector<quint64> children;
        size_t next = 0;
    };
    std::vector<Frame> path(1, Frame{root, {}});
    if (!children(root, path.back().children)) return false;
    state[root] = OnPath;
    while (!path.empty()) {
        Frame &top = path.back();
        if (top.next == top.children.size()) {
            state[top.object] = Done;
            path.pop_back();
            continue;
        }
        const quint64 child = top.children[top.next++];
        if (state[child] == OnPath) return false;
        if (state[child] == Done) continue;
        if (int(path.size()) >= limit) return false;
        Frame f{child, {}};
        if (!children(child, f.children)) return false;
        state[child] = OnPath;
        path.push_back(std::move(f));
    }
    return true;
}

// The node's value; node kinds that have no value here read as a null QVariant. `ok`
// turns false when a string (or a key) holds a NUL character.
QVariant toVariant(plist_t node, bool &ok)
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
        // By pointer and length: libplist's copying getter aborts on a NUL inside.
        uint64_t len = 0;
        const char *s = plist_get_string_ptr(node, &len);
        if (!s) return QString();
        if (memchr(s, 0, size_t(len))) ok = false;
        return QString::fromUtf8(s, qsizetype(len));
    }
    case PLIST_DATA: {
        uint64_t len = 0;
        const char *d = plist_get_data_ptr(node, &len);
        return QByteArray(d, d ? qsizetype(len) : 0);
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t n = plist_array_get_size(node);
        for (uint32_t i = 0; i < n && ok; ++i) list << toVariant(plist_array_get_item(node, i), ok);
        return list;
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        while (ok) {
            char *key = nullptr;
            plist_t val = nullptr;
            plist_dict_next_item(node, it, &key, &val);
            if (!val) break;
            map.insert(QString::fromUtf8(key ? key : ""), toVariant(val, ok));
            free(key);
        }
        free(it);
        return map;
    }
    default:
        return {};
    }
}

// Property-list text has no place for a NUL character; it is left out.
QByteArray utf8(QString s) { return s.remove(QChar(0)).toUtf8(); }

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
            plist_dict_set_item(d, utf8(it.key()).constData(), fromVariant(it.value()));
        return d;
    }
    default:
        return plist_new_string(utf8(v.toString()).constData());
    }
}
} // namespace

std::optional<QVariant> Plist_From_Bytes(const QByteArray &bytes)
{
    if (bytes.isEmpty() || bytes.size() > 0x7fffffff) return std::nullopt;
    if (bytes.startsWith("bplist")) {
        if (!binarySound(bytes, kDeepestNesting)) return std::nullopt;
    } else if (bytes.contains('\0') || !xmlNestingWithin(bytes, kDeepestNesting)) {
        return std::nullopt;  // XML text never holds a NUL character
    }
    plist_t root = nullptr;
    plist_from_memory(bytes.constData(), uint32_t(bytes.size()), &root);
    if (!root) return std::nullopt;
    bool ok = true;
    QVariant v = toVariant(root, ok);
    plist_free(root);
    if (!ok || !v.isValid()) return std::nullopt;
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

bool Plist_Write_File(const QString &path, const QVariant &root, PlistFormat format, int permissions, int *error)
{
    return Write_File_Whole(path, Plist_To_Bytes(root, format), permissions, nullptr, File_Link::Write_Through, error);
}
