#pragma once
// The field table of the card controls: one entry per field with its name, type,
// default, the exact kinds whose control archive holds it and the kinds whose copy()
// carries it. Defaults, copy, the control archive and generic access by name all
// work from this one table.
//
// The table is in control-archive order: the keys that one kind archives, taken in
// table order, are that kind's archive in the order it is written.
#include "SKTGraphic.h"

#include <optional>
#include <variant>
#include <vector>

// A pointer to a field, by its type. Fields of a subclass are held as pointers to
// members of SKTGraphic (a legal conversion) and are only used on that subclass.
using FieldMember =
    std::variant<bool SKTGraphic::*, int SKTGraphic::*, float SKTGraphic::*, double SKTGraphic::*,
                 QRectF SKTGraphic::*, QString SKTGraphic::*, QColor SKTGraphic::*, std::optional<QFont> SKTGraphic::*,
                 Picture SKTGraphic::*, std::optional<TextRecord> SKTGraphic::*>;
// A field's value; the alternatives line up with FieldMember's.
using FieldValue = std::variant<bool, int, float, double, QRectF, QString, QColor, std::optional<QFont>, Picture,
                                std::optional<TextRecord>>;

struct GraphicField {
    QString name;
    FieldMember member;
    FieldValue defaultValue;
    FieldValue (*kindDefault)(GraphicKind) = nullptr;  // a default that depends on the kind or the run
    KindMask archivedBy = 0;                          // exact kinds whose archive holds the field
    KindMask copiedBy = 0;                            // exact kinds whose copy() carries the field
    KindMask presentIn = kAllKinds;                   // kinds that have the field (subclass fields)

    bool appliesTo(GraphicKind k) const { return inMask(presentIn, k); }
    FieldValue defaultFor(GraphicKind k) const { return kindDefault ? kindDefault(k) : defaultValue; }
    FieldValue get(const SKTGraphic &g) const;
    // Plain write, no change report; false when the value has another type.
    bool set(SKTGraphic &g, const FieldValue &v) const;
    // The zero / false / empty value of the field's type.
    FieldValue blankValue() const;
};

const std::vector<GraphicField> &Graphic_Fields();
const GraphicField *Find_Graphic_Field(const QString &name);
// The archive keys of an exact kind, in writing order.
QStringList Graphic_Archive_Keys(GraphicKind kind);

// Generic access by field name (for panels, design files and tests). The setter
// reports the change to the owner when the value differs; both fail (nullopt / false)
// for an unknown name, a field the kind lacks, or a value of another type.
std::optional<FieldValue> Graphic_Field_Value(const SKTGraphic &g, const QString &name);
bool Set_Graphic_Field_Value(SKTGraphic &g, const QString &name, const FieldValue &value);
