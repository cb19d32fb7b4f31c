#pragma once
// "Info über Vistrel": the program icon, name and version, and a link to the maker's
// web site.
#include <QDialog>

namespace vistrel {

class CStaticLink;

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);

    CStaticLink* link() const { return link_; }

private:
    CStaticLink* link_ = nullptr;
};

}  // namespace vistrel
