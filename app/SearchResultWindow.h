#pragma once
// "Suchergebnis": the result window of the search in folders. It shows the term, the
// files examined and the kilobytes read (growing while the walk goes on), and one row
// per show file found: its path, the matching description and the show's title. A
// row opens its show ("Datei laden" or a double-click, which leaves the window
// minimized for the next pick). "Cancel" stops a walk still running; after that it
// closes the window. At most one exists; it deletes itself when closed.
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QStandardItemModel;
class QTreeView;

namespace vistrel {

class FolderSearchRunner;
struct FolderSearchCounters;

class SearchResultWindow : public QWidget {
    Q_OBJECT

public:
    // Where the controls go in a window of `size`: the list and the two buttons.
    struct Layout {
        QRect list, ok, cancel;
    };
    static Layout layoutFor(QSize size, QSize buttonSize);
    static constexpr int ColumnWidths[3] = {280, 480, 480};

    // `openShow` opens the show of a row (the search-pending mark is set by the caller).
    explicit SearchResultWindow(std::function<void(const QString& path)> openShow, QWidget* parent = nullptr);
    ~SearchResultWindow() override;

    // Starts the walk; the window fills as it goes. `done` runs when it has ended.
    void startSearch(const QString& startFolder, const QString& term, bool matchCase, std::function<void()> done);
    bool searching() const;
    void stopSearch();

    // One result: the counters, and a row when the path or the description is not
    // empty. The first one of a search shows the term.
    void addResult(const QString& path, const QString& description, const QString& title);
    void setCounters(long long filesExamined, long long kilobytes);

    // For tests and the keyboard.
    QTreeView* list() const { return list_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QString termText() const;
    QString filesText() const;
    QString kilobytesText() const;
    // What the walk could not read, said under the list once it has ended (empty when
    // it read everything).
    QString unreadableText() const;
    int rowCount() const;
    QString cell(int row, int column) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void onOk();
    void onCancel();
    void openRow(int row, bool minimize);
    void selectionChanged();
    int selectedRow() const;

    std::function<void(const QString&)> openShow_;
    QString term_;
    bool termShown_ = false;
    QLabel* termValue_ = nullptr;
    QLabel* filesValue_ = nullptr;
    QLabel* kilobytesValue_ = nullptr;
    QLabel* unreadable_ = nullptr;
    QTreeView* list_ = nullptr;
    QStandardItemModel* model_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::unique_ptr<FolderSearchRunner> runner_;
};

}  // namespace vistrel
