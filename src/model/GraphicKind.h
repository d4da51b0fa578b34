#pragma once
// The exact kind of a card control. Behaviour that depends on the kind tests the
// exact kind, never "kind of".
#include <QString>

enum class GraphicKind { Graphic, Line, Text, Shape, Image, Signature, Barcode };

using KindMask = unsigned;
constexpr KindMask kindBit(GraphicKind k) { return 1u << static_cast<unsigned>(k); }
constexpr KindMask kAllKinds = 0x7f;
constexpr bool inMask(KindMask mask, GraphicKind k) { return (mask & kindBit(k)) != 0; }

// The class name of each kind, as recorded in a control archive.
QString Graphic_Class_Name(GraphicKind kind);
// The kind of a class name; false when the name is not a card control class.
bool Graphic_Kind_For_Class_Name(const QString &name, GraphicKind *kind);
