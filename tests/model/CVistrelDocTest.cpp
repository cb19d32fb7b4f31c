#include "model/CVistrelDoc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "TestFiles.h"
#include "model/Settings.h"
#include "platform/fake/RecordingPrompter.h"

namespace vistrel {
namespace {

using test::ScratchFolder;

class CountingView : public DocumentView {
public:
    void documentChanged(const DocumentChange& change) override {
        ++updates;
        last = change;
        if (onUpdate) onUpdate();
    }
    int updates = 0;
    DocumentChange last;
    std::function<void()> onUpdate;
};

std::unique_ptr<CVistrelDoc> oneLineShow() {
    auto doc = std::make_unique<CVistrelDoc>();
    doc->lines[0] = ProgramLine{"001", 1, 25, 55, 0, "", AllChangeMarks};
    doc->lineCount = 1;
    return doc;
}

TEST(CVistrelDoc, UnsavedChangesLookOnlyAtTheShowsLines) {
    CVistrelDoc doc;
    doc.lines[0].changeMarks = ChangedSinceSave;  // a title edit on an empty show
    EXPECT_FALSE(doc.hasUnsavedChanges());
    doc.lineCount = 1;
    EXPECT_TRUE(doc.hasUnsavedChanges());
    doc.lines[0].changeMarks = NotInProjector;
    EXPECT_FALSE(doc.hasUnsavedChanges());
}

TEST(CVistrelDoc, DiffersFromProjectorByMarksOrByTitle) {
    CVistrelDoc doc;
    doc.windowTitle = "urlaub.dpd";
    doc.lines[0].changeMarks = ChangedSinceSave;
    doc.lineCount = 1;
    EXPECT_FALSE(doc.differsFromProjector(false, ""));
    EXPECT_FALSE(doc.differsFromProjector(true, "urlaub.dpd"));
    EXPECT_TRUE(doc.differsFromProjector(true, "Urlaub.dpd"));  // case counts
    doc.lines[0].changeMarks = NotInProjector;
    EXPECT_TRUE(doc.differsFromProjector(false, ""));
}

TEST(CVistrelDoc, SaveCompletesTheDpdEnding) {
    const std::pair<const char*, const char*> table[] = {
        {"abc", "abc.dpd"}, {"abc.DPD", "abc.DPD"}, {"abc.Dpd", "abc.Dpd"}, {"abc.txt", "abc.txt.dpd"}, {"pd", "pd.dpd"},
    };
    for (const auto& [given, saved] : table) {
        ScratchFolder folder;
        auto doc = oneLineShow();
        std::vector<std::string> recent;
        doc->onSavedToFile = [&recent](const std::string& path) { recent.push_back(path); };
        RecordingPrompter prompter;
        ASSERT_TRUE(doc->saveToFile(folder.file(given), prompter)) << given;
        EXPECT_EQ(doc->filePath, folder.file(saved));
        EXPECT_TRUE(std::filesystem::exists(folder.file(saved))) << saved;
        EXPECT_EQ(recent, std::vector<std::string>{folder.file(saved)});
        EXPECT_FALSE(doc->hasUnsavedChanges());
    }
}

TEST(CVistrelDoc, FailedSaveKeepsTheAttemptedPathAndTellsNoRecentList) {
    ScratchFolder folder;
    auto doc = oneLineShow();
    bool told = false;
    doc->onSavedToFile = [&told](const std::string&) { told = true; };
    RecordingPrompter prompter;
    EXPECT_FALSE(doc->saveToFile(folder.file("gone/abc"), prompter));
    EXPECT_EQ(doc->filePath, folder.file("gone/abc.dpd"));
    EXPECT_FALSE(told);
    EXPECT_TRUE(doc->hasUnsavedChanges());
}

TEST(CVistrelDoc, OpenReportsSuccessEvenWhenTheReaderFailed) {
    ScratchFolder folder;
    CVistrelDoc doc;
    CountingView view;
    doc.addView(&view);
    RecordingPrompter prompter;
    EXPECT_TRUE(doc.openFromFile(folder.file("missing.dpd"), Settings{}, prompter));
    EXPECT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(doc.lineCount, 0);
    EXPECT_EQ(doc.windowTitle, "missing.dpd");
    EXPECT_TRUE(doc.filePath.empty()) << "saving asks where instead of replacing the file it could not read";
    EXPECT_TRUE(view.last.rowsRebuilt);
    EXPECT_TRUE(view.last.showReplaced);
    EXPECT_EQ(view.updates, 1);
}

TEST(CVistrelDoc, OpenLoadsTheShowAsSavedButNotInTheProjector) {
    CVistrelDoc doc;
    RecordingPrompter prompter;
    ASSERT_TRUE(doc.openFromFile(test::dataFile("sample.dpd"), Settings{}, prompter));
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(doc.lineCount, 2);
    EXPECT_EQ(doc.filePath, test::dataFile("sample.dpd"));
    EXPECT_FALSE(doc.hasUnsavedChanges());
    EXPECT_TRUE(doc.differsFromProjector(false, ""));
}

TEST(CVistrelDoc, UpdatesSkipTheSenderAndViewsThatLeft) {
    CVistrelDoc doc;
    CountingView list, editor, closing;
    doc.addView(&list);
    doc.addView(&closing);
    doc.addView(&editor);
    doc.addView(&editor);  // added once only
    closing.onUpdate = [&] { doc.removeView(&editor); };
    DocumentChange change;
    change.headerFields = TitleField;
    doc.announce(change, &list);
    EXPECT_EQ(list.updates, 0);
    EXPECT_EQ(closing.updates, 1);
    EXPECT_EQ(closing.last.headerFields, unsigned(TitleField));
    EXPECT_EQ(editor.updates, 0);
}

}  // namespace
}  // namespace vistrel
