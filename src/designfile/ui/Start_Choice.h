#pragma once
// What the start window answers: the road taken and, for Open, the template.
#include <QString>
#include <optional>

// The road taken from the gallery.
enum class Start_Road { Cancel, Open, Card_Wizard, Invitation_Wizard };

// The gallery's answer: Open with the template path ("" for a blank card), a wizard, or
// Cancel. A path alone (or none) reads as Open (or Cancel).
struct Start_Choice {
    Start_Road road = Start_Road::Cancel;
    QString templatePath;

    Start_Choice() = default;
    Start_Choice(Start_Road r, QString path = {}) : road(r), templatePath(std::move(path)) {}
    Start_Choice(std::optional<QString> path)
        : road(path ? Start_Road::Open : Start_Road::Cancel), templatePath(path.value_or(QString())) {}
};
