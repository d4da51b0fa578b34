// The control archive: the keys of the control's exact kind, in field-table order.
// Doubles travel as 32-bit floats; reading starts from a blank control, so a missing
// key reads as zero, false or empty.
#include "GraphicFields.h"

#include <algorithm>

namespace {
template <class... Fs> struct Overloaded : Fs... { using Fs::operator()...; };
template <class... Fs> Overloaded(Fs...) -> Overloaded<Fs...>;
} // namespace

KeyedArchive SKTGraphic::encode() const
{
    KeyedArchive a(className());
    a.reserve(size_t(std::count_if(Graphic_Fields().begin(), Graphic_Fields().end(),
                                   [&](const GraphicField &f) { return inMask(f.archivedBy, kind()); })));
    for (const GraphicField &f : Graphic_Fields()) {
        if (!inMask(f.archivedBy, kind())) continue;
        const QString &k = f.name;
        std::visit(Overloaded{
                       [&](bool v) { a.encodeBool(k, v); },
                       [&](int v) { a.encodeInt(k, v); },
                       [&](float v) { a.encodeFloat(k, v); },
                       [&](double v) { a.encodeFloat(k, static_cast<float>(v)); },
                       [&](const QRectF &v) { a.encodeRect(k, v); },
                       [&](const QString &v) { a.encodeString(k, v); },
                       [&](const QColor &v) { a.encodeColor(k, v); },
                       [&](const std::optional<QFont> &v) { a.encodeFont(k, v); },
                       [&](const Picture &v) { a.encodePicture(k, v); },
                       [&](const std::optional<TextRecord> &v) { a.encodeText(k, v); },
                   },
                   f.get(*this));
    }
    std::lock_guard lock(m_archiveMutex);
    if (a == m_lastArchive) return m_lastArchive;
    m_lastArchive = a;
    return a;
}

GraphicPtr SKTGraphic::decode(const KeyedArchive &a)
{
    GraphicKind kind;
    if (!Graphic_Kind_For_Class_Name(a.className(), &kind)) return nullptr;
    GraphicPtr g = create(kind, true);
    for (const GraphicField &f : Graphic_Fields()) {
        if (!inMask(f.archivedBy, kind)) continue;
        const QString &k = f.name;
        const FieldValue v = std::visit(Overloaded{
                                            [&](bool) -> FieldValue { return a.decodeBool(k); },
                                            [&](int) -> FieldValue { return int(a.decodeInt(k)); },
                                            [&](float) -> FieldValue { return a.decodeFloat(k); },
                                            [&](double) -> FieldValue { return double(a.decodeFloat(k)); },
                                            [&](const QRectF &) -> FieldValue { return a.decodeRect(k); },
                                            [&](const QString &) -> FieldValue { return a.decodeString(k); },
                                            [&](const QColor &) -> FieldValue { return a.decodeColor(k); },
                                            [&](const std::optional<QFont> &) -> FieldValue { return a.decodeFont(k); },
                                            [&](const Picture &) -> FieldValue { return a.decodePicture(k); },
                                            [&](const std::optional<TextRecord> &) -> FieldValue { return a.decodeText(k); },
                                        },
                                        f.blankValue());
        f.set(*g, v);
    }
    // A control read back usually archives to the same entries: kept for sharing.
    g->m_lastArchive = a;
    return g;
}
