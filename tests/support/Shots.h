#pragma once
// Screenshots of a tour by hand: a widget's picture saved into the folder named by an
// environment variable (DOZO_SHOTS_DIR unless said otherwise); nothing when it is unset,
// so a test run writes nothing outside its own temporary folders.
#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QWidget>

namespace testsupport {

inline void saveShot(QWidget &w, const QString &name, const char *variable = "DOZO_SHOTS_DIR")
{
    const QString folder = qEnvironmentVariable(variable);
    if (folder.isEmpty() || !QDir().mkpath(folder)) return;
    w.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// A window's picture as it shows at the size it opens with: shown first, when pictures
// are asked for (it stays shown).
inline void saveShownShot(QWidget &window, const QString &name, const char *variable = "DOZO_SHOTS_DIR")
{
    if (qEnvironmentVariableIsEmpty(variable)) return;
    window.show();
    QCoreApplication::processEvents();
    saveShot(window, name, variable);
}

}  // namespace testsupport
