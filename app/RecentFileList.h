#pragma once
// The four most recently used show files, newest first, kept in the profile
// "Vistrel.ini" (group "Recent File List", keys File1 .. File4).
#include <QString>
#include <QStringList>
#include <functional>

namespace vistrel {

class RecentFileList {
public:
    static constexpr int Capacity = 4;
    // Menu texts are shortened to this many characters.
    static constexpr int DisplayLength = 30;

    explicit RecentFileList(QString profilePath);

    void load();
    // False when the profile could not be written (a read-only folder, say); the first
    // such failure of a run goes to the report, the later ones are not said again.
    bool save();
    void setNotKeptReport(std::function<void(const QString& profilePath)> report) { notKept_ = std::move(report); }

    // Puts `path` first; an entry for the same file moves up.
    void add(const QString& path);
    void remove(const QString& path);

    const QStringList& entries() const { return entries_; }

    // "C:/a/.../name.dpd"-style shortening to at most `length` characters where the
    // file name allows it; the file name itself is never cut.
    static QString abbreviate(const QString& path, int length = DisplayLength);

private:
    bool reportNotKept();

    QString profilePath_;
    QStringList entries_;
    std::function<void(const QString&)> notKept_;
    bool notKeptSaid_ = false;
};

}  // namespace vistrel
