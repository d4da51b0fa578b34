#pragma once
// The five people of a group project as its rows: number, name, company, unique number.
#include <QList>
#include <QStringList>

namespace group_project {
inline const QList<QStringList> kPeople = {
    {"1", "Ann", "Acme", "U1"}, {"2", "Bob", "Bell", "U2"}, {"3", "Cy", "Corp", "U3"},
    {"4", "Dee", "Dart", "U4"}, {"5", "Eve", "Echo", "U5"},
};
} // namespace group_project
