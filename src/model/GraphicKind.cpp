#include "GraphicKind.h"

#include <array>

namespace {
const std::array<const char *, 7> kClassNames = {"SKTGraphic", "SKTLine", "SKTText", "Shape_Control",
                                                 "SKTImage", "SKTSignature", "SKTBarcode"};
}

QString Graphic_Class_Name(GraphicKind kind) { return QString::fromLatin1(kClassNames[static_cast<size_t>(kind)]); }

bool Graphic_Kind_For_Class_Name(const QString &name, GraphicKind *kind)
{
    for (size_t i = 0; i < kClassNames.size(); ++i)
        if (name == QLatin1String(kClassNames[i])) {
            if (kind) *kind = static_cast<GraphicKind>(i);
            return true;
        }
    return false;
}
