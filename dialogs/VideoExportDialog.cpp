#include "dialogs/VideoExportDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/Prompter.h"
#include "res/StringTable.h"
#include "res/TableText.h"
#include "res/strings/MediaStrings.h"

namespace vistrel {

namespace {

// The sizes offered first: television, the web, and 4K screens.
const QSize PresetSizes[] = {{1920, 1080}, {1280, 720}, {3840, 2160}};
const int PresetFps[] = {25, 30, 50};

// A field as wide as it needs, not as the dialog.
QHBoxLayout* leftAligned(QWidget* field) {
    auto* row = new QHBoxLayout;
    row->addWidget(field);
    row->addStretch();
    return row;
}

QString sizeText(QSize size) { return QStringLiteral("%1 × %2").arg(size.width()).arg(size.height()); }

QSpinBox* evenSideField(int value) {
    auto* field = new QSpinBox;
    field->setRange(video::MinVideoSide, video::MaxVideoSide);
    field->setSingleStep(2);
    field->setValue(value);
    field->setSuffix(QStringLiteral(" px"));
    // Videos have even sides: an odd number typed in becomes the next even one.
    QObject::connect(field, &QSpinBox::editingFinished, field, [field] {
        if (field->value() % 2 != 0) field->setValue(std::min(field->value() + 1, video::MaxVideoSide));
    });
    return field;
}

}  // namespace

QString withVideoEnding(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("mp4") || suffix == QLatin1String("mkv") || suffix == QLatin1String("webm")) return path;
    return path + QStringLiteral(".mp4");
}

