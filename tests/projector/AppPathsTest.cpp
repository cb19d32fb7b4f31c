// Where the program keeps its files: the XDG folders of the user, whatever folder the
// program runs from, and the carrying over of files an earlier build kept beside itself.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <optional>
#include <string>

#include "platform/qt/core/AppPaths.h"

namespace vistrel {
namespace {

// Sets environment variables for one test and puts the old values back after it.
class ScopedEnvironment {
public:
    void set(const char* name, const std::optional<QString>& value) {
        if (!saved_.count(name)) saved_[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
        if (value) qputenv(name, value->toUtf8());
        else qunsetenv(name);
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value) qputenv(name.c_str(), *value);
            else qunsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<QByteArray>> saved_;
};

struct PathCase {
    const char* what;
    std::optional<QString> configDir, xdgConfig, xdgState, log;  // relative to the temp folder
    QString expectedConfig, expectedState, expectedLog;          // ditto
};

TEST(AppPaths, FoldersFollowTheUsersXdgFoldersAndTheOverrides) {
    const PathCase cases[] = {
        {"defaults below home", {}, {}, {}, {}, "home/.config/vistrel", "home/.local/state/vistrel",
         "home/.local/state/vistrel/DIA.LOG"},
        {"XDG folders", {}, QString("cfg"), QString("st"), {}, "cfg/vistrel", "st/vistrel", "st/vistrel/DIA.LOG"},
        {"relative XDG folders are ignored", {}, QString("@rel/cfg"), QString("@rel/st"), {}, "home/.config/vistrel",
         "home/.local/state/vistrel", "home/.local/state/vistrel/DIA.LOG"},
        {"empty XDG folders are ignored", {}, QString(""), QString(""), {}, "home/.config/vistrel",
         "home/.local/state/vistrel", "home/.local/state/vistrel/DIA.LOG"},
        {"VISTREL_CONFIG_DIR holds settings and state", QString("own"), QString("cfg"), QString("st"), {}, "own", "own",
         "st/vistrel/DIA.LOG"},
        {"VISTREL_LOG names the log", {}, {}, QString("st"), QString("logs/serial.log"), "home/.config/vistrel",
         "st/vistrel", "logs/serial.log"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir temp;
        const QString root = temp.path() + QLatin1Char('/');
        // "@" marks a value taken as it stands (a relative path), the rest lies in the temp folder.
        auto value = [&](const std::optional<QString>& v) -> std::optional<QString> {
            if (!v || v->isEmpty()) return v;
            return v->startsWith('@') ? v->mid(1) : root + *v;
        };
        ScopedEnvironment env;
        env.set("HOME", root + "home");
        env.set("VISTREL_CONFIG_DIR", value(c.configDir));
        env.set("XDG_CONFIG_HOME", value(c.xdgConfig));
        env.set("XDG_STATE_HOME", value(c.xdgState));
        env.set("VISTREL_LOG", value(c.log));

        EXPECT_EQ(configFolder(), root + c.expectedConfig);
        EXPECT_EQ(settingsFilePath(), root + c.expectedConfig + "/vistrel.def");
        EXPECT_EQ(profilePath(), root + c.expectedConfig + "/Vistrel.ini");
        EXPECT_EQ(stateFolder(), root + c.expectedState);
        EXPECT_EQ(showMediaFilePath(), root + c.expectedState + "/show-media.txt");
        EXPECT_EQ(serialLogPath(), root + c.expectedLog);
        EXPECT_TRUE(QDir(root + c.expectedConfig).exists()) << "the settings can be written at the end";
    }
}

TEST(AppPaths, WithoutAHomeNothingIsKeptInTheRootFolder) {
    const struct {
        const char* home;          // HOME; null: unset
        const char* passwordHome;  // the user's entry; null: none
        const char* folder;
    } table[] = {
        {"/home/anna", "/home/other", "/home/anna"},
        {"/home/anna/", nullptr, "/home/anna"},
        {nullptr, "/home/anna", "/home/anna"},
        {"", "/var/lib/vistrel", "/var/lib/vistrel"},
        {"relative/home", "/home/anna", "/home/anna"},
        {nullptr, nullptr, ""},
        {nullptr, "/", ""},
        {nullptr, "", ""},
        {"/", "/root", ""},
        {"//", nullptr, ""},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.home ? row.home : "<unset>");
        EXPECT_EQ(homeFolderFrom(row.home ? QString(row.home) : QString(), row.passwordHome), QString(row.folder));
    }
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

struct AdoptCase {
    const char* what;
    bool oldSettings, oldProfile, newSettings, settingsIsFolder, programIsConfigFolder;
    int copied;
    QByteArray settingsAfter, profileAfter;
};

TEST(AppPaths, FilesBesideAnEarlierBuildAreCopiedOnceAndNeverOverwriteTheUsersOwn) {
    const AdoptCase cases[] = {
        {"both carried over", true, true, false, false, false, 2, "old settings", "old profile"},
        {"only the settings", true, false, false, false, false, 1, "old settings", "<missing>"},
        {"the user's own settings win", true, true, true, false, false, 1, "new settings", "old profile"},
        {"nothing beside the program", false, false, false, false, false, 0, "<missing>", "<missing>"},
        {"a folder named vistrel.def is no settings file", false, true, false, true, false, 1, "<missing>", "old profile"},
        {"the program runs from the config folder", true, false, false, false, true, 0, "old settings", "<missing>"},
    };
    for (const AdoptCase& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir temp;
        const QString program = temp.path() + "/bin";
        const QString config = c.programIsConfigFolder ? program : temp.path() + "/config";
        QDir().mkpath(program);
        QDir().mkpath(config);
        if (c.oldSettings) writeFile(program + "/vistrel.def", "old settings");
        if (c.settingsIsFolder) QDir().mkpath(program + "/vistrel.def");
        if (c.oldProfile) writeFile(program + "/Vistrel.ini", "old profile");
        if (c.newSettings) writeFile(config + "/vistrel.def", "new settings");

        EXPECT_EQ(adoptFilesFromProgramFolder(program, config), c.copied);
        EXPECT_EQ(readFile(config + "/vistrel.def"), c.settingsAfter);
        EXPECT_EQ(readFile(config + "/Vistrel.ini"), c.profileAfter);
        if (c.oldSettings) {
            EXPECT_EQ(readFile(program + "/vistrel.def"), "old settings") << "the old file stays";
        }
        EXPECT_EQ(adoptFilesFromProgramFolder(program, config), 0) << "a second start copies nothing";
    }
}

}  // namespace
}  // namespace vistrel
