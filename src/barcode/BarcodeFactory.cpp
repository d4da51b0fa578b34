#include "BarcodeFactory.h"

#include "CodabarBarcode.h"
#include "Code128Barcode.h"
#include "Code39Barcodes.h"
#include "JapanPostBarcode.h"
#include "PlesseyBarcodes.h"
#include "PostalBarcodes.h"
#include "TwoOfFiveBarcodes.h"
#include "UPCEANBarcodes.h"

#include <functional>
#include <utility>

namespace {

using Maker = std::function<std::unique_ptr<NKDBarcode>()>;

template <class T> Maker make()
{
    return [] { return std::make_unique<T>(); };
}

Maker code128(int set)
{
    return [set] {
        auto b = std::make_unique<NKDCode128Barcode>();
        b->setCodeSet(set);
        return std::unique_ptr<NKDBarcode>(std::move(b));
    };
}

const std::vector<std::pair<QString, Maker>> &table()
{
    static const std::vector<std::pair<QString, Maker>> rows = {
        {QStringLiteral("Code 39"), make<NKDCode39Barcode>()},
        {QStringLiteral("Extended Code 39"), make<NKDExtendedCode39Barcode>()},
        {QStringLiteral("Interleaved 2 of 5"), make<NKDInterleavedTwoOfFiveBarcode>()},
        {QStringLiteral("UPCA"), make<NKDUPCABarcode>()},
        {QStringLiteral("PostNet"), make<NKDPostnetBarcode>()},
        {QStringLiteral("Modified Plessey"), make<NKDModifiedPlesseyBarcode>()},
        {QStringLiteral("Modified Plessey (Hex)"), make<NKDModifiedPlesseyHexBarcode>()},
        {QStringLiteral("Industrial 2 of 5"), make<NKDIndustrialTwoOfFiveBarcode>()},
        {QStringLiteral("EAN-13"), make<NKDEAN13Barcode>()},
        {QStringLiteral("Code 128"), code128(NKDCode128Barcode::SetAuto)},
        {QStringLiteral("Code 128 SET A"), code128(NKDCode128Barcode::SetA)},
        {QStringLiteral("Code 128 SET B"), code128(NKDCode128Barcode::SetB)},
        {QStringLiteral("Code 128 SET C"), code128(NKDCode128Barcode::SetC)},
        {QStringLiteral("Codabar"), make<NKDCodabarBarcode>()},
        {QStringLiteral("UPCE"), make<NKDUPCEBarcode>()},
        {QStringLiteral("EAN-8"), make<NKDEAN8Barcode>()},
        {QStringLiteral("Royal Mail Barcode (RM4SCC / CBC)"), make<NKDRoyalMailBarcode>()},
        {QStringLiteral("Planet"), make<NKDPlanetBarcode>()},
        {QStringLiteral("Japan Post Barcode"), make<JapanPostBarcode>()},
    };
    return rows;
}

} // namespace

QStringList Linear_Barcode_Titles()
{
    QStringList titles;
    for (const auto &row : table()) titles << row.first;
    return titles;
}

std::unique_ptr<NKDBarcode> Make_Linear_Barcode(const QString &title, const QString &content, bool printsCaption)
{
    for (const auto &[name, maker] : table()) {
        if (name != title) continue;
        std::unique_ptr<NKDBarcode> b = maker();
        b->initWithContent(content, printsCaption);
        return b;
    }
    return nullptr;
}