VideoExportDialog::VideoExportDialog(const video::VideoRequest& initial, int lineCount, Prompter& prompter,
                                     SaveChooser chooseFile, QWidget* parent)
    : QDialog(parent), initial_(initial), prompter_(prompter), chooseFile_(std::move(chooseFile)) {
    setWindowTitle(tableText(ids::VideoDialogTitle));
    setModal(true);
    auto* form = new QFormLayout;

    file_ = new QLineEdit(QString::fromStdString(initial.outputPath));
    file_->setMinimumWidth(360);
    auto* browse = new QPushButton(tableText(ids::VideoBrowse));
    browse->setAutoDefault(false);  // Enter exports; it does not open the file dialog
    connect(browse, &QPushButton::clicked, this, &VideoExportDialog::browse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);
    auto* fileLabel = new QLabel(tableText(ids::VideoFileLabel));
    fileLabel->setBuddy(file_);
    form->addRow(fileLabel, fileRow);

    size_ = new QComboBox;
    for (QSize preset : PresetSizes) size_->addItem(sizeText(preset), preset);
    size_->addItem(tableText(ids::VideoSizeOwn));
    width_ = evenSideField(initial.size.width());
    height_ = evenSideField(initial.size.height());
    const int preset = size_->findData(initial.size);
    size_->setCurrentIndex(preset >= 0 ? preset : size_->count() - 1);
    connect(size_, &QComboBox::currentIndexChanged, this, &VideoExportDialog::sizeChoiceChanged);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(size_);
    sizeRow->addWidget(width_);
    sizeRow->addWidget(new QLabel(QStringLiteral("×")));
    sizeRow->addWidget(height_);
    sizeRow->addStretch();
    auto* sizeLabel = new QLabel(tableText(ids::VideoSizeLabel));
    sizeLabel->setBuddy(size_);
    form->addRow(sizeLabel, sizeRow);
    sizeChoiceChanged();

    fps_ = new QComboBox;
    for (int fps : PresetFps) fps_->addItem(QString::number(fps), fps);
    fps_->setCurrentIndex(std::max(0, fps_->findData(initial.fps)));
    auto* fpsLabel = new QLabel(tableText(ids::VideoFpsLabel));
    fpsLabel->setBuddy(fps_);
    form->addRow(fpsLabel, leftAligned(fps_));

    pause_ = new QDoubleSpinBox;
    pause_->setDecimals(1);
    pause_->setRange(0.0, video::MaxPauseHoldSeconds);
    pause_->setSingleStep(0.5);
    pause_->setSuffix(QStringLiteral(" s"));
    pause_->setValue(static_cast<double>(initial.pauseHoldMs) / 1000.0);
    auto* pauseLabel = new QLabel(tableText(ids::VideoPauseLabel));
    pauseLabel->setBuddy(pause_);
    form->addRow(pauseLabel, leftAligned(pause_));

    from_ = new QSpinBox;
    to_ = new QSpinBox;
    from_->setRange(1, std::max(1, lineCount));
    to_->setRange(1, std::max(1, lineCount));
    from_->setValue(initial.fromLine);
    to_->setValue(initial.toLine > 0 ? initial.toLine : lineCount);
    // The last line never lies before the first.
    connect(from_, &QSpinBox::valueChanged, this, [this](int from) { to_->setMinimum(from); });
    to_->setMinimum(from_->value());
    auto* linesRow = new QHBoxLayout;
    linesRow->addWidget(from_);
    auto* toLabel = new QLabel(tableText(ids::VideoToLabel));
    toLabel->setBuddy(to_);
    linesRow->addWidget(toLabel);
    linesRow->addWidget(to_);
    linesRow->addStretch();
    auto* fromLabel = new QLabel(tableText(ids::VideoFromLabel));
    fromLabel->setBuddy(from_);
    form->addRow(fromLabel, linesRow);

    music_ = new QCheckBox(tableText(ids::VideoMusicCheck));
    const bool hasMusic = !initial.musicPath.empty();
    music_->setEnabled(hasMusic);
    music_->setChecked(hasMusic);
    auto* musicName = new QLabel(hasMusic ? QFileInfo(QString::fromStdString(initial.musicPath)).fileName()
                                          : tableText(ids::VideoNoMusic));
    musicName->setToolTip(QString::fromStdString(initial.musicPath));
    auto* musicRow = new QHBoxLayout;
    musicRow->addWidget(music_);
    musicRow->addWidget(musicName, 1);
    form->addRow(QString(), musicRow);

    const QString folder = QDir::toNativeSeparators(QString::fromStdString(initial.pictureFolder.string()));
    auto* pictures = new QLabel(folder);
    pictures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(tableText(ids::VideoPicturesLabel), pictures);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(tableText(ids::VideoExportButton), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tableText(ids::VideoCancelButton), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &VideoExportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VideoExportDialog::reject);

    // Names for tests and for accessibility tools.
    file_->setObjectName(QStringLiteral("videoFile"));
    size_->setObjectName(QStringLiteral("videoSize"));
    width_->setObjectName(QStringLiteral("videoWidth"));
    height_->setObjectName(QStringLiteral("videoHeight"));
    fps_->setObjectName(QStringLiteral("videoFps"));
    pause_->setObjectName(QStringLiteral("videoPause"));
    from_->setObjectName(QStringLiteral("videoFrom"));
    to_->setObjectName(QStringLiteral("videoTo"));
    music_->setObjectName(QStringLiteral("videoMusic"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void VideoExportDialog::sizeChoiceChanged() {
    const bool own = size_->currentData().isNull();
    width_->setEnabled(own);
    height_->setEnabled(own);
    if (!own) {
        const QSize preset = size_->currentData().toSize();
        width_->setValue(preset.width());
        height_->setValue(preset.height());
    }
}

void VideoExportDialog::browse() {
    if (!chooseFile_) return;
    const QString chosen = chooseFile_(file_->text());
    if (!chosen.isEmpty()) file_->setText(withVideoEnding(chosen));
}

void VideoExportDialog::accept() {
    if (file_->text().trimmed().isEmpty()) {
        prompter_.showMessage(res::text(ids::VideoFileMissing), MessageIcon::Exclamation, MessageButtons::Ok);
        file_->setFocus();
        return;
    }
    file_->setText(withVideoEnding(file_->text().trimmed()));
    QDialog::accept();
}

video::VideoRequest VideoExportDialog::request() const {
    video::VideoRequest request = initial_;
    request.outputPath = file_->text().toStdString();
    request.size = video::evenVideoSize(QSize(width_->value(), height_->value()));
    request.fps = fps_->currentData().toInt();
    request.pauseHoldMs = static_cast<std::int64_t>(pause_->value() * 10.0 + 0.5) * 100;
    request.fromLine = from_->value();
    request.toLine = to_->value();
    if (!music_->isChecked()) request.musicPath.clear();
    return request;
}

}  // namespace vistrel
