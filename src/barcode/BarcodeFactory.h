#pragma once
// The linear symbologies by their titles.
#include "NKDBarcode.h"

#include <QStringList>
#include <memory>

// The nineteen titles, in the order in which they are compared.
QStringList Linear_Barcode_Titles();

// A model of the titled symbology initialised with the content and caption switch
// (Code 128 titles with their code set first); none for an unknown title.
std::unique_ptr<NKDBarcode> Make_Linear_Barcode(const QString &title, const QString &content,
                                                bool printsCaption);
