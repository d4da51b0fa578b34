#pragma once
// Watches a folder for changes of file attributes (permissions, owner) while an action
// runs: a file created with its final permissions never shows up.
#include <QFile>
#include <QStringList>
#include <functional>
#include <sys/inotify.h>
#include <unistd.h>

namespace testsupport {

inline QStringList attributeChangesDuring(const QString &folder, const std::function<void()> &action)
{
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    inotify_add_watch(fd, QFile::encodeName(folder).constData(), IN_ATTRIB);
    action();
    QStringList names;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;)
        for (char *p = buffer; p < buffer + n;) {
            const auto *e = reinterpret_cast<const inotify_event *>(p);
            names << QString::fromUtf8(e->len ? e->name : "");
            p += sizeof(inotify_event) + e->len;
        }
    close(fd);
    return names;
}

} // namespace testsupport
