#pragma once
// The four most recently used show files, newest first, kept in the profile
// "Vistrel.ini" (group "Recent File List", keys File1 .. File4).
#include <QString>
#include <QStringList>

namespace vistrel {

class RecentFileList {
public:
    static constexpr int Capacity = 4;
    // Menu texts are shortened to this many characters.
    static constexpr int DisplayLength = 30;

    explicit RecentFileList(QString profilePath);

    void load();
    void save() const;

    // Puts `path` first; an entry for the same file moves up.
    void add(const QString& path);
    void remove(const QString& path);

    const QStringList& entries() const { return entries_; }

    // "C:/a/.../name.dpd"-style shortening to at most `length` characters where the
    // file name allows it; the file name itself is never cut.
    static QString abbreviate(const QString& path, int length = DisplayLength);

private:
    QString profilePath_;
    QStringList entries_;
};

}  // namespace vistrel
